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

QStringList childNames(const QDomElement& element)
{
    QStringList names;
    for (QDomElement child = element.firstChildElement(); !child.isNull(); child = child.nextSiblingElement())
        names.append(child.tagName());
    return names;
}

QDomElement childAt(const QDomElement& element, int index)
{
    QDomElement child = element.firstChildElement();
    for (int i = 0; i < index && !child.isNull(); ++i)
        child = child.nextSiblingElement();
    return child;
}

QString text(const QDomElement& element, const QString& child)
{
    return element.firstChildElement(child).text();
}

QVariantMap point(double x, double y, double z)
{
    return {{"x", x}, {"y", y}, {"z", z}};
}

// X, Y and Z of a point element as text.
QStringList coordinates(const QDomElement& pointElement)
{
    return {text(pointElement, "X"), text(pointElement, "Y"), text(pointElement, "Z")};
}

const QString sTopicGuid = QStringLiteral("3f2504e0-4f89-41d3-9a0c-0305e82c3301");

QVariantMap fullComment()
{
    return {{"guid", "c-full"},     {"verbal_status", "Open"}, {"status", "Error"},
            {"date", "2024-05-02T08:00:00Z"}, {"author", "bob@example.com"}, {"comment", "Please fix"}};
}

} // namespace

class TestBCF1ExportDocuments : public QObject
{
    Q_OBJECT

private slots:
    void markupFollowsTheRecords();
    void markupOfAMinimalTopic();
    void visualizationFollowsTheRecord();
    void visualizationSkipsAbsentAndEmptyParts();
    void nullSourceAndCopies();
};

void TestBCF1ExportDocuments::markupFollowsTheRecords()
{
    BCFTest::InMemoryBCFapi source;
    const QVariantMap fullFile{{"ifc_project", "0J$yPqHBD12v72y4qF6XcD"},
                               {"ifc_spatial_structure_element", "2MF28NhmDBiRVyFakgdbCT"},
                               {"file_name", "house.ifc"},
                               {"date", "2024-04-30T12:00:00Z"}};
    QVariantMap noStatus = fullComment();
    noStatus.remove("status");
    noStatus.remove("verbal_status");
    noStatus["guid"] = "c-nostatus";
    QVariantMap emptyStatus = noStatus;
    emptyStatus["guid"] = "c-emptystatus";
    emptyStatus["status"] = QString();
    source.createTopic({{"guid", sTopicGuid},
                        {"title", "Wall too thin"},
                        {"reference_link", "https://example.com/issue/1"},
                        {"description", "abc"},
                        {"creation_date", "2024-05-01T10:00:00Z"},
                        {"creation_author", "ann@example.com"},
                        {"files", QVariantList{fullFile, QVariantMap(), QVariantMap{{"file_name", "site.ifc"}}}},
                        {"comments", QVariantList{fullComment(), QVariantMap(), noStatus, emptyStatus}}},
                       QString());

    ExportLogRecorder log;
    BCF1Export exporter(&source);
    const QDomDocument doc = exporter.serializeTopic(source.getSingleTopic(sTopicGuid, QString()));

    QVERIFY(doc.firstChild().isElement()); // no processing instruction of its own
    const QDomElement markup = doc.documentElement();
    QCOMPARE(markup.tagName(), QStringLiteral("Markup"));
    QVERIFY(markup.attributes().isEmpty());
    QCOMPARE(childNames(markup), (QStringList{"Header", "Topic", "Comment", "Comment", "Comment", "Comment"}));

    // Header: the empty file record is skipped, attributes and children only for present keys.
    const QDomElement header = markup.firstChildElement("Header");
    QCOMPARE(childNames(header), (QStringList{"File", "File"}));
    const QDomElement file = childAt(header, 0);
    QCOMPARE(file.attribute("IfcProject"), QStringLiteral("0J$yPqHBD12v72y4qF6XcD"));
    QCOMPARE(file.attribute("IfcSpatialStructureElement"), QStringLiteral("2MF28NhmDBiRVyFakgdbCT"));
    QCOMPARE(childNames(file), (QStringList{"Filename", "Date"}));
    QCOMPARE(text(file, "Filename"), QStringLiteral("house.ifc"));
    QCOMPARE(text(file, "Date"), QStringLiteral("2024-04-30T12:00:00Z"));
    const QDomElement nameOnly = childAt(header, 1);
    QVERIFY(nameOnly.attributes().isEmpty());
    QCOMPARE(childNames(nameOnly), QStringList{"Filename"});

    const QDomElement topic = markup.firstChildElement("Topic");
    QCOMPARE(topic.attribute("Guid"), sTopicGuid);
    QCOMPARE(childNames(topic), (QStringList{"ReferenceLink", "Title"}));
    QCOMPARE(text(topic, "ReferenceLink"), QStringLiteral("https://example.com/issue/1"));
    QCOMPARE(text(topic, "Title"), QStringLiteral("Wall too thin"));

    // The description comes first, as a comment of the topic's author at its creation date.
    const QDomElement description = childAt(markup, 2);
    QCOMPARE(childNames(description), (QStringList{"Status", "Date", "Author", "Comment", "Topic"}));
    QCOMPARE(text(description, "Status"), QStringLiteral("Unknown"));
    QCOMPARE(text(description, "Date"), QStringLiteral("2024-05-01T10:00:00Z"));
    QCOMPARE(text(description, "Author"), QStringLiteral("ann@example.com"));
    QCOMPARE(text(description, "Comment"), QStringLiteral("Description : abc"));
    QVERIFY(!description.attribute("Guid").isEmpty());

    const QDomElement full = childAt(markup, 3);
    QCOMPARE(full.attribute("Guid"), QStringLiteral("c-full"));
    QCOMPARE(childNames(full), (QStringList{"VerbalStatus", "Status", "Date", "Author", "Comment", "Topic"}));
    QCOMPARE(text(full, "VerbalStatus"), QStringLiteral("Open"));
    QCOMPARE(text(full, "Status"), QStringLiteral("Error"));
    QCOMPARE(text(full, "Date"), QStringLiteral("2024-05-02T08:00:00Z"));
    QCOMPARE(text(full, "Author"), QStringLiteral("bob@example.com"));
    QCOMPARE(text(full, "Comment"), QStringLiteral("Please fix"));

    // "Unknown" stands only for an absent status, not for an empty one.
    const QDomElement absent = childAt(markup, 4);
    QCOMPARE(absent.attribute("Guid"), QStringLiteral("c-nostatus"));
    QCOMPARE(childNames(absent), (QStringList{"Status", "Date", "Author", "Comment", "Topic"}));
    QCOMPARE(text(absent, "Status"), QStringLiteral("Unknown"));
    const QDomElement empty = childAt(markup, 5);
    QCOMPARE(empty.attribute("Guid"), QStringLiteral("c-emptystatus"));
    QVERIFY(!empty.firstChildElement("Status").isNull());
    QCOMPARE(text(empty, "Status"), QString());

    // Every comment ends with an empty reference to its topic.
    for (const QDomElement& comment : {description, full, absent, empty}) {
        const QDomElement reference = comment.lastChildElement();
        QCOMPARE(reference.tagName(), QStringLiteral("Topic"));
        QCOMPARE(reference.attribute("Guid"), sTopicGuid);
        QVERIFY(!reference.hasChildNodes());
    }

    QCOMPARE(log.messages(log4cplus::WARN_LOG_LEVEL),
             (QStringList{"BCF 1 export warning : empty file, can't add it",
                          "BCF 1 export warning : empty comment, can't add it"}));
    QVERIFY(log.messages(log4cplus::ERROR_LOG_LEVEL).isEmpty());
    for (const ExportLogRecorder::Event& event : log.events())
        QCOMPARE(event.file, QStringLiteral("UI/Utils/BCFapi/BCF1Export"));

    // The description comment gets a new identifier on every export.
    const QString again = exporter.serializeTopic(source.getSingleTopic(sTopicGuid, QString()))
                              .documentElement()
                              .firstChildElement("Comment")
                              .attribute("Guid");
    QVERIFY(!again.isEmpty());
    QVERIFY(again != description.attribute("Guid"));
}

void TestBCF1ExportDocuments::markupOfAMinimalTopic()
{
    BCFTest::InMemoryBCFapi source;
    source.createTopic({{"guid", sTopicGuid}, {"description", QString()}}, QString());
    source.createTopic({{"guid", "t-link"}, {"reference_link", QString()}, {"title", "Linked"}}, QString());
    ExportLogRecorder log;
    BCF1Export exporter(&source);

    const QDomElement markup = exporter.serializeTopic(source.getSingleTopic(sTopicGuid, QString())).documentElement();
    // The Header stays even without files; an empty description gives no comment.
    QCOMPARE(childNames(markup), (QStringList{"Header", "Topic"}));
    QVERIFY(!markup.firstChildElement("Header").hasChildNodes());
    const QDomElement topic = markup.firstChildElement("Topic");
    QCOMPARE(childNames(topic), QStringList{"Title"});
    QCOMPARE(text(topic, "Title"), QString());

    // A present but empty reference link still gives its element.
    const QDomElement linked = exporter.serializeTopic(source.getSingleTopic("t-link", QString()))
                                   .documentElement()
                                   .firstChildElement("Topic");
    QCOMPARE(linked.attribute("Guid"), QStringLiteral("t-link"));
    QCOMPARE(childNames(linked), (QStringList{"ReferenceLink", "Title"}));
    QCOMPARE(text(linked, "ReferenceLink"), QString());
    QVERIFY(log.events().isEmpty());
}

void TestBCF1ExportDocuments::visualizationFollowsTheRecord()
{
    const QVariantMap component{{"ifc_guid", "1kTvXnbbzCWw8lcMd1dR4o"},
                                {"originating_system", "Modeller"},
                                {"authoring_tool_id", "42"}};
    const QVariantMap selection{
        {"selection", QVariantList{component, QVariantMap(),
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
    const QDomElement info = doc.documentElement();
    QCOMPARE(info.tagName(), QStringLiteral("VisualizationInfo"));
    QVERIFY(info.attributes().isEmpty());
    QCOMPARE(childNames(info),
             (QStringList{"Components", "OrthogonalCamera", "PerspectiveCamera", "Lines", "ClippingPlanes"}));

    const QDomElement components = info.firstChildElement("Components");
    QCOMPARE(childNames(components), (QStringList{"Component", "Component", "Component"}));
    QCOMPARE(childAt(components, 0).attribute("IfcGuid"), QStringLiteral("1kTvXnbbzCWw8lcMd1dR4o"));
    QCOMPARE(childNames(childAt(components, 0)), (QStringList{"OriginatingSystem", "AuthoringToolId"}));
    QCOMPARE(text(childAt(components, 0), "OriginatingSystem"), QStringLiteral("Modeller"));
    QCOMPARE(text(childAt(components, 0), "AuthoringToolId"), QStringLiteral("42"));
    // An empty component record is not skipped: it gives an empty IfcGuid and no children.
    QVERIFY(childAt(components, 1).hasAttribute("IfcGuid"));
    QCOMPARE(childAt(components, 1).attribute("IfcGuid"), QString());
    QVERIFY(!childAt(components, 1).hasChildNodes());
    QCOMPARE(childNames(childAt(components, 2)), QStringList{"AuthoringToolId"});

    const QDomElement orthogonal = info.firstChildElement("OrthogonalCamera");
    QCOMPARE(childNames(orthogonal),
             (QStringList{"CameraViewPoint", "CameraDirection", "CameraUpVector", "ViewToWorldScale"}));
    QCOMPARE(coordinates(orthogonal.firstChildElement("CameraViewPoint")), (QStringList{"1.5", "-2", "3"}));
    QCOMPARE(coordinates(orthogonal.firstChildElement("CameraDirection")), (QStringList{"0", "0", "-1"}));
    QCOMPARE(coordinates(orthogonal.firstChildElement("CameraUpVector")), (QStringList{"0", "1", "0"}));
    QCOMPARE(text(orthogonal, "ViewToWorldScale"), QStringLiteral("2.25"));

    // Missing vectors and numbers still give their elements, with zeros.
    const QDomElement perspective = info.firstChildElement("PerspectiveCamera");
    QCOMPARE(childNames(perspective),
             (QStringList{"CameraViewPoint", "CameraDirection", "CameraUpVector", "FieldOfView"}));
    QCOMPARE(coordinates(perspective.firstChildElement("CameraViewPoint")), (QStringList{"4", "5", "6"}));
    QCOMPARE(coordinates(perspective.firstChildElement("CameraUpVector")), (QStringList{"0", "0", "0"}));
    QCOMPARE(text(perspective, "FieldOfView"), QStringLiteral("55.5"));

    // The empty line is skipped; a line without "end_point" gets a zero EndPoint.
    const QDomElement lines = info.firstChildElement("Lines");
    QCOMPARE(childNames(lines), (QStringList{"Line", "Line"}));
    QCOMPARE(childNames(childAt(lines, 0)), (QStringList{"StartPoint", "EndPoint"}));
    QCOMPARE(coordinates(childAt(lines, 0).firstChildElement("EndPoint")), (QStringList{"1", "1", "1"}));
    QCOMPARE(coordinates(childAt(lines, 1).firstChildElement("StartPoint")), (QStringList{"2", "2", "2"}));
    QCOMPARE(coordinates(childAt(lines, 1).firstChildElement("EndPoint")), (QStringList{"0", "0", "0"}));

    const QDomElement planes = info.firstChildElement("ClippingPlanes");
    QCOMPARE(childNames(planes), QStringList{"ClippingPlane"});
    QCOMPARE(childNames(childAt(planes, 0)), (QStringList{"Location", "Direction"}));
    QCOMPARE(coordinates(childAt(planes, 0).firstChildElement("Location")), (QStringList{"0.5", "0", "0"}));
    QCOMPARE(coordinates(childAt(planes, 0).firstChildElement("Direction")), (QStringList{"1", "0", "0"}));
    QVERIFY(log.events().isEmpty());
}

void TestBCF1ExportDocuments::visualizationSkipsAbsentAndEmptyParts()
{
    BCFTest::InMemoryBCFapi source;
    BCF1Export exporter(&source);
    ExportLogRecorder log;

    const QDomElement bare = exporter.serializeViewpoint({{"guid", "v-1"}}).documentElement();
    QCOMPARE(bare.tagName(), QStringLiteral("VisualizationInfo"));
    QVERIFY(!bare.hasChildNodes());

    // "components" whose set has no "selection" leaves an empty Components; empty cameras and an
    // empty "lines" list give nothing; a list of empty entries only gives an empty container.
    const QDomElement sparse = exporter
                                   .serializeViewpoint({{"guid", "v-unknown"},
                                                        {"components", QVariantMap()},
                                                        {"orthogonal_camera", QVariantMap()},
                                                        {"perspective_camera", QVariantMap()},
                                                        {"lines", QVariantList()},
                                                        {"clipping_planes", QVariantList{QVariantMap()}}})
                                   .documentElement();
    QCOMPARE(childNames(sparse), (QStringList{"Components", "ClippingPlanes"}));
    QVERIFY(!sparse.firstChildElement("Components").hasChildNodes());
    QVERIFY(!sparse.firstChildElement("ClippingPlanes").hasChildNodes());

    // A camera without its number still gets the number element, holding 0.
    const QDomElement orthogonal = exporter
                                       .serializeViewpoint({{"orthogonal_camera",
                                                             QVariantMap{{"camera_direction", point(1, 0, 0)}}},
                                                            {"lines", QVariantList{QVariantMap()}}})
                                       .documentElement();
    QCOMPARE(childNames(orthogonal), (QStringList{"OrthogonalCamera", "Lines"}));
    QCOMPARE(text(orthogonal.firstChildElement("OrthogonalCamera"), "ViewToWorldScale"), QStringLiteral("0"));
    QVERIFY(!orthogonal.firstChildElement("Lines").hasChildNodes());
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
        // Building documents needs no source for the record's own parts.
        const QDomElement markup = exporter.serializeTopic({{"guid", "t"}, {"title", "T"}}).documentElement();
        QCOMPARE(childNames(markup), (QStringList{"Header", "Topic"}));
        QCOMPARE(childNames(exporter.serializeViewpoint({{"components", QVariantMap()}}).documentElement()),
                 QStringList{"Components"});
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
