#include "BCFCacheBase64.h"

#include <array>

namespace Vexamo {

namespace {

// Value of each ASCII character in the base64 alphabet, -1 for every other character.
std::array<signed char, 128> makeDecodingTable()
{
    std::array<signed char, 128> table;
    table.fill(-1);
    const char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    for (int i = 0; i < 64; ++i)
        table[static_cast<unsigned char>(alphabet[i])] = static_cast<signed char>(i);
    return table;
}

// Appends the 6-bit values of count characters from in to group; false on a character outside
// the alphabet.
bool readGroup(const QChar* in, int count, quint32* group)
{
    static const std::array<signed char, 128> table = makeDecodingTable();
    for (int i = 0; i < count; ++i) {
        const ushort c = in[i].unicode();
        const int value = c < 128 ? table[c] : -1;
        if (value < 0)
            return false;
        *group = (*group << 6) | quint32(value);
    }
    return true;
}

} // namespace

bool BCFCacheBase64::decode(const QString& text, QByteArray* bytes)
{
    const int size = text.size();
    if (size % 4 != 0)
        return false;
    int padding = 0;
    if (size > 0 && text.at(size - 1) == QLatin1Char('='))
        padding = (text.at(size - 2) == QLatin1Char('=')) ? 2 : 1;

    bytes->resize(size / 4 * 3 - padding);
    char* out = bytes->data();
    const QChar* in = text.constData();
    const int whole = padding ? size - 4 : size;
    for (int i = 0; i < whole; i += 4) {
        quint32 group = 0;
        if (!readGroup(in + i, 4, &group))
            return false;
        *out++ = char(group >> 16);
        *out++ = char(group >> 8);
        *out++ = char(group);
    }
    if (padding) {
        quint32 group = 0;
        if (!readGroup(in + whole, 4 - padding, &group))
            return false;
        group <<= 6 * padding;
        *out++ = char(group >> 16);
        if (padding == 1)
            *out++ = char(group >> 8);
    }
    return true;
}

} // namespace Vexamo
