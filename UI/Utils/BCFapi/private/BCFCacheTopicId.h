#pragma once

#include <QString>

namespace Vexamo {

// Topic identifiers of the working cache become directory names. An identifier is accepted only
// when it names exactly one plain entry directly below the working directory, so that no record
// operation can reach a path outside it, whatever a caller or an opened file hands in.
class BCFCacheTopicId
{
public:
    // Longest accepted identifier, in UTF-8 bytes; file systems allow 255 bytes per name.
    static constexpr int sMaxBytes = 200;

    // False for an empty identifier, "." and "..", one that holds "/", "\\" or a control
    // character, and one longer than sMaxBytes.
    static bool isSafe(const QString& id);
};

} // namespace Vexamo
