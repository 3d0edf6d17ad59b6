#pragma once

#include <QByteArray>
#include <QHash>
#include <QSet>
#include <QString>
#include <memory>
#include <vector>

namespace BCFLib {

class ByteSource;

// The entries of an archive about to be written: their paths, content and compression. It keeps
// the paths safe and distinct: no absolute paths, no "." or ".." parts, no characters that file
// systems refuse, no two entries whose paths differ only in case, and no file where another entry
// needs a folder. Entries are grouped (the archive's header files, then one group per topic) and
// listed group by group, in the order they were added within a group.
class ArchivePlan
{
public:
    struct Entry
    {
        QString path;       // a folder ends with "/"
        QByteArray data;
        std::shared_ptr<const ByteSource> source; // read only when written, instead of data
        bool compress = true;
        int group = 0;
        bool referenced = false; // placed by placeReferencedFile(), may be shared
        qint64 size() const;
    };

    // Entries added from now on belong to this group.
    void setGroup(int group) { m_group = group; }

    // A folder entry ("name/"); false when the path is unusable or a file of that name exists.
    bool addDirectory(const QString& path);
    // A file whose content follows with setData(); -1 when the path is unusable or taken.
    int addFile(const QString& path, bool compress);
    void setData(int index, const QByteArray& data);
    void setSource(int index, std::shared_ptr<const ByteSource> source);

    // Places a file that a document refers to by path: at wanted when that path is usable and free,
    // or already holds the same bytes (several topics sharing one document); otherwise at a free
    // path in folder named after fallbackName ("name.ext", then "name-2.ext", ...). A name that BCF
    // tools take for a BCF document (*.bcf, *.bcfv, *.bcfp, bcf.version) gets ".bin" appended.
    // Gives the path used.
    QString placeReferencedFile(const QString& wanted, const QString& folder, const QString& fallbackName,
                                const QByteArray& data, bool compress);

    // True when path is a usable entry path (relative, normalised, no unsafe characters).
    static bool isUsablePath(const QString& path);
    // name reduced to a usable single file name (unsafe characters dropped); empty if nothing is left.
    static QString usableFileName(const QString& name);

    // The entries in archive order.
    std::vector<const Entry*> orderedEntries() const;
    qint64 totalBytes() const;
    int entryCount() const { return int(m_entries.size()); }
    bool hasNonAsciiPaths() const;

private:
    bool isFree(const QString& path) const;
    int append(const QString& path, bool compress);

    std::vector<Entry> m_entries;
    QHash<QString, int> m_files;  // lower-case path -> index in m_entries
    QSet<QString> m_folders;      // lower-case folder paths, without the final "/"
    int m_group = 0;
};

} // namespace BCFLib
