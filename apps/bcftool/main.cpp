// bcftool: BCF files and the viewer's annotation workflow from the command line.

#include "CommandDispatcher.h"
#include "CommandLine.h"
#include "Console.h"
#include "ExitCode.h"
#include "ToolLogging.h"

#include <QApplication>

#include <log4cplus/initializer.h>

int main(int argc, char** argv)
{
    // QAction and QMessageBox need a QApplication; the tool never shows a window.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    log4cplus::Initializer logInitializer;
    BCFTool::ToolLogging::install();

    QApplication app(argc, argv);
    // The same identity as bcfviewer: both work on one working cache and one recent-file list.
    QCoreApplication::setOrganizationName(QStringLiteral("Vexamo"));
    QCoreApplication::setApplicationName(QStringLiteral("BCF"));

    BCFTool::CommandLine commandLine;
    if (!commandLine.parse(QCoreApplication::arguments().mid(1))) {
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
