// Benchmark of the BCFCacheApi record store: getTopic, getSingleTopic, createTopic and
// editSnapshotContent over 100, 1000 and 3000 topics, each with 5 comments and 2 viewpoints holding
// 100 KiB snapshots, plus a breakdown of one topic read into its steps and the peak memory.
//
// Usage: bench_cachestore [sizes...]   (default 100 1000 3000)
// Runs on the offscreen platform with QStandardPaths test mode; the working directory lives under
// ~/.qttest/cache/<this run> and is removed at the end.

#include "BCFapi/BCFCacheApi.h"
#include "BCFCacheBase64.h"
#include "BCFCacheJsonReader.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QStandardPaths>

#include <cstdio>
#include <memory>
#include <malloc.h>
#include <sys/resource.h>
#include <time.h>
#include <unistd.h>

using Vexamo::BCFCacheApi;

namespace {

const int SnapshotBytes = 100 * 1024;

long peakKiB()
{
    struct rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Resident memory now (Linux), so that the growth of a later peak can be told apart from earlier ones.
long residentKiB()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields.at(1).toLong() * (sysconf(_SC_PAGESIZE) / 1024) : 0;
}

QVariantMap point(double x, double y, double z)
{
    return {{"x", x}, {"y", y}, {"z", z}};
}

QVariantMap topicRecord(int n)
{
    QVariantList comments;
    for (int i = 0; i < 5; ++i) {
        comments.append(QVariantMap{{"guid", QStringLiteral("c%1-%2").arg(n).arg(i)},
                                    {"comment", QStringLiteral("Comment %1 on topic %2: ").arg(i).arg(n)
                                                    + QString(150, QLatin1Char('x'))},
                                    {"author", "someone@example.com"},
                                    {"date", "2024-05-17T08:30:15Z"},
                                    {"status", "Unknown"}});
    }
    QVariantList viewpoints;
    for (int v = 0; v < 2; ++v) {
        QVariantList selection;
        for (int c = 0; c < 20; ++c)
            selection.append(QVariantMap{{"ifc_guid", QStringLiteral("0Ifc%1%2%3").arg(n).arg(v).arg(c)}});
        viewpoints.append(QVariantMap{
            {"guid", QStringLiteral("v%1-%2").arg(n).arg(v)},
            {"perspective_camera",
             QVariantMap{{"camera_view_point", point(1, 2, 3)},
                         {"camera_direction", point(0, 0, -1)},
                         {"camera_up_vector", point(0, 1, 0)},
                         {"field_of_view", 60}}},
            {"lines", QVariantList{QVariantMap{{"start_point", point(0, 0, 0)}, {"end_point", point(1, 1, 1)}}}},
            {"components", QVariantMap{{"selection", selection}}}});
    }
    return {{"guid", QStringLiteral("topic-%1").arg(n, 5, 10, QLatin1Char('0'))},
            {"title", QStringLiteral("Topic %1").arg(n)},
            {"creation_date", "2024-05-17T08:30:15Z"},
            {"creation_author", "someone@example.com"},
            {"topic_status", "Open"},
            {"index", n},
            {"labels", QStringList{"Architecture", "Structure"}},
            {"description", QString(300, QLatin1Char('d'))},
            {"comments", comments},
            {"viewpoints", viewpoints}};
}

QByteArray randomBytes(int size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator::global()->fillRange(reinterpret_cast<quint32*>(bytes.data()), size / 4);
    return bytes;
}

// Wall time and CPU time of this thread: on a shared machine the CPU time is the steadier figure.
class Stopwatch
{
public:
    Stopwatch() { restart(); }
    void restart()
    {
        m_wall.start();
        m_cpuStart = cpuMs();
    }
    double wallMs() const { return m_wall.nsecsElapsed() / 1e6; }
    double cpuElapsedMs() const { return cpuMs() - m_cpuStart; }

private:
    static double cpuMs()
    {
        timespec now {};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
        return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
    }
    QElapsedTimer m_wall;
    double m_cpuStart = 0;
};

// Sums of wall and CPU time over several measured calls.
struct Total {
    double wall = 0;
    double cpu = 0;
    void add(const Stopwatch& watch)
    {
        wall += watch.wallMs();
        cpu += watch.cpuElapsedMs();
    }
};

void printEach(const char* what, const Total& total, int count)
{
    std::printf("  %-22s %9.3f ms CPU, %9.3f ms wall each\n", what, total.cpu / count, total.wall / count);
}

// The steps of one topic read, timed apart (CPU time): file read, JSON parse, conversion to
// variants, base64 decoding of the two snapshots.
void breakdown(const QString& path, int rounds)
{
    double readMs = 0, parseMs = 0, variantMs = 0, base64Ms = 0;
    for (int i = 0; i < rounds; ++i) {
        Stopwatch watch;
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        const QByteArray json = file.readAll();
        readMs += watch.cpuElapsedMs();

        watch.restart();
        const QJsonDocument document = QJsonDocument::fromJson(json);
        parseMs += watch.cpuElapsedMs();

        watch.restart();
        const QVariantMap record = document.object().toVariantMap();
        variantMs += watch.cpuElapsedMs();

        watch.restart();
        qsizetype decoded = 0;
        for (const QVariant& viewpoint : record.value("viewpoints").toList()) {
            QByteArray bytes;
            Vexamo::BCFCacheBase64::decode(
                viewpoint.toMap().value("snapshot").toMap().value("snapshot_data").toString(), &bytes);
            decoded += bytes.size();
        }
        base64Ms += watch.cpuElapsedMs();
        if (decoded != 2 * SnapshotBytes)
            std::printf("unexpected snapshot size %lld\n", static_cast<long long>(decoded));
    }
    std::printf("  one topic read by step (ms CPU): file %.3f, JSON parse %.3f, to variants %.3f, base64 %.3f\n",
                readMs / rounds, parseMs / rounds, variantMs / rounds, base64Ms / rounds);

    // The whole read of the file into its record (file, parse, variants, snapshots) by the two
    // parsers of the store's reader.
    double readerMs[2] = {0, 0};
    const Vexamo::BCFCacheJsonReader::Parser parsers[2] = {Vexamo::BCFCacheJsonReader::Parser::QtDocument,
                                                          Vexamo::BCFCacheJsonReader::Parser::Fast};
    for (int i = 0; i < rounds; ++i) {
        for (int p = 0; p < 2; ++p) {
            Stopwatch watch;
            QFile file(path);
            file.open(QIODevice::ReadOnly);
            Vexamo::BCFCacheJsonReader reader(Vexamo::BCFCacheJsonReader::DefaultMaximumSize, parsers[p]);
            QVariantMap record;
            if (!reader.read(file, &record))
                std::printf("topic file not read: %s\n", qPrintable(reader.errorString()));
            readerMs[p] += watch.cpuElapsedMs();
        }
    }
    std::printf("  one topic read whole (ms CPU): QJsonDocument %.3f, simdjson %.3f: %.1fx faster\n",
                readerMs[0] / rounds, readerMs[1] / rounds, readerMs[0] / readerMs[1]);

    // The same record written back: base64 encoding, conversion from variants, JSON text.
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    QVariantMap record = QJsonDocument::fromJson(file.readAll()).object().toVariantMap();
    double encodeMs = 0, fromVariantMs = 0, textMs = 0;
    for (int i = 0; i < rounds; ++i) {
        Stopwatch watch;
        QVariantList viewpoints = record.value("viewpoints").toList();
        for (QVariant& viewpoint : viewpoints) {
            QVariantMap map = viewpoint.toMap();
            QVariantMap snapshot = map.value("snapshot").toMap();
            snapshot.insert("snapshot_data", QString::fromLatin1(randomBytes(SnapshotBytes).toBase64()));
            map.insert("snapshot", snapshot);
            viewpoint = map;
        }
        record.insert("viewpoints", viewpoints);
        encodeMs += watch.cpuElapsedMs();

        watch.restart();
        const QJsonDocument document = QJsonDocument::fromVariant(record);
        fromVariantMs += watch.cpuElapsedMs();

        watch.restart();
        const QByteArray json = document.toJson(QJsonDocument::Indented);
        textMs += watch.cpuElapsedMs();
        if (json.size() < 2 * SnapshotBytes)
            std::printf("unexpected JSON size %lld\n", static_cast<long long>(json.size()));
    }
    std::printf("  one topic write by step (ms CPU): random bytes and base64 %.3f, from variants %.3f,"
                " JSON text %.3f\n",
                encodeMs / rounds, fromVariantMs / rounds, textMs / rounds);
}

void run(int topics)
{
    BCFCacheApi cache;
    cache.clearTopics();
    std::printf("%d topics\n", topics);

    QByteArray snapshot = randomBytes(SnapshotBytes);
    Total create, edit;
    for (int n = 0; n < topics; ++n) {
        const QVariantMap record = topicRecord(n);
        Stopwatch watch;
        const QString id = cache.createTopic(record, QString());
        create.add(watch);
        for (const QVariant& viewpoint : record.value("viewpoints").toList()) {
            snapshot[n % SnapshotBytes] = char(n);
            watch.restart();
            cache.editSnapshotContent(id, viewpoint.toMap().value("guid").toString(), &snapshot, QString());
            edit.add(watch);
        }
    }
    printEach("createTopic", create, topics);
    printEach("editSnapshotContent", edit, 2 * topics);

    const QString someId = topicRecord(topics / 2).value("guid").toString();
    const QString topicFile = QStandardPaths::writableLocation(QStandardPaths::CacheLocation)
        + QStringLiteral("/Annotations/") + someId + QStringLiteral("/annotation.json");
    std::printf("  topic file             %9lld bytes\n", static_cast<long long>(QFile(topicFile).size()));

    const int singleRounds = qMin(topics, 200);
    Total single;
    for (int n = 0; n < singleRounds; ++n) {
        const QString id = topicRecord(n).value("guid").toString();
        Stopwatch watch;
        const QVariantMap topic = cache.getSingleTopic(id, QString());
        single.add(watch);
        if (topic.isEmpty())
            std::printf("topic %s not read\n", qPrintable(id));
    }
    printEach("getSingleTopic", single, singleRounds);

    Total content;
    Stopwatch watch;
    const std::unique_ptr<QByteArray> bytes(
        cache.getSnapshotContent(someId, QStringLiteral("v%1-0").arg(topics / 2), QString()));
    content.add(watch);
    printEach("getSnapshotContent", content, 1);

    const long residentBefore = residentKiB();
    Total list;
    watch.restart();
    QVariantList all = cache.getTopic(QString());
    list.add(watch);
    std::printf("  %-22s %9.1f ms CPU, %9.1f ms wall in all (%d listed)\n", "getTopic", list.cpu, list.wall,
                static_cast<int>(all.size()));
    printEach("getTopic per topic", list, all.size());
    const long peakAfter = peakKiB();
    std::printf("  memory                 %9ld KiB resident before getTopic, peak %ld KiB after: %.1f KiB per"
                " listed topic\n",
                residentBefore, peakAfter, double(peakAfter - residentBefore) / all.size());
    all.clear();
    // Hand the freed records back to the system, so that the next size starts from a low baseline.
    malloc_trim(0);
    breakdown(topicFile, 50);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("bench_cachestore-%1").arg(QApplication::applicationPid()));

    QList<int> sizes;
    for (int i = 1; i < argc; ++i)
        sizes.append(QString::fromLocal8Bit(argv[i]).toInt());
    if (sizes.isEmpty())
        sizes = {100, 1000, 3000};

    for (int topics : sizes)
        run(topics);

    QDir(QStandardPaths::writableLocation(QStandardPaths::CacheLocation)).removeRecursively();
    return 0;
}
