#pragma once

#include "BCFapi/BCFapiGlobal.h"

#include <QDomDocument>
#include <QDomElement>
#include <QString>
#include <QVariantMap>

#include <memory>

class QIODevice;
class QuaZip;

namespace Vexamo {

class BCFapi;
class OperationStatus;

// Writes the content of any BCFapi as a BCF 1.0 archive: one folder per topic, named by the topic's
// guid, holding "markup.bcf", and for a topic with viewpoints the first viewpoint's
// "viewpoint.bcfv" and "snapshot.png". The source is only read, never changed nor owned.
// A BCFCacheApi source (a subclass too) is read through getSingleTopic alone, once per topic, on
// the global thread pool: its records already hold comments, files, components and snapshots.
// Any other source is asked for each of them.
//
// The export reports its progress, a step per topic, as an OperationStatus titled "Exporting"
// and the file name.
//
// Problems are logged on the logger "Vexamo.Core.Utils.BCFapi.BCF1Export": ERROR messages stop the
// export (serialize returns false), WARN messages skip the item concerned.
class BCFAPI_EXPORT BCF1Export
{
public:
    explicit BCF1Export(BCFapi* source);
    BCF1Export(const BCF1Export& other);
    BCF1Export(BCF1Export&& other) noexcept;
    BCF1Export& operator=(const BCF1Export& other);
    BCF1Export& operator=(BCF1Export&& other) noexcept;
    ~BCF1Export();

    // Writes the archive at fileName, replacing an existing file only when the whole archive was
    // written. Returns false for a null source or after an ERROR message; the file at fileName is
    // then left as it was.
    bool serialize(const QString& fileName);

    // The markup document of one topic record; files and comments are read from the source.
    QDomDocument serializeTopic(const QVariantMap& topic);
    // The visualization document of one viewpoint record; its components are read from the source
    // under the guid of the topic that serialize visited last.
    QDomDocument serializeViewpoint(const QVariantMap& viewpoint);

private:
    // One entry of the archive, deflated and ready to be stored as it is.
    struct DeflatedEntry;
    // The entries of one topic, or why it is skipped (warning) or the export stops (error).
    struct TopicEntries;

    // The working cache as source: its records hold comments, files, components and snapshots, so
    // each topic file is read once. Topics are read, serialized and deflated on the global thread
    // pool, a few ahead of the one being written, and written in the cache's order.
    bool writeCacheTopics(QuaZip& zip, const class BCFCacheApi& cache, OperationStatus& progress);
    TopicEntries deflateTopic(const QVariantMap& topic);
    bool writeDeflatedEntry(QuaZip& zip, const DeflatedEntry& entry);
    // Any other source, one call of the source per item.
    bool writeSourceTopics(QuaZip& zip, OperationStatus& progress);

    bool writeTopicEntries(QuaZip& zip, const QVariantMap& topic);
    bool writeViewpointEntries(QuaZip& zip, const QVariantMap& viewpoint);

    bool serializeTopic(const QVariantMap& topic, QIODevice* device);
    bool serializeViewpoint(const QVariantMap& viewpoint, QIODevice* device);

    // Markup document
    void writeHeader(const QVariantMap& topic, QDomDocument& doc, QDomElement& root);
    void writeTopic(const QVariantMap& topic, QDomDocument& doc, QDomElement& root);
    void writeComments(const QVariantMap& topic, QDomDocument& doc, QDomElement& root);

    // Visualization document
    void writeComponents(const QVariantMap& viewpoint, QDomDocument& doc, QDomElement& root);
    void writeCameras(const QVariantMap& viewpoint, QDomDocument& doc, QDomElement& root);
    void writeLines(const QVariantMap& viewpoint, QDomDocument& doc, QDomElement& root);
    void writeClippingPlanes(const QVariantMap& viewpoint, QDomDocument& doc, QDomElement& root);

    // The exporter's logger; it keeps the logging library out of this header.
    struct Log;

    BCFapi* m_source = nullptr;
    QString m_currentTopicGuid;
    // Set on the copies that serialize records of the working cache: files, comments and
    // components are then taken from the records instead of the source.
    bool m_recordsComplete = false;
    std::unique_ptr<Log> m_log;
};

} // namespace Vexamo
