#include "ConversionLog.h"

namespace BCFLib {

void ConversionLog::add(const QString& kind, const QString& topic, int count)
{
    if (count <= 0)
        return;
    const QString key = kind + QLatin1Char('\n') + topic;
    const auto found = m_index.constFind(key);
    if (found != m_index.constEnd()) {
        m_notes[found.value()].count += count;
        return;
    }
    m_index.insert(key, m_notes.size());
    m_notes.append(ConversionNote{kind, topic, count});
}

} // namespace BCFLib
