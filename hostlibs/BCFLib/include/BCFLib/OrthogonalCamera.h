#pragma once

#include "BCFLib/BCFLibGlobal.h"

#include <QVariant>
#include <osg/Vec3d>

namespace BCFLib {

struct BCFLIB_EXPORT OrthogonalCamera
{
    osg::Vec3d viewPoint;
    osg::Vec3d direction;
    osg::Vec3d upVector;
    double viewToWorldScale = 0.0;
    // Width over height of the view (BCF 3.0); 0 when the source did not give it.
    double aspectRatio = 0.0;

    // {"camera_view_point", "camera_direction", "camera_up_vector", "view_to_world_scale"}, and "aspect_ratio" when set
    QVariantMap toQVariant() const;
    static OrthogonalCamera fromQVariant(const QVariant& record);
};

} // namespace BCFLib
