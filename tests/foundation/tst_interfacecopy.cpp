#include "BCFTestSupport/InMemoryBCFapi.h"
#include "BCFTestSupport/TestMain.h"

#include "BCFapi/BCFKeys.h"

using BCFTest::CallLog;
using BCFTest::InMemoryBCFapi;
namespace Keys = Vexamo::BCFKeys;

namespace {

QVariantMap viewpoint(const QString& id, const QStringList& bitmapIds = {}, bool withBitmapsKey = false)
{
    QVariantMap record{{Keys::Guid, id}};
    if (withBitmapsKey || !bitmapIds.isEmpty()) {
        QVariantList bitmaps;
        for (const QString& bitmapId : bitmapIds)
            bitmaps.append(QVariantMap{{Keys::Guid, bitmapId}});
        record.insert(Keys::Bitmaps, bitmaps);
    }
    return record;
}

QVariantMap topic(const QString& id, const QVariantList& viewpoints = {}, bool withViewpointsKey = true)
{
    QVariantMap record{{Keys::Guid, id},
                       {Keys::Title, QStringLiteral("Topic %1").arg(id)},
                       {Keys::Comments, QVariantList{QVariantMap{{Keys::Guid, id + "-c"},
                                                                 {Keys::Comment, "hello"}}}},
                       {Keys::RelatedTopics, QStringList{"other"}}};
    if (withViewpointsKey)
        record.insert(Keys::Viewpoints, viewpoints);
    return record;
}

// A source whose topic records come without "guid", as a foreign implementation might list them.
class SourceWithoutTopicIds : public InMemoryBCFapi
{
public:
    using InMemoryBCFapi::InMemoryBCFapi;
    QVariantList getTopic(const QString& project_id) const override
    {
        QVariantList topics = InMemoryBCFapi::getTopic(project_id);
        for (QVariant& entry : topics) {
            QVariantMap record = entry.toMap();
            record.remove(Keys::Guid);
            entry = record;
        }
        return topics;
    }
};

} // namespace

class TestInterfaceCopy : public QObject
{
    Q_OBJECT

private slots:
    void callOrderAndContent()
    {
        CallLog log;
        InMemoryBCFapi source;
        InMemoryBCFapi receiver;
        source.createTopic(topic("t1", {viewpoint("v1", {"b1", "b2"}), viewpoint("v2", {}, true), viewpoint("v3")}),
                           QString());
        source.createTopic(topic("t2", {}, false), QString());
        source.setSnapshot("t1", "v1", "snap-v1");
        source.setSnapshot("t1", "v3", "snap-v3");
        source.setBitmap("t1", "v1", "b1", "bitmap-b1");
        source.setCallLog(&log, "source");
        receiver.setCallLog(&log, "receiver");

        receiver.copyFromInterface(source);

        // Snapshot of a viewpoint, then its bitmaps; null contents are skipped; a viewpoint without
        // "bitmaps" and a topic without "viewpoints" lead to no content calls at all.
        const QStringList expected = {
            "receiver.getProject()",
            "source.getTopic()",
            "receiver.createTopic(t1,)",
            "source.getSnapshotContent(t1,v1,)",
            "receiver.editSnapshotContent(t1,v1,<snap-v1>,)",
            "source.getBitmapContent(t1,v1,b1,)",
            "receiver.editBitmapContent(t1,v1,b1,<bitmap-b1>,)",
            "source.getBitmapContent(t1,v1,b2,)",
            "source.getSnapshotContent(t1,v2,)",
            "source.getSnapshotContent(t1,v3,)",
            "receiver.editSnapshotContent(t1,v3,<snap-v3>,)",
            "receiver.createTopic(t2,)",
        };
        QCOMPARE(log.entries(), expected);

        // Whole records arrive under their ids, in the source's order, with their nested content.
        QCOMPARE(receiver.topicIds(), (QStringList{"t1", "t2"}));
        QCOMPARE(receiver.getSingleTopic("t1", QString()), source.getSingleTopic("t1", QString()));
        QCOMPARE(receiver.getSingleTopic("t2", QString()), source.getSingleTopic("t2", QString()));
        QCOMPARE(receiver.snapshotCount(), 2);
        QCOMPARE(receiver.bitmapCount(), 1);

        // Every byte array the source handed out was deleted by the copy.
        QCOMPARE(source.outstandingContentCopies(), 0);
        QCOMPARE(receiver.outstandingContentCopies(), 0);
    }

    // One pass per project of the receiver, in list order, each with the project's id; no projects
    // or a project entry without "project_id" give one pass with an empty id.
    void projectsOfTheReceiver_data()
    {
        QTest::addColumn<QVariantList>("projects");
        QTest::addColumn<QStringList>("expected");
        const auto pass = [](const QString& project) {
            return QStringList{"source.getTopic(" + project + ")", "receiver.createTopic(t1," + project + ")",
                               "receiver.createTopic(t2," + project + ")"};
        };
        QTest::newRow("none") << QVariantList() << pass(QString());
        QTest::newRow("two") << QVariantList{QVariantMap{{Keys::ProjectId, "p1"}}, QVariantMap{{Keys::ProjectId, "p2"}}}
                             << pass("p1") + pass("p2");
        QTest::newRow("without id") << QVariantList{QVariantMap{{"name", "no id"}}} << pass(QString());
    }

    void projectsOfTheReceiver()
    {
        QFETCH(QVariantList, projects);
        QFETCH(QStringList, expected);
        class Receiver : public InMemoryBCFapi
        {
        public:
            QVariantList projects;
            QVariantList getProject() const override { return projects; }
        } receiver;
        receiver.projects = projects;
        receiver.setProjectScoped(true);
        InMemoryBCFapi source;
        source.createTopic(topic("t1"), QString());
        source.createTopic(topic("t2"), QString());
        CallLog log;
        receiver.setCallLog(&log, "receiver");
        source.setCallLog(&log, "source");
        receiver.copyFromInterface(source);
        QCOMPARE(log.filtered({"getTopic", "createTopic"}), expected);
        for (const QVariant& project : projects.isEmpty() ? QVariantList{QVariantMap()} : projects)
            QCOMPARE(receiver.topicIds(project.toMap().value(Keys::ProjectId).toString()), (QStringList{"t1", "t2"}));
    }

    void receiverKeepsWhatItHad()
    {
        // An empty source adds nothing and takes nothing away.
        CallLog log;
        InMemoryBCFapi source;
        InMemoryBCFapi receiver;
        receiver.createTopic(topic("old"), QString());
        receiver.setSnapshot("old", "v", "png");
        source.setCallLog(&log, "source");
        receiver.setCallLog(&log, "receiver");
        receiver.copyFromInterface(source);
        QCOMPARE(log.entries(), (QStringList{"receiver.getProject()", "source.getTopic()"}));
        QCOMPARE(receiver.topicIds(), (QStringList{"old"}));
        QCOMPARE(receiver.snapshotCount(), 1);

        // A copy adds to the receiver's topics instead of replacing them.
        source.createTopic(topic("new"), QString());
        receiver.copyFromInterface(source);
        QCOMPARE(receiver.topicIds(), (QStringList{"old", "new"}));
    }

    void topicWithoutId()
    {
        CallLog log;
        SourceWithoutTopicIds source;
        InMemoryBCFapi receiver;
        receiver.setType(Vexamo::BCFapi::WorkingCache);
        source.createTopic(topic("t1", {viewpoint("v1", {"b1"})}), QString());
        source.setSnapshot("t1", "v1", "snap");
        source.setBitmap("t1", "v1", "b1", "bitmap");
        source.setCallLog(&log, "source");
        receiver.setCallLog(&log, "receiver");

        receiver.copyFromInterface(source);

        // The contents are asked for under an empty topic id, so none are found.
        QCOMPARE(log.entries(), (QStringList{"receiver.getProject()", "source.getTopic()", "receiver.createTopic({},)",
                                             "source.getSnapshotContent(,v1,)", "source.getBitmapContent(,v1,b1,)"}));
        const QStringList ids = receiver.topicIds();
        QCOMPARE(ids.size(), 1);
        QVERIFY(!ids.first().isEmpty());
        QVERIFY(ids.first() != "t1");
        QCOMPARE(receiver.snapshotCount(), 0);
        QCOMPARE(receiver.bitmapCount(), 0);
    }

    void refusedTopicDoesNotStopTheCopy()
    {
        CallLog log;
        InMemoryBCFapi source;
        InMemoryBCFapi receiver;
        receiver.setRefuseTopics(true);
        source.createTopic(topic("t1", {viewpoint("v1")}), QString());
        source.createTopic(topic("t2"), QString());
        source.setSnapshot("t1", "v1", "snap");
        source.setCallLog(&log, "source");
        receiver.setCallLog(&log, "receiver");

        receiver.copyFromInterface(source);

        // The snapshot is still handed on under the source's ids; the receiver finds no topic for it.
        QCOMPARE(log.entries(),
                 (QStringList{"receiver.getProject()", "source.getTopic()", "receiver.createTopic(t1,)",
                              "source.getSnapshotContent(t1,v1,)", "receiver.editSnapshotContent(t1,v1,<snap>,)",
                              "receiver.createTopic(t2,)"}));
        QVERIFY(receiver.topicIds().isEmpty());
        QCOMPARE(source.outstandingContentCopies(), 0);
    }
};

BCF_TEST_MAIN(TestInterfaceCopy)
#include "tst_interfacecopy.moc"
