#pragma once

#include "BCFLib/BCFLibGlobal.h"

#include <QByteArray>
#include <QString>
#include <QVariant>
#include <osg/Vec3d>

namespace BCFLib {

// An image placed in the model space of a viewpoint. The file format has no identifier for
// bitmaps; the model gives each one a guid so that callers can name it.
struct BCFLIB_EXPORT Bitmap
{
    QString guid;
    QString format;     // "PNG" or "JPG" as in the file
    QString reference;  // file name in the topic folder (or a URL)
    osg::Vec3d location;
    osg::Vec3d normal;
    osg::Vec3d up;
    double height = 0.0;
    QByteArray data;    // the image bytes when the file is in the archive

    // {"guid", "bitmap_type", "reference", "location", "normal", "up", "height",
    //  "bitmap_data" (base64, only when there is content)}
    QVariantMap toQVariant() const;
    // A missing "guid" gives a new one.
    static Bitmap fromQVariant(const QVariant& record);
};

} // namespace BCFLib
