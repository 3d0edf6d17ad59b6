// Comments, viewpoints, snapshots and attachments inside the topic records of the working cache.

#include "CacheTestHelpers.h"

#include "BCFTestSupport/TestMain.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <memory>

class TestCacheNested : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void commentOrderAndPositions();
    void commentEditWithOtherGuid();
    void viewpointsAndComponents();
    void itemsUnderUnknownOrBrokenTopics();
    void snapshotBytesSurvive();
    void snapshotEdgeCases();
    void attachmentEmptyValues();

private:
    static QStringList guids(const QVariantList& list);
};

QStringList TestCacheNested::guids(const QVariantList& list)
{
    QStringList result;
    for (const QVariant& entry : list)
        result.append(entry.toMap().value("guid").toString());
    return result;
}

void TestCacheNested::init()
{
    Vexamo::BCFCacheApi cache;
    QVERIFY(cache.clearTopics());
    QCOMPARE(cache.createTopic({{"guid", "t"}, {"title", "topic"}}, QString()), QStringLiteral("t"));
}

void TestCacheNested::commentOrderAndPositions()
{
    Vexamo::BCFCacheApi cache;
    QCOMPARE(cache.createComment("t", {{"guid", "c1"}, {"comment", "one"}}, QString()), QStringLiteral("c1"));
    const QString c2 = cache.createComment("t", {{"comment", "two"}}, QString());
    QVERIFY(!c2.isEmpty());
    QCOMPARE(cache.createComment("t", {{"guid", "c3"}, {"comment", "three"}, {"n", 4}}, QString()),
             QStringLiteral("c3"));
    QCOMPARE(guids(cache.getComment("t", QString())), (QStringList{"c1", c2, "c3"}));
    QCOMPARE(cache.getSingleComment("t", c2, QString()).value("comment").toString(), QStringLiteral("two"));
    QCOMPARE(cache.getSingleComment("t", "c3", QString()).value("n").userType(), int(QMetaType::Double));

    cache.editSingleComment("t", c2, {{"guid", c2}, {"comment", "edited"}}, QString());
    QCOMPARE(guids(cache.getComment("t", QString())), (QStringList{"c1", c2, "c3"}));
    QCOMPARE(cache.getSingleComment("t", c2, QString()).value("comment").toString(), QStringLiteral("edited"));
    QCOMPARE(positionOf(cache.getComment("t", QString()), c2), 1);

    cache.removeSingleComment("t", "c1", QString());
    QCOMPARE(guids(cache.getComment("t", QString())), (QStringList{c2, "c3"}));
    QCOMPARE(positionOf(cache.getComment("t", QString()), "c3"), 1);
    // The topic's own members are untouched.
    QCOMPARE(cache.getSingleTopic("t", QString()).value("title").toString(), QStringLiteral("topic"));

    cache.removeSingleComment("t", c2, QString());
    cache.removeSingleComment("t", "c3", QString());
    const QVariantMap topic = cache.getSingleTopic("t", QString());
    QVERIFY(topic.contains("comments"));
    QCOMPARE(topic.value("comments").toList(), QVariantList());
    QCOMPARE(cache.getComment("t", QString()), QVariantList());
}

void TestCacheNested::commentEditWithOtherGuid()
{
    Vexamo::BCFCacheApi cache;
    cache.createComment("t", {{"guid", "a"}}, QString());
    cache.createComment("t", {{"guid", "b"}}, QString());
    cache.editSingleComment("t", "a", {{"guid", "renamed"}, {"comment", "x"}}, QString());
    QCOMPARE(guids(cache.getComment("t", QString())), (QStringList{"renamed", "b"}));
    QCOMPARE(cache.getSingleComment("t", "a", QString()), QVariantMap());

    // A record without "guid" is stored as it comes and can no longer be found.
    cache.editSingleComment("t", "b", {{"comment", "anonymous"}}, QString());
    QCOMPARE(cache.getComment("t", QString()).at(1).toMap(), (QVariantMap{{"comment", "anonymous"}}));
    QCOMPARE(positionOf(cache.getComment("t", QString()), "b"), -1);
}

void TestCacheNested::viewpointsAndComponents()
{
    Vexamo::BCFCacheApi cache;
    const QVariantMap camera{{"camera_view_point", QVariantMap{{"x", 1}, {"y", 2.5}, {"z", -3}}},
                             {"field_of_view", 60}};
    QCOMPARE(cache.createViewpoint("t", {{"guid", "v1"}, {"perspective_camera", camera}}, QString()),
             QStringLiteral("v1"));
    const QString v2 = cache.createViewpoint("t", {{"bitmaps", QVariantList{QVariantMap{{"guid", "b"}}}}}, QString());
    cache.createViewpoint("t", {{"guid", "v3"}}, QString());
    QCOMPARE(guids(cache.getViewpoint("t", QString())), (QStringList{"v1", v2, "v3"}));

    const QVariantMap read = cache.getSingleViewpoint("t", "v1", QString()).value("perspective_camera").toMap();
    QCOMPARE(read.value("camera_view_point").toMap().value("z").toDouble(), -3.0);
    QCOMPARE(read.value("field_of_view").userType(), int(QMetaType::Double));

    const QVariantMap components{
        {"selection", QVariantList{QVariantMap{{"ifc_guid", "0abc"}, {"originating_system", "X"}}}}};
    cache.setComponent("t", v2, components, QString());
    QCOMPARE(cache.getComponent("t", v2, QString()), components);
    QCOMPARE(cache.getSingleViewpoint("t", v2, QString()).value("bitmaps").toList().size(), 1);
    cache.setComponent("t", v2, {}, QString());
    QVERIFY(!cache.getSingleViewpoint("t", v2, QString()).contains("components"));
    QCOMPARE(guids(cache.getViewpoint("t", QString())), (QStringList{"v1", v2, "v3"}));

    cache.editSingleViewpoint("t", "v3", {{"guid", "v3"}, {"lines", QVariantList()}}, QString());
    QCOMPARE(cache.getSingleViewpoint("t", "v3", QString()), (QVariantMap{{"guid", "v3"}, {"lines", QVariantList()}}));
    cache.removeSingleViewpoint("t", "v1", QString());
    QCOMPARE(guids(cache.getViewpoint("t", QString())), (QStringList{v2, "v3"}));
    QCOMPARE(positionOf(cache.getViewpoint("t", QString()), "v3"), 1);
}

void TestCacheNested::itemsUnderUnknownOrBrokenTopics()
{
    Vexamo::BCFCacheApi cache;
    // Unknown topic: an id comes back, nothing is stored and no directory appears.
    QVERIFY(!cache.createComment("nowhere", {{"comment", "lost"}}, QString()).isEmpty());
    QCOMPARE(cache.createViewpoint("nowhere", {{"guid", "v"}}, QString()), QStringLiteral("v"));
    cache.setFile("nowhere", {QVariantMap{{"file_name", "a.ifc"}}}, QString());
    QVERIFY(!QFileInfo::exists(cacheDirectory() + "nowhere"));
    QCOMPARE(cache.getViewpoint("nowhere", QString()), QVariantList());
    QCOMPARE(cache.getSingleComment("nowhere", "x", QString()), QVariantMap());
    QVERIFY(!cache.getSnapshotContent("nowhere", "v", QString()));

    // A topic directory with a damaged file: the change is refused with the reason and the file
    // is left as it is.
    QVERIFY(QDir(cacheDirectory()).mkdir("broken"));
    QVERIFY(writeFileBytes(topicFilePath("broken"), "not json"));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Topic broken not read: "));
    QCOMPARE(cache.createComment("broken", {{"guid", "c"}}, QString()), QString());
    QVERIFY(cache.workingCacheError().contains("damaged"));
    QCOMPARE(fileBytes(topicFilePath("broken")), QByteArray("not json"));
}

void TestCacheNested::snapshotBytesSurvive()
{
    Vexamo::BCFCacheApi cache;
    cache.createViewpoint("t", {{"guid", "v"}}, QString());
    cache.createViewpoint("t", {{"guid", "w"}}, QString());
    QByteArray bytes = awkwardBytes(4096);
    cache.editSnapshotContent("t", "v", &bytes, QString());
    QCOMPARE(bytes, awkwardBytes(4096));

    const std::unique_ptr<QByteArray> first(cache.getSnapshotContent("t", "v", QString()));
    const std::unique_ptr<QByteArray> second(cache.getSnapshotContent("t", "v", QString()));
    QVERIFY(first && second);
    QVERIFY(first.get() != second.get());
    QCOMPARE(*first, bytes);
    QCOMPARE(*second, bytes);
    QVERIFY(!cache.getSnapshotContent("t", "w", QString()));

    // In the file: base64 text labelled "png".
    const QJsonObject stored = QJsonDocument::fromJson(fileBytes(topicFilePath("t"))).object();
    const QJsonObject snapshot = stored.value("viewpoints").toArray().at(0).toObject().value("snapshot").toObject();
    QCOMPARE(snapshot.value("snapshot_type").toString(), QStringLiteral("png"));
    QCOMPARE(QByteArray::fromBase64(snapshot.value("snapshot_data").toString().toLatin1()), bytes);

    // Reading the topic and writing it back keeps the bytes, also across a second viewpoint's edit.
    cache.editSingleTopic("t", cache.getSingleTopic("t", QString()), QString());
    QByteArray other = awkwardBytes(100).toBase64();
    cache.editSnapshotContent("t", "w", &other, QString());
    const std::unique_ptr<QByteArray> afterRewrite(cache.getSnapshotContent("t", "v", QString()));
    QCOMPARE(*afterRewrite, bytes);
    const std::unique_ptr<QByteArray> otherRead(cache.getSnapshotContent("t", "w", QString()));
    QCOMPARE(*otherRead, other);

    // Replacing keeps the other members of the viewpoint and its place.
    cache.setComponent("t", "v", {{"selection", QVariantList()}}, QString());
    QByteArray replacement("\0", 1);
    cache.editSnapshotContent("t", "v", &replacement, QString());
    const std::unique_ptr<QByteArray> replaced(cache.getSnapshotContent("t", "v", QString()));
    QCOMPARE(*replaced, replacement);
    QVERIFY(cache.getSingleViewpoint("t", "v", QString()).contains("components"));
    QCOMPARE(positionOf(cache.getViewpoint("t", QString()), "v"), 0);
}

void TestCacheNested::snapshotEdgeCases()
{
    Vexamo::BCFCacheApi cache;
    cache.createViewpoint("t", {{"guid", "v"}}, QString());
    QByteArray bytes("abc");
    cache.editSnapshotContent("t", "v", &bytes, QString());
    cache.editSnapshotContent("t", "v", nullptr, QString());
    QVERIFY(!cache.getSnapshotContent("t", "v", QString()));
    QVERIFY(!cache.getSingleViewpoint("t", "v", QString()).contains("snapshot"));

    // Empty content is a snapshot with no bytes, not a missing one.
    QByteArray empty;
    cache.editSnapshotContent("t", "v", &empty, QString());
    std::unique_ptr<QByteArray> read(cache.getSnapshotContent("t", "v", QString()));
    QVERIFY(read);
    QVERIFY(read->isEmpty());

    // A "snapshot" that is no snapshot record gives an empty array, not null.
    cache.editSingleViewpoint("t", "v", {{"guid", "v"}, {"snapshot", "oops"}}, QString());
    read.reset(cache.getSnapshotContent("t", "v", QString()));
    QVERIFY(read);
    QVERIFY(read->isEmpty());

    // Every length, so every padding of the base64 text.
    for (int size = 0; size < 8; ++size) {
        QByteArray sized = awkwardBytes(size);
        cache.editSnapshotContent("t", "v", &sized, QString());
        read.reset(cache.getSnapshotContent("t", "v", QString()));
        QCOMPARE(*read, sized);
    }

    // Text that is no base64 (a file written by hand) keeps its UTF-8 bytes.
    QVERIFY(writeFileBytes(topicFilePath("t"),
                           "{\"viewpoints\": [{\"guid\": \"v\", \"snapshot\": {\"snapshot_data\": \"no base64 \u00e9\"}},"
                           " {\"guid\": \"w\", \"snapshot\": {\"snapshot_data\": \"QUJD\"}}]}"));
    read.reset(cache.getSnapshotContent("t", "v", QString()));
    QCOMPARE(*read, QByteArray("no base64 \xc3\xa9"));
    read.reset(cache.getSnapshotContent("t", "w", QString()));
    QCOMPARE(*read, QByteArray("ABC"));

    // The cache keeps no bitmap or snippet content.
    cache.editBitmapContent("t", "v", "b", &bytes, QString());
    QVERIFY(!cache.getBitmapContent("t", "v", "b", QString()));
    cache.setBimSnippetContent("t", &bytes, QString());
    QVERIFY(!cache.getBimSnippetContent("t", QString()));
    QVERIFY(!cache.getSingleTopic("t", QString()).value("viewpoints").toList().at(0).toMap().contains("bitmaps"));
}

void TestCacheNested::attachmentEmptyValues()
{
    Vexamo::BCFCacheApi cache;
    cache.createComment("t", {{"guid", "c"}}, QString());
    cache.createViewpoint("t", {{"guid", "v"}}, QString());

    const QVariantMap snippet{{"snippet_type", "ifc"}, {"is_external", true}, {"reference", "r.ifc"}};
    cache.setBimSnippet("t", snippet, QString());
    QCOMPARE(cache.getBimSnippet("t", QString()), snippet);
    QCOMPARE(guids(cache.getComment("t", QString())), QStringList{"c"});
    QCOMPARE(guids(cache.getViewpoint("t", QString())), QStringList{"v"});
    cache.setBimSnippet("t", {}, QString());
    QVERIFY(!cache.getSingleTopic("t", QString()).contains("bim_snippet"));

    const QVariantList files{QVariantMap{{"file_name", "a.ifc"}, {"date", "2024-01-01T00:00:00Z"}}};
    cache.setFile("t", files, QString());
    QCOMPARE(cache.getFile("t", QString()), files);
    cache.setFile("t", {}, QString());
    cache.setDocumentReference("t", {QVariantMap{{"url", "u"}}}, QString());
    cache.setDocumentReference("t", {}, QString());
    const QVariantMap topic = cache.getSingleTopic("t", QString());
    QVERIFY(!topic.contains("files"));
    QVERIFY(topic.contains("document_references"));
    QCOMPARE(topic.value("document_references").toList(), QVariantList());
    QCOMPARE(cache.getFile("t", QString()), QVariantList());
    QCOMPARE(cache.getDocumentReference("t", QString()), QVariantList());

    const QStringList related{"z", "a", "m"};
    cache.setRelatedTopics("t", related, QString());
    QCOMPARE(cache.getRelatedTopics("t", QString()), related);
    cache.setRelatedTopics("t", {}, QString());
    QVERIFY(cache.getSingleTopic("t", QString()).contains("related_topics"));
    QCOMPARE(cache.getRelatedTopics("t", QString()), QStringList());
}

BCF_TEST_MAIN(TestCacheNested)
#include "tst_cachenested.moc"
