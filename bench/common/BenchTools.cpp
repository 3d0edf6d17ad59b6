#include "BenchTools.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>

namespace BenchTools {

qint64 peakResidentBytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong() * 1024;
    }
    return -1;
}

qint64 timeProcess(const QString& program, const QStringList& arguments, const QString& workingDir)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.setStandardOutputFile(QProcess::nullDevice());
    if (!workingDir.isEmpty())
        process.setWorkingDirectory(workingDir);
    QElapsedTimer timer;
    timer.start();
    process.start(program, arguments);
    if (!process.waitForStarted() || !process.waitForFinished(-1))
        return -1;
    const qint64 elapsed = timer.elapsed();
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0 ? elapsed : -1;
}

QString megabytes(qint64 bytes)
{
    return QStringLiteral("%1 MB").arg(double(bytes) / 1e6, 0, 'f', 1);
}

} // namespace BenchTools
