// Every official BCF 2.1 test case loads, and the model and its records hold what the case's
// description says (several of these files do not validate against their own schemas).

#include "BCFLib/BCFModel.h"
#include "BCFLib/BimSnippet.h"
#include "BCFLib/Comment.h"
#include "BCFLib/DocumentReference.h"
#include "BCFLib/File.h"
#include "BCFLib/IsoDateTime.h"
#include "BCFLib/Project.h"
#include "BCFLib/RecordKeys.h"
#include "BCFLib/RelatedTopic.h"
#include "BCFLib/Topic.h"
#include "BCFLib/Viewpoint.h"
#include "TestHelpers.h"

#include "BCFTestSupport/ZipEntries.h"

#include <QDirIterator>

using namespace BCFLib;

namespace {

QString casePath(const QString& name)
{
    return BCFTest::bcfSharedFile(QStringLiteral("testcases/2.1/%1.bcf").arg(name));
}

// The bytes of one entry of an official archive, to compare what the reader kept.
QByteArray entry(const QString& caseName, const QString& entryName)
{
    const QList<BCFTest::ZipEntry> entries = BCFTest::readZipEntries(casePath(caseName));
    const BCFTest::ZipEntry* found = BCFTest::findZipEntry(entries, entryName);
    return found ? found->data : QByteArray();
}

QStringList ifcGuids(const QList<Component>& components)
{
    QStringList guids;
    for (const Component& component : components)
        guids.append(component.ifcGuid);
    return guids;
}

} // namespace

class TestOfficialCases : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup() { m_model.reset(); }
    void everyCaseLoadsCleanly();
    void minimumInformation();
    void maximumInformation();
    void snippetsAndDocuments();
    void relatedTopicsAndAssignment();
    void extensionSchema();
    void cameras();
    void visibilityAndSelection_data();
    void visibilityAndSelection();

private:
    // Loads an official case into m_model and returns its topic with that guid (null when absent).
    Topic* loadCase(const QString& name, const QString& topicGuid)
    {
        m_model = BCFLibTest::loadFile(casePath(name));
        return m_model->topic(topicGuid);
    }

    QSharedPointer<BCFModel> m_model;
};

void TestOfficialCases::init()
{
    BCF_SKIP_WITHOUT_SHARED_DIR();
}

void TestOfficialCases::everyCaseLoadsCleanly()
{
    int cases = 0;
    QDirIterator it(BCFTest::bcfSharedFile(QStringLiteral("testcases/2.1")), {QStringLiteral("*.bcf")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        ++cases;
        QSharedPointer<BCFModel> model = BCFLibTest::loadFile(path);
        QString message, title;
        QVERIFY2(model->isValid(QFileInfo(path).fileName(), message, title), qPrintable(path + ": " + message));
        QVERIFY2(message.isEmpty(), qPrintable(path + ": " + message));
        QVERIFY2(!model->topics().isEmpty(), qPrintable(path));
        QCOMPARE(model->version().versionId(), QStringLiteral("2.1"));
        // Every viewpoint that names a snapshot file has its image, and every topic has a full record.
        for (Topic* topic : model->topics()) {
            const QVariantMap record = topic->toQVariant().toMap();
            QCOMPARE(record.value(Keys::Guid).toString(), topic->guid());
            QCOMPARE(record.value(Keys::Viewpoints).toList().size(), topic->viewpoints().size());
            QCOMPARE(record.value(Keys::Comments).toList().size(), topic->comments().size());
            for (Viewpoint* viewpoint : topic->viewpoints()) {
                QVERIFY2(!viewpoint->snapshotFile().isEmpty(), qPrintable(path));
                QVERIFY2(topic->snapshot(viewpoint->guid()), qPrintable(path));
                QVERIFY(topic->snapshot(viewpoint->guid())->startsWith("\x89PNG"));
            }
        }
    }
    QCOMPARE(cases, 20);
}

void TestOfficialCases::minimumInformation()
{
    const Topic* topic = loadCase(QStringLiteral("Markup/MinimumInformation"), QStringLiteral("9898DE65-C0CE-414B-857E-1DF97FFAED8D"));
    QCOMPARE(m_model->topics().size(), 1);
    QVERIFY(topic);
    QCOMPARE(topic->guid(), QStringLiteral("9898DE65-C0CE-414B-857E-1DF97FFAED8D"));
    QCOMPARE(topic->title(), QStringLiteral("Minimum information BCFZip topic."));
    QCOMPARE(topic->creationDate(), QDateTime(QDate(2015, 7, 15), QTime(13, 12, 42), Qt::UTC));
    QCOMPARE(topic->creationDate().timeSpec(), Qt::UTC);
    QCOMPARE(topic->creationAuthor(), QStringLiteral("Developer@example.com"));
    QCOMPARE(topic->index(), -1);
    QVERIFY(!topic->bimSnippet());
    QVERIFY(topic->comments().isEmpty());
    QVERIFY(!m_model->project());
}

void TestOfficialCases::maximumInformation()
{
    const QString name = QStringLiteral("Markup/MaximumInformation");
    Topic* topic = loadCase(name, QStringLiteral("63E78882-7C6A-4BF7-8982-FC478AFB9C97"));
    QCOMPARE(m_model->topics().size(), 2);
    QVERIFY(topic);
    QCOMPARE(topic->title(), QStringLiteral("Maximum Content"));
    Topic* referenced = m_model->topic(QStringLiteral("5019D939-62A4-45D9-B205-FAB602C98FE8"));
    QVERIFY(referenced);
    QCOMPARE(referenced->title(), QStringLiteral("Referenced topic"));
    // Seven fractional digits, kept to the millisecond.
    QCOMPARE(referenced->creationDate(), QDateTime(QDate(2017, 5, 22), QTime(7, 51, 0, 42), Qt::UTC));
    QVERIFY(referenced->creationAuthor().isEmpty()); // required but absent: left missing

    QCOMPARE(topic->topicType(), QStringLiteral("Structural"));
    QCOMPARE(topic->topicStatus(), QStringLiteral("Open"));
    QCOMPARE(topic->referenceLinks(), QStringList{QStringLiteral("https://bim--it.net")});
    QCOMPARE(topic->priority(), QStringLiteral("High"));
    QCOMPARE(topic->index(), 0);
    QCOMPARE(topic->labels(), (QStringList{QStringLiteral("Structural"), QStringLiteral("IT Development")}));
    QCOMPARE(topic->creationAuthor(), QStringLiteral("dangl@iabi.eu"));
    QCOMPARE(topic->modifiedDate(), QDateTime(QDate(2015, 6, 21), QTime(14, 22, 47), Qt::UTC));
    QCOMPARE(topic->modifiedAuthor(), QStringLiteral("dangl@iabi.eu"));
    QCOMPARE(topic->assignedTo(), QStringLiteral("linhard@iabi.eu"));
    QCOMPARE(topic->description(), QStringLiteral("This is a topic with all informations present."));

    // Header file; the IFC file at the archive's root is part of the document and is carried with it.
    QCOMPARE(topic->files().size(), 1);
    const File* file = topic->files().first();
    QCOMPARE(file->ifcProject(), QStringLiteral("0M6o7Znnv7hxsbWgeu7oQq"));
    QCOMPARE(file->ifcSpatialStructureElement(), QStringLiteral("23B$bNeGHFQuMYJzvUX0FD"));
    QVERIFY(!file->isExternal());
    QCOMPARE(file->fileName(), QStringLiteral("IfcPile_01.ifc"));
    QCOMPARE(file->reference(), QStringLiteral("../IfcPile_01.ifc"));
    QCOMPARE(file->date(), QDateTime(QDate(2014, 10, 27), QTime(16, 27, 27), Qt::UTC));
    QCOMPARE(file->fileData(), entry(name, QStringLiteral("IfcPile_01.ifc")));
    QCOMPARE(file->fileData().size(), 796229);

    // Snippet with its internal file
    const BimSnippet* snippet = topic->bimSnippet();
    QVERIFY(snippet);
    QCOMPARE(snippet->snippetType(), QStringLiteral("JSON"));
    QVERIFY(!snippet->isExternal());
    QCOMPARE(snippet->reference(), QStringLiteral("JsonElement.json"));
    QCOMPARE(snippet->referenceSchema(), QStringLiteral("http://json-schema.org"));
    QCOMPARE(snippet->snippetData(), entry(name, QStringLiteral("63E78882-7C6A-4BF7-8982-FC478AFB9C97/JsonElement.json")));

    // Documents: one URL, one file at the archive's root
    QCOMPARE(topic->documentReferences().size(), 2);
    const DocumentReference* external = topic->documentReferences().at(0);
    QVERIFY(external->isExternal());
    QCOMPARE(external->referencedDocument(), QStringLiteral("https://github.com/BuildingSMART/BCF-XML"));
    QCOMPARE(external->description(), QStringLiteral("GitHub BCF Specification"));
    QVERIFY(external->documentData().isEmpty());
    const DocumentReference* internal = topic->documentReferences().at(1);
    QVERIFY(!internal->isExternal());
    QCOMPARE(internal->referencedDocument(), QStringLiteral("../markup.xsd"));
    QVERIFY(!internal->documentData().isEmpty());
    QCOMPARE(internal->documentData(), entry(name, QStringLiteral("markup.xsd")));

    QCOMPARE(topic->relatedTopics().size(), 1);
    QCOMPARE(topic->relatedTopics().first()->guid(), referenced->guid());

    // Comments
    QCOMPARE(topic->comments().size(), 4);
    const Comment* first = topic->comment(QStringLiteral("780fae52-c432-42be-adea-ff3e7a8cd8e1"));
    QVERIFY(first);
    QCOMPARE(first->author(), QStringLiteral("dangl@iabi.eu"));
    QCOMPARE(first->date(), QDateTime(QDate(2015, 8, 31), QTime(12, 40, 17), Qt::UTC));
    QVERIFY(first->text().startsWith(QStringLiteral("This is an unmodified topic")));
    QCOMPARE(topic->comment(QStringLiteral("39C4B780-1B48-44E5-9802-D359007AA44E"))->viewpointGuid(),
             QStringLiteral("8dc86298-9737-40b4-a448-98a9e953293a"));
    const Comment* modified = topic->comment(QStringLiteral("BD17158C-4267-4433-98C1-904F9B41CA50"));
    QCOMPARE(modified->modifiedDate(), QDateTime(QDate(2015, 8, 31), QTime(16, 7, 11), Qt::UTC));
    QCOMPARE(modified->modifiedAuthor(), QStringLiteral("dangl@iabi.eu"));

    // Viewpoints, with their file names and snapshots
    QCOMPARE(topic->viewpoints().size(), 3);
    const QStringList guids{QStringLiteral("8dc86298-9737-40b4-a448-98a9e953293a"), QStringLiteral("21dd4807-e9af-439e-a980-04d913a6b1ce"),
                            QStringLiteral("81daa431-bf01-4a49-80a2-1ab07c177717")};
    for (int i = 0; i < guids.size(); ++i) {
        const Viewpoint* viewpoint = topic->viewpoints().at(i);
        QCOMPARE(viewpoint->guid(), guids.at(i));
        QCOMPARE(viewpoint->viewpointFile(), QStringLiteral("Viewpoint_%1.bcfv").arg(guids.at(i)));
        QCOMPARE(viewpoint->snapshotFile(), QStringLiteral("Snapshot_%1.png").arg(guids.at(i)));
        QVERIFY(topic->snapshot(guids.at(i)));
        QCOMPARE(*topic->snapshot(guids.at(i)),
                 entry(name, QStringLiteral("63E78882-7C6A-4BF7-8982-FC478AFB9C97/Snapshot_%1.png").arg(guids.at(i))));
    }
    const Viewpoint* viewpoint = topic->viewpoints().first();
    QVERIFY(viewpoint->components());
    const ComponentSet& set = *viewpoint->components();
    QVERIFY(set.viewSetupHints);
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
    QVERIFY(viewpoint->perspectiveCamera());
    QCOMPARE(viewpoint->perspectiveCamera()->viewPoint, osg::Vec3d(12.2088897788292, 52.323145074034, 5.24072091171001));
    QCOMPARE(viewpoint->perspectiveCamera()->fieldOfView, 60.0);
    QCOMPARE(viewpoint->lines().size(), 3);
    QCOMPARE(viewpoint->lines().at(2).endPoint, osg::Vec3d(1, 1, 1));
    QCOMPARE(viewpoint->clippingPlanes().size(), 2);
    QCOMPARE(viewpoint->clippingPlanes().at(1).direction, osg::Vec3d(0, 1, 0));

    // Project and its extension schema
    QVERIFY(m_model->project());
    QCOMPARE(m_model->project()->guid(), QStringLiteral("F338B6F0-A93E-40FF-A4D6-6117CD21EC2A"));
    QCOMPARE(m_model->project()->name(), QStringLiteral("BCF API Implementation"));
    QCOMPARE(m_model->project()->extensionSchema(), QStringLiteral("extensions.xsd"));
    QCOMPARE(m_model->extensionSchemaData(), entry(name, QStringLiteral("extensions.xsd")));
}

void TestOfficialCases::snippetsAndDocuments()
{
    const Topic* topic = loadCase(QStringLiteral("Markup/InternalBIMSnippet"), QStringLiteral("84d4a28c-0638-4813-aa4b-bcd62fe5fc93"));
    QVERIFY(topic && topic->bimSnippet());
    QCOMPARE(topic->bimSnippet()->reference(), QStringLiteral("JsonElement.json"));
    QVERIFY(!topic->bimSnippet()->isExternal());
    QCOMPARE(topic->bimSnippet()->snippetData(),
             entry(QStringLiteral("Markup/InternalBIMSnippet"), QStringLiteral("84D4A28C-0638-4813-AA4B-BCD62FE5FC93/JsonElement.json")));
    QCOMPARE(topic->bimSnippet()->snippetData().size(), 83);

    topic = loadCase(QStringLiteral("Markup/ExternalBIMSnippet"), QStringLiteral("c26df753-b8af-42f2-b7cf-81a70b49f362"));
    QVERIFY(topic && topic->bimSnippet());
    QVERIFY(topic->bimSnippet()->isExternal());
    QCOMPARE(topic->bimSnippet()->reference(), QStringLiteral("http://bimfiles.example.com/JsonElement.json"));
    QCOMPARE(topic->bimSnippet()->snippetType(), QStringLiteral("JSON"));
    QVERIFY(topic->bimSnippet()->snippetData().isEmpty());
    QCOMPARE(topic->toQVariant().toMap().value(Keys::BimSnippet).toMap().value(Keys::IsExternal).toBool(), true);

    topic = loadCase(QStringLiteral("Markup/DocumentReferenceExternal"), QStringLiteral("1b66b5cb-18b4-4edd-a700-d02c3a673710"));
    QVERIFY(topic);
    QCOMPARE(topic->documentReferences().size(), 1);
    const DocumentReference* document = topic->documentReferences().first();
    QVERIFY(document->isExternal());
    QCOMPARE(document->referencedDocument(),
             QStringLiteral("http://www.buildingsmart-tech.org/specifications/bcf-releases/bcfxml-v1/markup.xsd/at_download/file"));
    QCOMPARE(document->description(), QStringLiteral("BCFv1 Markup Schema"));

    topic = loadCase(QStringLiteral("Markup/PDFFile"), QStringLiteral("8e46d831-4603-4bd1-ae0c-d1817ca50bf0"));
    QVERIFY(topic);
    QCOMPARE(topic->documentReferences().size(), 1);
    document = topic->documentReferences().first();
    QVERIFY(!document->isExternal());
    QCOMPARE(document->referencedDocument(), QStringLiteral("../Requirements.pdf"));
    QCOMPARE(document->description(), QStringLiteral("Project requirements (pdf)"));
    QCOMPARE(document->documentData().size(), 195562);
    QVERIFY(document->documentData().startsWith("%PDF"));
}

void TestOfficialCases::relatedTopicsAndAssignment()
{
    const QString topicGuid = QStringLiteral("a6f801b9-6bf6-4cb9-8b89-1ae24b76074a");
    const Topic* topic = loadCase(QStringLiteral("Markup/RelatedTopicsWithBothTopicsInTheSameFile"), topicGuid);
    QCOMPARE(m_model->topics().size(), 2);
    QVERIFY(topic);
    QCOMPARE(topic->relatedTopics().size(), 1);
    QVERIFY(m_model->topic(topic->relatedTopics().first()->guid()));
    // BCF 2.0 comment elements in a 2.1 file are kept.
    const Comment* comment = topic->comment(QStringLiteral("7269cc66-6412-49ef-9ef2-7a116f98c866"));
    QVERIFY(comment);
    QCOMPARE(comment->status(), QStringLiteral("Error"));
    QCOMPARE(comment->verbalStatus(), QStringLiteral("Open"));
    QCOMPARE(comment->date(), QDateTime(QDate(2017, 5, 22), QTime(12, 12, 15, 621), Qt::UTC));
    QCOMPARE(comment->toQVariant().toMap().value(Keys::Status).toString(), QStringLiteral("Error"));

    topic = loadCase(QStringLiteral("Markup/RelatedTopicsWithTheOtherTopicMissing"), topicGuid);
    QCOMPARE(m_model->topics().size(), 1);
    QVERIFY(topic);
    QCOMPARE(topic->relatedTopics().size(), 1);
    QCOMPARE(topic->relatedTopics().first()->guid(), QStringLiteral("c69c8879-bd4a-4182-a759-f3c8c5b47c94"));
    QVERIFY(!m_model->topic(QStringLiteral("c69c8879-bd4a-4182-a759-f3c8c5b47c94")));

    topic = loadCase(QStringLiteral("Markup/UserAssignment"), QStringLiteral("12628303-e7a2-4c5c-bc3c-fb088fd24077"));
    QVERIFY(topic);
    QCOMPARE(topic->assignedTo(), QStringLiteral("jon.anders.sollien@catenda.no"));
    QCOMPARE(topic->toQVariant().toMap().value(Keys::AssignedTo).toString(), QStringLiteral("jon.anders.sollien@catenda.no"));
    QVERIFY(m_model->project());
    QCOMPARE(m_model->project()->name(), QStringLiteral("My project"));
}

void TestOfficialCases::extensionSchema()
{
    const QString name = QStringLiteral("Project/ExtensionSchema");
    QVERIFY(loadCase(name, QStringLiteral("844496EA-0E0A-4071-A3EA-6EDF97458734")));
    QCOMPARE(m_model->topics().size(), 1);
    QVERIFY(!m_model->project()); // project.bcfp holds no Project element
    QCOMPARE(m_model->extensionSchema(), QStringLiteral("extensions.xsd"));
    QCOMPARE(m_model->extensionSchemaData(), entry(name, QStringLiteral("extensions.xsd")));
    QVERIFY(m_model->extensionSchemaData().contains("redefine"));
}

void TestOfficialCases::cameras()
{
    const Topic* topic = loadCase(QStringLiteral("Visualization/OrthogonalCamera"), QStringLiteral("97881cb2-6462-4161-8d57-3d179b280755"));
    QVERIFY(topic);
    QCOMPARE(topic->viewpoints().size(), 1);
    const Viewpoint* orthogonal = topic->viewpoints().first();
    QCOMPARE(orthogonal->guid(), QStringLiteral("524faed0-0d90-46cc-846d-369ffe02a8f7"));
    QVERIFY(orthogonal->orthogonalCamera());
    QVERIFY(!orthogonal->perspectiveCamera());
    QCOMPARE(orthogonal->orthogonalCamera()->viewPoint, osg::Vec3d(0, 0, 100));
    QCOMPARE(orthogonal->orthogonalCamera()->direction, osg::Vec3d(0, 0, -1));
    QCOMPARE(orthogonal->orthogonalCamera()->upVector, osg::Vec3d(0, 1, 0));
    QCOMPARE(orthogonal->orthogonalCamera()->viewToWorldScale, 1.0);
    QCOMPARE(orthogonal->toQVariant().toMap().value(Keys::OrthogonalCamera).toMap().value(Keys::ViewToWorldScale).toDouble(), 1.0);

    topic = loadCase(QStringLiteral("Visualization/PerspectiveCamera"), QStringLiteral("3153ceb9-0d9b-4f89-9670-dc95768836af"));
    QVERIFY(topic);
    QCOMPARE(topic->viewpoints().size(), 1);
    const Viewpoint* perspective = topic->viewpoints().first();
    QVERIFY(perspective->perspectiveCamera());
    QVERIFY(!perspective->orthogonalCamera());
    QCOMPARE(perspective->perspectiveCamera()->viewPoint, osg::Vec3d(19.1479514688529, -22.614447888675, 18.3473354318386));
    QCOMPARE(perspective->perspectiveCamera()->direction, osg::Vec3d(-0.548840699373907, 0.560081664635821, -0.620550099642406));
    QCOMPARE(perspective->perspectiveCamera()->upVector, osg::Vec3d(-0.0698737081383148, 0.0713048104294571, 0.995004165278026));
    QCOMPARE(perspective->perspectiveCamera()->fieldOfView, 60.0);
}

void TestOfficialCases::visibilityAndSelection_data()
{
    QTest::addColumn<QString>("topicGuid");
    QTest::addColumn<bool>("defaultVisibility");
    QTest::addColumn<QStringList>("selection");
    // The exceptions to the default visibility: all of them, or with "+" those that must be among
    // them and with "-" those that must not.
    QTest::addColumn<QStringList>("exceptions");

    // Three selected components, everything else as by default.
    QTest::newRow("Visualization/ComponentSelection")
        << "42929e02-f00f-4db8-918e-0fbbc64a45d3" << true
        << QStringList{"1GU8BMEqHBQxVAbwRD$4Jj", "0AQJSsoeDDvwVqSNcwjy55", "3DOu_tSXP6evQgY8Ml4CtC"} << QStringList();
    QTest::newRow("Visualization/AllComponentsAndSpacesVisible")
        << "2c02d25f-6cb7-4c14-8737-9c340699d351" << true << QStringList() << QStringList();
    // Nothing selected, one hidden wall, the rest visible.
    QTest::newRow("Visualization/SingleInvisibleWall")
        << "e1fff3a6-db0f-48e8-a240-0e2f38b2fc21" << true << QStringList() << QStringList{"1E8YkwPMfB$h99jtn_uAjI"};
    QTest::newRow("Visualization/SingleVisibleWall")
        << "d029895e-2bdc-4f48-8bf4-8e540425f238" << false << QStringList() << QStringList{"1E8YkwPMfB$h99jtn_uAjI"};
    // Written with BCF 2.0 components: only that space visible.
    QTest::newRow("Visualization/SingleVisibleSpace")
        << "a3befb7d-8395-4e52-bbca-382fc4198217" << false << QStringList() << QStringList{"1bbI761TbBCOoIa5Kt6PXt"};
    // The curtain wall's guid, everything else hidden.
    QTest::newRow("Visualization/AllPartsOfCurtainWallVisible")
        << "ee9a9498-698b-44ed-8ece-b3ae3b480a90" << false << QStringList() << QStringList{"2_hQ1Rixj6lgHTra$L72O4"};
    // All parts but one visible: the hidden plate is not among the visible exceptions.
    QTest::newRow("Visualization/AllPartsOfDecomposedObjectExceptOneVisible")
        << "28942812-8783-4d92-9c54-8a8f31937975" << false << QStringList()
        << QStringList{"+32HeOfyn55zOiSkf6rlfHs", "-14rw$C3xD3ZeUJL3YaqCEK"};
    QTest::newRow("Visualization/OnePartOfDecomposedObjectVisible")
        << "3146b55f-ac72-4490-bb06-60cc254b3d8e" << false << QStringList() << QStringList{"32HeOfyn55zOiSkf6rlfHs"};
}

void TestOfficialCases::visibilityAndSelection()
{
    QFETCH(QString, topicGuid);
    QFETCH(bool, defaultVisibility);
    QFETCH(QStringList, selection);
    QFETCH(QStringList, exceptions);

    const QString name = QString::fromLatin1(QTest::currentDataTag());
    const Topic* topic = loadCase(name, topicGuid);
    QVERIFY(topic);
    QCOMPARE(topic->viewpoints().size(), 1);
    const Viewpoint* viewpoint = topic->viewpoints().first();
    QVERIFY(viewpoint->components());
    const ComponentSet& set = *viewpoint->components();
    QCOMPARE(set.defaultVisibility, std::optional<bool>(defaultVisibility));
    QCOMPARE(ifcGuids(set.selection), selection);
    const QStringList found = ifcGuids(set.exceptions);
    if (exceptions.value(0).startsWith(QLatin1Char('+'))) {
        QVERIFY(found.size() > 10);
        QVERIFY(found.contains(exceptions.at(0).mid(1)));
        QVERIFY(!found.contains(exceptions.at(1).mid(1)));
    } else {
        QCOMPARE(found, exceptions);
    }

    // What the descriptions say beyond visibility and selection.
    if (name.endsWith(QLatin1String("ComponentSelection"))) {
        QCOMPARE(set.viewSetupHints->openingsVisible, std::optional<bool>(true));
        QCOMPARE(viewpoint->componentsToQVariant().value(Keys::Selection).toList().size(), 3);
    } else if (name.endsWith(QLatin1String("AllComponentsAndSpacesVisible"))) {
        QCOMPARE(set.viewSetupHints->spacesVisible, std::optional<bool>(true));
    } else if (name.endsWith(QLatin1String("SingleInvisibleWall"))) {
        QCOMPARE(set.exceptions.first().originatingSystem, QStringLiteral("https://bimsync.com"));
        // The viewpoint is referenced from a comment too.
        QCOMPARE(topic->comment(QStringLiteral("5d1463e3-c6b1-4867-9b32-046461e81bb5"))->viewpointGuid(), viewpoint->guid());
    } else if (name.endsWith(QLatin1String("AllPartsOfCurtainWallVisible"))) {
        QCOMPARE(set.exceptions.first().originatingSystem, QStringLiteral("Allplan"));
    }
}

BCF_TEST_MAIN(TestOfficialCases)
#include "tst_officialcases.moc"
