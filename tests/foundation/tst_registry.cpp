#include "BCFTestSupport/InMemoryBCFapi.h"
#include "BCFTestSupport/TestMain.h"

#include "BCFapi/BCFapiRegistry.h"

#include <QSignalSpy>

using Vexamo::BCFapi;
using Vexamo::BCFapiRegistry;

// Receives the registry's signals through a string-based connection.
class ApiReceiver : public QObject
{
    Q_OBJECT

public slots:
    void take(BCFapi* api) { received.append(api); }

public:
    QList<BCFapi*> received;
};

class TestRegistry : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        // The registry lives for the whole process: start each case from an empty list.
        const QList<BCFapi*> left = BCFapiRegistry::Get()->all();
        for (BCFapi* api : left)
            BCFapiRegistry::Get()->unregisterBCFapi(api);
        QVERIFY(BCFapiRegistry::Get()->all().isEmpty());
    }

    void duplicatesAndUnregister()
    {
        BCFapiRegistry* registry = BCFapiRegistry::Get();
        QCOMPARE(BCFapiRegistry::Get(), registry); // one instance for the process
        BCFTest::InMemoryBCFapi a;
        BCFTest::InMemoryBCFapi b;
        QSignalSpy registered(registry, &BCFapiRegistry::BCFapi_registered);
        QSignalSpy unregistered(registry, &BCFapiRegistry::BCFapi_unregistered);
        // Registering is announced once the object is listed, unregistering while it still is.
        QList<BCFapi*> seenOnSignal;
        QObject context;
        connect(registry, &BCFapiRegistry::BCFapi_registered, &context, [&] { seenOnSignal = registry->all(); });
        connect(registry, &BCFapiRegistry::BCFapi_unregistered, &context, [&] { seenOnSignal = registry->all(); });

        registry->registerBCFapi(&a);
        QCOMPARE(seenOnSignal, (QList<BCFapi*>{&a}));
        registry->registerBCFapi(&b);
        registry->registerBCFapi(&a);
        QCOMPARE(registry->all(), (QList<BCFapi*>{&a, &b, &a}));
        QCOMPARE(registered.count(), 3);
        QCOMPARE(registered.at(2).at(0).value<BCFapi*>(), static_cast<BCFapi*>(&a));

        // One unregister removes every occurrence and announces it once.
        registry->unregisterBCFapi(&a);
        QCOMPARE(seenOnSignal, (QList<BCFapi*>{&a, &b, &a}));
        QCOMPARE(registry->all(), (QList<BCFapi*>{&b}));
        QCOMPARE(unregistered.count(), 1);
        QCOMPARE(unregistered.at(0).at(0).value<BCFapi*>(), static_cast<BCFapi*>(&a));

        // An object that was never listed is still announced, and the list stays as it is.
        BCFTest::InMemoryBCFapi stranger;
        registry->unregisterBCFapi(&stranger);
        QCOMPARE(unregistered.count(), 2);
        QCOMPARE(registry->all(), (QList<BCFapi*>{&b}));

        // The registry never deletes: b is still alive and usable after it left the list.
        registry->unregisterBCFapi(&b);
        QVERIFY(registry->all().isEmpty());
        QCOMPARE(b.getTopic(QString()), QVariantList());
    }

    void queuedDelivery()
    {
        BCFapiRegistry* registry = BCFapiRegistry::Get();
        BCFTest::InMemoryBCFapi a;
        ApiReceiver receiver;
        // A string-based queued connection needs the argument type registered by name.
        QVERIFY(QMetaType::type("BCFapi*") != QMetaType::UnknownType);
        QVERIFY(connect(registry, SIGNAL(BCFapi_registered(BCFapi*)), &receiver, SLOT(take(BCFapi*)),
                        Qt::QueuedConnection));
        QVERIFY(connect(registry, SIGNAL(BCFapi_unregistered(BCFapi*)), &receiver, SLOT(take(BCFapi*)),
                        Qt::QueuedConnection));
        registry->registerBCFapi(&a);
        registry->unregisterBCFapi(&a);
        QVERIFY(receiver.received.isEmpty());
        QTRY_COMPARE(receiver.received, (QList<BCFapi*>{&a, &a}));
    }
};

BCF_TEST_MAIN(TestRegistry)
#include "tst_registry.moc"
