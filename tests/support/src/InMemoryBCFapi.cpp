#include "BCFTestSupport/InMemoryBCFapi.h"

#include "BCFapi/BCFKeys.h"

#include <QUuid>

using namespace Vexamo;

namespace BCFTest {

namespace {

QString newId()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces).toLower();
}

QString bytesArg(const QByteArray* content)
{
    return content ? QLatin1Char('<') + QString::fromLatin1(*content) + QLatin1Char('>') : QStringLiteral("null");
}

QString recordArg(const QVariantMap& record)
{
    if (record.contains(BCFKeys::Guid))
        return record.value(BCFKeys::Guid).toString();
    if (record.contains(BCFKeys::ProjectId))
        return record.value(BCFKeys::ProjectId).toString();
    return QStringLiteral("{}");
}

QString listArg(int size)
{
    return QStringLiteral("[%1]").arg(size);
}

int indexOfGuid(const QVariantList& list, const QString& id)
{
    for (int i = 0; i < list.size(); ++i) {
        if (list.at(i).toMap().value(BCFKeys::Guid).toString() == id)
            return i;
    }
    return -1;
}

// The record with its "guid", a new one when it has none.
QVariantMap withGuid(const QVariantMap& record)
{
    QVariantMap result = record;
    if (result.value(BCFKeys::Guid).toString().isEmpty())
        result.insert(BCFKeys::Guid, newId());
    return result;
}

QByteArray deepCopy(const QByteArray* content)
{
    return QByteArray(content->constData(), content->size());
}

} // namespace

InMemoryBCFapi::InMemoryBCFapi(QObject* parent)
    : BCFapi(parent)
{
}

InMemoryBCFapi::InMemoryBCFapi(const QString& version, QObject* parent)
    : BCFapi(version, parent)
{
}

InMemoryBCFapi::~InMemoryBCFapi() = default;

void InMemoryBCFapi::setCallLog(CallLog* log, const QString& name)
{
    m_log = log;
    m_name = name;
}

void InMemoryBCFapi::setSnapshot(const QString& topic_id, const QString& viewpoint_id, const QByteArray& content,
                                 const QString& project_id)
{
    m_snapshots.insert(contentKey(project_id, {topic_id, viewpoint_id}), deepCopy(&content));
}

void InMemoryBCFapi::setBitmap(const QString& topic_id, const QString& viewpoint_id, const QString& bitmap_id,
                               const QByteArray& content, const QString& project_id)
{
    m_bitmaps.insert(contentKey(project_id, {topic_id, viewpoint_id, bitmap_id}), deepCopy(&content));
}

QStringList InMemoryBCFapi::topicIds(const QString& project_id) const
{
    QStringList ids;
    for (const QVariantMap& topic : m_topics.value(scope(project_id)))
        ids.append(topic.value(BCFKeys::Guid).toString());
    return ids;
}

int InMemoryBCFapi::outstandingContentCopies() const
{
    // Handed-out arrays share their data with the stored one until the caller deletes them.
    int shared = 0;
    for (const QHash<QString, QByteArray>* store : {&m_snapshots, &m_bitmaps, &m_snippetContents}) {
        for (const QByteArray& content : *store) {
            if (!content.isEmpty() && !content.isDetached())
                ++shared;
        }
    }
    return shared;
}

BCFapi::Type InMemoryBCFapi::getType() const
{
    log(QStringLiteral("getType"), {});
    return m_type;
}

QString InMemoryBCFapi::username() const
{
    log(QStringLiteral("username"), {});
    return m_username;
}

QVariantList InMemoryBCFapi::getProject() const
{
    log(QStringLiteral("getProject"), {});
    return m_projects;
}

QString InMemoryBCFapi::createProject(const QString& name)
{
    log(QStringLiteral("createProject"), {name});
    const QString id = newId();
    m_projects.append(QVariantMap{{BCFKeys::ProjectId, id}});
    return id;
}

QString InMemoryBCFapi::getSingleProject(const QString& project_id) const
{
    log(QStringLiteral("getSingleProject"), {project_id});
    return QString();
}

void InMemoryBCFapi::editSingleProject(const QString& project_id, const QString& name)
{
    log(QStringLiteral("editSingleProject"), {project_id, name});
}

QVariantMap InMemoryBCFapi::getProjectExtension(const QString& project_id) const
{
    log(QStringLiteral("getProjectExtension"), {project_id});
    return QVariantMap();
}

void InMemoryBCFapi::createProjectExtension(const QString& project_id, const QVariantMap& extension)
{
    log(QStringLiteral("createProjectExtension"), {project_id, recordArg(extension)});
}

void InMemoryBCFapi::editProjectExtension(const QString& project_id, const QVariantMap& extension)
{
    log(QStringLiteral("editProjectExtension"), {project_id, recordArg(extension)});
}

QVariantList InMemoryBCFapi::getTopic(const QString& project_id) const
{
    log(QStringLiteral("getTopic"), {project_id});
    QVariantList topics;
    for (const QVariantMap& topic : m_topics.value(scope(project_id)))
        topics.append(topic);
    return topics;
}

QString InMemoryBCFapi::createTopic(const QVariantMap& topic, const QString& project_id)
{
    log(QStringLiteral("createTopic"), {recordArg(topic), project_id});
    if (m_refuseTopics)
        return QString();
    const QVariantMap record = withGuid(topic);
    const QString id = record.value(BCFKeys::Guid).toString();
    const int existing = topicIndex(id, project_id);
    if (existing >= 0)
        m_topics[scope(project_id)][existing] = record;
    else
        m_topics[scope(project_id)].append(record);
    return id;
}

QVariantMap InMemoryBCFapi::getSingleTopic(const QString& topic_id, const QString& project_id) const
{
    log(QStringLiteral("getSingleTopic"), {topic_id, project_id});
    const QVariantMap* topic = topicRecord(topic_id, project_id);
    return topic ? *topic : QVariantMap();
}

void InMemoryBCFapi::editSingleTopic(const QString& topic_id, const QVariantMap& topic, const QString& project_id)
{
    log(QStringLiteral("editSingleTopic"), {topic_id, recordArg(topic), project_id});
    QVariantMap* stored = topicRecord(topic_id, project_id);
    if (!stored)
        return;
    *stored = topic;
    stored->insert(BCFKeys::Guid, topic_id);
}

void InMemoryBCFapi::removeSingleTopic(const QString& topic_id, const QString& project_id)
{
    log(QStringLiteral("removeSingleTopic"), {topic_id, project_id});
    const int index = topicIndex(topic_id, project_id);
    if (index >= 0)
        m_topics[scope(project_id)].removeAt(index);
}

QVariantMap InMemoryBCFapi::getBimSnippet(const QString& topic_id, const QString& project_id) const
{
    log(QStringLiteral("getBimSnippet"), {topic_id, project_id});
    const QVariantMap* topic = topicRecord(topic_id, project_id);
    return topic ? topic->value(BCFKeys::BimSnippet).toMap() : QVariantMap();
}

void InMemoryBCFapi::setBimSnippet(const QString& topic_id, const QVariantMap& snippet, const QString& project_id)
{
    log(QStringLiteral("setBimSnippet"), {topic_id, recordArg(snippet), project_id});
    if (QVariantMap* topic = topicRecord(topic_id, project_id))
        topic->insert(BCFKeys::BimSnippet, snippet);
}

QByteArray* InMemoryBCFapi::getBimSnippetContent(const QString& topic_id, const QString& project_id) const
{
    log(QStringLiteral("getBimSnippetContent"), {topic_id, project_id});
    return handOut(m_snippetContents, contentKey(project_id, {topic_id}));
}

void InMemoryBCFapi::setBimSnippetContent(const QString& topic_id, QByteArray* content, const QString& project_id)
{
    log(QStringLiteral("setBimSnippetContent"), {topic_id, bytesArg(content), project_id});
    if (content && topicRecord(topic_id, project_id))
        m_snippetContents.insert(contentKey(project_id, {topic_id}), deepCopy(content));
}

QVariantList InMemoryBCFapi::getFile(const QString& topic_id, const QString& project_id) const
{
    log(QStringLiteral("getFile"), {topic_id, project_id});
    return nestedList(topic_id, BCFKeys::Files, project_id);
}

void InMemoryBCFapi::setFile(const QString& topic_id, const QVariantList& files, const QString& project_id)
{
    log(QStringLiteral("setFile"), {topic_id, listArg(files.size()), project_id});
    setNestedList(topic_id, BCFKeys::Files, files, project_id);
}

QVariantList InMemoryBCFapi::getComment(const QString& topic_id, const QString& project_id) const
{
    log(QStringLiteral("getComment"), {topic_id, project_id});
    return nestedList(topic_id, BCFKeys::Comments, project_id);
}

QString InMemoryBCFapi::createComment(const QString& topic_id, const QVariantMap& comment, const QString& project_id)
{
    log(QStringLiteral("createComment"), {topic_id, recordArg(comment), project_id});
    return addNested(topic_id, BCFKeys::Comments, comment, project_id);
}

QVariantMap InMemoryBCFapi::getSingleComment(const QString& topic_id, const QString& comment_id,
                                             const QString& project_id) const
{
    log(QStringLiteral("getSingleComment"), {topic_id, comment_id, project_id});
    return nestedItem(topic_id, BCFKeys::Comments, comment_id, project_id);
}

void InMemoryBCFapi::editSingleComment(const QString& topic_id, const QString& comment_id,
                                       const QVariantMap& comment, const QString& project_id)
{
    log(QStringLiteral("editSingleComment"), {topic_id, comment_id, recordArg(comment), project_id});
    replaceNested(topic_id, BCFKeys::Comments, comment_id, comment, project_id);
}

void InMemoryBCFapi::removeSingleComment(const QString& topic_id, const QString& comment_id,
                                         const QString& project_id)
{
    log(QStringLiteral("removeSingleComment"), {topic_id, comment_id, project_id});
    replaceNested(topic_id, BCFKeys::Comments, comment_id, QVariant(), project_id);
}

QStringList InMemoryBCFapi::getRelatedTopics(const QString& topic_id, const QString& project_id) const
{
    log(QStringLiteral("getRelatedTopics"), {topic_id, project_id});
    const QVariantMap* topic = topicRecord(topic_id, project_id);
    return topic ? topic->value(BCFKeys::RelatedTopics).toStringList() : QStringList();
}

void InMemoryBCFapi::setRelatedTopics(const QString& topic_id, const QStringList& related,
                                      const QString& project_id)
{
    log(QStringLiteral("setRelatedTopics"), {topic_id, listArg(related.size()), project_id});
    if (QVariantMap* topic = topicRecord(topic_id, project_id))
        topic->insert(BCFKeys::RelatedTopics, related);
}

QVariantList InMemoryBCFapi::getDocumentReference(const QString& topic_id, const QString& project_id) const
{
    log(QStringLiteral("getDocumentReference"), {topic_id, project_id});
    return nestedList(topic_id, BCFKeys::DocumentReferences, project_id);
}

void InMemoryBCFapi::setDocumentReference(const QString& topic_id, const QVariantList& references,
                                          const QString& project_id)
{
    log(QStringLiteral("setDocumentReference"), {topic_id, listArg(references.size()), project_id});
    setNestedList(topic_id, BCFKeys::DocumentReferences, references, project_id);
}

QVariantList InMemoryBCFapi::getViewpoint(const QString& topic_id, const QString& project_id) const
{
    log(QStringLiteral("getViewpoint"), {topic_id, project_id});
    return nestedList(topic_id, BCFKeys::Viewpoints, project_id);
}

QString InMemoryBCFapi::createViewpoint(const QString& topic_id, const QVariantMap& viewpoint,
                                        const QString& project_id)
{
    log(QStringLiteral("createViewpoint"), {topic_id, recordArg(viewpoint), project_id});
    return addNested(topic_id, BCFKeys::Viewpoints, viewpoint, project_id);
}

QVariantMap InMemoryBCFapi::getSingleViewpoint(const QString& topic_id, const QString& viewpoint_id,
                                               const QString& project_id) const
{
    log(QStringLiteral("getSingleViewpoint"), {topic_id, viewpoint_id, project_id});
    return nestedItem(topic_id, BCFKeys::Viewpoints, viewpoint_id, project_id);
}

void InMemoryBCFapi::editSingleViewpoint(const QString& topic_id, const QString& viewpoint_id,
                                         const QVariantMap& viewpoint, const QString& project_id)
{
    log(QStringLiteral("editSingleViewpoint"), {topic_id, viewpoint_id, recordArg(viewpoint), project_id});
    replaceNested(topic_id, BCFKeys::Viewpoints, viewpoint_id, viewpoint, project_id);
}

void InMemoryBCFapi::removeSingleViewpoint(const QString& topic_id, const QString& viewpoint_id,
                                           const QString& project_id)
{
    log(QStringLiteral("removeSingleViewpoint"), {topic_id, viewpoint_id, project_id});
    if (replaceNested(topic_id, BCFKeys::Viewpoints, viewpoint_id, QVariant(), project_id))
        m_snapshots.remove(contentKey(project_id, {topic_id, viewpoint_id}));
}

QByteArray* InMemoryBCFapi::getSnapshotContent(const QString& topic_id, const QString& viewpoint_id,
                                               const QString& project_id) const
{
    log(QStringLiteral("getSnapshotContent"), {topic_id, viewpoint_id, project_id});
    return handOut(m_snapshots, contentKey(project_id, {topic_id, viewpoint_id}));
}

void InMemoryBCFapi::editSnapshotContent(const QString& topic_id, const QString& viewpoint_id,
                                         QByteArray* content, const QString& project_id)
{
    log(QStringLiteral("editSnapshotContent"), {topic_id, viewpoint_id, bytesArg(content), project_id});
    if (content && hasViewpoint(topic_id, viewpoint_id, project_id))
        m_snapshots.insert(contentKey(project_id, {topic_id, viewpoint_id}), deepCopy(content));
}

QByteArray* InMemoryBCFapi::getBitmapContent(const QString& topic_id, const QString& viewpoint_id,
                                             const QString& bitmap_id, const QString& project_id) const
{
    log(QStringLiteral("getBitmapContent"), {topic_id, viewpoint_id, bitmap_id, project_id});
    return handOut(m_bitmaps, contentKey(project_id, {topic_id, viewpoint_id, bitmap_id}));
}

void InMemoryBCFapi::editBitmapContent(const QString& topic_id, const QString& viewpoint_id,
                                       const QString& bitmap_id, QByteArray* content, const QString& project_id)
{
    log(QStringLiteral("editBitmapContent"), {topic_id, viewpoint_id, bitmap_id, bytesArg(content), project_id});
    if (content && hasViewpoint(topic_id, viewpoint_id, project_id))
        m_bitmaps.insert(contentKey(project_id, {topic_id, viewpoint_id, bitmap_id}), deepCopy(content));
}

QVariantMap InMemoryBCFapi::getComponent(const QString& topic_id, const QString& viewpoint_id,
                                         const QString& project_id) const
{
    log(QStringLiteral("getComponent"), {topic_id, viewpoint_id, project_id});
    return nestedItem(topic_id, BCFKeys::Viewpoints, viewpoint_id, project_id).value(BCFKeys::Components).toMap();
}

void InMemoryBCFapi::setComponent(const QString& topic_id, const QString& viewpoint_id,
                                  const QVariantMap& components, const QString& project_id)
{
    log(QStringLiteral("setComponent"), {topic_id, viewpoint_id, recordArg(components), project_id});
    QVariantMap viewpoint = nestedItem(topic_id, BCFKeys::Viewpoints, viewpoint_id, project_id);
    viewpoint.insert(BCFKeys::Components, components);
    replaceNested(topic_id, BCFKeys::Viewpoints, viewpoint_id, viewpoint, project_id);
}

bool InMemoryBCFapi::saveTopics(const QString& file_name)
{
    log(QStringLiteral("saveTopics"), {file_name});
    return false;
}

bool InMemoryBCFapi::clearTopics()
{
    log(QStringLiteral("clearTopics"), {});
    m_topics.clear();
    m_snapshots.clear();
    m_bitmaps.clear();
    m_snippetContents.clear();
    return true;
}

QList<QAction*> InMemoryBCFapi::getActions()
{
    log(QStringLiteral("getActions"), {});
    return m_actions;
}

QAction* InMemoryBCFapi::getExtraAction()
{
    log(QStringLiteral("getExtraAction"), {});
    return m_extraAction;
}

void InMemoryBCFapi::actionUnselected(QAction* action)
{
    log(QStringLiteral("actionUnselected"), {action ? action->text() : QStringLiteral("null")});
}

void InMemoryBCFapi::checkToSaveCurrentBCF()
{
    log(QStringLiteral("checkToSaveCurrentBCF"), {});
}

void InMemoryBCFapi::log(const QString& operation, const QStringList& args) const
{
    if (m_log)
        m_log->append(QStringLiteral("%1.%2(%3)").arg(m_name, operation, args.join(QLatin1Char(','))));
}

QString InMemoryBCFapi::scope(const QString& project_id) const
{
    return m_projectScoped ? project_id : QString();
}

int InMemoryBCFapi::topicIndex(const QString& topic_id, const QString& project_id) const
{
    const TopicList topics = m_topics.value(scope(project_id));
    for (int i = 0; i < topics.size(); ++i) {
        if (topics.at(i).value(BCFKeys::Guid).toString() == topic_id)
            return i;
    }
    return -1;
}

QVariantMap* InMemoryBCFapi::topicRecord(const QString& topic_id, const QString& project_id)
{
    const int index = topicIndex(topic_id, project_id);
    return index >= 0 ? &m_topics[scope(project_id)][index] : nullptr;
}

const QVariantMap* InMemoryBCFapi::topicRecord(const QString& topic_id, const QString& project_id) const
{
    const int index = topicIndex(topic_id, project_id);
    if (index < 0)
        return nullptr;
    const auto it = m_topics.constFind(scope(project_id));
    return &it.value().at(index);
}

bool InMemoryBCFapi::hasViewpoint(const QString& topic_id, const QString& viewpoint_id,
                                  const QString& project_id) const
{
    return indexOfGuid(nestedList(topic_id, BCFKeys::Viewpoints, project_id), viewpoint_id) >= 0;
}

QString InMemoryBCFapi::addNested(const QString& topic_id, const QString& key, const QVariantMap& item,
                                  const QString& project_id)
{
    QVariantMap* topic = topicRecord(topic_id, project_id);
    if (!topic)
        return QString();
    const QVariantMap record = withGuid(item);
    QVariantList list = topic->value(key).toList();
    list.append(record);
    topic->insert(key, list);
    return record.value(BCFKeys::Guid).toString();
}

QVariantMap InMemoryBCFapi::nestedItem(const QString& topic_id, const QString& key, const QString& item_id,
                                       const QString& project_id) const
{
    const QVariantList list = nestedList(topic_id, key, project_id);
    const int index = indexOfGuid(list, item_id);
    return index >= 0 ? list.at(index).toMap() : QVariantMap();
}

bool InMemoryBCFapi::replaceNested(const QString& topic_id, const QString& key, const QString& item_id,
                                   const QVariant& item, const QString& project_id)
{
    QVariantList list = nestedList(topic_id, key, project_id);
    const int index = indexOfGuid(list, item_id);
    if (index < 0)
        return false;
    if (item.isValid()) {
        QVariantMap record = item.toMap();
        record.insert(BCFKeys::Guid, item_id);
        list[index] = record;
    } else {
        list.removeAt(index);
    }
    setNestedList(topic_id, key, list, project_id);
    return true;
}

QVariantList InMemoryBCFapi::nestedList(const QString& topic_id, const QString& key, const QString& project_id) const
{
    const QVariantMap* topic = topicRecord(topic_id, project_id);
    return topic ? topic->value(key).toList() : QVariantList();
}

void InMemoryBCFapi::setNestedList(const QString& topic_id, const QString& key, const QVariantList& list,
                                   const QString& project_id)
{
    if (QVariantMap* topic = topicRecord(topic_id, project_id))
        topic->insert(key, list);
}

QString InMemoryBCFapi::contentKey(const QString& project_id, const QStringList& ids) const
{
    return (QStringList{scope(project_id)} + ids).join(QLatin1Char('\n'));
}

QByteArray* InMemoryBCFapi::handOut(const QHash<QString, QByteArray>& store, const QString& key) const
{
    const auto it = store.constFind(key);
    return it == store.constEnd() ? nullptr : new QByteArray(it.value());
}

} // namespace BCFTest
