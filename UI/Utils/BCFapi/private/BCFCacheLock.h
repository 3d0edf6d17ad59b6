#pragma once

#include <QString>

#include <memory>

class QLockFile;

namespace Vexamo {

// Serialises the changes of one working cache between processes (and between threads): a
// QLockFile beside the working directory. It lives beside it, not inside it, because opening a
// document exchanges the working directory whole, and the lock must stay where every process
// looks for it. A lock left by a process that died is taken over at once; one held by a living
// process is waited for at most waitMilliseconds.
//
// Held from construction to destruction when isLocked(); otherwise the change must not be made and
// errorString() says why (it is logged as well).
class BCFCacheLock
{
public:
    static const int DefaultWaitMilliseconds = 10000;

    // workingDirectory is the directory whose changes are serialised (with or without a trailing
    // separator).
    explicit BCFCacheLock(const QString& workingDirectory, int waitMilliseconds = DefaultWaitMilliseconds);
    ~BCFCacheLock();
    BCFCacheLock(const BCFCacheLock&) = delete;
    BCFCacheLock& operator=(const BCFCacheLock&) = delete;

    // The lock file of the working cache in workingDirectory.
    static QString lockFilePath(const QString& workingDirectory);

    bool isLocked() const { return m_locked; }
    // When a lock of this process was last released (ms since the epoch; 0 if never): lets a
    // watcher of the working cache tell its own changes from those of other programs.
    static qint64 lastReleaseInThisProcess();
    QString errorString() const { return m_errorString; }

private:
    static const int UnreadableLockGraceMilliseconds = 2000;
    void removeUnreadableLock();

    std::unique_ptr<QLockFile> m_lock;
    QString m_path;
    bool m_locked = false;
    QString m_errorString;
};

} // namespace Vexamo
