#include "RecordJson.h"

#include "BCFapi/BCFKeys.h"
#include "BCFapi/BCFapi.h"

#include <QDateTime>
#include <QJsonArray>
#include <QStringList>

#include <memory>

namespace BCFTool {

using namespace Vexamo;

// The model library carries file contents inside records as base64 text under keys ending in
// "_data" (snippet and extension schema contents); they count as binary content too.
QJsonValue RecordJson::member(const QString& key, const QVariant& value)
{
    if (key.endsWith(QLatin1String("_data")) && value.userType() == QMetaType::QString)
        return QJsonValue(qint64(QByteArray::fromBase64(value.toString().toLatin1()).size()));
    return fromVariant(value);
}

QJsonValue RecordJson::fromVariant(const QVariant& value)
{
    switch (value.userType()) {
    case QMetaType::QByteArray:
        return QJsonValue(qint64(value.toByteArray().size()));
    case QMetaType::QVariantMap: {
        QJsonObject object;
        const QVariantMap map = value.toMap();
        for (auto it = map.cbegin(); it != map.cend(); ++it)
            object.insert(it.key(), member(it.key(), it.value()));
        return object;
    }
    case QMetaType::QVariantHash: {
        QJsonObject object;
        const QVariantHash hash = value.toHash();
        for (auto it = hash.cbegin(); it != hash.cend(); ++it)
            object.insert(it.key(), member(it.key(), it.value()));
        return object;
    }
    case QMetaType::QVariantList:
    case QMetaType::QStringList: {
        QJsonArray array;
        const QVariantList list = value.toList();
        for (const QVariant& item : list)
            array.append(fromVariant(item));
        return array;
    }
    case QMetaType::QDateTime:
        return value.toDateTime().toString(Qt::ISODateWithMs);
    default:
        return QJsonValue::fromVariant(value);
    }
}

QJsonObject RecordJson::topic(const BCFapi& api, const QVariantMap& topic)
{
    const QString topicId = topic.value(BCFKeys::Guid).toString();
    QJsonObject object = fromVariant(topic).toObject();

    QJsonArray viewpoints;
    const QVariantList records = topic.value(BCFKeys::Viewpoints).toList();
    for (const QVariant& record : records) {
        QJsonObject viewpoint = fromVariant(record).toObject();
        const QString viewpointId = record.toMap().value(BCFKeys::Guid).toString();
        const std::unique_ptr<QByteArray> snapshot(api.getSnapshotContent(topicId, viewpointId, QString()));
        if (snapshot)
            viewpoint.insert(BCFKeys::Snapshot, qint64(snapshot->size()));
        else
            viewpoint.remove(BCFKeys::Snapshot);
        viewpoints.append(viewpoint);
    }
    if (topic.contains(BCFKeys::Viewpoints))
        object.insert(BCFKeys::Viewpoints, viewpoints);
    return object;
}

} // namespace BCFTool
