#pragma once

#include "BCFLib/BCFLibGlobal.h"

#include <QVariant>
#include <osg/Vec3d>

namespace BCFLib {

struct BCFLIB_EXPORT ClippingPlane
{
    osg::Vec3d location;
    osg::Vec3d direction;

    // {"location", "direction"}
    QVariantMap toQVariant() const;
    static ClippingPlane fromQVariant(const QVariant& record);
};

} // namespace BCFLib
