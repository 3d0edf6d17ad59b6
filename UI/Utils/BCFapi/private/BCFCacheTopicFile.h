#pragma once

#include "BCFCacheJsonReader.h"

#include <QString>
#include <QVariantMap>

namespace Vexamo {

// The storage of one topic in the working cache: the directory named by the topic id directly below
// the working directory, and in it the file "annotation.json" with the whole topic record.
// An id that BCFCacheTopicId refuses makes the object invalid: it then reads nothing, writes nothing
// and removes nothing. Symbolic links in place of the directory or the file are not followed.
class BCFCacheTopicFile
{
public:
    // cachePath is the working directory and ends with a directory separator.
    BCFCacheTopicFile(const QString& cachePath, const QString& topicId);

    bool isValid() const { return m_valid; }
    QString directoryPath() const { return m_directoryPath; }
    QString filePath() const { return m_filePath; }

    // Whether the topic directory exists as a real directory.
    bool hasDirectory() const;
    // Creates the topic directory; false when it cannot be created or already exists.
    bool createDirectory() const;
    // Removes the topic directory with everything in it.
    bool removeDirectory() const;

    // The stored record; empty when the file is missing, unreadable, larger than
    // BCFCacheJsonReader::DefaultMaximumSize, not valid JSON or not an object (with a warning giving
    // the reason for the last three). error, when given, receives that reason, and is emptied
    // when the file reads or is missing. snapshots: how the snapshots' data is read.
    QVariantMap read(QString* error = nullptr,
                     const BCFCacheJsonReader::SnapshotReading& snapshots = BCFCacheJsonReader::SnapshotReading()) const;
    enum class Durability {
        Flushed,   // on disk before the call returns (what a user's edit needs)
        Unflushed, // left to the system's write-back; for content that can be made again
    };

    // Replaces the file by record in one step (write to a temporary file, then rename): when the
    // write fails, the previous content stays as it was. Writes nothing without the topic directory.
    // Unflushed applies only while the file does not exist yet; an existing file is always
    // replaced flushed.
    bool write(const QVariantMap& record, Durability durability = Durability::Flushed) const;

private:
    bool isPlainFile() const;
    bool writeNewUnflushed(const QByteArray& json) const;

    QString m_cachePath;
    QString m_topicId;
    QString m_directoryPath;
    QString m_filePath;
    bool m_valid = false;
};

} // namespace Vexamo
