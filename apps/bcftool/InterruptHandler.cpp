#include "InterruptHandler.h"

#include <csignal>
#include <unistd.h>

namespace BCFTool {

namespace {

const int InterruptedExitCode = 130;

// Only async-signal-safe calls here: write() and _exit().
void onInterrupt(int)
{
    static const char message[] = "bcftool: interrupted\n";
    const ssize_t written = ::write(STDERR_FILENO, message, sizeof(message) - 1);
    (void)written;
    ::_exit(InterruptedExitCode);
}

} // namespace

void installInterruptHandler()
{
    struct sigaction action {};
    action.sa_handler = onInterrupt;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGINT, &action, nullptr);
    ::sigaction(SIGTERM, &action, nullptr);
}

} // namespace BCFTool
