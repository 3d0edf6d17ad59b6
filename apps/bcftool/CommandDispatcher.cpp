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

namespace BCFTool {

int CommandDispatcher::run(const CommandLine& commandLine)
{
    MessageBoxPrinter boxes;
    WriteReportPrinter writeReports;
    TerminalProgress progress;
    FileCommands files;
    CacheCommands cache(boxes);

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
    if (command == QLatin1String("comment"))
        return cache.comment(first, second, commandLine.option(QStringLiteral("author")));
    if (command == QLatin1String("save"))
        return cache.save(first, commandLine.option(QStringLiteral("to")));
    if (command == QLatin1String("export"))
        return cache.exportTo(first);

    Console::error(QStringLiteral("unknown command '%1'").arg(Console::printable(command)));
    return UsageError;
}

} // namespace BCFTool
