// Open and save of a large BCF archive through BCFCacheApi, against the unzip/zip of the same
// archive as a floor.
//
// open: load on the reader thread, validity check, clearing of the working cache and the copy of
//       every topic into it, from openBCFFile until the document's opened signal;
//       floor: `unzip -o` of the archive into a folder beside it.
// save: the Save command on the opened document (copy of the cache into a model and the write);
//       floor: `zip -r -n .png` of the unzipped folder.
// export: the "Export to BCF 1.0..." command on the opened document; floor: `zip -r` of the
//       unzipped folder.
// All three also report the longest gap between two turns of the event loop while they run.
//
// Usage: bench_open_save [topics] [runs]   (defaults 3000 and 3). Data goes to a temporary folder,
// or to BCF_BENCH_DIR when set.

#include "BCFArchiveGenerator.h"
#include "BenchTools.h"
#include "EventLoopGapMeter.h"

#include "BCFapi/BCFCacheApi.h"
#include "BCFapi/BCFFileApi.h"

#include "BCFLib/BCFModel.h"
#include "QtTools/FileDialogs.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// Wall time of an external tool in seconds, -1 when it is missing or fails.
double runProcess(const QString& program, const QStringList& arguments, const QString& workingDir)
{
    const qint64 ms = BenchTools::timeProcess(program, arguments, workingDir);
    if (ms < 0) {
        std::fprintf(stderr, "%s failed\n", qPrintable(program));
        return -1.0;
    }
    return ms / 1e3;
}

// The longest gaps between two turns of the event loop during the opens, saves and exports.
qint64 longestOpenGapMs = 0;
qint64 longestSaveGapMs = 0;
qint64 longestExportGapMs = 0;

double openOnce(Vexamo::BCFCacheApi& api, const QString& path)
{
    EventLoopGapMeter gaps;
    QEventLoop loop;
    QAction* entry = nullptr;
    const auto connection = QObject::connect(&api, &Vexamo::BCFapi::opened, [&](QAction* action) {
        entry = action;
        loop.quit();
    });
    QElapsedTimer timer;
    timer.start();
    if (!api.openBCFFile(path))
        return -1.0;
    loop.exec();
    const double seconds = timer.nsecsElapsed() / 1e9;
    gaps.stop();
    longestOpenGapMs = qMax(longestOpenGapMs, gaps.longestGapMs());
    QObject::disconnect(connection);
    return entry ? seconds : -1.0;
}

double saveOnce(Vexamo::BCFCacheApi& api)
{
    // The opened document is unchanged; a save still writes it whole.
    QAction* save = api.getExtraAction()->menu()->actions().value(0);
    bool saved = false;
    const auto connection = QObject::connect(&api, &Vexamo::BCFapi::saved, [&saved] { saved = true; });
    QElapsedTimer timer;
    timer.start();
    EventLoopGapMeter gaps;
    save->trigger();
    const double seconds = timer.nsecsElapsed() / 1e9;
    gaps.stop();
    longestSaveGapMs = qMax(longestSaveGapMs, gaps.longestGapMs());
    QObject::disconnect(connection);
    return saved ? seconds : -1.0;
}

// The export command of the save menu, its file dialog answered with target.
double exportOnce(Vexamo::BCFCacheApi& api, const QString& target)
{
    QAction* exportAction = nullptr;
    for (QAction* action : api.getExtraAction()->menu()->actions()) {
        if (action->text() == QLatin1String("Export to BCF 1.0..."))
            exportAction = action;
    }
    if (!exportAction)
        return -1.0;
    Vexamo::QtTools::setFileDialogAnswerer([&target](const Vexamo::QtTools::FileDialogRequest&) { return target; });
    bool exported = false;
    const auto connection = QObject::connect(&api, &Vexamo::BCFCacheApi::exported, [&exported] { exported = true; });
    QElapsedTimer timer;
    timer.start();
    EventLoopGapMeter gaps;
    exportAction->trigger();
    const double seconds = timer.nsecsElapsed() / 1e9;
    gaps.stop();
    longestExportGapMs = qMax(longestExportGapMs, gaps.longestGapMs());
    QObject::disconnect(connection);
    Vexamo::QtTools::setFileDialogAnswerer(Vexamo::QtTools::FileDialogAnswerer());
    return exported ? seconds : -1.0;
}

// For comparison: a save built from the generic BCFapi::copyFromInterface (which reads every topic
// file once more per viewpoint), measured as its two halves, the copy and the model's write.
void saveBreakdown(Vexamo::BCFCacheApi& api, const QString& target, double* copySeconds, double* writeSeconds)
{
    const QSharedPointer<BCFLib::BCFModel> model = BCFLib::BCFModel::Create(nullptr);
    Vexamo::BCFFileApi document(model, nullptr);
    QElapsedTimer timer;
    timer.start();
    document.copyFromInterface(api);
    *copySeconds = timer.nsecsElapsed() / 1e9;
    timer.restart();
    *writeSeconds = model->serialize(target) ? timer.nsecsElapsed() / 1e9 : -1.0;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen")
                                                                     : qgetenv("QT_QPA_PLATFORM"));
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("BCFapiBench"));
    QCoreApplication::setApplicationName(QStringLiteral("bench_open_save"));

    // A message box (a failed save, a load warning) must not stop the measurement: report and close it.
    QTimer boxCloser;
    QObject::connect(&boxCloser, &QTimer::timeout, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            std::fprintf(stderr, "message box: %s: %s\n", qPrintable(box->windowTitle()), qPrintable(box->text()));
            box->close();
        }
    });
    boxCloser.start(50);

    BCFArchiveGenerator archive = BCFArchiveGenerator::manyTopics();
    const QStringList args = app.arguments();
    if (args.size() > 1)
        archive.topics = args.at(1).toInt();
    const int runs = args.size() > 2 ? qMax(1, args.at(2).toInt()) : 3;

    QTemporaryDir tempDir(qEnvironmentVariableIsSet("BCF_BENCH_DIR")
                              ? QDir(qEnvironmentVariable("BCF_BENCH_DIR")).filePath(QStringLiteral("open_save-XXXXXX"))
                              : QDir::temp().filePath(QStringLiteral("open_save-XXXXXX")));
    const QDir dir(tempDir.path());
    const QString source = dir.filePath(QStringLiteral("large.bcf"));

    QElapsedTimer generation;
    generation.start();
    if (!archive.writeArchive(source)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(source));
        return 1;
    }
    std::printf("archive: %s, %.1f MB, generated in %.1f s\n", qPrintable(archive.describe()),
                QFileInfo(source).size() / 1e6, generation.nsecsElapsed() / 1e9);

    std::vector<double> unzipTimes, zipTimes, deflateZipTimes, openTimes, saveTimes, exportTimes, copyTimes, writeTimes;
    const QString unzipped = dir.filePath(QStringLiteral("unzipped"));
    for (int run = 0; run < runs; ++run) {
        QDir(unzipped).removeRecursively();
        unzipTimes.push_back(runProcess(QStringLiteral("unzip"), {QStringLiteral("-q"), QStringLiteral("-o"), source,
                                                                  QStringLiteral("-d"), unzipped},
                                        dir.path()));
        QFile::remove(dir.filePath(QStringLiteral("zipped.zip")));
        zipTimes.push_back(runProcess(QStringLiteral("zip"), {QStringLiteral("-q"), QStringLiteral("-r"), QStringLiteral("-n"),
                                                              QStringLiteral(".png"), QStringLiteral("../zipped.zip"),
                                                              QStringLiteral(".")},
                                      unzipped));
        QFile::remove(dir.filePath(QStringLiteral("deflated.zip")));
        deflateZipTimes.push_back(runProcess(QStringLiteral("zip"), {QStringLiteral("-q"), QStringLiteral("-r"),
                                                                     QStringLiteral("../deflated.zip"), QStringLiteral(".")},
                                             unzipped));
    }

    {
        Vexamo::BCFCacheApi api;
        for (int run = 0; run < runs; ++run) {
            // A file of its own per run: the document of the previous run stays watched.
            const QString working = dir.filePath(QStringLiteral("working%1.bcf").arg(run));
            QFile::copy(source, working);
            openTimes.push_back(openOnce(api, working));
            saveTimes.push_back(saveOnce(api));
            exportTimes.push_back(exportOnce(api, dir.filePath(QStringLiteral("exported.bcf"))));
            double copy = 0.0, write = 0.0;
            saveBreakdown(api, dir.filePath(QStringLiteral("breakdown.bcf")), &copy, &write);
            copyTimes.push_back(copy);
            writeTimes.push_back(write);
        }
        api.clearTopics();
    }

    const double unzipFloor = BenchTools::median(unzipTimes);
    const double zipFloor = BenchTools::median(zipTimes);
    const double open = BenchTools::median(openTimes);
    const double save = BenchTools::median(saveTimes);
    const double exported = BenchTools::median(exportTimes);
    const double deflateFloor = BenchTools::median(deflateZipTimes);
    std::printf("median of %d runs\n", runs);
    std::printf("open  %.2f s   floor unzip -o          %.2f s   ratio %.2f (target <= 2.0)\n", open, unzipFloor,
                open / unzipFloor);
    std::printf("save  %.2f s   floor zip -r -n .png     %.2f s   ratio %.2f (target <= 1.2)\n", save, zipFloor,
                save / zipFloor);
    std::printf("export %.2f s  floor zip -r             %.2f s   ratio %.2f (target <= 1.2)\n", exported,
                deflateFloor, exported / deflateFloor);
    std::printf("longest gap between two turns of the event loop: open %lld ms, save %lld ms, export %lld ms "
                "(target <= 100)\n",
                static_cast<long long>(longestOpenGapMs), static_cast<long long>(longestSaveGapMs),
                static_cast<long long>(longestExportGapMs));
    std::printf("for comparison, a save through copyFromInterface: copy %.2f s + model write %.2f s\n",
                BenchTools::median(copyTimes), BenchTools::median(writeTimes));
    const bool failed = std::any_of(openTimes.begin(), openTimes.end(), [](double t) { return t < 0; })
        || std::any_of(saveTimes.begin(), saveTimes.end(), [](double t) { return t < 0; })
        || std::any_of(exportTimes.begin(), exportTimes.end(), [](double t) { return t < 0; });
    if (failed)
        std::printf("an open, a save or an export failed\n");
    return failed ? 1 : 0;
}
