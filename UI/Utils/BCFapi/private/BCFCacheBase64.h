#pragma once

#include <QByteArray>
#include <QString>

namespace Vexamo {

// Strict decoding of standard base64 text (RFC 4648, with padding, no line breaks), straight from
// the QString that the JSON reader yields. It runs many times faster than
// QByteArray::fromBase64, which dominated the reading of topic files holding snapshots.
class BCFCacheBase64
{
public:
    // Decodes text into *bytes; false, with *bytes unspecified, when text is not such base64.
    static bool decode(const QString& text, QByteArray* bytes);
    // The same for size bytes of text (UTF-8 or Latin-1: any byte outside the alphabet fails).
    static bool decode(const char* text, int size, QByteArray* bytes);
    // Checks size bytes of text as decode() does, without decoding them: gives the decoded size in
    // *decodedSize and the first headSize decoded bytes (all when fewer) in *head. False when
    // decode() would refuse the text.
    static bool describe(const char* text, int size, qint64* decodedSize, QByteArray* head, int headSize);
    // Appends the standard base64 text of bytes (with padding) to *text; the same text as
    // QByteArray::toBase64, written in place.
    static void appendEncoded(const QByteArray& bytes, QByteArray* text);
    static int encodedSize(int size) { return (size + 2) / 3 * 4; }
};

} // namespace Vexamo
