// BCF 3.0 reading: the official cases hold what their descriptions give, the quirks of real files
// (fixtures under tests/data/bcf30), the version each kind of archive reports, and the BCF 1.0
// layout and the comment status agreement.

#include "ArchiveBuilder.h"
#include "TestHelpers.h"

#include "BCFTestSupport/ModelRecords.h"

#include "BCFLib/Comment.h"
#include "BCFLib/DocumentReference.h"
#include "BCFLib/File.h"
#include "BCFLib/Project.h"
#include "BCFLib/RelatedTopic.h"
#include "BCFLib/Topic.h"
#include "BCFLib/Viewpoint.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <functional>

using namespace BCFLib;

namespace {

QByteArray fixture(const QString& name)
{
    QFile file(QStringLiteral(BCF_TEST_DATA_DIR "/bcf30/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray png(int width, int height)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImage(width, height, QImage::Format_RGB32).save(&buffer, "PNG");
    return bytes;
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

using Check = std::function<void(const BCFModel&)>;

// What each official case's description asks a reader to see.
const QHash<QString, Check>& officialChecks()
{
    static const QHash<QString, Check> checks{
        {"Markup/DocumentReferenceExternal", [](const BCFModel& model) {
             const DocumentReference* reference = model.topics().first()->documentReferences().value(0);
             QVERIFY(reference && reference->isExternal());
             QVERIFY(reference->url().startsWith("http://www.buildingsmart-tech.org/"));
             QCOMPARE(reference->description(), QStringLiteral("BCFv1 Markup Schema"));
         }},
        {"Markup/DocumentReferenceInternal", [](const BCFModel& model) {
             const DocumentReference* reference = model.topics().first()->documentReferences().value(0);
             QVERIFY(reference && !reference->isExternal());
             QCOMPARE(reference->referencedDocument(), QStringLiteral("ThisIsADocument.txt"));
             QVERIFY(model.document(reference->documentGuid()));
         }},
        {"Markup/DueDate", [](const BCFModel& model) {
             QCOMPARE(model.topics().first()->dueDate(), QDateTime(QDate(2021, 3, 15), QTime(11, 0), Qt::UTC));
         }},
        {"Markup/Labels", [](const BCFModel& model) {
             QCOMPARE(model.topics().first()->labels(), QStringList{"Architects"});
         }},
        {"Markup/Milestone", [](const BCFModel& model) { QCOMPARE(model.topics().first()->stage(), QStringLiteral("February")); }},
        {"Markup/MinimumInformation", [](const BCFModel& model) {
             const Topic* topic = model.topic("b0ddb128-a997-44c1-8ad8-59492daa5f6b");
             QVERIFY(topic);
             QVERIFY(topic->title().startsWith("Minimum information"));
             QCOMPARE(topic->creationDate(), QDateTime(QDate(2021, 2, 17), QTime(9, 16, 36, 674), Qt::UTC));
             QCOMPARE(topic->creationAuthor(), QStringLiteral("Architect@example.com"));
         }},
        {"Markup/RelatedTopicsWithBothTopicsInTheSameFile", [](const BCFModel& model) {
             QCOMPARE(model.topicCount(), 2);
             const Topic* topic = model.topic("a6f801b9-6bf6-4cb9-8b89-1ae24b76074a");
             QVERIFY(topic && topic->relatedTopics().size() == 1);
             QVERIFY(model.topic(topic->relatedTopics().first()->guid()));
         }},
        {"Markup/UserAssignment", [](const BCFModel& model) {
             QCOMPARE(model.topics().first()->assignedTo(), QStringLiteral("Architect@example.com"));
         }},
        {"Visualization/AllComponentsAndSpacesVisible", [](const BCFModel& model) {
             QCOMPARE(components(model).defaultVisibility, std::optional<bool>(true));
             QVERIFY(components(model).exceptions.isEmpty());
             QCOMPARE(components(model).viewSetupHints->spacesVisible, std::optional<bool>(true));
         }},
        {"Visualization/AllPartsOfCurtainWallVisible", [](const BCFModel& model) {
             QCOMPARE(components(model).defaultVisibility, std::optional<bool>(false));
             QCOMPARE(ifcGuids(components(model).exceptions), QStringList{"2_hQ1Rixj6lgHTra$L72O4"});
         }},
        {"Visualization/AllPartsOfDecomposedObjectExceptOneVisible", [](const BCFModel& model) {
             QCOMPARE(components(model).defaultVisibility, std::optional<bool>(false));
             QVERIFY(components(model).exceptions.size() > 1);
             QVERIFY(!ifcGuids(components(model).exceptions).contains("14rw$C3xD3ZeUJL3YaqCEK"));
         }},
        {"Visualization/ComponentSelection", [](const BCFModel& model) {
             QCOMPARE(components(model).selection.size(), 3);
         }},
        {"Visualization/OnePartOfDecomposedObjectVisible", [](const BCFModel& model) {
             QCOMPARE(components(model).defaultVisibility, std::optional<bool>(false));
             QCOMPARE(ifcGuids(components(model).exceptions), QStringList{"32HeOfyn55zOiSkf6rlfHs"});
         }},
        {"Visualization/OrthogonalCamera", [](const BCFModel& model) {
             QVERIFY(model.topic("793a5f9f-788e-46e4-b484-9c44d3061577"));
             QVERIFY(firstViewpoint(model)->orthogonalCamera());
             QVERIFY(firstViewpoint(model)->orthogonalCamera()->aspectRatio > 0);
         }},
        {"Visualization/PerspectiveCamera", [](const BCFModel& model) {
             const auto& camera = firstViewpoint(model)->perspectiveCamera();
             QVERIFY(camera && camera->aspectRatio > 0 && camera->fieldOfView > 0 && camera->fieldOfView < 180);
         }},
        {"Visualization/SingleInvisibleWall", [](const BCFModel& model) {
             QVERIFY(components(model).selection.isEmpty());
             QCOMPARE(components(model).defaultVisibility, std::optional<bool>(true));
             QCOMPARE(ifcGuids(components(model).exceptions), QStringList{"1E8YkwPMfB$h99jtn_uAjI"});
         }},
        {"Visualization/SingleVisibleSpace", [](const BCFModel& model) {
             QCOMPARE(components(model).defaultVisibility, std::optional<bool>(false));
             QCOMPARE(ifcGuids(components(model).exceptions), QStringList{"1bbI761TbBCOoIa5Kt6PXt"});
         }},
        {"Visualization/SingleVisibleWall", [](const BCFModel& model) {
             QVERIFY(components(model).selection.isEmpty());
             QCOMPARE(components(model).defaultVisibility, std::optional<bool>(false));
             QCOMPARE(ifcGuids(components(model).exceptions), QStringList{"1XbKhGD91DvhOpYZbhzGTI"});
         }},
        {"Visualization/TopicsWithDifferentModelsVisible", [](const BCFModel& model) {
             QCOMPARE(model.topicCount(), 2);
             for (const Topic* topic : model.topics())
                 QCOMPARE(topic->viewpoints().size(), 1);
         }},
    };
    return checks;
}

} // namespace

class TestVersion30 : public QObject
{
    Q_OBJECT

private slots:
    void officialCase_data() { BCFTest::addOfficialCaseRows(QStringLiteral("3.0")); }
    void officialCase();
    void quirksOfRealFiles();
    void versionReported_data();
    void versionReported();
    void nestedArchiveWithoutTopicsOpensEmpty();
};

void TestVersion30::officialCase()
{
    QFETCH(QString, fileName);
    const QSharedPointer<BCFModel> model = BCFLibTest::loadFile(fileName);
    QString message, title;
    QVERIFY2(model->isValid(fileName, message, title) && message.isEmpty(), qPrintable(message));
    QCOMPARE(model->version().versionId(), QStringLiteral("3.0"));
    const QString name = QDir(BCFTest::bcfSharedFile("testcases/3.0")).relativeFilePath(fileName).section('.', 0, 0);
    QVERIFY2(officialChecks().contains(name), qPrintable("no check for " + name));
    officialChecks().value(name)(*model);
}

void TestVersion30::quirksOfRealFiles()
{
    ArchiveBuilder archive;
    archive.add("bcf.version", "<Version VersionId=\"3.0\"/>")
        .add("project.bcfp", "<ProjectInfo><Project ProjectId=\"p-1\"><Name>Tower</Name></Project></ProjectInfo>")
        .add("extensions.xml", fixture("extensions-damaged.xml"))
        .add("documents.xml", fixture("documents.xml"))
        .add("documents/d0c00000-0000-4000-8000-0000000000aa", "a;b")
        .add("renamed-folder/markup.bcf", fixture("markup.bcf"))
        .add("renamed-folder/viewpoint.bcfv", fixture("viewpoint.bcfv"))
        .add("renamed-folder/snapshot.png", png(16, 10), false);
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

void TestVersion30::versionReported_data()
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

void TestVersion30::versionReported()
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
        .add(topicGuid + "/snapshot.png", png(4, 3), false);
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

void TestVersion30::nestedArchiveWithoutTopicsOpensEmpty()
{
    ArchiveBuilder archive;
    archive.add("export/bcf.version", BCFLibTest::versionFile("2.1"))
        .add("export/a1b2c3d4-0000-4000-8000-00000000000a/snapshot.png", png(2, 2), false);
    const QSharedPointer<BCFModel> model = BCFLibTest::load(archive.bytes());
    QString message, title;
    QVERIFY2(model->isValid("nested.bcf", message, title), qPrintable(message));
    QCOMPARE(model->topicCount(), 0);
    QVERIFY2(message.contains("export/a1b2c3d4-0000-4000-8000-00000000000a"), qPrintable(message));
}

BCF_TEST_MAIN(TestVersion30)
#include "tst_version30.moc"
