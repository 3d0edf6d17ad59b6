#pragma once

#include "Utility/UtilityGlobal.h"

#include <QString>

namespace Vexamo {

// Sends the log4cplus messages of the whole process (every library's logger reaches the root
// logger) to stderr as "<program>: <LEVEL>: <message>" lines, from WARN up. Replaces the root
// logger's appenders, so that a second call does not print each line twice. Call it once at
// start-up, after log4cplus is initialized (log4cplus::Initializer); without an appender
// log4cplus prints a warning of its own at the first message instead.
UTILITY_EXPORT void InstallConsoleLogging(const QString& program);

} // namespace Vexamo
