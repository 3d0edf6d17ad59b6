#pragma once

#include <QObject>
#include <QPointer>
#include <QSet>
#include <QString>

class QLabel;
class QProgressBar;
class QStatusBar;

namespace Vexamo {
class OperationStatusSink;
}

// Shows the progress of the library's long operations (loading a file, ...) in a status bar: the
// operation's title and a progress bar, hidden again when the operation has finished. Installs
// itself as the process's OperationStatusSink while it lives. idle() tells when the last running
// operation has finished, whatever its outcome (a failed load reports nothing else).
class StatusBarProgress : public QObject
{
    Q_OBJECT

public:
    explicit StatusBarProgress(QStatusBar* statusBar, QObject* parent = nullptr);
    ~StatusBarProgress() override;

    bool isBusy() const { return !m_running.isEmpty(); }

signals:
    void idle();

private:
    void show(quint64 id, const QString& title, qint64 value, qint64 maximum);
    void finish(quint64 id);

    Vexamo::OperationStatusSink* m_sink = nullptr;
    // Owned by the status bar, which may go first.
    QPointer<QLabel> m_label;
    QPointer<QProgressBar> m_bar;
    quint64 m_shownId = 0;
    QSet<quint64> m_running;
};
