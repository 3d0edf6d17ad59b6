#pragma once

#include <QByteArray>
#include <QString>
#include <QVariantMap>

namespace Vexamo {

// The text form of a topic record in the working cache: one JSON object, indented, UTF-8 without a
// byte-order mark. A record read back carries every number as a double and every other scalar
// (a date, for example) as the text it was written as. The bytes of a viewpoint's snapshot
// ("viewpoints"/n/"snapshot"/"snapshot_data") are written as base64 text, so that zero bytes and
// bytes that are not UTF-8 survive, and come back as the same QByteArray.
class BCFCacheRecordCodec
{
public:
    static QByteArray toJson(const QVariantMap& record);
    // The record held by json, read with QJsonDocument; empty, with the reason in *errorString when
    // given, when json is not valid JSON or its top level is no object. BCFCacheJsonReader gives the
    // same records several times faster and falls back on this reader.
    static QVariantMap fromJson(const QByteArray& json, QString* errorString = nullptr);
    // The bytes of a snapshot from its stored "snapshot_data": base64 text decoded; text that is not
    // base64 (written by hand or by another program) keeps its UTF-8 bytes.
    static QByteArray snapshotBytes(const QVariant& storedData);
};

} // namespace Vexamo
