// The save path of the viewer, end to end over archives the project makes (the benchmarks'
// generator, the 3.0 fixture) and every official BCF 2.1 and 3.0 test case: load the file,
// copy its BCFFileApi into a BCFFileApi over a fresh model with copyFromInterface, serialise that
// model, load the result again, and find every topic record (comments, viewpoints with their
// components, lines, clipping planes and bitmaps, snippet, files, document references, related
// topics, embedded file contents) and every snapshot as it was. Dates are compared as instants.
//
// The project record is the one known exception of the copy: it moves topics only, so the
// project's name and extension schema are not compared. After writing, the records are compared
// with what a BCF 2.1 archive can hold (RecordForm::AsWritten21): the model library's writer
// documents a few rules of its own, and ModelRecords names each of them.
#include "TestHelpers.h"

#include "BCFTestSupport/ModelRecords.h"

#include "BCFapi/BCFCacheApi.h"
#include "BCFapi/BCFFileApi.h"

#include "BCFLib/BCFModel.h"
#include "BCFLib/Topic.h"

#include <QTemporaryDir>

#include <memory>

using Vexamo::BCFFileApi;

namespace {

// What makes the model of fileName unusable, empty when it can be used; losses receives what the
// reader skipped in a file it could use.
QString problemOf(const QSharedPointer<BCFLib::BCFModel>& model, const QString& fileName, QString* losses)
{
    QString title;
    return model->isValid(fileName, *losses, title) ? QString() : title + QStringLiteral(": ") + *losses;
}

using TopicRecords = QMap<QString, QVariantMap>;

TopicRecords topicsByGuid(const BCFFileApi& api)
{
    TopicRecords topics;
    for (const QVariant& topic : api.getTopic(QString()))
        topics.insert(topic.toMap().value("guid").toString(), topic.toMap());
    return topics;
}

// Every topic record of api by guid, in the given form.
TopicRecords topicsIn(const TopicRecords& topics, BCFTest::RecordForm form)
{
    TopicRecords result;
    for (auto topic = topics.cbegin(); topic != topics.cend(); ++topic)
        result.insert(topic.key(), BCFTest::topicRecordIn(topic.value(), form));
    return result;
}

// before and after hold the same records, and actual every snapshot of the original model (read
// from the model itself, not through the class under test).
void compareContent(const TopicRecords& before, const TopicRecords& after, const BCFLib::BCFModel& original,
                    const BCFFileApi& actual)
{
    QCOMPARE(after.keys(), before.keys());
    for (auto topic = before.cbegin(); topic != before.cend(); ++topic) {
        const QString found = BCFTest::compareRecords(topic.value(), after.value(topic.key()), topic.key());
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
// stands for, in the form the written version holds it (2.1 by default).
void saveLoadAndCompare(BCFFileApi& saving, const BCFFileApi& source, const BCFLib::BCFModel& original,
                        BCFTest::RecordForm form = BCFTest::RecordForm::AsWritten21)
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString saved = dir.filePath(QStringLiteral("saved.bcfzip"));
    QVERIFY2(saving.saveTopics(saved), "serialising the copied model failed");

    QString losses;
    const QSharedPointer<BCFLib::BCFModel> reloaded = BCFTest::loadAsViewer(saved);
    const QString problem = problemOf(reloaded, saved, &losses);
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
    // What this system writes, it must read back completely.
    QVERIFY2(losses.isEmpty(), qPrintable(losses));
    const BCFFileApi result(reloaded, nullptr);
    QCOMPARE(result.version(), source.version());
    compareContent(topicsIn(topicsByGuid(source), form),
                   topicsIn(topicsByGuid(result), BCFTest::RecordForm::WithoutFileNames), original, result);
}

} // namespace

class TestFileApiLossless : public QObject
{
    Q_OBJECT

private slots:
    void officialCase_data() { BCFLibTest::addCaseRows({QStringLiteral("2.1"), QStringLiteral("3.0")}); }
    void officialCase();
    void cleanupTestCase();

private:
    // One working cache for all cases (it lives in the per-run test cache location).
    std::unique_ptr<Vexamo::BCFCacheApi> m_cache;
};

void TestFileApiLossless::officialCase()
{
    QFETCH(QString, fileName);
    const QSharedPointer<BCFLib::BCFModel> original = BCFTest::loadAsViewer(fileName);
    QString losses;
    const QString problem = problemOf(original, fileName, &losses);
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
    // The reader is lenient with official cases that break their own schema; what it skipped
    // there cannot be expected back, but it is shown.
    if (!losses.isEmpty())
        qInfo("reading the original skipped: %s", qPrintable(losses));
    QVERIFY2(original->topicCount() > 0, "every official case holds at least one topic");
    const BCFFileApi source(original, nullptr);

    // The copy alone, before anything is written: what the records and snapshot calls carry. A
    // BCF 3.0 copy carries what 3.0 adds (server id, aspect ratio, document guids and URLs), and a
    // 3.0 model written from it reads back with the same records.
    const QSharedPointer<BCFLib::BCFModel> target = BCFLib::BCFModel::Create();
    const bool v30 = original->version().versionId() == QLatin1String("3.0");
    if (v30) {
        target->setVersion(original->version());
        target->setDocuments(original->documents());
    }
    BCFFileApi copy(target, nullptr);
    copy.copyFromInterface(source);
    compareContent(topicsByGuid(source), topicsByGuid(copy), *original, copy);
    if (v30 && !QTest::currentTestFailed())
        saveLoadAndCompare(copy, source, *original, BCFTest::RecordForm::WithoutFileNames);
    if (v30 || QTest::currentTestFailed())
        return;

    // The viewer's own road (the model-level round trip of the same files is the writer tests'): the loaded file is copied into the working cache (JSON records), and a
    // save copies the cache into a BCFFileApi over a fresh model, which writes the archive.
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
