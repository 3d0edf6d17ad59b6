// Exports validate against the BCF 2.0 schemas, the published schemas closest to the BCF 1.0
// layout; the only errors allowed are those that the layout itself causes. Rich records written for
// the purpose and every official BCF 2.1 test case, read by the model library and exported through
// BCFFileApi, are checked.

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

} // namespace

class TestBCF1ExportSchema : public QObject
{
    Q_OBJECT

private slots:
    void richExportValidates();
    void exportReadsBackAsVersion10();
    void layoutDeparturesAreTheOnlyErrors();
    void officialCaseValidates_data();
    void officialCaseValidates();
};

void TestBCF1ExportSchema::richExportValidates()
{
    BCF_SKIP_WITHOUT_SHARED_DIR();
    BCFTest::InMemoryBCFapi source;
    fillRichSource(source);
    QTemporaryDir dir;
    const QString path = dir.filePath("rich.bcfzip");
    BCF1Export exporter(&source);
    QVERIFY(exporter.serialize(path));

    int documents = 0;
    const QStringList errors = BCFTest::bcfSchemaErrors(path, QStringLiteral("2.0"), &documents);
    QVERIFY2(errors.isEmpty(), qPrintable(errors.join('\n')));
    QCOMPARE(documents, 4);
}

void TestBCF1ExportSchema::exportReadsBackAsVersion10()
{
    BCFTest::InMemoryBCFapi source;
    fillRichSource(source);
    QTemporaryDir dir;
    const QString path = dir.filePath("rich.bcfzip");
    QVERIFY(BCF1Export(&source).serialize(path));

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
    QVERIFY(withoutLayoutDepartures(errors).isEmpty());
}

void TestBCF1ExportSchema::officialCaseValidates_data()
{
    QTest::addColumn<QString>("caseFile");
    const QString root = BCFTest::bcfSharedFile("testcases/2.1");
    QStringList files;
    QDirIterator it(root, {"*.bcf", "*.bcfzip"}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        files.append(it.next());
    files.sort();
    for (const QString& file : files)
        QTest::newRow(qPrintable(QDir(root).relativeFilePath(file))) << file;
    // One row in any case, so that missing data shows up as a skip or a failure.
    if (files.isEmpty())
        QTest::newRow("no cases") << QString();
}

void TestBCF1ExportSchema::officialCaseValidates()
{
    BCF_SKIP_WITHOUT_SHARED_DIR();
    QFETCH(QString, caseFile);
    QVERIFY2(!caseFile.isEmpty(), "no official test cases found under testcases/2.1");

    BCFLib::BCFLoadingWorker worker(caseFile);
    worker.doLoad();
    const QSharedPointer<BCFLib::BCFModel> model = worker.model();
    QVERIFY(model);
    Vexamo::BCFFileApi source(model, nullptr);
    const QVariantList topics = source.getTopic(QString());
    QVERIFY(!topics.isEmpty());

    QTemporaryDir dir;
    const QString path = dir.filePath("export.bcfzip");
    ExportLogRecorder log;
    BCF1Export exporter(&source);
    QVERIFY(exporter.serialize(path));
    QVERIFY2(log.events().isEmpty(), qPrintable(log.events().value(0).message));

    bool ok = false;
    const QStringList names = BCFTest::zipEntryNames(BCFTest::readZipEntries(path, &ok));
    for (const QVariant& topic : topics)
        QVERIFY(names.contains(topic.toMap().value("guid").toString() + "/markup.bcf"));
    int documents = 0;
    const QStringList errors = withoutLayoutDepartures(BCFTest::bcfSchemaErrors(path, QStringLiteral("2.0"), &documents));
    QVERIFY2(errors.isEmpty(), qPrintable(errors.join("; ")));
    QVERIFY(documents >= topics.size());
}

BCF_TEST_MAIN(TestBCF1ExportSchema)
#include "tst_bcf1exportschema.moc"
