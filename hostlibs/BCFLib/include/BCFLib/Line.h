#pragma once

#include "BCFLib/BCFLibGlobal.h"

#include <QVariant>
#include <osg/Vec3d>

namespace BCFLib {

struct BCFLIB_EXPORT Line
{
    osg::Vec3d startPoint;
    osg::Vec3d endPoint;

    // {"start_point", "end_point"}
    QVariantMap toQVariant() const;
    static Line fromQVariant(const QVariant& record);
};

} // namespace BCFLib
