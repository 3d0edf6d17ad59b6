// A large archive (3000 topics, 2 KiB snapshots, 5 comments each) is parsed on the reader thread:
// the user-interface thread's event loop keeps turning while the worker reads, and the whole
// document arrives in the cache. The parse grows with the number of topics, so the snapshots are
// kept small: writing the archive and filling the cache stay cheap while the reader thread still
// works for a few dozen timer turns. The copy of the loaded document into the cache, the save and
// the BCF 1.0 export run on workers as well.

#include "BCFArchiveGenerator.h"
#include "WorkflowTestHelpers.h"

#include "BCFapi/BCFCacheApi.h"
#include "BCFLib/BCFModel.h"

#include "QtTools/OperationStatusSink.h"

#include "BCFTestSupport/FileDialogAnswers.h"
#include "BCFTestSupport/MessageBoxAnswerer.h"
#include "BCFTestSupport/TestMain.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QtTest>

using namespace WorkflowTest;
using Vexamo::BCFCacheApi;

class TestWorkflowLargeLoad : public QObject
{
    Q_OBJECT

private slots:
    void loadDoesNotBlockTheEventLoop();
};

void TestWorkflowLargeLoad::loadDoesNotBlockTheEventLoop()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    BCFArchiveGenerator archive = BCFArchiveGenerator::manyTopics();
    archive.snapshotBytes = 2 * 1024;
    const QString path = dir.filePath(QStringLiteral("large.bcf"));
    QVERIFY(archive.writeArchive(path));

    BCFTest::MessageBoxAnswerer boxes;
    BCFCacheApi api;
    QSignalSpy opened(&api, &BCFCacheApi::opened);

    // Turns of the event loop, counted by a timer of the user-interface thread between the start of
    // the load and the document's opened. The parse and the copy into the cache both run on the
    // reader thread.
    int ticks = 0;
    QTimer ticker;
    ticker.setInterval(5);
    connect(&ticker, &QTimer::timeout, [&ticks] { ++ticks; });

    // The worker's progress reaches this thread while it parses.
    Vexamo::OperationStatusSink sink;
    Vexamo::OperationStatusSink::install(&sink);
    qint64 loadProgress = 0;
    const QString loadingTitle = QStringLiteral("Loading BCF file %1").arg(path);
    connect(&sink, &Vexamo::OperationStatusSink::progressed,
            [&](quint64, const QString& title, qint64 value, qint64) {
                if (title == loadingTitle && opened.isEmpty())
                    loadProgress = qMax(loadProgress, value);
            });
    // The validity check ends on this thread right when the copy into the cache is handed to the
    // reader thread: the turns from its end until opened are the copy's and the swap's.
    int ticksAtCopy = -1;
    connect(&sink, &Vexamo::OperationStatusSink::finished, [&](quint64, const QString& title) {
        if (title == QLatin1String("Checking validity") && opened.isEmpty())
            ticksAtCopy = ticks;
    });

    ticker.start();
    QVERIFY(api.openBCFFile(path));
    const int ticksAtStart = ticks;
    QVERIFY(waitForCount(opened, 1, 600000));
    const int ticksDuringLoad = ticks - ticksAtStart;
    const int ticksDuringCopy = ticksAtCopy < 0 ? -1 : ticks - ticksAtCopy;
    ticker.stop();

    // The loop turned many times while the worker parsed, and the worker's progress reached us.
    qInfo("%d turns of the event loop during the load", ticksDuringLoad);
    QVERIFY2(ticksDuringLoad >= 10,
             qPrintable(QStringLiteral("%1 turns of the event loop during the load").arg(ticksDuringLoad)));
    QVERIFY(loadProgress > 0);
    qInfo("%d turns of the event loop during the copy into the cache", ticksDuringCopy);
    QVERIFY2(ticksDuringCopy >= 2,
             qPrintable(QStringLiteral("%1 turns of the event loop during the copy").arg(ticksDuringCopy)));
    const QList<QThread*> threads = api.findChildren<QThread*>(QStringLiteral("BCF_2_1ReaderThread"));
    QCOMPARE(threads.size(), 1);
    QVERIFY(threads.at(0) != QThread::currentThread());

    // Everything arrived in the cache.
    QCOMPARE(boxes.count(), 0);
    QCOMPARE(api.getTopic(QString()).size(), archive.topics);
    for (int t : {0, archive.topics / 2, archive.topics - 1}) {
        const QString topicId = BCFArchiveGenerator::topicGuid(t);
        QCOMPARE(api.getComment(topicId, QString()).size(), archive.commentsPerTopic);
        const QVariantList viewpoints = api.getViewpoint(topicId, QString());
        QCOMPARE(viewpoints.size(), 1);
        QScopedPointer<QByteArray> snapshot(
            api.getSnapshotContent(topicId, BCFArchiveGenerator::viewpointGuid(t, 0), QString()));
        QVERIFY(snapshot);
        QVERIFY(*snapshot == archive.snapshot(t, 0));
    }

    // Saving it back: the document is written on a worker while the loop keeps turning, and the
    // save still ends, with saved(), before the trigger returns.
    QSignalSpy saved(&api, &BCFCacheApi::saved);
    ticks = 0;
    ticker.start();
    actionsOf(api).save->trigger();
    ticker.stop();
    qInfo("%d turns of the event loop during the save", ticks);
    QCOMPARE(saved.size(), 1);
    QVERIFY2(ticks >= 2, qPrintable(QStringLiteral("%1 turns of the event loop during the save").arg(ticks)));
    QCOMPARE(boxes.count(), 0);
    const QSharedPointer<BCFLib::BCFModel> written = loadModel(path);
    QVERIFY(written);
    QCOMPARE(written->topicCount(), archive.topics);

    // Exporting it to BCF 1.0: written on a worker while the loop keeps turning, with progress, and
    // exported() is emitted on this thread before the trigger returns.
    const QString exportPath = dir.filePath(QStringLiteral("large-bcf1.bcf"));
    BCFTest::FileDialogAnswers dialogs;
    dialogs.answer(exportPath);
    QSignalSpy exported(&api, &BCFCacheApi::exported);
    qint64 exportProgress = 0;
    connect(&sink, &Vexamo::OperationStatusSink::progressed, [&](quint64, const QString& title, qint64 value, qint64) {
        if (title == QLatin1String("Exporting large-bcf1.bcf"))
            exportProgress = qMax(exportProgress, value);
    });
    // A save asked for meanwhile (by a timer: user input waits) is refused without a word.
    QTimer::singleShot(0, &api, [&api] { actionsOf(api).saveCommand->trigger(); });
    ticks = 0;
    ticker.start();
    actionsOf(api).exportBCF1->trigger();
    ticker.stop();
    QCOMPARE(saved.size(), 1);
    qInfo("%d turns of the event loop during the export", ticks);
    QCOMPARE(exported.size(), 1);
    QCOMPARE(exported.at(0).at(0).toString(), exportPath);
    QVERIFY2(ticks >= 2, qPrintable(QStringLiteral("%1 turns of the event loop during the export").arg(ticks)));
    QTRY_COMPARE(exportProgress, qint64(archive.topics));
    QCOMPARE(boxes.count(), 0);
    QVERIFY(QFileInfo(exportPath).size() > 0);
    Vexamo::OperationStatusSink::install(nullptr);
}

BCF_TEST_MAIN(TestWorkflowLargeLoad)
#include "tst_workflow_largeload.moc"
