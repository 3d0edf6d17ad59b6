#pragma once

#include <QMainWindow>
#include <QSet>

class QAction;
class QMenu;
class QSortFilterProxyModel;
class QTableView;
class QToolBar;
class StatusBarProgress;
class TopicDetailView;
class TopicListModel;

namespace Vexamo {
class BCFCacheApi;
}

// The viewer's main window, a host of the BCFapi library: it owns a BCFCacheApi, registers it in
// the BCFapiRegistry, puts the library's document actions into the File menu and its save
// drop-down into the tool bar, and keeps both in step with the signals opened, saved, discarded
// and canceled. The topics of the working cache are listed on the left; the selected one is shown
// on the right, where comments are added as the current user.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // Loads path into the working cache (on the library's reader thread); false when the library
    // refuses the file at once.
    bool openFile(const QString& path);

    Vexamo::BCFCacheApi* api() const { return m_api; }
    QTableView* topicView() const { return m_topicView; }
    TopicListModel* topicModel() const { return m_model; }
    TopicDetailView* detailView() const { return m_detail; }
    QMenu* fileMenu() const { return m_fileMenu; }
    QToolBar* documentToolBar() const { return m_toolBar; }

    // The name of the user on whose behalf comments are written.
    static QString currentUserName();

protected:
    void closeEvent(QCloseEvent* event) override;

private slots:
    void documentOpened(QAction* action);
    void documentSaved(QAction* action);
    void documentDiscarded(QAction* action);
    void openCanceled(QAction* action);
    void showSelectedTopic();
    void addComment(const QString& topicId, const QString& text);

private:
    void createToolBar();
    void rebuildFileMenu();
    void reloadTopics();
    void selectTopic(const QString& topicId);
    void setDocument(QAction* entry);

    Vexamo::BCFCacheApi* m_api = nullptr;
    TopicListModel* m_model = nullptr;
    QSortFilterProxyModel* m_sortModel = nullptr;
    QTableView* m_topicView = nullptr;
    TopicDetailView* m_detail = nullptr;
    QMenu* m_fileMenu = nullptr;
    QToolBar* m_toolBar = nullptr;
    QAction* m_quitAction = nullptr;
    StatusBarProgress* m_progress = nullptr;
    // Entries that the library discarded; they stay out of the menu until opened again.
    QSet<QAction*> m_discarded;
};
