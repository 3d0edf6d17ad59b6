#pragma once

#include "BCFLib/ReadLimits.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <quazip/quazip.h>
#include <quazip/unzip.h>

namespace BCFLib {

class ProblemList;

// The file entries of an untrusted zip archive, for validation. Names are normalised ("\" becomes
// "/", "." parts dropped); absolute names and names that climb out of the archive are reported and
// left out. Reads count the bytes actually inflated against the per-entry and total limits, so a
// header that lies about a size cannot make it use more memory.
class ArchiveEntries
{
public:
    explicit ArchiveEntries(const ReadLimits& limits);

    // False with errorString() when the file is no readable zip archive.
    bool open(const QString& fileName, ProblemList& problems);
    QString errorString() const { return m_error; }

    // Normalised paths of the file entries, in archive order.
    const QStringList& paths() const { return m_paths; }
    // The stored path equal to path, else equal but for case; empty when none.
    QString find(const QString& path) const;

    // Reads at most maxBytes of an entry. With wholeEntry, an entry larger than maxBytes is an error;
    // otherwise only its first maxBytes are returned. False with errorString() on failure.
    bool read(const QString& path, qint64 maxBytes, bool wholeEntry, QByteArray& bytes);

    // Joins a reference to a folder of the archive; empty when it is absolute, a URL, or climbs out.
    static QString resolve(const QString& folder, const QString& reference);

private:
    static QString normalise(const QString& name);

    ReadLimits m_limits;
    QuaZip m_zip;
    QString m_error;
    QStringList m_paths;
    QHash<QString, unz64_file_pos> m_positions;
    QHash<QString, QString> m_byLowerPath;
    qint64 m_totalRead = 0;
};

} // namespace BCFLib
