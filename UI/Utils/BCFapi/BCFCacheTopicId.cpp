#include "BCFCacheTopicId.h"

namespace Vexamo {

bool BCFCacheTopicId::isSafe(const QString& id)
{
    if (id.isEmpty() || id == QLatin1String(".") || id == QLatin1String(".."))
        return false;
    // A UTF-16 unit never turns into fewer UTF-8 bytes, so this cheap test rejects early.
    if (id.size() > sMaxBytes)
        return false;
    for (const QChar c : id) {
        if (c.category() == QChar::Other_Control || c == QLatin1Char('/') || c == QLatin1Char('\\'))
            return false;
    }
    return id.toUtf8().size() <= sMaxBytes;
}

} // namespace Vexamo
