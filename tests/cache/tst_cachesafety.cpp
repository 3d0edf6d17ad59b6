// Unsafe topic ids and failed writes in the working cache: nothing outside the working directory is
// ever touched, and a write that fails leaves the previous record in place.

#include "CacheTestHelpers.h"

#include "BCFCacheDocumentCopy.h"
#include "BCFDocumentProject.h"
#include "BCFTestSupport/TestMain.h"

#include "BCFLib/BCFArchiveReader.h"
#include "BCFLib/BCFModel.h"
#include "BCFLib/Topic.h"
#include "BCFapi/BCFFileApi.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <memory>

#include <unistd.h>

class TestCacheSafety : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void hostileTopicIds_data();
    void hostileTopicIds();
    void failedWriteKeepsRecord();
    void readOnlyTopicKeepsRecord();
    void saveRefusesWhatTheModelWouldDrop_data();
    void saveRefusesWhatTheModelWouldDrop();
    void damagedProjectFileIsReported();
    void referenceLinksThroughSave_data();
    void referenceLinksThroughSave();
    void imagesLeftInTheirFilesAreCopiedOrRefused();

private:
    static QVariantMap victimRecord(const QString& guid);
};

QVariantMap TestCacheSafety::victimRecord(const QString& guid)
{
    return {{"guid", guid},
            {"title", "victim"},
            {"comments", QVariantList{QVariantMap{{"guid", "c"}}}},
            {"viewpoints", QVariantList{QVariantMap{{"guid", "v"}, {"components", QVariantMap{{"k", 1}}}}}}};
}

void TestCacheSafety::init()
{
    Vexamo::BCFCacheApi cache;
    QVERIFY(cache.clearTopics());
}

void TestCacheSafety::hostileTopicIds_data()
{
    QTest::addColumn<QString>("id");
    QTest::newRow("empty") << QString();
    QTest::newRow("dot") << QStringLiteral(".");
    QTest::newRow("dotdot") << QStringLiteral("..");
    QTest::newRow("parent victim") << QStringLiteral("../victim");
    QTest::newRow("parent new") << QStringLiteral("../escaped");
    QTest::newRow("backslash parent") << QStringLiteral("..\\victim");
    QTest::newRow("nested") << QStringLiteral("inside/victim");
    QTest::newRow("absolute") << QStringLiteral("/tmp");
    QTest::newRow("newline") << QStringLiteral("inside\n");
    QTest::newRow("nul") << (QStringLiteral("inside") + QChar(0));
    QTest::newRow("too long") << QString(300, QLatin1Char('a'));
    QTest::newRow("long utf8") << QString(120, QChar(0x00e9));
    // Ids the model refuses are refused by the cache too (one rule for both).
    QTest::newRow("space") << QStringLiteral("in side");
    QTest::newRow("non-ascii") << QStringLiteral("caf\u00e9");
    QTest::newRow("hash") << QStringLiteral("a#b");
    QTest::newRow("101 characters") << QString(101, QLatin1Char('a'));
    QTest::newRow("hidden") << QStringLiteral(".inside");
}

void TestCacheSafety::hostileTopicIds()
{
    QFETCH(QString, id);
    auto setup = std::make_unique<Vexamo::BCFCacheApi>();
    const QString root = cacheDirectory();
    const QString parent = QFileInfo(QDir::cleanPath(root)).absolutePath();

    // Targets that a path-built id would reach: a topic beside the working directory, a topic file
    // in the working directory itself, and a real topic "inside" with a nested "victim".
    QVERIFY(QDir(parent).mkpath("victim"));
    QVERIFY(writeFileBytes(parent + "/victim/annotation.json", "{\"guid\": \"victim\", \"title\": \"victim\"}"));
    QVERIFY(writeFileBytes(root + "annotation.json", "{\"guid\": \".\", \"title\": \"root\"}"));
    QCOMPARE(setup->createTopic(victimRecord("inside"), QString()), QStringLiteral("inside"));
    QVERIFY(QDir(root + "inside").mkdir("victim"));
    QVERIFY(writeFileBytes(root + "inside/victim/annotation.json", "{\"guid\": \"victim\"}"));

    const QMap<QString, QByteArray> before = treeSnapshot(parent);
    // From here on, an unmodified document over the same directory.
    setup.reset();
    Vexamo::BCFCacheApi cache;
    QByteArray bytes("png");

    // An empty "guid" asks for a new id; as a topic id it is refused everywhere else.
    if (!id.isEmpty())
        QCOMPARE(cache.createTopic(victimRecord(id), QString()), QString());
    QCOMPARE(cache.getSingleTopic(id, QString()), QVariantMap());
    cache.editSingleTopic(id, {{"title", "overwritten"}}, QString());
    cache.removeSingleTopic(id, QString());

    QCOMPARE(cache.getBimSnippet(id, QString()), QVariantMap());
    cache.setBimSnippet(id, {{"reference", "x"}}, QString());
    QCOMPARE(cache.getFile(id, QString()), QVariantList());
    cache.setFile(id, {QVariantMap{{"file_name", "x"}}}, QString());
    QCOMPARE(cache.getDocumentReference(id, QString()), QVariantList());
    cache.setDocumentReference(id, {}, QString());
    QCOMPARE(cache.getRelatedTopics(id, QString()), QStringList());
    cache.setRelatedTopics(id, {"x"}, QString());

    QCOMPARE(cache.getComment(id, QString()), QVariantList());
    QCOMPARE(cache.createComment(id, {{"guid", "n"}}, QString()), QString());
    QCOMPARE(cache.getSingleComment(id, "c", QString()), QVariantMap());
    cache.editSingleComment(id, "c", {{"guid", "c"}, {"comment", "x"}}, QString());
    cache.removeSingleComment(id, "c", QString());
    QCOMPARE(positionOf(cache.getComment(id, QString()), "c"), -1);

    QCOMPARE(cache.getViewpoint(id, QString()), QVariantList());
    QCOMPARE(cache.createViewpoint(id, {{"guid", "n"}}, QString()), QString());
    QCOMPARE(cache.getSingleViewpoint(id, "v", QString()), QVariantMap());
    cache.editSingleViewpoint(id, "v", {{"guid", "v"}}, QString());
    QCOMPARE(positionOf(cache.getViewpoint(id, QString()), "v"), -1);
    cache.editSnapshotContent(id, "v", &bytes, QString());
    QVERIFY(!std::unique_ptr<QByteArray>(cache.getSnapshotContent(id, "v", QString())));
    QCOMPARE(cache.getComponent(id, "v", QString()), QVariantMap());
    cache.setComponent(id, "v", {}, QString());
    cache.removeSingleViewpoint(id, "v", QString());

    QCOMPARE(treeSnapshot(parent), before);
    QVERIFY(!isModified(cache));
    QCOMPARE(cache.getSingleTopic("inside", QString()), victimRecord("inside"));
}

void TestCacheSafety::failedWriteKeepsRecord()
{
    Vexamo::BCFCacheApi cache;
    QCOMPARE(cache.createTopic(victimRecord("t"), QString()), QStringLiteral("t"));
    const QByteArray previous = fileBytes(topicFilePath("t"));

    // A file-size limit makes every large write fail the way a full disk does.
    QString refused;
    {
        BCFTest::FileSizeLimit limit(16 * 1024);
        QVERIFY(limit.isActive());
        QByteArray big = awkwardBytes(64 * 1024);
        cache.editSnapshotContent("t", "v", &big, QString());
        QVariantMap bigTopic = victimRecord("t");
        bigTopic.insert("description", QString(40 * 1024, QLatin1Char('d')));
        cache.editSingleTopic("t", bigTopic, QString());
        bigTopic.insert("guid", "u");
        refused = cache.createTopic(bigTopic, QString());
    }

    QCOMPARE(fileBytes(topicFilePath("t")), previous);
    QCOMPARE(QDir(cacheDirectory() + "t").entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{"annotation.json"});
    QCOMPARE(refused, QString());
    QVERIFY(!QFileInfo::exists(cacheDirectory() + "u"));
    QCOMPARE(cache.getTopic(QString()).size(), 1);
}

void TestCacheSafety::readOnlyTopicKeepsRecord()
{
    if (geteuid() == 0)
        QSKIP("file permissions do not stop the super-user");
    Vexamo::BCFCacheApi cache;
    QCOMPARE(cache.createTopic(victimRecord("t"), QString()), QStringLiteral("t"));
    const QString dir = cacheDirectory() + "t";
    const QString file = topicFilePath("t");
    const QFileDevice::Permissions readOnly = QFileDevice::ReadOwner | QFileDevice::ExeOwner;

    QVERIFY(QFile::setPermissions(dir, readOnly));
    cache.editSingleTopic("t", {{"title", "lost"}}, QString());
    cache.createComment("t", {{"guid", "c2"}}, QString());
    QVERIFY(QFile::setPermissions(dir, readOnly | QFileDevice::WriteOwner));
    QCOMPARE(cache.getSingleTopic("t", QString()), victimRecord("t"));

    QVERIFY(QFile::setPermissions(file, QFileDevice::ReadOwner));
    cache.editSingleTopic("t", {{"title", "lost"}}, QString());
    QVERIFY(QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    QCOMPARE(cache.getSingleTopic("t", QString()), victimRecord("t"));
}

void TestCacheSafety::saveRefusesWhatTheModelWouldDrop_data()
{
    QTest::addColumn<QByteArray>("topicFile");
    QTest::addColumn<QString>("reason");
    QTest::newRow("damaged topic file") << QByteArray("{\"guid\": \"u\", \"title\": ") << "damaged";
    QTest::newRow("not an object") << QByteArray("[1, 2]") << "damaged";
    QTest::newRow("duplicate comment")
        << QByteArray("{\"guid\": \"u\", \"comments\": [{\"guid\": \"c\"}, {\"guid\": \"C\"}]}") << "comment of the topic u";
    QTest::newRow("refused viewpoint id")
        << QByteArray("{\"guid\": \"u\", \"viewpoints\": [{\"guid\": \"a b\"}]}") << "viewpoint of the topic u";
}

// A topic the model would drop or invent fails the copy that feeds a save, with the reason.
void TestCacheSafety::saveRefusesWhatTheModelWouldDrop()
{
    QFETCH(QByteArray, topicFile);
    QFETCH(QString, reason);
    Vexamo::BCFCacheApi cache;
    QCOMPARE(cache.createTopic(victimRecord("t"), QString()), QStringLiteral("t"));
    QCOMPARE(cache.createTopic({{"guid", "u"}}, QString()), QStringLiteral("u"));
    QVERIFY(writeFileBytes(topicFilePath("u"), topicFile));
    // The same id, in another case, or an entry id the model refuses, is refused by the cache.
    QCOMPARE(cache.createTopic({{"guid", "T"}}, QString()), QString());
    QCOMPARE(cache.createComment("t", {{"guid", "C"}}, QString()), QString());
    QCOMPARE(cache.createViewpoint("t", {{"guid", "a b"}}, QString()), QString());

    if (reason == QLatin1String("damaged"))
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Topic u not read: "));
    const QSharedPointer<BCFLib::BCFModel> model = BCFLib::BCFModel::Create(nullptr);
    Vexamo::BCFFileApi document(model, nullptr);
    QString error;
    QVERIFY(!Vexamo::BCFCacheDocumentCopy::fromCache(cache, document, &error));
    QVERIFY2(error.contains(reason), qPrintable(error));
}

void TestCacheSafety::damagedProjectFileIsReported()
{
    const QString path = cacheDirectory() + ".document-project.json";
    QString error;
    QVERIFY(Vexamo::BCFDocumentProject::read(path, &error).isEmpty());
    QCOMPARE(error, QString());
    for (const QByteArray& bytes : {QByteArray("{\"project\": {\"project_id\": "), QByteArray("\xff\xfe garbage")}) {
        QVERIFY(writeFileBytes(path, bytes));
        QVERIFY(Vexamo::BCFDocumentProject::read(path, &error).isEmpty());
        QVERIFY2(error.contains("is damaged"), qPrintable(error));
    }
}

void TestCacheSafety::referenceLinksThroughSave_data()
{
    QTest::addColumn<QVariantMap>("record");
    QTest::addColumn<QStringList>("saved");
    const QStringList ab{"a", "b"};
    QTest::newRow("cleared, leftover list") << QVariantMap{{"reference_link", ""}, {"reference_links", QStringList{"a"}}} << QStringList();
    QTest::newRow("cleared first of two") << QVariantMap{{"reference_link", ""}, {"reference_links", ab}} << QStringList{"b"};
    QTest::newRow("edited first") << QVariantMap{{"reference_link", "x"}, {"reference_links", ab}} << QStringList{"x", "b"};
    QTest::newRow("agreeing") << QVariantMap{{"reference_link", "a"}, {"reference_links", ab}} << ab;
    QTest::newRow("list only") << QVariantMap{{"reference_links", ab}} << ab;
    QTest::newRow("single only") << QVariantMap{{"reference_link", "a"}} << QStringList{"a"};
}

// The working cache's record, saved and read back, holds the links the record stands for.
void TestCacheSafety::referenceLinksThroughSave()
{
    QFETCH(QVariantMap, record);
    QFETCH(QStringList, saved);
    Vexamo::BCFCacheApi cache;
    record.insert("guid", "t");
    QCOMPARE(cache.createTopic(record, QString()), QStringLiteral("t"));
    const QSharedPointer<BCFLib::BCFModel> model = BCFLib::BCFModel::Create(nullptr);
    Vexamo::BCFFileApi document(model, nullptr);
    QString error;
    QVERIFY2(Vexamo::BCFCacheDocumentCopy::fromCache(cache, document, &error), qPrintable(error));
    const QTemporaryDir directory;
    const QString path = directory.filePath("links.bcf");
    QVERIFY(document.saveTopics(path));
    const QSharedPointer<BCFLib::BCFModel> read = BCFLib::BCFModel::Create(nullptr);
    QVERIFY(BCFLib::BCFArchiveReader(read.data()).read(path));
    QCOMPARE(read->topicCount(), 1);
    QCOMPARE(read->topics().first()->referenceLinks(), saved);
}

// Images that stay in their files while a document is copied (a save reads each one from its
// topic file as it writes it; an open reads each one from the opened file) are copied whole, or the
// copy fails with the reason: none is ever left out.
void TestCacheSafety::imagesLeftInTheirFilesAreCopiedOrRefused()
{
    // Identifiers the writer keeps as they are (UUIDs), so that the copies can be compared.
    const QString t = "11111111-2222-3333-4444-555555555555";
    const QString v = "aaaaaaaa-1111-2222-3333-444444444444";
    const QByteArray image = awkwardBytes(5000);
    Vexamo::BCFCacheApi cache;
    QCOMPARE(cache.createTopic({{"guid", t}, {"title", "x"}, {"viewpoints", QVariantList{QVariantMap{{"guid", v}}}}},
                               QString()),
             t);
    QByteArray bytes = image;
    cache.editSnapshotContent(t, v, &bytes, QString());
    const Vexamo::BCFCacheStore cacheStore(cacheDirectory());
    const QTemporaryDir directory;
    const QString saved = directory.filePath("saved.bcf");
    {
        const QSharedPointer<BCFLib::BCFModel> model = BCFLib::BCFModel::Create(nullptr);
        Vexamo::BCFFileApi document(model, nullptr);
        QString error;
        QVERIFY2(Vexamo::BCFCacheDocumentCopy::fromCache(cache, document, &error, model.data(), &cacheStore), qPrintable(error));
        QVERIFY(document.saveTopics(saved));
    }
    {
        // A snapshot changed by another program between the copy and the write fails the write.
        const QSharedPointer<BCFLib::BCFModel> model = BCFLib::BCFModel::Create(nullptr);
        Vexamo::BCFFileApi document(model, nullptr);
        QVERIFY(Vexamo::BCFCacheDocumentCopy::fromCache(cache, document, nullptr, model.data(), &cacheStore));
        QByteArray other = awkwardBytes(4000);
        cache.editSnapshotContent(t, v, &other, QString());
        QVERIFY(!document.saveTopics(directory.filePath("late.bcf")));
        QVERIFY2(model->errorString().contains("changed in the working cache"), qPrintable(model->errorString()));
    }

    for (const bool cut : {false, true}) {
        const QSharedPointer<BCFLib::BCFModel> model = BCFLib::BCFModel::Create(nullptr);
        BCFLib::BCFArchiveReader reader(model.data());
        reader.setDeferredImages(true);
        QVERIFY(reader.read(saved));
        if (cut)
            QVERIFY(QFile::resize(saved, 300));
        Vexamo::BCFCacheStore store(directory.filePath(cut ? "cut" : "whole"));
        Vexamo::BCFFileApi document(model, nullptr);
        QString error;
        QCOMPARE(Vexamo::BCFCacheDocumentCopy::intoCache(document, store, &error, model.data()), !cut);
        if (cut) {
            QVERIFY2(error.contains(QString("the snapshot of viewpoint %1 of the topic %2 could not be read").arg(v, t)), qPrintable(error));
            continue;
        }
        const QVariantList viewpoints = store.topic(t).value("viewpoints").toList();
        QCOMPARE(viewpoints.size(), 1);
        QCOMPARE(viewpoints.first().toMap().value("snapshot").toMap().value("snapshot_data").toByteArray(), image);
    }
}

BCF_TEST_MAIN(TestCacheSafety)
#include "tst_cachesafety.moc"
