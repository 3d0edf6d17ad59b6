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

// Writes the content of any BCFapi as a BCF 1.0 archive: one folder per topic, named by the topic's
// guid, holding "markup.bcf", and for a topic with viewpoints the first viewpoint's
// "viewpoint.bcfv" and "snapshot.png". The source is only read, never changed nor owned.
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
    std::unique_ptr<Log> m_log;
};

} // namespace Vexamo
