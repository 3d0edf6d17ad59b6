#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

// The longest time between two turns of the calling thread's event loop while it lives: a 5 ms
// timer records when each turn reaches it, so a gap is known to within 5 ms. A work that blocks
// the loop shows as one long gap. A 0 ms timer would measure finer, but it keeps the thread busy
// and takes a core from the work being measured.
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
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.start(5);
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
