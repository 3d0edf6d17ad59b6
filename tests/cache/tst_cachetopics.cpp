// Topics, projects, the file format, the saved flag and the lifecycle of the working cache.

#include "CacheTestHelpers.h"

#include "BCFTestSupport/TestMain.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QStandardPaths>

#include <functional>
#include <vector>

using Vexamo::BCFCacheApi;

class TestCacheTopics : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void construction();
    void createAndReadTopics();
    void fileFormat();
    void editReplacesWholeRecord();
    void invalidTopicFiles();
    void listingIgnoresFilesHiddenAndLinks();
    void clearAndRemove();
    void savedFlag();
    void positions();
};

void TestCacheTopics::init()
{
    TestableCache cache;
    QVERIFY(cache.clearTopics());
}

void TestCacheTopics::construction()
{
    const QString expected = QStandardPaths::writableLocation(QStandardPaths::CacheLocation) + QDir::separator()
        + QStringLiteral("Annotations") + QDir::separator();
    QVERIFY(QDir(expected).removeRecursively());

    TestableCache cache;
    QCOMPARE(cache.cachePath(), expected);
    QVERIFY(QFileInfo(expected).isDir());
    QCOMPARE(cache.version(), QStringLiteral("2.1"));
    QCOMPARE(int(cache.getType()), 0);
    QVERIFY(cache.saved());
    QCOMPARE(cache.username(), QString());
    cache.setCurrentProject(QStringLiteral("p"));
    QCOMPARE(cache.getCurrentProject(), QString());

    QAction* save = cache.getExtraAction();
    QVERIFY(save);
    QCOMPARE(save->text(), QStringLiteral("Save"));
    QVERIFY(save->menu());
    const QList<QAction*> menuActions = save->menu()->actions();
    QCOMPARE(menuActions.size(), 2);
    QCOMPARE(menuActions.at(0)->text(), QStringLiteral("Save to BCF 2.1..."));
    QCOMPARE(menuActions.at(1)->text(), QStringLiteral("Export to BCF 1.0..."));
    QCOMPARE(save->menu()->defaultAction(), menuActions.at(0));

    // A second object shares the directory and does not empty it.
    const QString id = cache.createTopic({{"title", "kept"}}, QString());
    QVERIFY(!id.isEmpty());
    TestableCache other;
    QCOMPARE(other.getSingleTopic(id, QString()).value("title").toString(), QStringLiteral("kept"));
}

void TestCacheTopics::createAndReadTopics()
{
    TestableCache cache;
    const QString newId = cache.createTopic({{"title", "no id"}}, QString());
    QVERIFY(!newId.isEmpty());
    QCOMPARE(cache.getSingleTopic(newId, QString()).value("guid").toString(), newId);

    const QString emptyId = cache.createTopic({{"guid", ""}, {"title", "empty id"}}, QString());
    QVERIFY(!emptyId.isEmpty());
    QVERIFY(emptyId != newId);

    QCOMPARE(cache.createTopic({{"guid", "t1"}, {"title", "first"}}, QStringLiteral("any project")),
             QStringLiteral("t1"));
    QCOMPARE(cache.createTopic({{"guid", "t1"}, {"title", "second"}}, QString()), QString());
    QCOMPARE(cache.getSingleTopic("t1", QString()).value("title").toString(), QStringLiteral("first"));

    QStringList listed;
    for (const QVariant& topic : cache.getTopic(QString()))
        listed.append(topic.toMap().value("guid").toString());
    listed.sort();
    QStringList expected{newId, emptyId, QStringLiteral("t1")};
    expected.sort();
    QCOMPARE(listed, expected);

    QCOMPARE(cache.getSingleTopic("unknown", QString()), QVariantMap());
    QCOMPARE(cache.getProject(), QVariantList());
    QCOMPARE(cache.createProject("p"), QString());
    QCOMPARE(cache.getProject(), QVariantList());
    QCOMPARE(cache.getSingleProject("p"), QString());
    QCOMPARE(cache.getProjectExtension("p"), QVariantMap());
    QVERIFY(!cache.saveTopics(QDir::temp().filePath("never.json")));
    QVERIFY(!QFileInfo::exists(QDir::temp().filePath("never.json")));

    // Without a working directory nothing is created, and nothing is listed.
    QVERIFY(QDir(cache.cachePath()).removeRecursively());
    QCOMPARE(cache.createTopic({{"guid", "t2"}}, QString()), QString());
    QVERIFY(!QFileInfo::exists(cache.cachePath()));
    QCOMPARE(cache.getTopic(QString()), QVariantList());
}

void TestCacheTopics::fileFormat()
{
    TestableCache cache;
    const QDateTime when(QDate(2024, 5, 17), QTime(8, 30, 15), Qt::UTC);
    const QVariantMap topic{{"guid", "t"},
                            {"title", QStringLiteral("Grüße")},
                            {"index", 3},
                            {"big", qlonglong(1) << 40},
                            {"ratio", 2.5},
                            {"flag", true},
                            {"creation_date", when},
                            {"labels", QStringList{"a", "b"}},
                            {"nested", QVariantMap{{"count", 7}, {"list", QVariantList{1, "x"}}}},
                            {"extra_key", "kept"}};
    QCOMPARE(cache.createTopic(topic, QString()), QStringLiteral("t"));

    const QVariantMap read = cache.getSingleTopic("t", QString());
    QCOMPARE(read.value("index").userType(), int(QMetaType::Double));
    QCOMPARE(read.value("index").toDouble(), 3.0);
    QCOMPARE(read.value("big").userType(), int(QMetaType::Double));
    QCOMPARE(read.value("big").toDouble(), double(qlonglong(1) << 40));
    QCOMPARE(read.value("ratio").toDouble(), 2.5);
    QCOMPARE(read.value("flag").userType(), int(QMetaType::Bool));
    QCOMPARE(read.value("creation_date").userType(), int(QMetaType::QString));
    QCOMPARE(QDateTime::fromString(read.value("creation_date").toString(), Qt::ISODateWithMs), when);
    QCOMPARE(read.value("labels").toStringList(), (QStringList{"a", "b"}));
    const QVariantMap nested = read.value("nested").toMap();
    QCOMPARE(nested.value("count").userType(), int(QMetaType::Double));
    QCOMPARE(nested.value("list").toList().at(0).userType(), int(QMetaType::Double));
    QCOMPARE(read.value("title").toString(), QStringLiteral("Grüße"));
    QCOMPARE(read.value("extra_key").toString(), QStringLiteral("kept"));

    // Indented JSON, UTF-8 without a byte-order mark, nothing else in the topic directory.
    const QByteArray bytes = fileBytes(cache.topicFilePath("t"));
    QVERIFY(bytes.startsWith("{\n    \""));
    QVERIFY(bytes.contains("\"Grüße\""));
    QCOMPARE(QDir(cache.cachePath() + "t").entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{"annotation.json"});
}

void TestCacheTopics::editReplacesWholeRecord()
{
    TestableCache cache;
    cache.createTopic({{"guid", "t"}, {"title", "old"}, {"comments", QVariantList{QVariantMap{{"guid", "c"}}}}},
                      QString());
    cache.editSingleTopic("t", {{"title", "new"}}, QString());
    // Exactly the given record: no comments any more and no "guid" added.
    QCOMPARE(cache.getSingleTopic("t", QString()), (QVariantMap{{"title", "new"}}));
    QCOMPARE(cache.getComment("t", QString()), QVariantList());

    // A topic without a directory stays absent.
    cache.editSingleTopic("ghost", {{"title", "x"}}, QString());
    QVERIFY(!QFileInfo::exists(cache.cachePath() + "ghost"));
    QCOMPARE(cache.getTopic(QString()).size(), 1);
}

void TestCacheTopics::invalidTopicFiles()
{
    TestableCache cache;
    cache.createTopic({{"guid", "good"}}, QString());
    QVERIFY(QDir(cache.cachePath()).mkdir("broken"));
    QVERIFY(writeFileBytes(cache.topicFilePath("broken"), "{ \"title\": "));
    QVERIFY(QDir(cache.cachePath()).mkdir("array"));
    QVERIFY(writeFileBytes(cache.topicFilePath("array"), "[1, 2]"));
    QVERIFY(QDir(cache.cachePath()).mkdir("nofile"));

    QCOMPARE(cache.getSingleTopic("broken", QString()), QVariantMap());
    QCOMPARE(cache.getSingleTopic("array", QString()), QVariantMap());
    QCOMPARE(cache.getSingleTopic("nofile", QString()), QVariantMap());

    const QVariantList topics = cache.getTopic(QString());
    QCOMPARE(topics.size(), 4);
    int empty = 0;
    for (const QVariant& topic : topics)
        empty += topic.toMap().isEmpty() ? 1 : 0;
    QCOMPARE(empty, 3);
}

void TestCacheTopics::listingIgnoresFilesHiddenAndLinks()
{
    TestableCache cache;
    const QString root = cache.cachePath();
    cache.createTopic({{"guid", "t"}}, QString());
    QVERIFY(writeFileBytes(root + "plain.json", "{\"guid\": \"plain\"}"));
    QVERIFY(writeFileBytes(root + ".hidden-file", "x"));
    QVERIFY(QDir(root).mkdir(".hidden"));
    QVERIFY(writeFileBytes(cache.topicFilePath(".hidden"), "{\"guid\": \".hidden\"}"));
    QVERIFY(QFile::link(root + "t", root + "link"));

    const QVariantList topics = cache.getTopic(QString());
    QCOMPARE(topics.size(), 1);
    QCOMPARE(topics.at(0).toMap().value("guid").toString(), QStringLiteral("t"));
}

void TestCacheTopics::clearAndRemove()
{
    TestableCache cache;
    cache.createTopic({{"guid", "a"}}, QString());
    cache.createTopic({{"guid", "b"}}, QString());
    cache.removeSingleTopic("a", QString());
    QVERIFY(!QFileInfo::exists(cache.cachePath() + "a"));
    QCOMPARE(cache.getTopic(QString()).size(), 1);

    cache.setSaved(false);
    QVERIFY(cache.clearTopics());
    QVERIFY(cache.saved());
    QVERIFY(QFileInfo(cache.cachePath()).isDir());
    QVERIFY(QDir(cache.cachePath()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
    QCOMPARE(cache.createTopic({{"guid", "c"}}, QString()), QStringLiteral("c"));
}

void TestCacheTopics::savedFlag()
{
    TestableCache cache;
    cache.createTopic({{"guid", "t"}}, QString());
    const QVariantMap viewpoint{{"guid", "v"}};
    cache.createViewpoint("t", viewpoint, QString());
    cache.createComment("t", {{"guid", "c"}}, QString());
    QByteArray png("png");

    struct Step {
        const char* name;
        std::function<void()> run;
        bool savedAfter;
    };
    const std::vector<Step> steps{
        {"createProject", [&] { cache.createProject("p"); }, false},
        {"editSingleProject", [&] { cache.editSingleProject("p", "n"); }, false},
        {"createTopic", [&] { cache.createTopic({{"guid", "u"}}, QString()); }, false},
        {"createTopic existing", [&] { cache.createTopic({{"guid", "u"}}, QString()); }, true},
        {"editSingleTopic unknown", [&] { cache.editSingleTopic("zz", {}, QString()); }, false},
        {"removeSingleTopic unknown", [&] { cache.removeSingleTopic("zz", QString()); }, false},
        {"createComment unknown topic", [&] { cache.createComment("zz", {}, QString()); }, false},
        {"createViewpoint unknown topic", [&] { cache.createViewpoint("zz", {}, QString()); }, false},
        {"editSingleComment", [&] { cache.editSingleComment("t", "c", {{"guid", "c"}}, QString()); }, false},
        {"editSingleComment unknown", [&] { cache.editSingleComment("t", "x", {}, QString()); }, true},
        {"removeSingleComment unknown", [&] { cache.removeSingleComment("t", "x", QString()); }, true},
        {"editSingleViewpoint unknown", [&] { cache.editSingleViewpoint("t", "x", {}, QString()); }, true},
        {"removeSingleViewpoint unknown", [&] { cache.removeSingleViewpoint("t", "x", QString()); }, true},
        {"editSnapshotContent unknown", [&] { cache.editSnapshotContent("t", "x", &png, QString()); }, false},
        {"editSnapshotContent", [&] { cache.editSnapshotContent("t", "v", &png, QString()); }, false},
        {"setComponent unknown", [&] { cache.setComponent("t", "x", {}, QString()); }, false},
        {"setBimSnippet unknown topic", [&] { cache.setBimSnippet("zz", {}, QString()); }, false},
        {"setFile", [&] { cache.setFile("t", {}, QString()); }, false},
        {"setDocumentReference", [&] { cache.setDocumentReference("t", {}, QString()); }, false},
        {"setRelatedTopics", [&] { cache.setRelatedTopics("t", {}, QString()); }, false},
        {"editBitmapContent", [&] { cache.editBitmapContent("t", "v", "b", &png, QString()); }, true},
        {"setBimSnippetContent", [&] { cache.setBimSnippetContent("t", &png, QString()); }, true},
        {"createProjectExtension", [&] { cache.createProjectExtension("p", {{"a", 1}}); }, true},
        {"reads", [&] {
             cache.getTopic(QString());
             cache.getSingleTopic("t", QString());
             cache.getComment("t", QString());
             cache.getViewpoint("t", QString());
             delete cache.getSnapshotContent("t", "v", QString());
             cache.getComponent("t", "v", QString());
             cache.saveTopics(QString());
         }, true},
    };
    for (const Step& step : steps) {
        cache.setSaved(true);
        step.run();
        QVERIFY2(cache.saved() == step.savedAfter, step.name);
    }
}

void TestCacheTopics::positions()
{
    TestableCache cache;
    const QVariantList list{QVariantMap{{"title", "no guid"}}, QVariantMap{{"guid", "a"}},
                            QVariantMap{{"guid", "b"}}, QVariantMap{{"guid", "a"}}, QVariantMap{{"guid", ""}}};
    QCOMPARE(cache.positionInList("a", list), 1);
    QCOMPARE(cache.positionInList("b", list), 2);
    QCOMPARE(cache.positionInList("A", list), -1);
    QCOMPARE(cache.positionInList("", list), 4);
    QCOMPARE(cache.positionInList("a", {}), -1);

    // Comments and viewpoints are separate lists (positions after edits: tst_cachenested).
    cache.createTopic({{"guid", "t"}}, QString());
    cache.createComment("t", {{"guid", "c1"}}, QString());
    cache.createViewpoint("t", {{"guid", "v1"}}, QString());
    QCOMPARE(cache.commentPosition("v1", "t"), -1);
    QCOMPARE(cache.viewpointPosition("c1", "t"), -1);
}

BCF_TEST_MAIN(TestCacheTopics)
#include "tst_cachetopics.moc"
