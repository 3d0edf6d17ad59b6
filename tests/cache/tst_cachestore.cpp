// BCFCacheStore on its own: a working directory of the test's choosing, no QObject, no dialogs.

#include "CacheTestHelpers.h"

#include "BCFCacheLock.h"

#include "BCFTestSupport/TestMain.h"

#include <QLockFile>
#include <QProcess>
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
    void editsOfSeveralProcessesAreAllKept();
    void lockedCacheRefusesChanges();
    void folderNameIsTheTopicId();
    // Run by editsOfSeveralProcessesAreAllKept in child processes of this binary; skipped otherwise.
    void childEdits();
};

namespace {

const char* const ChildDirectoryVariable = "BCF_TEST_CHILD_CACHE";
const char* const ChildTagVariable = "BCF_TEST_CHILD_TAG";
const QString AcknowledgedPrefix = QStringLiteral("acknowledged ");
const int EditsPerProcess = 100;

} // namespace

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

// Every process appends its comments to the one topic at the same time; each comment whose id came
// back was acknowledged and must be there afterwards.
void TestCacheStore::editsOfSeveralProcessesAreAllKept()
{
    QTemporaryDir dir;
    BCFCacheStore store(dir.path());
    QCOMPARE(store.createTopic({{"guid", "t"}}), QStringLiteral("t"));

    std::vector<std::unique_ptr<QProcess>> children;
    for (int i = 0; i < 3; ++i) {
        children.push_back(std::make_unique<QProcess>());
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(ChildDirectoryVariable, dir.path());
        environment.insert(ChildTagVariable, QStringLiteral("p%1").arg(i));
        children.back()->setProcessEnvironment(environment);
        children.back()->start(QCoreApplication::applicationFilePath(), {QStringLiteral("childEdits")});
    }
    QStringList acknowledged;
    for (auto& child : children) {
        QVERIFY(child->waitForFinished(120000));
        QCOMPARE(child->exitCode(), 0);
        const QStringList lines = QString::fromUtf8(child->readAllStandardOutput()).split('\n');
        for (const QString& line : lines) {
            if (line.startsWith(AcknowledgedPrefix))
                acknowledged.append(line.mid(AcknowledgedPrefix.size()));
        }
    }
    QCOMPARE(acknowledged.size(), 3 * EditsPerProcess);
    const QVariantList comments = store.list("t", "comments");
    QCOMPARE(comments.size(), acknowledged.size());
    for (const QString& id : qAsConst(acknowledged))
        QVERIFY2(positionOf(comments, id) >= 0, qPrintable(id));
}

void TestCacheStore::childEdits()
{
    const QString directory = qEnvironmentVariable(ChildDirectoryVariable);
    if (directory.isEmpty())
        QSKIP("run by editsOfSeveralProcessesAreAllKept");
    const QString tag = qEnvironmentVariable(ChildTagVariable);
    BCFCacheStore store(directory);
    QTextStream out(stdout);
    for (int i = 0; i < EditsPerProcess; ++i) {
        const QString id = store.appendToList("t", "comments", {{"guid", QStringLiteral("%1-%2").arg(tag).arg(i)}});
        if (!id.isEmpty())
            out << AcknowledgedPrefix << id << '\n' << Qt::flush;
    }
}

// A change that cannot get the lock within the wait is not made and says why; reads go on.
void TestCacheStore::lockedCacheRefusesChanges()
{
    QTemporaryDir dir;
    BCFCacheStore store(dir.path());
    QCOMPARE(store.createTopic({{"guid", "t"}, {"title", "A"}}), QStringLiteral("t"));
    QLockFile other(Vexamo::BCFCacheLock::lockFilePath(store.directory()));
    QVERIFY(other.tryLock(0));
    store.setLockWaitMilliseconds(200);
    const QVariantMap before = store.topic("t");

    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("locked by another program"));
    QCOMPARE(store.appendToList("t", "comments", {{"guid", "c"}}), QString());
    QVERIFY(store.errorString().contains("locked by another program"));
    QCOMPARE(store.topic("t"), before);
    QCOMPARE(store.topics().size(), 1);
    other.unlock();
    QCOMPARE(store.appendToList("t", "comments", {{"guid", "c"}}), QStringLiteral("c"));
}

// A folder renamed by hand, or a copy of a topic in a second folder, is a topic of the folder's name.
void TestCacheStore::folderNameIsTheTopicId()
{
    QTemporaryDir dir;
    BCFCacheStore store(dir.path());
    QCOMPARE(store.createTopic({{"guid", "t"}, {"title", "A"}}), QStringLiteral("t"));
    QVERIFY(QDir(dir.path()).mkdir("copy"));
    QVERIFY(QFile::copy(store.topicFilePath("t"), store.topicFilePath("copy")));
    QVERIFY(QDir(dir.path()).rename("t", "renamed"));

    QStringList ids;
    for (const QVariant& topic : store.topics())
        ids.append(topic.toMap().value("guid").toString());
    ids.sort();
    QCOMPARE(ids, QStringList({"copy", "renamed"}));
    QCOMPARE(store.appendToList("renamed", "comments", {{"guid", "c"}}), QStringLiteral("c"));
    QCOMPARE(store.topic("renamed").value("guid").toString(), QStringLiteral("renamed"));
    QCOMPARE(store.list("renamed", "comments").size(), 1);
    QCOMPARE(store.list("copy", "comments").size(), 0);
}

BCF_TEST_MAIN(TestCacheStore)
#include "tst_cachestore.moc"
