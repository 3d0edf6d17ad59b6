#pragma once

#include <QJsonObject>
#include <QJsonValue>
#include <QVariant>
#include <QVariantMap>

namespace Vexamo {
class BCFapi;
}

namespace BCFTool {

// Annotation records as JSON for "info --json". Binary content (snapshot images, blobs) is not
// printed: each QByteArray, and each base64 text under a key ending in "_data", becomes its size
// in bytes.
class RecordJson
{
public:
    static QJsonValue fromVariant(const QVariant& value);
    // A topic record with its comments and viewpoints; each viewpoint's "snapshot" is the byte
    // count of its snapshot image as the store gives it, and is absent when it has none.
    static QJsonObject topic(const Vexamo::BCFapi& api, const QVariantMap& topic);

private:
    static QJsonValue member(const QString& key, const QVariant& value);
};

} // namespace BCFTool
