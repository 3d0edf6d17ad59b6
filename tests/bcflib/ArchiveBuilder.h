#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// Builds zip archives for the BCF reader tests, also malformed ones: any entry name (absolute,
// "..", backslashes), stored or deflated entries, directory entries, and entries whose header
// lies about their size.
class ArchiveBuilder
{
public:
    ArchiveBuilder& add(const QString& name, const QByteArray& data, bool deflate = true);
    ArchiveBuilder& addDirectory(const QString& name);
    // An entry given as a ready raw deflate stream with the CRC-32 of its content; the headers
    // claim claimedSize bytes.
    ArchiveBuilder& addRawDeflated(const QString& name, const QByteArray& deflated, quint32 crc, quint32 claimedSize);
    // Stores data under name but records a wrong CRC-32, as in a damaged archive.
    ArchiveBuilder& addWithWrongChecksum(const QString& name, const QByteArray& data);

    // Writes Zip64 extra fields for every entry, as tools do for large archives.
    ArchiveBuilder& setZip64(bool zip64) { m_zip64 = zip64; return *this; }

    QByteArray bytes() const;
    bool write(const QString& fileName) const;

    // The raw deflate stream of data (no zlib header or trailer).
    static QByteArray rawDeflate(const QByteArray& data);
    // The raw deflate stream of size zero bytes, made in small chunks (never all in memory), and
    // their CRC-32.
    static QByteArray rawDeflateZeros(qint64 size, quint32* crc);

private:
    struct Entry
    {
        QString name;
        QByteArray data;
        bool deflate = true;
        bool directory = false;
        bool lying = false;
        quint32 claimedSize = 0;
        bool raw = false;
        quint32 crc = 0;
    };
    QList<Entry> m_entries;
    bool m_zip64 = false;
};
