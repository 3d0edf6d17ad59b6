#include "ToolLogging.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <cstdio>

#include <log4cplus/consoleappender.h>
#include <log4cplus/layout.h>
#include <log4cplus/logger.h>
#include <log4cplus/loglevel.h>

namespace BCFTool {

namespace {

void filterQtMessage(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    Q_UNUSED(context)
    static const bool verbose = qEnvironmentVariableIsSet("BCFTOOL_DEBUG");
    if (verbose || type == QtCriticalMsg || type == QtFatalMsg) {
        const QByteArray bytes = "Qt: " + message.toLocal8Bit() + '\n';
        std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
    }
}

} // namespace

void ToolLogging::install()
{
    qInstallMessageHandler(filterQtMessage);

    log4cplus::SharedAppenderPtr appender(new log4cplus::ConsoleAppender(true /* stderr */));
    appender->setLayout(std::unique_ptr<log4cplus::Layout>(
        new log4cplus::PatternLayout(LOG4CPLUS_TEXT("bcftool: %p: %m%n"))));
    log4cplus::Logger root = log4cplus::Logger::getRoot();
    root.removeAllAppenders();
    root.addAppender(appender);
    root.setLogLevel(log4cplus::WARN_LOG_LEVEL);
}

} // namespace BCFTool
