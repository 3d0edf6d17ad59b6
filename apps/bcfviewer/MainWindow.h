#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QSet>
#include <QVector>

class LayoutMemory;
class QAction;
class QMenu;
class QSplitter;
class QToolBar;
class StatusBarProgress;
class TopicCommands;
class TopicDetailView;
class TopicFilterBar;
class TopicFilterProxy;
class TopicListModel;
class TopicListView;
struct TopicRow;

namespace Vexamo {
class BCFCacheApi;
}

// The viewer's main window, a host of the BCFapi library: it owns a BCFCacheApi, registers it in
// the BCFapiRegistry, puts the library's document actions into the File menu and its save
// drop-down into the tool bar, and keeps both in step with the signals opened, saved, discarded
// and canceled. The topics of the working cache are listed on the left, filtered and sorted; the
// selected one is shown on the right. Topics and comments are edited through TopicCommands, which
// change the document with the record operations only; the list then refreshes just the changed
// row, so that selection and scroll position stay.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // Loads path into the working cache (on the library's reader thread); false when the library
    // refuses the file at once.
    bool openFile(const QString& path);
    // Shows topicId in the list and the details; false when no listed topic has that id.
    bool selectTopic(const QString& topicId);

    Vexamo::BCFCacheApi* api() const { return m_api; }
    TopicListView* topicView() const { return m_topicView; }
    TopicListModel* topicModel() const { return m_model; }
    TopicFilterProxy* topicProxy() const { return m_proxy; }
    TopicFilterBar* filterBar() const { return m_filterBar; }
    TopicDetailView* detailView() const { return m_detail; }
    QMenu* fileMenu() const { return m_fileMenu; }
    QToolBar* documentToolBar() const { return m_toolBar; }
    TopicCommands* topicCommands() const { return m_commands; }

    // The name of the user on whose behalf comments are written.
    static QString currentUserName();

protected:
    void closeEvent(QCloseEvent* event) override;

private slots:
    void documentOpened(QAction* action);
    void documentSaved(QAction* action);
    void documentDiscarded(QAction* action);
    void openCanceled(QAction* action);
    void documentExported(const QString& path);
    void openFailed(const QString& path);
    void loadingEnded();
    void showSelectedTopic();
    void showSnapshot(const QString& topicId, const QString& viewpointId);
    void topicChanged(const QString& topicId);
    void topicRemoved(const QString& topicId);

private:
    void createTopicView();
    void createTopicActions();
    QList<QAction*> topicActions() const;
    void createToolBar();
    void rebuildFileMenu();
    // Lists the topics of the working cache anew. The topic files are read in slices; between two
    // slices the window repaints and timers run, while user input waits until the list is complete.
    // A reload asked for meanwhile starts the listing over once the current slice is done.
    void reloadTopics();
    // The rows of every topic of the working cache, or an incomplete list once m_listAgain is set.
    QVector<TopicRow> listTopicRows();
    void refreshChoices();
    void setDocument(QAction* entry);
    void setLoading(bool loading);
    QString selectedTopicId() const;
    // Asks whether to save unsaved changes before the window closes; false keeps it open.
    bool confirmClose();

    Vexamo::BCFCacheApi* m_api = nullptr;
    TopicListModel* m_model = nullptr;
    TopicFilterProxy* m_proxy = nullptr;
    TopicCommands* m_commands = nullptr;
    TopicFilterBar* m_filterBar = nullptr;
    TopicListView* m_topicView = nullptr;
    TopicDetailView* m_detail = nullptr;
    QSplitter* m_splitter = nullptr;
    QMenu* m_fileMenu = nullptr;
    QMenu* m_topicMenu = nullptr;
    QToolBar* m_toolBar = nullptr;
    QAction* m_quitAction = nullptr;
    StatusBarProgress* m_progress = nullptr;
    LayoutMemory* m_layout = nullptr;
    QPointer<QAction> m_document;
    bool m_loading = false;
    bool m_listing = false;
    bool m_listAgain = false;
    // Entries that the library discarded; they stay out of the menu until opened again.
    QSet<QAction*> m_discarded;
};
