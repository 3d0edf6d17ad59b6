#include "SafeIdentifier.h"


namespace BCFLib {

namespace {
const int sMaxGuidLength = 100;
} // namespace

bool isSafeIdentifier(const QString& guid)
{
    if (guid.isEmpty() || guid.size() > sMaxGuidLength || guid.startsWith(QLatin1Char('.')))
        return false;
    for (const QChar c : guid) {
        const ushort u = c.unicode();
        const bool plain = (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == '-'
                           || u == '_' || u == '{' || u == '}' || u == '.';
        if (!plain)
            return false;
    }
    return true;
}

} // namespace BCFLib
