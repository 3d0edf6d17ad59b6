#pragma once

#include "BCFapi/BCFapi.h"

#include <QSharedPointer>

#include <functional>
#include <memory>

class QFileSystemWatcher;
class QMenu;
class QThread;
class QTimer;

namespace BCFLib {
class BCFLoadingWorker;
class BCFModel;
}

namespace Vexamo {

class BCFCacheStore;

// The BCFapi that the viewer edits through. Its record operations keep the working document in the
// working cache: one "annotation.json" per topic directory in the working directory, kept by its
// store (BCFCacheStore). This class adds the document workflow: open and load
// (BCFCacheApiLoading.cpp), save, new and export (BCFCacheApiWorkflow.cpp), the recent files and
// the change watch (BCFCacheApiHistory.cpp).
//
// A document keeps the version of the file it was read from (or last written to): the save command
// (triggering getExtraAction() itself, the answer Yes to the save question) and "Save as..." write
// that version, 3.0 for a 3.0 file and 2.1 for every other. "Save to BCF 2.1..." and
// "Save to BCF 3.0..." write the version they name, which the document then takes; when that
// converts the document, what the target version could not hold is shown in an information box.
// The version, the project, the extension lists and the documents of the file are kept beside the
// working cache, so they survive until the next open or new.
class BCFAPI_EXPORT BCFCacheApi : public BCFapi
{
    Q_OBJECT

public:
    explicit BCFCacheApi(QObject* parent = nullptr);
    ~BCFCacheApi() override;

    Type getType() const override;
    QString username() const override;
    void setUsername(QString name);
    void setCurrentProject(const QString& project_id) override;

    // Projects: the working cache keeps none.
    QVariantList getProject() const override;
    QString createProject(const QString& name) override;
    QString getSingleProject(const QString& project_id) const override;
    void editSingleProject(const QString& project_id, const QString& name) override;
    QVariantMap getProjectExtension(const QString& project_id) const override;
    void createProjectExtension(const QString& project_id, const QVariantMap& extension) override;
    void editProjectExtension(const QString& project_id, const QVariantMap& extension) override;

    QVariantList getTopic(const QString& project_id) const override;
    // The ids of the topics that getTopic lists, in the same order, taken from the names of the
    // topic directories without reading any topic file: what a count or a look-up by id needs.
    QStringList topicIds() const;
    // The records of ids, in their order, as getSingleTopic gives them; the files are read on the
    // global thread pool. Lets a caller list a large document in slices.
    QVariantList getTopics(const QStringList& ids) const;
    QString createTopic(const QVariantMap& topic, const QString& project_id) override;
    QVariantMap getSingleTopic(const QString& topic_id, const QString& project_id) const override;
    void editSingleTopic(const QString& topic_id, const QVariantMap& topic, const QString& project_id) override;
    void removeSingleTopic(const QString& topic_id, const QString& project_id) override;

    QVariantMap getBimSnippet(const QString& topic_id, const QString& project_id) const override;
    void setBimSnippet(const QString& topic_id, const QVariantMap& snippet, const QString& project_id) override;
    QByteArray* getBimSnippetContent(const QString& topic_id, const QString& project_id) const override;
    void setBimSnippetContent(const QString& topic_id, QByteArray* content, const QString& project_id) override;
    QVariantList getFile(const QString& topic_id, const QString& project_id) const override;
    void setFile(const QString& topic_id, const QVariantList& files, const QString& project_id) override;

    QVariantList getComment(const QString& topic_id, const QString& project_id) const override;
    QString createComment(const QString& topic_id, const QVariantMap& comment, const QString& project_id) override;
    QVariantMap getSingleComment(const QString& topic_id, const QString& comment_id,
                                 const QString& project_id) const override;
    void editSingleComment(const QString& topic_id, const QString& comment_id, const QVariantMap& comment,
                           const QString& project_id) override;
    void removeSingleComment(const QString& topic_id, const QString& comment_id, const QString& project_id) override;

    QStringList getRelatedTopics(const QString& topic_id, const QString& project_id) const override;
    void setRelatedTopics(const QString& topic_id, const QStringList& related, const QString& project_id) override;
    QVariantList getDocumentReference(const QString& topic_id, const QString& project_id) const override;
    void setDocumentReference(const QString& topic_id, const QVariantList& references,
                              const QString& project_id) override;

    QVariantList getViewpoint(const QString& topic_id, const QString& project_id) const override;
    QString createViewpoint(const QString& topic_id, const QVariantMap& viewpoint, const QString& project_id) override;
    QVariantMap getSingleViewpoint(const QString& topic_id, const QString& viewpoint_id,
                                   const QString& project_id) const override;
    void editSingleViewpoint(const QString& topic_id, const QString& viewpoint_id, const QVariantMap& viewpoint,
                             const QString& project_id) override;
    void removeSingleViewpoint(const QString& topic_id, const QString& viewpoint_id,
                               const QString& project_id) override;

    QByteArray* getSnapshotContent(const QString& topic_id, const QString& viewpoint_id,
                                   const QString& project_id) const override;
    void editSnapshotContent(const QString& topic_id, const QString& viewpoint_id, QByteArray* content,
                             const QString& project_id) override;
    QByteArray* getBitmapContent(const QString& topic_id, const QString& viewpoint_id, const QString& bitmap_id,
                                 const QString& project_id) const override;
    void editBitmapContent(const QString& topic_id, const QString& viewpoint_id, const QString& bitmap_id,
                           QByteArray* content, const QString& project_id) override;
    QVariantMap getComponent(const QString& topic_id, const QString& viewpoint_id,
                             const QString& project_id) const override;
    void setComponent(const QString& topic_id, const QString& viewpoint_id, const QVariantMap& components,
                      const QString& project_id) override;

    bool saveTopics(const QString& file_name) override;
    bool clearTopics() override;

    // Workflow
    QList<QAction*> getActions() override;
    QAction* getExtraAction() override;
    void actionUnselected(QAction* action) override;
    void checkToSaveCurrentBCF() override;
    bool openBCFFile(const QString& path);
    // Why the last change of the working cache that failed was not made (locked by another
    // program, no space left, read-only, an id the model refuses); for messages to the user.
    QString workingCacheError() const;
    // Why the topic file of topic_id cannot be read (damaged, too large, unreadable), for a topic
    // that lists as an empty record; empty when it reads or there is no such topic.
    QString topicFileError(const QString& topic_id) const;

    // The save question that open, new and the host's close handler ask before the current
    // document goes: when it is modified, Yes / No / Cancel. True when the caller may go on: the
    // document was unchanged, the user answered No, or answered Yes and it was saved. False keeps
    // the document as it is: Cancel, Escape, a closed box, or Yes followed by a cancelled save
    // dialog or a failed write. A host asks this in its close handler instead of
    // checkToSaveCurrentBCF(), so that the user is asked once and can stay.
    bool confirmDiscardOrSave();
    // The version the save command writes: "3.0" for a document read from a 3.0 file, else "2.1".
    QString documentVersion() const;

signals:
    // Another program changed the working cache (a topic edited, created or removed, another
    // document opened): a host that lists the topics lists them again. Changes made through this
    // process are not reported; changes close together are reported once.
    void workingCacheChanged();
    // exportToBCF1 wrote the BCF 1.0 archive at path.
    void exported(const QString& path);
    // The load of path (from the open dialog, a document entry or openBCFFile(path)) was refused;
    // the reason has been shown. Nothing was opened and the current document stays.
    void loadFailed(const QString& path);

protected slots:
    void openBCFFile(bool checked);
    void newBCFFile(bool checked);
    void saveBCFFile(bool checked);
    void openBCFEntry(bool checked);
    void saveBCFEntry(bool checked);
    // The save command: the current document in its version, to its path (asks for one if none).
    void saveDocument(bool checked);
    // "Save to BCF 3.0...": as saveBCFFile, in BCF 3.0.
    void saveBCF30File(bool checked);
    // "Save as...": asks for a path, writes the document in its version there.
    void saveBCFFileAs(bool checked);
    void exportToBCF1(bool checked);
    void fileChanged(const QString& path);
    void BCFLoadingFinished();
    void workingCacheTouched();

protected:
    // Store helpers
    int positionInList(const QString& id, const QVariantList& list) const;
    int commentPosition(const QString& comment_id, const QString& topic_id) const;
    int viewpointPosition(const QString& viewpoint_id, const QString& topic_id) const;
    void createSavingPath();

    // Workflow helpers
    QAction* getOrCreateOpenedAction(const QString& path);
    void createAndStartReaderThread();
    QStringList readFileHistory();
    void saveFileHistory() const;
    void checkFileHistorySize();

    QString m_userName;
    QFileSystemWatcher* m_watcher = nullptr;
    QMenu* m_saveMenu = nullptr;
    QAction* m_saveAction = nullptr;
    QAction* m_exportAction = nullptr;
    QAction* m_save30Action = nullptr;
    QAction* m_saveAsAction = nullptr;
    QThread* m_readerThread = nullptr;

private:
    // The topic records and the modified flag of the working document.
    std::unique_ptr<BCFCacheStore> m_store;

    // Workflow internals
    QAction* createFileEntry(const QString& path);
    void insertEntry(QAction* entry);
    void makeFileEntry(QAction* entry, const QString& path);
    QAction* currentEntry() const;
    QString currentFileName() const;
    void setCurrentDocument(const QString& path, QAction* entry);
    bool writeCacheTo(const QString& path, const QString& version);
    // Runs work (a save or an export) on a worker while this thread's event loop turns and user
    // input waits (BCFWorkerRun). One such write at a time: false, without running work, while
    // another is running. Loads that finish meanwhile are installed after it, once the signals of
    // the caller have been emitted.
    bool writeOnWorker(const std::function<void()>& work);
    bool saveCurrentDocument(QAction* source, const QString& version, bool askForPath);
    void startLoading(BCFLib::BCFLoadingWorker* worker, const QString& path);
    // Installs finished loads in order until one is being copied (true from installLoad).
    void installFinishedLoads();
    bool installLoad(BCFLib::BCFLoadingWorker* worker);
    // Builds the document of model in the side directory (on the reader thread); false, with the
    // reason and nothing left behind, when any part cannot be written.
    static bool buildDocument(const QSharedPointer<BCFLib::BCFModel>& model, const QString& side, QString* reason);
    void finishInstall(bool built, const QString& buildError, const QString& side, const QString& path,
                       QAction* openedAction, quint64 request);
    void reportFailedOpen(const QString& path, const QString& reason);

    // Every change of the working cache, by any program, creates and removes the lock file beside
    // the working directory; this watches that directory, and the timer gathers the notifications.
    QFileSystemWatcher* m_cacheWatcher = nullptr;
    QTimer* m_cacheChangeTimer = nullptr;

    // True while writeOnWorker waits for its worker (a save or an export; the event loop turns
    // meanwhile).
    bool m_writingCache = false;
    // The swap of a document whose build finished during such a write; it runs once the write is
    // done, so that the worker never reads a working directory that is being replaced.
    std::function<void()> m_afterWrite;
    // True while the reload question of the file watch is open.
    bool m_askingReload = false;
    // Loads are numbered as they are requested. A finished load is installed only when no later
    // request has been installed already, so the last requested file wins.
    quint64 m_lastLoadRequest = 0;
    quint64 m_installedLoadRequest = 0;
    // Finished loads that arrived while another was being installed (its warning box runs an event
    // loop); they are handled, in order, once that one is done.
    QList<BCFLib::BCFLoadingWorker*> m_finishedLoads;
    bool m_installingLoad = false;

    static constexpr int sFileHistorySize = 10;
};

} // namespace Vexamo
