#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace BCFTest {

// One entry of a zip archive as the tests inspect it.
struct ZipEntry
{
    QString name;
    QByteArray data;
    quint32 unixMode = 0; // permission bits of the external attributes
    quint16 method = 0;   // 0 stored, 8 deflated
    quint16 flags = 0;    // general purpose flags; bits 1-2 give the deflate level class
};

// The entries of the archive at path in archive order; ok tells whether the file is a readable zip
// archive whose entries all decompress with a matching checksum.
QList<ZipEntry> readZipEntries(const QString& path, bool* ok = nullptr);
QStringList zipEntryNames(const QList<ZipEntry>& entries);
// The entry of that name, or null.
const ZipEntry* findZipEntry(const QList<ZipEntry>& entries, const QString& name);

} // namespace BCFTest
