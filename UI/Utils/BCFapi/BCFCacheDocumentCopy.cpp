#include "BCFCacheDocumentCopy.h"

#include "BCFCacheStore.h"
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

bool intoCache(const BCFapi& document, BCFCacheStore& store, QString* error)
{
    // The working cache keeps one anonymous project.
    const QString projectId;
    {
        QVariantList topics = document.getTopic(projectId);
        for (QVariant& topicValue : topics) {
            QVariantMap topic = topicValue.toMap();
            topicValue = QVariant();
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
            if (store.createTopic(topic).isEmpty()) {
                if (error)
                    *error = store.errorString();
                return false;
            }
        }
    }
    return true;
}

bool fromCache(const BCFapi& cache, BCFapi& document, QString* error)
{
    const auto refuse = [error](const QString& reason) {
        if (error)
            *error = reason;
        return false;
    };
    for (const QString& projectId : receiverProjects(document)) {
        const QVariantList topics = cache.getTopic(projectId);
        for (const QVariant& topicValue : topics) {
            const QVariantMap topic = topicValue.toMap();
            const QString topicId = topic.value(BCFKeys::Guid).toString();
            // A topic file that could not be read lists as an empty record: saving it would
            // invent a topic under a new id and drop the real one without a word.
            if (topicId.isEmpty())
                return refuse(QStringLiteral("a topic file of the working cache is damaged (see the log)"));
            if (document.createTopic(topic, projectId).isEmpty())
                return refuse(QStringLiteral("the topic %1 is not accepted by the model").arg(topicId));
            if (document.getComment(topicId, projectId).size() != topic.value(BCFKeys::Comments).toList().size())
                return refuse(QStringLiteral("a comment of the topic %1 is not accepted by the model").arg(topicId));
            if (document.getViewpoint(topicId, projectId).size() != topic.value(BCFKeys::Viewpoints).toList().size())
                return refuse(QStringLiteral("a viewpoint of the topic %1 is not accepted by the model").arg(topicId));

            const QVariantList viewpoints = topic.value(BCFKeys::Viewpoints).toList();
            for (const QVariant& viewpointValue : viewpoints) {
                const QVariantMap viewpoint = viewpointValue.toMap();
                if (!viewpoint.contains(BCFKeys::Snapshot))
                    continue;
                QByteArray snapshot = viewpoint.value(BCFKeys::Snapshot).toMap().value(BCFKeys::SnapshotData).toByteArray();
                document.editSnapshotContent(topicId, viewpoint.value(BCFKeys::Guid).toString(), &snapshot, projectId);
            }
        }
    }
    return true;
}

} // namespace BCFCacheDocumentCopy
} // namespace Vexamo
