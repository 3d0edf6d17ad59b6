#include "BCFLib/Bitmap.h"

#include "BCFLib/RecordKeys.h"
#include "RecordValues.h"

#include "Utility/NewId.h"

namespace BCFLib {

QVariantMap Bitmap::toQVariant() const
{
    QVariantMap record;
    record.insert(Keys::Guid, guid);
    record.insert(Keys::BitmapType, format);
    record.insert(Keys::Reference, reference);
    record.insert(Keys::Location, RecordValues::pointToRecord(location));
    record.insert(Keys::Normal, RecordValues::pointToRecord(normal));
    record.insert(Keys::Up, RecordValues::pointToRecord(up));
    record.insert(Keys::Height, height);
    if (!data.isEmpty())
        record.insert(Keys::BitmapData, RecordValues::bytesToRecord(data));
    return record;
}

Bitmap Bitmap::fromQVariant(const QVariant& record)
{
    const QVariantMap map = record.toMap();
    Bitmap bitmap;
    bitmap.guid = map.value(Keys::Guid).toString();
    if (bitmap.guid.isEmpty())
        bitmap.guid = Vexamo::NewId();
    bitmap.format = map.value(Keys::BitmapType).toString();
    bitmap.reference = map.value(Keys::Reference).toString();
    bitmap.location = RecordValues::pointFromRecord(map.value(Keys::Location));
    bitmap.normal = RecordValues::pointFromRecord(map.value(Keys::Normal));
    bitmap.up = RecordValues::pointFromRecord(map.value(Keys::Up));
    bitmap.height = RecordValues::doubleFromRecord(map.value(Keys::Height));
    bitmap.data = RecordValues::bytesFromRecord(map.value(Keys::BitmapData));
    return bitmap;
}

} // namespace BCFLib
