#include "BCFCacheTopicFile.h"

#include "BCFCacheJsonReader.h"
#include "BCFCacheRecordCodec.h"
#include "BCFCacheTopicId.h"

#include "Utility/RemoveDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace Vexamo {

namespace {

const QLatin1String TopicFileName("annotation.json");

} // namespace

BCFCacheTopicFile::BCFCacheTopicFile(const QString& cachePath, const QString& topicId)
    : m_cachePath(cachePath)
    , m_topicId(topicId)
    , m_valid(BCFCacheTopicId::isSafe(topicId))
{
    if (m_valid) {
        m_directoryPath = cachePath + topicId;
        m_filePath = m_directoryPath + QDir::separator() + TopicFileName;
    }
}

bool BCFCacheTopicFile::hasDirectory() const
{
    if (!m_valid)
        return false;
    const QFileInfo info(m_directoryPath);
    return info.isDir() && !info.isSymLink();
}

bool BCFCacheTopicFile::createDirectory() const
{
    return m_valid && QDir(m_cachePath).mkdir(m_topicId);
}

bool BCFCacheTopicFile::removeDirectory() const
{
    // RemoveDir itself refuses symbolic links.
    return m_valid && RemoveDir(m_directoryPath);
}

bool BCFCacheTopicFile::isPlainFile() const
{
    const QFileInfo info(m_filePath);
    return info.isFile() && !info.isSymLink();
}

QVariantMap BCFCacheTopicFile::read(QString* error, const BCFCacheJsonReader::SnapshotReading& snapshots) const
{
    if (error)
        error->clear();
    if (!hasDirectory() || !isPlainFile())
        return QVariantMap();
    QFile file(m_filePath);
    // Binary mode: JSON takes CR LF line ends as whitespace, and text mode would cost a scan of
    // every byte.
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return QVariantMap();
    }
    BCFCacheJsonReader reader;
    reader.setSnapshotReading(snapshots);
    QVariantMap record;
    if (!reader.read(file, &record)) {
        qWarning("Topic %s not read: %s (%s)", qUtf8Printable(m_topicId), qUtf8Printable(reader.errorString()),
                 qUtf8Printable(m_filePath));
        if (error)
            *error = reader.errorString();
    }
    return record;
}

bool BCFCacheTopicFile::write(const QVariantMap& record, Durability durability) const
{
    if (!hasDirectory())
        return false;
    // A link in place of the file would have the write land wherever it points.
    if (QFileInfo(m_filePath).isSymLink())
        return false;
    const QByteArray json = BCFCacheRecordCodec::toJson(record);
    if (durability == Durability::Unflushed && !QFileInfo::exists(m_filePath))
        return writeNewUnflushed(json);

    QSaveFile file(m_filePath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return false;
    if (file.write(json) != json.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

// A new file written without the disk flush of QSaveFile: the content still appears whole or not
// at all (temporary file, then rename), but a system crash may lose it.
bool BCFCacheTopicFile::writeNewUnflushed(const QByteArray& json) const
{
    const QString temporaryPath = m_filePath + QStringLiteral(".new");
    QFile file(temporaryPath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
        return false;
    const bool written = file.write(json) == json.size() && file.flush();
    file.close();
    if (!written || file.error() != QFileDevice::NoError || !QFile::rename(temporaryPath, m_filePath)) {
        QFile::remove(temporaryPath);
        return false;
    }
    return true;
}

} // namespace Vexamo
