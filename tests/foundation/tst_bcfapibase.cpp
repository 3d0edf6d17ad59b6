#include "BCFTestSupport/InMemoryBCFapi.h"
#include "BCFTestSupport/TestMain.h"

#include <QAction>
#include <QThread>

using Vexamo::BCFapi;

// Receives the action signals through string-based queued connections, as a host that still uses
// SIGNAL/SLOT would connect them.
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

    void actionSignalsQueued()
    {
        BCFTest::InMemoryBCFapi api;
        ActionReceiver receiver;
        QAction open(QStringLiteral("a.bcfzip"), nullptr);
        QAction other(QStringLiteral("b.bcfzip"), nullptr);

        QVERIFY(QMetaType::type("QAction*") != QMetaType::UnknownType);
        const char* const signalNames[] = {SIGNAL(opened(QAction*)), SIGNAL(saved(QAction*)),
                                           SIGNAL(discarded(QAction*)), SIGNAL(canceled(QAction*)),
                                           SIGNAL(changed(QAction*))};
        for (const char* signal : signalNames)
            QVERIFY(connect(&api, signal, &receiver, SLOT(take(QAction*)), Qt::QueuedConnection));

        emit api.opened(&open);
        emit api.saved(&other);
        emit api.discarded(&open);
        emit api.canceled(&other);
        emit api.changed(&open);
        QVERIFY(receiver.received.isEmpty());
        QTRY_COMPARE(receiver.received, (QList<QAction*>{&open, &other, &open, &other, &open}));
    }

    void openedFromAnotherThread()
    {
        // A queued delivery from a worker thread arrives on the receiver's thread with the action.
        BCFTest::InMemoryBCFapi api;
        ActionReceiver receiver;
        QAction action(QStringLiteral("c.bcfzip"), nullptr);
        QVERIFY(connect(&api, &BCFapi::opened, &receiver, &ActionReceiver::take, Qt::QueuedConnection));

        QThread* worker = QThread::create([&] { emit api.opened(&action); });
        worker->start();
        QVERIFY(worker->wait(10000));
        delete worker;

        QTRY_COMPARE(receiver.received, QList<QAction*>{&action});
        QCOMPARE(receiver.threads.first(), QThread::currentThread());
    }
};

BCF_TEST_MAIN(TestBCFapiBase)
#include "tst_bcfapibase.moc"
