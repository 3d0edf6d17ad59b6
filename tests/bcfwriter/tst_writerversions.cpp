// Writing BCF 2.1 and 3.0 and converting between them, over every official case of both versions,
// a document built here and a BCF 2.0-style file from the field (tests/data/field20): every file written validates against its version's schemas (when the
// shared schemas are at hand), round trips keep every record value the target holds, the field of view is
// kept, the writer's report lists exactly what 2.1 cannot carry, and a write the reader would drop
// is refused with its reason.

#include "TestHelpers.h"
#include "WriterTestSupport.h"

#include "BCFTestSupport/ModelRecords.h"
#include "BCFTestSupport/ZipEntries.h"

#include "BCFLib/Comment.h"
#include "BCFLib/DocumentReference.h"
#include "BCFLib/File.h"
#include "BCFLib/Project.h"
#include "BCFLib/ReadLimits.h"
#include "BCFLib/Topic.h"
#include "BCFLib/Viewpoint.h"

#include <QTemporaryDir>

using namespace BCFLib;
using BCFTest::RecordForm;

namespace {

const QString sTopic = QStringLiteral("0a000000-0000-4000-8000-000000000001");

// A document with what 3.0 adds and what 2.1 cannot carry: a server id, a header file's Id, an aspect ratio, value
// lists, documents (one described, one referenced by no topic), a comment with a BCF 2.0 status,
// a comment id that is not a UUID, a control character, a viewpoint without camera and a topic
// without type and status.
QSharedPointer<BCFModel> richModel(const QString& version)
{
    QSharedPointer<BCFModel> model = BCFModel::Create();
    model->setVersion(Version(version, version));
    model->addProject("p-1")->setName("Tower");
    ProjectExtensions extensions;
    extensions.topicTypes = QStringList{"Clash", "Issue"};
    extensions.snippetTypes = QStringList{"ifc"};
    model->setExtensions(extensions);
    model->setDocuments({Document{"d0c00000-0000-4000-8000-0000000000aa", "beams.csv", "Schedule", "a;b"},
                         Document{"d0c00000-0000-4000-8000-0000000000bb", "unused.txt", QString(), "x"}});

    Topic* topic = model->addTopic("Duct\x01 through beam", "ann@example.com",
                                   QDateTime(QDate(2024, 3, 1), QTime(10, 0), Qt::UTC), sTopic);
    topic->setTopicType("Clash");
    topic->setTopicStatus("Open");
    topic->setServerAssignedId("ISSUE-7");
    topic->setLabels({"Structure"});
    File* file = topic->addFile();
    file->setId("file-1");
    file->setFileName("house.ifc");
    DocumentReference* internal = topic->addDocumentReference("d0c00000-0000-4000-8000-000000000001");
    internal->setDocumentGuid("d0c00000-0000-4000-8000-0000000000aa");
    internal->setReferencedDocument("beams.csv");
    internal->setDocumentData("a;b");
    DocumentReference* external = topic->addDocumentReference("d0c00000-0000-4000-8000-000000000002");
    external->setIsExternal(true);
    external->setUrl("https://example.com/spec.pdf");
    external->setReferencedDocument(external->url());
    Comment* comment = topic->addComment("note-1");
    comment->setAuthor("bob@example.com");
    comment->setText("Moved");
    comment->setDate(QDateTime(QDate(2024, 3, 2), QTime(8, 0), Qt::UTC));
    comment->setStatus("Error");
    Viewpoint* viewpoint = topic->addViewpoint("b0000000-0000-4000-8000-000000000001");
    PerspectiveCamera camera;
    camera.direction = osg::Vec3d(0, 1, 0);
    camera.upVector = osg::Vec3d(0, 0, 1);
    camera.fieldOfView = 70;
    camera.aspectRatio = 1.5;
    viewpoint->setPerspectiveCamera(camera);
    QByteArray snapshot = BCFLibTest::pngImage(16, 10);
    topic->addSnapshot(viewpoint->guid(), &snapshot);
    topic->addViewpoint("b0000000-0000-4000-8000-000000000002");

    model->addTopic(QString(), QString(), QDateTime(QDate(2024, 3, 5), QTime(9, 0), Qt::UTC),
                    "0a000000-0000-4000-8000-000000000002");
    return model;
}

} // namespace

class TestWriterVersions : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_dir.reset(new QTemporaryDir); }
    void roundTrip_data();
    void roundTrip();
    void fieldFileKeepsZonesAndNamesFolders();
    void fieldOfViewKept_data();
    void fieldOfViewKept();
    void reportListsWhat21CannotHold();
    void refusesWhatTheReaderWouldDrop();

private:
    // Writes model as version to a new file, validates it when the schemas are at hand, reads it.
    QSharedPointer<BCFModel> writeAndRead(BCFModel& model, const QString& version);

    std::unique_ptr<QTemporaryDir> m_dir;
    int m_files = 0;
};

QSharedPointer<BCFModel> TestWriterVersions::writeAndRead(BCFModel& model, const QString& version)
{
    model.setVersion(Version(version, version));
    return WriterTest::writeValidated(model, m_dir->filePath(QStringLiteral("%1.bcf").arg(++m_files)));
}

void TestWriterVersions::roundTrip_data()
{
    QTest::addColumn<QString>("source"); // a file, or "built <version>" for richModel()
    QTest::addColumn<QString>("target");
    const bool shared = QFileInfo(BCFTest::bcfSharedDir()).isDir();
    if (!shared)
        qInfo("official cases left out: no shared data at %s", qPrintable(BCFTest::bcfSharedDir()));
    for (const QString& to : {QStringLiteral("3.0"), QStringLiteral("2.1")}) {
        for (const QString& from : {QStringLiteral("3.0"), QStringLiteral("2.1")})
            QTest::newRow(qPrintable(QStringLiteral("built %1 -> %2").arg(from, to))) << "built " + from << to;
        QTest::newRow(qPrintable("field 2.0 -> " + to)) << BCFLibTest::localArchive("field 2.0") << to;
        for (const QString& file : BCFTest::officialCases("3.0") + BCFTest::officialCases("2.1"))
            QTest::newRow(qPrintable(QDir(BCFTest::bcfSharedFile("testcases")).relativeFilePath(file) + " -> " + to)) << file << to;
    }
}

void TestWriterVersions::roundTrip()
{
    QFETCH(QString, source);
    QFETCH(QString, target);
    QSharedPointer<BCFModel> original;
    if (source.startsWith(QLatin1String("built "))) {
        // As read from a file of the source version, so that both sides are what a file holds.
        QSharedPointer<BCFModel> built = richModel(source.mid(6));
        original = writeAndRead(*built, source.mid(6));
        QVERIFY(original);
    } else {
        original = BCFTest::loadAsViewer(source);
    }
    const QString from = original->version().versionId();
    QSharedPointer<BCFModel> written = writeAndRead(*original, target);
    QVERIFY(written);

    // Both sides in the form the target holds them (the rules are idempotent on what was read back).
    const RecordForm form = from != target        ? RecordForm::AsWritten30
                            : target == QLatin1String("2.1") ? RecordForm::AsWritten21
                                                             : RecordForm::WithoutFileNames;
    const QVariantMap expected = BCFTest::modelRecord(*original, form);
    const QVariantMap actual = BCFTest::modelRecord(*written, form);
    // Within a version the whole document comes back (project, value lists, documents, extension
    // schema); across versions the topics and the project's name.
    const QString difference = from == target ? BCFTest::compareRecords(expected, actual)
                                              : BCFTest::compareRecords(expected.value("topics"), actual.value("topics"), "topics");
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
    if (original->project())
        QCOMPARE(written->project()->name(), original->project()->name());
}

void TestWriterVersions::fieldFileKeepsZonesAndNamesFolders()
{
    QSharedPointer<BCFModel> original = BCFTest::loadAsViewer(BCFLibTest::localArchive("field 2.0"));
    QSharedPointer<BCFModel> written = writeAndRead(*original, "2.1");
    QVERIFY(written);
    // Zones as they were: +02:00 stays an offset, no zone stays local time.
    const Topic* topic = written->topics().at(0);
    QCOMPARE(topic->creationDate().offsetFromUtc(), 2 * 3600);
    QCOMPARE(topic->modifiedDate().timeSpec(), Qt::LocalTime);
    QVERIFY(topic->viewpoint(topic->comments().at(0)->viewpointGuid())); // the comment's viewpoint is the topic's
    // The topic's folder is its guid; the required files are there.
    const QList<BCFTest::ZipEntry> entries = BCFTest::readZipEntries(m_dir->filePath(QStringLiteral("%1.bcf").arg(m_files)));
    const QStringList names = BCFTest::zipEntryNames(entries);
    for (const QString& name : {"bcf.version", "A1B2C3D4-0000-4000-8000-00000000000A/markup.bcf",
                                "A1B2C3D4-0000-4000-8000-00000000000A/snapshot.png"})
        QVERIFY2(names.contains(name), qPrintable(names.join(' ')));
    QVERIFY(BCFTest::findZipEntry(entries, "project.bcfp")->data.contains("<ExtensionSchema></ExtensionSchema>"));
}

void TestWriterVersions::fieldOfViewKept_data()
{
    QTest::addColumn<QString>("target");
    QTest::newRow("2.1 -> 2.1") << "2.1";
    QTest::newRow("2.1 -> 3.0") << "3.0";
}

void TestWriterVersions::fieldOfViewKept()
{
    QFETCH(QString, target);
    QSharedPointer<BCFModel> model = richModel("2.1");
    QSharedPointer<BCFModel> read = writeAndRead(*model, "2.1");
    QVERIFY(read);
    QSharedPointer<BCFModel> converted = writeAndRead(*read, target);
    QVERIFY(converted);
    const Viewpoint* viewpoint = converted->topic(sTopic)->viewpoints().first();
    QCOMPARE(viewpoint->perspectiveCamera()->fieldOfView, 70.0);
}

void TestWriterVersions::reportListsWhat21CannotHold()
{
    QSharedPointer<BCFModel> model = richModel("3.0");
    QVERIFY(model->serialize(m_dir->filePath("a.bcf")));
    QVERIFY(model->conversionReport().size() > 0); // the 3.0 defaults are reported too
    model->setVersion(Version("2.1", "2.1"));
    QVERIFY(model->serialize(m_dir->filePath("b.bcf")));
    QStringList lines;
    for (const ConversionNote& note : model->conversionReport())
        lines.append(note.toString());
    lines.sort();
    const QString topic = " (topic " + sTopic + "): 1";
    QStringList expected{
        "ServerAssignedId left out" + topic,
        "header file Id left out" + topic,
        "camera AspectRatio left out" + topic,
        "characters XML cannot carry were dropped" + topic,
        "comment Status, VerbalStatus or ReplyToComment left out" + topic,
        "identifiers that are not UUIDs were written as name-based UUIDs" + topic,
        "document description left out: 1",
        "document referenced by no topic left out: 1",
        "snippet type list left out of the extension schema: 1",
    };
    expected.sort();
    QCOMPARE(lines, expected);
}

void TestWriterVersions::refusesWhatTheReaderWouldDrop()
{
    // A markup beyond what the reader accepts is refused, nothing is written, and the model says why.
    QSharedPointer<BCFModel> model = richModel("3.0");
    model->topic(sTopic)->setDescription(QString(int(ReadLimits().maxXmlEntryBytes) + 1, QLatin1Char('x')));
    const QString fileName = m_dir->filePath("large.bcf");
    QVERIFY(!model->serialize(fileName));
    QVERIFY2(model->errorString().contains(sTopic + "/markup.bcf"), qPrintable(model->errorString()));
    QVERIFY(!QFile::exists(fileName));

    // A folder that does not exist: the writer's reason reaches the caller.
    QVERIFY(!richModel("2.1")->serialize(m_dir->filePath("missing/folder/x.bcf")));
}

BCF_TEST_MAIN(TestWriterVersions)
#include "tst_writerversions.moc"
