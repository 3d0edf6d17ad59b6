#pragma once

#include "PriorityRank.h"
#include "TopicChoices.h"

#include <QSortFilterProxyModel>
#include <QStringList>

class TopicListModel;

// Sorts and filters a TopicListModel. Filters: one exact value per field (status, type, priority,
// assignee, label; empty means any) and a text search whose words must all occur in the title,
// description or comments. Sorting: priority by PriorityRank, dates by instant, text in natural
// order. Reads the model's rows directly, so that 3000 topics sort and filter in milliseconds.
class TopicFilterProxy : public QSortFilterProxyModel
{
    Q_OBJECT

public:
    explicit TopicFilterProxy(QObject* parent = nullptr);

    void setTopicModel(TopicListModel* model);
    void setFieldFilter(TopicChoices::Field field, const QString& value);
    QString fieldFilter(TopicChoices::Field field) const { return m_filters[field]; }
    void setSearchText(const QString& text);
    void setPriorityOrder(const QStringList& priorities);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;

private:
    TopicListModel* m_topics = nullptr;
    QString m_filters[TopicChoices::FieldCount];
    QStringList m_searchWords;
    PriorityRank m_priorityRank;
};
