// Exports of rich content validate against the BCF 2.0 schemas, the published schemas closest to
// the BCF 1.0 layout; the only errors allowed are those that the layout itself causes.

#include "ArchiveEntries.h"
#include "SchemaValidation.h"

#include "BCFTestSupport/InMemoryBCFapi.h"
#include "BCFTestSupport/TestMain.h"

#include "BCFapi/BCF1Export.h"

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
         {"title", "Door clashes with <duct> & \"pipe\""},
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

// The schema errors of every XML entry of the archive at path, each prefixed with the entry name.
QStringList schemaErrors(const QString& path)
{
    bool ok = false;
    const QList<ArchiveEntry> entries = readArchive(path, &ok);
    if (!ok)
        return {QStringLiteral("%1: not a readable zip archive").arg(path)};
    QStringList errors;
    for (const ArchiveEntry& entry : entries) {
        QString schema;
        if (entry.name.endsWith(QLatin1String("/markup.bcf")))
            schema = BCFTest::bcfSharedFile("schemas/2.0/markup.xsd");
        else if (entry.name.endsWith(QLatin1String("/viewpoint.bcfv")))
            schema = BCFTest::bcfSharedFile("schemas/2.0/visinfo.xsd");
        else
            continue;
        const SchemaReport report = validateWithXmllint(entry.data, schema);
        if (!report.ran)
            return {QStringLiteral("xmllint could not be run (is it installed?)")};
        for (const QString& error : report.errors)
            errors.append(entry.name + QLatin1String(": ") + error);
    }
    return errors;
}

QStringList withoutEntryNames(const QStringList& errors)
{
    QStringList messages;
    for (const QString& error : errors)
        messages.append(error.mid(error.indexOf(QLatin1String(": ")) + 2));
    return messages;
}

} // namespace

class TestBCF1ExportSchema : public QObject
{
    Q_OBJECT

private slots:
    void richExportValidates();
    void layoutDeparturesAreTheOnlyErrors();
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

    bool ok = false;
    QCOMPARE(readArchive(path, &ok).size(), 5);
    const QStringList errors = schemaErrors(path);
    QVERIFY2(errors.isEmpty(), qPrintable(errors.join('\n')));
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

    QStringList errors = withoutEntryNames(schemaErrors(path));
    errors.sort();
    QCOMPARE(errors, (QStringList{"Element 'Components': Missing child element(s). Expected is ( Component ).",
                                  "Element 'Header': Missing child element(s). Expected is ( File ).",
                                  "Element 'Lines': Missing child element(s). Expected is ( Line )."}));
    for (const QString& error : errors)
        QVERIFY(isLayoutDeparture(error));
    QVERIFY(withoutLayoutDepartures(errors).isEmpty());
    // A real fault is not taken for a departure.
    QVERIFY(!isLayoutDeparture("Element 'Topic': The attribute 'Guid' is required but missing."));
}

BCF_TEST_MAIN(TestBCF1ExportSchema)
#include "tst_bcf1exportschema.moc"
