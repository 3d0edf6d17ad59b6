#include "BCFCacheRecordCodec.h"

#include "BCFCacheBase64.h"
#include "BCFapi/BCFKeys.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
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

QVariant encodeBytes(const QVariant& data)
{
    return QString::fromLatin1(data.toByteArray().toBase64());
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
    QVariantMap stored = record;
    convertSnapshotData(stored, encodeBytes);
    return QJsonDocument::fromVariant(stored).toJson(QJsonDocument::Indented);
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
