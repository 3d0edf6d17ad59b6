#include "BCFWorkerRun.h"

#include <QEventLoop>
#include <QThread>

#include <memory>

namespace Vexamo {

void BCFWorkerRun::run(const std::function<void()>& work)
{
    QEventLoop loop;
    const std::unique_ptr<QThread> worker(QThread::create(work));
    QObject::connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit);
    worker->start();
    // A work that ended before the connection could deliver its quit leaves nothing to wait for.
    if (!worker->isFinished())
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    worker->wait();
}

} // namespace Vexamo
