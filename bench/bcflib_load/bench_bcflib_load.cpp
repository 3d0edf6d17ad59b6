// Times loading large BCF archives with the model library (everything parsed, every image in
// memory) and "unzip -t" of the same archive in the same run, and compares the loader's peak
// memory with the decompressed payload. Each load runs in a child process so that its peak memory
// is its own.
//
//   bench_bcflib_load [--scenario viewpoints|topics|all] [--runs N] [--version 2.1|3.0]

#include "BCFArchiveGenerator.h"
#include "BCFLib/BCFArchiveReader.h"
#include "BCFLib/BCFModel.h"
#include "BCFLib/Topic.h"
#include "BCFLib/Viewpoint.h"
#include "BenchTools.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTextStream>
#include <cstdio>

namespace {

using BenchTools::out;

// Child mode: load one archive and print "ms peak baseline topics viewpoints snapshotBytes warnings".
int measureLoad(const QString& fileName)
{
    const qint64 baseline = BenchTools::residentBytes();
    QElapsedTimer timer;
    timer.start();
    QSharedPointer<BCFLib::BCFModel> model = BCFLib::BCFModel::Create();
    BCFLib::BCFArchiveReader reader(model.data());
    reader.read(fileName);
    const qint64 elapsed = timer.elapsed();
    const qint64 peak = BenchTools::peakResidentBytes();

    qint64 viewpoints = 0, snapshotBytes = 0;
    for (BCFLib::Topic* topic : model->topics()) {
        for (BCFLib::Viewpoint* viewpoint : topic->viewpoints()) {
            ++viewpoints;
            if (const QByteArray* snapshot = topic->snapshot(viewpoint->guid()))
                snapshotBytes += snapshot->size();
        }
    }
    printf("%lld %lld %lld %d %lld %lld %d\n", elapsed, peak, baseline, model->topicCount(), viewpoints, snapshotBytes,
           model->loadWarnings().size() + (model->loadError().isEmpty() ? 0 : 1));
    return model->loadError().isEmpty() ? 0 : 1;
}

struct LoadRun
{
    qint64 ms = -1, peak = 0, baseline = 0, topics = 0, viewpoints = 0, snapshotBytes = 0, problems = 0;
};

LoadRun runLoad(const QString& fileName)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--measure-load"), fileName});
    LoadRun run;
    if (!child.waitForFinished(-1) || child.exitCode() != 0)
        return run;
    const QList<QByteArray> fields = child.readAllStandardOutput().trimmed().split(' ');
    if (fields.size() != 7)
        return run;
    run.ms = fields[0].toLongLong();
    run.peak = fields[1].toLongLong();
    run.baseline = fields[2].toLongLong();
    run.topics = fields[3].toLongLong();
    run.viewpoints = fields[4].toLongLong();
    run.snapshotBytes = fields[5].toLongLong();
    run.problems = fields[6].toLongLong();
    return run;
}

bool runScenario(const QString& name, const BCFArchiveGenerator& generator, int runs, const QString& dir)
{
    const QString fileName = dir + QStringLiteral("/") + name + QStringLiteral(".bcfzip");
    out() << "\n== " << name << ": " << generator.describe() << Qt::endl;
    QElapsedTimer timer;
    timer.start();
    if (!generator.writeArchive(fileName)) {
        out() << "cannot write " << fileName << Qt::endl;
        return false;
    }
    const qint64 payload = generator.payloadBytes();
    out() << "archive " << BenchTools::megabytes(QFileInfo(fileName).size()) << ", payload " << BenchTools::megabytes(payload)
          << ", " << generator.entryCount() << " entries, generated in " << timer.elapsed() << " ms" << Qt::endl;

    qint64 bestUnzip = -1;
    LoadRun best;
    for (int i = 0; i < runs; ++i) {
        const qint64 unzip = BenchTools::timeProcess(QStringLiteral("unzip"), {QStringLiteral("-tqq"), fileName});
        if (unzip >= 0 && (bestUnzip < 0 || unzip < bestUnzip))
            bestUnzip = unzip;
        const LoadRun run = runLoad(fileName);
        if (run.ms < 0) {
            out() << "load failed" << Qt::endl;
            return false;
        }
        if (best.ms < 0 || run.ms < best.ms)
            best = run;
        out() << "  run " << i + 1 << ": load " << run.ms << " ms, unzip -t " << unzip << " ms" << Qt::endl;
    }

    const bool complete = best.topics == generator.topics && best.viewpoints == qint64(generator.topics) * generator.viewpointsPerTopic
                          && best.snapshotBytes == qint64(generator.topics) * generator.viewpointsPerTopic * generator.snapshotBytes
                          && best.problems == 0;
    out() << "loaded " << best.topics << " topics, " << best.viewpoints << " viewpoints, "
          << BenchTools::megabytes(best.snapshotBytes) << " of snapshots" << (complete ? "" : "  ** INCOMPLETE **") << Qt::endl;
    out() << BenchTools::againstFloor(QStringLiteral("load"), best.ms, QStringLiteral("unzip -t"), bestUnzip,
                                      QStringLiteral("unzip"), 1.2)
          << Qt::endl;
    out() << QStringLiteral("peak memory %1 (%2 over the process baseline %3) vs payload %4: %5x, over baseline %6x (target <= 1.2x)")
                 .arg(BenchTools::megabytes(best.peak), BenchTools::megabytes(best.peak - best.baseline),
                      BenchTools::megabytes(best.baseline), BenchTools::megabytes(payload))
                 .arg(double(best.peak) / double(payload), 0, 'f', 2)
                 .arg(double(best.peak - best.baseline) / double(payload), 0, 'f', 2)
          << Qt::endl;
    QFile::remove(fileName);
    return complete;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 3 && args.at(1) == QLatin1String("--measure-load"))
        return measureLoad(args.at(2));

    return BenchTools::runStandardScenarios(args, QStringLiteral("bench_bcflib_load"), runScenario);
}
