#include "ImageHeader.h"

namespace BCFLib {

namespace {

quint32 bigEndian(const QByteArray& bytes, int offset, int width)
{
    quint32 value = 0;
    for (int i = 0; i < width; ++i)
        value = (value << 8) | quint8(bytes.at(offset + i));
    return value;
}

QSize jpegSize(const QByteArray& bytes)
{
    int pos = 2;
    while (pos + 9 < bytes.size()) {
        if (quint8(bytes.at(pos)) != 0xFF)
            return QSize();
        const quint8 marker = quint8(bytes.at(pos + 1));
        if (marker == 0xFF) { // fill byte
            ++pos;
            continue;
        }
        const bool startOfFrame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (startOfFrame)
            return QSize(int(bigEndian(bytes, pos + 7, 2)), int(bigEndian(bytes, pos + 5, 2)));
        if (marker == 0xD8 || (marker >= 0xD0 && marker <= 0xD7)) {
            pos += 2;
            continue;
        }
        pos += 2 + int(bigEndian(bytes, pos + 2, 2));
    }
    return QSize();
}

} // namespace

ImageHeader ImageHeader::read(const QByteArray& bytes)
{
    ImageHeader header;
    if (bytes.startsWith("\x89PNG\r\n\x1a\n")) {
        header.format = Png;
        if (bytes.size() >= 24 && bytes.mid(12, 4) == "IHDR")
            header.size = QSize(int(bigEndian(bytes, 16, 4)), int(bigEndian(bytes, 20, 4)));
    } else if (bytes.size() >= 3 && quint8(bytes.at(0)) == 0xFF && quint8(bytes.at(1)) == 0xD8
               && quint8(bytes.at(2)) == 0xFF) {
        header.format = Jpeg;
        header.size = jpegSize(bytes);
    }
    return header;
}

QString ImageHeader::formatName(Format format)
{
    switch (format) {
    case Png: return QStringLiteral("PNG");
    case Jpeg: return QStringLiteral("JPEG");
    case Unknown: break;
    }
    return QStringLiteral("neither PNG nor JPEG");
}

ImageHeader::Format ImageHeader::formatOfName(const QString& name)
{
    const QString lower = name.trimmed().toLower();
    if (lower == QLatin1String("png") || lower.endsWith(QLatin1String(".png")))
        return Png;
    if (lower == QLatin1String("jpg") || lower == QLatin1String("jpeg") || lower.endsWith(QLatin1String(".jpg"))
        || lower.endsWith(QLatin1String(".jpeg")))
        return Jpeg;
    return Unknown;
}

} // namespace BCFLib
