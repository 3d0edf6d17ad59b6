// The model: items, identity rules, snapshots and the record conversions, which must restore
// everything after a trip through JSON (numbers as doubles, dates and contents as text).

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

#include <QJsonDocument>
#include <QRegularExpression>

using namespace BCFLib;

namespace {

// What a record looks like after the working cache stored it as JSON and read it back.
QVariant throughJson(const QVariant& record)
{
    return QJsonDocument::fromJson(QJsonDocument::fromVariant(record).toJson()).toVariant();
}

bool isLowerCaseUuid(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("^[0-9a-f]{8}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{12}$"));
    return pattern.match(text).hasMatch();
}

Viewpoint* fillViewpoint(Viewpoint* viewpoint)
{
    ComponentSet set;
    set.viewSetupHints = ViewSetupHints{true, std::nullopt, false};
    set.selection = {Component{QStringLiteral("0cSRUx$EX1NRjqiKcYQ$a0"), QStringLiteral("Revit"), QStringLiteral("42")}};
    set.defaultVisibility = false;
    set.exceptions = {Component{QStringLiteral("1jQQiGIAnFzxOUzrdmJYDS"), QString(), QString()},
                      Component{QString(), QStringLiteral("Tekla"), QStringLiteral("no-ifc-guid")}};
    set.coloring = {ComponentColoring{QStringLiteral("FF00FF99"), {Component{QStringLiteral("0fdpeZZEX3FwJ7x0ox5kzF"), {}, {}}}}};
    viewpoint->setComponents(set);
    viewpoint->setOrthogonalCamera(OrthogonalCamera{{1, 2, 3}, {0, 0, -1}, {0, 1, 0}, 12.5});
    viewpoint->setPerspectiveCamera(PerspectiveCamera{{0.1, 0.2, 0.30000000000000004}, {1, 0, 0}, {0, 0, 1}, 47.25});
    viewpoint->setLines({Line{{0, 0, 0}, {1, 1, 1}}, Line{{-1, 2.5, 1e-9}, {3, 4, 5}}});
    viewpoint->setClippingPlanes({ClippingPlane{{1, 1, 1}, {0, 1, 0}}});
    Bitmap bitmap;
    bitmap.guid = QStringLiteral("b1");
    bitmap.format = QStringLiteral("PNG");
    bitmap.reference = QStringLiteral("bitmap.png");
    bitmap.location = {1, 2, 3};
    bitmap.normal = {0, 0, 1};
    bitmap.up = {0, 1, 0};
    bitmap.height = 2.5;
    bitmap.data = QByteArray("\x89PNG\r\n\x1a\n\0binary", 14);
    viewpoint->setBitmaps({bitmap});
    viewpoint->setViewpointFile(QStringLiteral("Viewpoint_x.bcfv"));
    viewpoint->setSnapshotFile(QStringLiteral("Snapshot_x.png"));
    viewpoint->setIndex(3);
    return viewpoint;
}

} // namespace

class TestModel : public QObject
{
    Q_OBJECT

private slots:
    void isoDates_data();
    void isoDates();
    void topicsAndIdentity();
    void project();
    void snapshots();
    void commentRecordRoundTrip();
    void viewpointRecordRoundTrip();
    void attachmentRecordsRoundTrip();
    void topicRecord();
    void loadReportAndValidity();
};

void TestModel::isoDates_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDateTime>("expected");
    QTest::addColumn<int>("spec");
    QTest::addColumn<QString>("formatted"); // the zone as read is kept

    QTest::newRow("Z") << "2015-07-15T13:12:42Z" << QDateTime({2015, 7, 15}, {13, 12, 42}, Qt::UTC) << int(Qt::UTC)
                       << "2015-07-15T13:12:42Z";
    QTest::newRow("7 fraction digits") << "2017-05-22T07:51:00.0429879Z" << QDateTime({2017, 5, 22}, {7, 51, 0, 42}, Qt::UTC)
                                       << int(Qt::UTC) << "2017-05-22T07:51:00.042Z";
    QTest::newRow("1 fraction digit") << "2017-05-22T07:51:00.9Z" << QDateTime({2017, 5, 22}, {7, 51, 0, 900}, Qt::UTC)
                                      << int(Qt::UTC) << "2017-05-22T07:51:00.900Z";
    QTest::newRow("+02:00") << "2020-01-02T03:04:05.5+02:00" << QDateTime({2020, 1, 2}, {1, 4, 5, 500}, Qt::UTC)
                            << int(Qt::OffsetFromUTC) << "2020-01-02T03:04:05.500+02:00";
    QTest::newRow("+0200") << "2020-01-02T03:04:05+0200" << QDateTime({2020, 1, 2}, {1, 4, 5}, Qt::UTC)
                           << int(Qt::OffsetFromUTC) << "2020-01-02T03:04:05+02:00";
    QTest::newRow("-05:30") << "2020-01-02T03:04:05-05:30" << QDateTime({2020, 1, 2}, {8, 34, 5}, Qt::UTC)
                            << int(Qt::OffsetFromUTC) << "2020-01-02T03:04:05-05:30";
    QTest::newRow("-0130") << "2020-01-02T03:04:05-0130" << QDateTime({2020, 1, 2}, {4, 34, 5}, Qt::UTC)
                           << int(Qt::OffsetFromUTC) << "2020-01-02T03:04:05-01:30";
    QTest::newRow("no zone") << "2014-02-25T11:50:32" << QDateTime({2014, 2, 25}, {11, 50, 32}, Qt::LocalTime)
                             << int(Qt::LocalTime) << "2014-02-25T11:50:32";
    QTest::newRow("no seconds") << "2014-02-25T11:50Z" << QDateTime({2014, 2, 25}, {11, 50}, Qt::UTC) << int(Qt::UTC)
                                << "2014-02-25T11:50:00Z";
    QTest::newRow("date only") << "2014-02-25" << QDateTime({2014, 2, 25}, {0, 0}, Qt::LocalTime) << int(Qt::LocalTime)
                               << "2014-02-25T00:00:00";
    for (const char* invalid : {"22/05/2017 10:00", "2017-13-01T00:00:00Z", "2017-05-01T25:00:00Z", "2017-05-01T10:00:00+25:00",
                                "", "2017-05-01T10:00:00Zjunk"})
        QTest::newRow(invalid) << invalid << QDateTime() << -1 << QString();
}

void TestModel::isoDates()
{
    QFETCH(QString, text);
    QFETCH(QDateTime, expected);
    QFETCH(int, spec);
    QFETCH(QString, formatted);

    const QDateTime parsed = IsoDateTime::parse(text);
    QCOMPARE(parsed.isValid(), expected.isValid());
    QCOMPARE(IsoDateTime::format(parsed), formatted);
    if (!expected.isValid())
        return;
    QCOMPARE(parsed, expected); // same instant
    QCOMPARE(int(parsed.timeSpec()), spec);
    // Parsing the formatted text gives the same instant and zone.
    const QDateTime again = IsoDateTime::parse(formatted);
    QCOMPARE(again, parsed);
    QCOMPARE(again.offsetFromUtc(), parsed.offsetFromUtc());
    QCOMPARE(IsoDateTime::fromVariant(QVariant(parsed)), parsed);
    QCOMPARE(IsoDateTime::fromVariant(QVariant(text)), parsed);
}

void TestModel::topicsAndIdentity()
{
    QSharedPointer<BCFModel> model = BCFModel::Create();
    QCOMPARE(model->version().versionId(), QStringLiteral("2.1"));
    QVERIFY(model->topics().isEmpty());
    QVERIFY(!model->project());

    const QDateTime date = IsoDateTime::parse(QStringLiteral("2020-01-02T03:04:05Z"));
    Topic* generated = model->addTopic(QStringLiteral("First"), QStringLiteral("me"), date);
    QVERIFY(generated);
    QVERIFY2(isLowerCaseUuid(generated->guid()), qPrintable(generated->guid()));

    Topic* named = model->addTopic(QStringLiteral("Second"), QString(), QDateTime(), QStringLiteral("ABCDEF00-0000-0000-0000-000000000001"));
    QVERIFY(named);
    QCOMPARE(named->guid(), QStringLiteral("ABCDEF00-0000-0000-0000-000000000001")); // kept as given
    QCOMPARE(model->topic(QStringLiteral("abcdef00-0000-0000-0000-000000000001")), named);
    // A guid already in use, in any case, is refused.
    QVERIFY(!model->addTopic(QStringLiteral("Dup"), QString(), QDateTime(), QStringLiteral("abcdef00-0000-0000-0000-000000000001")));
    QCOMPARE(model->topics(), (QList<Topic*>{generated, named}));

    // Guids become folder and file names when written: only plain identifiers are accepted.
    for (const QString& unsafe : {QStringLiteral("../x"), QStringLiteral(".."), QStringLiteral("a/b"), QStringLiteral("a\\b"),
                                  QStringLiteral("tab\there"), QString(101, QLatin1Char('a'))}) {
        QVERIFY2(!model->addTopic(QStringLiteral("unsafe"), QString(), QDateTime(), unsafe), qPrintable(unsafe));
        QVERIFY2(!named->addComment(unsafe), qPrintable(unsafe));
        QVERIFY2(!named->addViewpoint(unsafe), qPrintable(unsafe));
    }
    QVERIFY(model->addTopic(QStringLiteral("braced"), QString(), QDateTime(), QStringLiteral("{6F9619FF-8B86-D011-B42D-00C04FC964FF}")));
    QVERIFY(model->removeTopic(QStringLiteral("{6f9619ff-8b86-d011-b42d-00c04fc964ff}")));

    QVERIFY(!model->topic(QStringLiteral("unknown")));
    QVERIFY(!model->removeTopic(QStringLiteral("unknown")));
    QVERIFY(model->removeTopic(generated->guid().toUpper()));
    QCOMPARE(model->topics(), QList<Topic*>{named});
    QVERIFY(model->addTopic(QStringLiteral("Again"), QString(), QDateTime(), named->guid().toLower()) == nullptr);

    // A parent gives the model its thread only; the shared pointer alone owns it.
    {
        QObject parent;
        QSharedPointer<BCFModel> owned = BCFModel::Create(&parent);
        QVERIFY(!owned->parent());
    }

    // Comments and viewpoints follow the same rules inside their topic.
    Comment* comment = named->addComment();
    QVERIFY(comment && isLowerCaseUuid(comment->guid()));
    QCOMPARE(comment->topic(), named);
    QVERIFY(!named->addComment(comment->guid().toUpper()));
    Viewpoint* viewpoint = named->addViewpoint(QStringLiteral("VP-1"));
    QVERIFY(viewpoint);
    QCOMPARE(named->viewpoint(QStringLiteral("vp-1")), viewpoint);
    QVERIFY(!named->addViewpoint(QStringLiteral("vp-1")));
    QVERIFY(named->removeComment(comment->guid()));
    QVERIFY(named->comments().isEmpty());
}

void TestModel::project()
{
    QSharedPointer<BCFModel> model = BCFModel::Create();
    Project* project = model->addProject();
    QVERIFY(project && isLowerCaseUuid(project->guid()));
    QCOMPARE(model->project(), project);
    QCOMPARE(model->addProject(), project); // the single project stays
    project->setName(QStringLiteral("Bau"));
    project->setExtensionSchema(QStringLiteral("extensions.xsd"));
    project->setExtensionSchemaData("<schema/>");
    QCOMPARE(model->extensionSchema(), QStringLiteral("extensions.xsd"));

    const QVariantMap record = throughJson(project->toQVariant()).toMap();

    QSharedPointer<BCFModel> other = BCFModel::Create();
    Project* copy = other->addProject(record.value(Keys::ProjectId).toString());
    copy->fromQVariant(record);
    QCOMPARE(copy->toQVariant(), project->toQVariant());
    QCOMPARE(other->extensionSchemaData(), QByteArray("<schema/>"));

    // Another guid replaces the project.
    Project* replaced = model->addProject(QStringLiteral("p2"));
    QCOMPARE(replaced->guid(), QStringLiteral("p2"));
    QCOMPARE(model->project(), replaced);
}

void TestModel::snapshots()
{
    QSharedPointer<BCFModel> model = BCFModel::Create();
    Topic* topic = model->addTopic(QStringLiteral("t"), QString(), QDateTime());
    Viewpoint* viewpoint = topic->addViewpoint(QStringLiteral("AA"));

    QVERIFY(!topic->snapshot(QStringLiteral("aa")));
    QVERIFY(!topic->addSnapshot(QStringLiteral("aa"), nullptr));
    QVERIFY(!topic->snapshot(QStringLiteral("aa")));

    QByteArray first("first");
    QVERIFY(topic->addSnapshot(viewpoint->guid(), &first));
    first[0] = 'X'; // the topic keeps its own copy
    QCOMPARE(*topic->snapshot(QStringLiteral("aa")), QByteArray("first"));
    QByteArray second("second");
    QVERIFY(topic->addSnapshot(QStringLiteral("aa"), &second));
    QCOMPARE(*topic->snapshot(QStringLiteral("AA")), QByteArray("second"));

    // Removing the viewpoint removes its snapshot.
    QVERIFY(topic->removeViewpoint(QStringLiteral("aa")));
    QVERIFY(!topic->snapshot(QStringLiteral("aa")));
}

void TestModel::commentRecordRoundTrip()
{
    QSharedPointer<BCFModel> model = BCFModel::Create();
    Topic* topic = model->addTopic(QStringLiteral("t"), QString(), QDateTime());
    Comment* comment = topic->addComment(QStringLiteral("c-1"));
    comment->setText(QStringLiteral("Käse\nline two"));
    comment->setAuthor(QStringLiteral("a@b.c"));
    comment->setDate(IsoDateTime::parse(QStringLiteral("2015-08-31T12:40:17.123+02:00")));
    comment->setViewpointGuid(QStringLiteral("vp"));
    comment->setModifiedDate(IsoDateTime::parse(QStringLiteral("2015-08-31T16:07:11Z")));
    comment->setModifiedAuthor(QStringLiteral("x@y.z"));
    comment->setStatus(QStringLiteral("Error"));
    comment->setVerbalStatus(QStringLiteral("Open"));
    comment->setReplyToCommentGuid(QStringLiteral("c-0"));

    const QVariantMap record = comment->toQVariant().toMap();
    QCOMPARE(record.value(Keys::Date).toString(), QStringLiteral("2015-08-31T12:40:17.123+02:00")); // zone kept

    Comment* copy = topic->addComment(QStringLiteral("c-2"));
    copy->fromQVariant(throughJson(record));
    QVariantMap copied = copy->toQVariant().toMap();
    QCOMPARE(copied.take(Keys::Guid).toString(), QStringLiteral("c-2")); // identity is not taken from the record
    QVariantMap expected = record;
    expected.remove(Keys::Guid);
    QCOMPARE(copied, expected);

    // A record without the optional keys clears them; a comment without status has no "status".
    copy->fromQVariant(QVariantMap{{Keys::Comment, QStringLiteral("plain")}});
    const QVariantMap plain = copy->toQVariant().toMap();
    QVERIFY(!plain.contains(Keys::Status));
    QVERIFY(!plain.contains(Keys::ViewpointGuid));
    QCOMPARE(plain.value(Keys::Date).toString(), QString());
    QVERIFY(!copy->date().isValid());
}

void TestModel::viewpointRecordRoundTrip()
{
    QSharedPointer<BCFModel> model = BCFModel::Create();
    Topic* topic = model->addTopic(QStringLiteral("t"), QString(), QDateTime());
    Viewpoint* viewpoint = fillViewpoint(topic->addViewpoint(QStringLiteral("v-1")));

    const QVariantMap record = viewpoint->toQVariant().toMap();
    const QVariantMap components = record.value(Keys::Components).toMap();
    QCOMPARE(components, viewpoint->componentsToQVariant());
    const QVariantMap visibility = components.value(Keys::Visibility).toMap();
    QCOMPARE(visibility.value(Keys::DefaultVisibility).toBool(), false);
    QCOMPARE(visibility.value(Keys::ViewSetupHints).toMap().value(Keys::SpacesVisible).toBool(), true);
    QVERIFY(!visibility.value(Keys::ViewSetupHints).toMap().contains(Keys::SpaceBoundariesVisible));
    QCOMPARE(visibility.value(Keys::Exceptions).toList().at(1).toMap(),
             (QVariantMap{{Keys::OriginatingSystem, QStringLiteral("Tekla")}, {Keys::AuthoringToolId, QStringLiteral("no-ifc-guid")}}));
    const QVariantMap bitmap = record.value(Keys::Bitmaps).toList().value(0).toMap();
    QCOMPARE(QByteArray::fromBase64(bitmap.value(Keys::BitmapData).toByteArray()), viewpoint->bitmaps().at(0).data);

    // Through JSON and back into another viewpoint: everything but the identity is restored.
    Viewpoint* copy = topic->addViewpoint(QStringLiteral("v-2"));
    copy->fromQVariant(throughJson(record));
    QVariantMap copied = copy->toQVariant().toMap();
    QCOMPARE(copied.take(Keys::Guid).toString(), QStringLiteral("v-2"));
    QVariantMap expected = record;
    expected.remove(Keys::Guid);
    QCOMPARE(throughJson(copied), throughJson(expected));
    QCOMPARE(copy->bitmaps().at(0).data, viewpoint->bitmaps().at(0).data);
    QCOMPARE(copy->perspectiveCamera()->viewPoint, viewpoint->perspectiveCamera()->viewPoint);

    // Components alone, through the virtual pair; an empty map removes them.
    Viewpoint* bare = topic->addViewpoint();
    QVERIFY(bare->componentsToQVariant().isEmpty());
    bare->componentsFromQVariant(throughJson(components).toMap());
    QCOMPARE(throughJson(bare->componentsToQVariant()), throughJson(components));
    QVERIFY(bare->toQVariant().toMap().contains(Keys::Components));
    bare->componentsFromQVariant(QVariantMap());
    QVERIFY(!bare->toQVariant().toMap().contains(Keys::Components));

    // A record with empty camera maps and no lists clears them; index -1 is not written.
    copy->fromQVariant(QVariantMap{{Keys::OrthogonalCamera, QVariantMap()}});
    const QVariantMap cleared = copy->toQVariant().toMap();
    QVERIFY(!cleared.contains(Keys::OrthogonalCamera));
    QVERIFY(!cleared.contains(Keys::PerspectiveCamera));
    QVERIFY(!cleared.contains(Keys::Components));
    QVERIFY(!cleared.contains(Keys::Bitmaps));
    QVERIFY(!cleared.contains(Keys::Index));
    QCOMPARE(cleared.value(Keys::Lines).toList().size(), 0);

    // Numbers may come back as text or doubles.
    copy->fromQVariant(QVariantMap{{Keys::Index, 2.0},
                                   {Keys::OrthogonalCamera, QVariantMap{{Keys::ViewToWorldScale, QStringLiteral("1.5")}}}});
    QCOMPARE(copy->index(), 2);
    QCOMPARE(copy->orthogonalCamera()->viewToWorldScale, 1.5);
}

void TestModel::attachmentRecordsRoundTrip()
{
    QSharedPointer<BCFModel> model = BCFModel::Create();
    Topic* topic = model->addTopic(QStringLiteral("t"), QString(), QDateTime());

    BimSnippet* snippet = topic->addBimSnippet();
    snippet->setSnippetType(QStringLiteral("JSON"));
    snippet->setReference(QStringLiteral("JsonElement.json"));
    snippet->setReferenceSchema(QStringLiteral("http://json-schema.org"));
    snippet->setSnippetData("{\"a\":1}");
    BimSnippet other;
    other.fromQVariant(throughJson(snippet->toQVariant()));
    QCOMPARE(other.toQVariant(), snippet->toQVariant());
    QCOMPARE(other.snippetData(), QByteArray("{\"a\":1}"));
    QVERIFY(topic->toQVariant().toMap().contains(Keys::BimSnippet));
    topic->removeBimSnippet();
    QVERIFY(!topic->toQVariant().toMap().contains(Keys::BimSnippet));

    File* file = topic->addFile();
    file->setIfcProject(QStringLiteral("0M6o7Znnv7hxsbWgeu7oQq"));
    file->setIfcSpatialStructureElement(QStringLiteral("23B$bNeGHFQuMYJzvUX0FD"));
    file->setFileName(QStringLiteral("IfcPile_01.ifc"));
    file->setDate(IsoDateTime::parse(QStringLiteral("2014-10-27T16:27:27Z")));
    file->setReference(QStringLiteral("../IfcPile_01.ifc"));
    file->setIsExternal(false);
    File* fileCopy = topic->addFile();
    fileCopy->fromQVariant(throughJson(file->toQVariant()));
    QCOMPARE(fileCopy->toQVariant(), file->toQVariant());
    // The format's default for a file is external.
    fileCopy->fromQVariant(QVariantMap());
    QVERIFY(fileCopy->isExternal());

    DocumentReference* document = topic->addDocumentReference(QStringLiteral("d-1"));
    document->setReferencedDocument(QStringLiteral("../Requirements.pdf"));
    document->setDescription(QStringLiteral("Requirements"));
    document->setDocumentData(QByteArray("%PDF-1.4\0\xff", 10));
    DocumentReference* documentCopy = topic->addDocumentReference();
    documentCopy->fromQVariant(throughJson(document->toQVariant()));
    QCOMPARE(documentCopy->toQVariant(), document->toQVariant());
    QCOMPARE(documentCopy->guid(), QStringLiteral("d-1"));
    QCOMPARE(documentCopy->documentData(), document->documentData());

    topic->addRelatedTopic(QStringLiteral("r-1"));
    topic->addRelatedTopic(QStringLiteral("r-1"));
    QCOMPARE(topic->toQVariant().toMap().value(Keys::RelatedTopics).toStringList(), (QStringList{"r-1", "r-1"}));
    topic->removeRelatedTopics();
    topic->removeFiles();
    topic->removeDocumentReferences();
    const QVariantMap empty = topic->toQVariant().toMap();
    QVERIFY(empty.value(Keys::Files).toList().isEmpty());
    QVERIFY(empty.value(Keys::DocumentReferences).toList().isEmpty());
    QVERIFY(empty.value(Keys::RelatedTopics).toList().isEmpty());
}

void TestModel::topicRecord()
{
    QSharedPointer<BCFModel> model = BCFModel::Create();
    Topic* topic = model->addTopic(QStringLiteral("Title"), QStringLiteral("author"),
                                   IsoDateTime::parse(QStringLiteral("2015-06-21T12:00:00Z")), QStringLiteral("T-1"));
    topic->setReferenceLinks({QStringLiteral("https://a"), QStringLiteral("https://b")});
    topic->setModifiedDate(IsoDateTime::parse(QStringLiteral("2015-06-21T14:22:47+01:00")));
    topic->addComment(QStringLiteral("c"))->setText(QStringLiteral("hello"));
    fillViewpoint(topic->addViewpoint(QStringLiteral("v")));

    QVariantMap record = throughJson(topic->toQVariant()).toMap();
    QCOMPARE(record.value(Keys::Guid).toString(), QStringLiteral("T-1"));
    QCOMPARE(record.value(Keys::CreationDate).toString(), QStringLiteral("2015-06-21T12:00:00Z"));
    QCOMPARE(record.value(Keys::ModifiedDate).toString(), QStringLiteral("2015-06-21T14:22:47+01:00"));
    QCOMPARE(record.value(Keys::ReferenceLink).toString(), QStringLiteral("https://a")); // the first of the list
    QVERIFY(!record.contains(Keys::Index)); // -1 is not written
    QCOMPARE(record.value(Keys::Comments).toList().value(0).toMap().value(Keys::Comment).toString(), QStringLiteral("hello"));
    QCOMPARE(record.value(Keys::Viewpoints).toList().value(0).toMap().value(Keys::Guid).toString(), QStringLiteral("v"));

    topic->setIndex(0);
    QCOMPARE(topic->toQVariant().toMap().value(Keys::Index), QVariant(0));

    // The first reference link can be set alone; the others stay.
    topic->setReferenceLink(QStringLiteral("https://c"));
    QCOMPARE(topic->referenceLinks(), (QStringList{"https://c", "https://b"}));
    topic->setReferenceLink(QString());
    QCOMPARE(topic->referenceLinks(), QStringList{"https://b"});
}

void TestModel::loadReportAndValidity()
{
    QSharedPointer<BCFModel> model = BCFModel::Create();
    QString message = QStringLiteral("x"), title = QStringLiteral("y");
    QVERIFY(model->isValid(QStringLiteral("a.bcfzip"), message, title));
    QVERIFY(message.isEmpty() && title.isEmpty());

    for (int i = 0; i < 20; ++i)
        model->addLoadWarning(QStringLiteral("Topic folder %1 was skipped.").arg(i));
    QVERIFY(model->isValid(QStringLiteral("a.bcfzip"), message, title));
    QVERIFY(!title.isEmpty());
    QVERIFY(message.contains(QStringLiteral("a.bcfzip")));
    QVERIFY(message.contains(QStringLiteral("Topic folder 0 was skipped.")));
    QVERIFY(!message.contains(QStringLiteral("Topic folder 19 was skipped.")));
    QVERIFY(message.contains(QStringLiteral("5 more")));

    model->setLoadError(QStringLiteral("it is broken."));
    QVERIFY(!model->isValid(QStringLiteral("a.bcfzip"), message, title));
    QVERIFY(message.contains(QStringLiteral("it is broken.")));
    QVERIFY(!title.isEmpty());
}

BCF_TEST_MAIN(TestModel)
#include "tst_model.moc"
