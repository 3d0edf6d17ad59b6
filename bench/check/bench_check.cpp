// bcftool check on a large generated archive, against bcftool info on the same file: info reads the
// whole archive into the model, check validates every entry, so check should take at most 3x as
// long. With the shared schemas present (BCF_SHARED_DIR/schemas) check runs with --schemas too.
//
// Usage: bench_check [topics] [runs]   (defaults 3000 and 3). The archive goes to a temporary
// folder, or to BCF_BENCH_DIR when set, and is removed afterwards.

#include "BCFArchiveGenerator.h"
#include "BenchTools.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <vector>

namespace {

const double sTarget = 3.0;

// Median wall time of runs calls in milliseconds, -1 when one of them fails.
qint64 medianMs(const QStringList& arguments, int runs)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const qint64 ms = BenchTools::timeProcess(QStringLiteral(BCFTOOL_PATH), arguments);
        if (ms < 0)
            return -1;
        times.push_back(double(ms));
    }
    return qint64(BenchTools::median(times));
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    BCFArchiveGenerator generator = BCFArchiveGenerator::manyTopics();
    generator.topics = args.value(1, QStringLiteral("3000")).toInt();
    const int runs = qMax(1, args.value(2, QStringLiteral("3")).toInt());

    const QString base = qEnvironmentVariable("BCF_BENCH_DIR", QDir::tempPath());
    QTemporaryDir dir(QDir(base).filePath(QStringLiteral("bench_check-XXXXXX")));
    if (!dir.isValid()) {
        BenchTools::out() << "no temporary folder in " << base << Qt::endl;
        return 2;
    }
    const QString archive = dir.filePath(QStringLiteral("topics.bcf"));
    if (!generator.writeArchive(archive)) {
        BenchTools::out() << "could not write " << archive << Qt::endl;
        return 2;
    }
    BenchTools::out() << generator.describe() << ", " << BenchTools::megabytes(QFileInfo(archive).size())
                      << ", median of " << runs << " run(s)" << Qt::endl;

    const qint64 info = medianMs({QStringLiteral("info"), archive}, runs);
    const qint64 check = medianMs({QStringLiteral("check"), archive}, runs);
    if (info <= 0 || check < 0) {
        BenchTools::out() << "bcftool info or check failed (check must find the generated archive clean)" << Qt::endl;
        return 1;
    }
    bool passed = true;
    auto report = [&](const QString& what, qint64 ms) {
        const double ratio = double(ms) / double(info);
        passed = passed && ratio <= sTarget;
        BenchTools::out() << what << " " << ms << " ms vs info " << info << " ms: " << QString::number(ratio, 'f', 2)
                          << "x (target <= " << sTarget << "x)" << Qt::endl;
    };
    report(QStringLiteral("check"), check);

    const QString schemas = QDir(qEnvironmentVariable("BCF_SHARED_DIR", QStringLiteral(BCF_SHARED_DIR_DEFAULT)))
                                .filePath(QStringLiteral("schemas"));
    if (QFileInfo(schemas).isDir()) {
        const qint64 withSchemas = medianMs({QStringLiteral("check"), archive, QStringLiteral("--schemas"), schemas}, runs);
        if (withSchemas < 0) {
            BenchTools::out() << "bcftool check --schemas failed" << Qt::endl;
            return 1;
        }
        report(QStringLiteral("check --schemas"), withSchemas);
    } else {
        BenchTools::out() << "check --schemas not measured: no schemas at " << schemas << Qt::endl;
    }
    return passed ? 0 : 1;
}
