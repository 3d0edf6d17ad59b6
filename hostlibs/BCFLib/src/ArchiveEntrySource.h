#pragma once

#include "BCFLib/ByteSource.h"
#include "ZipEntryIndex.h"

#include <QMutex>
#include <memory>

namespace BCFLib {

// An archive opened for the sources of one read; reads are serialised on it.
struct SharedArchive
{
    explicit SharedArchive(const ReadLimits& limits)
        : index(limits)
        , maxEntryBytes(limits.maxEntryBytes)
    {
    }
    QMutex mutex;
    ZipEntryIndex index;
    qint64 maxEntryBytes;
};

// An entry left in the archive a model was read from (a snapshot the reader deferred). The archive
// stays open, shared by all such sources of one read, for as long as one of them lives: a file
// replaced on disk meanwhile is still read as it was opened. Reads are serialised on the archive.
class ArchiveEntrySource : public ByteSource
{
public:
    // size and head: what the reader found when it checked the entry.
    ArchiveEntrySource(std::shared_ptr<SharedArchive> archive, const QString& path, qint64 size, const QByteArray& head);

    qint64 size() const override { return m_size; }
    QByteArray head() const override { return m_head; }
    bool read(QByteArray* bytes, QString* error) const override;

private:
    std::shared_ptr<SharedArchive> m_archive;
    QString m_path;
    qint64 m_size;
    QByteArray m_head;
};

} // namespace BCFLib
