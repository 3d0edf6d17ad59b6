#pragma once

#include "BCFLib/BCFLibGlobal.h"

#include <QByteArray>
#include <QString>
#include <memory>

namespace BCFLib {

// Bytes kept outside the model (an entry of the archive the model was read from, a file of a
// host's cache) and read only when they are needed, so that a model of a large document need not
// hold every image at once. size() and head() are known without reading the whole. read() may be
// called on any thread, on several at once, and as often as needed; each call reads anew and the
// caller owns what it gets.
class BCFLIB_EXPORT ByteSource
{
public:
    // head() holds this many first bytes (all of them when there are fewer): enough to tell an
    // image's type and, for PNG, its dimensions.
    static const int HeadSize = 64;

    virtual ~ByteSource();
    virtual qint64 size() const = 0;
    virtual QByteArray head() const = 0;
    // The whole content; false with *error saying why when it cannot be read (the source changed
    // or went away since it was described).
    virtual bool read(QByteArray* bytes, QString* error) const = 0;

    // A source over bytes already in memory (shared, not copied).
    static std::shared_ptr<const ByteSource> fromBytes(const QByteArray& bytes);
};

} // namespace BCFLib
