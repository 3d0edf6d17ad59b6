#include "BCFCacheLock.h"

#include <QCoreApplication>
#include <QAtomicInteger>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>

namespace Vexamo {

BCFCacheLock::BCFCacheLock(const QString& workingDirectory, int waitMilliseconds)
    : m_lock(std::make_unique<QLockFile>(lockFilePath(workingDirectory)))
    , m_path(lockFilePath(workingDirectory))
{
    // Only the death of its holder makes a lock stale: a long change (a large topic rewritten on a
    // slow disk) must never be taken over while it runs.
    m_lock->setStaleLockTime(0);
    QDeadlineTimer deadline(waitMilliseconds);
    for (;;) {
        m_locked = m_lock->tryLock(qMin<qint64>(deadline.remainingTime(), 100));
        if (m_locked || m_lock->error() != QLockFile::LockFailedError || deadline.hasExpired())
            break;
        removeUnreadableLock();
    }
    if (m_locked)
        return;
    switch (m_lock->error()) {
    case QLockFile::LockFailedError:
        m_errorString = QCoreApplication::translate("BCFCacheLock", "the working cache is locked by another program");
        break;
    case QLockFile::PermissionError:
        m_errorString = QCoreApplication::translate("BCFCacheLock", "the working cache is read-only");
        break;
    default:
        m_errorString = QCoreApplication::translate("BCFCacheLock", "the working cache could not be locked");
        break;
    }
    qWarning("Working cache change refused: %s (%s)", qUtf8Printable(m_errorString),
             qUtf8Printable(m_path));
}

// A process killed between creating the lock file and writing its id into it leaves a lock that
// QLockFile cannot tell from a live one. Such a file, still unreadable after a while, is removed.
void BCFCacheLock::removeUnreadableLock()
{
    qint64 pid = 0;
    QString host;
    QString application;
    if (m_lock->getLockInfo(&pid, &host, &application))
        return;
    const QFileInfo info(m_path);
    if (info.exists() && info.lastModified().msecsTo(QDateTime::currentDateTime()) > UnreadableLockGraceMilliseconds)
        QFile::remove(m_path);
}

namespace {

QAtomicInteger<qint64> lastRelease(0);

} // namespace

BCFCacheLock::~BCFCacheLock()
{
    if (m_locked) {
        m_lock->unlock();
        lastRelease.storeRelease(QDateTime::currentMSecsSinceEpoch());
    }
}

qint64 BCFCacheLock::lastReleaseInThisProcess()
{
    return lastRelease.loadAcquire();
}

QString BCFCacheLock::lockFilePath(const QString& workingDirectory)
{
    return QDir::cleanPath(workingDirectory) + QStringLiteral(".lock");
}

} // namespace Vexamo
