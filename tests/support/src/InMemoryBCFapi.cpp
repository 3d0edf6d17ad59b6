#include "BCFTestSupport/InMemoryBCFapi.h"

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

// A copy that shares nothing with content, so that handed-out copies can be counted.
QByteArray deepCopy(const QByteArray& content)
{
    return QByteArray(content.constData(), content.size());
}

} // namespace

void InMemoryBCFapi::setSnapshot(const QString& topic_id, const QString& viewpoint_id, const QByteArray& content)
{
    m_snapshots.insert(contentKey(QString(), {topic_id, viewpoint_id}), deepCopy(content));
}

void InMemoryBCFapi::setBitmap(const QString& topic_id, const QString& viewpoint_id, const QString& bitmap_id,
                               const QByteArray& content)
{
    m_bitmaps.insert(contentKey(QString(), {topic_id, viewpoint_id, bitmap_id}), deepCopy(content));
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

QString InMemoryBCFapi::createProject(const QString& name)
{
    log("createProject", {name});
    const QString id = newId();
    m_projects.append(QVariantMap{{BCFKeys::ProjectId, id}});
    return id;
}

QVariantList InMemoryBCFapi::getTopic(const QString& project_id) const
{
    log("getTopic", {project_id});
    QVariantList topics;
    for (const QVariantMap& topic : m_topics.value(scope(project_id)))
        topics.append(topic);
    return topics;
}

QString InMemoryBCFapi::createTopic(const QVariantMap& topic, const QString& project_id)
{
    log("createTopic", {recordArg(topic), project_id});
    if (m_refuseTopics)
        return QString();
    const QVariantMap record = withGuid(topic);
    const QString id = record.value(BCFKeys::Guid).toString();
    if (QVariantMap* existing = topicRecord(id, project_id))
        *existing = record;
    else
        m_topics[scope(project_id)].append(record);
    return id;
}

QVariantMap InMemoryBCFapi::getSingleTopic(const QString& topic_id, const QString& project_id) const
{
    log("getSingleTopic", {topic_id, project_id});
    const QVariantMap* topic = topicRecord(topic_id, project_id);
    return topic ? *topic : QVariantMap();
}

void InMemoryBCFapi::editSingleTopic(const QString& topic_id, const QVariantMap& topic, const QString& project_id)
{
    log("editSingleTopic", {topic_id, recordArg(topic), project_id});
    if (QVariantMap* stored = topicRecord(topic_id, project_id)) {
        *stored = topic;
        stored->insert(BCFKeys::Guid, topic_id);
    }
}

void InMemoryBCFapi::removeSingleTopic(const QString& topic_id, const QString& project_id)
{
    log("removeSingleTopic", {topic_id, project_id});
    const int index = topicIndex(topic_id, project_id);
    if (index >= 0)
        m_topics[scope(project_id)].removeAt(index);
}

void InMemoryBCFapi::setBimSnippetContent(const QString& topic_id, QByteArray* content, const QString& project_id)
{
    log("setBimSnippetContent", {topic_id, bytesArg(content), project_id});
    if (content && topicRecord(topic_id, project_id))
        m_snippetContents.insert(contentKey(project_id, {topic_id}), deepCopy(*content));
}

void InMemoryBCFapi::removeSingleViewpoint(const QString& topic_id, const QString& viewpoint_id,
                                           const QString& project_id)
{
    log("removeSingleViewpoint", {topic_id, viewpoint_id, project_id});
    if (replaceNested(topic_id, BCFKeys::Viewpoints, viewpoint_id, QVariant(), project_id))
        m_snapshots.remove(contentKey(project_id, {topic_id, viewpoint_id}));
}

void InMemoryBCFapi::editSnapshotContent(const QString& topic_id, const QString& viewpoint_id,
                                         QByteArray* content, const QString& project_id)
{
    log("editSnapshotContent", {topic_id, viewpoint_id, bytesArg(content), project_id});
    if (content && hasViewpoint(topic_id, viewpoint_id, project_id))
        m_snapshots.insert(contentKey(project_id, {topic_id, viewpoint_id}), deepCopy(*content));
}

void InMemoryBCFapi::editBitmapContent(const QString& topic_id, const QString& viewpoint_id,
                                       const QString& bitmap_id, QByteArray* content, const QString& project_id)
{
    log("editBitmapContent", {topic_id, viewpoint_id, bitmap_id, bytesArg(content), project_id});
    if (content && hasViewpoint(topic_id, viewpoint_id, project_id))
        m_bitmaps.insert(contentKey(project_id, {topic_id, viewpoint_id, bitmap_id}), deepCopy(*content));
}

void InMemoryBCFapi::setComponent(const QString& topic_id, const QString& viewpoint_id,
                                  const QVariantMap& components, const QString& project_id)
{
    log("setComponent", {topic_id, viewpoint_id, recordArg(components), project_id});
    QVariantMap viewpoint = nestedItem(topic_id, BCFKeys::Viewpoints, viewpoint_id, project_id);
    viewpoint.insert(BCFKeys::Components, components);
    replaceNested(topic_id, BCFKeys::Viewpoints, viewpoint_id, viewpoint, project_id);
}

bool InMemoryBCFapi::clearTopics()
{
    log("clearTopics");
    m_topics.clear();
    m_snapshots.clear();
    m_bitmaps.clear();
    m_snippetContents.clear();
    return true;
}

QString InMemoryBCFapi::recordArg(const QVariantMap& record)
{
    if (record.contains(BCFKeys::Guid))
        return record.value(BCFKeys::Guid).toString();
    if (record.contains(BCFKeys::ProjectId))
        return record.value(BCFKeys::ProjectId).toString();
    return QStringLiteral("{}");
}

void InMemoryBCFapi::log(const char* operation, const QStringList& args) const
{
    if (m_log)
        m_log->append(QStringLiteral("%1.%2(%3)").arg(m_name, QLatin1String(operation), args.join(QLatin1Char(','))));
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
    return index >= 0 ? &m_topics.constFind(scope(project_id)).value().at(index) : nullptr;
}

QVariant InMemoryBCFapi::topicValue(const QString& topic_id, const QString& key, const QString& project_id) const
{
    const QVariantMap* topic = topicRecord(topic_id, project_id);
    return topic ? topic->value(key) : QVariant();
}

void InMemoryBCFapi::setTopicValue(const QString& topic_id, const QString& key, const QVariant& value,
                                   const QString& project_id)
{
    if (QVariantMap* topic = topicRecord(topic_id, project_id))
        topic->insert(key, value);
}

bool InMemoryBCFapi::hasViewpoint(const QString& topic_id, const QString& viewpoint_id,
                                  const QString& project_id) const
{
    return indexOfGuid(topicValue(topic_id, BCFKeys::Viewpoints, project_id).toList(), viewpoint_id) >= 0;
}

QString InMemoryBCFapi::addNested(const QString& topic_id, const QString& key, const QVariantMap& item,
                                  const QString& project_id)
{
    QVariantMap* topic = topicRecord(topic_id, project_id);
    if (!topic)
        return QString();
    const QVariantMap record = withGuid(item);
    topic->insert(key, topic->value(key).toList() << record);
    return record.value(BCFKeys::Guid).toString();
}

QVariantMap InMemoryBCFapi::nestedItem(const QString& topic_id, const QString& key, const QString& item_id,
                                       const QString& project_id) const
{
    const QVariantList list = topicValue(topic_id, key, project_id).toList();
    const int index = indexOfGuid(list, item_id);
    return index >= 0 ? list.at(index).toMap() : QVariantMap();
}

bool InMemoryBCFapi::replaceNested(const QString& topic_id, const QString& key, const QString& item_id,
                                   const QVariant& item, const QString& project_id)
{
    QVariantList list = topicValue(topic_id, key, project_id).toList();
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
    setTopicValue(topic_id, key, list, project_id);
    return true;
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
