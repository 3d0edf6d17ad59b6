#include "CommandDispatcher.h"

#include "CacheCommands.h"
#include "CheckCommand.h"
#include "CommandLine.h"
#include "Console.h"
#include "ExitCode.h"
#include "FileCommands.h"
#include "MessageBoxPrinter.h"
#include "SampleDocument.h"
#include "TerminalProgress.h"
#include "WriteReportPrinter.h"

#include <QFile>

#include <cstdio>

namespace BCFTool {

int CommandDispatcher::run(const CommandLine& commandLine)
{
    MessageBoxPrinter boxes;
    WriteReportPrinter writeReports;
    TerminalProgress progress;
    FileCommands files;
    CacheCommands cache(boxes, writeReports);

    const QString command = commandLine.command();
    const QString first = commandLine.argument(0);
    const QString second = commandLine.argument(1);

    if (command == QLatin1String("info"))
        return files.info(first, commandLine.hasOption(QStringLiteral("json")));
    if (command == QLatin1String("convert"))
        return files.convert(first, second, commandLine.option(QStringLiteral("to"), QStringLiteral("2.1")));
    if (command == QLatin1String("check"))
        return CheckCommand().run(first, commandLine.option(QStringLiteral("schemas")),
                                  commandLine.hasOption(QStringLiteral("json")));
    if (command == QLatin1String("sample")) {
        if (!SampleDocument::write(first)) {
            Console::error(QStringLiteral("could not write %1").arg(Console::printable(first)));
            return NotCarriedOut;
        }
        Console::out(QStringLiteral("Wrote the sample document %1").arg(Console::printable(first)));
        return Success;
    }
    if (command == QLatin1String("open"))
        return cache.open(first);
    if (command == QLatin1String("topics"))
        return cache.topics();
    if (command == QLatin1String("show"))
        return cache.show(first);
    if (command == QLatin1String("comment")) {
        // Texts longer than a command line allows come from a file or from standard input.
        const QString source = commandLine.hasOption(QStringLiteral("file")) ? commandLine.option(QStringLiteral("file"))
                                                                            : (second == QLatin1String("-") ? second : QString());
        QString text = second;
        if (!source.isEmpty()) {
            QFile file;
            const bool opened = source == QLatin1String("-") ? file.open(stdin, QIODevice::ReadOnly)
                                                             : (file.setFileName(source), file.open(QIODevice::ReadOnly));
            if (!opened) {
                Console::error(QStringLiteral("cannot read %1: %2").arg(Console::printable(source), file.errorString()));
                return UnreadableFile;
            }
            text = QString::fromUtf8(file.readAll());
        }
        return cache.comment(first, text, commandLine.option(QStringLiteral("author")));
    }
    if (command == QLatin1String("save"))
        return cache.save(first, commandLine.option(QStringLiteral("to")));
    if (command == QLatin1String("export"))
        return cache.exportTo(first);

    Console::error(QStringLiteral("unknown command '%1'").arg(Console::printable(command)));
    return UsageError;
}

} // namespace BCFTool
