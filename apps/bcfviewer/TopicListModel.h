#pragma once

#include <QAbstractTableModel>
#include <QVariantMap>
#include <QVector>

// The topics of the open document as a table: title, status, priority, assigned to and date
// (creation date). Sorting goes through a QSortFilterProxyModel on SortRole, which gives the raw
// values (ISO 8601 text for dates) so that every column sorts correctly.
class TopicListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { TitleColumn, StatusColumn, PriorityColumn, AssignedToColumn, DateColumn, ColumnCount };
    enum Role { TopicIdRole = Qt::UserRole + 1, SortRole };

    explicit TopicListModel(QObject* parent = nullptr);

    // Replaces the rows by the given topic records.
    void setTopics(const QVariantList& topics);
    QString topicId(int row) const;
    int rowOfTopic(const QString& topicId) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QVector<QVariantMap> m_topics;
};
