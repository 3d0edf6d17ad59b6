#pragma once

#include <QFuture>
#include <QThread>
#include <QtConcurrent/QtConcurrentRun>

#include <deque>
#include <functional>

namespace Vexamo {

// Runs produce(0) .. produce(count - 1) on the global thread pool and hands each result to consume
// on the calling thread, in index order. At most window results are produced ahead of the one being
// consumed, so memory stays bounded by the window whatever count is. consume returns false to stop:
// the results still running are waited for and dropped. Returns false when consume stopped it.
//
// produce runs on worker threads: it must touch nothing that the calling thread changes meanwhile.
template <typename Result>
bool runOrderedPipeline(int count, const std::function<Result(int)>& produce,
                        const std::function<bool(Result&)>& consume, int window = 0)
{
    if (window <= 0)
        window = 2 * QThread::idealThreadCount() + 2;
    std::deque<QFuture<Result>> running;
    int next = 0;
    auto fill = [&] {
        while (next < count && int(running.size()) < window) {
            const int index = next++;
            running.push_back(QtConcurrent::run([produce, index] { return produce(index); }));
        }
    };
    fill();
    while (!running.empty()) {
        QFuture<Result> front = running.front();
        running.pop_front();
        Result result = front.result();
        // The next producer starts before this result is consumed, so both overlap.
        fill();
        if (!consume(result)) {
            for (QFuture<Result>& future : running)
                future.waitForFinished();
            return false;
        }
    }
    return true;
}

} // namespace Vexamo
