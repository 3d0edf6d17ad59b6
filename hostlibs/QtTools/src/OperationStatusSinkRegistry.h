#pragma once

#include <QString>
#include <QtGlobal>

namespace Vexamo {

class OperationStatusSink;

// The process-wide slot of the installed sink. Every post to the sink happens under the same lock
// as install and removal, so a sink that is being destroyed never receives a new event.
class OperationStatusSinkRegistry
{
public:
    static void install(OperationStatusSink* sink);
    static void removeIfInstalled(OperationStatusSink* sink);
    static OperationStatusSink* installed();

    // Each post returns the sink that will receive it, or null when none is installed.
    static OperationStatusSink* postStarted(quint64 id, const QString& title, qint64 maximum);
    static OperationStatusSink* postProgressed(quint64 id, const QString& title, qint64 value, qint64 maximum);
    static OperationStatusSink* postFinished(quint64 id, const QString& title);
};

} // namespace Vexamo
