#include "Utility/ConsoleLogging.h"

#include <log4cplus/consoleappender.h>
#include <log4cplus/layout.h>
#include <log4cplus/logger.h>
#include <log4cplus/loglevel.h>

#include <memory>

namespace Vexamo {

void InstallConsoleLogging(const QString& program)
{
    // log4cplus patterns treat '%' as a conversion: a program name keeps its percent signs.
    QString prefix = program;
    prefix.replace(QLatin1Char('%'), QLatin1String("%%"));
    const log4cplus::tstring pattern = LOG4CPLUS_STRING_TO_TSTRING((prefix + QStringLiteral(": %p: %m%n")).toStdString());

    log4cplus::SharedAppenderPtr appender(new log4cplus::ConsoleAppender(true /* stderr */));
    appender->setLayout(std::unique_ptr<log4cplus::Layout>(new log4cplus::PatternLayout(pattern)));
    log4cplus::Logger root = log4cplus::Logger::getRoot();
    root.removeAllAppenders();
    root.addAppender(appender);
    root.setLogLevel(log4cplus::WARN_LOG_LEVEL);
}

} // namespace Vexamo
