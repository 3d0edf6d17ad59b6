// The loading worker: runs on a reader thread, reports progress, and hands the model to the
// thread that created it.

#include "ArchiveBuilder.h"
#include "BCFLib/BCFLoadingWorker.h"
#include "BCFLib/BCFModel.h"
#include "BCFLib/Topic.h"
#include "TestHelpers.h"

#include "BCFTestSupport/TestFiles.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThread>

using namespace BCFLib;

class TestLoadingWorker : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void loadsOnReaderThread_data();
    void loadsOnReaderThread();

private:
    QTemporaryDir m_dir;
    QThread m_reader;
};

void TestLoadingWorker::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_reader.setObjectName(QStringLiteral("BCF_2_1ReaderThread"));
    m_reader.start();
}

void TestLoadingWorker::cleanupTestCase()
{
    m_reader.quit();
    m_reader.wait();
}

void TestLoadingWorker::loadsOnReaderThread_data()
{
    QTest::addColumn<int>("topics"); // -1: a file the reader refuses
    QTest::newRow("four topics") << 4;
    QTest::newRow("not a zip") << -1;
}

void TestLoadingWorker::loadsOnReaderThread()
{
    QFETCH(int, topics);
    ArchiveBuilder archive;
    archive.add(QStringLiteral("bcf.version"), BCFLibTest::versionFile());
    for (int i = 0; i < topics; ++i) {
        const QString guid = QStringLiteral("00000000-0000-0000-0000-00000000000%1").arg(i);
        archive.add(guid + QStringLiteral("/markup.bcf"), BCFLibTest::markup(guid, QStringLiteral("t%1").arg(i)));
    }
    const QString path = m_dir.filePath(QStringLiteral("%1.bcfzip").arg(topics));
    QVERIFY(topics < 0 ? BCFTest::writeFileBytes(path, "plain text") : archive.write(path));

    auto* worker = new BCFLoadingWorker(path);
    QVERIFY(worker->model().isNull());
    worker->moveToThread(&m_reader);

    QList<qlonglong> maxima;
    qlonglong steps = 0;
    QThread* progressThread = nullptr;
    // Direct connections: the progress runs on the reader thread, as a progress display would.
    connect(worker, &BCFLoadingWorker::addMaxSig, worker, [&](qlonglong max) { maxima.append(max); }, Qt::DirectConnection);
    connect(worker, &BCFLoadingWorker::addStepsSig, worker,
            [&](qlonglong n) {
                steps += n;
                progressThread = QThread::currentThread();
            },
            Qt::DirectConnection);
    QSignalSpy finished(worker, &BCFLoadingWorker::loadingFinished);
    QVERIFY(QMetaObject::invokeMethod(worker, "doLoad", Qt::QueuedConnection));
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 10000);

    // A refused file still finishes the load, and its model with the error reaches this thread.
    QSharedPointer<BCFModel> model = worker->model();
    QVERIFY(model);
    QCOMPARE(model->thread(), QThread::currentThread()); // handed to the creating thread
    worker->deleteLater();
    QCOMPARE(model->loadError().isEmpty(), topics >= 0);
    if (topics < 0)
        return;
    QCOMPARE(progressThread, &m_reader);
    QCOMPARE(maxima, QList<qlonglong>{topics + 1});
    QCOMPARE(steps, topics + 1);
    QCOMPARE(model->topics().size(), topics);
    QString message, title;
    QVERIFY(model->isValid(QStringLiteral("four.bcfzip"), message, title));
    QVERIFY(message.isEmpty());

    // The model outlives the worker, and objects parented to it here work (same thread).
    QObject child(nullptr);
    child.setParent(model.data());
    child.setParent(nullptr);
}

BCF_TEST_MAIN(TestLoadingWorker)
#include "tst_loadingworker.moc"
