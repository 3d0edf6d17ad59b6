// Viewpoints of the working cache: the "viewpoints" list inside the topic record (BCFCacheStore),
// each viewpoint holding its snapshot ("snapshot") and its components ("components").

#include "BCFapi/BCFCacheApi.h"

#include "BCFCacheStore.h"
#include "BCFapi/BCFKeys.h"

namespace Vexamo {

QVariantList BCFCacheApi::getViewpoint(const QString& topic_id, const QString& project_id) const
{
    Q_UNUSED(project_id)
    return m_store->list(topic_id, BCFKeys::Viewpoints);
}

QString BCFCacheApi::createViewpoint(const QString& topic_id, const QVariantMap& viewpoint,
                                     const QString& project_id)
{
    Q_UNUSED(project_id)
    return m_store->appendToList(topic_id, BCFKeys::Viewpoints, viewpoint);
}

QVariantMap BCFCacheApi::getSingleViewpoint(const QString& topic_id, const QString& viewpoint_id,
                                            const QString& project_id) const
{
    Q_UNUSED(project_id)
    return m_store->listEntry(topic_id, BCFKeys::Viewpoints, viewpoint_id);
}

void BCFCacheApi::editSingleViewpoint(const QString& topic_id, const QString& viewpoint_id,
                                      const QVariantMap& viewpoint, const QString& project_id)
{
    Q_UNUSED(project_id)
    m_store->replaceInList(topic_id, BCFKeys::Viewpoints, viewpoint_id, &viewpoint);
}

void BCFCacheApi::removeSingleViewpoint(const QString& topic_id, const QString& viewpoint_id,
                                        const QString& project_id)
{
    Q_UNUSED(project_id)
    m_store->replaceInList(topic_id, BCFKeys::Viewpoints, viewpoint_id, nullptr);
}

int BCFCacheApi::viewpointPosition(const QString& viewpoint_id, const QString& topic_id) const
{
    return BCFCacheStore::positionInList(viewpoint_id, m_store->list(topic_id, BCFKeys::Viewpoints));
}

QByteArray* BCFCacheApi::getSnapshotContent(const QString& topic_id, const QString& viewpoint_id,
                                            const QString& project_id) const
{
    Q_UNUSED(project_id)
    const QVariantMap viewpoint = m_store->viewpointWithSnapshot(topic_id, viewpoint_id);
    const auto snapshot = viewpoint.constFind(BCFKeys::Snapshot);
    if (snapshot == viewpoint.constEnd())
        return nullptr;
    // The record holds the decoded bytes; the new array shares them until either side changes.
    return new QByteArray(snapshot->toMap().value(BCFKeys::SnapshotData).toByteArray());
}

void BCFCacheApi::editSnapshotContent(const QString& topic_id, const QString& viewpoint_id, QByteArray* content,
                                      const QString& project_id)
{
    Q_UNUSED(project_id)
    m_store->changeInList(topic_id, BCFKeys::Viewpoints, viewpoint_id, [content](QVariantMap& viewpoint) {
        if (content) {
            QVariantMap snapshot;
            snapshot.insert(BCFKeys::SnapshotType, QStringLiteral("png"));
            snapshot.insert(BCFKeys::SnapshotData, *content);
            viewpoint.insert(BCFKeys::Snapshot, snapshot);
        } else {
            viewpoint.remove(BCFKeys::Snapshot);
        }
    });
}

// The working cache keeps no bitmap content.
QByteArray* BCFCacheApi::getBitmapContent(const QString& topic_id, const QString& viewpoint_id,
                                          const QString& bitmap_id, const QString& project_id) const
{
    Q_UNUSED(topic_id)
    Q_UNUSED(viewpoint_id)
    Q_UNUSED(bitmap_id)
    Q_UNUSED(project_id)
    return nullptr;
}

void BCFCacheApi::editBitmapContent(const QString& topic_id, const QString& viewpoint_id, const QString& bitmap_id,
                                    QByteArray* content, const QString& project_id)
{
    Q_UNUSED(topic_id)
    Q_UNUSED(viewpoint_id)
    Q_UNUSED(bitmap_id)
    Q_UNUSED(content)
    Q_UNUSED(project_id)
}

QVariantMap BCFCacheApi::getComponent(const QString& topic_id, const QString& viewpoint_id,
                                      const QString& project_id) const
{
    Q_UNUSED(project_id)
    return m_store->listEntry(topic_id, BCFKeys::Viewpoints, viewpoint_id).value(BCFKeys::Components).toMap();
}

void BCFCacheApi::setComponent(const QString& topic_id, const QString& viewpoint_id, const QVariantMap& components,
                               const QString& project_id)
{
    Q_UNUSED(project_id)
    // An empty component set removes the member; the viewpoint keeps its place in the list.
    m_store->changeInList(topic_id, BCFKeys::Viewpoints, viewpoint_id, [&components](QVariantMap& viewpoint) {
        if (components.isEmpty())
            viewpoint.remove(BCFKeys::Components);
        else
            viewpoint.insert(BCFKeys::Components, components);
    });
}

} // namespace Vexamo
