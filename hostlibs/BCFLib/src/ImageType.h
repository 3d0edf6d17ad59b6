#pragma once

#include <QByteArray>
#include <QString>

namespace BCFLib {

// Recognises the image formats of BCF snapshots and bitmaps by their content.
namespace ImageType {

// "png" or "jpg" by the signature of the bytes; empty when neither.
QString suffixOf(const QByteArray& bytes);
// True for content that is compressed already (PNG, JPEG, GIF, WebP): it is stored, not deflated.
bool isCompressed(const QByteArray& bytes);

} // namespace ImageType
} // namespace BCFLib
