#pragma once

#include <QString>

namespace Vexamo {

// Topic identifiers of the working cache become directory names. The cache accepts exactly the
// identifiers that the model accepts (BCFLib::isSafeIdentifier): each names one plain, visible
// entry directly below the working directory, so that no record operation can reach a path
// outside it, and everything the cache holds can be saved.
class BCFCacheTopicId
{
public:
    static bool isSafe(const QString& id);
};

} // namespace Vexamo
