#include "ImageType.h"

#include <cstring>

namespace BCFLib {
namespace ImageType {

namespace {

bool startsWith(const QByteArray& bytes, const char* signature, int size)
{
    return bytes.size() >= size && memcmp(bytes.constData(), signature, size_t(size)) == 0;
}

bool isPng(const QByteArray& bytes)
{
    return startsWith(bytes, "\x89PNG\r\n\x1a\n", 8);
}

bool isJpeg(const QByteArray& bytes)
{
    return startsWith(bytes, "\xff\xd8\xff", 3);
}

} // namespace

QString suffixOf(const QByteArray& bytes)
{
    if (isPng(bytes))
        return QStringLiteral("png");
    if (isJpeg(bytes))
        return QStringLiteral("jpg");
    return QString();
}

bool isCompressed(const QByteArray& bytes)
{
    return isPng(bytes) || isJpeg(bytes) || startsWith(bytes, "GIF8", 4)
           || (startsWith(bytes, "RIFF", 4) && bytes.mid(8, 4) == "WEBP");
}

} // namespace ImageType
} // namespace BCFLib
