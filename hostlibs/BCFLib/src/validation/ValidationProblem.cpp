#include "BCFLib/ValidationProblem.h"

namespace BCFLib {

QString ValidationProblem::toString() const
{
    QString where = entry.isEmpty() ? QStringLiteral("(archive)") : entry;
    if (line > 0) {
        where += QLatin1Char(':') + QString::number(line);
        if (column > 0)
            where += QLatin1Char(':') + QString::number(column);
    }
    return QStringLiteral("%1: %2: %3").arg(severityText(), where, message);
}

} // namespace BCFLib
