#include "BCFapi/BCF1Export.h"

#include "BCF1ExportLog.h"
#include "BCFOrderedPipeline.h"
#include "BCFapi/BCFKeys.h"
#include "BCFapi/BCFapi.h"
#include "BCFapi/BCFCacheApi.h"

#include "QtTools/OperationStatus.h"

#include <QFileDevice>
#include <QFileInfo>
#include <QSaveFile>
#include <QTextStream>

#include "BCFLib/XmlText.h"

#include <quazip/quazip.h>
#include <quazip/quazipfile.h>
#include <quazip/quazipnewinfo.h>

#include <QBuffer>
#include <QVector>

#include <zlib.h>

#include <memory>

namespace Vexamo {

namespace {

// Every entry is read-only for everyone (Unix mode 0444) and stamped with the current time.
QuaZipNewInfo entryInfo(const QString& name)
{
    QuaZipNewInfo info(name);
    info.setPermissions(QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    return info;
}

// A topic guid names a folder of the archive. It must be one plain folder name, so that no entry
// can point outside the folder it is extracted into: not empty, not "." or "..", no path separator,
// no drive designator, no control character.
bool isPlainFolderName(const QString& name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    for (const QChar c : name) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QLatin1Char(':')
            || c.category() == QChar::Other_Control)
            return false;
    }
    return true;
}

// Saves an XML document into an archive entry as UTF-8 with the XML declaration, indented by 4.
// QDom writes characters that XML 1.0 cannot carry as they are, which would make the whole entry
// unreadable: they are dropped, as every other writer of BCF XML drops them, and counted in
// *removed.
bool saveDocument(const QDomDocument& doc, QIODevice* device, bool fixedNotation, int* removed)
{
    QString text;
    {
        QTextStream stream(&text);
        stream.setCodec("UTF-8");
        stream.setRealNumberPrecision(16);
        if (fixedNotation)
            stream.setRealNumberNotation(QTextStream::FixedNotation);
        doc.save(stream, 4, QDomNode::EncodingFromTextStream);
    }
    const QByteArray bytes = BCFLib::withoutXmlIllegalCharacters(text, removed).toUtf8();
    return device->write(bytes) == bytes.size();
}

// Deflates data as the raw stream of a zip entry (no zlib header), at the level QuaZipFile uses.
bool deflateRaw(const QByteArray& data, QByteArray* deflated)
{
    z_stream stream{};
    if (deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        return false;
    deflated->resize(int(deflateBound(&stream, uLong(data.size()))));
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.constData()));
    stream.avail_in = uInt(data.size());
    stream.next_out = reinterpret_cast<Bytef*>(deflated->data());
    stream.avail_out = uInt(deflated->size());
    const int result = deflate(&stream, Z_FINISH);
    deflated->resize(int(stream.total_out));
    deflateEnd(&stream);
    return result == Z_STREAM_END;
}

} // namespace

struct BCF1Export::DeflatedEntry {
    QString name;
    QByteArray deflated;
    quint32 crc = 0;
    qint64 size = 0;
    // Logged when the entry cannot be created in the archive.
    const char* createError = "";
};

struct BCF1Export::TopicEntries {
    QVector<DeflatedEntry> entries;
    QString warning;
    QString error;
};

BCF1Export::BCF1Export(BCFapi* source)
    : m_source(source)
    , m_log(std::make_unique<Log>())
{
}

BCF1Export::BCF1Export(const BCF1Export& other)
    : m_source(other.m_source)
    , m_currentTopicGuid(other.m_currentTopicGuid)
    , m_log(std::make_unique<Log>())
{
}

// Each object keeps a logger of its own, so a moved-from exporter can still log.
BCF1Export::BCF1Export(BCF1Export&& other) noexcept
    : m_source(other.m_source)
    , m_currentTopicGuid(std::move(other.m_currentTopicGuid))
    , m_log(std::make_unique<Log>())
{
}

BCF1Export& BCF1Export::operator=(const BCF1Export& other)
{
    m_source = other.m_source;
    m_currentTopicGuid = other.m_currentTopicGuid;
    return *this;
}

BCF1Export& BCF1Export::operator=(BCF1Export&& other) noexcept
{
    m_source = other.m_source;
    m_currentTopicGuid = std::move(other.m_currentTopicGuid);
    return *this;
}
BCF1Export::~BCF1Export() = default;

bool BCF1Export::serialize(const QString& fileName)
{
    m_currentTopicGuid.clear();
    if (!m_source)
        return false;

    // The archive is written to a temporary file beside the target and moved over it only once it
    // is complete, so a failed export never destroys an existing file nor leaves a partial one.
    QSaveFile target(fileName);
    QuaZip zip(&target);
    zip.setAutoClose(false);
    if (!target.open(QIODevice::WriteOnly) || !zip.open(QuaZip::mdCreate)) {
        BCF1EXPORT_ERROR(QStringLiteral("BCF 1 export error : can't create BCF1 bcfzip file named %1.").arg(fileName));
        return false;
    }

    OperationStatus progress(QStringLiteral("Exporting %1").arg(QFileInfo(fileName).fileName()), 0, true);
    const auto* cache = qobject_cast<const BCFCacheApi*>(m_source);
    if (!(cache ? writeCacheTopics(zip, *cache, progress) : writeSourceTopics(zip, progress)))
        return false;

    // Writes the central directory; only a complete archive replaces the target.
    zip.close();
    if (zip.getZipError() != ZIP_OK) {
        BCF1EXPORT_ERROR("BCF 1 export error : can't zip file");
        return false;
    }
    if (!target.commit()) {
        BCF1EXPORT_ERROR(QStringLiteral("BCF 1 export error : can't write BCF1 bcfzip file named %1.").arg(fileName));
        return false;
    }
    return true;
}

bool BCF1Export::writeCacheTopics(QuaZip& zip, const BCFCacheApi& cache, OperationStatus& progress)
{
    const QStringList ids = cache.topicIds();
    progress.addMax(ids.size());
    const BCF1Export prototype(*this);
    const std::function<TopicEntries(int)> produce = [&](int index) {
        // Each topic gets an exporter of its own: serializing keeps state in the object.
        BCF1Export exporter(prototype);
        exporter.m_recordsComplete = true;
        return exporter.deflateTopic(cache.getSingleTopic(ids.at(index), QString()));
    };
    const std::function<bool(TopicEntries&)> consume = [&](TopicEntries& topic) {
        if (!topic.warning.isEmpty())
            BCF1EXPORT_WARN(topic.warning);
        if (!topic.error.isEmpty()) {
            BCF1EXPORT_ERROR(topic.error);
            return false;
        }
        for (const DeflatedEntry& entry : qAsConst(topic.entries)) {
            if (!writeDeflatedEntry(zip, entry))
                return false;
        }
        progress.addStep(1);
        return true;
    };
    return runOrderedPipeline<TopicEntries>(ids.size(), produce, consume);
}

BCF1Export::TopicEntries BCF1Export::deflateTopic(const QVariantMap& topic)
{
    TopicEntries result;
    m_currentTopicGuid = topic.value(BCFKeys::Guid).toString();
    if (topic.isEmpty()) {
        result.warning = QStringLiteral("BCF 1 export warning : empty topic, can't write it");
        return result;
    }
    if (!isPlainFolderName(m_currentTopicGuid)) {
        result.warning = QStringLiteral("BCF 1 export warning : unsafe topic guid, can't write it");
        return result;
    }

    auto add = [&](const QString& name, const QByteArray& data, const char* createError) {
        DeflatedEntry entry;
        entry.name = m_currentTopicGuid + name;
        entry.size = data.size();
        entry.crc = quint32(crc32(0L, reinterpret_cast<const Bytef*>(data.constData()), uInt(data.size())));
        entry.createError = createError;
        if (!deflateRaw(data, &entry.deflated)) {
            result.error = QStringLiteral("BCF 1 export error : can't zip file");
            return false;
        }
        result.entries.append(entry);
        return true;
    };

    // The entries are opened in text mode, as the archive's own entries are.
    QBuffer markup;
    markup.open(QIODevice::WriteOnly | QIODevice::Text);
    if (!serializeTopic(topic, &markup)) {
        result.error = QStringLiteral("BCF 1 export error : can't serialize topic");
        return result;
    }
    if (!add(QStringLiteral("/markup.bcf"), markup.data(), "BCF 1 export error : can't create markup.bcf file"))
        return result;

    // Only the presence of the key tells whether the topic has viewpoints; only the first is written.
    if (!topic.contains(BCFKeys::Viewpoints))
        return result;
    const QVariantList viewpoints = topic.value(BCFKeys::Viewpoints).toList();
    const QVariantMap viewpoint = viewpoints.isEmpty() ? QVariantMap() : viewpoints.first().toMap();
    if (viewpoint.isEmpty())
        return result;
    QBuffer visualization;
    visualization.open(QIODevice::WriteOnly | QIODevice::Text);
    if (!serializeViewpoint(viewpoint, &visualization)) {
        result.error = QStringLiteral("BCF 1 export error : can't serialize viewpoint");
        return result;
    }
    if (!add(QStringLiteral("/viewpoint.bcfv"), visualization.data(),
             "BCF 1 export error : can't create viewpoint.bcfv file"))
        return result;

    if (!viewpoint.contains(BCFKeys::Snapshot))
        return result;
    add(QStringLiteral("/snapshot.png"),
        viewpoint.value(BCFKeys::Snapshot).toMap().value(BCFKeys::SnapshotData).toByteArray(),
        "BCF 1 export error : can't create snapshot.png file");
    return result;
}

bool BCF1Export::writeDeflatedEntry(QuaZip& zip, const DeflatedEntry& entry)
{
    QuaZipFile file(&zip);
    QuaZipNewInfo info = entryInfo(entry.name);
    info.uncompressedSize = ulong(entry.size);
    if (!file.open(QIODevice::WriteOnly, info, nullptr, entry.crc, Z_DEFLATED, Z_DEFAULT_COMPRESSION, true)) {
        BCF1EXPORT_ERROR(entry.createError);
        return false;
    }
    if (file.write(entry.deflated) != entry.deflated.size()) {
        BCF1EXPORT_ERROR("BCF 1 export error : can't zip file");
        return false;
    }
    file.close();
    if (file.getZipError() != ZIP_OK) {
        BCF1EXPORT_ERROR("BCF 1 export error : can't zip file");
        return false;
    }
    return true;
}

bool BCF1Export::writeSourceTopics(QuaZip& zip, OperationStatus& progress)
{
    const QVariantList topics = m_source->getTopic(QString());
    progress.addMax(topics.size());
    for (const QVariant& entry : topics) {
        progress.addStep(1);
        m_currentTopicGuid = entry.toMap().value(BCFKeys::Guid).toString();
        const QVariantMap topic = m_source->getSingleTopic(m_currentTopicGuid, QString());
        if (topic.isEmpty()) {
            BCF1EXPORT_WARN("BCF 1 export warning : empty topic, can't write it");
            continue;
        }
        if (!isPlainFolderName(m_currentTopicGuid) || !isPlainFolderName(topic.value(BCFKeys::Guid).toString())) {
            BCF1EXPORT_WARN("BCF 1 export warning : unsafe topic guid, can't write it");
            continue;
        }
        if (!writeTopicEntries(zip, topic))
            return false;
    }
    return true;
}

bool BCF1Export::writeTopicEntries(QuaZip& zip, const QVariantMap& topic)
{
    const QString topicGuid = topic.value(BCFKeys::Guid).toString();
    QuaZipFile markup(&zip);
    if (!markup.open(QIODevice::WriteOnly | QIODevice::Text, entryInfo(topicGuid + QLatin1String("/markup.bcf")))) {
        BCF1EXPORT_ERROR("BCF 1 export error : can't create markup.bcf file");
        return false;
    }
    if (!serializeTopic(topic, &markup)) {
        BCF1EXPORT_ERROR("BCF 1 export error : can't serialize topic");
        return false;
    }
    markup.close();
    if (markup.getZipError() != ZIP_OK) {
        BCF1EXPORT_ERROR("BCF 1 export error : can't zip file");
        return false;
    }

    // Only the presence of the key tells whether the topic has viewpoints; only the first is written.
    if (!topic.contains(BCFKeys::Viewpoints))
        return true;
    const QVariantList viewpoints = m_source->getViewpoint(topicGuid, QString());
    if (viewpoints.isEmpty())
        return true;
    const QVariantMap viewpoint = viewpoints.first().toMap();
    if (viewpoint.isEmpty())
        return true;
    return writeViewpointEntries(zip, viewpoint);
}

bool BCF1Export::writeViewpointEntries(QuaZip& zip, const QVariantMap& viewpoint)
{
    QuaZipFile visualization(&zip);
    if (!visualization.open(QIODevice::WriteOnly | QIODevice::Text,
                            entryInfo(m_currentTopicGuid + QLatin1String("/viewpoint.bcfv")))) {
        BCF1EXPORT_ERROR("BCF 1 export error : can't create viewpoint.bcfv file");
        return false;
    }
    if (!serializeViewpoint(viewpoint, &visualization)) {
        BCF1EXPORT_ERROR("BCF 1 export error : can't serialize viewpoint");
        return false;
    }
    visualization.close();
    if (visualization.getZipError() != ZIP_OK) {
        BCF1EXPORT_ERROR("BCF 1 export error : can't zip file");
        return false;
    }

    const std::unique_ptr<QByteArray> snapshot(
        m_source->getSnapshotContent(m_currentTopicGuid, viewpoint.value(BCFKeys::Guid).toString(), QString()));
    if (!snapshot)
        return true;
    QuaZipFile image(&zip);
    if (!image.open(QIODevice::WriteOnly, entryInfo(m_currentTopicGuid + QLatin1String("/snapshot.png")))) {
        BCF1EXPORT_ERROR("BCF 1 export error : can't create snapshot.png file");
        return false;
    }
    // A short write would leave a truncated image in the archive: it is a failure as well.
    if (image.write(*snapshot) != snapshot->size()) {
        BCF1EXPORT_ERROR("BCF 1 export error : can't write snapshot");
        return false;
    }
    image.close();
    if (image.getZipError() != ZIP_OK) {
        BCF1EXPORT_ERROR("BCF 1 export error : can't zip file");
        return false;
    }
    return true;
}

bool BCF1Export::serializeTopic(const QVariantMap& topic, QIODevice* device)
{
    // The entry was opened in text mode already.
    int removed = 0;
    const bool saved = saveDocument(serializeTopic(topic), device, false, &removed);
    if (removed > 0)
        BCF1EXPORT_WARN(QStringLiteral("Topic %1: %2 character(s) that XML cannot carry were dropped")
                            .arg(m_currentTopicGuid).arg(removed));
    return saved;
}

bool BCF1Export::serializeViewpoint(const QVariantMap& viewpoint, QIODevice* device)
{
    device->setTextModeEnabled(true);
    int removed = 0;
    const bool saved = saveDocument(serializeViewpoint(viewpoint), device, true, &removed);
    if (removed > 0)
        BCF1EXPORT_WARN(QStringLiteral("Topic %1: %2 character(s) that XML cannot carry were dropped from a viewpoint")
                            .arg(m_currentTopicGuid).arg(removed));
    return saved;
}

} // namespace Vexamo
