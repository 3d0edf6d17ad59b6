#include "PriorityRank.h"

namespace {

// The usual scale: names on one line share a rank.
const char* const UsualScale[][4] = {
    {"blocker", "critical", "urgent", "highest"},
    {"very high", "major", nullptr, nullptr},
    {"high", nullptr, nullptr, nullptr},
    {"medium", "normal", "moderate", nullptr},
    {"low", "minor", nullptr, nullptr},
    {"very low", "lowest", "trivial", nullptr},
    {"on hold", "none", nullptr, nullptr},
};

} // namespace

PriorityRank::PriorityRank()
{
    setOrder({});
}

void PriorityRank::setOrder(const QStringList& priorities)
{
    m_ranks.clear();
    if (priorities.isEmpty()) {
        int rank = 0;
        for (const auto& names : UsualScale) {
            for (const char* name : names) {
                if (name)
                    m_ranks.insert(QString::fromLatin1(name), rank);
            }
            ++rank;
        }
        return;
    }
    for (int i = 0; i < priorities.size(); ++i) {
        const QString key = priorities.at(i).trimmed().toCaseFolded();
        if (!m_ranks.contains(key))
            m_ranks.insert(key, i);
    }
}

int PriorityRank::rank(const QString& priority) const
{
    if (priority.trimmed().isEmpty())
        return None;
    return m_ranks.value(priority.trimmed().toCaseFolded(), Unknown);
}
