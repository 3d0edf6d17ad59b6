#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

// The longest time between two turns of the calling thread's event loop while it lives: a 0 ms
// timer records when each turn reaches it. A work that blocks the loop shows as one long gap.
class EventLoopGapMeter : public QObject
{
public:
    EventLoopGapMeter()
    {
        m_clock.start();
        connect(&m_timer, &QTimer::timeout, this, [this] {
            const qint64 now = m_clock.elapsed();
            m_longestMs = qMax(m_longestMs, now - m_lastMs);
            m_lastMs = now;
            ++m_turns;
        });
        m_timer.start(0);
    }
    // Stops measuring; the time since the last turn counts as a gap as well.
    void stop()
    {
        m_timer.stop();
        m_longestMs = qMax(m_longestMs, m_clock.elapsed() - m_lastMs);
    }
    qint64 longestGapMs() const { return m_longestMs; }
    int turns() const { return m_turns; }

private:
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_lastMs = 0;
    qint64 m_longestMs = 0;
    int m_turns = 0;
};
