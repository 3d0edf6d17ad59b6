#pragma once

#include <QTableView>

// The table of topics: whole rows selected one at a time, fixed default column widths (measuring
// thousands of rows would slow every change) with the title taking the rest, the type and due
// date columns hidden until chosen from the header's context menu.
class TopicListView : public QTableView
{
    Q_OBJECT

public:
    explicit TopicListView(QWidget* parent = nullptr);

    void setModel(QAbstractItemModel* model) override;
    // The id of the current topic, or empty.
    QString currentTopicId() const;

private:
    void showColumnMenu(const QPoint& at);
};
