// Topics, projects, the file format, the saved flag and the lifecycle of the working cache.

#include "CacheTestHelpers.h"

#include "BCFTestSupport/TestMain.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QStandardPaths>

#include <functional>
#include <memory>
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
    Vexamo::BCFCacheApi cache;
    QVERIFY(cache.clearTopics());
}

void TestCacheTopics::construction()
{
    const QString expected = QStandardPaths::writableLocation(QStandardPaths::CacheLocation) + QDir::separator()
        + QStringLiteral("Annotations") + QDir::separator();
    QVERIFY(QDir(expected).removeRecursively());

    Vexamo::BCFCacheApi cache;
    QCOMPARE(cacheDirectory(), expected);
    QVERIFY(QFileInfo(expected).isDir());
    QCOMPARE(cache.version(), QStringLiteral("2.1"));
    QCOMPARE(int(cache.getType()), 0);
    QVERIFY(!isModified(cache));
    QCOMPARE(cache.username(), QString());
    cache.setCurrentProject(QStringLiteral("p"));
    QCOMPARE(cache.getCurrentProject(), QString());

    QAction* save = cache.getExtraAction();
    QVERIFY(save);
    QCOMPARE(save->text(), QStringLiteral("Save"));
    QVERIFY(save->menu());
    const QList<QAction*> menuActions = save->menu()->actions();
    QStringList texts;
    for (const QAction* action : menuActions)
        texts << action->text();
    QCOMPARE(texts, QStringList({"Save to BCF 2.1...", "Save to BCF 3.0...", "Save as...", "Export to BCF 1.0..."}));
    QCOMPARE(save->menu()->defaultAction(), menuActions.at(0));

    // A second object shares the directory and does not empty it.
    const QString id = cache.createTopic({{"title", "kept"}}, QString());
    QVERIFY(!id.isEmpty());
    Vexamo::BCFCacheApi other;
    QCOMPARE(other.getSingleTopic(id, QString()).value("title").toString(), QStringLiteral("kept"));
}

void TestCacheTopics::createAndReadTopics()
{
    Vexamo::BCFCacheApi cache;
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
    QVERIFY(QDir(cacheDirectory()).removeRecursively());
    QCOMPARE(cache.createTopic({{"guid", "t2"}}, QString()), QString());
    QVERIFY(!QFileInfo::exists(cacheDirectory()));
    QCOMPARE(cache.getTopic(QString()), QVariantList());
}

void TestCacheTopics::fileFormat()
{
    Vexamo::BCFCacheApi cache;
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
    const QByteArray bytes = fileBytes(topicFilePath("t"));
    QVERIFY(bytes.startsWith("{\n    \""));
    QVERIFY(bytes.contains("\"Grüße\""));
    QCOMPARE(QDir(cacheDirectory() + "t").entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{"annotation.json"});
}

void TestCacheTopics::editReplacesWholeRecord()
{
    Vexamo::BCFCacheApi cache;
    cache.createTopic({{"guid", "t"}, {"title", "old"}, {"comments", QVariantList{QVariantMap{{"guid", "c"}}}}},
                      QString());
    cache.editSingleTopic("t", {{"title", "new"}}, QString());
    // Exactly the given record: no comments any more and no "guid" added.
    QCOMPARE(cache.getSingleTopic("t", QString()), (QVariantMap{{"title", "new"}}));
    QCOMPARE(cache.getComment("t", QString()), QVariantList());

    // A topic without a directory stays absent.
    cache.editSingleTopic("ghost", {{"title", "x"}}, QString());
    QVERIFY(!QFileInfo::exists(cacheDirectory() + "ghost"));
    QCOMPARE(cache.getTopic(QString()).size(), 1);
}

void TestCacheTopics::invalidTopicFiles()
{
    Vexamo::BCFCacheApi cache;
    cache.createTopic({{"guid", "good"}}, QString());
    QVERIFY(QDir(cacheDirectory()).mkdir("broken"));
    QVERIFY(writeFileBytes(topicFilePath("broken"), "{ \"title\": "));
    QVERIFY(QDir(cacheDirectory()).mkdir("array"));
    QVERIFY(writeFileBytes(topicFilePath("array"), "[1, 2]"));
    QVERIFY(QDir(cacheDirectory()).mkdir("nofile"));

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
    Vexamo::BCFCacheApi cache;
    const QString root = cacheDirectory();
    cache.createTopic({{"guid", "t"}}, QString());
    QVERIFY(writeFileBytes(root + "plain.json", "{\"guid\": \"plain\"}"));
    QVERIFY(writeFileBytes(root + ".hidden-file", "x"));
    QVERIFY(QDir(root).mkdir(".hidden"));
    QVERIFY(writeFileBytes(topicFilePath(".hidden"), "{\"guid\": \".hidden\"}"));
    QVERIFY(QFile::link(root + "t", root + "link"));

    const QVariantList topics = cache.getTopic(QString());
    QCOMPARE(topics.size(), 1);
    QCOMPARE(topics.at(0).toMap().value("guid").toString(), QStringLiteral("t"));
}

void TestCacheTopics::clearAndRemove()
{
    Vexamo::BCFCacheApi cache;
    cache.createTopic({{"guid", "a"}}, QString());
    cache.createTopic({{"guid", "b"}}, QString());
    cache.removeSingleTopic("a", QString());
    QVERIFY(!QFileInfo::exists(cacheDirectory() + "a"));
    QCOMPARE(cache.getTopic(QString()).size(), 1);

    cache.createProject("p");
    QVERIFY(isModified(cache));
    QVERIFY(cache.clearTopics());
    QVERIFY(!isModified(cache));
    QVERIFY(QFileInfo(cacheDirectory()).isDir());
    QVERIFY(QDir(cacheDirectory()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
    QCOMPARE(cache.createTopic({{"guid", "c"}}, QString()), QStringLiteral("c"));
}

void TestCacheTopics::savedFlag()
{
    // Each step starts from a new object, which holds an unmodified document over the topics that
    // the steps before left on disk.
    std::unique_ptr<Vexamo::BCFCacheApi> current = std::make_unique<Vexamo::BCFCacheApi>();
    Vexamo::BCFCacheApi& setup = *current;
    setup.createTopic({{"guid", "t"}}, QString());
    const QVariantMap viewpoint{{"guid", "v"}};
    setup.createViewpoint("t", viewpoint, QString());
    setup.createComment("t", {{"guid", "c"}}, QString());
    QByteArray png("png");

    struct Step {
        const char* name;
        std::function<void()> run;
        bool savedAfter;
    };
    // Which store change each operation makes is the store's test (tst_cachestore); here, the
    // operations that BCFCacheApi decides on itself, and one of each kind that it hands on.
    const std::vector<Step> steps{
        {"createProject", [&] { current->createProject("p"); }, false},
        {"editSingleProject", [&] { current->editSingleProject("p", "n"); }, false},
        {"createProjectExtension", [&] { current->createProjectExtension("p", {{"a", 1}}); }, true},
        {"createTopic existing", [&] { current->createTopic({{"guid", "t"}}, QString()); }, true},
        {"createComment unknown topic", [&] { current->createComment("zz", {}, QString()); }, false},
        {"editSingleComment unknown", [&] { current->editSingleComment("t", "x", {}, QString()); }, true},
        {"editSnapshotContent unknown", [&] { current->editSnapshotContent("t", "x", &png, QString()); }, false},
        {"setComponent", [&] { current->setComponent("t", "v", {}, QString()); }, false},
        {"setRelatedTopics", [&] { current->setRelatedTopics("t", {}, QString()); }, false},
        {"editBitmapContent", [&] { current->editBitmapContent("t", "v", "b", &png, QString()); }, true},
        {"setBimSnippetContent", [&] { current->setBimSnippetContent("t", &png, QString()); }, true},
        {"reads", [&] {
             current->getTopic(QString());
             current->getSingleTopic("t", QString());
             current->getComment("t", QString());
             delete current->getSnapshotContent("t", "v", QString());
             current->getComponent("t", "v", QString());
             current->saveTopics(QString());
         }, true},
    };
    for (const Step& step : steps) {
        current = std::make_unique<Vexamo::BCFCacheApi>();
        step.run();
        QVERIFY2(!isModified(*current) == step.savedAfter, step.name);
    }
}

void TestCacheTopics::positions()
{
    Vexamo::BCFCacheApi cache;
    const QVariantList list{QVariantMap{{"title", "no guid"}}, QVariantMap{{"guid", "a"}},
                            QVariantMap{{"guid", "b"}}, QVariantMap{{"guid", "a"}}, QVariantMap{{"guid", ""}}};
    QCOMPARE(positionOf(list, "a"), 1);
    QCOMPARE(positionOf(list, "b"), 2);
    QCOMPARE(positionOf(list, "A"), -1);
    QCOMPARE(positionOf(list, ""), 4);
    QCOMPARE(positionOf({}, "a"), -1);

    // Comments and viewpoints are separate lists (positions after edits: tst_cachenested).
    cache.createTopic({{"guid", "t"}}, QString());
    cache.createComment("t", {{"guid", "c1"}}, QString());
    cache.createViewpoint("t", {{"guid", "v1"}}, QString());
    QCOMPARE(positionOf(cache.getComment("t", QString()), "v1"), -1);
    QCOMPARE(positionOf(cache.getViewpoint("t", QString()), "c1"), -1);
}

BCF_TEST_MAIN(TestCacheTopics)
#include "tst_cachetopics.moc"
