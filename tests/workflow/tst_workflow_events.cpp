// Events that overlap in the workflow: two loads that finish close together, and changes of the
// document's file on disk while the reload question is open. Runs on archives made here.

#include "BCFArchiveGenerator.h"
#include "WorkflowTestHelpers.h"

#include "BCFTestSupport/MessageBoxAnswerer.h"
#include "BCFTestSupport/TestFiles.h"
#include "BCFTestSupport/TestMain.h"

#include "BCFapi/BCFCacheApi.h"
#include "QtTools/MessageBoxes.h"

#include <QFileSystemWatcher>
#include <QLockFile>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <quazip/quazip.h>
#include <quazip/quazipfile.h>

using namespace WorkflowTest;
using Vexamo::BCFCacheApi;
using Vexamo::QtTools::MessageBoxRequest;

namespace {

// A small archive of topics topics; with a damaged topic added, opening it reports losses.
QString writeArchive(const QTemporaryDir& dir, const QString& name, int topics, bool damaged)
{
    BCFArchiveGenerator archive;
    archive.topics = topics;
    archive.commentsPerTopic = 1;
    archive.snapshotBytes = 64;
    const QString path = dir.filePath(name);
    if (!archive.writeArchive(path))
        return QString();
    if (damaged) {
        QuaZip zip(path);
        QuaZipFile entry(&zip);
        if (!zip.open(QuaZip::mdAdd)
            || !entry.open(QIODevice::WriteOnly, QuaZipNewInfo(QStringLiteral("damaged/markup.bcf"))))
            return QString();
        entry.write("<Markup><Topic Guid=");
        entry.close();
        zip.close();
    }
    return path;
}

// Delivers one change notification of watcher for path, as the file system would, and returns how
// many questions it raised: as many as the notification has connections to the workflow.
int questionsForOneNotification(QFileSystemWatcher* watcher, const QString& path,
                                const BCFTest::MessageBoxAnswerer& boxes)
{
    const int before = boxes.count();
    QMetaObject::invokeMethod(watcher, "fileChanged", Qt::DirectConnection, Q_ARG(QString, path));
    return boxes.count() - before;
}

} // namespace

class TestWorkflowEvents : public QObject
{
    Q_OBJECT

private slots:
    void loadFinishingDuringAnotherLoadsBox();
    void changesWhileTheReloadQuestionIsOpen();
    void changesByOtherProgramsAreReported();
};

// The first load's warning box runs an event loop (as a real box does) in which a second requested
// load finishes. The first is installed completely before the second is handled; the second, the
// last requested, is the document in the end; each installed document is announced once.
void TestWorkflowEvents::loadFinishingDuringAnotherLoadsBox()
{
    QTemporaryDir dir;
    const QString first = writeArchive(dir, QStringLiteral("first.bcf"), 2, true);
    const QString second = writeArchive(dir, QStringLiteral("second.bcf"), 3, false);
    QVERIFY(!first.isEmpty() && !second.isEmpty());

    BCFCacheApi api;
    QSignalSpy opened(&api, &BCFCacheApi::opened);
    int boxes = 0;
    Vexamo::QtTools::setMessageBoxAnswerer([&](const MessageBoxRequest&) {
        if (++boxes == 1) {
            api.openBCFFile(second);
            // Long enough for the small second load to finish and reach this thread.
            QTest::qWait(1500);
            // Nothing was installed in between.
            if (!opened.isEmpty())
                return QMessageBox::Cancel;
        }
        return QMessageBox::Ok;
    });
    QVERIFY(api.openBCFFile(first));
    QVERIFY(waitForCount(opened, 2));
    QTest::qWait(200);
    Vexamo::QtTools::setMessageBoxAnswerer({});

    QCOMPARE(boxes, 1);
    QCOMPARE(opened.count(), 2);
    QCOMPARE(actionAt(opened, 0)->text(), first);
    QCOMPARE(actionAt(opened, 1)->text(), second);
    QCOMPARE(currentFileName(api), second);
    QCOMPARE(api.getTopic(QString()).size(), 3);
}

// N changes of the document's file ask at most N questions, further changes made while a question
// is open ask none, and one notification asks one question throughout (one connection).
void TestWorkflowEvents::changesWhileTheReloadQuestionIsOpen()
{
    QTemporaryDir dir;
    const QString path = writeArchive(dir, QStringLiteral("watched.bcf"), 1, false);
    QVERIFY(!path.isEmpty());
    BCFTest::MessageBoxAnswerer boxes;
    BCFCacheApi api;
    QSignalSpy opened(&api, &BCFCacheApi::opened);
    QVERIFY(api.openBCFFile(path));
    QVERIFY(waitForCount(opened, 1));
    auto* watcher = api.findChild<QFileSystemWatcher*>();
    QVERIFY(watcher);
    QCOMPARE(questionsForOneNotification(watcher, path, boxes), 1);

    const int changes = 3;
    const QByteArray content = BCFTest::fileBytes(path);
    for (int i = 1; i <= changes; ++i) {
        boxes.answer(QMessageBox::No);
        QVERIFY(BCFTest::writeFileBytes(path, content + QByteArray(i, ' ')));
        QTRY_COMPARE_WITH_TIMEOUT(boxes.count(), i + 1, 10000);
    }
    QTest::qWait(300);
    QCOMPARE(boxes.count(), changes + 1);
    QCOMPARE(questionsForOneNotification(watcher, path, boxes), 1);

    // A change made while the question is open asks nothing more.
    int questions = 0;
    Vexamo::QtTools::setMessageBoxAnswerer([&](const MessageBoxRequest&) {
        if (++questions == 1) {
            BCFTest::writeFileBytes(path, content);
            QTest::qWait(500);
        }
        return QMessageBox::No;
    });
    QVERIFY(BCFTest::writeFileBytes(path, content + "  "));
    QTRY_VERIFY_WITH_TIMEOUT(questions >= 1, 10000);
    QTest::qWait(300);
    Vexamo::QtTools::setMessageBoxAnswerer({});
    QCOMPARE(questions, 1);
    BCFTest::MessageBoxAnswerer after;
    QCOMPARE(questionsForOneNotification(watcher, path, after), 1);
    QCOMPARE(opened.count(), 1);
}

// Every change of the working cache takes the lock file beside it: one taken by another program is
// reported (once for changes close together), our own changes are not.
void TestWorkflowEvents::changesByOtherProgramsAreReported()
{
    BCFCacheApi api;
    QSignalSpy changed(&api, &BCFCacheApi::workingCacheChanged);
    QVERIFY(!api.createTopic({{"guid", "own"}}, QString()).isEmpty());
    QTest::qWait(1000);
    QCOMPARE(changed.count(), 0);

    QLockFile other(QStandardPaths::writableLocation(QStandardPaths::CacheLocation) + "/Annotations.lock");
    for (int i = 0; i < 3; ++i) {
        QVERIFY(other.lock());
        other.unlock();
    }
    QVERIFY(waitForCount(changed, 1, 5000));
    QTest::qWait(700);
    QCOMPARE(changed.count(), 1);
}

BCF_TEST_MAIN(TestWorkflowEvents)
#include "tst_workflow_events.moc"
