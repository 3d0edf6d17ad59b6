// bcfviewer: a desktop viewer of BCF annotations, built on the BCFapi library.

#include "MainWindow.h"

#include "Utility/ConsoleLogging.h"

#include <QApplication>
#include <QCommandLineParser>

#include <log4cplus/initializer.h>

int main(int argc, char** argv)
{
    log4cplus::Initializer logInitializer;
    // The library's warnings and errors (a topic skipped by the BCF 1.0 export, a file not
    // written) go to stderr, as Qt's own messages do.
    Vexamo::InstallConsoleLogging(QStringLiteral("bcfviewer"));
    QApplication app(argc, argv);
    // The same identity as bcftool: both work on one working cache and one recent-file list.
    QCoreApplication::setOrganizationName(QStringLiteral("Vexamo"));
    QCoreApplication::setApplicationName(QStringLiteral("BCF"));
    QGuiApplication::setApplicationDisplayName(QStringLiteral("BCF Viewer"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Shows and edits the topics of BCF files."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("A BCF file to open (.bcf or .bcfzip)."),
                                 QStringLiteral("[FILE]"));
    parser.process(app);

    MainWindow window;
    window.show();
    const QStringList files = parser.positionalArguments();
    if (!files.isEmpty())
        window.openFile(files.first());
    return app.exec();
}
