#include "BCFLib/PerspectiveCamera.h"

#include "BCFLib/RecordKeys.h"
#include "RecordValues.h"

namespace BCFLib {

QVariantMap PerspectiveCamera::toQVariant() const
{
    QVariantMap record;
    record.insert(Keys::CameraViewPoint, RecordValues::pointToRecord(viewPoint));
    record.insert(Keys::CameraDirection, RecordValues::pointToRecord(direction));
    record.insert(Keys::CameraUpVector, RecordValues::pointToRecord(upVector));
    record.insert(Keys::FieldOfView, fieldOfView);
    if (aspectRatio > 0)
        record.insert(Keys::AspectRatio, aspectRatio);
    return record;
}

PerspectiveCamera PerspectiveCamera::fromQVariant(const QVariant& record)
{
    const QVariantMap map = record.toMap();
    PerspectiveCamera camera;
    camera.viewPoint = RecordValues::pointFromRecord(map.value(Keys::CameraViewPoint));
    camera.direction = RecordValues::pointFromRecord(map.value(Keys::CameraDirection));
    camera.upVector = RecordValues::pointFromRecord(map.value(Keys::CameraUpVector));
    camera.fieldOfView = RecordValues::doubleFromRecord(map.value(Keys::FieldOfView));
    camera.aspectRatio = RecordValues::doubleFromRecord(map.value(Keys::AspectRatio));
    return camera;
}

} // namespace BCFLib
