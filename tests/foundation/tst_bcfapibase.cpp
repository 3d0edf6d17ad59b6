#include "BCFTestSupport/InMemoryBCFapi.h"
#include "BCFTestSupport/TestMain.h"

#include <QAction>
#include <QThread>

using Vexamo::BCFapi;

// Records the actions it receives and the thread each arrives on.
class ActionReceiver : public QObject
{
    Q_OBJECT

public slots:
    void take(QAction* action)
    {
        received.append(action);
        threads.append(QThread::currentThread());
    }

public:
    QList<QAction*> received;
    QList<QThread*> threads;
};

class TestBCFapiBase : public QObject
{
    Q_OBJECT

private slots:
    void baseDefaults()
    {
        BCFTest::InMemoryBCFapi plain;
        QCOMPARE(plain.version(), QString());
        QVERIFY(!plain.hasProjectList());
        QCOMPARE(plain.getCurrentProject(), QString());
        plain.setCurrentProject(QStringLiteral("p1"));
        QCOMPARE(plain.getCurrentProject(), QString());
        QVERIFY(!plain.hasProjectList());

        QObject owner;
        BCFTest::InMemoryBCFapi* versioned = new BCFTest::InMemoryBCFapi(QStringLiteral("2.1"), &owner);
        QCOMPARE(versioned->version(), QStringLiteral("2.1"));
        QCOMPARE(versioned->parent(), &owner);

        // Hosts store and compare the type as a number.
        QCOMPARE(int(BCFapi::WorkingCache), 0);
        QCOMPARE(int(BCFapi::ModelBacked), 2);
    }

    void actionSignalsQueuedAcrossThreads()
    {
        // String-based queued connections, as a host that still uses SIGNAL/SLOT makes them, deliver
        // every action signal emitted on a worker thread on the receiver's thread, in order.
        BCFTest::InMemoryBCFapi api;
        ActionReceiver receiver;
        QAction open(QStringLiteral("a.bcfzip"), nullptr);
        QAction other(QStringLiteral("b.bcfzip"), nullptr);
        QVERIFY(QMetaType::type("QAction*") != QMetaType::UnknownType);
        for (const char* signal : {SIGNAL(opened(QAction*)), SIGNAL(saved(QAction*)), SIGNAL(discarded(QAction*)),
                                   SIGNAL(canceled(QAction*)), SIGNAL(changed(QAction*))})
            QVERIFY(connect(&api, signal, &receiver, SLOT(take(QAction*)), Qt::QueuedConnection));

        QThread* worker = QThread::create([&] {
            emit api.opened(&open);
            emit api.saved(&other);
            emit api.discarded(&open);
            emit api.canceled(&other);
            emit api.changed(&open);
        });
        worker->start();
        QVERIFY(worker->wait(10000));
        delete worker;
        QVERIFY(receiver.received.isEmpty());
        QTRY_COMPARE(receiver.received, (QList<QAction*>{&open, &other, &open, &other, &open}));
        QCOMPARE(receiver.threads.count(QThread::currentThread()), 5);
    }
};

BCF_TEST_MAIN(TestBCFapiBase)
#include "tst_bcfapibase.moc"
