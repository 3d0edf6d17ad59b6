// The save path of the viewer, end to end over every official BCF 2.1 test case: load the file,
// copy its BCFFileApi into a BCFFileApi over a fresh model with copyFromInterface, serialise that
// model, load the result again, and find every topic record (comments, viewpoints with their
// components, lines, clipping planes and bitmaps, snippet, files, document references, related
// topics, embedded file contents) and every snapshot as it was. Dates are compared as instants.
//
// The project record is the one known exception of the copy: it moves topics only, so the
// project's name and extension schema are not compared. After writing, the records are compared
// with what a BCF 2.1 archive can hold (asWrittenIn21): the model library's writer documents a few
// rules of its own, and the test names each of them rather than skipping a comparison.
#include "BCFTestSupport/TestMain.h"

#include "BCFapi/BCFCacheApi.h"
#include "BCFapi/BCFFileApi.h"

#include "BCFLib/BCFLoadingWorker.h"
#include "BCFLib/BCFModel.h"
#include "BCFLib/Topic.h"

#include <QDirIterator>
#include <QTemporaryDir>

#include <memory>

using Vexamo::BCFFileApi;

namespace {

// Loads fileName as the viewer does. problem receives why the file could not be used; losses
// receives what the reader skipped in a file it could use.
QSharedPointer<BCFLib::BCFModel> load(const QString& fileName, QString* problem, QString* losses)
{
    BCFLib::BCFLoadingWorker worker(fileName);
    worker.doLoad();
    const QSharedPointer<BCFLib::BCFModel> model = worker.model();
    QString message;
    QString title;
    problem->clear();
    losses->clear();
    if (!model)
        *problem = QStringLiteral("no model");
    else if (!model->isValid(fileName, message, title))
        *problem = title + QStringLiteral(": ") + message;
    else
        *losses = message;
    return model;
}

bool isDateKey(const QString& key)
{
    return key == QLatin1String("date") || key.endsWith(QLatin1String("_date"));
}

// The first difference between two record values, as "path: expected vs actual", or an empty
// string when they are the same. Values under date keys are compared as instants.
QString difference(const QVariant& expected, const QVariant& actual, const QString& path, bool dates = false)
{
    if (dates) {
        const QDateTime a = QDateTime::fromString(expected.toString(), Qt::ISODateWithMs);
        const QDateTime b = QDateTime::fromString(actual.toString(), Qt::ISODateWithMs);
        if (a.isValid() != b.isValid() || (a.isValid() && a.toMSecsSinceEpoch() != b.toMSecsSinceEpoch()))
            return QStringLiteral("%1: date %2 vs %3").arg(path, expected.toString(), actual.toString());
        return QString();
    }
    if (expected.userType() == QMetaType::QVariantMap || actual.userType() == QMetaType::QVariantMap) {
        const QVariantMap a = expected.toMap();
        const QVariantMap b = actual.toMap();
        QStringList keys = a.keys() + b.keys();
        keys.removeDuplicates();
        for (const QString& key : keys) {
            if (a.contains(key) != b.contains(key))
                return QStringLiteral("%1/%2: %3").arg(path, key, a.contains(key) ? "lost" : "appeared");
            const QString found = difference(a.value(key), b.value(key), path + '/' + key, isDateKey(key));
            if (!found.isEmpty())
                return found;
        }
        return QString();
    }
    if (expected.userType() == QMetaType::QVariantList || actual.userType() == QMetaType::QVariantList) {
        const QVariantList a = expected.toList();
        const QVariantList b = actual.toList();
        if (a.size() != b.size())
            return QStringLiteral("%1: %2 entries vs %3").arg(path).arg(a.size()).arg(b.size());
        for (int i = 0; i < a.size(); ++i) {
            const QString found = difference(a.at(i), b.at(i), QStringLiteral("%1[%2]").arg(path).arg(i));
            if (!found.isEmpty())
                return found;
        }
        return QString();
    }
    if (expected != actual)
        return QStringLiteral("%1: %2 vs %3").arg(path, expected.toString(), actual.toString());
    return QString();
}

using TopicRecords = QMap<QString, QVariantMap>;

TopicRecords topicsByGuid(const BCFFileApi& api)
{
    TopicRecords topics;
    for (const QVariant& topic : api.getTopic(QString()))
        topics.insert(topic.toMap().value("guid").toString(), topic.toMap());
    return topics;
}

// A topic record as the model library's BCF 2.1 writer gives it back, by its documented rules.
QVariantMap asWrittenIn21(QVariantMap topic)
{
    const QString epoch = QStringLiteral("1970-01-01T00:00:00Z");
    // Missing creation and comment dates, which the schema requires, are written as the epoch.
    if (topic.value("creation_date").toString().isEmpty())
        topic.insert("creation_date", epoch);
    QVariantList comments;
    for (const QVariant& value : topic.value("comments").toList()) {
        QVariantMap comment = value.toMap();
        // BCF 2.0 comment fields have no place in a BCF 2.1 markup.
        comment.remove("status");
        comment.remove("verbal_status");
        comment.remove("reply_to_comment_guid");
        if (comment.value("date").toString().isEmpty())
            comment.insert("date", epoch);
        comments.append(comment);
    }
    topic.insert("comments", comments);
    QVariantList viewpoints;
    for (const QVariant& value : topic.value("viewpoints").toList()) {
        QVariantMap viewpoint = value.toMap();
        // Viewpoint and snapshot files get the writer's names; the snapshot bytes are compared apart.
        viewpoint.remove("viewpoint_file");
        viewpoint.remove("snapshot_file");
        if (viewpoint.contains("components")) {
            QVariantMap components = viewpoint.value("components").toMap();
            QVariantList coloring;
            for (const QVariant& groupValue : components.value("coloring").toList()) {
                QVariantMap group = groupValue.toMap();
                // Colours are written in upper-case hex; a colour without components is left out.
                group.insert("color", group.value("color").toString().toUpper());
                if (!group.value("components").toList().isEmpty())
                    coloring.append(group);
            }
            components.insert("coloring", coloring);
            viewpoint.insert("components", components);
        }
        viewpoints.append(viewpoint);
    }
    topic.insert("viewpoints", viewpoints);
    return topic;
}

TopicRecords asWrittenIn21(TopicRecords topics)
{
    for (QVariantMap& topic : topics)
        topic = asWrittenIn21(topic);
    return topics;
}

// The file names that the writer chooses, left out of a record read back from a written archive.
TopicRecords withoutFileNames(TopicRecords topics)
{
    for (QVariantMap& topic : topics) {
        QVariantList viewpoints;
        for (const QVariant& value : topic.value("viewpoints").toList()) {
            QVariantMap viewpoint = value.toMap();
            viewpoint.remove("viewpoint_file");
            viewpoint.remove("snapshot_file");
            viewpoints.append(viewpoint);
        }
        topic.insert("viewpoints", viewpoints);
    }
    return topics;
}

// before and after hold the same records, and actual every snapshot of the original model (read
// from the model itself, not through the class under test).
void compareContent(const TopicRecords& before, const TopicRecords& after, const BCFLib::BCFModel& original,
                    const BCFFileApi& actual)
{
    QCOMPARE(after.keys(), before.keys());
    for (auto topic = before.cbegin(); topic != before.cend(); ++topic) {
        const QString found = difference(topic.value(), after.value(topic.key()), topic.key());
        QVERIFY2(found.isEmpty(), qPrintable(found));

        // Snapshots live beside the records; each viewpoint's image must come back byte for byte.
        for (const QVariant& viewpoint : topic.value().value("viewpoints").toList()) {
            const QString viewpointId = viewpoint.toMap().value("guid").toString();
            const QByteArray* was = original.topic(topic.key())->snapshot(viewpointId);
            const std::unique_ptr<QByteArray> is(actual.getSnapshotContent(topic.key(), viewpointId, QString()));
            QVERIFY2(bool(was) == bool(is),
                     qPrintable(QStringLiteral("snapshot of %1/%2 %3").arg(topic.key(), viewpointId,
                                                                           was ? "lost" : "appeared")));
            if (was)
                QVERIFY2(*was == *is,
                         qPrintable(QStringLiteral("snapshot of %1/%2 changed").arg(topic.key(), viewpointId)));
        }
    }
}

// Writes saving's model, loads the archive again and compares it with the original that source
// stands for.
void saveLoadAndCompare(BCFFileApi& saving, const BCFFileApi& source, const BCFLib::BCFModel& original)
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString saved = dir.filePath(QStringLiteral("saved.bcfzip"));
    QVERIFY2(saving.saveTopics(saved), "serialising the copied model failed");

    QString problem;
    QString losses;
    const QSharedPointer<BCFLib::BCFModel> reloaded = load(saved, &problem, &losses);
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
    // What this system writes, it must read back completely.
    QVERIFY2(losses.isEmpty(), qPrintable(losses));
    const BCFFileApi result(reloaded, nullptr);
    QCOMPARE(result.version(), source.version());
    compareContent(asWrittenIn21(topicsByGuid(source)), withoutFileNames(topicsByGuid(result)), original, result);
}

} // namespace

class TestFileApiLossless : public QObject
{
    Q_OBJECT

private slots:
    void copyIntoFreshModel_data() { addOfficialCases(); }
    void copyIntoFreshModel();
    void loadCopySaveLoad_data() { addOfficialCases(); }
    void loadCopySaveLoad();
    void throughWorkingCache_data() { addOfficialCases(); }
    void throughWorkingCache();
    void cleanupTestCase();

private:
    static void addOfficialCases();
    // The original of the current case, loaded; the test fails when it cannot be used.
    static QSharedPointer<BCFLib::BCFModel> loadOriginal(const QString& fileName);

    // One working cache for all cases (it lives in the per-run test cache location).
    std::unique_ptr<Vexamo::BCFCacheApi> m_cache;
};

void TestFileApiLossless::addOfficialCases()
{
    QTest::addColumn<QString>("fileName");
    BCF_SKIP_WITHOUT_SHARED_DIR();
    const QString root = BCFTest::bcfSharedFile(QStringLiteral("testcases/2.1"));
    QStringList cases;
    QDirIterator it(root, {QStringLiteral("*.bcf"), QStringLiteral("*.bcfzip")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        cases.append(it.next());
    cases.sort();
    if (cases.isEmpty())
        QSKIP(qPrintable(QStringLiteral("no BCF 2.1 test cases under %1").arg(root)));
    for (const QString& fileName : cases)
        QTest::newRow(qPrintable(QDir(root).relativeFilePath(fileName))) << fileName;
}

QSharedPointer<BCFLib::BCFModel> TestFileApiLossless::loadOriginal(const QString& fileName)
{
    QString problem;
    QString losses;
    const QSharedPointer<BCFLib::BCFModel> original = load(fileName, &problem, &losses);
    if (!problem.isEmpty()) {
        QTest::qFail(qPrintable(problem), __FILE__, __LINE__);
        return {};
    }
    // The reader is lenient with official cases that break their own schema; what it skipped
    // there cannot be expected back, but it is shown.
    if (!losses.isEmpty())
        qInfo("reading the original skipped: %s", qPrintable(losses));
    if (original->topicCount() == 0) {
        QTest::qFail("every official case holds at least one topic", __FILE__, __LINE__);
        return {};
    }
    return original;
}

// The copy alone, before anything is written: what the records and snapshot calls carry.
void TestFileApiLossless::copyIntoFreshModel()
{
    QFETCH(QString, fileName);
    const QSharedPointer<BCFLib::BCFModel> original = loadOriginal(fileName);
    if (!original)
        return;
    const BCFFileApi source(original, nullptr);
    BCFFileApi copy(BCFLib::BCFModel::Create(), nullptr);
    copy.copyFromInterface(source);
    compareContent(topicsByGuid(source), topicsByGuid(copy), *original, copy);
}

// Load, copy into a BCFFileApi over a fresh model, save, load again.
void TestFileApiLossless::loadCopySaveLoad()
{
    QFETCH(QString, fileName);
    const QSharedPointer<BCFLib::BCFModel> original = loadOriginal(fileName);
    if (!original)
        return;
    const BCFFileApi source(original, nullptr);
    BCFFileApi copy(BCFLib::BCFModel::Create(), nullptr);
    copy.copyFromInterface(source);
    saveLoadAndCompare(copy, source, *original);
}

// The viewer's own road: the loaded file is copied into the working cache (JSON records), and a
// save copies the cache into a BCFFileApi over a fresh model, which writes the archive.
void TestFileApiLossless::throughWorkingCache()
{
    QFETCH(QString, fileName);
    const QSharedPointer<BCFLib::BCFModel> original = loadOriginal(fileName);
    if (!original)
        return;
    const BCFFileApi source(original, nullptr);
    if (!m_cache)
        m_cache = std::make_unique<Vexamo::BCFCacheApi>();
    QVERIFY(m_cache->clearTopics());
    m_cache->copyFromInterface(source);
    BCFFileApi saving(BCFLib::BCFModel::Create(), nullptr);
    saving.copyFromInterface(*m_cache);
    saveLoadAndCompare(saving, source, *original);
}

void TestFileApiLossless::cleanupTestCase()
{
    if (m_cache)
        m_cache->clearTopics();
    m_cache.reset();
}

BCF_TEST_MAIN(TestFileApiLossless)
#include "tst_fileapilossless.moc"
