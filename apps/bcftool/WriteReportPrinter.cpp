#include "WriteReportPrinter.h"

#include "Console.h"

#include "BCFLib/BCFArchiveWriter.h"

#include <QMutexLocker>

namespace BCFTool {

WriteReportPrinter::WriteReportPrinter()
{
    BCFLib::BCFArchiveWriter::setWriteObserver([this](const QString& fileName, bool written, const QString& error,
                                                      const BCFLib::ConversionReport& report) {
        QStringList lines;
        for (const BCFLib::ConversionNote& note : report)
            lines << QStringLiteral("left out or changed: %1").arg(Console::printable(note.toString()));
        {
            QMutexLocker lock(&m_mutex);
            if (m_holding) {
                m_held << lines;
                lines.clear();
            }
        }
        for (const QString& line : qAsConst(lines))
            Console::error(line);
        if (!written)
            Console::error(QStringLiteral("%1 was not written: %2")
                               .arg(Console::printable(fileName), Console::printable(error)));
    });
}

WriteReportPrinter::~WriteReportPrinter()
{
    BCFLib::BCFArchiveWriter::setWriteObserver(BCFLib::BCFArchiveWriter::WriteObserver());
}

void WriteReportPrinter::holdNotes()
{
    QMutexLocker lock(&m_mutex);
    m_holding = true;
}

void WriteReportPrinter::releaseNotes(bool print)
{
    QStringList lines;
    {
        QMutexLocker lock(&m_mutex);
        m_holding = false;
        lines.swap(m_held);
    }
    if (print) {
        for (const QString& line : qAsConst(lines))
            Console::error(line);
    }
}

} // namespace BCFTool
