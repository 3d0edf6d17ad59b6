#pragma once

#include "TopicRow.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QVector>

// The topics of the open document as a table. Rows are TopicRows taken from the topic records;
// single topics are replaced, added and removed in place, so that views keep their selection and
// scroll position across edits. Sorting and filtering go through TopicFilterProxy, which reads the
// rows directly (row()).
class TopicListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column {
        TitleColumn,
        StatusColumn,
        PriorityColumn,
        AssignedToColumn,
        DateColumn,
        TypeColumn,
        DueDateColumn,
        ColumnCount
    };
    enum Role { TopicIdRole = Qt::UserRole + 1 };

    explicit TopicListModel(QObject* parent = nullptr);

    // "1 topic", "12 topics".
    static QString countText(int count);

    // Replaces all rows by the given topic records.
    void setTopics(const QVariantList& topics);
    // Replaces all rows by rows made already.
    void setRows(const QVector<TopicRow>& rows);
    // Replaces the row of the record's topic, or appends one for a topic not listed yet.
    void updateTopic(const QVariantMap& topic);
    void removeTopic(const QString& topicId);

    const TopicRow& row(int row) const { return m_rows.at(row); }
    const QVector<TopicRow>& rows() const { return m_rows; }
    QString topicId(int row) const;
    int rowOfTopic(const QString& topicId) const { return m_rowOfId.value(topicId, -1); }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    void reindex();

    QVector<TopicRow> m_rows;
    QHash<QString, int> m_rowOfId;
};
