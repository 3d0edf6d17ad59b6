#include "BCFCacheTopicId.h"

#include "BCFLib/SafeIdentifier.h"

namespace Vexamo {

bool BCFCacheTopicId::isSafe(const QString& id)
{
    return BCFLib::isSafeIdentifier(id);
}

} // namespace Vexamo
