#pragma once

#include "QtTools/QtToolsGlobal.h"

#include <QObject>
#include <QString>

namespace Vexamo {

// Receives the progress of every OperationStatus of the process, on the sink's own thread
// (queued when the operation runs elsewhere). progressed is throttled; finished always arrives.
// A host installs at most one sink (the viewer's status bar, the command line's progress line).
class QTTOOLS_EXPORT OperationStatusSink : public QObject
{
    Q_OBJECT

public:
    explicit OperationStatusSink(QObject* parent = nullptr);
    ~OperationStatusSink() override;

    // Installs sink as the process-wide receiver (null removes it). The sink is not owned.
    static void install(OperationStatusSink* sink);
    static OperationStatusSink* installed();

signals:
    void started(quint64 id, const QString& title, qint64 maximum);
    void progressed(quint64 id, const QString& title, qint64 value, qint64 maximum);
    void finished(quint64 id, const QString& title);
};

} // namespace Vexamo
