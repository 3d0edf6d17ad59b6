#include "BCFapi/BCFCacheBase64.h"

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

uint code(QChar c) { return c.unicode(); }
uint code(char c) { return static_cast<unsigned char>(c); }

// Appends the 6-bit values of count characters from in to group; false on a character outside
// the alphabet.
template<typename Char>
bool readGroup(const Char* in, int count, quint32* group)
{
    static const std::array<signed char, 128> table = makeDecodingTable();
    for (int i = 0; i < count; ++i) {
        const uint c = code(in[i]);
        const int value = c < 128 ? table[c] : -1;
        if (value < 0)
            return false;
        *group = (*group << 6) | quint32(value);
    }
    return true;
}

template<typename Char>
bool decodeText(const Char* in, int size, QByteArray* bytes)
{
    if (size % 4 != 0)
        return false;
    int padding = 0;
    if (size > 0 && code(in[size - 1]) == '=')
        padding = code(in[size - 2]) == '=' ? 2 : 1;

    bytes->resize(size / 4 * 3 - padding);
    char* out = bytes->data();
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

} // namespace

bool BCFCacheBase64::decode(const QString& text, QByteArray* bytes)
{
    return decodeText(text.constData(), text.size(), bytes);
}

bool BCFCacheBase64::decode(const char* text, int size, QByteArray* bytes)
{
    return decodeText(text, size, bytes);
}

} // namespace Vexamo
