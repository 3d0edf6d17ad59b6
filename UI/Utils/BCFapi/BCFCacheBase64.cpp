#include "BCFCacheBase64.h"

#include <array>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace Vexamo {

namespace {

// For each of the four places in a group of four characters, the bits each byte contributes to
// the group's 24 bits; bytes outside the alphabet set the Invalid bit instead, so that one test
// per group finds them.
constexpr quint32 Invalid = 0x80000000u;

struct DecodingTables
{
    std::array<quint32, 256> place[4];

    DecodingTables()
    {
        for (auto& table : place)
            table.fill(Invalid);
        const char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
        for (quint32 value = 0; value < 64; ++value) {
            const auto c = static_cast<unsigned char>(alphabet[value]);
            for (int k = 0; k < 4; ++k)
                place[k][c] = value << (18 - 6 * k);
        }
    }
};

const DecodingTables& tables()
{
    static const DecodingTables decoding;
    return decoding;
}

// A table index for a character; characters beyond Latin-1 map to 0, which is outside the alphabet.
uint code(QChar c) { return c.unicode() < 256 ? c.unicode() : 0; }
uint code(char c) { return static_cast<unsigned char>(c); }

// The 24 bits of count (2 to 4) characters from in, left-aligned; Invalid set on a character
// outside the alphabet.
template<typename Char>
quint32 readGroup(const Char* in, int count)
{
    const DecodingTables& t = tables();
    quint32 group = 0;
    for (int k = 0; k < count; ++k)
        group |= t.place[k][code(in[k])];
    return group;
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
    const DecodingTables& t = tables();
    for (int i = 0; i < whole; i += 4) {
        const quint32 group = t.place[0][code(in[i])] | t.place[1][code(in[i + 1])]
            | t.place[2][code(in[i + 2])] | t.place[3][code(in[i + 3])];
        if (group & Invalid)
            return false;
        out[0] = char(group >> 16);
        out[1] = char(group >> 8);
        out[2] = char(group);
        out += 3;
    }
    if (padding) {
        const quint32 group = readGroup(in + whole, 4 - padding);
        if (group & Invalid)
            return false;
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

bool BCFCacheBase64::describe(const char* text, int size, qint64* decodedSize, QByteArray* head, int headSize)
{
    if (size % 4 != 0)
        return false;
    const int padding = size > 0 && text[size - 1] == '=' ? (text[size - 2] == '=' ? 2 : 1) : 0;
    const int whole = padding ? size - 4 : size;
    const DecodingTables& t = tables();
    int i = 0;
#if defined(__SSE2__)
    // Sixteen characters at a time: each must be a letter, a digit, '+' or '/'. Bytes from 0x80 up
    // compare as negative and fail every range.
    const auto inRange = [](__m128i c, char low, char high) {
        return _mm_and_si128(_mm_cmpgt_epi8(c, _mm_set1_epi8(char(low - 1))), _mm_cmplt_epi8(c, _mm_set1_epi8(char(high + 1))));
    };
    __m128i valid = _mm_set1_epi8(char(0xff));
    for (; i + 16 <= whole; i += 16) {
        const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + i));
        const __m128i ok = _mm_or_si128(
            _mm_or_si128(inRange(c, 'A', 'Z'), inRange(c, 'a', 'z')),
            _mm_or_si128(inRange(c, '0', '9'),
                         _mm_or_si128(_mm_cmpeq_epi8(c, _mm_set1_epi8('+')), _mm_cmpeq_epi8(c, _mm_set1_epi8('/')))));
        valid = _mm_and_si128(valid, ok);
    }
    if (_mm_movemask_epi8(valid) != 0xffff)
        return false;
#endif
    quint32 flags = 0;
    for (; i < whole; i += 4) {
        flags |= t.place[0][code(text[i])] | t.place[1][code(text[i + 1])] | t.place[2][code(text[i + 2])]
            | t.place[3][code(text[i + 3])];
    }
    if (padding)
        flags |= readGroup(text + whole, 4 - padding);
    if (flags & Invalid)
        return false;
    *decodedSize = qint64(size / 4) * 3 - padding;
    // Whole groups only, so that the head decodes on its own (padding is in the last group).
    const int headText = qMin(size, (qMax(headSize, 0) + 2) / 3 * 4);
    if (!decodeText(text, headText, head))
        return false;
    head->truncate(headSize);
    return true;
}

void BCFCacheBase64::appendEncoded(const QByteArray& bytes, QByteArray* text)
{
    static const char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    const int start = text->size();
    text->resize(start + encodedSize(bytes.size()));
    const auto* in = reinterpret_cast<const unsigned char*>(bytes.constData());
    char* out = text->data() + start;
    int i = 0;
    for (const int whole = bytes.size() - bytes.size() % 3; i < whole; i += 3) {
        const quint32 group = quint32(in[i]) << 16 | quint32(in[i + 1]) << 8 | in[i + 2];
        *out++ = alphabet[group >> 18];
        *out++ = alphabet[(group >> 12) & 63];
        *out++ = alphabet[(group >> 6) & 63];
        *out++ = alphabet[group & 63];
    }
    if (i < bytes.size()) {
        const bool two = i + 1 < bytes.size();
        const quint32 group = quint32(in[i]) << 16 | (two ? quint32(in[i + 1]) << 8 : 0);
        *out++ = alphabet[group >> 18];
        *out++ = alphabet[(group >> 12) & 63];
        *out++ = two ? alphabet[(group >> 6) & 63] : '=';
        *out++ = '=';
    }
}

} // namespace Vexamo
