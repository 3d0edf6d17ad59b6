#include "BCFLib/OrthogonalCamera.h"

#include "BCFLib/RecordKeys.h"
#include "RecordValues.h"

namespace BCFLib {

QVariantMap OrthogonalCamera::toQVariant() const
{
    QVariantMap record;
    record.insert(Keys::CameraViewPoint, RecordValues::pointToRecord(viewPoint));
    record.insert(Keys::CameraDirection, RecordValues::pointToRecord(direction));
    record.insert(Keys::CameraUpVector, RecordValues::pointToRecord(upVector));
    record.insert(Keys::ViewToWorldScale, viewToWorldScale);
    if (aspectRatio > 0)
        record.insert(Keys::AspectRatio, aspectRatio);
    return record;
}

OrthogonalCamera OrthogonalCamera::fromQVariant(const QVariant& record)
{
    const QVariantMap map = record.toMap();
    OrthogonalCamera camera;
    camera.viewPoint = RecordValues::pointFromRecord(map.value(Keys::CameraViewPoint));
    camera.direction = RecordValues::pointFromRecord(map.value(Keys::CameraDirection));
    camera.upVector = RecordValues::pointFromRecord(map.value(Keys::CameraUpVector));
    camera.viewToWorldScale = RecordValues::doubleFromRecord(map.value(Keys::ViewToWorldScale));
    camera.aspectRatio = RecordValues::doubleFromRecord(map.value(Keys::AspectRatio));
    return camera;
}

} // namespace BCFLib
