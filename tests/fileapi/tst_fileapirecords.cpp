// Record rules of BCFFileApi over an in-memory model: creating versus editing topics with nested
// comments and viewpoints, defaults of missing keys, attachments replaced only when named, the
// project rules, snapshot ownership, a null model and clearTopics.
#include "BCFTestSupport/TestMain.h"

#include "BCFapi/BCFFileApi.h"

#include "BCFLib/BCFModel.h"
#include "BCFLib/BimSnippet.h"
#include "BCFLib/Comment.h"
#include "BCFLib/Project.h"
#include "BCFLib/Topic.h"
#include "BCFLib/Viewpoint.h"

#include <memory>

using Vexamo::BCFFileApi;

namespace {

QVariantMap point(double x, double y, double z)
{
    return {{"x", x}, {"y", y}, {"z", z}};
}

QVariantMap comment(const QString& guid, const QString& text)
{
    QVariantMap record{{"comment", text}, {"author", "ann"}, {"date", "2024-05-01T10:00:00Z"}};
    if (!guid.isNull())
        record.insert("guid", guid);
    return record;
}

QVariantMap viewpoint(const QString& guid, double fieldOfView)
{
    QVariantMap record{{"perspective_camera",
                        QVariantMap{{"camera_view_point", point(1, 2, 3)},
                                    {"camera_direction", point(0, 0, -1)},
                                    {"camera_up_vector", point(0, 1, 0)},
                                    {"field_of_view", fieldOfView}}}};
    if (!guid.isNull())
        record.insert("guid", guid);
    return record;
}

QStringList guidsOf(const QVariantList& records)
{
    QStringList guids;
    for (const QVariant& record : records)
        guids.append(record.toMap().value("guid").toString());
    return guids;
}

// Records which of its own operations the topic update reaches, and answers the single-record reads
// with a marker, so that the lists can be shown to be built through them.
class RecordingFileApi : public BCFFileApi
{
public:
    using BCFFileApi::BCFFileApi;
    QStringList calls;

    QVariantMap getSingleTopic(const QString& topic_id, const QString& project_id) const override
    {
        QVariantMap record = BCFFileApi::getSingleTopic(topic_id, project_id);
        record.insert("marker", "topic");
        return record;
    }
    QVariantMap getSingleComment(const QString& topic_id, const QString& comment_id,
                                 const QString& project_id) const override
    {
        Q_UNUSED(topic_id)
        Q_UNUSED(project_id)
        return {{"marker", "comment:" + comment_id}};
    }
    QVariantMap getSingleViewpoint(const QString& topic_id, const QString& viewpoint_id,
                                   const QString& project_id) const override
    {
        Q_UNUSED(topic_id)
        Q_UNUSED(project_id)
        return {{"marker", "viewpoint:" + viewpoint_id}};
    }
    void setBimSnippet(const QString& topic_id, const QVariantMap& snippet, const QString& project_id) override
    {
        calls << "setBimSnippet";
        BCFFileApi::setBimSnippet(topic_id, snippet, project_id);
    }
    void setFile(const QString& topic_id, const QVariantList& files, const QString& project_id) override
    {
        calls << "setFile";
        BCFFileApi::setFile(topic_id, files, project_id);
    }
    QString createComment(const QString& topic_id, const QVariantMap& record, const QString& project_id) override
    {
        calls << "createComment";
        return BCFFileApi::createComment(topic_id, record, project_id);
    }
    void editSingleComment(const QString& topic_id, const QString& comment_id, const QVariantMap& record,
                           const QString& project_id) override
    {
        calls << "editSingleComment";
        BCFFileApi::editSingleComment(topic_id, comment_id, record, project_id);
    }
};

} // namespace

class TestFileApiRecords : public QObject
{
    Q_OBJECT

private slots:
    void nullModel();
    void projects();
    void topicScalarsAndDefaults();
    void nestedCommentsAndViewpoints();
    void attachmentsReplacedOnlyWhenNamed();
    void modelOnlyTopicFieldsKept();
    void snapshotOwnership();
    void componentsAndUnknownIdentifiers();
    void listsAndUpdateGoThroughOwnOperations();
    void clearTopicsLeavesCreatorsModel();
};

void TestFileApiRecords::nullModel()
{
    BCFFileApi api(nullptr, nullptr);
    QCOMPARE(api.version(), QString());
    QCOMPARE(api.createProject("p"), QString());
    QCOMPARE(api.createTopic({{"title", "t"}}, QString()), QString());
    QCOMPARE(api.createComment("t", comment("c", "x"), QString()), QString());
    QCOMPARE(api.createViewpoint("t", viewpoint("v", 60), QString()), QString());
    QVERIFY(api.getProject().isEmpty());
    QVERIFY(api.getTopic(QString()).isEmpty());
    QVERIFY(api.getSingleTopic("t", QString()).isEmpty());
    QVERIFY(api.getComment("t", QString()).isEmpty());
    QVERIFY(api.getViewpoint("t", QString()).isEmpty());
    QVERIFY(api.getBimSnippet("t", QString()).isEmpty());
    QVERIFY(api.getComponent("t", "v", QString()).isEmpty());
    QCOMPARE(api.getSnapshotContent("t", "v", QString()), nullptr);
    QVERIFY(!api.saveTopics(QDir(QDir::tempPath()).filePath("fileapi-null-model.bcfzip")));
    // Writes do nothing and do not crash.
    QByteArray bytes("png");
    api.editSingleProject("p", "name");
    api.editSingleTopic("t", {{"title", "t"}}, QString());
    api.editSnapshotContent("t", "v", &bytes, QString());
    api.setBimSnippet("t", {}, QString());
    api.setFile("t", {QVariantMap{}}, QString());
    api.setRelatedTopics("t", {"a"}, QString());
    api.setComponent("t", "v", {{"selection", QVariantList{}}}, QString());
    api.removeSingleTopic("t", QString());

    // clearTopics gives the object a model of its own.
    QVERIFY(api.clearTopics());
    QVERIFY(!api.createTopic({{"title", "t"}}, QString()).isEmpty());
    QCOMPARE(api.getTopic(QString()).size(), 1);
}

void TestFileApiRecords::projects()
{
    const auto model = BCFLib::BCFModel::Create();
    BCFFileApi api(model, nullptr);
    QVERIFY(api.getProject().isEmpty());

    // A model without a project gets one under the given identifier.
    api.editSingleProject("P-1", "Tower");
    QCOMPARE(api.getSingleProject("P-1"), QString("Tower"));
    QCOMPARE(api.getSingleProject("P-2"), QString());
    QCOMPARE(api.getSingleProject(QString()), QString());
    // The identifier is compared exactly.
    QCOMPARE(api.getSingleProject("p-1"), QString());
    // A project with another identifier is left alone.
    api.editSingleProject("P-2", "Other");
    QCOMPARE(model->project()->guid(), QString("P-1"));
    QCOMPARE(model->project()->name(), QString("Tower"));
    api.editSingleProject("P-1", "Renamed");
    QCOMPARE(api.getSingleProject("P-1"), QString("Renamed"));

    const QVariantList projects = api.getProject();
    QCOMPARE(projects.size(), 1);
    QCOMPARE(projects.first().toMap().value("project_id").toString(), QString("P-1"));

    BCFFileApi fresh(BCFLib::BCFModel::Create(), nullptr);
    const QString id = fresh.createProject("New");
    QVERIFY(!id.isEmpty());
    QCOMPARE(fresh.getSingleProject(id), QString("New"));
}

void TestFileApiRecords::topicScalarsAndDefaults()
{
    BCFFileApi api(BCFLib::BCFModel::Create(), nullptr);
    const QVariantMap full{{"guid", "T-1"},
                           {"title", "Crack"},
                           {"creation_date", QDateTime(QDate(2024, 5, 1), QTime(8, 30), Qt::UTC)},
                           {"creation_author", "ann"},
                           {"modified_date", "2024-05-02T09:00:00+02:00"},
                           {"modified_author", "bob"},
                           {"topic_type", "Issue"},
                           {"topic_status", "Open"},
                           {"priority", "High"},
                           {"index", 4.0},
                           {"labels", QStringList{"a", "b"}},
                           {"assigned_to", "carl"},
                           {"reference_link", "http://x"},
                           {"description", "desc"}};
    QCOMPARE(api.createTopic(full, QString()), QString("T-1"));
    QVariantMap topic = api.getSingleTopic("T-1", QString());
    for (const char* key : {"title", "creation_author", "modified_author", "topic_type", "topic_status",
                            "priority", "assigned_to", "reference_link", "description"})
        QCOMPARE(topic.value(key).toString(), full.value(key).toString());
    QCOMPARE(topic.value("index").toInt(), 4);
    QCOMPARE(topic.value("labels").toStringList(), QStringList({"a", "b"}));
    // A QDateTime and its ISO text are the same instant.
    QCOMPARE(QDateTime::fromString(topic.value("creation_date").toString(), Qt::ISODate),
             full.value("creation_date").toDateTime());
    QCOMPARE(QDateTime::fromString(topic.value("modified_date").toString(), Qt::ISODate),
             QDateTime(QDate(2024, 5, 2), QTime(7, 0), Qt::UTC));

    // Every scalar key is written on edit; missing ones give their defaults, index -1. The
    // creation date and the guid stay.
    api.editSingleTopic("T-1", {{"guid", "other"}, {"creation_date", "2000-01-01T00:00:00Z"}}, QString());
    topic = api.getSingleTopic("T-1", QString());
    QCOMPARE(topic.value("title").toString(), QString());
    QCOMPARE(topic.value("topic_status").toString(), QString());
    QCOMPARE(topic.value("labels").toStringList(), QStringList());
    QCOMPARE(topic.value("reference_link").toString(), QString());
    QCOMPARE(topic.value("index", -1).toInt(), -1);
    QCOMPARE(topic.value("guid").toString(), QString("T-1"));
    QCOMPARE(QDateTime::fromString(topic.value("creation_date").toString(), Qt::ISODate),
             full.value("creation_date").toDateTime());

    api.editSingleTopic("T-1", {{"index", 0}}, QString());
    QCOMPARE(api.getSingleTopic("T-1", QString()).value("index", -1).toInt(), 0);

    // A date written day/month/year does not parse: the creation date is invalid.
    const QString id = api.createTopic({{"creation_date", "01/05/2024"}}, QString());
    QVERIFY(!id.isEmpty());
    QCOMPARE(api.getSingleTopic(id, QString()).value("creation_date").toString(), QString());

    // An identifier the model holds already is refused, not merged.
    QCOMPARE(api.createTopic({{"guid", "T-1"}, {"title", "dup"}}, QString()), QString());
    QCOMPARE(api.getTopic(QString()).size(), 2);
    QVERIFY(api.getSingleTopic("nope", QString()).isEmpty());
    api.editSingleTopic("nope", {{"title", "x"}}, QString());
    QCOMPARE(api.getTopic(QString()).size(), 2);
}

void TestFileApiRecords::nestedCommentsAndViewpoints()
{
    BCFFileApi api(BCFLib::BCFModel::Create(), nullptr);
    // On create, every entry is created, a guid becoming the new item's identifier.
    const QVariantMap record{{"guid", "T"},
                             {"comments", QVariantList{comment("C-1", "one"), comment("C-2", "two"),
                                                       comment(QString(), "three")}},
                             {"viewpoints", QVariantList{viewpoint("V-1", 40), viewpoint("V-2", 50)}}};
    QCOMPARE(api.createTopic(record, QString()), QString("T"));
    QVariantList comments = api.getComment("T", QString());
    QCOMPARE(comments.size(), 3);
    QCOMPARE(guidsOf(comments).mid(0, 2), QStringList({"C-1", "C-2"}));
    QVERIFY(!guidsOf(comments).at(2).isEmpty());
    QCOMPARE(guidsOf(api.getViewpoint("T", QString())), QStringList({"V-1", "V-2"}));

    // On edit, an entry with a known guid edits, one without is added, unnamed items stay.
    api.editSingleTopic("T",
                        {{"comments", QVariantList{comment("C-1", "edited"), comment(QString(), "four")}},
                         {"viewpoints", QVariantList{viewpoint("V-2", 90), viewpoint(QString(), 70)}}},
                        QString());
    comments = api.getComment("T", QString());
    QCOMPARE(comments.size(), 4);
    QCOMPARE(api.getSingleComment("T", "C-1", QString()).value("comment").toString(), QString("edited"));
    QCOMPARE(api.getSingleComment("T", "C-2", QString()).value("comment").toString(), QString("two"));
    QCOMPARE(comments.last().toMap().value("comment").toString(), QString("four"));
    const QVariantList viewpoints = api.getViewpoint("T", QString());
    QCOMPARE(viewpoints.size(), 3);
    auto fov = [&](const QString& id) {
        return api.getSingleViewpoint("T", id, QString())
            .value("perspective_camera").toMap().value("field_of_view").toDouble();
    };
    QCOMPARE(fov("V-1"), 40.0);
    QCOMPARE(fov("V-2"), 90.0);
    QCOMPARE(fov(viewpoints.last().toMap().value("guid").toString()), 70.0);

    // An entry whose guid names no item of the topic is added under that guid rather than dropped.
    api.editSingleTopic("T", {{"comments", QVariantList{comment("C-9", "new")}}}, QString());
    QCOMPARE(api.getSingleComment("T", "C-9", QString()).value("comment").toString(), QString("new"));

    // A record without the lists leaves them alone.
    api.editSingleTopic("T", {{"title", "x"}}, QString());
    QCOMPARE(api.getComment("T", QString()).size(), 5);
    QCOMPARE(api.getViewpoint("T", QString()).size(), 3);

    // Direct item operations; unknown identifiers change nothing.
    QCOMPARE(api.createComment("nope", comment(QString(), "x"), QString()), QString());
    api.editSingleViewpoint("T", "nope", viewpoint(QString(), 1), QString());
    QCOMPARE(api.getViewpoint("T", QString()).size(), 3);
    api.removeSingleComment("T", "C-2", QString());
    api.removeSingleViewpoint("T", "V-1", QString());
    QVERIFY(api.getSingleComment("T", "C-2", QString()).isEmpty());
    QVERIFY(api.getSingleViewpoint("T", "V-1", QString()).isEmpty());
    QVERIFY(api.getComment("nope", QString()).isEmpty());
    const QString bare = api.createTopic({}, QString());
    QVERIFY(api.getComment(bare, QString()).isEmpty());
}

void TestFileApiRecords::attachmentsReplacedOnlyWhenNamed()
{
    BCFFileApi api(BCFLib::BCFModel::Create(), nullptr);
    const QVariantMap file1{{"file_name", "a.ifc"}, {"ifc_project", "0abc"}, {"date", "2024-01-01T00:00:00Z"}};
    const QVariantMap file2{{"file_name", "b.ifc"}};
    const QVariantMap document{{"referenced_document", "http://doc"}, {"description", "spec sheet"},
                               {"is_external", true}};
    QCOMPARE(api.createTopic({{"guid", "T"},
                              {"bim_snippet", QVariantMap{{"snippet_type", "IFC"}, {"reference", "s.ifc"},
                                                         {"reference_schema", "http://schema"},
                                                         {"is_external", true}}},
                              {"files", QVariantList{file1, file2}},
                              {"document_references", QVariantList{document}},
                              {"related_topics", QStringList{"R", "R"}}},
                             QString()),
             QString("T"));
    QCOMPARE(api.getFile("T", QString()).size(), 2);
    QCOMPARE(api.getFile("T", QString()).first().toMap().value("file_name").toString(), QString("a.ifc"));
    QCOMPARE(api.getDocumentReference("T", QString()).first().toMap().value("description").toString(),
             QString("spec sheet"));
    // Stored as given, repetition included.
    QCOMPARE(api.getRelatedTopics("T", QString()), QStringList({"R", "R"}));
    QCOMPARE(api.getBimSnippet("T", QString()).value("reference").toString(), QString("s.ifc"));

    // Not named: kept.
    api.editSingleTopic("T", {{"title", "x"}}, QString());
    QCOMPARE(api.getFile("T", QString()).size(), 2);
    QCOMPARE(api.getDocumentReference("T", QString()).size(), 1);
    QCOMPARE(api.getRelatedTopics("T", QString()).size(), 2);
    QCOMPARE(api.getBimSnippet("T", QString()).value("snippet_type").toString(), QString("IFC"));

    // Named with empty values: replaced whole; an empty snippet record still leaves one snippet.
    api.editSingleTopic("T",
                        {{"bim_snippet", QVariantMap()},
                         {"files", QVariantList()},
                         {"document_references", QVariantList()},
                         {"related_topics", QStringList()}},
                        QString());
    QVERIFY(api.getFile("T", QString()).isEmpty());
    QVERIFY(api.getDocumentReference("T", QString()).isEmpty());
    QVERIFY(api.getRelatedTopics("T", QString()).isEmpty());
    const QVariantMap snippet = api.getBimSnippet("T", QString());
    QVERIFY(!snippet.isEmpty());
    QCOMPARE(snippet.value("snippet_type").toString(), QString());
    QCOMPARE(snippet.value("reference").toString(), QString());
    QCOMPARE(snippet.value("is_external").toBool(), false);

    // Setters on an unknown topic change nothing; a topic without snippet gives an empty map.
    api.setFile("nope", {file1}, QString());
    api.setBimSnippet("nope", {{"reference", "x"}}, QString());
    QCOMPARE(api.getTopic(QString()).size(), 1);
    QVERIFY(api.getFile("nope", QString()).isEmpty());
    const QString bare = api.createTopic({}, QString());
    QVERIFY(api.getBimSnippet(bare, QString()).isEmpty());
}

void TestFileApiRecords::modelOnlyTopicFieldsKept()
{
    // A topic copied through the records keeps stage, due date, the full list of reference links
    // and the content of an internal snippet file.
    const auto source = BCFLib::BCFModel::Create();
    BCFLib::Topic* topic = source->addTopic("t", "ann", QDateTime::currentDateTimeUtc(), "T");
    topic->setStage("Design");
    topic->setDueDate(QDateTime(QDate(2025, 1, 31), QTime(12, 0), Qt::UTC));
    topic->setReferenceLinks({"http://one", "http://two"});
    BCFLib::BimSnippet* snippet = topic->addBimSnippet();
    snippet->setReference("snippet.ifc");
    snippet->setSnippetData(QByteArray("ISO-10303-21;\0binary", 20));

    BCFFileApi from(source, nullptr);
    BCFFileApi into(BCFLib::BCFModel::Create(), nullptr);
    const QVariantMap record = from.getSingleTopic("T", QString());
    QCOMPARE(into.createTopic(record, QString()), QString("T"));
    QVariantMap copied = into.getSingleTopic("T", QString());
    QCOMPARE(copied.value("stage").toString(), QString("Design"));
    QCOMPARE(QDateTime::fromString(copied.value("due_date").toString(), Qt::ISODate),
             topic->dueDate());
    QCOMPARE(copied.value("reference_links").toStringList(), QStringList({"http://one", "http://two"}));
    QCOMPARE(copied.value("bim_snippet"), record.value("bim_snippet"));
    QVERIFY(copied.value("bim_snippet").toMap().contains("snippet_data"));

    // An edited "reference_link" wins over the unchanged list read beside it; an edited list
    // beside an unchanged "reference_link" is taken as given.
    copied.insert("reference_link", "http://first");
    into.editSingleTopic("T", copied, QString());
    copied = into.getSingleTopic("T", QString());
    QCOMPARE(copied.value("reference_links").toStringList(), QStringList({"http://first", "http://two"}));
    copied.insert("reference_links", QStringList{"http://new", "http://two", "http://three"});
    into.editSingleTopic("T", copied, QString());
    QCOMPARE(into.getSingleTopic("T", QString()).value("reference_links").toStringList(),
             QStringList({"http://new", "http://two", "http://three"}));
    // A record without the list sets the single link as before.
    into.editSingleTopic("T", {{"reference_link", "http://only"}}, QString());
    QCOMPARE(into.getSingleTopic("T", QString()).value("reference_links").toStringList(),
             QStringList({"http://only", "http://two", "http://three"}));
    // A record without those keys leaves stage and due date as they are.
    into.editSingleTopic("T", {{"title", "x"}}, QString());
    QCOMPARE(into.getSingleTopic("T", QString()).value("stage").toString(), QString("Design"));
    QCOMPARE(QDateTime::fromString(into.getSingleTopic("T", QString()).value("due_date").toString(), Qt::ISODate),
             topic->dueDate());
}

void TestFileApiRecords::snapshotOwnership()
{
    BCFFileApi api(BCFLib::BCFModel::Create(), nullptr);
    const QString topic = api.createTopic({{"viewpoints", QVariantList{viewpoint("V", 60)}}}, QString());
    QCOMPARE(api.getSnapshotContent(topic, "V", QString()), nullptr);
    {
        auto content = std::make_unique<QByteArray>("\x89PNG-one");
        api.editSnapshotContent(topic, "V", content.get(), QString());
        // The caller keeps its array: changing or deleting it leaves the stored snapshot alone.
        content->fill('x');
    }
    std::unique_ptr<QByteArray> first(api.getSnapshotContent(topic, "V", QString()));
    std::unique_ptr<QByteArray> second(api.getSnapshotContent(topic, "V", QString()));
    QVERIFY(first && second);
    QVERIFY(first.get() != second.get());
    QCOMPARE(*first, QByteArray("\x89PNG-one"));
    first->clear();
    first.reset();
    QCOMPARE(*second, QByteArray("\x89PNG-one"));
    std::unique_ptr<QByteArray> third(api.getSnapshotContent(topic, "V", QString()));
    QCOMPARE(*third, QByteArray("\x89PNG-one"));

    // Kept under the identifier whether or not such a viewpoint exists; null content is ignored.
    QByteArray loose("loose");
    api.editSnapshotContent(topic, "no-viewpoint", &loose, QString());
    std::unique_ptr<QByteArray> looseCopy(api.getSnapshotContent(topic, "no-viewpoint", QString()));
    QVERIFY(looseCopy);
    QCOMPARE(*looseCopy, loose);
    api.editSnapshotContent(topic, "V", nullptr, QString());
    QCOMPARE(*std::unique_ptr<QByteArray>(api.getSnapshotContent(topic, "V", QString())), QByteArray("\x89PNG-one"));
    QCOMPARE(api.getSnapshotContent("nope", "V", QString()), nullptr);
}

void TestFileApiRecords::componentsAndUnknownIdentifiers()
{
    BCFFileApi api(BCFLib::BCFModel::Create(), nullptr);
    const QString topic = api.createTopic({{"viewpoints", QVariantList{viewpoint("V", 60)}}}, QString());
    QVERIFY(api.getComponent(topic, "V", QString()).isEmpty());
    const QVariantMap components{
        {"selection", QVariantList{QVariantMap{{"ifc_guid", "2MF28NhmDBiRVyFakgdbCT"},
                                               {"originating_system", "Tool"}}}}};
    api.setComponent(topic, "V", components, QString());
    const QVariantList selection = api.getComponent(topic, "V", QString()).value("selection").toList();
    QCOMPARE(selection.size(), 1);
    QCOMPARE(selection.first().toMap().value("ifc_guid").toString(), QString("2MF28NhmDBiRVyFakgdbCT"));
    // The viewpoint record carries the components too.
    QVERIFY(api.getSingleViewpoint(topic, "V", QString()).contains("components"));

    QVERIFY(api.getComponent("nope", "V", QString()).isEmpty());
    QVERIFY(api.getComponent(topic, "nope", QString()).isEmpty());
    api.setComponent(topic, "nope", components, QString());
    QVERIFY(api.getSingleViewpoint(topic, "nope", QString()).isEmpty());
}

void TestFileApiRecords::listsAndUpdateGoThroughOwnOperations()
{
    RecordingFileApi api(BCFLib::BCFModel::Create(), nullptr);
    api.createTopic({{"guid", "T"},
                     {"comments", QVariantList{comment("C", "c")}},
                     {"viewpoints", QVariantList{viewpoint("V", 1)}},
                     {"files", QVariantList()}},
                    QString());
    QCOMPARE(api.calls, QStringList({"setFile", "createComment"}));
    api.calls.clear();
    api.editSingleTopic("T", {{"bim_snippet", QVariantMap()}, {"comments", QVariantList{comment("C", "d")}}},
                        QString());
    QCOMPARE(api.calls, QStringList({"setBimSnippet", "editSingleComment"}));

    const QVariantList topics = api.getTopic(QString());
    QCOMPARE(topics.size(), 1);
    QCOMPARE(topics.first().toMap().value("marker").toString(), QString("topic"));
    QCOMPARE(api.getComment("T", QString()), QVariantList({QVariantMap{{"marker", "comment:C"}}}));
    QCOMPARE(api.getViewpoint("T", QString()), QVariantList({QVariantMap{{"marker", "viewpoint:V"}}}));
}

void TestFileApiRecords::clearTopicsLeavesCreatorsModel()
{
    const auto model = BCFLib::BCFModel::Create();
    model->setVersion(BCFLib::Version("2.1"));
    BCFFileApi api(model, nullptr);
    QCOMPARE(api.version(), QString("2.1"));
    api.createTopic({{"guid", "T"}}, QString());
    QVERIFY(api.clearTopics());
    QVERIFY(api.getTopic(QString()).isEmpty());
    QCOMPARE(model->topicCount(), 1);
    // Later writes reach the new model only.
    api.createTopic({{"guid", "U"}}, QString());
    QCOMPARE(model->topicCount(), 1);
    QVERIFY(!model->topic("U"));
}

BCF_TEST_MAIN(TestFileApiRecords)
#include "tst_fileapirecords.moc"
