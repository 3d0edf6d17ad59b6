// Exports read back as BCF 1.0 and validate against the BCF 2.0 schemas, the published schemas
// closest to the BCF 1.0 layout; the only errors allowed are those that the layout itself causes.
// Rich records written for the purpose, archives of the benchmarks' generator and, when the shared
// data is there, every official BCF 2.1 test case, read by the model library and exported through
// BCFFileApi, are checked. Without the shared data (no schemas) the schema checks are skipped.

#include "BCFArchiveGenerator.h"
#include "ExportLogRecorder.h"

#include "BCFTestSupport/InMemoryBCFapi.h"
#include "BCFTestSupport/SchemaValidator.h"
#include "BCFTestSupport/TestMain.h"
#include "BCFTestSupport/ZipEntries.h"

#include "BCFLib/BCFLoadingWorker.h"
#include "BCFLib/BCFModel.h"
#include "BCFLib/Topic.h"
#include "BCFLib/Viewpoint.h"
#include "BCFapi/BCF1Export.h"
#include "BCFapi/BCFFileApi.h"

#include <QDirIterator>
#include <QTemporaryDir>

using Vexamo::BCF1Export;

namespace {

QVariantMap point(double x, double y, double z)
{
    return {{"x", x}, {"y", y}, {"z", z}};
}

QVariantMap camera(const QString& numberKey, double number)
{
    return {{"camera_view_point", point(12.5, -3.25, 1.7)},
            {"camera_direction", point(-0.5, 0.5, -0.7071067811865476)},
            {"camera_up_vector", point(0, 0, 1)},
            {numberKey, number}};
}

// Two topics that use every part of the layout with values the schemas accept.
void fillRichSource(BCFTest::InMemoryBCFapi& source)
{
    const QString first = "0a6c3c8e-7f2d-4a55-9d0c-6b1e2f3a4b5c";
    source.createTopic(
        {{"guid", first},
         // A control character XML cannot carry is dropped, not written raw.
         {"title", "Door clashes with <duct> & \"pipe\"\x01"},
         {"reference_link", "https://example.com/issues/17"},
         {"description", "Gap of 2 cm\nbetween door and duct"},
         {"creation_date", "2024-05-01T10:00:00Z"},
         {"creation_author", "ann@example.com"},
         {"files", QVariantList{QVariantMap{{"ifc_project", "0J$yPqHBD12v72y4qF6XcD"},
                                            {"ifc_spatial_structure_element", "2MF28NhmDBiRVyFakgdbCT"},
                                            {"file_name", "house.ifc"},
                                            {"date", "2024-04-30T12:00:00+02:00"}},
                                QVariantMap{{"file_name", "site.ifc"}}}},
         {"comments", QVariantList{QVariantMap{{"guid", "1b2c3d4e-5f60-4718-9a0b-1c2d3e4f5a6b"},
                                               {"verbal_status", "Open"},
                                               {"status", "Error"},
                                               {"date", "2024-05-02T08:00:00Z"},
                                               {"author", "bob@example.com"},
                                               {"comment", "Wrong height ± 5 mm, see ø"}},
                                   QVariantMap{{"guid", "2b2c3d4e-5f60-4718-9a0b-1c2d3e4f5a6b"},
                                               {"date", "2024-05-03T09:30:00.250Z"},
                                               {"author", "carl@example.com"},
                                               {"comment", "Fixed"}}}},
         {"viewpoints",
          QVariantList{QVariantMap{{"guid", "3c2c3d4e-5f60-4718-9a0b-1c2d3e4f5a6b"},
                                   {"components", QVariantMap()},
                                   {"orthogonal_camera", camera("view_to_world_scale", 12.75)},
                                   {"perspective_camera", camera("field_of_view", 60)},
                                   {"lines", QVariantList{QVariantMap{{"start_point", point(0, 0, 0)},
                                                                      {"end_point", point(1e-9, 2.5e12, -3)}}}},
                                   {"clipping_planes",
                                    QVariantList{QVariantMap{{"location", point(1, 2, 3)},
                                                             {"direction", point(0, 0, 1)}},
                                                 QVariantMap{{"location", point(-1, -2, -3)},
                                                             {"direction", point(0, 1, 0)}}}}}}}},
        QString());
    source.setComponent(first, "3c2c3d4e-5f60-4718-9a0b-1c2d3e4f5a6b",
                        {{"selection", QVariantList{QVariantMap{{"ifc_guid", "1kTvXnbbzCWw8lcMd1dR4o"},
                                                                {"originating_system", "Modeller"},
                                                                {"authoring_tool_id", "42"}},
                                                    QVariantMap{{"ifc_guid", "3$kTvXnbzCWw8lcMd1dR4o"}}}}},
                        QString());
    source.setSnapshot(first, "3c2c3d4e-5f60-4718-9a0b-1c2d3e4f5a6b", QByteArray("\x89PNG\r\n\x1a\n", 8));

    source.createTopic({{"guid", "4D2C3D4E-5F60-4718-9A0B-1C2D3E4F5A6B"},
                        {"title", "Second"},
                        {"files", QVariantList{QVariantMap{{"file_name", "house.ifc"}}}},
                        {"viewpoints", QVariantList{QVariantMap{{"guid", "5d2c3d4e-5f60-4718-9a0b-1c2d3e4f5a6b"},
                                                                {"perspective_camera", camera("field_of_view", 45)}}}}},
                       QString());
}

// errors without those that the BCF 1.0 layout itself causes against the BCF 2.0 schemas, which
// require at least one child where the layout writes an empty container: a Header without File
// (a topic without model files), Components without Component (a component set without
// "selection"), Lines without Line (a "lines" list of empty entries only).
QStringList withoutLayoutDepartures(const QStringList& errors)
{
    static const QStringList departures = {
        QStringLiteral("Element 'Header': Missing child element(s). Expected is ( File )."),
        QStringLiteral("Element 'Components': Missing child element(s). Expected is ( Component )."),
        QStringLiteral("Element 'Lines': Missing child element(s). Expected is ( Line )."),
    };
    QStringList rest;
    for (const QString& error : errors) {
        if (!departures.contains(error.mid(error.indexOf(QLatin1String(": ")) + 2)))
            rest.append(error);
    }
    return rest;
}

// The cases of the export checks: the rich records above, the benchmarks' generator in both
// layouts and, when the shared data is there, every official BCF 2.1 test case.
enum class CaseKind { Rich, Generated21, Generated30, Official };

void addCaseRows(bool withRich)
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("caseFile");
    if (withRich)
        QTest::newRow("rich records") << int(CaseKind::Rich) << QString();
    QTest::newRow("generated 2.1") << int(CaseKind::Generated21) << QString();
    QTest::newRow("generated 3.0") << int(CaseKind::Generated30) << QString();
    const QString root = BCFTest::bcfSharedFile("testcases/2.1");
    QStringList files;
    QDirIterator it(root, {"*.bcf", "*.bcfzip"}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        files.append(it.next());
    files.sort();
    for (const QString& file : files)
        QTest::newRow(qPrintable(QDir(root).relativeFilePath(file))) << int(CaseKind::Official) << file;
    // Missing official cases show up as a skip, or under CI as a failure.
    if (files.isEmpty())
        QTest::newRow("no official cases") << int(CaseKind::Official) << QString();
}

// Exports the case of the row into dir (a generated case is written there first, a case file is read
// by the model library into *model and exported through BCFFileApi). The export's path, or an empty
// string when a step failed or the exporter logged anything.
QString exportCase(CaseKind kind, QString caseFile, const QTemporaryDir& dir, QSharedPointer<BCFLib::BCFModel>* model)
{
    const QString path = dir.filePath("export.bcfzip");
    ExportLogRecorder log;
    if (kind == CaseKind::Rich) {
        BCFTest::InMemoryBCFapi source;
        fillRichSource(source);
        const bool written = BCF1Export(&source).serialize(path);
        // The control character in the first title is dropped with a report; nothing else is logged.
        for (const auto& event : log.events()) {
            if (!event.message.contains("XML cannot carry"))
                return QString();
        }
        return written && log.events().size() == 1 ? path : QString();
    }
    if (kind != CaseKind::Official) {
        BCFArchiveGenerator generator;
        generator.topics = 4;
        generator.viewpointsPerTopic = 2;
        generator.commentsPerTopic = 2;
        generator.snapshotBytes = 64;
        generator.version3 = kind == CaseKind::Generated30;
        caseFile = dir.filePath("generated.bcf");
        if (!generator.writeArchive(caseFile))
            return QString();
    }
    BCFLib::BCFLoadingWorker worker(caseFile);
    worker.doLoad();
    *model = worker.model();
    if (!*model || (*model)->topicCount() == 0)
        return QString();
    Vexamo::BCFFileApi source(*model, nullptr);
    return BCF1Export(&source).serialize(path) && log.events().isEmpty() ? path : QString();
}

} // namespace

class TestBCF1ExportSchema : public QObject
{
    Q_OBJECT

private slots:
    void richExportReadsBack();
    void exportReadsBack_data() { addCaseRows(false); }
    void exportReadsBack();
    void exportValidates_data() { addCaseRows(true); }
    void exportValidates();
    void layoutDeparturesAreTheOnlyErrors();
};

void TestBCF1ExportSchema::richExportReadsBack()
{
    QTemporaryDir dir;
    const QString path = exportCase(CaseKind::Rich, QString(), dir, nullptr);
    QVERIFY(!path.isEmpty());

    BCFLib::BCFLoadingWorker worker(path);
    worker.doLoad();
    const QSharedPointer<BCFLib::BCFModel> model = worker.model();
    QCOMPARE(model->version().versionId(), QStringLiteral("1.0"));
    QCOMPARE(model->topicCount(), 2);
    const BCFLib::Topic* first = model->topic("0a6c3c8e-7f2d-4a55-9d0c-6b1e2f3a4b5c");
    const BCFLib::Topic* second = model->topic("4d2c3d4e-5f60-4718-9a0b-1c2d3e4f5a6b");
    QVERIFY(first && second);
    QCOMPARE(first->title(), QStringLiteral("Door clashes with <duct> & \"pipe\""));
    QCOMPARE(first->viewpoints().size(), 1);
    QCOMPARE(second->viewpoints().size(), 1);
    const BCFLib::Viewpoint* viewpoint = first->viewpoints().first();
    QVERIFY(viewpoint->perspectiveCamera());
    QCOMPARE(viewpoint->perspectiveCamera()->fieldOfView, 60.0);
    QCOMPARE(viewpoint->clippingPlanes().size(), 2);
    QVERIFY(first->snapshot(viewpoint->guid()));
    QCOMPARE(*first->snapshot(viewpoint->guid()), QByteArray("\x89PNG\r\n\x1a\n", 8));
    QCOMPARE(second->viewpoints().first()->perspectiveCamera()->fieldOfView, 45.0);
    // The description travels as a comment; the newest comment's status becomes the topic type.
    QCOMPARE(first->comments().size(), 3);
    QCOMPARE(first->topicType(), QStringLiteral("Unknown"));

}

void TestBCF1ExportSchema::layoutDeparturesAreTheOnlyErrors()
{
    BCF_SKIP_WITHOUT_SHARED_DIR();
    // A topic without files, a component set without "selection" and a "lines" list of empty
    // entries: the layout writes empty containers that the BCF 2.0 schemas do not allow.
    BCFTest::InMemoryBCFapi source;
    source.createTopic({{"guid", "6e2c3d4e-5f60-4718-9a0b-1c2d3e4f5a6b"},
                        {"title", "Sparse"},
                        {"viewpoints", QVariantList{QVariantMap{{"guid", "7e2c3d4e-5f60-4718-9a0b-1c2d3e4f5a6b"},
                                                                {"components", QVariantMap{{"visibility", true}}},
                                                                {"lines", QVariantList{QVariantMap()}}}}}},
                       QString());
    QTemporaryDir dir;
    const QString path = dir.filePath("sparse.bcfzip");
    BCF1Export exporter(&source);
    QVERIFY(exporter.serialize(path));

    QStringList errors = BCFTest::bcfSchemaErrors(path, QStringLiteral("2.0"));
    errors.sort();
    const QString markup = QStringLiteral("6e2c3d4e-5f60-4718-9a0b-1c2d3e4f5a6b/markup.bcf: ");
    const QString viewpoint = QStringLiteral("6e2c3d4e-5f60-4718-9a0b-1c2d3e4f5a6b/viewpoint.bcfv: ");
    QCOMPARE(errors, (QStringList{markup + "Element 'Header': Missing child element(s). Expected is ( File ).",
                                  viewpoint + "Element 'Components': Missing child element(s). Expected is ( Component ).",
                                  viewpoint + "Element 'Lines': Missing child element(s). Expected is ( Line )."}));
}

void TestBCF1ExportSchema::exportReadsBack()
{
    QFETCH(int, kind);
    QFETCH(QString, caseFile);
    if (CaseKind(kind) == CaseKind::Official && caseFile.isEmpty())
        BCF_SKIP_WITHOUT_SHARED_DIR();
    QTemporaryDir dir;
    QSharedPointer<BCFLib::BCFModel> model;
    const QString path = exportCase(CaseKind(kind), caseFile, dir, &model);
    QVERIFY(!path.isEmpty());

    // Every topic reads back, with its first viewpoint and that viewpoint's snapshot.
    BCFLib::BCFLoadingWorker reader(path);
    reader.doLoad();
    QVERIFY(reader.model());
    QCOMPARE(reader.model()->version().versionId(), QStringLiteral("1.0"));
    QCOMPARE(reader.model()->topicCount(), model->topicCount());
    for (const BCFLib::Topic* original : model->topics()) {
        const BCFLib::Topic* exported = reader.model()->topic(original->guid());
        QVERIFY2(exported, qPrintable(original->guid()));
        QCOMPARE(exported->viewpoints().size(), qMin(1, original->viewpoints().size()));
        if (original->viewpoints().isEmpty())
            continue;
        const QByteArray* before = original->snapshot(original->viewpoints().first()->guid());
        const QByteArray* after = exported->snapshot(exported->viewpoints().first()->guid());
        QCOMPARE(after ? *after : QByteArray(), before ? *before : QByteArray());
    }
}

void TestBCF1ExportSchema::exportValidates()
{
    QFETCH(int, kind);
    QFETCH(QString, caseFile);
    BCF_SKIP_WITHOUT_SHARED_DIR();
    QVERIFY2(CaseKind(kind) != CaseKind::Official || !caseFile.isEmpty(), "no official cases under testcases/2.1");
    QTemporaryDir dir;
    QSharedPointer<BCFLib::BCFModel> model;
    const QString path = exportCase(CaseKind(kind), caseFile, dir, &model);
    QVERIFY(!path.isEmpty());
    int documents = 0;
    QStringList errors = BCFTest::bcfSchemaErrors(path, QStringLiteral("2.0"), &documents);
    // The rich records have files, components and lines: not even the layout's departures.
    if (CaseKind(kind) != CaseKind::Rich)
        errors = withoutLayoutDepartures(errors);
    QVERIFY2(errors.isEmpty(), qPrintable(errors.join('\n')));
    // A markup per topic, a visualization per topic with viewpoints.
    QVERIFY(documents >= (model ? model->topicCount() : 4));
}

BCF_TEST_MAIN(TestBCF1ExportSchema)
#include "tst_bcf1exportschema.moc"
