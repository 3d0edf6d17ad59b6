#include "BCFTestSupport/CallLog.h"

namespace BCFTest {

QStringList CallLog::filtered(const QStringList& operations) const
{
    QStringList result;
    for (const QString& entry : m_entries) {
        const int dot = entry.indexOf(QLatin1Char('.'));
        const int paren = entry.indexOf(QLatin1Char('('));
        if (operations.contains(entry.mid(dot + 1, paren - dot - 1)))
            result.append(entry);
    }
    return result;
}

} // namespace BCFTest
