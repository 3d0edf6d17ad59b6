#include "BCFLib/Topic.h"

#include "BCFLib/BimSnippet.h"
#include "BCFLib/ByteSource.h"
#include "BCFLib/Comment.h"
#include "BCFLib/DocumentReference.h"
#include "BCFLib/File.h"
#include "BCFLib/IsoDateTime.h"
#include "BCFLib/RecordKeys.h"
#include "BCFLib/RelatedTopic.h"
#include "BCFLib/Viewpoint.h"
#include "SafeIdentifier.h"
#include "Utility/NewId.h"

#include <algorithm>

namespace BCFLib {

namespace {

template<typename T>
QList<T*> rawPointers(const std::vector<std::unique_ptr<T>>& items)
{
    QList<T*> list;
    list.reserve(int(items.size()));
    for (const auto& item : items)
        list.append(item.get());
    return list;
}

template<typename T>
bool removeByGuid(std::vector<std::unique_ptr<T>>& items, QHash<QString, T*>& index, const QString& guid)
{
    T* item = index.take(guid.toLower());
    if (!item)
        return false;
    items.erase(std::find_if(items.begin(), items.end(), [item](const auto& p) { return p.get() == item; }));
    return true;
}

} // namespace

Topic::Topic(const QString& guid)
    : m_guid(guid)
{
}

Topic::~Topic() = default;

QString Topic::referenceLink() const
{
    return m_referenceLinks.value(0);
}

void Topic::setReferenceLink(const QString& link)
{
    if (link.isEmpty()) {
        if (!m_referenceLinks.isEmpty())
            m_referenceLinks.removeFirst();
    } else if (m_referenceLinks.isEmpty()) {
        m_referenceLinks.append(link);
    } else {
        m_referenceLinks[0] = link;
    }
}

QVariant Topic::toQVariant() const
{
    QVariantMap record;
    record.insert(Keys::Guid, m_guid);
    record.insert(Keys::Title, m_title);
    record.insert(Keys::CreationDate, IsoDateTime::format(m_creationDate));
    record.insert(Keys::CreationAuthor, m_creationAuthor);
    record.insert(Keys::ModifiedDate, IsoDateTime::format(m_modifiedDate));
    record.insert(Keys::ModifiedAuthor, m_modifiedAuthor);
    record.insert(Keys::TopicType, m_topicType);
    record.insert(Keys::TopicStatus, m_topicStatus);
    record.insert(Keys::Priority, m_priority);
    if (m_index != -1)
        record.insert(Keys::Index, m_index);
    record.insert(Keys::Labels, m_labels);
    record.insert(Keys::AssignedTo, m_assignedTo);
    record.insert(Keys::ReferenceLink, referenceLink());
    record.insert(Keys::ReferenceLinks, m_referenceLinks);
    record.insert(Keys::Description, m_description);
    record.insert(Keys::Stage, m_stage);
    record.insert(Keys::DueDate, IsoDateTime::format(m_dueDate));
    if (!m_serverAssignedId.isEmpty())
        record.insert(Keys::ServerAssignedId, m_serverAssignedId);

    if (m_bimSnippet)
        record.insert(Keys::BimSnippet, m_bimSnippet->toQVariant());

    QVariantList files;
    for (const auto& file : m_files)
        files.append(file->toQVariant());
    record.insert(Keys::Files, files);

    QVariantList documents;
    for (const auto& document : m_documentReferences)
        documents.append(document->toQVariant());
    record.insert(Keys::DocumentReferences, documents);

    QStringList related;
    for (const auto& topic : m_relatedTopics)
        related.append(topic->guid());
    record.insert(Keys::RelatedTopics, related);

    QVariantList comments;
    for (const auto& comment : m_comments)
        comments.append(comment->toQVariant());
    record.insert(Keys::Comments, comments);

    QVariantList viewpoints;
    for (const auto& viewpoint : m_viewpoints)
        viewpoints.append(viewpoint->toQVariant());
    record.insert(Keys::Viewpoints, viewpoints);
    return record;
}

Comment* Topic::comment(const QString& guid) const
{
    return m_commentsByGuid.value(guid.toLower());
}

QList<Comment*> Topic::comments() const
{
    return rawPointers(m_comments);
}

Comment* Topic::addComment(const QString& guid)
{
    const QString name = guid.isEmpty() ? Vexamo::NewId() : guid;
    if (!isSafeIdentifier(name) || m_commentsByGuid.contains(name.toLower()))
        return nullptr;
    m_comments.push_back(std::make_unique<Comment>(name));
    Comment* comment = m_comments.back().get();
    comment->setTopic(this);
    m_commentsByGuid.insert(name.toLower(), comment);
    return comment;
}

bool Topic::removeComment(const QString& guid)
{
    return removeByGuid(m_comments, m_commentsByGuid, guid);
}

Viewpoint* Topic::viewpoint(const QString& guid) const
{
    return m_viewpointsByGuid.value(guid.toLower());
}

QList<Viewpoint*> Topic::viewpoints() const
{
    return rawPointers(m_viewpoints);
}

Viewpoint* Topic::addViewpoint(const QString& guid)
{
    const QString name = guid.isEmpty() ? Vexamo::NewId() : guid;
    if (!isSafeIdentifier(name) || m_viewpointsByGuid.contains(name.toLower()))
        return nullptr;
    m_viewpoints.push_back(std::make_unique<Viewpoint>(name));
    Viewpoint* viewpoint = m_viewpoints.back().get();
    m_viewpointsByGuid.insert(name.toLower(), viewpoint);
    return viewpoint;
}

bool Topic::removeViewpoint(const QString& guid)
{
    if (!removeByGuid(m_viewpoints, m_viewpointsByGuid, guid))
        return false;
    removeSnapshot(guid);
    return true;
}

QByteArray* Topic::snapshot(const QString& viewpointGuid) const
{
    const auto it = m_snapshots.find(viewpointGuid.toLower());
    if (it == m_snapshots.end())
        return nullptr;
    if (it->source) {
        QByteArray bytes;
        if (!it->source->read(&bytes, nullptr))
            return nullptr;
        it->bytes = bytes;
        it->source.reset();
    }
    return &it->bytes;
}

bool Topic::addSnapshot(const QString& viewpointGuid, QByteArray* bytes)
{
    if (!bytes || viewpointGuid.isEmpty())
        return false;
    m_snapshots.insert(viewpointGuid.toLower(), Snapshot{*bytes, nullptr});
    return true;
}

bool Topic::addSnapshotSource(const QString& viewpointGuid, std::shared_ptr<const ByteSource> source)
{
    if (!source || viewpointGuid.isEmpty())
        return false;
    m_snapshots.insert(viewpointGuid.toLower(), Snapshot{QByteArray(), std::move(source)});
    return true;
}

bool Topic::removeSnapshot(const QString& viewpointGuid)
{
    return m_snapshots.remove(viewpointGuid.toLower()) > 0;
}

bool Topic::hasSnapshot(const QString& viewpointGuid) const
{
    return m_snapshots.contains(viewpointGuid.toLower());
}

std::shared_ptr<const ByteSource> Topic::snapshotSource(const QString& viewpointGuid) const
{
    const auto it = m_snapshots.constFind(viewpointGuid.toLower());
    if (it == m_snapshots.constEnd())
        return nullptr;
    return it->source ? it->source : ByteSource::fromBytes(it->bytes);
}

bool Topic::readSnapshot(const QString& viewpointGuid, QByteArray* bytes, QString* error) const
{
    const auto it = m_snapshots.constFind(viewpointGuid.toLower());
    if (it == m_snapshots.constEnd()) {
        bytes->clear();
        if (error)
            *error = QStringLiteral("the viewpoint %1 has no snapshot").arg(viewpointGuid);
        return false;
    }
    if (!it->source) {
        *bytes = it->bytes;
        return true;
    }
    return it->source->read(bytes, error);
}

BimSnippet* Topic::addBimSnippet()
{
    m_bimSnippet = std::make_unique<BimSnippet>();
    return m_bimSnippet.get();
}

void Topic::removeBimSnippet()
{
    m_bimSnippet.reset();
}

QList<File*> Topic::files() const
{
    return rawPointers(m_files);
}

File* Topic::addFile()
{
    m_files.push_back(std::make_unique<File>());
    return m_files.back().get();
}

void Topic::removeFiles()
{
    m_files.clear();
}

QList<DocumentReference*> Topic::documentReferences() const
{
    return rawPointers(m_documentReferences);
}

DocumentReference* Topic::addDocumentReference(const QString& guid)
{
    m_documentReferences.push_back(std::make_unique<DocumentReference>(guid));
    return m_documentReferences.back().get();
}

void Topic::removeDocumentReferences()
{
    m_documentReferences.clear();
}

QList<RelatedTopic*> Topic::relatedTopics() const
{
    return rawPointers(m_relatedTopics);
}

RelatedTopic* Topic::addRelatedTopic(const QString& guid)
{
    m_relatedTopics.push_back(std::make_unique<RelatedTopic>(guid));
    return m_relatedTopics.back().get();
}

void Topic::removeRelatedTopics()
{
    m_relatedTopics.clear();
}

} // namespace BCFLib
