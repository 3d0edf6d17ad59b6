#include "BCFCacheRecordCodec.h"

#include "BCFCacheBase64.h"
#include "BCFapi/BCFKeys.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QUuid>
#include <QVector>
#include <QVariantList>

namespace Vexamo {

namespace {

// The containers are moved out of their QVariant before they are changed: the QVariant then no
// longer shares them, so the change copies nothing.
QVariantMap takeMap(QVariant& value)
{
    QVariantMap map = value.toMap();
    value.clear();
    return map;
}

QVariantList takeList(QVariant& value)
{
    QVariantList list = value.toList();
    value.clear();
    return list;
}

bool holdsMap(const QVariant& value)
{
    return value.userType() == QMetaType::QVariantMap || value.userType() == QMetaType::QVariantHash;
}

// Qt's JSON conversion hands whole numbers out as qlonglong; records carry every number as double.
void makeNumbersDouble(QVariant& value)
{
    switch (value.userType()) {
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Int:
    case QMetaType::UInt:
        value = QVariant(value.toDouble());
        break;
    case QMetaType::QVariantMap: {
        QVariantMap map = takeMap(value);
        for (QVariant& member : map)
            makeNumbersDouble(member);
        value = map;
        break;
    }
    case QMetaType::QVariantList: {
        QVariantList list = takeList(value);
        for (QVariant& entry : list)
            makeNumbersDouble(entry);
        value = list;
        break;
    }
    default:
        break;
    }
}

// Replaces the "snapshot_data" of each viewpoint's snapshot in record by convert(value).
template<typename Convert>
void convertSnapshotData(QVariantMap& record, Convert convert)
{
    const auto viewpointsIt = record.find(BCFKeys::Viewpoints);
    if (viewpointsIt == record.end() || viewpointsIt->userType() != QMetaType::QVariantList)
        return;
    QVariantList viewpoints = takeList(*viewpointsIt);
    for (QVariant& viewpointValue : viewpoints) {
        if (!holdsMap(viewpointValue))
            continue;
        QVariantMap viewpoint = takeMap(viewpointValue);
        const auto snapshotIt = viewpoint.find(BCFKeys::Snapshot);
        if (snapshotIt != viewpoint.end() && holdsMap(*snapshotIt)) {
            QVariantMap snapshot = takeMap(*snapshotIt);
            const auto dataIt = snapshot.find(BCFKeys::SnapshotData);
            if (dataIt != snapshot.end())
                *dataIt = convert(*dataIt);
            *snapshotIt = snapshot;
        }
        viewpointValue = viewpoint;
    }
    *viewpointsIt = viewpoints;
}

QVariant decodeBytes(const QVariant& data)
{
    return BCFCacheRecordCodec::snapshotBytes(data);
}

} // namespace

QByteArray BCFCacheRecordCodec::snapshotBytes(const QVariant& storedData)
{
    const QString text = storedData.toString();
    QByteArray bytes;
    if (BCFCacheBase64::decode(text, &bytes))
        return bytes;
    return text.toUtf8();
}

QByteArray BCFCacheRecordCodec::toJson(const QVariantMap& record)
{
    // Snapshot bytes do not go through QJsonDocument, which would hold their base64 text as UTF-16
    // and convert it back: each one stands in as a placeholder string, and its base64 text is then
    // written straight into the JSON text in the placeholder's place. The placeholders carry a
    // random tag, so no text of the record can pass for one.
    QVariantMap stored = record;
    QVector<QByteArray> snapshots;
    const QString tag = QStringLiteral("snapshot-%1-").arg(QUuid::createUuid().toString(QUuid::Id128));
    int encodedSize = 0;
    convertSnapshotData(stored, [&](const QVariant& data) {
        snapshots.append(data.toByteArray());
        encodedSize += BCFCacheBase64::encodedSize(snapshots.last().size());
        return QVariant(tag + QString::number(snapshots.size() - 1));
    });
    const QByteArray json = QJsonDocument::fromVariant(stored).toJson(QJsonDocument::Indented);
    if (snapshots.isEmpty())
        return json;

    const QByteArray marker = '"' + tag.toLatin1();
    QByteArray text;
    text.reserve(json.size() + encodedSize);
    int from = 0;
    for (int at = json.indexOf(marker); at >= 0; at = json.indexOf(marker, from)) {
        const int digits = at + marker.size();
        const int end = json.indexOf('"', digits);
        bool ok = false;
        const int index = json.mid(digits, end - digits).toInt(&ok);
        text.append(json.constData() + from, digits - from - tag.size());
        if (ok && index >= 0 && index < snapshots.size())
            BCFCacheBase64::appendEncoded(snapshots.at(index), &text);
        from = end;
    }
    text.append(json.constData() + from, json.size() - from);
    return text;
}

QVariantMap BCFCacheRecordCodec::fromJson(const QByteArray& json, QString* errorString)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) {
        if (errorString) {
            *errorString = error.error != QJsonParseError::NoError
                ? QStringLiteral("%1 at byte %2").arg(error.errorString()).arg(error.offset)
                : QStringLiteral("the top level is not a JSON object");
        }
        return QVariantMap();
    }

    QVariantMap record = document.object().toVariantMap();
    for (QVariant& member : record)
        makeNumbersDouble(member);
    convertSnapshotData(record, decodeBytes);
    return record;
}

} // namespace Vexamo
