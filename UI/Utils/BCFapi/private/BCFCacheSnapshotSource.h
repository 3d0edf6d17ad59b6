#pragma once

#include "BCFLib/ByteSource.h"

#include <QString>

namespace Vexamo {

class BCFCacheStore;

// A snapshot left in its topic file of the working cache while a model of the cache is written:
// the writer reads it when it writes it, so a save never holds every image of the document. The
// store must outlive the source; reads decode this snapshot alone and may run on any thread. A topic file that no longer holds the snapshot (changed by
// another program meanwhile) gives an error, and the write fails rather than leave it out.
class BCFCacheSnapshotSource : public BCFLib::ByteSource
{
public:
    // size and head: the snapshot's size and first bytes as read now.
    BCFCacheSnapshotSource(const BCFCacheStore& store, const QString& topicId, const QString& viewpointId, qint64 size,
                           const QByteArray& head);

    qint64 size() const override { return m_size; }
    QByteArray head() const override { return m_head; }
    bool read(QByteArray* bytes, QString* error) const override;

private:
    const BCFCacheStore& m_store;
    QString m_topicId;
    QString m_viewpointId;
    qint64 m_size;
    QByteArray m_head;
};

} // namespace Vexamo
