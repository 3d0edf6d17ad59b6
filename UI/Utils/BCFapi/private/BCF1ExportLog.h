#pragma once

// Logging of BCF1Export, shared by its source files. Include it only from those.

#include "BCFapi/BCF1Export.h"

#include <QString>

#include <log4cplus/logger.h>
#include <log4cplus/loggingmacros.h>

namespace Vexamo {

struct BCF1Export::Log {
    log4cplus::Logger logger = log4cplus::Logger::getInstance("Vexamo.Core.Utils.BCFapi.BCF1Export");
};

} // namespace Vexamo

// Log events of the exporter carry a stable name for their source file, the same on every build
// machine, instead of the compiler's full path.
#undef LOG4CPLUS_MACRO_FILE
#define LOG4CPLUS_MACRO_FILE() "UI/Utils/BCFapi/BCF1Export"

// Logs text (a QString or a string literal) on the exporter's logger, in the local 8-bit encoding.
#define BCF1EXPORT_ERROR(text) LOG4CPLUS_ERROR(m_log->logger, QString(text).toLocal8Bit().constData())
#define BCF1EXPORT_WARN(text) LOG4CPLUS_WARN(m_log->logger, QString(text).toLocal8Bit().constData())
