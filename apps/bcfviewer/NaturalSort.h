#pragma once

#include <QStringView>

// Compares text the way people read it: runs of digits by their numeric value ("#116" before
// "#1157", "2" before "10"), everything else case-insensitively. Equal text up to case and leading
// zeros falls back to plain comparison, so the order is total and stable across runs.
class NaturalSort
{
public:
    // Negative, zero or positive as a sorts before, with or after b.
    static int compare(QStringView a, QStringView b);
    static bool lessThan(QStringView a, QStringView b) { return compare(a, b) < 0; }
};
