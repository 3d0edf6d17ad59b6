#include "TopicListModel.h"

#include <QLocale>

TopicListModel::TopicListModel(QObject* parent)
    : QAbstractTableModel(parent)
{
}

QString TopicListModel::countText(int count)
{
    return count == 1 ? tr("1 topic") : tr("%1 topics").arg(count);
}

void TopicListModel::setTopics(const QVariantList& topics)
{
    beginResetModel();
    m_rows.clear();
    m_rows.reserve(topics.size());
    for (const QVariant& topic : topics)
        m_rows.append(TopicRow::fromRecord(topic.toMap()));
    reindex();
    endResetModel();
}

void TopicListModel::setRows(const QVector<TopicRow>& rows)
{
    beginResetModel();
    m_rows = rows;
    reindex();
    endResetModel();
}

void TopicListModel::updateTopic(const QVariantMap& topic)
{
    TopicRow updated = TopicRow::fromRecord(topic);
    const int at = rowOfTopic(updated.id);
    if (at >= 0) {
        m_rows[at] = std::move(updated);
        emit dataChanged(index(at, 0), index(at, ColumnCount - 1));
        return;
    }
    beginInsertRows(QModelIndex(), m_rows.size(), m_rows.size());
    m_rowOfId.insert(updated.id, m_rows.size());
    m_rows.append(std::move(updated));
    endInsertRows();
}

void TopicListModel::removeTopic(const QString& topicId)
{
    const int at = rowOfTopic(topicId);
    if (at < 0)
        return;
    beginRemoveRows(QModelIndex(), at, at);
    m_rows.remove(at);
    reindex();
    endRemoveRows();
}

void TopicListModel::reindex()
{
    m_rowOfId.clear();
    m_rowOfId.reserve(m_rows.size());
    for (int i = 0; i < m_rows.size(); ++i)
        m_rowOfId.insert(m_rows.at(i).id, i);
}

QString TopicListModel::topicId(int row) const
{
    return row >= 0 && row < m_rows.size() ? m_rows.at(row).id : QString();
}

int TopicListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows.size();
}

int TopicListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant TopicListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return QVariant();
    const TopicRow& topic = m_rows.at(index.row());
    if (role == TopicIdRole)
        return topic.id;
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return QVariant();

    const auto shortDate = [](const QDateTime& date) {
        return date.isValid() ? QLocale().toString(date.toLocalTime().date(), QLocale::ShortFormat) : QString();
    };
    switch (index.column()) {
    case TitleColumn:
        return topic.title;
    case StatusColumn:
        return topic.status;
    case PriorityColumn:
        return topic.priority;
    case AssignedToColumn:
        return topic.assignedTo;
    case DateColumn:
        return shortDate(topic.created);
    case TypeColumn:
        return topic.type;
    case DueDateColumn:
        return shortDate(topic.due);
    default:
        return QVariant();
    }
}

QVariant TopicListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QVariant();
    switch (section) {
    case TitleColumn:
        return tr("Title");
    case StatusColumn:
        return tr("Status");
    case PriorityColumn:
        return tr("Priority");
    case AssignedToColumn:
        return tr("Assigned to");
    case DateColumn:
        return tr("Date");
    case TypeColumn:
        return tr("Type");
    case DueDateColumn:
        return tr("Due date");
    default:
        return QVariant();
    }
}
