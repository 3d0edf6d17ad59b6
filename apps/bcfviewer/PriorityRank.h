#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

// The rank of a priority value, most urgent first. Given the priorities of the document's extension,
// their order is the rank; without one, a usual scale (critical, high, medium/normal, low, ...)
// ranks the common English names. Unknown values rank after the known ones, an empty value last.
class PriorityRank
{
public:
    PriorityRank();

    // The extension's priorities in their order; an empty list restores the usual scale.
    void setOrder(const QStringList& priorities);
    int rank(const QString& priority) const;

    static constexpr int Unknown = 1000;
    static constexpr int None = 2000;

private:
    QHash<QString, int> m_ranks; // case-folded value -> rank
};
