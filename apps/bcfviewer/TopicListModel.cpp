#include "TopicListModel.h"

#include "BCFapi/BCFKeys.h"

#include <QDateTime>
#include <QLocale>

using namespace Vexamo;

TopicListModel::TopicListModel(QObject* parent)
    : QAbstractTableModel(parent)
{
}

void TopicListModel::setTopics(const QVariantList& topics)
{
    beginResetModel();
    m_topics.clear();
    m_topics.reserve(topics.size());
    for (const QVariant& topic : topics)
        m_topics.append(topic.toMap());
    endResetModel();
}

QString TopicListModel::topicId(int row) const
{
    if (row < 0 || row >= m_topics.size())
        return QString();
    return m_topics.at(row).value(BCFKeys::Guid).toString();
}

int TopicListModel::rowOfTopic(const QString& topicId) const
{
    for (int row = 0; row < m_topics.size(); ++row) {
        if (m_topics.at(row).value(BCFKeys::Guid).toString() == topicId)
            return row;
    }
    return -1;
}

int TopicListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_topics.size();
}

int TopicListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant TopicListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_topics.size())
        return QVariant();
    const QVariantMap& topic = m_topics.at(index.row());

    if (role == TopicIdRole)
        return topic.value(BCFKeys::Guid);
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole && role != SortRole)
        return QVariant();

    switch (index.column()) {
    case TitleColumn:
        return topic.value(BCFKeys::Title).toString();
    case StatusColumn:
        return topic.value(BCFKeys::TopicStatus).toString();
    case PriorityColumn:
        return topic.value(BCFKeys::Priority).toString();
    case AssignedToColumn:
        return topic.value(BCFKeys::AssignedTo).toString();
    case DateColumn: {
        const QString text = topic.value(BCFKeys::CreationDate).toString();
        if (role == SortRole)
            return QDateTime::fromString(text, Qt::ISODateWithMs).toUTC();
        const QDateTime date = QDateTime::fromString(text, Qt::ISODateWithMs);
        return date.isValid() ? QLocale().toString(date.toLocalTime().date(), QLocale::ShortFormat) : text;
    }
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
    default:
        return QVariant();
    }
}
