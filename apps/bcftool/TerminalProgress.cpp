#include "TerminalProgress.h"

#include "Console.h"

#include "QtTools/OperationStatusSink.h"

#include <unistd.h>

namespace BCFTool {

TerminalProgress::TerminalProgress(QObject* parent)
    : QObject(parent)
{
    if (!isatty(STDERR_FILENO))
        return;
    m_sink = new Vexamo::OperationStatusSink(this);
    connect(m_sink, &Vexamo::OperationStatusSink::started, this,
            [this](quint64, const QString& title, qint64 maximum) { show(title, 0, maximum); });
    connect(m_sink, &Vexamo::OperationStatusSink::progressed, this,
            [this](quint64, const QString& title, qint64 value, qint64 maximum) { show(title, value, maximum); });
    connect(m_sink, &Vexamo::OperationStatusSink::finished, this, [this](quint64, const QString&) { clear(); });
    Vexamo::OperationStatusSink::install(m_sink);
}

TerminalProgress::~TerminalProgress()
{
    if (m_sink && Vexamo::OperationStatusSink::installed() == m_sink)
        Vexamo::OperationStatusSink::install(nullptr);
    clear();
}

void TerminalProgress::show(const QString& title, qint64 value, qint64 maximum)
{
    QString line = Console::printable(title);
    if (maximum > 0)
        line += QStringLiteral(" %1%").arg(qBound<qint64>(0, value * 100 / maximum, 100));
    Console::progress(line);
}

void TerminalProgress::clear()
{
    Console::clearProgress();
}

} // namespace BCFTool
