#include "RecordValues.h"

#include "BCFLib/RecordKeys.h"

namespace BCFLib {
namespace RecordValues {

QVariantMap pointToRecord(const osg::Vec3d& point)
{
    QVariantMap record;
    record.insert(Keys::X, point.x());
    record.insert(Keys::Y, point.y());
    record.insert(Keys::Z, point.z());
    return record;
}

osg::Vec3d pointFromRecord(const QVariant& record)
{
    const QVariantMap map = record.toMap();
    return osg::Vec3d(doubleFromRecord(map.value(Keys::X)), doubleFromRecord(map.value(Keys::Y)),
                      doubleFromRecord(map.value(Keys::Z)));
}

QString bytesToRecord(const QByteArray& bytes)
{
    return QString::fromLatin1(bytes.toBase64());
}

QByteArray bytesFromRecord(const QVariant& value)
{
    if (value.userType() == QMetaType::QByteArray)
        return value.toByteArray();
    return QByteArray::fromBase64(value.toString().toLatin1());
}

double doubleFromRecord(const QVariant& value, double fallback)
{
    if (!value.isValid())
        return fallback;
    bool ok = false;
    const double result = value.toDouble(&ok);
    return ok ? result : fallback;
}

int intFromRecord(const QVariant& value, int fallback)
{
    if (!value.isValid() || value.isNull())
        return fallback;
    bool ok = false;
    const double result = value.toDouble(&ok);
    if (!ok || result < double(INT_MIN) || result > double(INT_MAX))
        return fallback;
    return int(result);
}

bool boolFromRecord(const QVariant& value, bool fallback)
{
    if (!value.isValid())
        return fallback;
    if (value.userType() == QMetaType::QString) {
        const QString text = value.toString().trimmed().toLower();
        if (text == QLatin1String("true") || text == QLatin1String("1"))
            return true;
        if (text == QLatin1String("false") || text == QLatin1String("0"))
            return false;
        return fallback;
    }
    return value.toBool();
}

void insertIfNotEmpty(QVariantMap& record, const QString& key, const QString& value)
{
    if (!value.isEmpty())
        record.insert(key, value);
}

} // namespace RecordValues
} // namespace BCFLib
