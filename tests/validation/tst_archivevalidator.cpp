#include "ArchiveBuilder.h"
#include "BCFArchiveGenerator.h"
#include "TestHelpers.h"

#include "BCFTestSupport/ModelRecords.h"
#include "BCFTestSupport/SchemaValidator.h"
#include "BCFTestSupport/TestFiles.h"

#include "BCFLib/ArchiveValidator.h"
#include "BCFLib/BCFModel.h"
#include "BCFLib/Comment.h"
#include "BCFLib/Project.h"
#include "BCFLib/Topic.h"
#include "BCFLib/Viewpoint.h"

#include <QTemporaryDir>

using BCFLib::ArchiveValidator;
using BCFLib::ValidationProblem;
using BCFLibTest::Entries;

namespace {

const QString s30Topic = QStringLiteral("7a4d0e2c-5b1f-4c8e-9d3a-2f6b8e1c4a01");

// The schema folder of the shared data; fails under CI=true and skips elsewhere when it is missing.
#define REQUIRE_SCHEMAS()                                                                              \
    do {                                                                                               \
        if (!BCFLibTest::sharedDataAt())                                                               \
            return;                                                                                    \
    } while (false)

QString schemaFolder()
{
    return BCFTest::bcfSharedFile(QStringLiteral("schemas"));
}

// Writes entries as the archive dir/name; empty when it cannot be written.
QString writeArchive(const QTemporaryDir& dir, const QString& name, const Entries& entries)
{
    const QString path = dir.filePath(name);
    return BCFLibTest::writeEntries(path, entries) ? path : QString();
}

// The 3.0 fixture, else the benchmarks' generator's 2.1 archive.
Entries local(bool v30)
{
    return BCFLibTest::localEntries(v30 ? QStringLiteral("fixture 3.0") : QStringLiteral("generated 2.1"));
}

// A file the model library's writer wrote: a topic with a commented viewpoint and its snapshot.
QString writtenByModel(const QTemporaryDir& dir)
{
    auto model = BCFLib::BCFModel::Create();
    model->addProject()->setName(QStringLiteral("Written by the model"));
    BCFLib::Topic* topic = model->addTopic(QStringLiteral("Door blocked"), QStringLiteral("a@example.com"),
                                           QDateTime(QDate(2026, 3, 1), QTime(9, 30), Qt::UTC));
    BCFLib::Viewpoint* viewpoint = topic->addViewpoint();
    QByteArray snapshot = BCFLibTest::pngImage(64, 48);
    topic->addSnapshot(viewpoint->guid(), &snapshot);
    BCFLib::Comment* comment = topic->addComment();
    comment->setDate(QDateTime(QDate(2026, 3, 2), QTime(10, 0), Qt::UTC));
    comment->setAuthor(QStringLiteral("b@example.com"));
    comment->setText(QStringLiteral("Moved the door."));
    comment->setViewpointGuid(viewpoint->guid());
    const QString path = dir.filePath(QStringLiteral("model.bcf"));
    return model->serialize(path) ? path : QString();
}

QString describe(const QVector<ValidationProblem>& problems)
{
    QStringList lines;
    for (const ValidationProblem& problem : problems)
        lines << problem.toString();
    return lines.join(QLatin1Char('\n'));
}

} // namespace

class TestArchiveValidator : public QObject
{
    Q_OBJECT

private slots:
    void cleanFilesReportNothing_data();
    void cleanFilesReportNothing();
    void injectedFault_data();
    void injectedFault();
    void versionAndReadability_data();
    void versionAndReadability();
    void limitsHoldOnInflatedBytes();
    void officialCasesMatchXmllint();

private:
    QTemporaryDir m_dir;
};

void TestArchiveValidator::cleanFilesReportNothing_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<bool>("schemas");
    for (const bool schemas : {false, true}) {
        const char* suffix = schemas ? " with schemas" : "";
        for (const char* source : {"generator 2.1", "model writer 2.1", "fixture 3.0"})
            QTest::addRow("%s%s", source, suffix) << QString::fromLatin1(source) << schemas;
    }
}

void TestArchiveValidator::cleanFilesReportNothing()
{
    QFETCH(QString, source);
    QFETCH(bool, schemas);
    if (schemas)
        REQUIRE_SCHEMAS();
    Entries entries = local(source.endsWith(QLatin1String("3.0")));
    if (source.startsWith(QLatin1String("generator"))) {
        // Zipped on macOS: its resource entries are no part of the document.
        entries.insert(QStringLiteral("__MACOSX/") + BCFArchiveGenerator::topicGuid(0) + QStringLiteral("/._markup.bcf"), QByteArray("\0\5\26\7", 4));
        entries.insert(BCFArchiveGenerator::topicGuid(0) + QStringLiteral("/._viewpoint.bcfv"), QByteArray("\0\5\26\7", 4));
    }
    const QString path = source.startsWith(QLatin1String("model")) ? writtenByModel(m_dir)
        : writeArchive(m_dir, QStringLiteral("clean.bcf"), entries);
    QVERIFY(!path.isEmpty());

    ArchiveValidator validator;
    if (schemas)
        validator.setSchemaFolder(schemaFolder());
    QCOMPARE(validator.validate(path), ArchiveValidator::Clean);
    QVERIFY2(validator.problems().isEmpty(), qPrintable(describe(validator.problems())));
    QCOMPARE(validator.schemasChecked(), schemas);
    QCOMPARE(validator.version(), source.right(3));
}

void TestArchiveValidator::injectedFault_data()
{
    QTest::addColumn<bool>("v30");      // the 3.0 fixture, else the generated 2.1 file
    QTest::addColumn<bool>("schemas");  // validated with the shared schemas
    QTest::addColumn<QString>("entry"); // the entry changed
    QTest::addColumn<QByteArray>("from"); // replaced once by "to"; empty: "to" is the whole entry, or
    QTest::addColumn<QByteArray>("to");   // a null "to" removes the entry
    QTest::addColumn<QString>("check");
    QTest::addColumn<bool>("warning");
    QTest::addColumn<QString>("reportedAt"); // the entry of the problem
    QTest::addColumn<bool>("located");        // with a line

    const QString t0 = BCFArchiveGenerator::topicGuid(0) + QLatin1Char('/');
    const QString t1 = BCFArchiveGenerator::topicGuid(1) + QLatin1Char('/');
    const QString m0 = t0 + QStringLiteral("markup.bcf"), m1 = t1 + QStringLiteral("markup.bcf");
    const QString v0 = t0 + QStringLiteral("viewpoint.bcfv");
    const QString m30 = s30Topic + QStringLiteral("/markup.bcf");
    const QByteArray endOfTopic = "  </Topic>";
    const QByteArray fieldOfView = "<FieldOfView>60</FieldOfView>";
    auto guidOf = [](const QString& guid) { return "Guid=\"" + guid.toLatin1() + '"'; };

    QTest::newRow("id used twice") << false << false << m1 << guidOf(BCFArchiveGenerator::commentGuid(1, 0))
                                   << guidOf(BCFArchiveGenerator::commentGuid(0, 0)) << "identifier" << false << m1 << true;
    QTest::newRow("folder not the topic's guid") << false << false << m1 << guidOf(BCFArchiveGenerator::topicGuid(1))
                                                 << guidOf(QStringLiteral("0a0a0a0a-0000-4000-8000-000000000099"))
                                                 << "folder" << false << m1 << true;
    QTest::newRow("comment's viewpoint unknown")
        << false << false << m0 << "<Viewpoint " + guidOf(BCFArchiveGenerator::viewpointGuid(0, 0))
        << QByteArray("<Viewpoint Guid=\"0b0b0b0b-0000-4000-8000-000000000001\"") << "reference" << false << m0 << true;
    QTest::newRow("related topic elsewhere")
        << false << false << m0 << endOfTopic
        << "<RelatedTopic Guid=\"0c0c0c0c-0000-4000-8000-000000000001\"/>" + endOfTopic << "reference" << true << m0 << true;
    QTest::newRow("viewpoint file missing") << false << false << t0 + BCFArchiveGenerator::viewpointFileName(0, 1)
                                            << QByteArray() << QByteArray() << "reference" << false << m0 << true;
    QTest::newRow("internal document missing")
        << false << false << m0 << endOfTopic
        << "<DocumentReference><ReferencedDocument>../Documents/spec.pdf</ReferencedDocument></DocumentReference>"
               + endOfTopic
        << "reference" << false << m0 << true;
    QTest::newRow("internal model file missing")
        << false << false << m0 << QByteArray("isExternal=\"true\"><Filename>model.ifc</Filename><Date>2026-01-01T09:00:00Z</Date>")
        << QByteArray("isExternal=\"false\"><Filename>model.ifc</Filename><Date>2026-01-01T09:00:00Z</Date>"
                      "<Reference>model.ifc</Reference>")
        << "reference" << false << m0 << true;
    QTest::newRow("snippet file missing")
        << false << false << m0 << endOfTopic
        << "<BimSnippet SnippetType=\"IfcDiff\"><Reference>diff.ifc</Reference><ReferenceSchema>x</ReferenceSchema>"
           "</BimSnippet>" + endOfTopic
        << "reference" << false << m0 << true;
    QTest::newRow("snapshot missing") << false << false << t0 + QStringLiteral("snapshot.png") << QByteArray()
                                      << QByteArray() << "image" << false << m0 << true;
    QTest::newRow("snapshot not of its name's format")
        << false << false << t0 + QStringLiteral("snapshot.png") << QByteArray()
        << QByteArray::fromHex("ffd8ffe000104a46494600010100000100010000ffd9") << "image"
        << false << m0 << true;
    QTest::newRow("bitmap missing")
        << false << false << v0 << QByteArray("</VisualizationInfo>")
        << QByteArray("<Bitmap><Bitmap>PNG</Bitmap><Reference>plan.png</Reference></Bitmap></VisualizationInfo>")
        << "image" << false << v0 << true;
    QTest::newRow("bitmap not of its format")
        << false << false << v0 << QByteArray("</VisualizationInfo>")
        << QByteArray("<Bitmap><Bitmap>JPG</Bitmap><Reference>snapshot.png</Reference></Bitmap></VisualizationInfo>")
        << "image" << false << v0 << true;
    QTest::newRow("date that does not parse") << false << false << m0 << QByteArray("2026-01-01T10:00:00Z")
                                              << QByteArray("2026-02-30T10:00:00Z") << "date" << false << m0 << true;
    QTest::newRow("2.1 field of view outside 45-60") << false << false << v0 << fieldOfView
                                                     << QByteArray("<FieldOfView>90</FieldOfView>") << "field-of-view"
                                                     << true << v0 << true;
    QTest::newRow("field of view of 180") << false << false << v0 << fieldOfView
                                          << QByteArray("<FieldOfView>180</FieldOfView>") << "field-of-view" << false
                                          << v0 << true;
    QTest::newRow("unsafe entry name") << false << false << QStringLiteral("../outside.txt") << QByteArray()
                                       << QByteArray("x") << "archive" << false << QString() << false;
    QTest::newRow("markup not well-formed") << false << false << m0 << QByteArray("</Markup>") << QByteArray("</Markup")
                                            << "xml" << false << m0 << true;
    QTest::newRow("document type declaration")
        << false << false << m0 << QByteArray("\n<Markup>")
        << QByteArray("\n<!DOCTYPE Markup [<!ENTITY e \"x\">]>\n<Markup>") << "xml" << false << m0 << true;
    QTest::newRow("bcf.version missing with viewpoint files")
        << false << false << QStringLiteral("bcf.version") << QByteArray() << QByteArray() << "archive" << false
        << QStringLiteral("bcf.version") << false;

    QTest::newRow("3.0 value not in extensions.xml") << true << false << m30 << QByteArray("TopicStatus=\"Open\"")
                                                     << QByteArray("TopicStatus=\"Closed\"") << "extension" << false
                                                     << m30 << true;
    QTest::newRow("3.0 snapshot over 1500 px") << true << false << s30Topic + QStringLiteral("/snapshot.png")
                                               << QByteArray() << BCFLibTest::pngImage(1600, 20) << "image" << false << m30 << true;
    QTest::newRow("3.0 document file missing")
        << true << false << QStringLiteral("Documents/5c2e9a7b-1d3f-4b6a-8e0c-9f1a2b3c4d5e") << QByteArray()
        << QByteArray() << "reference" << false << QStringLiteral("documents.xml") << true;
    QTest::newRow("3.0 document not declared")
        << true << false << m30 << QByteArray("<DocumentGuid>5c2e9a7b")
        << QByteArray("<DocumentGuid>6c2e9a7b") << "reference" << false << m30 << true;

    // With the schemas: an element out of order is the schema's finding, at its line; 2.1's
    // FieldOfView range is widened in the schema and left to a warning.
    QTest::newRow("schema: element out of order")
        << false << true << m0 << QByteArray("<Title>Generated topic 0</Title>\n    <Priority>Normal</Priority>")
        << QByteArray("<Priority>Normal</Priority>\n    <Title>Generated topic 0</Title>") << "schema" << false << m0
        << true;
    QTest::newRow("schema: 2.1 field of view outside 45-60")
        << false << true << v0 << fieldOfView << QByteArray("<FieldOfView>90</FieldOfView>") << "field-of-view" << true
        << v0 << true;
    QTest::newRow("schema: field of view of 180") << false << true << v0 << fieldOfView
                                                  << QByteArray("<FieldOfView>180</FieldOfView>") << "schema" << false
                                                  << v0 << true;
    QTest::newRow("schema: 3.0 element 3.0 does not have")
        << true << true << m30 << QByteArray("<Stage>Design</Stage>")
        << QByteArray("<Stage>Design</Stage><Stages>Design</Stages>") << "schema" << false << m30 << true;
}

void TestArchiveValidator::injectedFault()
{
    QFETCH(bool, v30);
    QFETCH(bool, schemas);
    QFETCH(QString, entry);
    QFETCH(QByteArray, from);
    QFETCH(QByteArray, to);
    QFETCH(QString, check);
    QFETCH(bool, warning);
    QFETCH(QString, reportedAt);
    QFETCH(bool, located);
    if (schemas)
        REQUIRE_SCHEMAS();

    Entries entries = local(v30);
    if (!from.isEmpty()) {
        QVERIFY2(entries.value(entry).contains(from), qPrintable(entry));
        const int at = entries[entry].indexOf(from);
        entries[entry].replace(at, from.size(), to);
    } else if (to.isNull()) {
        QVERIFY(entries.remove(entry) == 1);
    } else {
        entries.insert(entry, to);
    }
    const QString path = writeArchive(m_dir, QStringLiteral("fault.bcf"), entries);
    QVERIFY(!path.isEmpty());

    ArchiveValidator validator;
    if (schemas)
        validator.setSchemaFolder(schemaFolder());
    QCOMPARE(validator.validate(path), ArchiveValidator::ProblemsFound);
    const QVector<ValidationProblem> problems = validator.problems();
    QVERIFY2(problems.size() == 1, qPrintable(describe(problems)));
    const ValidationProblem& problem = problems.first();
    QCOMPARE(problem.check, check);
    QCOMPARE(problem.severity, warning ? ValidationProblem::Warning : ValidationProblem::Error);
    QCOMPARE(problem.entry, reportedAt);
    QVERIFY2((problem.line > 0) == located, qPrintable(problem.toString()));
    QVERIFY(!problem.message.isEmpty());
}

void TestArchiveValidator::versionAndReadability_data()
{
    QTest::addColumn<QByteArray>("content"); // raw file content; empty: no file at all
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("version");

    // 1.0: no bcf.version, a markup without viewpoint references
    QTest::newRow("1.0") << ArchiveBuilder()
                                .add("0d0d0d0d-0000-4000-8000-000000000001/markup.bcf",
                                     "<?xml version=\"1.0\"?>\n<Markup><Topic Guid=\"0d0d0d0d-0000-4000-8000-000000000001\">"
                                     "<Title>Old</Title></Topic></Markup>\n")
                                .add("0d0d0d0d-0000-4000-8000-000000000001/snapshot.png", BCFLibTest::pngImage(8, 8))
                                .bytes()
                         << int(ArchiveValidator::Clean) << "1.0";
    QTest::newRow("missing file") << QByteArray() << int(ArchiveValidator::Unreadable) << "";
    QTest::newRow("not a zip") << QByteArray("not a zip archive") << int(ArchiveValidator::Unreadable) << "";
    QTest::newRow("zip without BCF") << ArchiveBuilder().add(QStringLiteral("readme.txt"), "hello").bytes()
                                     << int(ArchiveValidator::Unreadable) << "";
    QTest::newRow("unknown version")
        << ArchiveBuilder().add(QStringLiteral("bcf.version"), "<Version VersionId=\"9.9\"/>").bytes()
        << int(ArchiveValidator::ProblemsFound) << "";
}

void TestArchiveValidator::versionAndReadability()
{
    QFETCH(QByteArray, content);
    QFETCH(int, result);
    QFETCH(QString, version);
    const QString path = m_dir.filePath(QStringLiteral("version.bcf"));
    QFile::remove(path);
    if (!content.isEmpty())
        QVERIFY(BCFTest::writeFileBytes(path, content));

    ArchiveValidator validator;
    QCOMPARE(int(validator.validate(path)), result);
    QCOMPARE(validator.version(), version);
    QCOMPARE(validator.errorString().isEmpty(), result != ArchiveValidator::Unreadable);
}

void TestArchiveValidator::limitsHoldOnInflatedBytes()
{
    // A markup over the limit that says so in its header, and one whose header claims 100 bytes
    // while it inflates to 1 MB: either is one problem of its entry, read no further than the limit.
    quint32 crc = 0;
    const QByteArray bomb = ArchiveBuilder::rawDeflateZeros(1024 * 1024, &crc);
    const QString big = BCFArchiveGenerator::topicGuid(1) + QStringLiteral("/markup.bcf");
    for (const bool lying : {false, true}) {
        Entries entries = local(false);
        entries[big].append(QByteArray(1024 * 1024, ' '));
        ArchiveBuilder builder;
        for (auto it = entries.cbegin(); it != entries.cend(); ++it) {
            if (lying && it.key() == big)
                builder.addRawDeflated(it.key(), bomb, crc, 100);
            else
                builder.add(it.key(), it.value());
        }
        const QString path = m_dir.filePath(QStringLiteral("large.bcf"));
        QVERIFY(builder.write(path));

        BCFLib::ReadLimits limits;
        limits.maxXmlEntryBytes = 64 * 1024;
        ArchiveValidator validator(limits);
        QCOMPARE(validator.validate(path), ArchiveValidator::ProblemsFound);
        const QVector<ValidationProblem> problems = validator.problems();
        QVERIFY2(problems.size() == 1 && problems.first().check == QLatin1String("archive")
                     && problems.first().entry == big,
                 qPrintable(describe(problems)));
    }
}

void TestArchiveValidator::officialCasesMatchXmllint()
{
    REQUIRE_SCHEMAS();
    // xmllint's verdict with the 2.1 schemas (FieldOfView widened to (0, 180), as its annotation says).
    ArchiveValidator validator;
    validator.setSchemaFolder(schemaFolder());
    int xmlFiles = 0;
    QStringList rejected, reported;
    for (const QString& archive : BCFTest::officialCases(QStringLiteral("2.1"))) {
        const QString name = QFileInfo(archive).completeBaseName();
        int documents = 0;
        for (const QString& error : BCFTest::bcfSchemaErrors(archive, QStringLiteral("2.1"), &documents)) {
            const QString at = name + QLatin1Char(':') + error.section(QStringLiteral(": "), 0, 0);
            if (!rejected.contains(at))
                rejected << at;
        }
        xmlFiles += documents;
        QVERIFY(validator.validate(archive) != ArchiveValidator::Unreadable);
        for (const ValidationProblem& problem : validator.problems()) {
            const QString at = name + QLatin1Char(':') + problem.entry;
            if ((problem.check == QLatin1String("schema") || problem.check == QLatin1String("xml")) && !reported.contains(at))
                reported << at;
        }
    }
    rejected.sort();
    reported.sort();
    QVERIFY2(xmlFiles > 30 && !rejected.isEmpty(), qPrintable(QString::number(xmlFiles)));
    QCOMPARE(reported, rejected);
}

BCF_TEST_MAIN(TestArchiveValidator)
#include "tst_archivevalidator.moc"
