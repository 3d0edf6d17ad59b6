#include "BCFapi/BCFFileApi.h"

#include "BCFapi/BCFKeys.h"

#include "BCFLib/BCFModel.h"
#include "BCFLib/IsoDateTime.h"
#include "BCFLib/Project.h"
#include "BCFLib/RecordKeys.h"
#include "BCFLib/Topic.h"

#include <QDateTime>

namespace Vexamo {

namespace {

// Dates travel as ISO 8601 text (a QDateTime value is taken as the same instant). Text that does
// not parse, or a missing key, gives an invalid date-time, which is stored as it is.
QDateTime dateFromRecord(const QVariantMap& record, const QString& key)
{
    return BCFLib::IsoDateTime::fromVariant(record.value(key));
}

} // namespace

BCFFileApi::BCFFileApi(QSharedPointer<BCFLib::BCFModel> model, QObject* parent)
    : BCFapi(parent)
    , m_model(std::move(model))
{
}

BCFFileApi::~BCFFileApi() = default;

void BCFFileApi::setUsername(QString name)
{
    m_userName = std::move(name);
}

QString BCFFileApi::version() const
{
    if (!m_model)
        return QString();
    return m_model->version().versionId();
}

BCFapi::Type BCFFileApi::getType() const
{
    return ModelBacked;
}

QString BCFFileApi::username() const
{
    return m_userName;
}

// Projects ---------------------------------------------------------------------------------------

QVariantList BCFFileApi::getProject() const
{
    if (!m_model)
        return QVariantList();
    const BCFLib::Project* project = m_model->project();
    if (!project)
        return QVariantList();
    return QVariantList{project->toQVariant()};
}

QString BCFFileApi::createProject(const QString& name)
{
    if (!m_model)
        return QString();
    BCFLib::Project* project = m_model->addProject(QString());
    if (!project)
        return QString();
    project->setName(name);
    return project->guid();
}

QString BCFFileApi::getSingleProject(const QString& project_id) const
{
    if (!m_model)
        return QString();
    const BCFLib::Project* project = m_model->project();
    if (!project || project->guid() != project_id)
        return QString();
    return project->name();
}

void BCFFileApi::editSingleProject(const QString& project_id, const QString& name)
{
    if (!m_model)
        return;
    BCFLib::Project* project = m_model->project();
    if (!project)
        project = m_model->addProject(project_id);
    else if (project->guid() != project_id)
        return;
    if (project)
        project->setName(name);
}

// The model's value lists (BCF 3.0 extensions.xml), else the enumerations of its 2.1 extension
// schema, under the keys of BCFKeys (ExtensionTopicTypes, ...). Creating or editing them sets the
// model's lists.
QVariantMap BCFFileApi::getProjectExtension(const QString& project_id) const
{
    Q_UNUSED(project_id)
    if (!m_model)
        return QVariantMap();
    BCFLib::ProjectExtensions extensions = m_model->extensions();
    if (extensions.isEmpty())
        extensions = BCFLib::ProjectExtensions::fromExtensionSchema(m_model->extensionSchemaData());
    return extensions.toQVariant();
}

void BCFFileApi::createProjectExtension(const QString& project_id, const QVariantMap& extension)
{
    editProjectExtension(project_id, extension);
}

void BCFFileApi::editProjectExtension(const QString& project_id, const QVariantMap& extension)
{
    Q_UNUSED(project_id)
    if (m_model)
        m_model->setExtensions(BCFLib::ProjectExtensions::fromQVariant(extension));
}

// Topics -----------------------------------------------------------------------------------------

QVariantList BCFFileApi::getTopic(const QString& project_id) const
{
    Q_UNUSED(project_id)
    QVariantList list;
    if (!m_model)
        return list;
    // Through the single-record read, so that a subclass overriding it changes the list too.
    for (const BCFLib::Topic* topic : m_model->topics())
        list.append(getSingleTopic(topic->guid(), QString()));
    return list;
}

QString BCFFileApi::createTopic(const QVariantMap& topic, const QString& project_id)
{
    Q_UNUSED(project_id)
    if (!m_model)
        return QString();
    BCFLib::Topic* created = m_model->addTopic(topic.value(BCFKeys::Title).toString(),
                                               topic.value(BCFKeys::CreationAuthor).toString(),
                                               dateFromRecord(topic, BCFKeys::CreationDate),
                                               topic.value(BCFKeys::Guid).toString());
    if (!created)
        return QString();
    const QString guid = created->guid();
    fillTopic(guid, topic, FillMode::Create);
    return guid;
}

QVariantMap BCFFileApi::getSingleTopic(const QString& topic_id, const QString& project_id) const
{
    Q_UNUSED(project_id)
    const BCFLib::Topic* topic = topicOf(topic_id);
    return topic ? topic->toQVariant().toMap() : QVariantMap();
}

void BCFFileApi::editSingleTopic(const QString& topic_id, const QVariantMap& topic, const QString& project_id)
{
    Q_UNUSED(project_id)
    if (!m_model)
        return;
    fillTopic(topic_id, topic, FillMode::Edit);
}

void BCFFileApi::removeSingleTopic(const QString& topic_id, const QString& project_id)
{
    Q_UNUSED(project_id)
    if (!m_model)
        return;
    m_model->removeTopic(topic_id);
}

BCFLib::Topic* BCFFileApi::topicOf(const QString& topic_id) const
{
    return m_model ? m_model->topic(topic_id) : nullptr;
}

void BCFFileApi::fillTopic(const QString& topic_id, const QVariantMap& record, FillMode mode)
{
    BCFLib::Topic* topic = topicOf(topic_id);
    if (!topic)
        return;

    // Scalar fields are written on every call; a missing key writes its default. The guid and the
    // creation date are fixed when the topic is created.
    topic->setTitle(record.value(BCFKeys::Title).toString());
    topic->setCreationAuthor(record.value(BCFKeys::CreationAuthor).toString());
    topic->setTopicType(record.value(BCFKeys::TopicType).toString());
    topic->setTopicStatus(record.value(BCFKeys::TopicStatus).toString());
    fillReferenceLinks(topic, record, mode);
    topic->setPriority(record.value(BCFKeys::Priority).toString());
    topic->setIndex(record.contains(BCFKeys::Index) ? record.value(BCFKeys::Index).toInt() : -1);
    topic->setLabels(record.value(BCFKeys::Labels).toStringList());
    topic->setModifiedDate(dateFromRecord(record, BCFKeys::ModifiedDate));
    topic->setModifiedAuthor(record.value(BCFKeys::ModifiedAuthor).toString());
    topic->setAssignedTo(record.value(BCFKeys::AssignedTo).toString());
    topic->setDescription(record.value(BCFKeys::Description).toString());

    // Fields of the model's own topic record beyond the annotation keys, written only when the
    // record carries them: a save copies topics through this class into a fresh model, and
    // anything left out here would be lost from the user's file.
    if (record.contains(BCFLib::Keys::Stage))
        topic->setStage(record.value(BCFLib::Keys::Stage).toString());
    if (record.contains(BCFLib::Keys::DueDate))
        topic->setDueDate(dateFromRecord(record, BCFLib::Keys::DueDate));
    if (record.contains(BCFLib::Keys::ServerAssignedId))
        topic->setServerAssignedId(record.value(BCFLib::Keys::ServerAssignedId).toString());

    // From here on the topic is reached through the virtual operations only, which look it up
    // again: an override may change the model in between.
    if (record.contains(BCFKeys::BimSnippet))
        setBimSnippet(topic_id, record.value(BCFKeys::BimSnippet).toMap(), QString());
    if (record.contains(BCFKeys::Files))
        setFile(topic_id, record.value(BCFKeys::Files).toList(), QString());
    if (record.contains(BCFKeys::DocumentReferences))
        setDocumentReference(topic_id, record.value(BCFKeys::DocumentReferences).toList(), QString());
    if (record.contains(BCFKeys::RelatedTopics))
        setRelatedTopics(topic_id, record.value(BCFKeys::RelatedTopics).toStringList(), QString());

    // Comments and viewpoints the lists do not name are kept. On edit, an entry with a guid edits
    // that item; when the topic has no such item, the entry is created under its guid rather than
    // dropped.
    if (record.contains(BCFKeys::Comments)) {
        const QVariantList comments = record.value(BCFKeys::Comments).toList();
        for (const QVariant& value : comments) {
            const QVariantMap comment = value.toMap();
            const QString guid = comment.value(BCFKeys::Guid).toString();
            if (mode == FillMode::Edit && comment.contains(BCFKeys::Guid) && commentOf(topic_id, guid))
                editSingleComment(topic_id, guid, comment, QString());
            else
                createComment(topic_id, comment, QString());
        }
    }
    if (record.contains(BCFKeys::Viewpoints)) {
        const QVariantList viewpoints = record.value(BCFKeys::Viewpoints).toList();
        for (const QVariant& value : viewpoints) {
            const QVariantMap viewpoint = value.toMap();
            const QString guid = viewpoint.value(BCFKeys::Guid).toString();
            if (mode == FillMode::Edit && viewpoint.contains(BCFKeys::Guid) && viewpointOf(topic_id, guid))
                editSingleViewpoint(topic_id, guid, viewpoint, QString());
            else
                createViewpoint(topic_id, viewpoint, QString());
        }
    }
}

void BCFFileApi::fillReferenceLinks(BCFLib::Topic* topic, const QVariantMap& record, FillMode mode)
{
    const QString link = record.value(BCFKeys::ReferenceLink).toString();
    if (!record.contains(BCFLib::Keys::ReferenceLinks)) {
        topic->setReferenceLink(link);
        return;
    }
    // "reference_link" stands for the first entry of "reference_links"; the model's record carries
    // both. When they disagree, the single key was edited on its own (an editor that knows only the
    // one link) unless it still equals the first link the topic had before: on edit the topic's
    // current first link, on create (every save copies topics this way) the list's own first entry.
    // An edited link replaces the first entry; an empty one removes the first entry only, the other
    // links are kept in their order (no file can hold an empty first link before a second one).
    // A record that carries the list without the single key takes the list as given.
    const QStringList links = record.value(BCFLib::Keys::ReferenceLinks).toStringList();
    const QString before = mode == FillMode::Edit ? topic->referenceLink() : links.value(0);
    topic->setReferenceLinks(links);
    if (record.contains(BCFKeys::ReferenceLink) && link != before)
        topic->setReferenceLink(link);
}

// Store-wide operations --------------------------------------------------------------------------

bool BCFFileApi::saveTopics(const QString& file_name)
{
    if (!m_model)
        return false;
    return m_model->serialize(file_name);
}

bool BCFFileApi::clearTopics()
{
    // A fresh model of our own; the creator's model is no longer seen or changed through us.
    m_model = BCFLib::BCFModel::Create();
    return true;
}

// Workflow operations: a model-backed store has no document workflow of its own. ------------------

QList<QAction*> BCFFileApi::getActions()
{
    return QList<QAction*>();
}

QAction* BCFFileApi::getExtraAction()
{
    return nullptr;
}

void BCFFileApi::actionUnselected(QAction* action)
{
    Q_UNUSED(action)
}

void BCFFileApi::checkToSaveCurrentBCF()
{
}

} // namespace Vexamo
