#include "WriteReportPrinter.h"

#include "Console.h"

#include "BCFLib/BCFArchiveWriter.h"

#include <QMutexLocker>

namespace BCFTool {

WriteReportPrinter::WriteReportPrinter()
{
    BCFLib::BCFArchiveWriter::setWriteObserver([this](const QString& fileName, bool written, const QString& error,
                                                      const BCFLib::ConversionReport& report) {
        QStringList notes;
        for (const BCFLib::ConversionNote& note : report)
            notes << note.toString();
        {
            QMutexLocker lock(&m_mutex);
            if (m_holding) {
                m_held << notes;
                notes.clear();
            }
        }
        for (const QString& note : qAsConst(notes))
            printNote(note);
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

void WriteReportPrinter::releaseNotes(const QString& shownText)
{
    QStringList notes;
    {
        QMutexLocker lock(&m_mutex);
        m_holding = false;
        notes.swap(m_held);
    }
    const QStringList shown = shownText.split(QLatin1Char('\n'));
    for (const QString& note : qAsConst(notes)) {
        if (!shown.contains(note))
            printNote(note);
    }
}

void WriteReportPrinter::printNote(const QString& note)
{
    Console::error(QStringLiteral("left out or changed: %1").arg(Console::printable(note)));
}

} // namespace BCFTool
