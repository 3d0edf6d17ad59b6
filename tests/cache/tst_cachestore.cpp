// BCFCacheStore on its own: a working directory of the test's choosing, no QObject, no dialogs.

#include "CacheTestHelpers.h"

#include "BCFTestSupport/TestMain.h"

#include <QTemporaryDir>

#include <functional>

using Vexamo::BCFCacheStore;
using StoreChange = std::function<void(BCFCacheStore&)>;
Q_DECLARE_METATYPE(StoreChange)

class TestCacheStore : public QObject
{
    Q_OBJECT

private slots:
    void ownDirectory();
    void changesMarkTheDocumentModified_data();
    void changesMarkTheDocumentModified();
};

void TestCacheStore::ownDirectory()
{
    QTemporaryDir dir;
    const QString root = dir.filePath(QStringLiteral("deep/work"));
    BCFCacheStore store(root);
    QCOMPARE(store.directory(), root + QLatin1Char('/'));
    QVERIFY(QFileInfo(root).isDir());
    QVERIFY(!store.isModified());

    QCOMPARE(store.createTopic({{"guid", "t"}, {"title", "A"}}), QStringLiteral("t"));
    QCOMPARE(store.topicFilePath("t"), root + QStringLiteral("/t/annotation.json"));
    QVERIFY(QFileInfo::exists(store.topicFilePath("t")));
    QCOMPARE(store.appendToList("t", "comments", {{"comment", "c"}}).isEmpty(), false);
    QCOMPARE(store.list("t", "comments").size(), 1);

    // A second store over the same directory sees the same topics; the default one does not.
    QCOMPARE(BCFCacheStore(root).topic("t").value("title").toString(), QStringLiteral("A"));
    QVERIFY(BCFCacheStore::defaultDirectory() != store.directory());

    QVERIFY(store.clear());
    QVERIFY(QFileInfo(root).isDir());
    QCOMPARE(store.topics(), QVariantList());
}

void TestCacheStore::changesMarkTheDocumentModified_data()
{
    using Change = StoreChange;
    QTest::addColumn<Change>("change");
    QTest::addColumn<bool>("modified");
    const QVariantMap entry{{"guid", "e"}};
    QTest::newRow("create") << Change([](BCFCacheStore& s) { s.createTopic({{"guid", "u"}}); }) << true;
    QTest::newRow("create taken id") << Change([](BCFCacheStore& s) { s.createTopic({{"guid", "t"}}); }) << false;
    QTest::newRow("replace unknown") << Change([](BCFCacheStore& s) { s.replaceTopic("zz", {}); }) << true;
    QTest::newRow("replace unsafe") << Change([](BCFCacheStore& s) { s.replaceTopic("../t", {}); }) << false;
    QTest::newRow("remove unknown") << Change([](BCFCacheStore& s) { s.removeTopic("zz"); }) << true;
    QTest::newRow("append under unknown topic")
        << Change([](BCFCacheStore& s) { s.appendToList("zz", "comments", {}); }) << true;
    QTest::newRow("replace unknown entry")
        << Change([=](BCFCacheStore& s) { s.replaceInList("t", "comments", "x", &entry); }) << false;
    QTest::newRow("remove entry")
        << Change([](BCFCacheStore& s) { s.replaceInList("t", "comments", "e", nullptr); }) << true;
    QTest::newRow("change unknown entry")
        << Change([](BCFCacheStore& s) { s.changeInList("t", "viewpoints", "x", [](QVariantMap&) {}); }) << true;
    QTest::newRow("change entry")
        << Change([](BCFCacheStore& s) { s.changeInList("t", "comments", "e", [](QVariantMap&) {}); }) << true;
    QTest::newRow("set member") << Change([](BCFCacheStore& s) { s.setMember("t", "files", QVariant()); }) << true;
    QTest::newRow("set member of unknown topic")
        << Change([](BCFCacheStore& s) { s.setMember("zz", "files", QVariantList()); }) << true;
    QTest::newRow("reads") << Change([](BCFCacheStore& s) {
        s.topics();
        s.topic("t");
        s.listEntry("t", "comments", "e");
    }) << false;
}

void TestCacheStore::changesMarkTheDocumentModified()
{
    QFETCH(StoreChange, change);
    QFETCH(bool, modified);
    QTemporaryDir dir;
    BCFCacheStore store(dir.path());
    store.createTopic({{"guid", "t"}, {"comments", QVariantList{QVariantMap{{"guid", "e"}}}}});
    store.setModified(false);
    change(store);
    QCOMPARE(store.isModified(), modified);
}

BCF_TEST_MAIN(TestCacheStore)
#include "tst_cachestore.moc"
