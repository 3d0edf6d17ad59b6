#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QSaveFile>
#include <QString>
#include <quazip/quazip.h>

namespace BCFLib {

// A zip archive written atomically: entries go to a temporary file beside the target, which
// replaces the target only when commit() succeeds. Until then, and whenever anything fails, the
// target is untouched; the temporary file is removed when the output is destroyed without a
// successful commit.
//
// Entries are written without data descriptors (so that streaming readers can read stored
// entries), with UTF-8 names when a name is not ASCII, and in Zip64 form when asked to.
class ZipArchiveOutput
{
public:
    explicit ZipArchiveOutput(const QString& fileName);
    ~ZipArchiveOutput();
    ZipArchiveOutput(const ZipArchiveOutput&) = delete;
    ZipArchiveOutput& operator=(const ZipArchiveOutput&) = delete;

    bool open(bool zip64, bool utf8Names);
    // A file entry: deflated when compress is true, stored otherwise.
    bool addFile(const QString& name, const QByteArray& data, bool compress);
    // A folder entry; name ends with "/".
    bool addDirectory(const QString& name);
    // Finishes the archive and puts it in place of the target.
    bool commit();

    QString errorString() const { return m_error; }

private:
    bool fail(const QString& error);
    bool writeEntry(const QString& name, const QByteArray& data, bool compress, bool directory);

    QSaveFile m_file;
    QuaZip m_zip;
    QDateTime m_time;
    QString m_error;
    bool m_failed = false;
};

} // namespace BCFLib
