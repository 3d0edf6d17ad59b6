#include "NaturalSort.h"

namespace {

int digitRunEnd(QStringView text, int from)
{
    while (from < text.size() && text.at(from).isDigit())
        ++from;
    return from;
}

// Compares two runs of digits by value without converting them (they may be longer than any integer).
int compareNumbers(QStringView a, QStringView b)
{
    while (a.size() > 1 && a.front() == QLatin1Char('0'))
        a = a.mid(1);
    while (b.size() > 1 && b.front() == QLatin1Char('0'))
        b = b.mid(1);
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    for (int i = 0; i < a.size(); ++i) {
        const int da = a.at(i).digitValue();
        const int db = b.at(i).digitValue();
        if (da != db)
            return da < db ? -1 : 1;
    }
    return 0;
}

} // namespace

int NaturalSort::compare(QStringView a, QStringView b)
{
    int i = 0;
    int j = 0;
    while (i < a.size() && j < b.size()) {
        const QChar ca = a.at(i);
        const QChar cb = b.at(j);
        if (ca.isDigit() && cb.isDigit()) {
            const int endA = digitRunEnd(a, i);
            const int endB = digitRunEnd(b, j);
            const int result = compareNumbers(a.mid(i, endA - i), b.mid(j, endB - j));
            if (result != 0)
                return result;
            i = endA;
            j = endB;
            continue;
        }
        const QChar fa = ca.toCaseFolded();
        const QChar fb = cb.toCaseFolded();
        if (fa != fb)
            return fa.unicode() < fb.unicode() ? -1 : 1;
        ++i;
        ++j;
    }
    if (i < a.size() || j < b.size())
        return i < a.size() ? 1 : -1;
    return a.compare(b);
}
