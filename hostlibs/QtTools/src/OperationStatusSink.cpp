#include "QtTools/OperationStatusSink.h"

#include "OperationStatusSinkRegistry.h"

namespace Vexamo {

OperationStatusSink::OperationStatusSink(QObject* parent)
    : QObject(parent)
{
}

OperationStatusSink::~OperationStatusSink()
{
    // Nothing may be posted to a sink that is going away.
    OperationStatusSinkRegistry::removeIfInstalled(this);
}

void OperationStatusSink::install(OperationStatusSink* sink)
{
    OperationStatusSinkRegistry::install(sink);
}

OperationStatusSink* OperationStatusSink::installed()
{
    return OperationStatusSinkRegistry::installed();
}

} // namespace Vexamo
