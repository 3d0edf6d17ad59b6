#include "BCFLib/ClippingPlane.h"

#include "BCFLib/RecordKeys.h"
#include "RecordValues.h"

namespace BCFLib {

QVariantMap ClippingPlane::toQVariant() const
{
    QVariantMap record;
    record.insert(Keys::Location, RecordValues::pointToRecord(location));
    record.insert(Keys::Direction, RecordValues::pointToRecord(direction));
    return record;
}

ClippingPlane ClippingPlane::fromQVariant(const QVariant& record)
{
    const QVariantMap map = record.toMap();
    ClippingPlane plane;
    plane.location = RecordValues::pointFromRecord(map.value(Keys::Location));
    plane.direction = RecordValues::pointFromRecord(map.value(Keys::Direction));
    return plane;
}

} // namespace BCFLib
