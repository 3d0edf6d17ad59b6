#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <log4cplus/appender.h>

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

    ExportLogRecorder();
    ~ExportLogRecorder();
    ExportLogRecorder(const ExportLogRecorder&) = delete;
    ExportLogRecorder& operator=(const ExportLogRecorder&) = delete;

    QList<Event> events() const;
    // The messages logged at level (log4cplus::WARN_LOG_LEVEL, log4cplus::ERROR_LOG_LEVEL), in order.
    QStringList messages(int level) const;

private:
    class Appender;
    Appender* m_appender = nullptr;
    log4cplus::SharedAppenderPtr m_attached;
};
