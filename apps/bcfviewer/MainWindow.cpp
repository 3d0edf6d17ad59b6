#include "MainWindow.h"

#include "StatusBarProgress.h"
#include "TopicDetailView.h"
#include "TopicListModel.h"

#include "BCFapi/BCFCacheApi.h"
#include "BCFapi/BCFKeys.h"
#include "BCFapi/BCFapiRegistry.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QSortFilterProxyModel>
#include <QSplitter>
#include <QStatusBar>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>

using namespace Vexamo;

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent)
    , m_api(new BCFCacheApi(this))
    , m_model(new TopicListModel(this))
    , m_sortModel(new QSortFilterProxyModel(this))
{
    m_api->setUsername(currentUserName());
    BCFapiRegistry::Get()->registerBCFapi(m_api);

    m_sortModel->setSourceModel(m_model);
    m_sortModel->setSortRole(TopicListModel::SortRole);
    m_sortModel->setSortCaseSensitivity(Qt::CaseInsensitive);

    m_topicView = new QTableView(this);
    m_topicView->setModel(m_sortModel);
    m_topicView->setSortingEnabled(true);
    m_topicView->sortByColumn(TopicListModel::DateColumn, Qt::AscendingOrder);
    m_topicView->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_topicView->setSelectionMode(QAbstractItemView::SingleSelection);
    m_topicView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_topicView->setAlternatingRowColors(true);
    m_topicView->setWordWrap(false);
    m_topicView->verticalHeader()->hide();
    m_topicView->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_topicView->horizontalHeader()->setSectionResizeMode(TopicListModel::TitleColumn, QHeaderView::Stretch);
    m_topicView->horizontalHeader()->setHighlightSections(false);
    connect(m_topicView->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &MainWindow::showSelectedTopic);

    m_detail = new TopicDetailView(this);
    connect(m_detail, &TopicDetailView::commentRequested, this, &MainWindow::addComment);

    auto* splitter = new QSplitter(this);
    splitter->addWidget(m_topicView);
    splitter->addWidget(m_detail);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);
    setCentralWidget(splitter);

    m_quitAction = new QAction(tr("&Quit"), this);
    m_quitAction->setShortcut(QKeySequence::Quit);
    connect(m_quitAction, &QAction::triggered, this, &QWidget::close);

    m_fileMenu = menuBar()->addMenu(tr("&File"));
    createToolBar();
    m_progress = new StatusBarProgress(statusBar(), this);

    connect(m_api, &BCFapi::opened, this, &MainWindow::documentOpened);
    connect(m_api, &BCFapi::saved, this, &MainWindow::documentSaved);
    connect(m_api, &BCFapi::discarded, this, &MainWindow::documentDiscarded);
    connect(m_api, &BCFapi::canceled, this, &MainWindow::openCanceled);

    rebuildFileMenu();
    // The working cache keeps its content between runs: show what it holds.
    reloadTopics();
    setDocument(nullptr);
    resize(1180, 720);
}

MainWindow::~MainWindow()
{
    BCFapiRegistry::Get()->unregisterBCFapi(m_api);
}

QString MainWindow::currentUserName()
{
    QString name = qEnvironmentVariable("USER");
    if (name.isEmpty())
        name = qEnvironmentVariable("USERNAME");
    if (name.isEmpty())
        name = QDir::home().dirName();
    return name;
}

bool MainWindow::openFile(const QString& path)
{
    return m_api->openBCFFile(QFileInfo(path).absoluteFilePath());
}

void MainWindow::createToolBar()
{
    m_toolBar = addToolBar(tr("Document"));
    m_toolBar->setObjectName(QStringLiteral("documentToolBar"));
    m_toolBar->setMovable(false);
    m_toolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);

    const QList<QAction*> actions = m_api->getActions();
    if (!actions.isEmpty())
        m_toolBar->addAction(actions.first()); // "Open BCF File..."

    QAction* extra = m_api->getExtraAction();
    if (!extra)
        return;
    // The library's save drop-down runs its commands from its menu only; the button opens it.
    if (extra->icon().isNull() && extra->menu() && extra->menu()->defaultAction())
        extra->setIcon(extra->menu()->defaultAction()->icon());
    m_toolBar->addAction(extra);
    if (auto* button = qobject_cast<QToolButton*>(m_toolBar->widgetForAction(extra)))
        button->setPopupMode(QToolButton::InstantPopup);
}

// The File menu: the library's actions (open, new, then the recent documents), the save
// drop-down, and quit. Rebuilt whenever the library's list may have changed.
void MainWindow::rebuildFileMenu()
{
    m_fileMenu->clear(); // the library's actions are not owned by the menu and survive this
    const QList<QAction*> actions = m_api->getActions();
    for (int i = 0; i < actions.size(); ++i) {
        QAction* action = actions.at(i);
        if (i == 2)
            m_fileMenu->addSection(tr("Recent files"));
        // A never-saved new document has no file to reopen; it is not listed.
        if (m_discarded.contains(action) || (i >= 2 && action->text().isEmpty()))
            continue;
        m_fileMenu->addAction(action);
    }
    m_fileMenu->addSeparator();
    if (QAction* extra = m_api->getExtraAction()) {
        if (extra->menu())
            m_fileMenu->addActions(extra->menu()->actions());
        m_fileMenu->addSeparator();
    }
    m_fileMenu->addAction(m_quitAction);
}

void MainWindow::setDocument(QAction* entry)
{
    QString name = tr("Working cache");
    if (entry)
        name = entry->text().isEmpty() ? tr("Untitled") : QFileInfo(entry->text()).fileName();
    setWindowTitle(tr("%1[*] - BCF Viewer").arg(name));
}

void MainWindow::documentOpened(QAction* action)
{
    const QList<QAction*> actions = m_api->getActions();
    if (!actions.isEmpty() && action == actions.first()) {
        // The open command has started loading on the reader thread.
        statusBar()->showMessage(tr("Loading..."));
        return;
    }
    m_discarded.remove(action);
    rebuildFileMenu();
    reloadTopics();
    setDocument(action);
    setWindowModified(action && action->text().isEmpty());
    const int count = m_model->rowCount();
    statusBar()->showMessage(tr("%n topic(s)", nullptr, count), 5000);
    if (count > 0 && m_detail->topicId().isEmpty())
        m_topicView->selectRow(0);
}

void MainWindow::documentSaved(QAction* action)
{
    m_discarded.remove(action);
    rebuildFileMenu();
    setDocument(action);
    setWindowModified(false);
    statusBar()->showMessage(tr("Saved %1").arg(action ? action->text() : QString()), 5000);
}

void MainWindow::documentDiscarded(QAction* action)
{
    m_discarded.insert(action);
    m_fileMenu->removeAction(action);
    m_toolBar->removeAction(action);
    rebuildFileMenu();
}

void MainWindow::openCanceled(QAction* action)
{
    Q_UNUSED(action)
    statusBar()->showMessage(tr("Nothing opened"), 3000);
}

void MainWindow::reloadTopics()
{
    const QString selected = m_detail->topicId();
    m_model->setTopics(m_api->getTopic(QString()));
    selectTopic(selected);
}

void MainWindow::selectTopic(const QString& topicId)
{
    const int row = topicId.isEmpty() ? -1 : m_model->rowOfTopic(topicId);
    if (row < 0) {
        m_detail->clear();
        return;
    }
    const QModelIndex index = m_sortModel->mapFromSource(m_model->index(row, 0));
    m_topicView->selectRow(index.row());
    m_detail->showTopic(*m_api, topicId);
}

void MainWindow::showSelectedTopic()
{
    const QModelIndex current = m_topicView->selectionModel()->currentIndex();
    const QString topicId = current.data(TopicListModel::TopicIdRole).toString();
    if (topicId.isEmpty())
        m_detail->clear();
    else
        m_detail->showTopic(*m_api, topicId);
}

void MainWindow::addComment(const QString& topicId, const QString& text)
{
    QVariantMap comment;
    comment.insert(BCFKeys::Comment, text);
    comment.insert(BCFKeys::Author, m_api->username());
    comment.insert(BCFKeys::Date, QDateTime::currentDateTimeUtc().toString(Qt::ISODate));
    m_api->createComment(topicId, comment, QString());
    setWindowModified(true);
    reloadTopics();
    statusBar()->showMessage(tr("Comment added"), 3000);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    // Offers to save unsaved changes, as before any other document replaces this one.
    m_api->checkToSaveCurrentBCF();
    event->accept();
}
