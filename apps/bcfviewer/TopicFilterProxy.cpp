#include "TopicFilterProxy.h"

#include "NaturalSort.h"
#include "TopicListModel.h"

namespace {

int compareDates(const QDateTime& a, const QDateTime& b)
{
    // Topics without a date come last.
    if (a.isValid() != b.isValid())
        return a.isValid() ? -1 : 1;
    return a < b ? -1 : (b < a ? 1 : 0);
}

} // namespace

TopicFilterProxy::TopicFilterProxy(QObject* parent)
    : QSortFilterProxyModel(parent)
{
    setDynamicSortFilter(true);
}

void TopicFilterProxy::setTopicModel(TopicListModel* model)
{
    m_topics = model;
    setSourceModel(model);
}

void TopicFilterProxy::setFieldFilter(TopicChoices::Field field, const QString& value)
{
    if (m_filters[field] == value)
        return;
    m_filters[field] = value;
    invalidateFilter();
}

void TopicFilterProxy::setSearchText(const QString& text)
{
    const QStringList words = text.toCaseFolded().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words == m_searchWords)
        return;
    m_searchWords = words;
    invalidateFilter();
}

void TopicFilterProxy::setPriorityOrder(const QStringList& priorities)
{
    m_priorityRank.setOrder(priorities);
    invalidate();
}

bool TopicFilterProxy::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const
{
    if (!m_topics || sourceParent.isValid())
        return false;
    const TopicRow& row = m_topics->row(sourceRow);
    for (int f = 0; f < TopicChoices::FieldCount; ++f) {
        if (!m_filters[f].isEmpty() && !TopicChoices::valuesOf(row, TopicChoices::Field(f)).contains(m_filters[f]))
            return false;
    }
    return row.matches(m_searchWords);
}

bool TopicFilterProxy::lessThan(const QModelIndex& left, const QModelIndex& right) const
{
    const TopicRow& a = m_topics->row(left.row());
    const TopicRow& b = m_topics->row(right.row());
    int result = 0;
    switch (left.column()) {
    case TopicListModel::PriorityColumn:
        result = m_priorityRank.rank(a.priority) - m_priorityRank.rank(b.priority);
        if (result == 0)
            result = NaturalSort::compare(a.priority, b.priority);
        break;
    case TopicListModel::DateColumn:
        result = compareDates(a.created, b.created);
        break;
    case TopicListModel::DueDateColumn:
        result = compareDates(a.due, b.due);
        break;
    case TopicListModel::StatusColumn:
        result = NaturalSort::compare(a.status, b.status);
        break;
    case TopicListModel::AssignedToColumn:
        result = NaturalSort::compare(a.assignedTo, b.assignedTo);
        break;
    case TopicListModel::TypeColumn:
        result = NaturalSort::compare(a.type, b.type);
        break;
    default:
        break;
    }
    // Equal keys, and the title column, order by title, then by creation.
    if (result == 0)
        result = NaturalSort::compare(a.title, b.title);
    if (result == 0)
        result = compareDates(a.created, b.created);
    return result < 0;
}
