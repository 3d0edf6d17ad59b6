// BIM snippet, files, document references and related topics of BCFFileApi.
#include "BCFapi/BCFFileApi.h"

#include "BCFapi/BCFKeys.h"

#include "BCFLib/BCFModel.h"
#include "BCFLib/BimSnippet.h"
#include "BCFLib/DocumentReference.h"
#include "BCFLib/File.h"
#include "BCFLib/RecordKeys.h"
#include "BCFLib/RelatedTopic.h"
#include "BCFLib/Topic.h"

namespace Vexamo {

QVariantMap BCFFileApi::getBimSnippet(const QString& topic_id, const QString& project_id) const
{
    Q_UNUSED(project_id)
    const BCFLib::Topic* topic = topicOf(topic_id);
    const BCFLib::BimSnippet* snippet = topic ? topic->bimSnippet() : nullptr;
    return snippet ? snippet->toQVariant().toMap() : QVariantMap();
}

void BCFFileApi::setBimSnippet(const QString& topic_id, const QVariantMap& snippet, const QString& project_id)
{
    Q_UNUSED(project_id)
    BCFLib::Topic* topic = topicOf(topic_id);
    if (!topic)
        return;
    // The topic always ends with exactly one snippet, also for an empty record.
    if (topic->bimSnippet())
        topic->removeBimSnippet();
    BCFLib::BimSnippet* created = topic->addBimSnippet();
    if (!created)
        return;
    created->setSnippetType(snippet.value(BCFKeys::SnippetType).toString());
    created->setIsExternal(snippet.value(BCFKeys::IsExternal).toBool());
    created->setReference(snippet.value(BCFKeys::Reference).toString());
    created->setReferenceSchema(snippet.value(BCFKeys::ReferenceSchema).toString());
    // The content of an internal snippet file travels in the record too; without it a save would
    // write a snippet that points at a file the archive no longer holds. The model's own
    // conversion decodes it.
    if (snippet.contains(BCFLib::Keys::SnippetData)) {
        BCFLib::BimSnippet decoded;
        decoded.fromQVariant(snippet);
        created->setSnippetData(decoded.snippetData());
    }
}

QByteArray* BCFFileApi::getBimSnippetContent(const QString& topic_id, const QString& project_id) const
{
    Q_UNUSED(topic_id)
    Q_UNUSED(project_id)
    return nullptr;
}

void BCFFileApi::setBimSnippetContent(const QString& topic_id, QByteArray* content, const QString& project_id)
{
    Q_UNUSED(topic_id)
    Q_UNUSED(content)
    Q_UNUSED(project_id)
}

QVariantList BCFFileApi::getFile(const QString& topic_id, const QString& project_id) const
{
    Q_UNUSED(project_id)
    QVariantList list;
    const BCFLib::Topic* topic = topicOf(topic_id);
    if (!topic)
        return list;
    for (const BCFLib::File* file : topic->files())
        list.append(file->toQVariant());
    return list;
}

void BCFFileApi::setFile(const QString& topic_id, const QVariantList& files, const QString& project_id)
{
    Q_UNUSED(project_id)
    BCFLib::Topic* topic = topicOf(topic_id);
    if (!topic)
        return;
    if (!topic->files().isEmpty())
        topic->removeFiles();
    for (const QVariant& file : files) {
        if (BCFLib::File* created = topic->addFile())
            created->fromQVariant(file);
    }
}

QVariantList BCFFileApi::getDocumentReference(const QString& topic_id, const QString& project_id) const
{
    Q_UNUSED(project_id)
    QVariantList list;
    const BCFLib::Topic* topic = topicOf(topic_id);
    if (!topic)
        return list;
    for (const BCFLib::DocumentReference* reference : topic->documentReferences())
        list.append(reference->toQVariant());
    return list;
}

void BCFFileApi::setDocumentReference(const QString& topic_id, const QVariantList& references,
                                      const QString& project_id)
{
    Q_UNUSED(project_id)
    BCFLib::Topic* topic = topicOf(topic_id);
    if (!topic)
        return;
    if (!topic->documentReferences().isEmpty())
        topic->removeDocumentReferences();
    // An empty identifier: the document reference conversion decides how a record's own guid is kept.
    for (const QVariant& reference : references) {
        if (BCFLib::DocumentReference* created = topic->addDocumentReference(QString()))
            created->fromQVariant(reference);
    }
}

QStringList BCFFileApi::getRelatedTopics(const QString& topic_id, const QString& project_id) const
{
    Q_UNUSED(project_id)
    QStringList list;
    const BCFLib::Topic* topic = topicOf(topic_id);
    if (!topic)
        return list;
    for (const BCFLib::RelatedTopic* related : topic->relatedTopics())
        list.append(related->guid());
    return list;
}

void BCFFileApi::setRelatedTopics(const QString& topic_id, const QStringList& related, const QString& project_id)
{
    Q_UNUSED(project_id)
    BCFLib::Topic* topic = topicOf(topic_id);
    if (!topic)
        return;
    if (!topic->relatedTopics().isEmpty())
        topic->removeRelatedTopics();
    // Stored as given: the model does not require the identifiers to name existing topics.
    for (const QString& guid : related)
        topic->addRelatedTopic(guid);
}

} // namespace Vexamo
