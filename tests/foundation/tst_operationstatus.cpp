#include "BCFTestSupport/TestMain.h"

#include "QtTools/OperationStatus.h"
#include "QtTools/OperationStatusSink.h"

#include <QThread>

using Vexamo::OperationStatus;
using Vexamo::OperationStatusSink;

namespace {

// What a sink received, in order, with the thread it arrived on.
struct Event {
    QString kind;
    quint64 id = 0;
    QString title;
    qint64 value = -1;
    qint64 maximum = -1;
    QThread* thread = nullptr;
};

class RecordingSink : public OperationStatusSink
{
public:
    RecordingSink()
    {
        connect(this, &OperationStatusSink::started, this, [this](quint64 id, const QString& title, qint64 maximum) {
            events.append({QStringLiteral("started"), id, title, -1, maximum, QThread::currentThread()});
        });
        connect(this, &OperationStatusSink::progressed, this,
                [this](quint64 id, const QString& title, qint64 value, qint64 maximum) {
                    events.append({QStringLiteral("progressed"), id, title, value, maximum, QThread::currentThread()});
                });
        connect(this, &OperationStatusSink::finished, this, [this](quint64 id, const QString& title) {
            events.append({QStringLiteral("finished"), id, title, -1, -1, QThread::currentThread()});
        });
    }

    QStringList kinds() const
    {
        QStringList result;
        for (const Event& event : events)
            result.append(event.kind);
        return result;
    }

    QList<Event> events;
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

        QTRY_VERIFY(!sink.events.isEmpty() && sink.events.last().kind == QStringLiteral("finished"));
        const QList<Event> events = sink.events;
        QCOMPARE(events.first().kind, QStringLiteral("started"));
        QCOMPARE(events.first().title, QStringLiteral("Loading"));
        QCOMPARE(events.first().maximum, qint64(0));

        // The last state arrives before finished; the steps in between are throttled.
        const Event lastProgress = events.at(events.size() - 2);
        QCOMPARE(lastProgress.kind, QStringLiteral("progressed"));
        QCOMPARE(lastProgress.value, qint64(steps));
        QCOMPARE(lastProgress.maximum, qint64(steps));
        QVERIFY(sink.kinds().count(QStringLiteral("progressed")) < steps);

        for (const Event& event : events) {
            QCOMPARE(event.thread, QThread::currentThread());
            QCOMPARE(event.id, events.first().id);
            QCOMPARE(event.title, QStringLiteral("Loading"));
        }
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
        QTRY_COMPARE(sink.kinds(), (QStringList{"started", "progressed", "finished"}));
        QCOMPARE(sink.events.at(1).value, qint64(2));
        QCOMPARE(sink.events.at(1).maximum, qint64(2));
    }

    void diesWithItsParent()
    {
        RecordingSink sink;
        OperationStatusSink::install(&sink);
        QObject* owner = new QObject;
        OperationStatus* status = new OperationStatus(QStringLiteral("Owned"), 1, true, owner);
        status->addStep(1);
        delete owner;
        QTRY_VERIFY(sink.kinds().contains(QStringLiteral("finished")));
        QCOMPARE(sink.kinds().first(), QStringLiteral("started"));
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
