#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// One entry of a zip archive as the tests inspect it.
struct ArchiveEntry
{
    QString name;
    QByteArray data;
    quint32 unixMode = 0;      // permission bits of the external attributes
    quint16 method = 0;        // 8 = deflate
    quint16 flags = 0;         // general purpose flags; bits 1-2 give the deflate level class
};

// The entries of the archive at path in archive order; ok tells whether the file is a readable zip
// archive whose entries all decompress with a matching checksum.
QList<ArchiveEntry> readArchive(const QString& path, bool* ok);
QStringList entryNames(const QList<ArchiveEntry>& entries);
