#include "TopicListView.h"

#include "TopicListModel.h"

#include <QHeaderView>
#include <QMenu>

TopicListView::TopicListView(QWidget* parent)
    : QTableView(parent)
{
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setAlternatingRowColors(true);
    setWordWrap(false);
    setTextElideMode(Qt::ElideRight);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setMinimumSectionSize(48);
    horizontalHeader()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(horizontalHeader(), &QWidget::customContextMenuRequested, this, &TopicListView::showColumnMenu);
}

void TopicListView::setModel(QAbstractItemModel* model)
{
    QTableView::setModel(model);
    setSortingEnabled(true);
    sortByColumn(TopicListModel::DateColumn, Qt::AscendingOrder);
    QHeaderView* header = horizontalHeader();
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setSectionResizeMode(TopicListModel::TitleColumn, QHeaderView::Stretch);
    const int charWidth = fontMetrics().averageCharWidth();
    const QPair<int, int> widths[] = {
        {TopicListModel::StatusColumn, 10}, {TopicListModel::PriorityColumn, 9},
        {TopicListModel::AssignedToColumn, 13}, {TopicListModel::DateColumn, 12},
        {TopicListModel::TypeColumn, 10}, {TopicListModel::DueDateColumn, 12}};
    for (const auto& width : widths)
        header->resizeSection(width.first, charWidth * width.second);
    header->hideSection(TopicListModel::TypeColumn);
    header->hideSection(TopicListModel::DueDateColumn);
}

QString TopicListView::currentTopicId() const
{
    return selectionModel() ? selectionModel()->currentIndex().data(TopicListModel::TopicIdRole).toString()
                            : QString();
}

void TopicListView::showColumnMenu(const QPoint& at)
{
    QHeaderView* header = horizontalHeader();
    QMenu menu;
    for (int column = TopicListModel::StatusColumn; column < TopicListModel::ColumnCount; ++column) {
        QAction* toggle = menu.addAction(model()->headerData(column, Qt::Horizontal).toString());
        toggle->setCheckable(true);
        toggle->setChecked(!header->isSectionHidden(column));
        connect(toggle, &QAction::toggled, header, [header, column](bool on) { header->setSectionHidden(column, !on); });
    }
    menu.exec(header->mapToGlobal(at));
}
