#include "BCFTestSupport/TestMain.h"

#include "QtTools/OperationStatus.h"
#include "QtTools/OperationStatusSink.h"

#include <QSet>
#include <QThread>

using Vexamo::OperationStatus;
using Vexamo::OperationStatusSink;

namespace {

// What a sink received, in order: "started <title> <maximum>", "progressed <title> <value>/<maximum>",
// "finished <title>"; with the operation ids and the threads they arrived on.
class RecordingSink : public OperationStatusSink
{
public:
    RecordingSink()
    {
        connect(this, &OperationStatusSink::started, this, [this](quint64 id, const QString& title, qint64 maximum) {
            record(id, QStringLiteral("started %1 %2").arg(title).arg(maximum));
        });
        connect(this, &OperationStatusSink::progressed, this,
                [this](quint64 id, const QString& title, qint64 value, qint64 maximum) {
                    record(id, QStringLiteral("progressed %1 %2/%3").arg(title).arg(value).arg(maximum));
                });
        connect(this, &OperationStatusSink::finished, this,
                [this](quint64 id, const QString& title) { record(id, QStringLiteral("finished ") + title); });
    }

    QStringList events;
    QSet<quint64> ids;
    QSet<QThread*> threads;

private:
    void record(quint64 id, const QString& event)
    {
        events.append(event);
        ids.insert(id);
        threads.insert(QThread::currentThread());
    }
};

} // namespace

class TestOperationStatus : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { OperationStatusSink::install(nullptr); }

    void forwardsFromWorkerThread()
    {
        RecordingSink sink;
        OperationStatusSink::install(&sink);
        QCOMPARE(OperationStatusSink::installed(), &sink);

        constexpr int steps = 10000;
        QThread* worker = QThread::create([] {
            OperationStatus status(QStringLiteral("Loading"), 0, true);
            status.addMax(steps);
            for (int i = 0; i < steps; ++i)
                status.addStep(1);
        });
        worker->start();
        QVERIFY(worker->wait(30000));
        delete worker;

        QTRY_VERIFY(!sink.events.isEmpty() && sink.events.last() == QStringLiteral("finished Loading"));
        QCOMPARE(sink.events.first(), QStringLiteral("started Loading 0"));
        // The last state arrives before finished; the steps in between are throttled.
        QCOMPARE(sink.events.at(sink.events.size() - 2), QStringLiteral("progressed Loading %1/%1").arg(steps));
        QCOMPARE(sink.events.filter(QStringLiteral(" Loading")).size(), sink.events.size());
        QVERIFY(sink.events.size() < steps);
        QCOMPARE(sink.ids.size(), 1);
        QCOMPARE(sink.threads, QSet<QThread*>{QThread::currentThread()});
    }

    void nothingWithoutSinkAndLateSink()
    {
        RecordingSink sink;
        {
            OperationStatus silent(QStringLiteral("Silent"), 3, true);
            silent.addStep(1);
            QCOMPARE(silent.value(), qint64(1));
            QCOMPARE(silent.maximum(), qint64(3));
        }
        QCoreApplication::processEvents();
        QVERIFY(sink.events.isEmpty());

        // A status that began before the sink was installed announces itself on its next report.
        OperationStatus* late = new OperationStatus(QStringLiteral("Late"), 2, true);
        OperationStatusSink::install(&sink);
        late->addStep(2);
        delete late;
        QTRY_COMPARE(sink.events, (QStringList{"started Late 2", "progressed Late 2/2", "finished Late"}));
    }

    void diesWithItsParent()
    {
        RecordingSink sink;
        OperationStatusSink::install(&sink);
        QObject* owner = new QObject;
        OperationStatus* status = new OperationStatus(QStringLiteral("Owned"), 1, true, owner);
        status->addStep(1);
        delete owner;
        QTRY_VERIFY(sink.events.contains(QStringLiteral("finished Owned")));
        QVERIFY(sink.events.first().startsWith(QStringLiteral("started Owned")));
    }

    void sinkGoneWhileWorkerReports()
    {
        // A sink deleted while a worker still reports receives nothing more and nothing crashes.
        RecordingSink* sink = new RecordingSink;
        OperationStatusSink::install(sink);
        QAtomicInt stop(0);
        QThread* worker = QThread::create([&stop] {
            OperationStatus status(QStringLiteral("Busy"), 0, true);
            while (!stop.loadAcquire()) {
                status.addMax(1);
                status.addStep(1);
            }
        });
        worker->start();
        QTRY_VERIFY(!sink->events.isEmpty());
        delete sink;
        QCOMPARE(OperationStatusSink::installed(), static_cast<OperationStatusSink*>(nullptr));
        stop.storeRelease(1);
        QVERIFY(worker->wait(30000));
        delete worker;
        QCoreApplication::processEvents();
    }
};

BCF_TEST_MAIN(TestOperationStatus)
#include "tst_operationstatus.moc"
