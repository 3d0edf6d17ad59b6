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

#include <QDirIterator>
#include <quazip/quazip.h>
#include <quazip/quazipfile.h>

using namespace BCFLib;

namespace {

QString casePath(const QString& name)
{
    return BCFLibTest::sharedFile(QStringLiteral("testcases/2.1/%1.bcf").arg(name));
}

// The bytes of one entry of an official archive, to compare what the reader kept.
QByteArray entry(const QString& caseName, const QString& entryName)
{
    QuaZipFile file(casePath(caseName), entryName);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

QStringList ifcGuids(const QList<Component>& components)
{
    QStringList guids;
    for (const Component& component : components)
        guids.append(component.ifcGuid);
    return guids;
}

struct Loaded
{
    QSharedPointer<BCFModel> model;
    Topic* topic = nullptr;
};

Loaded loadCase(const QString& name, const QString& topicGuid)
{
    Loaded loaded;
    loaded.model = BCFLibTest::loadFile(casePath(name));
    loaded.topic = loaded.model->topic(topicGuid);
    return loaded;
}

// The single viewpoint of a visualization case, its components and the expected visibility.
const ComponentSet* onlyComponents(const Loaded& loaded)
{
    if (!loaded.topic || loaded.topic->viewpoints().size() != 1)
        return nullptr;
    const auto& components = loaded.topic->viewpoints().first()->components();
    return components ? &*components : nullptr;
}

} // namespace

class TestOfficialCases : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void everyCaseLoadsCleanly();
    void minimumInformation();
    void maximumInformation();
    void snippetsAndDocuments();
    void relatedTopicsAndAssignment();
    void extensionSchema();
    void cameras();
    void visibilityAndSelection();
};

void TestOfficialCases::init()
{
    BCFLIB_SKIP_WITHOUT_SHARED_DIR();
}

void TestOfficialCases::everyCaseLoadsCleanly()
{
    int cases = 0;
    QDirIterator it(BCFLibTest::sharedFile(QStringLiteral("testcases/2.1")), {QStringLiteral("*.bcf")}, QDir::Files,
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
    const Loaded loaded = loadCase(QStringLiteral("Markup/MinimumInformation"), QStringLiteral("9898DE65-C0CE-414B-857E-1DF97FFAED8D"));
    QCOMPARE(loaded.model->topics().size(), 1);
    QVERIFY(loaded.topic);
    QCOMPARE(loaded.topic->guid(), QStringLiteral("9898DE65-C0CE-414B-857E-1DF97FFAED8D"));
    QCOMPARE(loaded.topic->title(), QStringLiteral("Minimum information BCFZip topic."));
    QCOMPARE(loaded.topic->creationDate(), QDateTime(QDate(2015, 7, 15), QTime(13, 12, 42), Qt::UTC));
    QCOMPARE(loaded.topic->creationDate().timeSpec(), Qt::UTC);
    QCOMPARE(loaded.topic->creationAuthor(), QStringLiteral("Developer@example.com"));
    QCOMPARE(loaded.topic->index(), -1);
    QVERIFY(!loaded.model->project());

    const QVariantMap record = loaded.topic->toQVariant().toMap();
    QCOMPARE(record.value(Keys::CreationDate).toString(), QStringLiteral("2015-07-15T13:12:42Z"));
    QVERIFY(!record.contains(Keys::Index));
    QVERIFY(!record.contains(Keys::BimSnippet));
    QVERIFY(record.value(Keys::Comments).toList().isEmpty());
}

void TestOfficialCases::maximumInformation()
{
    const QString name = QStringLiteral("Markup/MaximumInformation");
    const Loaded loaded = loadCase(name, QStringLiteral("63E78882-7C6A-4BF7-8982-FC478AFB9C97"));
    QCOMPARE(loaded.model->topics().size(), 2);
    Topic* topic = loaded.topic;
    QVERIFY(topic);
    QCOMPARE(topic->title(), QStringLiteral("Maximum Content"));
    Topic* referenced = loaded.model->topic(QStringLiteral("5019D939-62A4-45D9-B205-FAB602C98FE8"));
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

    // Header file
    QCOMPARE(topic->files().size(), 1);
    const File* file = topic->files().first();
    QCOMPARE(file->ifcProject(), QStringLiteral("0M6o7Znnv7hxsbWgeu7oQq"));
    QCOMPARE(file->ifcSpatialStructureElement(), QStringLiteral("23B$bNeGHFQuMYJzvUX0FD"));
    QVERIFY(!file->isExternal());
    QCOMPARE(file->fileName(), QStringLiteral("IfcPile_01.ifc"));
    QCOMPARE(file->reference(), QStringLiteral("../IfcPile_01.ifc"));
    QCOMPARE(file->date(), QDateTime(QDate(2014, 10, 27), QTime(16, 27, 27), Qt::UTC));
    // The IFC file at the archive's root is part of the document and is carried with the file.
    QCOMPARE(file->fileData().size(), 796229);
    QVERIFY(file->fileData().startsWith("ISO-10303-21;"));

    // Snippet with its internal file
    QVERIFY(topic->bimSnippet());
    QCOMPARE(topic->bimSnippet()->snippetType(), QStringLiteral("JSON"));
    QVERIFY(!topic->bimSnippet()->isExternal());
    QCOMPARE(topic->bimSnippet()->reference(), QStringLiteral("JsonElement.json"));
    QCOMPARE(topic->bimSnippet()->referenceSchema(), QStringLiteral("http://json-schema.org"));
    QCOMPARE(topic->bimSnippet()->snippetData(), entry(name, QStringLiteral("63E78882-7C6A-4BF7-8982-FC478AFB9C97/JsonElement.json")));

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
    QCOMPARE(internal->documentData(), entry(name, QStringLiteral("markup.xsd")));
    QVERIFY(!internal->documentData().isEmpty());

    QCOMPARE(topic->relatedTopics().size(), 1);
    QCOMPARE(topic->relatedTopics().first()->guid(), referenced->guid());

    // Comments
    QCOMPARE(topic->comments().size(), 4);
    const Comment* first = topic->comment(QStringLiteral("780fae52-c432-42be-adea-ff3e7a8cd8e1"));
    QVERIFY(first);
    QCOMPARE(first->author(), QStringLiteral("dangl@iabi.eu"));
    QCOMPARE(first->date(), QDateTime(QDate(2015, 8, 31), QTime(12, 40, 17), Qt::UTC));
    QVERIFY(first->text().startsWith(QStringLiteral("This is an unmodified topic")));
    const Comment* withViewpoint = topic->comment(QStringLiteral("39C4B780-1B48-44E5-9802-D359007AA44E"));
    QCOMPARE(withViewpoint->viewpointGuid(), QStringLiteral("8dc86298-9737-40b4-a448-98a9e953293a"));
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

    // The records carry all of it.
    const QVariantMap record = topic->toQVariant().toMap();
    QCOMPARE(record.value(Keys::Labels).toStringList().size(), 2);
    QCOMPARE(record.value(Keys::Index).toInt(), 0);
    QCOMPARE(record.value(Keys::ModifiedDate).toString(), QStringLiteral("2015-06-21T14:22:47Z"));
    QCOMPARE(QByteArray::fromBase64(record.value(Keys::BimSnippet).toMap().value(Keys::SnippetData).toByteArray()),
             topic->bimSnippet()->snippetData());
    const QVariantMap documentRecord = record.value(Keys::DocumentReferences).toList().at(1).toMap();
    QCOMPARE(QByteArray::fromBase64(documentRecord.value(Keys::DocumentData).toByteArray()), internal->documentData());
    QCOMPARE(record.value(Keys::Files).toList().first().toMap().value(Keys::IfcProject).toString(), QStringLiteral("0M6o7Znnv7hxsbWgeu7oQq"));
    const QVariantMap viewpointRecord = record.value(Keys::Viewpoints).toList().first().toMap();
    QCOMPARE(viewpointRecord.value(Keys::Components).toMap().value(Keys::Selection).toList().size(), 5);
    QCOMPARE(viewpointRecord.value(Keys::ClippingPlanes).toList().size(), 2);
    QCOMPARE(viewpointRecord.value(Keys::SnapshotFile).toString(), QStringLiteral("Snapshot_%1.png").arg(guids.first()));
    QCOMPARE(record.value(Keys::Comments).toList().at(3).toMap().value(Keys::ModifiedAuthor).toString(), QStringLiteral("dangl@iabi.eu"));

    // Project and its extension schema
    QVERIFY(loaded.model->project());
    QCOMPARE(loaded.model->project()->guid(), QStringLiteral("F338B6F0-A93E-40FF-A4D6-6117CD21EC2A"));
    QCOMPARE(loaded.model->project()->name(), QStringLiteral("BCF API Implementation"));
    QCOMPARE(loaded.model->project()->extensionSchema(), QStringLiteral("extensions.xsd"));
    QCOMPARE(loaded.model->extensionSchemaData(), entry(name, QStringLiteral("extensions.xsd")));
    QCOMPARE(loaded.model->project()->toQVariant().toMap().value(Keys::ProjectId).toString(),
             QStringLiteral("F338B6F0-A93E-40FF-A4D6-6117CD21EC2A"));
}

void TestOfficialCases::snippetsAndDocuments()
{
    Loaded loaded = loadCase(QStringLiteral("Markup/InternalBIMSnippet"), QStringLiteral("84d4a28c-0638-4813-aa4b-bcd62fe5fc93"));
    QVERIFY(loaded.topic && loaded.topic->bimSnippet());
    QCOMPARE(loaded.topic->bimSnippet()->reference(), QStringLiteral("JsonElement.json"));
    QVERIFY(!loaded.topic->bimSnippet()->isExternal());
    QCOMPARE(loaded.topic->bimSnippet()->snippetData(),
             entry(QStringLiteral("Markup/InternalBIMSnippet"), QStringLiteral("84D4A28C-0638-4813-AA4B-BCD62FE5FC93/JsonElement.json")));
    QCOMPARE(loaded.topic->bimSnippet()->snippetData().size(), 83);

    loaded = loadCase(QStringLiteral("Markup/ExternalBIMSnippet"), QStringLiteral("c26df753-b8af-42f2-b7cf-81a70b49f362"));
    QVERIFY(loaded.topic && loaded.topic->bimSnippet());
    QVERIFY(loaded.topic->bimSnippet()->isExternal());
    QCOMPARE(loaded.topic->bimSnippet()->reference(), QStringLiteral("http://bimfiles.example.com/JsonElement.json"));
    QCOMPARE(loaded.topic->bimSnippet()->snippetType(), QStringLiteral("JSON"));
    QVERIFY(loaded.topic->bimSnippet()->snippetData().isEmpty());
    QCOMPARE(loaded.topic->toQVariant().toMap().value(Keys::BimSnippet).toMap().value(Keys::IsExternal).toBool(), true);

    loaded = loadCase(QStringLiteral("Markup/DocumentReferenceExternal"), QStringLiteral("1b66b5cb-18b4-4edd-a700-d02c3a673710"));
    QVERIFY(loaded.topic);
    QCOMPARE(loaded.topic->documentReferences().size(), 1);
    QVERIFY(loaded.topic->documentReferences().first()->isExternal());
    QCOMPARE(loaded.topic->documentReferences().first()->referencedDocument(),
             QStringLiteral("http://www.buildingsmart-tech.org/specifications/bcf-releases/bcfxml-v1/markup.xsd/at_download/file"));
    QCOMPARE(loaded.topic->documentReferences().first()->description(), QStringLiteral("BCFv1 Markup Schema"));

    loaded = loadCase(QStringLiteral("Markup/PDFFile"), QStringLiteral("8e46d831-4603-4bd1-ae0c-d1817ca50bf0"));
    QVERIFY(loaded.topic);
    QCOMPARE(loaded.topic->documentReferences().size(), 1);
    const DocumentReference* pdf = loaded.topic->documentReferences().first();
    QVERIFY(!pdf->isExternal());
    QCOMPARE(pdf->referencedDocument(), QStringLiteral("../Requirements.pdf"));
    QCOMPARE(pdf->description(), QStringLiteral("Project requirements (pdf)"));
    QCOMPARE(pdf->documentData().size(), 195562);
    QVERIFY(pdf->documentData().startsWith("%PDF"));
}

void TestOfficialCases::relatedTopicsAndAssignment()
{
    Loaded loaded = loadCase(QStringLiteral("Markup/RelatedTopicsWithBothTopicsInTheSameFile"), QStringLiteral("a6f801b9-6bf6-4cb9-8b89-1ae24b76074a"));
    QCOMPARE(loaded.model->topics().size(), 2);
    QVERIFY(loaded.topic);
    QCOMPARE(loaded.topic->relatedTopics().size(), 1);
    QVERIFY(loaded.model->topic(loaded.topic->relatedTopics().first()->guid()));
    // BCF 2.0 comment elements in a 2.1 file are kept.
    const Comment* comment = loaded.topic->comment(QStringLiteral("7269cc66-6412-49ef-9ef2-7a116f98c866"));
    QVERIFY(comment);
    QCOMPARE(comment->status(), QStringLiteral("Error"));
    QCOMPARE(comment->verbalStatus(), QStringLiteral("Open"));
    QCOMPARE(comment->date(), QDateTime(QDate(2017, 5, 22), QTime(12, 12, 15, 621), Qt::UTC));
    QCOMPARE(comment->toQVariant().toMap().value(Keys::Status).toString(), QStringLiteral("Error"));

    loaded = loadCase(QStringLiteral("Markup/RelatedTopicsWithTheOtherTopicMissing"), QStringLiteral("a6f801b9-6bf6-4cb9-8b89-1ae24b76074a"));
    QCOMPARE(loaded.model->topics().size(), 1);
    QVERIFY(loaded.topic);
    QCOMPARE(loaded.topic->relatedTopics().size(), 1);
    QCOMPARE(loaded.topic->relatedTopics().first()->guid(), QStringLiteral("c69c8879-bd4a-4182-a759-f3c8c5b47c94"));
    QVERIFY(!loaded.model->topic(QStringLiteral("c69c8879-bd4a-4182-a759-f3c8c5b47c94")));
    QCOMPARE(loaded.topic->toQVariant().toMap().value(Keys::RelatedTopics).toStringList(),
             QStringList{QStringLiteral("c69c8879-bd4a-4182-a759-f3c8c5b47c94")});

    loaded = loadCase(QStringLiteral("Markup/UserAssignment"), QStringLiteral("12628303-e7a2-4c5c-bc3c-fb088fd24077"));
    QVERIFY(loaded.topic);
    QCOMPARE(loaded.topic->assignedTo(), QStringLiteral("jon.anders.sollien@catenda.no"));
    QCOMPARE(loaded.topic->toQVariant().toMap().value(Keys::AssignedTo).toString(), QStringLiteral("jon.anders.sollien@catenda.no"));
    QVERIFY(loaded.model->project());
    QCOMPARE(loaded.model->project()->name(), QStringLiteral("My project"));
}

void TestOfficialCases::extensionSchema()
{
    const QString name = QStringLiteral("Project/ExtensionSchema");
    const Loaded loaded = loadCase(name, QStringLiteral("844496EA-0E0A-4071-A3EA-6EDF97458734"));
    QCOMPARE(loaded.model->topics().size(), 1);
    QVERIFY(loaded.topic);
    QVERIFY(!loaded.model->project()); // project.bcfp holds no Project element
    QCOMPARE(loaded.model->extensionSchema(), QStringLiteral("extensions.xsd"));
    QCOMPARE(loaded.model->extensionSchemaData(), entry(name, QStringLiteral("extensions.xsd")));
    QVERIFY(loaded.model->extensionSchemaData().contains("redefine"));
}

void TestOfficialCases::cameras()
{
    Loaded loaded = loadCase(QStringLiteral("Visualization/OrthogonalCamera"), QStringLiteral("97881cb2-6462-4161-8d57-3d179b280755"));
    QVERIFY(loaded.topic);
    QCOMPARE(loaded.topic->viewpoints().size(), 1);
    const Viewpoint* orthogonal = loaded.topic->viewpoints().first();
    QCOMPARE(orthogonal->guid(), QStringLiteral("524faed0-0d90-46cc-846d-369ffe02a8f7"));
    QVERIFY(orthogonal->orthogonalCamera());
    QVERIFY(!orthogonal->perspectiveCamera());
    QCOMPARE(orthogonal->orthogonalCamera()->viewPoint, osg::Vec3d(0, 0, 100));
    QCOMPARE(orthogonal->orthogonalCamera()->direction, osg::Vec3d(0, 0, -1));
    QCOMPARE(orthogonal->orthogonalCamera()->upVector, osg::Vec3d(0, 1, 0));
    QCOMPARE(orthogonal->orthogonalCamera()->viewToWorldScale, 1.0);
    const QVariantMap camera = orthogonal->toQVariant().toMap().value(Keys::OrthogonalCamera).toMap();
    QCOMPARE(camera.value(Keys::CameraViewPoint).toMap().value(Keys::Z).toDouble(), 100.0);
    QCOMPARE(camera.value(Keys::ViewToWorldScale).toDouble(), 1.0);

    loaded = loadCase(QStringLiteral("Visualization/PerspectiveCamera"), QStringLiteral("3153ceb9-0d9b-4f89-9670-dc95768836af"));
    QVERIFY(loaded.topic);
    QCOMPARE(loaded.topic->viewpoints().size(), 1);
    const Viewpoint* perspective = loaded.topic->viewpoints().first();
    QVERIFY(perspective->perspectiveCamera());
    QVERIFY(!perspective->orthogonalCamera());
    QCOMPARE(perspective->perspectiveCamera()->viewPoint, osg::Vec3d(19.1479514688529, -22.614447888675, 18.3473354318386));
    QCOMPARE(perspective->perspectiveCamera()->direction, osg::Vec3d(-0.548840699373907, 0.560081664635821, -0.620550099642406));
    QCOMPARE(perspective->perspectiveCamera()->upVector, osg::Vec3d(-0.0698737081383148, 0.0713048104294571, 0.995004165278026));
    QCOMPARE(perspective->perspectiveCamera()->fieldOfView, 60.0);
    QCOMPARE(perspective->toQVariant().toMap().value(Keys::PerspectiveCamera).toMap().value(Keys::FieldOfView).toDouble(), 60.0);
}

void TestOfficialCases::visibilityAndSelection()
{
    // Three selected components, everything else as by default.
    Loaded loaded = loadCase(QStringLiteral("Visualization/ComponentSelection"), QStringLiteral("42929e02-f00f-4db8-918e-0fbbc64a45d3"));
    const ComponentSet* set = onlyComponents(loaded);
    QVERIFY(set);
    QCOMPARE(ifcGuids(set->selection), (QStringList{"1GU8BMEqHBQxVAbwRD$4Jj", "0AQJSsoeDDvwVqSNcwjy55", "3DOu_tSXP6evQgY8Ml4CtC"}));
    QCOMPARE(set->defaultVisibility, std::optional<bool>(true));
    QVERIFY(set->exceptions.isEmpty());
    QCOMPARE(set->viewSetupHints->openingsVisible, std::optional<bool>(true));
    QCOMPARE(loaded.topic->viewpoints().first()->componentsToQVariant().value(Keys::Selection).toList().size(), 3);

    // All components and spaces visible.
    loaded = loadCase(QStringLiteral("Visualization/AllComponentsAndSpacesVisible"), QStringLiteral("2c02d25f-6cb7-4c14-8737-9c340699d351"));
    set = onlyComponents(loaded);
    QVERIFY(set);
    QCOMPARE(set->defaultVisibility, std::optional<bool>(true));
    QVERIFY(set->exceptions.isEmpty());
    QVERIFY(set->selection.isEmpty());
    QCOMPARE(set->viewSetupHints->spacesVisible, std::optional<bool>(true));

    // Single invisible wall: nothing selected, one hidden wall, the rest visible.
    loaded = loadCase(QStringLiteral("Visualization/SingleInvisibleWall"), QStringLiteral("e1fff3a6-db0f-48e8-a240-0e2f38b2fc21"));
    set = onlyComponents(loaded);
    QVERIFY(set);
    QVERIFY(set->selection.isEmpty());
    QCOMPARE(set->defaultVisibility, std::optional<bool>(true));
    QCOMPARE(ifcGuids(set->exceptions), QStringList{QStringLiteral("1E8YkwPMfB$h99jtn_uAjI")});
    QCOMPARE(set->exceptions.first().originatingSystem, QStringLiteral("https://bimsync.com"));
    // Viewpoint referenced from a comment too.
    QCOMPARE(loaded.topic->comment(QStringLiteral("5d1463e3-c6b1-4867-9b32-046461e81bb5"))->viewpointGuid(),
             loaded.topic->viewpoints().first()->guid());

    // Single visible wall: only that wall visible.
    loaded = loadCase(QStringLiteral("Visualization/SingleVisibleWall"), QStringLiteral("d029895e-2bdc-4f48-8bf4-8e540425f238"));
    set = onlyComponents(loaded);
    QVERIFY(set);
    QVERIFY(set->selection.isEmpty());
    QCOMPARE(set->defaultVisibility, std::optional<bool>(false));
    QCOMPARE(ifcGuids(set->exceptions), QStringList{QStringLiteral("1E8YkwPMfB$h99jtn_uAjI")});

    // Single visible space, written with BCF 2.0 components: only that space visible.
    loaded = loadCase(QStringLiteral("Visualization/SingleVisibleSpace"), QStringLiteral("a3befb7d-8395-4e52-bbca-382fc4198217"));
    set = onlyComponents(loaded);
    QVERIFY(set);
    QVERIFY(set->selection.isEmpty());
    QCOMPARE(set->defaultVisibility, std::optional<bool>(false));
    QCOMPARE(ifcGuids(set->exceptions), QStringList{QStringLiteral("1bbI761TbBCOoIa5Kt6PXt")});

    // All parts of the curtain wall visible (the wall's guid, everything else hidden).
    loaded = loadCase(QStringLiteral("Visualization/AllPartsOfCurtainWallVisible"), QStringLiteral("ee9a9498-698b-44ed-8ece-b3ae3b480a90"));
    set = onlyComponents(loaded);
    QVERIFY(set);
    QCOMPARE(set->defaultVisibility, std::optional<bool>(false));
    QCOMPARE(ifcGuids(set->exceptions), QStringList{QStringLiteral("2_hQ1Rixj6lgHTra$L72O4")});
    QCOMPARE(set->exceptions.first().originatingSystem, QStringLiteral("Allplan"));

    // All parts but one visible: the hidden plate is not among the visible exceptions.
    loaded = loadCase(QStringLiteral("Visualization/AllPartsOfDecomposedObjectExceptOneVisible"), QStringLiteral("28942812-8783-4d92-9c54-8a8f31937975"));
    set = onlyComponents(loaded);
    QVERIFY(set);
    QCOMPARE(set->defaultVisibility, std::optional<bool>(false));
    QVERIFY(set->exceptions.size() > 10);
    QVERIFY(!ifcGuids(set->exceptions).contains(QStringLiteral("14rw$C3xD3ZeUJL3YaqCEK")));
    QVERIFY(ifcGuids(set->exceptions).contains(QStringLiteral("32HeOfyn55zOiSkf6rlfHs")));

    // One part visible: only the plate.
    loaded = loadCase(QStringLiteral("Visualization/OnePartOfDecomposedObjectVisible"), QStringLiteral("3146b55f-ac72-4490-bb06-60cc254b3d8e"));
    set = onlyComponents(loaded);
    QVERIFY(set);
    QCOMPARE(set->defaultVisibility, std::optional<bool>(false));
    QCOMPARE(ifcGuids(set->exceptions), QStringList{QStringLiteral("32HeOfyn55zOiSkf6rlfHs")});
}

BCFLIB_TEST_MAIN(TestOfficialCases)
#include "tst_officialcases.moc"
