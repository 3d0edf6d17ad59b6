#pragma once

#include "Utility/UtilityGlobal.h"

#include <QVariantMap>
#include <osg/Vec3d>

namespace Vexamo {

// The three coordinates of a point record ("x", "y", "z", doubles; missing ones read as 0).
UTILITY_EXPORT osg::Vec3d Vec3dFromQVariant(const QVariantMap& point);

} // namespace Vexamo
