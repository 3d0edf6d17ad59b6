#include "BenchTools.h"

#include <algorithm>

#include "BCFArchiveGenerator.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

namespace BenchTools {

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

namespace {

// A "<field>: <n> kB" line of /proc/self/status in bytes, or -1.
qint64 statusBytes(const QByteArray& field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(field.size()).trimmed().split(' ').value(0).toLongLong() * 1024;
    }
    return -1;
}

} // namespace

qint64 peakResidentBytes()
{
    return statusBytes("VmHWM:");
}

qint64 residentBytes()
{
    return statusBytes("VmRSS:");
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

QTextStream& out()
{
    static QTextStream stream(stdout);
    return stream;
}

QString againstFloor(const QString& what, qint64 ms, const QString& floorCommand, qint64 floorMs,
                     const QString& floorProgram, double target)
{
    if (floorMs <= 0)
        return QStringLiteral("%1 %2 ms (%3 not available)").arg(what).arg(ms).arg(floorProgram);
    return QStringLiteral("%1 %2 ms vs %3 %4 ms: %5x (target <= %6x)")
        .arg(what)
        .arg(ms)
        .arg(floorCommand)
        .arg(floorMs)
        .arg(double(ms) / double(floorMs), 0, 'f', 2)
        .arg(target);
}

int runStandardScenarios(const QStringList& args, const QString& benchName, const Scenario& scenario)
{
    QString selected = QStringLiteral("all");
    int runs = 3;
    QString version = QStringLiteral("2.1");
    for (int i = 1; i + 1 < args.size(); i += 2) {
        if (args.at(i) == QLatin1String("--scenario"))
            selected = args.at(i + 1);
        else if (args.at(i) == QLatin1String("--runs"))
            runs = qMax(1, args.at(i + 1).toInt());
        else if (args.at(i) == QLatin1String("--version"))
            version = args.at(i + 1);
    }
    // The scenarios in BCF 2.1 (the default) or 3.0 ("--version 3.0").
    const auto versioned = [&version](BCFArchiveGenerator generator) {
        generator.version3 = version == QLatin1String("3.0");
        return generator;
    };

    // Generated data lives in a temporary folder and is removed afterwards.
    QTemporaryDir dir(QDir::tempPath() + QLatin1Char('/') + benchName + QStringLiteral("-XXXXXX"));
    if (!dir.isValid())
        return 2;
    bool ok = true;
    if (selected == QLatin1String("all") || selected == QLatin1String("viewpoints"))
        ok = scenario(QStringLiteral("viewpoints"), versioned(BCFArchiveGenerator::manyViewpoints()), runs, dir.path()) && ok;
    if (selected == QLatin1String("all") || selected == QLatin1String("topics"))
        ok = scenario(QStringLiteral("topics"), versioned(BCFArchiveGenerator::manyTopics()), runs, dir.path()) && ok;
    return ok ? 0 : 1;
}

} // namespace BenchTools
