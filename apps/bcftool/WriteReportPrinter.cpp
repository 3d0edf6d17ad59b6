#include "WriteReportPrinter.h"

#include "Console.h"

#include "BCFLib/BCFArchiveWriter.h"

namespace BCFTool {

WriteReportPrinter::WriteReportPrinter()
{
    BCFLib::BCFArchiveWriter::setWriteObserver([](const QString& fileName, bool written, const QString& error,
                                                  const BCFLib::ConversionReport& report) {
        for (const BCFLib::ConversionNote& note : report)
            Console::error(QStringLiteral("left out or changed: %1").arg(Console::printable(note.toString())));
        if (!written)
            Console::error(QStringLiteral("%1 was not written: %2")
                               .arg(Console::printable(fileName), Console::printable(error)));
    });
}

WriteReportPrinter::~WriteReportPrinter()
{
    BCFLib::BCFArchiveWriter::setWriteObserver(BCFLib::BCFArchiveWriter::WriteObserver());
}

} // namespace BCFTool
