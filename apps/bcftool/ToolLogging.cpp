#include "ToolLogging.h"

#include "Utility/ConsoleLogging.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <cstdio>

namespace BCFTool {

namespace {

void filterQtMessage(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    Q_UNUSED(context)
    static const bool verbose = qEnvironmentVariableIsSet("BCFTOOL_DEBUG");
    if (verbose || type == QtCriticalMsg || type == QtFatalMsg) {
        const QByteArray bytes = "Qt: " + message.toLocal8Bit() + '\n';
        std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
    }
}

} // namespace

void ToolLogging::install()
{
    qInstallMessageHandler(filterQtMessage);
    Vexamo::InstallConsoleLogging(QStringLiteral("bcftool"));
}

} // namespace BCFTool
