// bcftool: BCF files and the viewer's annotation workflow from the command line.

#include "CommandDispatcher.h"
#include "CommandLine.h"
#include "Console.h"
#include "ExitCode.h"
#include "InterruptHandler.h"
#include "ToolLogging.h"

#include <QApplication>
#include <QStringList>

#include <log4cplus/initializer.h>

int main(int argc, char** argv)
{
    // QAction and QMessageBox need a QApplication; the tool never shows a window.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    BCFTool::installInterruptHandler();
    log4cplus::Initializer logInitializer;
    BCFTool::ToolLogging::install();

    // The command line is taken before QApplication sees it: QApplication would remove arguments
    // that look like Qt options ("-style", "-reverse", ...) from a comment text or a file name.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    // The same identity as bcfviewer: both work on one working cache and one recent-file list.
    QCoreApplication::setOrganizationName(QStringLiteral("Vexamo"));
    QCoreApplication::setApplicationName(QStringLiteral("BCF"));

    BCFTool::CommandLine commandLine;
    if (!commandLine.parse(arguments)) {
        BCFTool::Console::error(commandLine.error());
        BCFTool::Console::error(QStringLiteral("try 'bcftool --help'"));
        return BCFTool::UsageError;
    }
    if (commandLine.helpRequested()) {
        BCFTool::Console::out(BCFTool::CommandLine::usage().trimmed());
        return BCFTool::Success;
    }
    BCFTool::CommandDispatcher dispatcher;
    return dispatcher.run(commandLine);
}
