#include "Utility/Vec3dFromQVariant.h"

namespace Vexamo {

osg::Vec3d Vec3dFromQVariant(const QVariantMap& point)
{
    return osg::Vec3d(point.value(QStringLiteral("x")).toDouble(),
                      point.value(QStringLiteral("y")).toDouble(),
                      point.value(QStringLiteral("z")).toDouble());
}

} // namespace Vexamo
