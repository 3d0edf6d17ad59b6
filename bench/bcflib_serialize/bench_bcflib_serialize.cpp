// Times writing large models as BCF 2.1 or 3.0 archives (the version of the generated input) (BCFModel::serialize: XML generation, deflate of
// the XML, stored images, atomic replace) and "zip -r -n .png" of the same files as an unzipped
// tree, in the same run. The model is the generator's archive loaded with the model library.
//
//   bench_bcflib_serialize [--scenario viewpoints|topics|all] [--runs N] [--version 2.1|3.0]

#include "BCFArchiveGenerator.h"
#include "BCFLib/BCFArchiveReader.h"
#include "BCFLib/BCFModel.h"
#include "BCFLib/Topic.h"
#include "BCFLib/Viewpoint.h"
#include "BenchTools.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

namespace {

using BenchTools::out;

qint64 snapshotBytes(const BCFLib::BCFModel& model, int* viewpoints)
{
    qint64 bytes = 0;
    *viewpoints = 0;
    for (const BCFLib::Topic* topic : model.topics()) {
        for (const BCFLib::Viewpoint* viewpoint : topic->viewpoints()) {
            ++*viewpoints;
            if (const QByteArray* snapshot = topic->snapshot(viewpoint->guid()))
                bytes += snapshot->size();
        }
    }
    return bytes;
}

bool runScenario(const QString& name, const BCFArchiveGenerator& generator, int runs, const QString& dir)
{
    out() << "\n== " << name << ": " << generator.describe() << Qt::endl;
    const QString source = dir + QStringLiteral("/") + name + QStringLiteral("-source.bcfzip");
    const QString written = dir + QStringLiteral("/") + name + QStringLiteral(".bcfzip");
    const QString tree = dir + QStringLiteral("/") + name + QStringLiteral("-tree");
    const QString zipped = dir + QStringLiteral("/") + name + QStringLiteral("-zip.bcfzip");
    if (!generator.writeArchive(source) || !generator.writeTree(tree)) {
        out() << "cannot generate the data" << Qt::endl;
        return false;
    }

    QSharedPointer<BCFLib::BCFModel> model = BCFLib::BCFModel::Create();
    BCFLib::BCFArchiveReader reader(model.data());
    if (!reader.read(source) || !model->loadWarnings().isEmpty()) {
        out() << "cannot load the generated archive" << Qt::endl;
        return false;
    }
    QFile::remove(source);

    qint64 bestSerialize = -1;
    qint64 bestZip = -1;
    for (int i = 0; i < runs; ++i) {
        QFile::remove(zipped); // zip -r would update an existing archive
        const qint64 zip = BenchTools::timeProcess(QStringLiteral("zip"),
                                                   {QStringLiteral("-qr"), QStringLiteral("-n"), QStringLiteral(".png"),
                                                    zipped, QStringLiteral(".")},
                                                   tree);
        if (zip >= 0 && (bestZip < 0 || zip < bestZip))
            bestZip = zip;

        QFile::remove(written);
        QElapsedTimer timer;
        timer.start();
        if (!model->serialize(written)) {
            out() << "serialize failed" << Qt::endl;
            return false;
        }
        const qint64 ms = timer.elapsed();
        if (bestSerialize < 0 || ms < bestSerialize)
            bestSerialize = ms;
        out() << "  run " << i + 1 << ": serialize " << ms << " ms, zip -r -n .png " << zip << " ms" << Qt::endl;
    }

    // What was written must load back whole.
    QSharedPointer<BCFLib::BCFModel> reloaded = BCFLib::BCFModel::Create();
    BCFLib::BCFArchiveReader check(reloaded.data());
    int viewpoints = 0, reloadedViewpoints = 0;
    const bool complete = check.read(written) && reloaded->loadWarnings().isEmpty()
                          && reloaded->topicCount() == model->topicCount()
                          && snapshotBytes(*reloaded, &reloadedViewpoints) == snapshotBytes(*model, &viewpoints)
                          && reloadedViewpoints == viewpoints;
    out() << "archive " << BenchTools::megabytes(QFileInfo(written).size()) << " (zip: "
          << BenchTools::megabytes(QFileInfo(zipped).size()) << "), " << model->topicCount() << " topics, " << viewpoints
          << " viewpoints" << (complete ? "" : "  ** DOES NOT LOAD BACK WHOLE **") << Qt::endl;
    out() << BenchTools::againstFloor(QStringLiteral("serialize"), bestSerialize, QStringLiteral("zip -r -n .png"),
                                      bestZip, QStringLiteral("zip"), 1.2)
          << Qt::endl;

    QFile::remove(written);
    QFile::remove(zipped);
    QDir(tree).removeRecursively();
    return complete;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    return BenchTools::runStandardScenarios(app.arguments(), QStringLiteral("bench_bcflib_serialize"), runScenario);
}
