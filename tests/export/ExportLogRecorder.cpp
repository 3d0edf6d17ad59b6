#include "ExportLogRecorder.h"

#include <log4cplus/logger.h>
#include <log4cplus/spi/loggingevent.h>

namespace {
const char* const sExporterLogger = "Vexamo.Core.Utils.BCFapi.BCF1Export";
}

class ExportLogRecorder::Appender : public log4cplus::Appender
{
public:
    ~Appender() override { destructorImpl(); }
    void close() override {}

    QList<Event> events;

protected:
    void append(const log4cplus::spi::InternalLoggingEvent& event) override
    {
        events.append({event.getLogLevel(), QString::fromLocal8Bit(event.getMessage().c_str()),
                       QString::fromLocal8Bit(event.getFile().c_str())});
    }
};

ExportLogRecorder::ExportLogRecorder()
    : m_appender(new Appender)
    , m_attached(m_appender)
{
    log4cplus::Logger::getInstance(sExporterLogger).addAppender(m_attached);
}

ExportLogRecorder::~ExportLogRecorder()
{
    log4cplus::Logger::getInstance(sExporterLogger).removeAppender(m_attached);
}

QList<ExportLogRecorder::Event> ExportLogRecorder::events() const
{
    return m_appender->events;
}

QStringList ExportLogRecorder::messages(int level) const
{
    QStringList result;
    for (const Event& event : m_appender->events) {
        if (event.level == level)
            result.append(event.message);
    }
    return result;
}
