#include "BCFLib/XmlText.h"

namespace BCFLib {

QString withoutXmlIllegalCharacters(const QString& text, int* removed)
{
    const int size = text.size();
    const QChar* data = text.constData();
    auto allowedAt = [&](int i, int* length) {
        const ushort u = data[i].unicode();
        *length = 1;
        if (u < 0x20)
            return u == 0x9 || u == 0xA || u == 0xD;
        if (QChar::isHighSurrogate(u)) {
            *length = 2;
            return i + 1 < size && QChar::isLowSurrogate(data[i + 1].unicode());
        }
        if (QChar::isLowSurrogate(u))
            return false;
        return u != 0xFFFE && u != 0xFFFF;
    };

    int length = 0;
    int i = 0;
    while (i < size && allowedAt(i, &length))
        i += length;
    if (i == size)
        return text; // the usual case: nothing to remove, no copy

    QString clean;
    clean.reserve(size);
    clean.append(data, i);
    int dropped = 0;
    while (i < size) {
        if (allowedAt(i, &length)) {
            clean.append(data + i, length);
        } else {
            length = 1; // drop one unit; a valid pair after a lone surrogate is kept
            ++dropped;
        }
        i += length;
    }
    if (removed)
        *removed += dropped;
    return clean;
}

} // namespace BCFLib
