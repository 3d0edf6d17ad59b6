// The BCF 1.0 markup and visualization documents that BCF1Export builds from records.

#include "ExportLogRecorder.h"

#include "BCFTestSupport/InMemoryBCFapi.h"
#include "BCFTestSupport/TestMain.h"

#include "BCFapi/BCF1Export.h"

#include <QDomDocument>
#include <QTemporaryDir>

#include <log4cplus/loglevel.h>

using Vexamo::BCF1Export;

namespace {

// The element as indented lines "Name attr=value...", attributes sorted, so that a whole document
// compares in one step. An element of plain text children only is one line, "Name: Child=text; ...";
// a text element is "Name: text".
QString outline(const QDomElement& element, int depth = 0)
{
    QStringList head{element.tagName()};
    QStringList attributes;
    for (int i = 0; i < element.attributes().count(); ++i) {
        const QDomAttr attribute = element.attributes().item(i).toAttr();
        attributes.append(attribute.name() + '=' + attribute.value());
    }
    attributes.sort();
    QString line = QString(depth * 2, ' ') + (head + attributes).join(' ');
    QStringList leaves;
    bool onlyLeaves = true;
    for (QDomElement child = element.firstChildElement(); !child.isNull(); child = child.nextSiblingElement()) {
        onlyLeaves = onlyLeaves && child.attributes().isEmpty() && child.firstChildElement().isNull();
        leaves.append(child.tagName() + '=' + child.text());
    }
    if (element.firstChildElement().isNull())
        return line + (element.text().isEmpty() ? QString() : ": " + element.text()) + '\n';
    if (onlyLeaves)
        return line + ": " + leaves.join("; ") + '\n';
    line += '\n';
    for (QDomElement child = element.firstChildElement(); !child.isNull(); child = child.nextSiblingElement())
        line += outline(child, depth + 1);
    return line;
}

QVariantMap point(double x, double y, double z)
{
    return {{"x", x}, {"y", y}, {"z", z}};
}

const QString sTopicGuid = QStringLiteral("3f2504e0-4f89-41d3-9a0c-0305e82c3301");

} // namespace

class TestBCF1ExportDocuments : public QObject
{
    Q_OBJECT

private slots:
    void markupFollowsTheRecords();
    void visualizationFollowsTheRecord();
    void sparseRecords_data();
    void sparseRecords();
    void nullSourceAndCopies();
};

void TestBCF1ExportDocuments::markupFollowsTheRecords()
{
    BCFTest::InMemoryBCFapi source;
    const QVariantMap fullComment{{"guid", "c-full"},       {"verbal_status", "Open"},         {"status", "Error"},
                                  {"date", "2024-05-02T08:00:00Z"}, {"author", "bob@example.com"}, {"comment", "Please fix"}};
    QVariantMap noStatus = fullComment;
    noStatus.remove("status");
    noStatus.remove("verbal_status");
    noStatus["guid"] = "c-nostatus";
    QVariantMap emptyStatus = noStatus;
    emptyStatus["guid"] = "c-emptystatus";
    emptyStatus["status"] = QString();
    const QVariantMap fullFile{{"ifc_project", "0J$yPqHBD12v72y4qF6XcD"},
                               {"ifc_spatial_structure_element", "2MF28NhmDBiRVyFakgdbCT"},
                               {"file_name", "house.ifc"},
                               {"date", "2024-04-30T12:00:00Z"}};
    source.createTopic({{"guid", sTopicGuid},
                        {"title", "Wall too thin"},
                        {"reference_link", "https://example.com/issue/1"},
                        {"description", "abc"},
                        {"creation_date", "2024-05-01T10:00:00Z"},
                        {"creation_author", "ann@example.com"},
                        {"files", QVariantList{fullFile, QVariantMap(), QVariantMap{{"file_name", "site.ifc"}}}},
                        {"comments", QVariantList{fullComment, QVariantMap(), noStatus, emptyStatus}}},
                       QString());

    ExportLogRecorder log;
    BCF1Export exporter(&source);
    const QDomDocument doc = exporter.serializeTopic(source.getSingleTopic(sTopicGuid, QString()));
    QVERIFY(doc.firstChild().isElement()); // no processing instruction of its own

    // Empty file and comment records are skipped; the description comes first, as a comment of the
    // topic's author at its creation date, under a new identifier; "Unknown" stands only for an
    // absent status, not for an empty one; every comment ends with an empty reference to its topic.
    const QString descriptionGuid = doc.documentElement().firstChildElement("Comment").attribute("Guid");
    QVERIFY(!descriptionGuid.isEmpty());
    const QString topicReference = "    Topic Guid=" + sTopicGuid + "\n";
    QCOMPARE(outline(doc.documentElement()).replace(descriptionGuid, "<new>"),
             "Markup\n"
             "  Header\n"
             "    File IfcProject=0J$yPqHBD12v72y4qF6XcD IfcSpatialStructureElement=2MF28NhmDBiRVyFakgdbCT: "
             "Filename=house.ifc; Date=2024-04-30T12:00:00Z\n"
             "    File: Filename=site.ifc\n"
             "  Topic Guid=" + sTopicGuid + ": ReferenceLink=https://example.com/issue/1; Title=Wall too thin\n"
             "  Comment Guid=<new>\n"
             "    Status: Unknown\n    Date: 2024-05-01T10:00:00Z\n    Author: ann@example.com\n"
             "    Comment: Description : abc\n" + topicReference +
             "  Comment Guid=c-full\n"
             "    VerbalStatus: Open\n    Status: Error\n    Date: 2024-05-02T08:00:00Z\n"
             "    Author: bob@example.com\n    Comment: Please fix\n" + topicReference +
             "  Comment Guid=c-nostatus\n"
             "    Status: Unknown\n    Date: 2024-05-02T08:00:00Z\n    Author: bob@example.com\n"
             "    Comment: Please fix\n" + topicReference +
             "  Comment Guid=c-emptystatus\n"
             "    Status\n    Date: 2024-05-02T08:00:00Z\n    Author: bob@example.com\n"
             "    Comment: Please fix\n" + topicReference);

    QCOMPARE(log.messages(log4cplus::WARN_LOG_LEVEL),
             (QStringList{"BCF 1 export warning : empty file, can't add it",
                          "BCF 1 export warning : empty comment, can't add it"}));
    QCOMPARE(log.events().size(), 2);
    for (const ExportLogRecorder::Event& event : log.events())
        QCOMPARE(event.file, QStringLiteral("UI/Utils/BCFapi/BCF1Export"));

    // The description comment gets a new identifier on every export.
    const QString again = exporter.serializeTopic(source.getSingleTopic(sTopicGuid, QString()))
                              .documentElement().firstChildElement("Comment").attribute("Guid");
    QVERIFY(!again.isEmpty());
    QVERIFY(again != descriptionGuid);
}

void TestBCF1ExportDocuments::visualizationFollowsTheRecord()
{
    const QVariantMap selection{
        {"selection", QVariantList{QVariantMap{{"ifc_guid", "1kTvXnbbzCWw8lcMd1dR4o"},
                                               {"originating_system", "Modeller"},
                                               {"authoring_tool_id", "42"}},
                                   QVariantMap(),
                                   QVariantMap{{"ifc_guid", "2kTvXnbbzCWw8lcMd1dR4o"}, {"authoring_tool_id", "7"}}}}};
    QVariantMap viewpoint{
        {"guid", "v-1"},
        {"orthogonal_camera", QVariantMap{{"camera_view_point", point(1.5, -2, 3)},
                                          {"camera_direction", point(0, 0, -1)},
                                          {"camera_up_vector", point(0, 1, 0)},
                                          {"view_to_world_scale", 2.25}}},
        {"perspective_camera", QVariantMap{{"camera_view_point", point(4, 5, 6)}, {"field_of_view", 55.5}}},
        {"lines", QVariantList{QVariantMap{{"start_point", point(0, 0, 0)}, {"end_point", point(1, 1, 1)}},
                               QVariantMap(), QVariantMap{{"start_point", point(2, 2, 2)}}}},
        {"clipping_planes", QVariantList{QVariantMap{{"location", point(0.5, 0, 0)}, {"direction", point(1, 0, 0)}}}}};
    BCFTest::InMemoryBCFapi source;
    source.createTopic({{"guid", sTopicGuid}, {"viewpoints", QVariantList{viewpoint}}}, QString());
    // The components come from the source, not from the record's own "components" value.
    source.setComponent(sTopicGuid, "v-1", selection, QString());
    viewpoint["components"] = QVariantMap{{"selection", QVariantList()}};

    ExportLogRecorder log;
    BCF1Export exporter(&source);
    // serialize leaves the guid of the last topic as the one under which components are read.
    QTemporaryDir dir;
    QVERIFY(exporter.serialize(dir.filePath("out.bcfzip")));
    const QDomDocument doc = exporter.serializeViewpoint(viewpoint);
    QVERIFY(doc.firstChild().isElement());

    // An empty component record is not skipped: it gives an empty IfcGuid. Missing vectors and
    // numbers still give their elements, with zeros. The empty line is skipped.
    QCOMPARE(outline(doc.documentElement()),
             "VisualizationInfo\n"
             "  Components\n"
             "    Component IfcGuid=1kTvXnbbzCWw8lcMd1dR4o: OriginatingSystem=Modeller; AuthoringToolId=42\n"
             "    Component IfcGuid=\n"
             "    Component IfcGuid=2kTvXnbbzCWw8lcMd1dR4o: AuthoringToolId=7\n"
             "  OrthogonalCamera\n"
             "    CameraViewPoint: X=1.5; Y=-2; Z=3\n"
             "    CameraDirection: X=0; Y=0; Z=-1\n"
             "    CameraUpVector: X=0; Y=1; Z=0\n"
             "    ViewToWorldScale: 2.25\n"
             "  PerspectiveCamera\n"
             "    CameraViewPoint: X=4; Y=5; Z=6\n"
             "    CameraDirection: X=0; Y=0; Z=0\n"
             "    CameraUpVector: X=0; Y=0; Z=0\n"
             "    FieldOfView: 55.5\n"
             "  Lines\n"
             "    Line\n"
             "      StartPoint: X=0; Y=0; Z=0\n"
             "      EndPoint: X=1; Y=1; Z=1\n"
             "    Line\n"
             "      StartPoint: X=2; Y=2; Z=2\n"
             "      EndPoint: X=0; Y=0; Z=0\n"
             "  ClippingPlanes\n"
             "    ClippingPlane\n"
             "      Location: X=0.5; Y=0; Z=0\n"
             "      Direction: X=1; Y=0; Z=0\n");
    QVERIFY(log.events().isEmpty());
}

void TestBCF1ExportDocuments::sparseRecords_data()
{
    QTest::addColumn<bool>("viewpoint");
    QTest::addColumn<QVariantMap>("record");
    QTest::addColumn<QString>("expected");
    // The Header stays even without files; an empty description gives no comment.
    QTest::newRow("minimal topic") << false << QVariantMap{{"guid", sTopicGuid}, {"description", QString()}}
                                   << "Markup\n  Header\n  Topic Guid=" + sTopicGuid + ": Title=\n";
    // A present but empty reference link still gives its element.
    QTest::newRow("empty reference link")
        << false << QVariantMap{{"guid", "t-link"}, {"reference_link", QString()}, {"title", "Linked"}}
        << "Markup\n  Header\n  Topic Guid=t-link: ReferenceLink=; Title=Linked\n";
    QTest::newRow("bare viewpoint") << true << QVariantMap{{"guid", "v-1"}} << "VisualizationInfo\n";
    // A component set without "selection" leaves an empty Components; empty cameras and an empty
    // "lines" list give nothing; a list of empty entries only gives an empty container.
    QTest::newRow("empty parts") << true
                                 << QVariantMap{{"guid", "v-unknown"},
                                                {"components", QVariantMap()},
                                                {"orthogonal_camera", QVariantMap()},
                                                {"perspective_camera", QVariantMap()},
                                                {"lines", QVariantList()},
                                                {"clipping_planes", QVariantList{QVariantMap()}}}
                                 << "VisualizationInfo: Components=; ClippingPlanes=\n";
    // A camera without its number still gets the number element, holding 0.
    QTest::newRow("camera without number")
        << true
        << QVariantMap{{"orthogonal_camera", QVariantMap{{"camera_direction", point(1, 0, 0)}}},
                       {"lines", QVariantList{QVariantMap()}}}
        << "VisualizationInfo\n  OrthogonalCamera\n    CameraViewPoint: X=0; Y=0; Z=0\n"
           "    CameraDirection: X=1; Y=0; Z=0\n    CameraUpVector: X=0; Y=0; Z=0\n"
           "    ViewToWorldScale: 0\n  Lines\n";
}

// Records whose parts need no source are built the same without one.
void TestBCF1ExportDocuments::sparseRecords()
{
    QFETCH(bool, viewpoint);
    QFETCH(QVariantMap, record);
    QFETCH(QString, expected);
    BCFTest::InMemoryBCFapi source;
    ExportLogRecorder log;
    for (BCF1Export exporter : {BCF1Export(&source), BCF1Export(nullptr)}) {
        const QDomDocument doc = viewpoint ? exporter.serializeViewpoint(record) : exporter.serializeTopic(record);
        QCOMPARE(outline(doc.documentElement()), expected);
    }
    QVERIFY(log.events().isEmpty());
}

void TestBCF1ExportDocuments::nullSourceAndCopies()
{
    QTemporaryDir dir;
    ExportLogRecorder log;
    {
        BCF1Export exporter(nullptr);
        BCF1Export copy(exporter);
        BCF1Export moved(std::move(copy));
        QVERIFY(!moved.serialize(dir.filePath("null.bcfzip")));
        QVERIFY(!QFileInfo::exists(dir.filePath("null.bcfzip")));
    }
    QVERIFY(log.events().isEmpty());

    // Copies share the source and leave it alive when they go.
    BCFTest::InMemoryBCFapi source;
    source.createTopic({{"guid", sTopicGuid}, {"title", "Kept"}}, QString());
    auto original = std::make_unique<BCF1Export>(&source);
    BCF1Export copy(*original);
    BCF1Export assigned(nullptr);
    assigned = *original;
    original.reset();
    QVERIFY(copy.serialize(dir.filePath("copy.bcfzip")));
    QVERIFY(assigned.serialize(dir.filePath("assigned.bcfzip")));
    QCOMPARE(source.topicIds(), QStringList{sTopicGuid});
    BCF1Export target(nullptr);
    target = std::move(assigned);
    QVERIFY(target.serialize(dir.filePath("moved.bcfzip")));
    QCOMPARE(QFileInfo(dir.filePath("moved.bcfzip")).size(), QFileInfo(dir.filePath("copy.bcfzip")).size());
}

BCF_TEST_MAIN(TestBCF1ExportDocuments)
#include "tst_bcf1exportdocuments.moc"
