#pragma once

#include "BCFLib/BCFLibGlobal.h"

#include <QVariant>
#include <osg/Vec3d>

namespace BCFLib {

struct BCFLIB_EXPORT PerspectiveCamera
{
    osg::Vec3d viewPoint;
    osg::Vec3d direction;
    osg::Vec3d upVector;
    double fieldOfView = 0.0;
    // Width over height of the view (BCF 3.0); 0 when the source did not give it.
    double aspectRatio = 0.0;

    // {"camera_view_point", "camera_direction", "camera_up_vector", "field_of_view"}, and "aspect_ratio" when set
    QVariantMap toQVariant() const;
    static PerspectiveCamera fromQVariant(const QVariant& record);
};

} // namespace BCFLib
