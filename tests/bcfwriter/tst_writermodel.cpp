// The writer on models built in code: the layout of the archive, storage methods, schema
// validity, identifiers that are not UUIDs, defaults for missing required values, values the
// schemas restrict, unsafe references, and Zip64.

#include "WriterTestSupport.h"

#include "BCFTestSupport/ModelRecords.h"
#include "BCFTestSupport/TestMain.h"

#include "BCFLib/BCFArchiveWriter.h"
#include "BCFLib/BimSnippet.h"
#include "BCFLib/Comment.h"
#include "BCFLib/DocumentReference.h"
#include "BCFLib/File.h"
#include "BCFLib/Project.h"
#include "BCFLib/RecordKeys.h"
#include "BCFLib/RelatedTopic.h"
#include "BCFLib/Topic.h"
#include "BCFLib/Viewpoint.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QUuid>
#include <cmath>

using namespace WriterTest;
using namespace BCFTest;
using namespace BCFLib;

namespace {

// Bytes that start like an image of that format, size bytes long, varied so that they compress little.
QByteArray image(const QByteArray& signature, int size, char fill)
{
    QByteArray bytes = signature;
    for (int i = 0; bytes.size() < size; ++i)
        bytes.append(char(fill + (i * 31) % 97));
    return bytes;
}

QByteArray png(int size = 2000, char fill = 'p')
{
    return image(QByteArray("\x89PNG\r\n\x1a\n", 8), size, fill);
}

QByteArray jpeg(int size = 2000, char fill = 'j')
{
    return image(QByteArray("\xff\xd8\xff\xe0", 4), size, fill);
}

QDateTime date(int year, int month, int day, int offsetMinutes = 0)
{
    return QDateTime(QDate(year, month, day), QTime(10, 20, 30), Qt::OffsetFromUTC, offsetMinutes * 60);
}

Component component(const QString& ifcGuid, const QString& toolId = QString())
{
    Component c;
    c.ifcGuid = ifcGuid;
    c.originatingSystem = QStringLiteral("Tool");
    c.authoringToolId = toolId;
    return c;
}

QString uuid()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces);
}

// A model that uses every part of the format.
QSharedPointer<BCFModel> fullModel()
{
    QSharedPointer<BCFModel> model = BCFModel::Create();
    model->addProject(QStringLiteral("project-7"))->setName(QStringLiteral("Bürogebäude Nord"));
    model->setExtensionSchema(QStringLiteral("extensions.xsd"));
    model->setExtensionSchemaData("<?xml version=\"1.0\"?><xs:schema xmlns:xs=\"http://www.w3.org/2001/XMLSchema\"/>");

    Topic* first = model->addTopic(QStringLiteral("Wall too thin"), QStringLiteral("anna@example.com"),
                                   date(2024, 3, 1, 120));
    Topic* second = model->addTopic(QStringLiteral("Door missing"), QStringLiteral("ben@example.com"),
                                    date(2024, 3, 2));

    first->setModifiedDate(date(2024, 3, 5, -300));
    first->setModifiedAuthor(QStringLiteral("carl@example.com"));
    first->setTopicType(QStringLiteral("Issue"));
    first->setTopicStatus(QStringLiteral("Open"));
    first->setPriority(QStringLiteral("High"));
    first->setIndex(3);
    first->setLabels({QStringLiteral("Structure"), QStringLiteral("Architecture")});
    first->setAssignedTo(QStringLiteral("dora@example.com"));
    first->setStage(QStringLiteral("Design"));
    first->setDueDate(date(2024, 6, 30));
    first->setDescription(QStringLiteral("Line one\r\nline two <&> \"quoted\" 'single'  "));
    first->setReferenceLinks({QStringLiteral("https://example.com/a"), QStringLiteral("https://example.com/b")});

    File* file = first->addFile();
    file->setIfcProject(QStringLiteral("0M6o7Znnv7hxsbWgeu7oQq"));
    file->setIfcSpatialStructureElement(QStringLiteral("23B$bNeGHFQuMYJzvUX0FD"));
    file->setIsExternal(true);
    file->setFileName(QStringLiteral("model.ifc"));
    file->setDate(date(2023, 12, 24));
    file->setReference(QStringLiteral("https://example.com/model.ifc"));

    File* internalModel = first->addFile();
    internalModel->setIsExternal(false);
    internalModel->setFileName(QStringLiteral("house.ifc"));
    internalModel->setReference(QStringLiteral("../house.ifc"));
    internalModel->setFileData("ISO-10303-21;\nHEADER;\nENDSEC;\nDATA;\nENDSEC;\nEND-ISO-10303-21;\n");

    BimSnippet* snippet = first->addBimSnippet();
    snippet->setSnippetType(QStringLiteral("IfcWall"));
    snippet->setIsExternal(false);
    snippet->setReference(QStringLiteral("snippet.ifc"));
    snippet->setReferenceSchema(QStringLiteral("http://www.buildingsmart-tech.org/ifc/IFC2x3/TC1/IFC2X3_TC1.xsd"));
    snippet->setSnippetData("ISO-10303-21;\nDATA;\nENDSEC;\n");

    const QByteArray pdf = "%PDF-1.4 shared requirements";
    DocumentReference* internal = first->addDocumentReference(uuid());
    internal->setIsExternal(false);
    internal->setReferencedDocument(QStringLiteral("../Documents/requirements.pdf"));
    internal->setDescription(QStringLiteral("Requirements"));
    internal->setDocumentData(pdf);
    DocumentReference* external = first->addDocumentReference();
    external->setIsExternal(true);
    external->setReferencedDocument(QStringLiteral("https://example.com/spec"));
    DocumentReference* shared = second->addDocumentReference();
    shared->setReferencedDocument(QStringLiteral("../Documents/requirements.pdf"));
    shared->setDocumentData(pdf);
    DocumentReference* nonAscii = second->addDocumentReference();
    nonAscii->setReferencedDocument(QStringLiteral("../Documents/Pläne – Übersicht.pdf"));
    nonAscii->setDocumentData("%PDF-1.4 plans");

    first->addRelatedTopic(second->guid());
    second->addRelatedTopic(first->guid());

    Viewpoint* orthogonal = first->addViewpoint();
    ComponentSet set;
    ViewSetupHints hints;
    hints.spacesVisible = false;
    hints.openingsVisible = true;
    set.viewSetupHints = hints;
    set.selection = {component(QStringLiteral("1jQQiGIAnFzxOUzrdmJYDS"), QStringLiteral("42"))};
    set.defaultVisibility = false;
    set.exceptions = {component(QStringLiteral("0Gl71cVurFn8bxAOox6M4X")), component(QStringLiteral("3DvyPxGIn8qR0KDwbL_9r1"))};
    set.coloring = {ComponentColoring{QStringLiteral("FF00FF80"), {component(QStringLiteral("0fdpeZZEX3FwJ7x0ox5kzF"))}}};
    orthogonal->setComponents(set);
    OrthogonalCamera camera;
    camera.viewPoint = osg::Vec3d(1.5, -2.25, 1e-7);
    camera.direction = osg::Vec3d(0, 0, -1);
    camera.upVector = osg::Vec3d(0, 1, 0);
    camera.viewToWorldScale = 12.345678901234567;
    orthogonal->setOrthogonalCamera(camera);
    orthogonal->setLines({Line{osg::Vec3d(0, 0, 0), osg::Vec3d(1, 2, 3)}});
    orthogonal->setClippingPlanes({ClippingPlane{osg::Vec3d(0.1, 0.2, 0.3), osg::Vec3d(0, 0, 1)}});
    Bitmap bitmap;
    bitmap.guid = uuid();
    bitmap.format = QStringLiteral("PNG");
    bitmap.reference = QStringLiteral("marker.png");
    bitmap.location = osg::Vec3d(1, 1, 1);
    bitmap.normal = osg::Vec3d(0, 0, 1);
    bitmap.up = osg::Vec3d(0, 1, 0);
    bitmap.height = 0.5;
    bitmap.data = png(500, 'b');
    orthogonal->setBitmaps({bitmap});
    orthogonal->setIndex(0);
    QByteArray firstSnapshot = jpeg(5000);
    first->addSnapshot(orthogonal->guid(), &firstSnapshot);

    Viewpoint* perspective = first->addViewpoint();
    PerspectiveCamera eye;
    eye.viewPoint = osg::Vec3d(10, 20, 30);
    eye.direction = osg::Vec3d(-0.5773502691896258, -0.5773502691896258, -0.5773502691896258);
    eye.upVector = osg::Vec3d(0, 0, 1);
    eye.fieldOfView = 55.5;
    perspective->setPerspectiveCamera(eye);
    perspective->setIndex(1);
    QByteArray secondSnapshot = png(7000);
    first->addSnapshot(perspective->guid(), &secondSnapshot);

    Comment* comment = first->addComment();
    comment->setDate(date(2024, 3, 3, 60));
    comment->setAuthor(QStringLiteral("anna@example.com"));
    comment->setText(QStringLiteral("See the second view.\nÜmlaut ✓ 𝄞"));
    comment->setViewpointGuid(perspective->guid());
    comment->setModifiedDate(date(2024, 3, 4));
    comment->setModifiedAuthor(QStringLiteral("ben@example.com"));
    Comment* plain = second->addComment();
    plain->setDate(date(2024, 3, 6));
    plain->setAuthor(QStringLiteral("ben@example.com"));
    plain->setText(QStringLiteral("Plain"));

    second->addViewpoint(); // no visualization content, no snapshot
    return model;
}

bool firstEntryHasZip64Field(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray header = file.read(4096);
    if (header.size() < 30 || !header.startsWith(QByteArray("PK\x03\x04", 4)))
        return false;
    const auto u16 = [&](int at) { return int(uchar(header.at(at))) | (int(uchar(header.at(at + 1))) << 8); };
    const int extraStart = 30 + u16(26);
    const int extraEnd = extraStart + u16(28);
    for (int at = extraStart; at + 4 <= extraEnd && at + 4 <= header.size(); at += 4 + u16(at + 2)) {
        if (u16(at) == 0x0001)
            return true;
    }
    return false;
}

} // namespace

class TestWriterModel : public QObject
{
    Q_OBJECT

private slots:
    void writesEveryPartLosslessly(); // and Zip64 when asked
    void mapsIdentifiersThatAreNotUuids();
    void writesDefaultsAndRestrictedValuesValidly();
    void keepsEntryNamesSafeAndDistinct();

private:
    QTemporaryDir m_dir;
};

void TestWriterModel::writesEveryPartLosslessly()
{
    const QSharedPointer<BCFModel> model = fullModel();
    const QString path = m_dir.filePath(QStringLiteral("full.bcfzip"));
    const QSharedPointer<BCFModel> reloaded = writeValidated(*model, path);
    QVERIFY(reloaded);

    const Topic* first = model->topics().at(0);
    const Topic* second = model->topics().at(1);
    const QString a = first->guid() + QLatin1Char('/');
    const QString b = second->guid() + QLatin1Char('/');
    const QString secondView = first->viewpoints().at(1)->guid();
    const QStringList expectedNames{
        QStringLiteral("bcf.version"), QStringLiteral("project.bcfp"), QStringLiteral("extensions.xsd"),
        a, a + QStringLiteral("markup.bcf"), a + QStringLiteral("viewpoint.bcfv"), a + QStringLiteral("snapshot.jpg"),
        a + secondView + QStringLiteral(".bcfv"), a + secondView + QStringLiteral(".png"),
        a + QStringLiteral("marker.png"), a + QStringLiteral("snippet.ifc"), QStringLiteral("house.ifc"),
        QStringLiteral("Documents/requirements.pdf"),
        b, b + QStringLiteral("markup.bcf"), b + QStringLiteral("viewpoint.bcfv"),
        QStringLiteral("Documents/Pläne – Übersicht.pdf")};
    const ArchiveContent content = readArchive(path);
    QVERIFY(content.ok);
    QCOMPARE(content.names, expectedNames);

    // Images stored, everything else deflated.
    for (const QString& name : content.names) {
        const bool image = name.endsWith(QLatin1String(".jpg")) || name.endsWith(QLatin1String(".png"));
        if (!name.endsWith(QLatin1Char('/')))
            QVERIFY2(content.entries.value(name).method == (image ? 0 : 8), qPrintable(name));
    }
    QCOMPARE(content.entries.value(a + QStringLiteral("snapshot.jpg")).data, *first->snapshot(first->viewpoints().at(0)->guid()));
    QCOMPARE(content.entries.value(QStringLiteral("house.ifc")).data, first->files().at(1)->fileData());

    // Everything comes back, dates as the same instants, zones kept.
    const QString difference = compareRecords(modelRecord(*model, RecordForm::WithoutFileNames),
                                              modelRecord(*reloaded, RecordForm::WithoutFileNames));
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
    QCOMPARE(reloaded->topics().at(0)->modifiedDate().offsetFromUtc(), -300 * 60);
    QCOMPARE(reloaded->topics().at(0)->viewpoints().at(0)->snapshotFile(), QStringLiteral("snapshot.jpg"));

    // Writing the same model twice gives the same entries (names and content).
    const QString again = m_dir.filePath(QStringLiteral("again.bcfzip"));
    QVERIFY(model->serialize(again));
    const ArchiveContent twice = readArchive(again);
    QCOMPARE(twice.names, content.names);
    for (const QString& name : content.names)
        QCOMPARE(twice.entries.value(name).data, content.entries.value(name).data);

    // Zip64 when asked: the entries carry the Zip64 extended information field (id 1) in their
    // local header, other tools accept the archive, and it reads back the same.
    const QString zip64Path = m_dir.filePath(QStringLiteral("zip64.bcfzip"));
    BCFArchiveWriter zip64Writer(*model);
    zip64Writer.setZip64Mode(BCFArchiveWriter::Zip64Mode::Always);
    QVERIFY2(zip64Writer.write(zip64Path), qPrintable(zip64Writer.errorString()));
    QVERIFY(!firstEntryHasZip64Field(path));
    QVERIFY(firstEntryHasZip64Field(zip64Path));
    const QString zip64Difference = compareRecords(modelRecord(*model, RecordForm::WithoutFileNames),
                                                   modelRecord(*loadAsViewer(zip64Path), RecordForm::WithoutFileNames));
    QVERIFY2(zip64Difference.isEmpty(), qPrintable(zip64Difference));
    const QString unzip = QStandardPaths::findExecutable(QStringLiteral("unzip"));
    if (!unzip.isEmpty()) {
        QProcess process;
        process.start(unzip, {QStringLiteral("-tq"), zip64Path});
        QVERIFY(process.waitForFinished(30000));
        QVERIFY2(process.exitCode() == 0, process.readAll().constData());
    }
}

void TestWriterModel::mapsIdentifiersThatAreNotUuids()
{
    QSharedPointer<BCFModel> model = BCFModel::Create();
    Topic* plain = model->addTopic(QStringLiteral("plain id"), QStringLiteral("a"), date(2024, 1, 1), QStringLiteral("topic-1"));
    Topic* braced = model->addTopic(QStringLiteral("braced"), QStringLiteral("a"), date(2024, 1, 1),
                                    QStringLiteral("{6F9619FF-8B86-D011-B42D-00C04FC964FF}"));
    // The same UUID as the braced one once the braces are gone: it must get a folder of its own.
    model->addTopic(QStringLiteral("twin"), QStringLiteral("a"), date(2024, 1, 1),
                                  QStringLiteral("6f9619ff-8b86-d011-b42d-00c04fc964ff"));
    Viewpoint* viewpoint = plain->addViewpoint(QStringLiteral("vp_a"));
    plain->addViewpoint(QStringLiteral("viewpoint")); // would be "viewpoint.bcfv" if names came from ids
    Comment* comment = plain->addComment(QStringLiteral("c1"));
    comment->setDate(date(2024, 1, 2));
    comment->setViewpointGuid(QStringLiteral("VP_A")); // identifiers are compared case-insensitively
    plain->addDocumentReference(QStringLiteral("doc"))->setReferencedDocument(QStringLiteral("https://example.com"));
    braced->addRelatedTopic(QStringLiteral("topic-1"));
    braced->addRelatedTopic(QStringLiteral("outside-this-document"));
    QByteArray snapshot = png();
    plain->addSnapshot(viewpoint->guid(), &snapshot);

    const QSharedPointer<BCFModel> reloaded = writeValidated(*model, m_dir.filePath(QStringLiteral("ids.bcfzip")));
    QVERIFY(reloaded);
    QCOMPARE(reloaded->topicCount(), 3);
    const Topic* plainBack = reloaded->topics().at(0);
    const Topic* bracedBack = reloaded->topics().at(1);
    const Topic* twinBack = reloaded->topics().at(2);
    QCOMPARE(plainBack->title(), QStringLiteral("plain id"));
    QCOMPARE(twinBack->title(), QStringLiteral("twin"));

    // A UUID keeps its text, without braces; anything else becomes a lower-case name-based UUID.
    QCOMPARE(bracedBack->guid(), QStringLiteral("6F9619FF-8B86-D011-B42D-00C04FC964FF"));
    const QRegularExpression nameBased(QStringLiteral("^[0-9a-f]{8}-[0-9a-f]{4}-5[0-9a-f]{3}-[89ab][0-9a-f]{3}-[0-9a-f]{12}$"));
    QVERIFY2(nameBased.match(plainBack->guid()).hasMatch(), qPrintable(plainBack->guid()));
    QVERIFY2(nameBased.match(twinBack->guid()).hasMatch(), qPrintable(twinBack->guid()));
    QVERIFY(twinBack->guid().compare(bracedBack->guid(), Qt::CaseInsensitive) != 0);

    // Every reference follows its item.
    QCOMPARE(plainBack->viewpoints().size(), 2);
    const Viewpoint* viewpointBack = plainBack->viewpoints().at(0);
    QVERIFY(nameBased.match(viewpointBack->guid()).hasMatch());
    QCOMPARE(plainBack->comments().at(0)->viewpointGuid(), viewpointBack->guid());
    QVERIFY(nameBased.match(plainBack->comments().at(0)->guid()).hasMatch());
    QVERIFY(nameBased.match(plainBack->documentReferences().at(0)->guid()).hasMatch());
    QCOMPARE(bracedBack->relatedTopics().size(), 2);
    QCOMPARE(bracedBack->relatedTopics().at(0)->guid(), plainBack->guid());
    QVERIFY(nameBased.match(bracedBack->relatedTopics().at(1)->guid()).hasMatch());
    QVERIFY(plainBack->snapshot(viewpointBack->guid()));
    QCOMPARE(*plainBack->snapshot(viewpointBack->guid()), snapshot);
    QCOMPARE(plainBack->viewpoints().at(1)->viewpointFile(), plainBack->viewpoints().at(1)->guid() + QStringLiteral(".bcfv"));

    // The mapping is the same on every save.
    const QString again = m_dir.filePath(QStringLiteral("ids-again.bcfzip"));
    QVERIFY(model->serialize(again));
    const QSharedPointer<BCFModel> reloadedAgain = loadAsViewer(again);
    for (int i = 0; i < 3; ++i)
        QCOMPARE(reloadedAgain->topics().at(i)->guid(), reloaded->topics().at(i)->guid());
    QCOMPARE(reloadedAgain->topics().at(0)->viewpoints().at(0)->guid(), viewpointBack->guid());
}

void TestWriterModel::writesDefaultsAndRestrictedValuesValidly()
{
    QSharedPointer<BCFModel> model = BCFModel::Create();
    // Required values missing: no creation date, empty title and author.
    Topic* topic = model->addTopic(QString(), QString(), QDateTime());
    topic->setModifiedDate(QDateTime(QDate(12000, 1, 1), QTime(0, 0), Qt::UTC)); // not writable: left out
    topic->setDueDate(QDateTime(QDate(2024, 5, 1), QTime(12, 0), Qt::OffsetFromUTC, 15 * 3600)); // beyond +14:00
    topic->setTitle(QStringLiteral("bad") + QChar(0x01) + QStringLiteral("chars") + QChar(0xFFFE) + QStringLiteral(" kept")
                    + QChar(0xD800) + QStringLiteral("end"));
    Comment* comment = topic->addComment();
    comment->setStatus(QStringLiteral("Open")); // BCF 2.0 field: not in a 2.1 markup
    comment->setVerbalStatus(QStringLiteral("Closed"));
    File* file = topic->addFile();
    file->setIfcProject(QStringLiteral("not an IFC guid"));
    file->setFileName(QStringLiteral("a.ifc"));
    topic->addBimSnippet(); // all empty
    topic->addRelatedTopic(QString());

    Viewpoint* wide = topic->addViewpoint();
    PerspectiveCamera camera;
    camera.fieldOfView = 90;
    wide->setPerspectiveCamera(camera);
    ComponentSet set; // no default visibility, but the schema wants a Visibility element
    set.selection = {component(QStringLiteral("too-short"), QStringLiteral("tool-7"))};
    set.coloring = {ComponentColoring{QStringLiteral("#3498db"), {component(QStringLiteral("0fdpeZZEX3FwJ7x0ox5kzF"))}},
                    ComponentColoring{QStringLiteral("red"), {component(QStringLiteral("1jQQiGIAnFzxOUzrdmJYDS"))}},
                    ComponentColoring{QStringLiteral("00FF00"), {}}};
    wide->setComponents(set);
    Bitmap bitmap;
    bitmap.format = QStringLiteral("jpeg");
    bitmap.reference = QStringLiteral("b.jpg");
    bitmap.data = jpeg(300);
    wide->setBitmaps({bitmap});
    QByteArray bmp = "BM not a png or jpeg";
    wide->setSnapshotFile(QStringLiteral("shot.bmp"));
    topic->addSnapshot(wide->guid(), &bmp);

    Viewpoint* narrow = topic->addViewpoint();
    camera.fieldOfView = 10;
    narrow->setPerspectiveCamera(camera);
    narrow->setSnapshotFile(QStringLiteral("looks-like.bcfv")); // a BCF suffix is not kept for an image
    QByteArray unknownImage = "unknown image format";
    topic->addSnapshot(narrow->guid(), &unknownImage);
    Viewpoint* unknown = topic->addViewpoint();
    camera.fieldOfView = std::nan("");
    unknown->setPerspectiveCamera(camera);

    const QSharedPointer<BCFModel> reloaded = writeValidated(*model, m_dir.filePath(QStringLiteral("defaults.bcfzip")));
    QVERIFY(reloaded);
    QCOMPARE(reloaded->topicCount(), 1);
    const Topic* back = reloaded->topics().at(0);
    // Default "missing date": 1970-01-01T00:00:00Z for the creation date and the comment date.
    const QDateTime epoch(QDate(1970, 1, 1), QTime(0, 0), Qt::UTC);
    QCOMPARE(back->creationDate(), epoch);
    QCOMPARE(back->comments().at(0)->date(), epoch);
    // Default "empty text" for title, author, comment text and snippet fields.
    QCOMPARE(back->creationAuthor(), QString());
    QCOMPARE(back->comments().at(0)->author(), QString());
    QVERIFY(back->bimSnippet());
    QCOMPARE(back->bimSnippet()->snippetType(), QString());
    // Characters XML cannot carry are dropped, the rest is kept.
    QCOMPARE(back->title(), QStringLiteral("badchars kept") + QStringLiteral("end"));
    // An unwritable optional date is left out; an offset beyond 14 hours is written in UTC.
    QVERIFY(!back->modifiedDate().isValid());
    QCOMPARE(back->dueDate(), topic->dueDate());
    QCOMPARE(back->dueDate().timeSpec(), Qt::UTC);
    // BCF 2.0 comment fields are not written.
    QCOMPARE(back->comments().at(0)->status(), QString());
    QCOMPARE(back->comments().at(0)->verbalStatus(), QString());
    // IFC guid attributes that are not IFC guids are left out, the rest of the item stays.
    QCOMPARE(back->files().at(0)->ifcProject(), QString());
    QCOMPARE(back->files().at(0)->fileName(), QStringLiteral("a.ifc"));
    // A related topic without a guid names nothing and is not written.
    QVERIFY(back->relatedTopics().isEmpty());
    // Field of view kept as read inside (0, 180); NaN written as 60.
    QCOMPARE(back->viewpoints().size(), 3);
    QCOMPARE(back->viewpoints().at(0)->perspectiveCamera()->fieldOfView, 90.0);
    QCOMPARE(back->viewpoints().at(1)->perspectiveCamera()->fieldOfView, 10.0);
    QCOMPARE(back->viewpoints().at(2)->perspectiveCamera()->fieldOfView, 60.0);
    // Colours in upper-case hex; an unreadable colour is left out; an empty colour group too.
    const ComponentSet& components = *back->viewpoints().at(0)->components();
    QCOMPARE(components.coloring.size(), 2);
    QCOMPARE(components.coloring.at(0).color, QStringLiteral("3498DB"));
    QCOMPARE(components.coloring.at(1).color, QString());
    QCOMPARE(components.coloring.at(1).components.at(0).ifcGuid, QStringLiteral("1jQQiGIAnFzxOUzrdmJYDS"));
    QCOMPARE(components.selection.at(0).ifcGuid, QString());
    QCOMPARE(components.selection.at(0).authoringToolId, QStringLiteral("tool-7"));
    QVERIFY(!components.defaultVisibility);
    // Bitmap format from its content; a snapshot of another format keeps its suffix.
    QCOMPARE(back->viewpoints().at(0)->bitmaps().at(0).format, QStringLiteral("JPG"));
    QCOMPARE(back->viewpoints().at(0)->bitmaps().at(0).data, bitmap.data);
    QCOMPARE(back->viewpoints().at(0)->snapshotFile(), QStringLiteral("snapshot.bmp"));
    QCOMPARE(*back->snapshot(back->viewpoints().at(0)->guid()), bmp);
    QCOMPARE(back->viewpoints().at(1)->snapshotFile(), back->viewpoints().at(1)->guid() + QStringLiteral(".png"));
    QCOMPARE(*back->snapshot(back->viewpoints().at(1)->guid()), unknownImage);
}

void TestWriterModel::keepsEntryNamesSafeAndDistinct()
{
    QSharedPointer<BCFModel> model = BCFModel::Create();
    model->addProject();
    model->setExtensionSchema(QStringLiteral("../../outside.xsd"));
    model->setExtensionSchemaData("<schema/>");
    Topic* victim = model->addTopic(QStringLiteral("victim"), QStringLiteral("a"), date(2024, 1, 1));
    Topic* topic = model->addTopic(QStringLiteral("attacker"), QStringLiteral("a"), date(2024, 1, 1));
    Viewpoint* viewpoint = topic->addViewpoint();
    // Plain identifiers that name the archive's own files: they must not become entry names.
    Topic* climbingTopic = model->addTopic(QStringLiteral("climbing"), QStringLiteral("a"), date(2024, 1, 1),
                                           QStringLiteral("bcf.version"));
    QVERIFY(climbingTopic);
    QByteArray climbingSnapshot = png(100, 'z');
    QVERIFY(climbingTopic->addViewpoint(QStringLiteral("x")));
    Viewpoint* markupNamed = climbingTopic->addViewpoint(QStringLiteral("markup.bcf"));
    QVERIFY(markupNamed);
    climbingTopic->addSnapshot(markupNamed->guid(), &climbingSnapshot);
    QVERIFY(model->addTopic(QStringLiteral("separator"), QStringLiteral("a"), date(2024, 1, 1), QStringLiteral("project.bcfp")));
    QByteArray snapshot = png();
    topic->addSnapshot(viewpoint->guid(), &snapshot);

    Bitmap climbing;
    climbing.reference = QStringLiteral("../../../etc/passwd");
    climbing.data = png(100, 'x');
    Bitmap onSnapshot;
    onSnapshot.reference = QStringLiteral("snapshot.png"); // the name of the first snapshot
    onSnapshot.data = png(100, 'y');
    viewpoint->setBitmaps({climbing, onSnapshot});

    BimSnippet* snippet = topic->addBimSnippet();
    snippet->setReference(QStringLiteral("viewpoint.bcfv")); // the name of the first viewpoint
    snippet->setSnippetData("snippet");
    const QList<QPair<QString, QByteArray>> documents{
        {QStringLiteral("../") + victim->guid() + QStringLiteral("/markup.bcf"), "overwrite the other markup"},
        {QStringLiteral("C:\\Users\\x\\report.pdf"), "drive letter"},
        {QStringLiteral("/etc/hosts"), "absolute"},
        {QStringLiteral("../bcf.version"), "the version file"},
        {QStringLiteral("sub/dir/../../notes.txt"), "dots inside"},
        {QStringLiteral("what?.txt"), "unsafe character"},
        {QStringLiteral("notes.txt"), "same name, other content"}};
    for (const auto& document : documents) {
        DocumentReference* reference = topic->addDocumentReference();
        reference->setReferencedDocument(document.first);
        reference->setDocumentData(document.second);
    }

    const QString path = m_dir.filePath(QStringLiteral("unsafe.bcfzip"));
    const QSharedPointer<BCFModel> reloaded = writeValidated(*model, path);
    QVERIFY(reloaded);

    const ArchiveContent content = readArchive(path);
    QVERIFY(content.ok);
    QSet<QString> lowerNames;
    for (const QString& name : content.names) {
        QVERIFY2(isSafeEntryName(name), qPrintable(name));
        QVERIFY2(!lowerNames.contains(name.toLower()), qPrintable(QStringLiteral("twice: ") + name));
        lowerNames.insert(name.toLower());
    }
    QVERIFY(content.entries.value(QStringLiteral("bcf.version")).data.contains("VersionId=\"2.1\""));
    QVERIFY(content.entries.value(victim->guid() + QStringLiteral("/markup.bcf")).data.contains("victim"));
    QCOMPARE(content.entries.value(topic->guid() + QStringLiteral("/snapshot.png")).data, snapshot);
    QVERIFY(content.entries.value(topic->guid() + QStringLiteral("/viewpoint.bcfv")).data.contains("VisualizationInfo"));
    QCOMPARE(content.entries.value(QStringLiteral("extensions.xsd")).data, QByteArray("<schema/>"));

    // Read back, every reference leads to its own content.
    QCOMPARE(reloaded->extensionSchemaData(), QByteArray("<schema/>"));
    const Topic* back = reloaded->topic(topic->guid());
    QVERIFY(back);
    QCOMPARE(back->bimSnippet()->snippetData(), QByteArray("snippet"));
    QCOMPARE(back->documentReferences().size(), documents.size());
    for (int i = 0; i < documents.size(); ++i)
        QCOMPARE(back->documentReferences().at(i)->documentData(), documents.at(i).second);
    QCOMPARE(back->viewpoints().at(0)->bitmaps().at(0).data, climbing.data);
    QCOMPARE(back->viewpoints().at(0)->bitmaps().at(1).data, onSnapshot.data);
    QCOMPARE(*back->snapshot(back->viewpoints().at(0)->guid()), snapshot);
    QCOMPARE(reloaded->topic(victim->guid())->title(), QStringLiteral("victim"));
    QCOMPARE(reloaded->topicCount(), 4);
    const Topic* climbingBack = reloaded->topics().at(2);
    QCOMPARE(climbingBack->title(), QStringLiteral("climbing"));
    QCOMPARE(climbingBack->viewpoints().size(), 2);
    QCOMPARE(*climbingBack->snapshot(climbingBack->viewpoints().at(1)->guid()), climbingSnapshot);
    QCOMPARE(reloaded->topics().at(3)->title(), QStringLiteral("separator"));
}

BCF_TEST_MAIN(TestWriterModel)
#include "tst_writermodel.moc"
