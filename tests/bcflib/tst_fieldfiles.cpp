// Files as other BIM tools write them: names, layouts and element quirks that the schemas do not
// allow or do not describe, which the reader still reads completely.

#include "ArchiveBuilder.h"
#include "BCFLib/BCFModel.h"
#include "BCFLib/Comment.h"
#include "BCFLib/DocumentReference.h"
#include "BCFLib/IsoDateTime.h"
#include "BCFLib/Project.h"
#include "BCFLib/RecordKeys.h"
#include "BCFLib/RelatedTopic.h"
#include "BCFLib/Topic.h"
#include "BCFLib/Viewpoint.h"
#include "TestHelpers.h"

#include <QTemporaryDir>

using namespace BCFLib;
using BCFLibTest::markup;

namespace {

const QString sTopic = QStringLiteral("3f2504e0-4f89-41d3-9a0c-0305e82c3301");
const QString sViewpoint = QStringLiteral("aaaaaaaa-1111-2222-3333-444444444444");
const QString sViewpoint2 = QStringLiteral("bbbbbbbb-1111-2222-3333-444444444444");

QByteArray png(char tag)
{
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + QByteArray(64, tag);
}

QByteArray viewpointEntry(const QString& guid, const QString& file, const QString& snapshot, const QString& index = QString())
{
    QString xml = QStringLiteral("<Viewpoints Guid=\"%1\">").arg(guid);
    if (!file.isNull())
        xml += QStringLiteral("<Viewpoint>%1</Viewpoint>").arg(file);
    if (!snapshot.isNull())
        xml += QStringLiteral("<Snapshot>%1</Snapshot>").arg(snapshot);
    if (!index.isNull())
        xml += QStringLiteral("<Index>%1</Index>").arg(index);
    return (xml + QStringLiteral("</Viewpoints>")).toUtf8();
}

QByteArray visinfo(const QString& body, const QString& guid = QString())
{
    return QStringLiteral("<?xml version=\"1.0\"?><VisualizationInfo%1>%2</VisualizationInfo>")
        .arg(guid.isEmpty() ? QString() : QStringLiteral(" Guid=\"%1\"").arg(guid), body)
        .toUtf8();
}

const QString sPerspective = QStringLiteral(
    "<PerspectiveCamera><CameraViewPoint><X>1</X><Y>2</Y><Z>3</Z></CameraViewPoint>"
    "<CameraDirection><X>0</X><Y>0</Y><Z>-1</Z></CameraDirection><CameraUpVector><X>0</X><Y>1</Y><Z>0</Z></CameraUpVector>"
    "<FieldOfView>50</FieldOfView></PerspectiveCamera>");

} // namespace

class TestFieldFiles : public QObject
{
    Q_OBJECT

private slots:
    void fileNamesFoundThroughMarkup();
    void missingAndFallbackFiles();
    void viewpointsOnlyFromComments();
    void archiveLayouts_data();
    void archiveLayouts();
    void lenientMarkup();
    void version20Files();
    void bitmapsAndComponentsWithoutIfcGuid();
    void unsupportedVersionAndDuplicates();

private:
    // Loads the model into m_model. Returns its topic sTopic when it loaded without error or
    // warning, else null with what the reader reported in m_report.
    Topic* topicOfCleanLoad(const QSharedPointer<BCFModel>& model, const QString& guid = sTopic)
    {
        m_model = model;
        m_report = model->loadError() + QLatin1Char('|') + model->loadWarnings().join(QLatin1Char('|'));
        QString message, title;
        const bool clean = model->isValid(QStringLiteral("f.bcfzip"), message, title) && message.isEmpty();
        return clean ? model->topic(guid) : nullptr;
    }

    QSharedPointer<BCFModel> m_model;
    QString m_report;
};

void TestFieldFiles::fileNamesFoundThroughMarkup()
{
    const QString extra = QString::fromUtf8(viewpointEntry(sViewpoint, QStringLiteral("Viewpoint_%1.bcfv").arg(sViewpoint),
                                                           QStringLiteral("Snapshot_%1.png").arg(sViewpoint), QStringLiteral("1"))
                                            + viewpointEntry(sViewpoint2, QStringLiteral("%1.BCFV").arg(sViewpoint2),
                                                             QStringLiteral("%1.JPG").arg(sViewpoint2), QStringLiteral("0")));
    ArchiveBuilder archive;
    archive.add(QStringLiteral("bcf.version"), BCFLibTest::versionFile())
        .add(sTopic + QStringLiteral("/markup.bcf"), markup(sTopic, QStringLiteral("names"), extra))
        .add(sTopic + QStringLiteral("/Viewpoint_%1.bcfv").arg(sViewpoint), visinfo(sPerspective, sViewpoint))
        .add(sTopic + QStringLiteral("/Snapshot_%1.png").arg(sViewpoint), png('a'), false)
        // the markup's names differ in case from the entries
        .add(sTopic + QStringLiteral("/%1.bcfv").arg(sViewpoint2), visinfo(QString()))
        .add(sTopic + QStringLiteral("/%1.jpg").arg(sViewpoint2), QByteArray("\xff\xd8\xff jpeg"), false);

    Topic* topic = topicOfCleanLoad(BCFLibTest::load(archive.bytes()));
    QVERIFY2(topic, qPrintable(m_report));
    QCOMPARE(topic->viewpoints().size(), 2);
    const Viewpoint* first = topic->viewpoints().at(0);
    QCOMPARE(first->index(), 1);
    QVERIFY(first->perspectiveCamera());
    QCOMPARE(first->perspectiveCamera()->fieldOfView, 50.0);
    QCOMPARE(*topic->snapshot(sViewpoint), png('a'));
    const Viewpoint* second = topic->viewpoints().at(1);
    QCOMPARE(second->index(), 0);
    QVERIFY(!second->perspectiveCamera() && !second->orthogonalCamera() && !second->components());
    QVERIFY(topic->snapshot(sViewpoint2));
    QCOMPARE(*topic->snapshot(sViewpoint2), QByteArray("\xff\xd8\xff jpeg"));
    QCOMPARE(second->toQVariant().toMap().value(Keys::Index).toInt(), 0);
}

void TestFieldFiles::missingAndFallbackFiles()
{
    // Viewpoint 1: no file names at all, the usual names are there. Viewpoint 2: names a snapshot
    // that the archive lacks. A third entry names files that do not exist at all.
    const QString third = QStringLiteral("cccccccc-1111-2222-3333-444444444444");
    const QString extra = QString::fromUtf8(viewpointEntry(sViewpoint, QString(), QString())
                                            + viewpointEntry(sViewpoint2, QStringLiteral("second.bcfv"), QStringLiteral("missing.png"))
                                            + viewpointEntry(third, QStringLiteral("gone.bcfv"), QStringLiteral("gone.png")));
    ArchiveBuilder archive;
    archive.add(sTopic + QStringLiteral("/markup.bcf"), markup(sTopic, QStringLiteral("fallbacks"), extra))
        .add(sTopic + QStringLiteral("/viewpoint.bcfv"), visinfo(sPerspective))
        .add(sTopic + QStringLiteral("/snapshot.png"), png('s'), false)
        .add(sTopic + QStringLiteral("/second.bcfv"), visinfo(QStringLiteral("<Components><Visibility DefaultVisibility=\"true\"/></Components>")));

    Topic* topic = topicOfCleanLoad(BCFLibTest::load(archive.bytes()));
    QVERIFY2(topic, qPrintable(m_report));
    QCOMPARE(topic->viewpoints().size(), 3);
    const Viewpoint* first = topic->viewpoint(sViewpoint);
    QVERIFY(first->perspectiveCamera());
    QCOMPARE(first->viewpointFile(), QStringLiteral("viewpoint.bcfv"));
    QCOMPARE(first->snapshotFile(), QStringLiteral("snapshot.png"));
    QCOMPARE(*topic->snapshot(sViewpoint), png('s'));

    const Viewpoint* second = topic->viewpoint(sViewpoint2);
    QVERIFY(second->components());
    QVERIFY(!topic->snapshot(sViewpoint2));
    QVERIFY(second->snapshotFile().isEmpty()); // a missing snapshot is not claimed
    QVERIFY(!second->toQVariant().toMap().contains(Keys::SnapshotFile));

    const Viewpoint* ghost = topic->viewpoint(third);
    QVERIFY(ghost);
    QVERIFY(!ghost->perspectiveCamera() && !ghost->components());
    QVERIFY(!topic->snapshot(third));

    // The usual names, when the markup gives them to a later viewpoint, are not taken by an
    // earlier viewpoint without names.
    const QString claimed = QString::fromUtf8(viewpointEntry(sViewpoint, QString(), QString())
                                              + viewpointEntry(sViewpoint2, QStringLiteral("viewpoint.bcfv"), QStringLiteral("snapshot.png")));
    ArchiveBuilder reserved;
    reserved.add(sTopic + QStringLiteral("/markup.bcf"), markup(sTopic, QStringLiteral("reserved"), claimed))
        .add(sTopic + QStringLiteral("/viewpoint.bcfv"), visinfo(sPerspective))
        .add(sTopic + QStringLiteral("/snapshot.png"), png('r'), false);
    const QSharedPointer<BCFModel> reservedModel = BCFLibTest::load(reserved.bytes());
    Topic* reservedTopic = reservedModel->topic(sTopic);
    QVERIFY(!reservedTopic->snapshot(sViewpoint));
    QVERIFY(!reservedTopic->viewpoint(sViewpoint)->perspectiveCamera());
    QCOMPARE(*reservedTopic->snapshot(sViewpoint2), png('r'));
    QVERIFY(reservedTopic->viewpoint(sViewpoint2)->perspectiveCamera());
}

void TestFieldFiles::viewpointsOnlyFromComments()
{
    // A BCF 2.0 style topic: no Viewpoints element; comments refer to the viewpoints.
    const QString comments = QStringLiteral(
        "<Comment Guid=\"c1\"><Date>2014-01-01T00:00:00Z</Date><Author>x</Author><Comment>one</Comment>"
        "<Viewpoint Guid=\"%1\"/></Comment>"
        "<Comment Guid=\"c2\"><Date>2014-01-01T00:00:00Z</Date><Author>x</Author><Comment>two</Comment>"
        "<Viewpoint Guid=\"%2\"/></Comment>"
        "<Comment Guid=\"c3\"><Comment>dangling</Comment><Viewpoint Guid=\"dddddddd-1111-2222-3333-444444444444\"/></Comment>")
                                 .arg(sViewpoint, sViewpoint2);
    ArchiveBuilder archive;
    archive.add(sTopic + QStringLiteral("/markup.bcf"), markup(sTopic, QStringLiteral("comments"), comments))
        .add(sTopic + QStringLiteral("/viewpoint.bcfv"), visinfo(sPerspective, sViewpoint))
        .add(sTopic + QStringLiteral("/snapshot.png"), png('1'), false)
        .add(sTopic + QStringLiteral("/%1.bcfv").arg(sViewpoint2), visinfo(QString(), sViewpoint2))
        .add(sTopic + QStringLiteral("/%1.png").arg(sViewpoint2), png('2'), false);

    Topic* topic = topicOfCleanLoad(BCFLibTest::load(archive.bytes()));
    QVERIFY2(topic, qPrintable(m_report));
    QCOMPARE(topic->viewpoints().size(), 2);
    QVERIFY(topic->viewpoint(sViewpoint)->perspectiveCamera());
    QCOMPARE(*topic->snapshot(sViewpoint), png('1'));
    QCOMPARE(*topic->snapshot(sViewpoint2), png('2'));
    QCOMPARE(topic->comment(QStringLiteral("c3"))->viewpointGuid(), QStringLiteral("dddddddd-1111-2222-3333-444444444444"));
}

void TestFieldFiles::archiveLayouts_data()
{
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<QString>("separator");
    QTest::addColumn<bool>("directories");
    QTest::addColumn<bool>("zip64");
    QTest::addColumn<bool>("macJunk");
    QTest::addColumn<bool>("nonAscii"); // names and title, read from a file with a non-ASCII name

    QTest::newRow("plain") << QString() << "/" << false << false << false << false;
    QTest::newRow("directory entries") << QString() << "/" << true << false << false << false;
    QTest::newRow("one folder deeper") << "Export 2020/" << "/" << true << false << false << false;
    QTest::newRow("backslashes") << QString() << "\\" << false << false << false << false;
    QTest::newRow("deeper with backslashes") << "export\\" << "\\" << false << false << false << false;
    QTest::newRow("zip64") << QString() << "/" << false << true << false << false;
    QTest::newRow("__MACOSX junk") << QString() << "/" << true << false << true << false;
    QTest::newRow("non-ASCII names on disk") << QString() << "/" << false << false << false << true;
}

void TestFieldFiles::archiveLayouts()
{
    QFETCH(QString, prefix);
    QFETCH(QString, separator);
    QFETCH(bool, directories);
    QFETCH(bool, zip64);
    QFETCH(bool, macJunk);
    QFETCH(bool, nonAscii);

    const QString folder = prefix + sTopic + separator;
    const QString title = nonAscii ? QStringLiteral("Décalage – 日本語 ÄÖÜ ß") : QStringLiteral("layout");
    const QString viewpointFile = nonAscii ? QStringLiteral("Ansicht ä.bcfv") : QStringLiteral("viewpoint.bcfv");
    const QString snapshotFile = nonAscii ? QStringLiteral("Bild ä.png") : QStringLiteral("snapshot.png");
    ArchiveBuilder archive;
    archive.setZip64(zip64);
    if (directories) {
        if (!prefix.isEmpty())
            archive.addDirectory(prefix);
        archive.addDirectory(folder);
    }
    archive.add(prefix + QStringLiteral("bcf.version"), BCFLibTest::versionFile())
        .add(prefix + QStringLiteral("project.bcfp"), "<ProjectExtension><Project ProjectId=\"p-1\"><Name>N</Name></Project></ProjectExtension>")
        .add(folder + QStringLiteral("markup.bcf"),
             markup(sTopic, title, QString::fromUtf8(viewpointEntry(sViewpoint, viewpointFile, snapshotFile))))
        .add(folder + viewpointFile, visinfo(sPerspective))
        .add(folder + snapshotFile, png('z'), false);
    if (macJunk) {
        archive.add(QStringLiteral("__MACOSX/") + sTopic + QStringLiteral("/._markup.bcf"), "\0\x05\x16\x07junk")
            .add(QStringLiteral("__MACOSX/._bcf.version"), "junk")
            .add(sTopic + QStringLiteral("/._snapshot.png"), "junk");
    }

    QTemporaryDir dir;
    const QString fileName = dir.filePath(QStringLiteral("Prüfung – 日本 Ärger.bcfzip"));
    QVERIFY(!nonAscii || archive.write(fileName));
    Topic* topic = topicOfCleanLoad(nonAscii ? BCFLibTest::loadFile(fileName) : BCFLibTest::load(archive.bytes()));
    QVERIFY2(topic, qPrintable(m_report));
    QCOMPARE(m_model->topics().size(), 1);
    QCOMPARE(topic->title(), title);
    QCOMPARE(topic->viewpoints().size(), 1);
    QVERIFY(topic->viewpoints().first()->perspectiveCamera());
    QCOMPARE(*topic->snapshot(sViewpoint), png('z'));
    // A project without ExtensionSchema has none, and its record has no such key.
    QVERIFY(m_model->project());
    QCOMPARE(m_model->project()->name(), QStringLiteral("N"));
    QVERIFY(m_model->extensionSchema().isEmpty());
    QVERIFY(!m_model->project()->toQVariant().toMap().contains(Keys::ExtensionSchema));
}

void TestFieldFiles::lenientMarkup()
{
    // Upper-case guid, a folder named otherwise, elements out of order, required ones missing,
    // every zone spelling, an invalid date and unknown elements.
    const QString guid = QStringLiteral("ABCDEF01-2345-6789-ABCD-EF0123456789");
    const QByteArray xml = QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Markup>"
        "<Comment Guid=\"C-1\"><Comment>before the topic</Comment><Date>2020-01-02T03:04:05+0200</Date>"
        "<ReplyToComment Guid=\"C-0\"/><Unknown>x</Unknown></Comment>"
        "<Topic Guid=\"%1\" TopicStatus=\"Closed\"><Description>first</Description><Unknown><Deep/></Unknown>"
        "<ModifiedDate>2020-01-02T03:04:05+02:00</ModifiedDate><DueDate>2021-02-03T04:05:06</DueDate>"
        "<Stage>Construction</Stage><ReferenceLink>a</ReferenceLink><ReferenceLink>b</ReferenceLink>"
        "<CreationDate>22/05/2017</CreationDate><Index>not a number</Index></Topic>"
        "<Header><File><Filename>m.ifc</Filename></File></Header>"
        "</Markup>")
                               .arg(guid)
                               .toUtf8();
    ArchiveBuilder archive;
    archive.add(QStringLiteral("Some Folder/markup.bcf"), xml);
    Topic* topic = topicOfCleanLoad(BCFLibTest::load(archive.bytes()), guid.toLower());
    QVERIFY2(topic, qPrintable(m_report));
    QCOMPARE(topic->guid(), guid); // the markup's guid, as written, is the identity
    QVERIFY(topic->title().isEmpty());
    QVERIFY(!topic->creationDate().isValid());
    QVERIFY(topic->creationAuthor().isEmpty());
    QCOMPARE(topic->index(), -1);
    QCOMPARE(topic->topicStatus(), QStringLiteral("Closed"));
    QCOMPARE(topic->stage(), QStringLiteral("Construction"));
    QCOMPARE(topic->referenceLinks(), (QStringList{"a", "b"}));
    QCOMPARE(topic->modifiedDate().offsetFromUtc(), 7200);
    QCOMPARE(topic->dueDate().timeSpec(), Qt::LocalTime);
    QCOMPARE(topic->files().size(), 1);
    const Comment* comment = topic->comment(QStringLiteral("c-1"));
    QVERIFY(comment);
    QCOMPARE(comment->date(), QDateTime(QDate(2020, 1, 2), QTime(1, 4, 5), Qt::UTC));
    QCOMPARE(comment->replyToCommentGuid(), QStringLiteral("C-0"));

    const QVariantMap record = topic->toQVariant().toMap();
    QCOMPARE(record.value(Keys::CreationDate).toString(), QString());
    QCOMPARE(record.value(Keys::ModifiedDate).toString(), QStringLiteral("2020-01-02T03:04:05+02:00"));
    QCOMPARE(record.value(Keys::DueDate).toString(), QStringLiteral("2021-02-03T04:05:06"));
    QCOMPARE(record.value(Keys::Stage).toString(), QStringLiteral("Construction"));

    // A markup without its Topic guid takes the folder's name when that is a plain identifier.
    ArchiveBuilder noGuid;
    noGuid.add(sTopic + QStringLiteral("/markup.bcf"), "<Markup><Topic><Title>t</Title></Topic></Markup>");
    const QSharedPointer<BCFModel> fromFolder = BCFLibTest::load(noGuid.bytes());
    QVERIFY(fromFolder->topic(sTopic));
}

void TestFieldFiles::version20Files()
{
    const QByteArray xml = QStringLiteral(
        "<Markup><Header><File IfcProject=\"0M6o7Znnv7hxsbWgeu7oQq\"><Filename>a.ifc</Filename></File></Header>"
        "<Topic Guid=\"%1\"><Title>two oh</Title>"
        "<DocumentReferences Guid=\"dd-1\" isExternal=\"true\"><ReferencedDocument>http://x</ReferencedDocument></DocumentReferences>"
        "<RelatedTopics Guid=\"rr-1\"/></Topic>"
        "<Comment Guid=\"c-1\"><VerbalStatus>Open</VerbalStatus><Status>Warning</Status><Date>2014-01-01T00:00:00Z</Date>"
        "<Author>x</Author><Comment>c</Comment><Topic Guid=\"%1\"/><Viewpoint Guid=\"%2\"/></Comment>"
        "<Viewpoints Guid=\"%2\"><Viewpoint>viewpoint.bcfv</Viewpoint><Snapshot>snapshot.png</Snapshot></Viewpoints></Markup>")
                               .arg(sTopic, sViewpoint)
                               .toUtf8();
    const QByteArray view = visinfo(QStringLiteral(
        "<Components>"
        "<Component IfcGuid=\"0AQJSsoeDDvwVqSNcwjy55\" Selected=\"true\"/>"
        "<Component IfcGuid=\"1GU8BMEqHBQxVAbwRD$4Jj\" Visible=\"false\" Color=\"FF0000\"><OriginatingSystem>S</OriginatingSystem></Component>"
        "<Component IfcGuid=\"3DOu_tSXP6evQgY8Ml4CtC\" Color=\"FF0000\"/>"
        "</Components>"
        "<Bitmaps><Bitmap>PNG</Bitmap><Reference>b.png</Reference><Location><X>1</X><Y>2</Y><Z>3</Z></Location>"
        "<Normal><X>0</X><Y>0</Y><Z>1</Z></Normal><Up><X>0</X><Y>1</Y><Z>0</Z></Up><Height>4</Height></Bitmaps>"));
    ArchiveBuilder archive;
    archive.add(QStringLiteral("bcf.version"), BCFLibTest::versionFile(QStringLiteral("2.0")))
        .add(sTopic + QStringLiteral("/markup.bcf"), xml)
        .add(sTopic + QStringLiteral("/viewpoint.bcfv"), view)
        .add(sTopic + QStringLiteral("/b.png"), png('b'), false)
        .add(sTopic + QStringLiteral("/snapshot.png"), png('s'), false);

    Topic* topic = topicOfCleanLoad(BCFLibTest::load(archive.bytes()));
    QVERIFY2(topic, qPrintable(m_report));
    QCOMPARE(m_model->version().versionId(), QStringLiteral("2.0"));
    QCOMPARE(topic->documentReferences().size(), 1);
    QCOMPARE(topic->documentReferences().first()->guid(), QStringLiteral("dd-1"));
    QVERIFY(topic->documentReferences().first()->isExternal());
    QCOMPARE(topic->relatedTopics().size(), 1);
    QCOMPARE(topic->relatedTopics().first()->guid(), QStringLiteral("rr-1"));
    const Comment* comment = topic->comment(QStringLiteral("c-1"));
    QCOMPARE(comment->status(), QStringLiteral("Warning"));
    QCOMPARE(comment->verbalStatus(), QStringLiteral("Open"));

    const Viewpoint* viewpoint = topic->viewpoint(sViewpoint);
    QVERIFY(viewpoint && viewpoint->components());
    const ComponentSet& set = *viewpoint->components();
    QCOMPARE(set.selection.size(), 1);
    QCOMPARE(set.selection.first().ifcGuid, QStringLiteral("0AQJSsoeDDvwVqSNcwjy55"));
    QCOMPARE(set.defaultVisibility, std::optional<bool>(true));
    QCOMPARE(set.exceptions.size(), 1);
    QCOMPARE(set.exceptions.first().ifcGuid, QStringLiteral("1GU8BMEqHBQxVAbwRD$4Jj"));
    QCOMPARE(set.exceptions.first().originatingSystem, QStringLiteral("S"));
    QCOMPARE(set.coloring.size(), 1);
    QCOMPARE(set.coloring.first().color, QStringLiteral("FF0000"));
    QCOMPARE(set.coloring.first().components.size(), 2);
    QCOMPARE(viewpoint->bitmaps().size(), 1);
    QCOMPARE(viewpoint->bitmaps().first().data, png('b'));
    QCOMPARE(viewpoint->bitmaps().first().height, 4.0);
}

void TestFieldFiles::bitmapsAndComponentsWithoutIfcGuid()
{
    const QByteArray view = visinfo(QStringLiteral(
        "<Components><Selection><Component><AuthoringToolId>tool-7</AuthoringToolId></Component></Selection>"
        "<Visibility/></Components>"
        "<Bitmap><Bitmap>JPG</Bitmap><Reference>pics/one.jpg</Reference><Location><X>1</X><Y>1</Y><Z>1</Z></Location>"
        "<Normal><X>1</X><Y>0</Y><Z>0</Z></Normal><Up><X>0</X><Y>0</Y><Z>1</Z></Up><Height>0.5</Height></Bitmap>"
        "<Bitmap><Bitmap>PNG</Bitmap><Reference>absent.png</Reference></Bitmap>"));
    ArchiveBuilder archive;
    archive.add(sTopic + QStringLiteral("/markup.bcf"),
                markup(sTopic, QStringLiteral("b"), QString::fromUtf8(viewpointEntry(sViewpoint, QStringLiteral("v.bcfv"), QString()))))
        .add(sTopic + QStringLiteral("/v.bcfv"), view)
        .add(sTopic + QStringLiteral("/pics/one.jpg"), "\xff\xd8 one", false);
    Topic* topic = topicOfCleanLoad(BCFLibTest::load(archive.bytes()));
    QVERIFY2(topic, qPrintable(m_report));
    const Viewpoint* viewpoint = topic->viewpoint(sViewpoint);
    QCOMPARE(viewpoint->components()->selection.size(), 1);
    QVERIFY(viewpoint->components()->selection.first().ifcGuid.isEmpty());
    QCOMPARE(viewpoint->components()->selection.first().authoringToolId, QStringLiteral("tool-7"));
    QVERIFY(!viewpoint->components()->defaultVisibility);
    QCOMPARE(viewpoint->bitmaps().size(), 2);
    QCOMPARE(viewpoint->bitmaps().at(0).data, QByteArray("\xff\xd8 one"));
    QVERIFY(viewpoint->bitmaps().at(1).data.isEmpty());
    QVERIFY(viewpoint->bitmaps().at(0).guid != viewpoint->bitmaps().at(1).guid);

    // The same file loaded again names its bitmaps alike.
    QSharedPointer<BCFModel> again = BCFLibTest::load(archive.bytes());
    QCOMPARE(again->topic(sTopic)->viewpoint(sViewpoint)->bitmaps().at(0).guid, viewpoint->bitmaps().at(0).guid);
    const QVariantMap record = viewpoint->toQVariant().toMap();
    QCOMPARE(record.value(Keys::Bitmaps).toList().first().toMap().value(Keys::BitmapType).toString(), QStringLiteral("JPG"));
}

void TestFieldFiles::unsupportedVersionAndDuplicates()
{
    ArchiveBuilder future;
    future.add(QStringLiteral("bcf.version"), BCFLibTest::versionFile(QStringLiteral("4.0")))
        .add(sTopic + QStringLiteral("/markup.bcf"), markup(sTopic, QStringLiteral("t")));
    QSharedPointer<BCFModel> model = BCFLibTest::load(future.bytes());
    QString message, title;
    QVERIFY(!model->isValid(QStringLiteral("future.bcfzip"), message, title));
    QVERIFY2(message.contains(QStringLiteral("4.0")), qPrintable(message));
    QVERIFY(!title.isEmpty());
    QVERIFY(model->topics().isEmpty());

    // A folder with a viewpoint but without markup is reported as skipped.
    ArchiveBuilder orphan;
    orphan.add(QStringLiteral("bcf.version"), BCFLibTest::versionFile())
        .add(sTopic + QStringLiteral("/markup.bcf"), markup(sTopic, QStringLiteral("t")))
        .add(QStringLiteral("lonely/viewpoint.bcfv"), visinfo(QString()))
        .add(QStringLiteral("lonely/snapshot.png"), png('l'), false);
    model = BCFLibTest::load(orphan.bytes());
    QCOMPARE(model->topics().size(), 1);
    QVERIFY(model->isValid(QStringLiteral("orphan.bcfzip"), message, title));
    QVERIFY2(message.contains(QStringLiteral("Topic folder lonely was skipped: it has no markup.bcf.")), qPrintable(message));

    // Two folders with the same topic guid: the first one wins, the second is reported.
    ArchiveBuilder twice;
    twice.add(QStringLiteral("bcf.version"), BCFLibTest::versionFile())
        .add(QStringLiteral("one/markup.bcf"), markup(sTopic, QStringLiteral("first")))
        .add(QStringLiteral("two/markup.bcf"), markup(sTopic.toUpper(), QStringLiteral("second")));
    model = BCFLibTest::load(twice.bytes());
    QCOMPARE(model->topics().size(), 1);
    QCOMPARE(model->topics().first()->title(), QStringLiteral("first"));
    QVERIFY(model->isValid(QStringLiteral("twice.bcfzip"), message, title));
    QVERIFY2(message.contains(QStringLiteral("two")), qPrintable(message));
}

BCF_TEST_MAIN(TestFieldFiles)
#include "tst_fieldfiles.moc"
