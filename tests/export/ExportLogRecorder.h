#pragma once

#include <QList>
#include <QStringList>

#include <log4cplus/appender.h>
#include <log4cplus/logger.h>
#include <log4cplus/spi/loggingevent.h>

// Records what the exporter logs on "Vexamo.Core.Utils.BCFapi.BCF1Export" while it lives, through a
// log4cplus appender attached to that logger.
class ExportLogRecorder
{
public:
    struct Event
    {
        int level = 0;
        QString message;
        QString file;
    };

    ExportLogRecorder() { logger().addAppender(m_attached); }
    ~ExportLogRecorder() { logger().removeAppender(m_attached); }
    ExportLogRecorder(const ExportLogRecorder&) = delete;
    ExportLogRecorder& operator=(const ExportLogRecorder&) = delete;

    QList<Event> events() const { return m_appender->events; }
    // The messages logged at level (log4cplus::WARN_LOG_LEVEL, log4cplus::ERROR_LOG_LEVEL), in order.
    QStringList messages(int level) const
    {
        QStringList result;
        for (const Event& event : m_appender->events) {
            if (event.level == level)
                result.append(event.message);
        }
        return result;
    }

private:
    class Appender : public log4cplus::Appender
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

    static log4cplus::Logger logger() { return log4cplus::Logger::getInstance("Vexamo.Core.Utils.BCFapi.BCF1Export"); }

    Appender* m_appender = new Appender;
    log4cplus::SharedAppenderPtr m_attached{m_appender};
};
