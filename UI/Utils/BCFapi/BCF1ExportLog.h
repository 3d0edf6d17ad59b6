#pragma once

// Logging of BCF1Export, shared by its source files. Include it only from those.

#include <QString>

#include <log4cplus/loggingmacros.h>

// Log events of the exporter carry a stable name for their source file, the same on every build
// machine, instead of the compiler's full path.
#undef LOG4CPLUS_MACRO_FILE
#define LOG4CPLUS_MACRO_FILE() "UI/Utils/BCFapi/BCF1Export"

// Logs text (a QString or a string literal) on the exporter's m_logger, in the local 8-bit encoding.
#define BCF1EXPORT_ERROR(text) LOG4CPLUS_ERROR(m_logger, QString(text).toLocal8Bit().constData())
#define BCF1EXPORT_WARN(text) LOG4CPLUS_WARN(m_logger, QString(text).toLocal8Bit().constData())
