#pragma once

#include <functional>

namespace Vexamo {

// Runs one piece of work on a thread of its own while the calling thread's event loop keeps
// turning: painting, timers and queued calls go on, user input waits until the work has returned
// (QEventLoop::ExcludeUserInputEvents), so it never acts on a file or document half written.
// The thread is a fresh one rather than one of the global pool, which stays free for the work's
// own parallel parts.
//
// work must touch nothing that the calling thread changes meanwhile. Queued calls and timers of
// the calling thread do run while it waits: a caller that must not be entered twice guards itself.
class BCFWorkerRun
{
public:
    // Returns once work has returned on the worker.
    static void run(const std::function<void()>& work);
};

} // namespace Vexamo
