#include "BCFCacheDocumentCopy.h"

#include "BCFOrderedPipeline.h"
#include "BCFapi/BCFCacheApi.h"
#include "BCFapi/BCFapi.h"
#include "BCFapi/BCFKeys.h"

#include <memory>

namespace Vexamo {
namespace BCFCacheDocumentCopy {

namespace {

// The project identifiers under which copyFromInterface would copy into receiver.
QStringList receiverProjects(const BCFapi& receiver)
{
    QStringList projects;
    const QVariantList list = receiver.getProject();
    for (const QVariant& project : list)
        projects.append(project.toMap().value(BCFKeys::ProjectId).toString());
    if (projects.isEmpty())
        projects.append(QString());
    return projects;
}

} // namespace

void intoCache(const BCFapi& document, BCFapi& cache)
{
    for (const QString& projectId : receiverProjects(cache)) {
        const QVariantList topics = document.getTopic(projectId);
        for (const QVariant& topicValue : topics) {
            QVariantMap topic = topicValue.toMap();
            const QString topicId = topic.value(BCFKeys::Guid).toString();
            if (topic.contains(BCFKeys::Viewpoints)) {
                QVariantList viewpoints = topic.value(BCFKeys::Viewpoints).toList();
                for (QVariant& viewpointValue : viewpoints) {
                    QVariantMap viewpoint = viewpointValue.toMap();
                    const QString viewpointId = viewpoint.value(BCFKeys::Guid).toString();
                    const std::unique_ptr<QByteArray> snapshot(
                        document.getSnapshotContent(topicId, viewpointId, projectId));
                    if (!snapshot)
                        continue;
                    QVariantMap snapshotRecord;
                    snapshotRecord.insert(BCFKeys::SnapshotType, QStringLiteral("png"));
                    snapshotRecord.insert(BCFKeys::SnapshotData, *snapshot);
                    viewpoint.insert(BCFKeys::Snapshot, snapshotRecord);
                    viewpointValue = viewpoint;
                }
                topic.insert(BCFKeys::Viewpoints, viewpoints);
            }
            cache.createTopic(topic, projectId);
        }
    }
}

namespace {

// Copies one topic record of the cache into document, its snapshots through editSnapshotContent.
void copyTopic(const QVariantMap& topic, BCFapi& document, const QString& projectId)
{
    const QString topicId = topic.value(BCFKeys::Guid).toString();
    document.createTopic(topic, projectId);

    const QVariantList viewpoints = topic.value(BCFKeys::Viewpoints).toList();
    for (const QVariant& viewpointValue : viewpoints) {
        const QVariantMap viewpoint = viewpointValue.toMap();
        if (!viewpoint.contains(BCFKeys::Snapshot))
            continue;
        QByteArray snapshot = viewpoint.value(BCFKeys::Snapshot).toMap().value(BCFKeys::SnapshotData).toByteArray();
        document.editSnapshotContent(topicId, viewpoint.value(BCFKeys::Guid).toString(), &snapshot, projectId);
    }
}

} // namespace

void fromCache(const BCFapi& cache, BCFapi& document)
{
    const auto* workingCache = qobject_cast<const BCFCacheApi*>(&cache);
    for (const QString& projectId : receiverProjects(document)) {
        if (!workingCache) {
            const QVariantList topics = cache.getTopic(projectId);
            for (const QVariant& topicValue : topics)
                copyTopic(topicValue.toMap(), document, projectId);
            continue;
        }
        // Topic files are read and decoded on the thread pool, a few ahead of the one being copied,
        // so reading overlaps the copy and only those few records are held at once.
        const QStringList ids = workingCache->topicIds();
        runOrderedPipeline<QVariantMap>(
            ids.size(), [&](int index) { return workingCache->getSingleTopic(ids.at(index), projectId); },
            [&](QVariantMap& topic) {
                copyTopic(topic, document, projectId);
                return true;
            });
    }
}

} // namespace BCFCacheDocumentCopy
} // namespace Vexamo
