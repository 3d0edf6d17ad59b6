#include "BCFLib/ConversionNote.h"

namespace BCFLib {

QString ConversionNote::toString() const
{
    if (topic.isEmpty())
        return QStringLiteral("%1: %2").arg(kind).arg(count);
    return QStringLiteral("%1 (topic %2): %3").arg(kind, topic).arg(count);
}

} // namespace BCFLib
