#pragma once

#include <QByteArray>
#include <QSize>
#include <QString>

namespace BCFLib {

// What the first bytes of an image file say: PNG or JPEG by signature, and the pixel size when the
// header holds it (PNG's IHDR, JPEG's first start-of-frame marker).
struct ImageHeader
{
    enum Format { Unknown, Png, Jpeg };

    Format format = Unknown;
    QSize size; // invalid when not found in the bytes given

    static ImageHeader read(const QByteArray& bytes);
    static QString formatName(Format format);
    // The format a file name or a BCF bitmap format value ("PNG", "JPG") stands for.
    static Format formatOfName(const QString& name);
};

} // namespace BCFLib
