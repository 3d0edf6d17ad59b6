#include "BCFCacheSnapshotSource.h"

#include "BCFapi/BCFCacheApi.h"
#include <memory>

namespace Vexamo {

BCFCacheSnapshotSource::BCFCacheSnapshotSource(const BCFCacheApi& cache, const QString& topicId,
                                               const QString& viewpointId, const QByteArray& bytes)
    : m_cache(cache)
    , m_topicId(topicId)
    , m_viewpointId(viewpointId)
    , m_size(bytes.size())
    , m_head(bytes.left(HeadSize))
{
}

bool BCFCacheSnapshotSource::read(QByteArray* bytes, QString* error) const
{
    bytes->clear();
    // Decodes this one snapshot of the topic file, not the others beside it.
    const std::unique_ptr<QByteArray> snapshot(m_cache.getSnapshotContent(m_topicId, m_viewpointId, QString()));
    if (snapshot && snapshot->size() == m_size && snapshot->startsWith(m_head)) {
        *bytes = *snapshot;
        return true;
    }
    if (error) {
        const QString damage = m_cache.topicFileError(m_topicId);
        *error = damage.isEmpty()
                     ? QStringLiteral("the snapshot of viewpoint %1 of the topic %2 changed in the working cache "
                                      "while it was saved")
                           .arg(m_viewpointId, m_topicId)
                     : QStringLiteral("the topic file of %1 is damaged: %2").arg(m_topicId, damage);
    }
    return false;
}

} // namespace Vexamo
