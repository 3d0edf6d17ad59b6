#include "OperationStatusSinkRegistry.h"

#include "QtTools/OperationStatusSink.h"

#include <QMetaObject>
#include <QMutex>
#include <QMutexLocker>

namespace Vexamo {

namespace {

QMutex sMutex;
OperationStatusSink* sSink = nullptr;

} // namespace

void OperationStatusSinkRegistry::install(OperationStatusSink* sink)
{
    QMutexLocker lock(&sMutex);
    sSink = sink;
}

void OperationStatusSinkRegistry::removeIfInstalled(OperationStatusSink* sink)
{
    QMutexLocker lock(&sMutex);
    if (sSink == sink)
        sSink = nullptr;
}

OperationStatusSink* OperationStatusSinkRegistry::installed()
{
    QMutexLocker lock(&sMutex);
    return sSink;
}

OperationStatusSink* OperationStatusSinkRegistry::postStarted(quint64 id, const QString& title, qint64 maximum)
{
    QMutexLocker lock(&sMutex);
    OperationStatusSink* sink = sSink;
    if (sink) {
        QMetaObject::invokeMethod(
            sink, [sink, id, title, maximum] { emit sink->started(id, title, maximum); }, Qt::QueuedConnection);
    }
    return sink;
}

OperationStatusSink* OperationStatusSinkRegistry::postProgressed(quint64 id, const QString& title, qint64 value,
                                                                 qint64 maximum)
{
    QMutexLocker lock(&sMutex);
    OperationStatusSink* sink = sSink;
    if (sink) {
        QMetaObject::invokeMethod(
            sink, [sink, id, title, value, maximum] { emit sink->progressed(id, title, value, maximum); },
            Qt::QueuedConnection);
    }
    return sink;
}

OperationStatusSink* OperationStatusSinkRegistry::postFinished(quint64 id, const QString& title)
{
    QMutexLocker lock(&sMutex);
    OperationStatusSink* sink = sSink;
    if (sink) {
        QMetaObject::invokeMethod(
            sink, [sink, id, title] { emit sink->finished(id, title); }, Qt::QueuedConnection);
    }
    return sink;
}

} // namespace Vexamo
