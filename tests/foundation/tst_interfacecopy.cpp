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
                       {Keys::Comments, QVariantList{QVariantMap{{Keys::Guid, id + QStringLiteral("-c")},
                                                                 {Keys::Comment, QStringLiteral("hello")}}}},
                       {Keys::RelatedTopics, QStringList{QStringLiteral("other")}}};
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
        source.createTopic(topic(QStringLiteral("t1"),
                                 {viewpoint(QStringLiteral("v1"), {QStringLiteral("b1"), QStringLiteral("b2")}),
                                  viewpoint(QStringLiteral("v2"), {}, true), viewpoint(QStringLiteral("v3"))}),
                           QString());
        source.createTopic(topic(QStringLiteral("t2"), {}, false), QString());
        source.setSnapshot(QStringLiteral("t1"), QStringLiteral("v1"), "snap-v1");
        source.setSnapshot(QStringLiteral("t1"), QStringLiteral("v3"), "snap-v3");
        source.setBitmap(QStringLiteral("t1"), QStringLiteral("v1"), QStringLiteral("b1"), "bitmap-b1");
        source.setCallLog(&log, QStringLiteral("source"));
        receiver.setCallLog(&log, QStringLiteral("receiver"));

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
        QCOMPARE(receiver.getSingleTopic(QStringLiteral("t1"), QString()),
                 source.getSingleTopic(QStringLiteral("t1"), QString()));
        QCOMPARE(receiver.getSingleTopic(QStringLiteral("t2"), QString()),
                 source.getSingleTopic(QStringLiteral("t2"), QString()));
        QCOMPARE(receiver.snapshot(QStringLiteral("t1"), QStringLiteral("v1")), QByteArray("snap-v1"));
        QCOMPARE(receiver.snapshot(QStringLiteral("t1"), QStringLiteral("v3")), QByteArray("snap-v3"));
        QCOMPARE(receiver.bitmap(QStringLiteral("t1"), QStringLiteral("v1"), QStringLiteral("b1")),
                 QByteArray("bitmap-b1"));
        QCOMPARE(receiver.snapshotCount(), 2);
        QCOMPARE(receiver.bitmapCount(), 1);

        // Every byte array the source handed out was deleted by the copy.
        QCOMPARE(source.outstandingContentCopies(), 0);
        QCOMPARE(receiver.outstandingContentCopies(), 0);
    }

    void projectsOfTheReceiver()
    {
        InMemoryBCFapi source;
        source.createTopic(topic(QStringLiteral("t1")), QString());
        source.createTopic(topic(QStringLiteral("t2")), QString());

        // Without projects: one pass with an empty project id.
        {
            CallLog log;
            InMemoryBCFapi receiver;
            receiver.setCallLog(&log, QStringLiteral("receiver"));
            source.setCallLog(&log, QStringLiteral("source"));
            receiver.copyFromInterface(source);
            QCOMPARE(log.filtered({"getTopic", "createTopic"}),
                     (QStringList{"source.getTopic()", "receiver.createTopic(t1,)", "receiver.createTopic(t2,)"}));
            QCOMPARE(receiver.topicIds(), (QStringList{"t1", "t2"}));
        }

        // Two projects: one pass per project, in list order, each with the receiver's project id.
        {
            CallLog log;
            InMemoryBCFapi receiver;
            receiver.setProjects({QStringLiteral("p1"), QStringLiteral("p2")});
            receiver.setProjectScoped(true);
            receiver.setCallLog(&log, QStringLiteral("receiver"));
            source.setCallLog(&log, QStringLiteral("source"));
            receiver.copyFromInterface(source);
            QCOMPARE(log.filtered({"getTopic", "createTopic"}),
                     (QStringList{"source.getTopic(p1)", "receiver.createTopic(t1,p1)", "receiver.createTopic(t2,p1)",
                                  "source.getTopic(p2)", "receiver.createTopic(t1,p2)",
                                  "receiver.createTopic(t2,p2)"}));
            QCOMPARE(receiver.topicIds(QStringLiteral("p1")), (QStringList{"t1", "t2"}));
            QCOMPARE(receiver.topicIds(QStringLiteral("p2")), (QStringList{"t1", "t2"}));
        }
        source.setCallLog(nullptr, QString());
    }

    void projectRecordWithoutId()
    {
        CallLog log;
        InMemoryBCFapi source;
        source.createTopic(topic(QStringLiteral("t1")), QString());
        source.setCallLog(&log, QStringLiteral("source"));

        // A project entry that lacks "project_id" is still one pass, with an empty project id.
        class ReceiverWithOddProjects : public InMemoryBCFapi
        {
        public:
            QVariantList getProject() const override
            {
                return {QVariantMap{{QStringLiteral("name"), QStringLiteral("no id")}}};
            }
        } receiver;
        receiver.setCallLog(&log, QStringLiteral("receiver"));
        receiver.copyFromInterface(source);
        QCOMPARE(log.filtered({"getTopic", "createTopic"}),
                 (QStringList{"source.getTopic()", "receiver.createTopic(t1,)"}));
    }

    void emptySourceLeavesReceiverUnchanged()
    {
        CallLog log;
        InMemoryBCFapi source;
        InMemoryBCFapi receiver;
        receiver.createTopic(topic(QStringLiteral("kept")), QString());
        receiver.setSnapshot(QStringLiteral("kept"), QStringLiteral("v"), "png");
        source.setCallLog(&log, QStringLiteral("source"));
        receiver.setCallLog(&log, QStringLiteral("receiver"));

        receiver.copyFromInterface(source);
        QCOMPARE(log.entries(), (QStringList{"receiver.getProject()", "source.getTopic()"}));
        QCOMPARE(receiver.topicIds(), (QStringList{"kept"}));
        QCOMPARE(receiver.snapshotCount(), 1);
    }

    void receiverDoesNotGetEmptied()
    {
        InMemoryBCFapi source;
        InMemoryBCFapi receiver;
        source.createTopic(topic(QStringLiteral("new")), QString());
        receiver.createTopic(topic(QStringLiteral("old")), QString());
        receiver.copyFromInterface(source);
        QCOMPARE(receiver.topicIds(), (QStringList{"old", "new"}));
    }

    void topicWithoutId()
    {
        CallLog log;
        SourceWithoutTopicIds source;
        InMemoryBCFapi receiver;
        receiver.setType(Vexamo::BCFapi::WorkingCache);
        source.createTopic(topic(QStringLiteral("t1"), {viewpoint(QStringLiteral("v1"), {QStringLiteral("b1")})}),
                           QString());
        source.setSnapshot(QStringLiteral("t1"), QStringLiteral("v1"), "snap");
        source.setBitmap(QStringLiteral("t1"), QStringLiteral("v1"), QStringLiteral("b1"), "bitmap");
        source.setCallLog(&log, QStringLiteral("source"));
        receiver.setCallLog(&log, QStringLiteral("receiver"));

        receiver.copyFromInterface(source);

        // The contents are asked for under an empty topic id, so none are found.
        QCOMPARE(log.entries(), (QStringList{"receiver.getProject()", "source.getTopic()", "receiver.createTopic({},)",
                                             "source.getSnapshotContent(,v1,)", "source.getBitmapContent(,v1,b1,)"}));
        const QStringList ids = receiver.topicIds();
        QCOMPARE(ids.size(), 1);
        QVERIFY(!ids.first().isEmpty());
        QVERIFY(ids.first() != QStringLiteral("t1"));
        QCOMPARE(receiver.snapshotCount(), 0);
        QCOMPARE(receiver.bitmapCount(), 0);
    }

    void refusedTopicDoesNotStopTheCopy()
    {
        CallLog log;
        InMemoryBCFapi source;
        InMemoryBCFapi receiver;
        receiver.setRefuseTopics(true);
        source.createTopic(topic(QStringLiteral("t1"), {viewpoint(QStringLiteral("v1"))}), QString());
        source.createTopic(topic(QStringLiteral("t2")), QString());
        source.setSnapshot(QStringLiteral("t1"), QStringLiteral("v1"), "snap");
        source.setCallLog(&log, QStringLiteral("source"));
        receiver.setCallLog(&log, QStringLiteral("receiver"));

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
