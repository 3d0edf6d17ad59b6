#include "ArchiveBuilder.h"

#include <QBuffer>
#include <QFile>
#include <quazip/quazip.h>
#include <quazip/quazipfile.h>
#include <quazip/quazipnewinfo.h>
#include <zlib.h>

ArchiveBuilder& ArchiveBuilder::add(const QString& name, const QByteArray& data, bool deflate)
{
    m_entries.append(Entry{name, data, deflate, false, false, 0});
    return *this;
}

ArchiveBuilder& ArchiveBuilder::addDirectory(const QString& name)
{
    m_entries.append(Entry{name, QByteArray(), false, true, false, 0});
    return *this;
}

ArchiveBuilder& ArchiveBuilder::addLying(const QString& name, const QByteArray& data, quint32 claimedSize)
{
    m_entries.append(Entry{name, data, true, false, true, claimedSize});
    return *this;
}

QByteArray ArchiveBuilder::rawDeflate(const QByteArray& data)
{
    // qCompress gives a 4-byte length, a 2-byte zlib header, the deflate stream and a 4-byte Adler-32.
    const QByteArray zlib = qCompress(data, 9);
    return zlib.mid(6, zlib.size() - 10);
}

QByteArray ArchiveBuilder::bytes() const
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QuaZip zip(&buffer);
    zip.setUtf8Enabled(true);
    if (!zip.open(QuaZip::mdCreate))
        return QByteArray();
    for (const Entry& entry : m_entries) {
        QuaZipNewInfo info(entry.name);
        QuaZipFile file(&zip);
        if (entry.lying) {
            const QByteArray deflated = rawDeflate(entry.data);
            info.uncompressedSize = entry.claimedSize;
            const quint32 crc = quint32(crc32(0, reinterpret_cast<const Bytef*>(entry.data.constData()), uInt(entry.data.size())));
            file.open(QIODevice::WriteOnly, info, nullptr, crc, Z_DEFLATED, Z_BEST_COMPRESSION, true);
            file.write(deflated);
        } else {
            file.open(QIODevice::WriteOnly, info, nullptr, 0, entry.deflate ? Z_DEFLATED : 0,
                      entry.deflate ? Z_DEFAULT_COMPRESSION : 0);
            if (!entry.directory)
                file.write(entry.data);
        }
        file.close();
    }
    zip.close();
    return buffer.data();
}

bool ArchiveBuilder::write(const QString& fileName) const
{
    const QByteArray data = bytes();
    QFile file(fileName);
    return !data.isEmpty() && file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}
