#include "BCFCacheDocumentCopy.h"

#include "BCFCacheStore.h"
#include "BCFCacheJsonReader.h"
#include "BCFCacheSnapshotSource.h"
#include "BCFOrderedPipeline.h"
#include "BCFapi/BCFCacheApi.h"
#include "BCFapi/BCFapi.h"
#include "BCFapi/BCFKeys.h"
#include "BCFLib/BCFModel.h"
#include "BCFLib/ByteSource.h"
#include "BCFLib/Topic.h"

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

bool intoCache(const BCFapi& document, BCFCacheStore& store, QString* error, const BCFLib::BCFModel* model)
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
                const BCFLib::Topic* modelTopic = model ? model->topic(topicId) : nullptr;
                QVariantList viewpoints = topic.value(BCFKeys::Viewpoints).toList();
                for (QVariant& viewpointValue : viewpoints) {
                    QVariantMap viewpoint = viewpointValue.toMap();
                    const QString viewpointId = viewpoint.value(BCFKeys::Guid).toString();
                    QByteArray bytes;
                    if (modelTopic) {
                        if (!modelTopic->hasSnapshot(viewpointId))
                            continue;
                        QString reason;
                        if (!modelTopic->readSnapshot(viewpointId, &bytes, &reason)) {
                            if (error)
                                *error = QStringLiteral("the snapshot of viewpoint %1 of the topic %2 could not be read: %3")
                                             .arg(viewpointId, topicId, reason);
                            return false;
                        }
                    } else {
                        const std::unique_ptr<QByteArray> snapshot(
                            document.getSnapshotContent(topicId, viewpointId, projectId));
                        if (!snapshot)
                            continue;
                        bytes = *snapshot;
                    }
                    QVariantMap snapshotRecord;
                    snapshotRecord.insert(BCFKeys::SnapshotType, QStringLiteral("png"));
                    snapshotRecord.insert(BCFKeys::SnapshotData, bytes);
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

namespace {

// Copies one topic record of the cache into document, its snapshots through editSnapshotContent,
// or, given the working cache's store and the model behind document, as sources that read them
// from the store when the model is written (the record then holds their descriptions). Returns
// why the document did not take the topic whole, or an empty string.
QString copyTopic(const QVariantMap& topic, BCFapi& document, const QString& projectId,
                  const BCFCacheStore* store = nullptr, BCFLib::BCFModel* model = nullptr)
{
    const QString topicId = topic.value(BCFKeys::Guid).toString();
    // A topic file that could not be read lists as an empty record: saving it would invent a topic
    // under a new id and drop the real one without a word.
    if (topicId.isEmpty())
        return QStringLiteral("a topic file of the working cache is damaged (see the log)");
    if (document.createTopic(topic, projectId).isEmpty())
        return QStringLiteral("the topic %1 is not accepted by the model").arg(topicId);
    if (document.getComment(topicId, projectId).size() != topic.value(BCFKeys::Comments).toList().size())
        return QStringLiteral("a comment of the topic %1 is not accepted by the model").arg(topicId);
    if (document.getViewpoint(topicId, projectId).size() != topic.value(BCFKeys::Viewpoints).toList().size())
        return QStringLiteral("a viewpoint of the topic %1 is not accepted by the model").arg(topicId);

    BCFLib::Topic* modelTopic = store && model ? model->topic(topicId) : nullptr;
    const QVariantList viewpoints = topic.value(BCFKeys::Viewpoints).toList();
    for (const QVariant& viewpointValue : viewpoints) {
        const QVariantMap viewpoint = viewpointValue.toMap();
        if (!viewpoint.contains(BCFKeys::Snapshot))
            continue;
        const QVariant data = viewpoint.value(BCFKeys::Snapshot).toMap().value(BCFKeys::SnapshotData);
        const QString viewpointId = viewpoint.value(BCFKeys::Guid).toString();
        if (modelTopic) {
            // Described when the text was plain base64, else the bytes themselves.
            const bool described = data.userType() == QMetaType::QVariantMap;
            const QVariantMap description = data.toMap();
            const QByteArray bytes = described ? QByteArray() : data.toByteArray();
            const qint64 size = described ? qint64(description.value(BCFCacheJsonReader::DescribedSize).toDouble())
                                          : bytes.size();
            const QByteArray head = described ? description.value(BCFCacheJsonReader::DescribedHead).toByteArray()
                                              : bytes.left(BCFLib::ByteSource::HeadSize);
            modelTopic->addSnapshotSource(
                viewpointId, std::make_shared<BCFCacheSnapshotSource>(*store, topicId, viewpointId, size, head));
        } else {
            QByteArray snapshot = data.toByteArray();
            document.editSnapshotContent(topicId, viewpointId, &snapshot, projectId);
        }
    }
    return QString();
}

} // namespace

bool fromCache(const BCFapi& cache, BCFapi& document, QString* error, BCFLib::BCFModel* model,
               const BCFCacheStore* store)
{
    QString reason;
    const auto* workingCache = qobject_cast<const BCFCacheApi*>(&cache);
    for (const QString& projectId : receiverProjects(document)) {
        if (!workingCache) {
            const QVariantList topics = cache.getTopic(projectId);
            for (const QVariant& topicValue : topics) {
                reason = copyTopic(topicValue.toMap(), document, projectId);
                if (!reason.isEmpty())
                    break;
            }
        } else {
            // Topic files are read and decoded on the thread pool, a few ahead of the one being
            // copied, so reading overlaps the copy and only those few records are held at once.
            // Images left in the store are described, not decoded: the model's write reads them.
            const bool leaveImages = store && model;
            const QStringList ids = workingCache->topicIds();
            int next = 0; // the records arrive in the order of ids
            runOrderedPipeline<QVariantMap>(
                ids.size(),
                [&](int index) {
                    return leaveImages ? store->topicWithSnapshotsDescribed(ids.at(index), BCFLib::ByteSource::HeadSize)
                                       : workingCache->getSingleTopic(ids.at(index), projectId);
                },
                [&](QVariantMap& topic) {
                    const QString& id = ids.at(next++);
                    reason = copyTopic(topic, document, projectId, leaveImages ? store : nullptr, model);
                    const QString damage = topic.isEmpty() ? workingCache->topicFileError(id) : QString();
                    if (!damage.isEmpty())
                        reason = QStringLiteral("the topic file of %1 is damaged: %2").arg(id, damage);
                    return reason.isEmpty();
                });
        }
        if (!reason.isEmpty()) {
            if (error)
                *error = reason;
            return false;
        }
    }
    return true;
}

} // namespace BCFCacheDocumentCopy
} // namespace Vexamo
