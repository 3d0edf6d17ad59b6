// Reading the official BCF 2.1 and 3.0 cases: each loads without a loss, every viewpoint that names
// a snapshot has it, and the model holds what the case's description gives (several of these files
// do not validate against their own schemas). Without the shared data: the quirks of real 3.0 files
// (fixtures under tests/data/bcf30), the version each kind of archive reports, and the BCF 1.0
// layout and the comment status agreement.

#include "ArchiveBuilder.h"
#include "TestHelpers.h"

#include "BCFTestSupport/ModelRecords.h"

#include "BCFTestSupport/ZipEntries.h"

#include "BCFLib/BimSnippet.h"
#include "BCFLib/Comment.h"
#include "BCFLib/DocumentReference.h"
#include "BCFLib/File.h"
#include "BCFLib/Project.h"
#include "BCFLib/RelatedTopic.h"
#include "BCFLib/Topic.h"
#include "BCFLib/Viewpoint.h"

#include <QDir>
#include <functional>

using namespace BCFLib;

namespace {

QByteArray fixture(const QString& name)
{
    QFile file(QStringLiteral(BCF_TEST_DATA_DIR "/bcf30/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList ifcGuids(const QList<Component>& components)
{
    QStringList guids;
    for (const Component& component : components)
        guids.append(component.ifcGuid);
    return guids;
}

const ComponentSet& components(const BCFModel& model)
{
    static const ComponentSet none;
    const QList<Viewpoint*> viewpoints = model.topics().value(0)->viewpoints();
    return viewpoints.isEmpty() || !viewpoints.first()->components() ? none : *viewpoints.first()->components();
}

const Viewpoint* firstViewpoint(const BCFModel& model)
{
    return model.topics().value(0)->viewpoints().value(0);
}

QString g_case; // the official case being checked

// The bytes of one entry of the case's archive, to compare what the reader kept.
QByteArray entry(const QString& entryName)
{
    const QList<BCFTest::ZipEntry> entries = BCFTest::readZipEntries(g_case);
    const BCFTest::ZipEntry* found = BCFTest::findZipEntry(entries, entryName);
    return found ? found->data : QByteArray();
}

QDateTime utc(int year, int month, int day, int hour, int minute, int second, int ms = 0)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second, ms), Qt::UTC);
}

// The first viewpoint's default visibility, selected and exception components; exceptions given
// with "+" / "-" must / must not be among more than ten.
void visibility(const BCFModel& model, bool defaultVisible, const QStringList& selection, const QStringList& exceptions)
{
    QCOMPARE(model.topics().first()->viewpoints().size(), 1);
    QCOMPARE(components(model).defaultVisibility, std::optional<bool>(defaultVisible));
    QCOMPARE(ifcGuids(components(model).selection), selection);
    const QStringList found = ifcGuids(components(model).exceptions);
    if (exceptions.value(0).startsWith(QLatin1Char('+'))) {
        QVERIFY(found.size() > 10 && found.contains(exceptions.at(0).mid(1)) && !found.contains(exceptions.at(1).mid(1)));
        return;
    }
    QCOMPARE(found, exceptions);
}

void maximumInformation(const BCFModel& model)
{
    const Topic* topic = model.topic("63E78882-7C6A-4BF7-8982-FC478AFB9C97");
    QCOMPARE(model.topics().size(), 2);
    QVERIFY(topic);
    QCOMPARE(topic->title(), QStringLiteral("Maximum Content"));
    const Topic* referenced = model.topic("5019D939-62A4-45D9-B205-FAB602C98FE8");
    QVERIFY(referenced);
    QCOMPARE(referenced->creationDate(), utc(2017, 5, 22, 7, 51, 0, 42)); // seven fraction digits
    QVERIFY(referenced->creationAuthor().isEmpty()); // required but absent: left missing
    QCOMPARE(topic->topicType(), QStringLiteral("Structural"));
    QCOMPARE(topic->topicStatus(), QStringLiteral("Open"));
    QCOMPARE(topic->referenceLinks(), QStringList{"https://bim--it.net"});
    QCOMPARE(topic->priority(), QStringLiteral("High"));
    QCOMPARE(topic->index(), 0);
    QCOMPARE(topic->labels(), (QStringList{"Structural", "IT Development"}));
    QCOMPARE(topic->creationAuthor(), QStringLiteral("dangl@iabi.eu"));
    QCOMPARE(topic->modifiedDate(), utc(2015, 6, 21, 14, 22, 47));
    QCOMPARE(topic->modifiedAuthor(), QStringLiteral("dangl@iabi.eu"));
    QCOMPARE(topic->assignedTo(), QStringLiteral("linhard@iabi.eu"));
    QCOMPARE(topic->description(), QStringLiteral("This is a topic with all informations present."));

    // The header's IFC file at the archive's root is carried with the document.
    QCOMPARE(topic->files().size(), 1);
    const File* file = topic->files().first();
    QCOMPARE(file->ifcProject(), QStringLiteral("0M6o7Znnv7hxsbWgeu7oQq"));
    QCOMPARE(file->ifcSpatialStructureElement(), QStringLiteral("23B$bNeGHFQuMYJzvUX0FD"));
    QVERIFY(!file->isExternal());
    QCOMPARE(file->fileName(), QStringLiteral("IfcPile_01.ifc"));
    QCOMPARE(file->reference(), QStringLiteral("../IfcPile_01.ifc"));
    QCOMPARE(file->date(), utc(2014, 10, 27, 16, 27, 27));
    QCOMPARE(file->fileData().size(), 796229);
    QCOMPARE(file->fileData(), entry("IfcPile_01.ifc"));

    const BimSnippet* snippet = topic->bimSnippet();
    QVERIFY(snippet && !snippet->isExternal());
    QCOMPARE(snippet->snippetType(), QStringLiteral("JSON"));
    QCOMPARE(snippet->reference(), QStringLiteral("JsonElement.json"));
    QCOMPARE(snippet->referenceSchema(), QStringLiteral("http://json-schema.org"));
    QCOMPARE(snippet->snippetData(), entry("63E78882-7C6A-4BF7-8982-FC478AFB9C97/JsonElement.json"));

    // Documents: one URL, one file at the archive's root.
    QCOMPARE(topic->documentReferences().size(), 2);
    const DocumentReference* external = topic->documentReferences().at(0);
    QVERIFY(external->isExternal() && external->documentData().isEmpty());
    QCOMPARE(external->referencedDocument(), QStringLiteral("https://github.com/BuildingSMART/BCF-XML"));
    QCOMPARE(external->description(), QStringLiteral("GitHub BCF Specification"));
    const DocumentReference* internal = topic->documentReferences().at(1);
    QVERIFY(!internal->isExternal() && !internal->documentData().isEmpty());
    QCOMPARE(internal->referencedDocument(), QStringLiteral("../markup.xsd"));
    QCOMPARE(internal->documentData(), entry("markup.xsd"));
    QCOMPARE(topic->relatedTopics().size(), 1);
    QCOMPARE(topic->relatedTopics().first()->guid(), referenced->guid());

    QCOMPARE(topic->comments().size(), 4);
    const Comment* first = topic->comment("780fae52-c432-42be-adea-ff3e7a8cd8e1");
    QVERIFY(first);
    QCOMPARE(first->author(), QStringLiteral("dangl@iabi.eu"));
    QCOMPARE(first->date(), utc(2015, 8, 31, 12, 40, 17));
    QVERIFY(first->text().startsWith(QStringLiteral("This is an unmodified topic")));
    QCOMPARE(topic->comment("39C4B780-1B48-44E5-9802-D359007AA44E")->viewpointGuid(),
             QStringLiteral("8dc86298-9737-40b4-a448-98a9e953293a"));
    const Comment* modified = topic->comment("BD17158C-4267-4433-98C1-904F9B41CA50");
    QCOMPARE(modified->modifiedDate(), utc(2015, 8, 31, 16, 7, 11));
    QCOMPARE(modified->modifiedAuthor(), QStringLiteral("dangl@iabi.eu"));

    // Viewpoints with their file names and snapshots.
    const QStringList guids{"8dc86298-9737-40b4-a448-98a9e953293a", "21dd4807-e9af-439e-a980-04d913a6b1ce",
                            "81daa431-bf01-4a49-80a2-1ab07c177717"};
    QCOMPARE(topic->viewpoints().size(), 3);
    for (int i = 0; i < guids.size(); ++i) {
        const Viewpoint* viewpoint = topic->viewpoints().at(i);
        QCOMPARE(viewpoint->guid(), guids.at(i));
        QCOMPARE(viewpoint->viewpointFile(), QStringLiteral("Viewpoint_%1.bcfv").arg(guids.at(i)));
        QCOMPARE(viewpoint->snapshotFile(), QStringLiteral("Snapshot_%1.png").arg(guids.at(i)));
        QCOMPARE(*topic->snapshot(guids.at(i)),
                 entry(QStringLiteral("63E78882-7C6A-4BF7-8982-FC478AFB9C97/Snapshot_%1.png").arg(guids.at(i))));
    }
    const Viewpoint* viewpoint = topic->viewpoints().first();
    QVERIFY(viewpoint->components());
    const ComponentSet& set = *viewpoint->components();
    QCOMPARE(set.viewSetupHints->spacesVisible, std::optional<bool>(true));
    QCOMPARE(set.viewSetupHints->spaceBoundariesVisible, std::optional<bool>(true));
    QCOMPARE(set.viewSetupHints->openingsVisible, std::optional<bool>(true));
    QCOMPARE(ifcGuids(set.selection), (QStringList{"0cSRUx$EX1NRjqiKcYQ$a0", "1jQQiGIAnFzxOUzrdmJYDS", "0fdpeZZEX3FwJ7x0ox5kzF",
                                                   "23Zwlpd71EyvHlH6OZ77nK", "1OpjQ1Nlv4sQuTxfUC_8zS"}));
    QCOMPARE(set.defaultVisibility, std::optional<bool>(true));
    QCOMPARE(set.exceptions.size(), 5);
    QCOMPARE(set.coloring.size(), 1);
    QCOMPARE(set.coloring.first().color, QStringLiteral("3498db"));
    QCOMPARE(set.coloring.first().components.size(), 4);
    QCOMPARE(viewpoint->perspectiveCamera()->viewPoint, osg::Vec3d(12.2088897788292, 52.323145074034, 5.24072091171001));
    QCOMPARE(viewpoint->perspectiveCamera()->fieldOfView, 60.0);
    QCOMPARE(viewpoint->lines().size(), 3);
    QCOMPARE(viewpoint->lines().at(2).endPoint, osg::Vec3d(1, 1, 1));
    QCOMPARE(viewpoint->clippingPlanes().size(), 2);
    QCOMPARE(viewpoint->clippingPlanes().at(1).direction, osg::Vec3d(0, 1, 0));

    QVERIFY(model.project());
    QCOMPARE(model.project()->guid(), QStringLiteral("F338B6F0-A93E-40FF-A4D6-6117CD21EC2A"));
    QCOMPARE(model.project()->name(), QStringLiteral("BCF API Implementation"));
    QCOMPARE(model.project()->extensionSchema(), QStringLiteral("extensions.xsd"));
    QCOMPARE(model.extensionSchemaData(), entry("extensions.xsd"));
}

using Check = std::function<void(const BCFModel&)>;

// What each official case's description asks a reader to see.
const QHash<QString, Check>& officialChecks()
{
    static const QHash<QString, Check> checks{
        {"2.1/Markup/DocumentReferenceExternal", [](const BCFModel& model) {
             const DocumentReference* document = model.topics().first()->documentReferences().value(0);
             QVERIFY(document && document->isExternal());
             QCOMPARE(document->referencedDocument(),
                      QStringLiteral("http://www.buildingsmart-tech.org/specifications/bcf-releases/bcfxml-v1/markup.xsd/at_download/file"));
             QCOMPARE(document->description(), QStringLiteral("BCFv1 Markup Schema"));
         }},
        {"2.1/Markup/ExternalBIMSnippet", [](const BCFModel& model) {
             const BimSnippet* snippet = model.topic("c26df753-b8af-42f2-b7cf-81a70b49f362")->bimSnippet();
             QVERIFY(snippet && snippet->isExternal() && snippet->snippetData().isEmpty());
             QCOMPARE(snippet->reference(), QStringLiteral("http://bimfiles.example.com/JsonElement.json"));
             QCOMPARE(snippet->snippetType(), QStringLiteral("JSON"));
         }},
        {"2.1/Markup/InternalBIMSnippet", [](const BCFModel& model) {
             const BimSnippet* snippet = model.topic("84d4a28c-0638-4813-aa4b-bcd62fe5fc93")->bimSnippet();
             QVERIFY(snippet && !snippet->isExternal());
             QCOMPARE(snippet->reference(), QStringLiteral("JsonElement.json"));
             QCOMPARE(snippet->snippetData().size(), 83);
             QCOMPARE(snippet->snippetData(), entry("84D4A28C-0638-4813-AA4B-BCD62FE5FC93/JsonElement.json"));
         }},
        {"2.1/Markup/MaximumInformation", maximumInformation},
        {"2.1/Markup/MinimumInformation", [](const BCFModel& model) {
             const Topic* topic = model.topic("9898DE65-C0CE-414B-857E-1DF97FFAED8D");
             QVERIFY(topic && model.topicCount() == 1 && !model.project());
             QCOMPARE(topic->guid(), QStringLiteral("9898DE65-C0CE-414B-857E-1DF97FFAED8D"));
             QCOMPARE(topic->title(), QStringLiteral("Minimum information BCFZip topic."));
             QCOMPARE(topic->creationDate(), utc(2015, 7, 15, 13, 12, 42));
             QCOMPARE(topic->creationDate().timeSpec(), Qt::UTC);
             QCOMPARE(topic->creationAuthor(), QStringLiteral("Developer@example.com"));
             QCOMPARE(topic->index(), -1);
             QVERIFY(!topic->bimSnippet() && topic->comments().isEmpty());
         }},
        {"2.1/Markup/PDFFile", [](const BCFModel& model) {
             const DocumentReference* document = model.topics().first()->documentReferences().value(0);
             QVERIFY(document && !document->isExternal());
             QCOMPARE(document->referencedDocument(), QStringLiteral("../Requirements.pdf"));
             QCOMPARE(document->description(), QStringLiteral("Project requirements (pdf)"));
             QCOMPARE(document->documentData(), entry("Requirements.pdf"));
             QVERIFY(document->documentData().startsWith("%PDF"));
         }},
        {"2.1/Markup/RelatedTopicsWithBothTopicsInTheSameFile", [](const BCFModel& model) {
             QCOMPARE(model.topicCount(), 2);
             const Topic* topic = model.topic("a6f801b9-6bf6-4cb9-8b89-1ae24b76074a");
             QVERIFY(topic && topic->relatedTopics().size() == 1);
             QVERIFY(model.topic(topic->relatedTopics().first()->guid()));
             // BCF 2.0 comment elements in a 2.1 file are kept.
             const Comment* comment = topic->comment("7269cc66-6412-49ef-9ef2-7a116f98c866");
             QVERIFY(comment);
             QCOMPARE(comment->status(), QStringLiteral("Error"));
             QCOMPARE(comment->verbalStatus(), QStringLiteral("Open"));
             QCOMPARE(comment->date(), utc(2017, 5, 22, 12, 12, 15, 621));
         }},
        {"2.1/Markup/RelatedTopicsWithTheOtherTopicMissing", [](const BCFModel& model) {
             const Topic* topic = model.topic("a6f801b9-6bf6-4cb9-8b89-1ae24b76074a");
             QVERIFY(topic && model.topicCount() == 1 && topic->relatedTopics().size() == 1);
             QCOMPARE(topic->relatedTopics().first()->guid(), QStringLiteral("c69c8879-bd4a-4182-a759-f3c8c5b47c94"));
         }},
        {"2.1/Markup/UserAssignment", [](const BCFModel& model) {
             QCOMPARE(model.topic("12628303-e7a2-4c5c-bc3c-fb088fd24077")->assignedTo(),
                      QStringLiteral("jon.anders.sollien@catenda.no"));
             QCOMPARE(model.project()->name(), QStringLiteral("My project"));
         }},
        {"2.1/Project/ExtensionSchema", [](const BCFModel& model) {
             QVERIFY(model.topic("844496EA-0E0A-4071-A3EA-6EDF97458734"));
             QVERIFY(!model.project()); // project.bcfp holds no Project element
             QCOMPARE(model.extensionSchema(), QStringLiteral("extensions.xsd"));
             QCOMPARE(model.extensionSchemaData(), entry("extensions.xsd"));
             QVERIFY(model.extensionSchemaData().contains("redefine"));
         }},
        {"Visualization/AllComponentsAndSpacesVisible", [](const BCFModel& model) {
             visibility(model, true, {}, {});
             QCOMPARE(components(model).viewSetupHints->spacesVisible, std::optional<bool>(true));
         }},
        {"Visualization/AllPartsOfCurtainWallVisible", [](const BCFModel& model) {
             visibility(model, false, {}, {"2_hQ1Rixj6lgHTra$L72O4"});
             QCOMPARE(components(model).exceptions.value(0).originatingSystem, QStringLiteral("Allplan"));
         }},
        {"Visualization/AllPartsOfDecomposedObjectExceptOneVisible", [](const BCFModel& model) {
             visibility(model, false, {}, {"+32HeOfyn55zOiSkf6rlfHs", "-14rw$C3xD3ZeUJL3YaqCEK"});
         }},
        {"2.1/Visualization/ComponentSelection", [](const BCFModel& model) {
             visibility(model, true, {"1GU8BMEqHBQxVAbwRD$4Jj", "0AQJSsoeDDvwVqSNcwjy55", "3DOu_tSXP6evQgY8Ml4CtC"}, {});
             QCOMPARE(components(model).viewSetupHints->openingsVisible, std::optional<bool>(true));
         }},
        {"Visualization/OnePartOfDecomposedObjectVisible", [](const BCFModel& model) {
             visibility(model, false, {}, {"32HeOfyn55zOiSkf6rlfHs"});
         }},
        {"2.1/Visualization/OrthogonalCamera", [](const BCFModel& model) {
             const Viewpoint* viewpoint = model.topic("97881cb2-6462-4161-8d57-3d179b280755")->viewpoints().value(0);
             QCOMPARE(viewpoint->guid(), QStringLiteral("524faed0-0d90-46cc-846d-369ffe02a8f7"));
             QVERIFY(viewpoint->orthogonalCamera() && !viewpoint->perspectiveCamera());
             QCOMPARE(viewpoint->orthogonalCamera()->viewPoint, osg::Vec3d(0, 0, 100));
             QCOMPARE(viewpoint->orthogonalCamera()->direction, osg::Vec3d(0, 0, -1));
             QCOMPARE(viewpoint->orthogonalCamera()->upVector, osg::Vec3d(0, 1, 0));
             QCOMPARE(viewpoint->orthogonalCamera()->viewToWorldScale, 1.0);
         }},
        {"2.1/Visualization/PerspectiveCamera", [](const BCFModel& model) {
             const Viewpoint* viewpoint = model.topic("3153ceb9-0d9b-4f89-9670-dc95768836af")->viewpoints().value(0);
             QVERIFY(viewpoint->perspectiveCamera() && !viewpoint->orthogonalCamera());
             QCOMPARE(viewpoint->perspectiveCamera()->viewPoint, osg::Vec3d(19.1479514688529, -22.614447888675, 18.3473354318386));
             QCOMPARE(viewpoint->perspectiveCamera()->direction,
                      osg::Vec3d(-0.548840699373907, 0.560081664635821, -0.620550099642406));
             QCOMPARE(viewpoint->perspectiveCamera()->upVector,
                      osg::Vec3d(-0.0698737081383148, 0.0713048104294571, 0.995004165278026));
             QCOMPARE(viewpoint->perspectiveCamera()->fieldOfView, 60.0);
         }},
        {"Visualization/SingleInvisibleWall", [](const BCFModel& model) {
             visibility(model, true, {}, {"1E8YkwPMfB$h99jtn_uAjI"});
             QCOMPARE(components(model).exceptions.value(0).originatingSystem, QStringLiteral("https://bimsync.com"));
             // The viewpoint is referenced from a comment too.
             QCOMPARE(model.topics().first()->comment("5d1463e3-c6b1-4867-9b32-046461e81bb5")->viewpointGuid(),
                      firstViewpoint(model)->guid());
         }},
        {"Visualization/SingleVisibleSpace", [](const BCFModel& model) { // written with BCF 2.0 components
             visibility(model, false, {}, {"1bbI761TbBCOoIa5Kt6PXt"});
         }},
        {"2.1/Visualization/SingleVisibleWall", [](const BCFModel& model) {
             visibility(model, false, {}, {"1E8YkwPMfB$h99jtn_uAjI"});
         }},
        {"3.0/Markup/DocumentReferenceExternal", [](const BCFModel& model) {
             const DocumentReference* reference = model.topics().first()->documentReferences().value(0);
             QVERIFY(reference && reference->isExternal());
             QVERIFY(reference->url().startsWith("http://www.buildingsmart-tech.org/"));
             QCOMPARE(reference->description(), QStringLiteral("BCFv1 Markup Schema"));
         }},
        {"3.0/Markup/DocumentReferenceInternal", [](const BCFModel& model) {
             const DocumentReference* reference = model.topics().first()->documentReferences().value(0);
             QVERIFY(reference && !reference->isExternal());
             QCOMPARE(reference->referencedDocument(), QStringLiteral("ThisIsADocument.txt"));
             QVERIFY(model.document(reference->documentGuid()));
         }},
        {"3.0/Markup/DueDate", [](const BCFModel& model) {
             QCOMPARE(model.topics().first()->dueDate(), QDateTime(QDate(2021, 3, 15), QTime(11, 0), Qt::UTC));
         }},
        {"3.0/Markup/Labels", [](const BCFModel& model) {
             QCOMPARE(model.topics().first()->labels(), QStringList{"Architects"});
         }},
        {"3.0/Markup/Milestone", [](const BCFModel& model) { QCOMPARE(model.topics().first()->stage(), QStringLiteral("February")); }},
        {"3.0/Markup/MinimumInformation", [](const BCFModel& model) {
             const Topic* topic = model.topic("b0ddb128-a997-44c1-8ad8-59492daa5f6b");
             QVERIFY(topic);
             QVERIFY(topic->title().startsWith("Minimum information"));
             QCOMPARE(topic->creationDate(), QDateTime(QDate(2021, 2, 17), QTime(9, 16, 36, 674), Qt::UTC));
             QCOMPARE(topic->creationAuthor(), QStringLiteral("Architect@example.com"));
         }},
        {"3.0/Markup/RelatedTopicsWithBothTopicsInTheSameFile", [](const BCFModel& model) {
             QCOMPARE(model.topicCount(), 2);
             const Topic* topic = model.topic("a6f801b9-6bf6-4cb9-8b89-1ae24b76074a");
             QVERIFY(topic && topic->relatedTopics().size() == 1);
             QVERIFY(model.topic(topic->relatedTopics().first()->guid()));
         }},
        {"3.0/Markup/UserAssignment", [](const BCFModel& model) {
             QCOMPARE(model.topics().first()->assignedTo(), QStringLiteral("Architect@example.com"));
         }},
        {"3.0/Visualization/ComponentSelection", [](const BCFModel& model) { QCOMPARE(components(model).selection.size(), 3); }},
        {"3.0/Visualization/OrthogonalCamera", [](const BCFModel& model) {
             QVERIFY(model.topic("793a5f9f-788e-46e4-b484-9c44d3061577"));
             QVERIFY(firstViewpoint(model)->orthogonalCamera());
             QVERIFY(firstViewpoint(model)->orthogonalCamera()->aspectRatio > 0);
         }},
        {"3.0/Visualization/PerspectiveCamera", [](const BCFModel& model) {
             const auto& camera = firstViewpoint(model)->perspectiveCamera();
             QVERIFY(camera && camera->aspectRatio > 0 && camera->fieldOfView > 0 && camera->fieldOfView < 180);
         }},
        {"3.0/Visualization/SingleVisibleWall", [](const BCFModel& model) {
             QVERIFY(components(model).selection.isEmpty());
             QCOMPARE(components(model).defaultVisibility, std::optional<bool>(false));
             QCOMPARE(ifcGuids(components(model).exceptions), QStringList{"1XbKhGD91DvhOpYZbhzGTI"});
         }},
        {"3.0/Visualization/TopicsWithDifferentModelsVisible", [](const BCFModel& model) {
             QCOMPARE(model.topicCount(), 2);
             for (const Topic* topic : model.topics())
                 QCOMPARE(topic->viewpoints().size(), 1);
         }},
    };
    return checks;
}

} // namespace

class TestOfficialCases : public QObject
{
    Q_OBJECT

private slots:
    void officialCase_data();
    void officialCase();
    void quirksOfRealFiles();
    void versionReported_data();
    void versionReported();
    void nestedArchiveWithoutTopicsOpensEmpty();
};

void TestOfficialCases::officialCase_data()
{
    BCFLibTest::addCaseRows({QStringLiteral("2.1"), QStringLiteral("3.0")}, false);
}

void TestOfficialCases::officialCase()
{
    QFETCH(QString, fileName);
    const QString name = QString::fromLatin1(QTest::currentDataTag()).chopped(4); // "<version>/<group>/<name>"
    const QSharedPointer<BCFModel> model = BCFLibTest::loadFile(fileName);
    QString message, title;
    QVERIFY2(model->isValid(fileName, message, title) && message.isEmpty(), qPrintable(message));
    QCOMPARE(model->version().versionId(), name.left(3));
    for (const Topic* topic : model->topics()) {
        for (const Viewpoint* viewpoint : topic->viewpoints())
            QVERIFY(viewpoint->snapshotFile().isEmpty() || topic->snapshot(viewpoint->guid()));
    }
    // A check of the case in this version, else of the case in either version.
    const Check check = officialChecks().value(name, officialChecks().value(name.mid(4)));
    QVERIFY2(check, qPrintable("no check for " + name));
    g_case = fileName;
    check(*model);
}

void TestOfficialCases::quirksOfRealFiles()
{
    ArchiveBuilder archive;
    archive.add("bcf.version", "<Version VersionId=\"3.0\"/>")
        .add("project.bcfp", "<ProjectInfo><Project ProjectId=\"p-1\"><Name>Tower</Name></Project></ProjectInfo>")
        .add("extensions.xml", fixture("extensions-damaged.xml"))
        .add("documents.xml", fixture("documents.xml"))
        .add("documents/d0c00000-0000-4000-8000-0000000000aa", "a;b")
        .add("renamed-folder/markup.bcf", fixture("markup.bcf"))
        .add("renamed-folder/viewpoint.bcfv", fixture("viewpoint.bcfv"))
        .add("renamed-folder/snapshot.png", BCFLibTest::pngImage(16, 10), false);
    const QSharedPointer<BCFModel> model = BCFLibTest::load(archive.bytes());
    QString message, title;
    QVERIFY2(model->isValid("quirks.bcf", message, title), qPrintable(message));
    QVERIFY2(message.contains("extensions.xml"), qPrintable(message));
    QCOMPARE(model->project()->name(), QStringLiteral("Tower"));

    const Topic* topic = model->topic("a1b2c3d4-0000-4000-8000-00000000000a");
    QVERIFY(topic);
    QCOMPARE(topic->serverAssignedId(), QStringLiteral("ISSUE-7"));
    QCOMPARE(topic->topicStatus(), QString());
    QCOMPARE(topic->labels(), (QStringList{"Structure", "MEP"}));
    QCOMPARE(topic->referenceLinks(), QStringList{"https://example.com/7"});
    QCOMPARE(topic->creationDate(), QDateTime(QDate(2024, 3, 1), QTime(10, 0), Qt::UTC));
    QCOMPARE(topic->comments().first()->date().timeSpec(), Qt::UTC);
    QCOMPARE(topic->files().first()->isExternal(), false);
    QCOMPARE(topic->files().first()->id(), QStringLiteral("file-1"));
    QCOMPARE(topic->relatedTopics().size(), 1);

    const QList<DocumentReference*> references = topic->documentReferences();
    QCOMPARE(references.size(), 2);
    QCOMPARE(references.at(0)->referencedDocument(), QStringLiteral("beams.csv"));
    QCOMPARE(references.at(0)->documentData(), QByteArray("a;b"));
    QCOMPARE(references.at(1)->url(), QStringLiteral("https://example.com/spec.pdf"));
    QVERIFY(references.at(1)->isExternal());
    QCOMPARE(model->documents().size(), 1);
    QCOMPARE(model->documents().first().description, QStringLiteral("Schedule of the beams"));

    const Viewpoint* viewpoint = topic->viewpoints().value(0);
    QVERIFY(viewpoint && topic->snapshot(viewpoint->guid()));
    QCOMPARE(viewpoint->perspectiveCamera()->fieldOfView, 70.0);
    QCOMPARE(viewpoint->perspectiveCamera()->aspectRatio, 1.6);
    QCOMPARE(viewpoint->components()->viewSetupHints->spacesVisible, std::optional<bool>(true));
    QCOMPARE(ifcGuids(viewpoint->components()->exceptions), QStringList{"2MF28NhmDBiRVyFakgdbCT"});
    QCOMPARE(viewpoint->components()->coloring.first().color, QStringLiteral("FF0000"));
    QCOMPARE(viewpoint->components()->coloring.first().components.size(), 1);
    QCOMPARE(viewpoint->bitmaps().size(), 1);
    QCOMPARE(viewpoint->bitmaps().first().height, 2.5);
}

void TestOfficialCases::versionReported_data()
{
    QTest::addColumn<QString>("versionFile");
    QTest::addColumn<QString>("markupExtra");
    QTest::addColumn<QString>("version");
    const QString viewpoints = "<Viewpoints Guid=\"b0000000-0000-4000-8000-000000000001\"><Viewpoint>viewpoint.bcfv</Viewpoint></Viewpoints>";
    // BCF 1.0: no bcf.version, no viewpoint list, comments with Status and VerbalStatus.
    const QString comments = "<Comment Guid=\"c1\"><Status>Error</Status><VerbalStatus>Open</VerbalStatus>"
                             "<Date>2020-01-01T00:00:00Z</Date><Comment>old</Comment></Comment>"
                             "<Comment Guid=\"c2\"><Status>Info</Status><VerbalStatus>Closed</VerbalStatus>"
                             "<Date>2021-01-01T00:00:00Z</Date><Comment>new</Comment></Comment>";
    QTest::newRow("1.0") << QString() << comments << "1.0";
    QTest::newRow("2.1 without bcf.version") << QString() << viewpoints << "2.1";
    QTest::newRow("2.0") << "2.0" << viewpoints << "2.0";
    QTest::newRow("3.0") << "3.0" << QString() << "3.0";
}

void TestOfficialCases::versionReported()
{
    QFETCH(QString, versionFile);
    QFETCH(QString, markupExtra);
    QFETCH(QString, version);
    const QString topicGuid = "a1b2c3d4-0000-4000-8000-00000000000a";
    ArchiveBuilder archive;
    if (!versionFile.isEmpty())
        archive.add("bcf.version", BCFLibTest::versionFile(versionFile));
    archive.add(topicGuid + "/markup.bcf", BCFLibTest::markup(topicGuid, "t", markupExtra))
        .add(topicGuid + "/viewpoint.bcfv", fixture("viewpoint.bcfv"))
        .add(topicGuid + "/snapshot.png", BCFLibTest::pngImage(4, 3), false);
    const QSharedPointer<BCFModel> model = BCFLibTest::load(archive.bytes());
    QCOMPARE(model->version().versionId(), version);
    const Topic* topic = model->topic(topicGuid);
    QVERIFY(topic);
    // Every version finds the folder's viewpoint with its snapshot.
    QCOMPARE(topic->viewpoints().size(), 1);
    QVERIFY(topic->snapshot(topic->viewpoints().first()->guid()));
    if (version == "1.0") {
        // The newest comment's Status and VerbalStatus stand for the topic's type and status.
        QCOMPARE(topic->topicType(), QStringLiteral("Info"));
        QCOMPARE(topic->topicStatus(), QStringLiteral("Closed"));
    }
}

void TestOfficialCases::nestedArchiveWithoutTopicsOpensEmpty()
{
    ArchiveBuilder archive;
    archive.add("export/bcf.version", BCFLibTest::versionFile("2.1"))
        .add("export/a1b2c3d4-0000-4000-8000-00000000000a/snapshot.png", BCFLibTest::pngImage(2, 2), false);
    const QSharedPointer<BCFModel> model = BCFLibTest::load(archive.bytes());
    QString message, title;
    QVERIFY2(model->isValid("nested.bcf", message, title), qPrintable(message));
    QCOMPARE(model->topicCount(), 0);
    QVERIFY2(message.contains("export/a1b2c3d4-0000-4000-8000-00000000000a"), qPrintable(message));
}

BCF_TEST_MAIN(TestOfficialCases)
#include "tst_officialcases.moc"
