#include "MainWindow.h"

#include "DocumentEditor.h"
#include "DocumentTitle.h"
#include "LayoutMemory.h"
#include "LibraryShortcuts.h"
#include "SnapshotDialog.h"
#include "StatusBarProgress.h"
#include "TopicChoices.h"
#include "TopicCommands.h"
#include "TopicDetailView.h"
#include "TopicFilterBar.h"
#include "TopicFilterProxy.h"
#include "TopicListModel.h"
#include "TopicListView.h"

#include "BCFapi/BCFCacheApi.h"
#include "BCFapi/BCFKeys.h"
#include "BCFapi/BCFapiRegistry.h"
#include "QtTools/OperationStatus.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <memory>

using namespace Vexamo;

namespace {
// Open and new come first among the library's actions; document entries follow.
const int FirstEntryIndex = 2;
} // namespace

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent)
    , m_api(new BCFCacheApi(this))
    , m_model(new TopicListModel(this))
    , m_proxy(new TopicFilterProxy(this))
    , m_commands(new TopicCommands(m_api, m_model, this))
{
    m_api->setUsername(currentUserName());
    BCFapiRegistry::Get()->registerBCFapi(m_api);
    m_proxy->setTopicModel(m_model);

    createTopicView();
    m_detail = new TopicDetailView(this);
    connect(m_detail, &TopicDetailView::commentSubmitted, m_commands, &TopicCommands::submitComment);
    connect(m_detail, &TopicDetailView::commentRemovalRequested, m_commands, &TopicCommands::removeComment);
    connect(m_detail, &TopicDetailView::relatedTopicActivated, this, &MainWindow::selectTopic);
    connect(m_detail, &TopicDetailView::snapshotActivated, this, &MainWindow::showSnapshot);
    connect(m_commands->editor(), &DocumentEditor::topicChanged, this, &MainWindow::topicChanged);
    connect(m_commands->editor(), &DocumentEditor::topicRemoved, this, &MainWindow::topicRemoved);
    connect(m_commands, &TopicCommands::topicCreated, this, &MainWindow::selectTopic);
    connect(m_commands, &TopicCommands::done, this, [this](const QString& message) {
        statusBar()->showMessage(message, 3000);
    });

    auto* listPane = new QWidget(this);
    auto* listLayout = new QVBoxLayout(listPane);
    listLayout->setContentsMargins(6, 6, 0, 0);
    listLayout->addWidget(m_filterBar);
    listLayout->addWidget(m_topicView, 1);

    m_splitter = new QSplitter(this);
    m_splitter->setObjectName(QStringLiteral("mainSplitter"));
    m_splitter->addWidget(listPane);
    m_splitter->addWidget(m_detail);
    m_splitter->setChildrenCollapsible(false);
    m_splitter->setStretchFactor(0, 1);
    m_splitter->setStretchFactor(1, 1);
    m_splitter->setSizes({560, 440});
    setCentralWidget(m_splitter);

    m_quitAction = new QAction(tr("&Quit"), this);
    m_quitAction->setShortcut(QKeySequence::Quit);
    connect(m_quitAction, &QAction::triggered, this, &QWidget::close);

    m_fileMenu = menuBar()->addMenu(tr("&File"));
    createTopicActions();
    createToolBar();
    m_progress = new StatusBarProgress(statusBar(), this);
    connect(m_progress, &StatusBarProgress::idle, this, &MainWindow::loadingEnded);

    connect(m_api, &BCFapi::opened, this, &MainWindow::documentOpened);
    connect(m_api, &BCFapi::saved, this, &MainWindow::documentSaved);
    connect(m_api, &BCFapi::discarded, this, &MainWindow::documentDiscarded);
    connect(m_api, &BCFapi::canceled, this, &MainWindow::openCanceled);
    connect(m_api, &BCFCacheApi::exported, this, &MainWindow::documentExported);
    connect(m_api, &BCFCacheApi::loadFailed, this, &MainWindow::openFailed);
    // Another program (a second viewer, bcftool) changed the working cache.
    connect(m_api, &BCFCacheApi::workingCacheChanged, this, &MainWindow::reloadTopics);

    rebuildFileMenu();
    // The working cache keeps its content between runs: show what it holds.
    reloadTopics();
    setDocument(nullptr);
    // Laid out for 1000x660 and up; smaller stays possible on small screens.
    setMinimumSize(760, 520);
    resize(1180, 720);
    m_layout = new LayoutMemory(this, m_topicView->horizontalHeader(), {m_splitter, m_detail->splitter()});
    m_layout->restore();
    m_topicView->setFocus();
}

MainWindow::~MainWindow()
{
    delete m_layout;
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
    setLoading(true);
    const bool started = m_api->openBCFFile(QFileInfo(path).absoluteFilePath());
    if (!started)
        setLoading(false);
    return started;
}

void MainWindow::createTopicView()
{
    m_filterBar = new TopicFilterBar(m_proxy, this);
    m_topicView = new TopicListView(this);
    m_topicView->setModel(m_proxy);
    connect(m_topicView->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &MainWindow::showSelectedTopic);
    connect(m_topicView, &QAbstractItemView::doubleClicked, m_commands, &TopicCommands::editTopic);
    connect(m_proxy, &QAbstractItemModel::rowsInserted, m_filterBar, &TopicFilterBar::updateCount);
    connect(m_proxy, &QAbstractItemModel::rowsRemoved, m_filterBar, &TopicFilterBar::updateCount);
    connect(m_proxy, &QAbstractItemModel::modelReset, m_filterBar, &TopicFilterBar::updateCount);
}

void MainWindow::createTopicActions()
{
    m_topicView->addAction(m_commands->deleteTopicAction());
    auto* find = new QAction(tr("&Find"), this);
    find->setShortcut(QKeySequence::Find);
    connect(find, &QAction::triggered, m_filterBar, &TopicFilterBar::focusSearch);

    m_topicMenu = menuBar()->addMenu(tr("&Topic"));
    m_topicMenu->addActions(topicActions());
    m_topicMenu->addSeparator();
    m_topicMenu->addAction(find);
}

QList<QAction*> MainWindow::topicActions() const
{
    return {m_commands->newTopicAction(), m_commands->editTopicAction(), m_commands->deleteTopicAction()};
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

    if (QAction* extra = m_api->getExtraAction()) {
        // The button saves the document in its version; its arrow opens the library's save menu.
        if (extra->icon().isNull() && extra->menu() && extra->menu()->defaultAction())
            extra->setIcon(extra->menu()->defaultAction()->icon());
        m_toolBar->addAction(extra);
        // Its shortcut works also while the tool bar is hidden.
        addAction(extra);
        if (auto* button = qobject_cast<QToolButton*>(m_toolBar->widgetForAction(extra)))
            button->setPopupMode(QToolButton::MenuButtonPopup);
    }
    m_toolBar->addSeparator();
    m_toolBar->addActions(topicActions());
}

// The File menu: the library's actions (open, new, then the recent documents), the save
// drop-down, and quit. Rebuilt whenever the library's list may have changed.
void MainWindow::rebuildFileMenu()
{
    m_fileMenu->clear(); // the library's actions are not owned by the menu and survive this
    const QList<QAction*> actions = m_api->getActions();
    for (int i = 0; i < actions.size(); ++i) {
        QAction* action = actions.at(i);
        if (i == FirstEntryIndex)
            m_fileMenu->addSection(tr("Recent files"));
        // A never-saved new document has no file to reopen; it is not listed.
        if (m_discarded.contains(action) || (i >= FirstEntryIndex && action->text().isEmpty()))
            continue;
        m_fileMenu->addAction(action);
    }
    m_fileMenu->addSeparator();
    if (QAction* extra = m_api->getExtraAction()) {
        // The library's save command (Ctrl+S, the tool button) first, then its save menu.
        m_fileMenu->addAction(tr("&Save"), extra, &QAction::trigger);
        if (extra->menu())
            m_fileMenu->addActions(extra->menu()->actions());
        m_fileMenu->addSeparator();
    }
    m_fileMenu->addAction(m_quitAction);
    LibraryShortcuts::apply(actions, m_api->getExtraAction());
}

void MainWindow::setDocument(QAction* entry)
{
    m_document = entry;
    QString name = tr("Working cache");
    if (entry) {
        QStringList others;
        const QList<QAction*> actions = m_api->getActions();
        for (int i = FirstEntryIndex; i < actions.size(); ++i) {
            if (actions.at(i) != entry && !m_discarded.contains(actions.at(i)))
                others << actions.at(i)->text();
        }
        name = DocumentTitle::displayName(entry->text(), others);
    }
    setWindowTitle(tr("%1[*] - BCF Viewer").arg(name));
}

void MainWindow::setLoading(bool loading)
{
    m_loading = loading;
    if (loading)
        statusBar()->showMessage(tr("Loading..."));
}

void MainWindow::loadingEnded()
{
    // The load finished without a document: the library has already said why.
    if (!m_loading)
        return;
    m_loading = false;
    statusBar()->showMessage(tr("Nothing opened"), 5000);
}

void MainWindow::documentOpened(QAction* action)
{
    const QList<QAction*> actions = m_api->getActions();
    if (!actions.isEmpty() && action == actions.first()) {
        // The open command has started loading on the reader thread.
        setLoading(true);
        return;
    }
    m_loading = false;
    m_discarded.remove(action);
    rebuildFileMenu();
    reloadTopics();
    setDocument(action);
    setWindowModified(action && action->text().isEmpty());
    statusBar()->showMessage(TopicListModel::countText(m_model->rowCount()), 5000);
    if (m_model->rowCount() > 0 && selectedTopicId().isEmpty())
        m_topicView->selectRow(0);
}

void MainWindow::documentSaved(QAction* action)
{
    m_discarded.remove(action);
    rebuildFileMenu();
    setDocument(action);
    setWindowModified(false);
    const QString path = action ? QDir::toNativeSeparators(action->text()) : QString();
    statusBar()->showMessage(tr("Saved %1 to %2").arg(TopicListModel::countText(m_model->rowCount()), path), 8000);
}

void MainWindow::documentDiscarded(QAction* action)
{
    m_discarded.insert(action);
    m_fileMenu->removeAction(action);
    m_toolBar->removeAction(action);
    rebuildFileMenu();
    if (m_loading) {
        m_loading = false;
        statusBar()->showMessage(tr("Nothing opened"), 5000);
    }
    if (action == m_document)
        setDocument(action);
}

void MainWindow::documentExported(const QString& path)
{
    statusBar()->showMessage(tr("Exported %1 to %2 (BCF 1.0)")
                                 .arg(TopicListModel::countText(m_model->rowCount()), QDir::toNativeSeparators(path)),
                             8000);
}

void MainWindow::openFailed(const QString& path)
{
    Q_UNUSED(path)
    // The library has already said why; the current document stays.
    m_loading = false;
    statusBar()->showMessage(tr("Nothing opened"), 5000);
}

void MainWindow::openCanceled(QAction* action)
{
    Q_UNUSED(action)
    m_loading = false;
    statusBar()->showMessage(tr("Nothing opened"), 3000);
}

void MainWindow::reloadTopics()
{
    if (m_listing) {
        m_listAgain = true;
        return;
    }
    m_listing = true;
    QVector<TopicRow> rows;
    do {
        m_listAgain = false;
        rows = listTopicRows();
    } while (m_listAgain);
    m_listing = false;

    const QString selected = selectedTopicId();
    m_model->setRows(rows);
    refreshChoices();
    if (!selectTopic(selected))
        m_detail->clear();
}

QVector<TopicRow> MainWindow::listTopicRows()
{
    const QStringList ids = m_api->topicIds();
    QVector<TopicRow> rows;
    rows.reserve(ids.size());
    // About 10 ms of reading per slice on two cores; rows are made slice by slice, so only one
    // slice of records (snapshots included) is held at a time.
    const int sliceSize = 64;
    std::unique_ptr<OperationStatus> progress;
    if (ids.size() > sliceSize)
        progress = std::make_unique<OperationStatus>(tr("Listing topics"), ids.size(), true);
    for (int first = 0; first < ids.size(); first += sliceSize) {
        const QVariantList topics = m_api->getTopics(ids.mid(first, sliceSize));
        for (const QVariant& topic : topics)
            rows.append(TopicRow::fromRecord(topic.toMap()));
        if (progress)
            progress->addStep(int(topics.size()));
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        if (m_listAgain)
            break;
    }
    return rows;
}

void MainWindow::refreshChoices()
{
    const TopicChoices choices(m_api->getProjectExtension(QString()), m_model->rows());
    m_proxy->setPriorityOrder(choices.extensionValues(TopicChoices::Priority));
    m_filterBar->setChoices(choices);
}

QString MainWindow::selectedTopicId() const
{
    return m_topicView->currentTopicId();
}

bool MainWindow::selectTopic(const QString& topicId)
{
    const int row = topicId.isEmpty() ? -1 : m_model->rowOfTopic(topicId);
    if (row < 0)
        return false;
    QModelIndex index = m_proxy->mapFromSource(m_model->index(row, 0));
    if (!index.isValid()) {
        // Hidden by the filters: going there means showing everything again.
        for (int f = 0; f < TopicChoices::FieldCount; ++f)
            m_proxy->setFieldFilter(TopicChoices::Field(f), QString());
        m_proxy->setSearchText(QString());
        refreshChoices();
        index = m_proxy->mapFromSource(m_model->index(row, 0));
    }
    m_topicView->selectionModel()->setCurrentIndex(
        index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_topicView->scrollTo(index);
    m_detail->showTopic(*m_api, topicId);
    return true;
}

void MainWindow::showSelectedTopic()
{
    const QString topicId = selectedTopicId();
    m_commands->setCurrentTopic(topicId);
    if (!topicId.isEmpty())
        m_detail->showTopic(*m_api, topicId);
    else if (m_model->rowOfTopic(m_detail->topicId()) < 0)
        m_detail->clear();
    // Else an edit or a filter hid the shown topic: it stays in view until another one is chosen.
}

void MainWindow::showSnapshot(const QString& topicId, const QString& viewpointId)
{
    auto* dialog = new SnapshotDialog(*m_api, topicId, viewpointId, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
}

void MainWindow::topicChanged(const QString& topicId)
{
    m_model->updateTopic(m_api->getSingleTopic(topicId, QString()));
    refreshChoices();
    setWindowModified(true);
    if (topicId == m_detail->topicId())
        m_detail->showTopic(*m_api, topicId);
}

void MainWindow::topicRemoved(const QString& topicId)
{
    const int proxyRow = m_topicView->currentIndex().row();
    m_model->removeTopic(topicId);
    refreshChoices();
    setWindowModified(true);
    // The neighbour takes the removed topic's place in the selection.
    const int row = qMin(proxyRow, m_proxy->rowCount() - 1);
    if (row >= 0)
        m_topicView->selectRow(row);
    else
        m_detail->clear();
}

bool MainWindow::confirmClose()
{
    // The library's own save question: Cancel (or a save that did not happen) keeps the window.
    return m_api->confirmDiscardOrSave();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (!confirmClose()) {
        event->ignore();
        return;
    }
    m_layout->save();
    event->accept();
}
