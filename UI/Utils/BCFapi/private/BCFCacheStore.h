#pragma once

#include "BCFapi/BCFapiGlobal.h"

#include <QFuture>
#include <QThreadPool>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <QVariantMap>

#include <functional>

namespace Vexamo {

// The working cache's record store: one directory per topic below the working directory, each
// holding "annotation.json" with the whole topic record (BCFCacheTopicFile). Comments, viewpoints
// and attachments are members of that record.
//
// Every access to a topic file goes through readTopic (the one read) and writeTopic (the one
// write); every change of an existing topic is one call of updateTopic (read, change, write).
// Topic ids that BCFCacheTopicId refuses are never touched on disk. A topic's id is the name of
// its directory: a record whose "guid" names another directory is read with its own directory's name.
//
// Every change (updateTopic, createTopic, replaceTopic, removeTopic, clear) holds the lock of the
// working cache (BCFCacheLock) while it runs, so that the changes of several programs on one
// working cache never undo one another. A change that cannot get the lock in time is not made.
// Reads take no lock: every file is replaced in one step, so no reader sees half a file.
//
// The store keeps the modified flag of the working document: each change through it sets the flag,
// the workflow clears it when the document was saved, opened or emptied.
class BCFAPI_EXPORT BCFCacheStore
{
public:
    // directory is the working directory; a missing one is created.
    explicit BCFCacheStore(const QString& directory);
    // Waits until the previous document that replaceWith set aside is removed.
    ~BCFCacheStore();
    BCFCacheStore(const BCFCacheStore&) = delete;
    BCFCacheStore& operator=(const BCFCacheStore&) = delete;

    // The working directory of every working cache of the application: "Annotations" in the
    // application's cache location.
    static QString defaultDirectory();

    // The working directory, ending with a directory separator.
    QString directory() const { return m_directory; }
    QString topicFilePath(const QString& topic_id) const;
    // The file that keeps the project of the document (id, name) between open and save.
    QString documentProjectPath() const;

    // Creates the working directory (with its parents) when it is missing.
    void createDirectory() const;

    // Why the last change that failed was refused or not written (locked by another program,
    // write failed, id not accepted).
    QString errorString() const { return m_errorString; }

    // How long a change waits for the lock that another program holds.
    void setLockWaitMilliseconds(int wait) { m_lockWait = wait; }

    bool isModified() const { return m_modified; }
    void setModified(bool modified) { m_modified = modified; }

    // While set, new topic files are left to the system's write-back instead of being forced to
    // disk one by one: for a document being opened, which can be copied again from its file.
    void setCopyingDocument(bool copying) { m_copyingDocument = copying; }

    // Every topic record, in the file system's order. Subdirectories only: no plain files, hidden
    // entries or links; a directory whose topic file cannot be read gives an empty record.
    // The files are read and decoded on the global thread pool.
    QVariantList topics() const;
    // The ids of the topics that topics() lists, in the same order, from the directory names alone:
    // no topic file is read.
    QStringList topicIds() const;
    // The records of ids, in their order, read on the global thread pool; unknown or unsafe ids give
    // empty records.
    QVariantList topics(const QStringList& ids) const;
    // The topic's record; empty for an unknown or unsafe id.
    QVariantMap topic(const QString& topic_id) const { return readTopic(topic_id); }
    // Why the topic file of topic_id cannot be read (damaged, too large, unreadable); empty when it
    // reads or there is none.
    QString topicFileError(const QString& topic_id) const;
    // Stores a new topic under its "guid" (a new id when it has none) and returns the id; empty
    // when the id is unsafe, already taken (in any case) or the write fails (nothing is then left
    // behind).
    QString createTopic(const QVariantMap& record);
    // Replaces the record of an existing topic whole. An unsafe id changes nothing; an unknown one
    // writes nothing but counts as a change.
    void replaceTopic(const QString& topic_id, const QVariantMap& record);
    void removeTopic(const QString& topic_id);
    // Removes every topic and leaves an empty working directory; false when the directory could not
    // be removed.
    bool clear();

    // Replacing the whole document (open, new): the new document is built in a side directory
    // beside the working directory and exchanged with it in one step, so that an interruption at
    // any moment leaves either the previous document or the new one, each whole, with its project
    // file.
    //
    // A new, empty side directory of this process ("<working directory>.open-<pid>-<n>"), ending
    // with a separator; empty (with errorString()) when it cannot be created.
    QString createSideDirectory();
    // Under the lock, exchanges the working directory with sideDirectory (renameat2 with
    // RENAME_EXCHANGE; two renames where the file system cannot exchange) and removes the previous
    // document on a worker thread: deleting thousands of topic folders would otherwise hold up the
    // caller (the user-interface thread) for seconds. Until it is gone, the previous document waits
    // in the side directory, which the next replacement and the destructor wait for, and which
    // removeLeftovers removes should the process die first. False, with errorString() and the
    // working directory as it was, when the exchange fails; the side directory is then removed.
    bool replaceWith(const QString& sideDirectory);
    // Removes the side directories that processes which no longer run left beside directory, and
    // puts back a working directory that an interrupted two-rename replacement left aside.
    static void removeLeftovers(const QString& directory);

    // The list member listKey of a topic ("comments", "viewpoints") and one entry of it by "guid".
    QVariantList list(const QString& topic_id, const QString& listKey) const;
    QVariantMap listEntry(const QString& topic_id, const QString& listKey, const QString& entry_id) const;
    // listEntry(topic_id, "viewpoints", viewpoint_id), decoding no snapshot of the topic file but
    // this viewpoint's: for a caller that wants one image.
    QVariantMap viewpointWithSnapshot(const QString& topic_id, const QString& viewpoint_id) const;
    // topic(topic_id) with each snapshot's data described ({"size", "head"} of headSize bytes, see
    // BCFCacheJsonReader::SnapshotReading) instead of decoded: for a save that reads the images
    // when it writes them.
    QVariantMap topicWithSnapshotsDescribed(const QString& topic_id, int headSize) const;
    // Appends entry (under a new "guid" when it has none) and returns its id. Under an unknown topic
    // nothing is stored and the id is returned all the same; an unsafe topic id, an entry id the
    // model would refuse or one the list holds already (in any case) gives an empty id.
    QString appendToList(const QString& topic_id, const QString& listKey, const QVariantMap& entry);
    // Replaces (null: removes) the first entry entry_id of the list. The replacement is stored
    // whole, whatever "guid" it carries; an unknown entry changes nothing.
    void replaceInList(const QString& topic_id, const QString& listKey, const QString& entry_id,
                       const QVariantMap* replacement);
    // Lets change rewrite the entry entry_id in place; an unknown entry counts as a change all the
    // same (a snapshot or component edit of a missing viewpoint).
    void changeInList(const QString& topic_id, const QString& listKey, const QString& entry_id,
                      const std::function<void(QVariantMap&)>& change);
    // Sets a member of the topic record; an invalid value removes it.
    void setMember(const QString& topic_id, const QString& member, const QVariant& value);

    // The position of the first map in list whose "guid" is id, or -1.
    static int positionInList(const QString& id, const QVariantList& list);

private:
    QVariantMap readTopic(const QString& topic_id) const;
    bool writeTopic(const QString& topic_id, const QVariantMap& record) const;
    // The one read-change-write of an existing topic. change returns false to leave the topic as
    // it is; true marks the document modified and writes the record back (nothing is written for
    // an unknown topic). Returns false for an unsafe id, and when the lock of the working cache
    // could not be had or the write failed (errorString() says why): the change is then not kept.
    // The read-change-write runs under the lock, so that no other process's change is lost.
    bool updateTopic(const QString& topic_id, const std::function<bool(QVariantMap&)>& change);

    bool fail(const QString& reason) const;
    bool hasTopicNamedLike(const QString& id) const;
    QString writeError(const QString& topic_id) const;

    QString m_directory;
    mutable QString m_errorString;
    int m_lockWait = 10000;
    bool m_modified = false;
    bool m_copyingDocument = false;
    // The previous document is removed on a thread of its own, not on the global pool, which the
    // reads of the next save or listing need.
    QThreadPool m_removalPool;
    QFuture<void> m_removal;
};

} // namespace Vexamo
