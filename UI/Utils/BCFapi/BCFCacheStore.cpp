#include "BCFCacheStore.h"

#include "BCFCacheLock.h"
#include "BCFCacheTopicFile.h"
#include "BCFCacheTopicId.h"
#include "BCFapi/BCFKeys.h"

#include "Utility/NewId.h"
#include "Utility/RemoveDir.h"

#include <QDir>
#include <QThread>
#include <QDirIterator>
#include <QAtomicInt>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QtConcurrent/QtConcurrentMap>
#include <QtConcurrent/QtConcurrentRun>

#include <memory>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

namespace Vexamo {

BCFCacheStore::BCFCacheStore(const QString& directory)
    : m_directory(QDir::cleanPath(directory) + QDir::separator())
{
    m_removalPool.setMaxThreadCount(1);
    // A working directory left by an earlier run keeps its topics.
    createDirectory();
}

BCFCacheStore::~BCFCacheStore()
{
    m_removal.waitForFinished();
}

QString BCFCacheStore::defaultDirectory()
{
    return QStandardPaths::writableLocation(QStandardPaths::CacheLocation) + QDir::separator()
        + QStringLiteral("Annotations") + QDir::separator();
}

QString BCFCacheStore::topicFilePath(const QString& topic_id) const
{
    return BCFCacheTopicFile(m_directory, topic_id).filePath();
}

QString BCFCacheStore::documentProjectPath() const
{
    return m_directory + QLatin1String(".document-project.json");
}

void BCFCacheStore::createDirectory() const
{
    if (!QDir(m_directory).exists())
        QDir().mkpath(m_directory);
}

namespace {

QVariantMap readRecord(const QString& directory, const QString& topic_id, QString* error = nullptr,
                       const BCFCacheJsonReader::SnapshotReading& snapshots = BCFCacheJsonReader::SnapshotReading())
{
    QVariantMap record = BCFCacheTopicFile(directory, topic_id).read(error, snapshots);
    // The folder name is the topic's id: a folder renamed by hand, or a copy of a topic in a
    // second folder, is one topic of that name, listed, found, edited and saved under it, so that
    // every count agrees with what a save writes.
    const auto guid = record.find(BCFKeys::Guid);
    if (guid != record.end() && guid->toString() != topic_id)
        *guid = topic_id;
    return record;
}

} // namespace

QString BCFCacheStore::topicFileError(const QString& topic_id) const
{
    QString error;
    readRecord(m_directory, topic_id, &error);
    return error;
}

QVariantMap BCFCacheStore::readTopic(const QString& topic_id) const
{
    return readRecord(m_directory, topic_id);
}

QVariantMap BCFCacheStore::topicWithSnapshotsDescribed(const QString& topic_id, int headSize) const
{
    BCFCacheJsonReader::SnapshotReading described;
    described.describedHead = headSize;
    return readRecord(m_directory, topic_id, nullptr, described);
}

bool BCFCacheStore::writeTopic(const QString& topic_id, const QVariantMap& record) const
{
    return BCFCacheTopicFile(m_directory, topic_id).write(record);
}

bool BCFCacheStore::updateTopic(const QString& topic_id, const std::function<bool(QVariantMap&)>& change)
{
    if (!BCFCacheTopicId::isSafe(topic_id))
        return false;
    const BCFCacheLock lock(m_directory, m_lockWait);
    if (!lock.isLocked())
        return fail(lock.errorString());
    // A damaged topic file is left as it is: a change written over it would drop the whole topic.
    QString damage;
    QVariantMap record = readRecord(m_directory, topic_id, &damage);
    if (!damage.isEmpty())
        return fail(QStringLiteral("the topic file of %1 is damaged: %2").arg(topic_id, damage));
    if (!change(record))
        return true;
    m_modified = true;
    if (!BCFCacheTopicFile(m_directory, topic_id).hasDirectory())
        return true;
    return writeTopic(topic_id, record) || fail(writeError(topic_id));
}

bool BCFCacheStore::fail(const QString& reason) const
{
    m_errorString = reason;
    return false;
}

// Called right after the failed write, while errno still tells why (no space left, a read-only
// file system, permission denied, a file-size limit).
QString BCFCacheStore::writeError(const QString& topic_id) const
{
    const int error = errno;
    return QStringLiteral("the topic %1 could not be written in %2: %3")
        .arg(topic_id, m_directory, QString::fromLocal8Bit(::strerror(error)));
}

QVariantList BCFCacheStore::topics() const
{
    return topics(topicIds());
}

QStringList BCFCacheStore::topicIds() const
{
    QStringList ids;
    if (!QFileInfo(m_directory).isDir())
        return ids;
    QDirIterator it(m_directory, QDir::AllDirs | QDir::NoDotAndDotDot | QDir::NoSymLinks);
    while (it.hasNext()) {
        it.next();
        ids.append(it.fileName());
    }
    return ids;
}

QVariantList BCFCacheStore::topics(const QStringList& ids) const
{
    // Reading a topic file touches nothing of this object but the directory path, so the files
    // are parsed on both cores; blockingMapped keeps the order of ids.
    const QString directory = m_directory;
    const QList<QVariantMap> records = QtConcurrent::blockingMapped<QList<QVariantMap>>(
        ids, std::function<QVariantMap(const QString&)>([directory](const QString& id) {
            return readRecord(directory, id);
        }));
    QVariantList list;
    list.reserve(records.size());
    for (const QVariantMap& record : records)
        list.append(record);
    return list;
}

QString BCFCacheStore::createTopic(const QVariantMap& record)
{
    if (!QFileInfo(m_directory).isDir())
        return QString();

    QString id = record.value(BCFKeys::Guid).toString();
    if (id.isEmpty())
        id = NewId();
    const BCFCacheTopicFile file(m_directory, id);
    if (!file.isValid()) {
        fail(QStringLiteral("the topic id \"%1\" is not accepted").arg(id));
        return QString();
    }
    const std::unique_ptr<BCFCacheLock> lock(m_copyingDocument ? nullptr : new BCFCacheLock(m_directory, m_lockWait));
    if (lock && !lock->isLocked()) {
        fail(lock->errorString());
        return QString();
    }
    // An existing topic of that id is never overwritten, nor one whose id differs only in case
    // (the model takes them for one). A document being copied comes from the model, which has
    // checked that already.
    if (!m_copyingDocument && hasTopicNamedLike(id)) {
        fail(QStringLiteral("a topic %1 exists already").arg(id));
        return QString();
    }
    if (!file.createDirectory()) {
        fail(file.hasDirectory() ? QStringLiteral("a topic %1 exists already").arg(id) : writeError(id));
        return QString();
    }

    QVariantMap stored = record;
    stored.insert(BCFKeys::Guid, id);
    const auto durability = m_copyingDocument ? BCFCacheTopicFile::Durability::Unflushed
                                              : BCFCacheTopicFile::Durability::Flushed;
    if (!file.write(stored, durability)) {
        file.removeDirectory();
        fail(writeError(id));
        return QString();
    }
    m_modified = true;
    return id;
}

void BCFCacheStore::replaceTopic(const QString& topic_id, const QVariantMap& record)
{
    if (!BCFCacheTopicId::isSafe(topic_id))
        return;
    const BCFCacheLock lock(m_directory, m_lockWait);
    if (!lock.isLocked()) {
        fail(lock.errorString());
        return;
    }
    // A topic without a directory stays absent.
    if (BCFCacheTopicFile(m_directory, topic_id).hasDirectory() && !writeTopic(topic_id, record))
        fail(writeError(topic_id));
    m_modified = true;
}

void BCFCacheStore::removeTopic(const QString& topic_id)
{
    const BCFCacheTopicFile file(m_directory, topic_id);
    if (!file.isValid())
        return;
    const BCFCacheLock lock(m_directory, m_lockWait);
    if (!lock.isLocked()) {
        fail(lock.errorString());
        return;
    }
    m_modified = true;
    file.removeDirectory();
}

bool BCFCacheStore::clear()
{
    const BCFCacheLock lock(m_directory, m_lockWait);
    if (!lock.isLocked())
        return fail(lock.errorString());
    const bool removed = RemoveDir(m_directory);
    createDirectory();
    return removed;
}

namespace {

const QLatin1String SideMarker(".open-");
const QLatin1String AsideMarker(".aside-");

QString withoutSeparator(const QString& directory)
{
    return QDir::cleanPath(directory);
}

// "<base><marker><pid>-<n>" for this process.
QString sidePath(const QString& base, const QLatin1String& marker)
{
    static QAtomicInt counter;
    return base + marker + QString::number(::getpid()) + QLatin1Char('-') + QString::number(counter.fetchAndAddRelaxed(1));
}

bool processIsGone(qint64 pid)
{
    return pid != ::getpid() && pid > 0 && ::kill(pid_t(pid), 0) != 0 && errno == ESRCH;
}

bool exchange(const QString& first, const QString& second)
{
#ifdef RENAME_EXCHANGE
    return ::renameat2(AT_FDCWD, QFile::encodeName(first).constData(), AT_FDCWD,
                       QFile::encodeName(second).constData(), RENAME_EXCHANGE) == 0;
#else
    Q_UNUSED(first)
    Q_UNUSED(second)
    errno = EINVAL;
    return false;
#endif
}

} // namespace

QString BCFCacheStore::createSideDirectory()
{
    const QString path = sidePath(withoutSeparator(m_directory), SideMarker);
    if (!QDir().mkpath(path)) {
        fail(QStringLiteral("%1 could not be created").arg(path));
        return QString();
    }
    return path + QDir::separator();
}

bool BCFCacheStore::replaceWith(const QString& sideDirectory)
{
    const QString side = withoutSeparator(sideDirectory);
    const QString working = withoutSeparator(m_directory);
    m_errorString.clear();
    bool replaced = false;
    {
        const BCFCacheLock lock(m_directory, m_lockWait);
        if (!lock.isLocked()) {
            fail(lock.errorString());
        } else if (!QFileInfo(working).isDir()) {
            replaced = QFile::rename(side, working);
        } else if (exchange(side, working)) {
            replaced = true;
        } else {
            // Two renames: a crash in between leaves the previous document aside, and
            // removeLeftovers puts it back.
            const QString aside = sidePath(working, AsideMarker);
            if (QFile::rename(working, aside)) {
                replaced = QFile::rename(side, working);
                if (replaced)
                    QFile::rename(aside, side);
                else
                    QFile::rename(aside, working);
            }
        }
        if (!replaced && m_errorString.isEmpty())
            fail(QStringLiteral("%1 could not be replaced: %2").arg(working, QString::fromLocal8Bit(::strerror(errno))));
    }
    // The side directory now holds the previous document, or the new one that was refused.
    m_removal.waitForFinished();
    if (replaced)
        m_removal = QtConcurrent::run(&m_removalPool, [side] {
            // Only when nothing else wants the processor: a save or listing right after the open
            // must not wait behind the removal of thousands of folders.
            QThread::currentThread()->setPriority(QThread::IdlePriority);
            RemoveDir(side);
        });
    else
        RemoveDir(side);
    return replaced;
}

void BCFCacheStore::removeLeftovers(const QString& directory)
{
    const QString working = withoutSeparator(directory);
    const QFileInfo info(working);
    const QString prefix = info.fileName();
    QDirIterator it(info.path(), {prefix + QLatin1String(".*")}, QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString rest = it.fileName().mid(prefix.size());
        const bool aside = rest.startsWith(AsideMarker);
        if (!aside && !rest.startsWith(SideMarker))
            continue;
        const qint64 pid = rest.mid(aside ? AsideMarker.size() : SideMarker.size()).section(QLatin1Char('-'), 0, 0).toLongLong();
        if (!processIsGone(pid))
            continue;
        if (aside && !QFileInfo(working).exists() && QFile::rename(path, working))
            continue;
        RemoveDir(path);
    }
}

QVariantList BCFCacheStore::list(const QString& topic_id, const QString& listKey) const
{
    return readTopic(topic_id).value(listKey).toList();
}

QVariantMap BCFCacheStore::listEntry(const QString& topic_id, const QString& listKey, const QString& entry_id) const
{
    const QVariantList entries = list(topic_id, listKey);
    const int position = positionInList(entry_id, entries);
    return position < 0 ? QVariantMap() : entries.at(position).toMap();
}

QVariantMap BCFCacheStore::viewpointWithSnapshot(const QString& topic_id, const QString& viewpoint_id) const
{
    if (viewpoint_id.isEmpty())
        return listEntry(topic_id, BCFKeys::Viewpoints, viewpoint_id);
    BCFCacheJsonReader::SnapshotReading one;
    one.onlyOf = viewpoint_id;
    const QVariantList entries = readRecord(m_directory, topic_id, nullptr, one).value(BCFKeys::Viewpoints).toList();
    const int position = positionInList(viewpoint_id, entries);
    return position < 0 ? QVariantMap() : entries.at(position).toMap();
}

bool BCFCacheStore::hasTopicNamedLike(const QString& id) const
{
    QDirIterator it(m_directory, QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Hidden);
    while (it.hasNext()) {
        it.next();
        if (it.fileName().compare(id, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

QString BCFCacheStore::appendToList(const QString& topic_id, const QString& listKey, const QVariantMap& entry)
{
    QString id = entry.value(BCFKeys::Guid).toString();
    if (id.isEmpty())
        id = NewId();
    // Entries follow the model's rule too: an id it refuses, or one the list holds already in any
    // case, is not stored.
    if (!BCFCacheTopicId::isSafe(id)) {
        fail(QStringLiteral("the id \"%1\" is not accepted").arg(id));
        return QString();
    }
    bool taken = false;
    const bool safe = updateTopic(topic_id, [&](QVariantMap& record) {
        const QVariantList existing = record.value(listKey).toList();
        for (const QVariant& value : existing)
            taken = taken || value.toMap().value(BCFKeys::Guid).toString().compare(id, Qt::CaseInsensitive) == 0;
        if (taken)
            return false;
        QVariantMap stored = entry;
        stored.insert(BCFKeys::Guid, id);
        QVariantList entries = record.take(listKey).toList();
        entries.append(stored);
        record.insert(listKey, entries);
        return true;
    });
    if (taken)
        fail(QStringLiteral("an entry %1 exists already in topic %2").arg(id, topic_id));
    return safe && !taken ? id : QString();
}

void BCFCacheStore::replaceInList(const QString& topic_id, const QString& listKey, const QString& entry_id,
                                  const QVariantMap* replacement)
{
    updateTopic(topic_id, [&](QVariantMap& record) {
        QVariantList entries = record.take(listKey).toList();
        const int position = positionInList(entry_id, entries);
        if (position < 0)
            return false;
        if (replacement)
            entries[position] = *replacement;
        else
            entries.removeAt(position);
        record.insert(listKey, entries);
        return true;
    });
}

void BCFCacheStore::changeInList(const QString& topic_id, const QString& listKey, const QString& entry_id,
                                 const std::function<void(QVariantMap&)>& change)
{
    updateTopic(topic_id, [&](QVariantMap& record) {
        QVariantList entries = record.take(listKey).toList();
        const int position = positionInList(entry_id, entries);
        if (position < 0) {
            m_modified = true;
            return false;
        }
        QVariantMap entry = entries.at(position).toMap();
        change(entry);
        entries[position] = entry;
        record.insert(listKey, entries);
        return true;
    });
}

void BCFCacheStore::setMember(const QString& topic_id, const QString& member, const QVariant& value)
{
    updateTopic(topic_id, [&](QVariantMap& record) {
        if (value.isValid())
            record.insert(member, value);
        else
            record.remove(member);
        return true;
    });
}

int BCFCacheStore::positionInList(const QString& id, const QVariantList& list)
{
    for (int i = 0; i < list.size(); ++i) {
        const QVariantMap entry = list.at(i).toMap();
        const auto guid = entry.constFind(BCFKeys::Guid);
        if (guid != entry.constEnd() && guid->toString() == id)
            return i;
    }
    return -1;
}

} // namespace Vexamo
