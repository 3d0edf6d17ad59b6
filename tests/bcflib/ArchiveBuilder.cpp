#include "ArchiveBuilder.h"

#include <QBuffer>
#include <QFile>
#include <quazip/quazip.h>
#include <quazip/quazipfile.h>
#include <quazip/quazipnewinfo.h>
#include <zlib.h>

ArchiveBuilder& ArchiveBuilder::add(const QString& name, const QByteArray& data, bool deflate)
{
    m_entries.append(Entry{name, data, deflate, false, false, 0, false, 0});
    return *this;
}

ArchiveBuilder& ArchiveBuilder::addDirectory(const QString& name)
{
    m_entries.append(Entry{name, QByteArray(), false, true, false, 0, false, 0});
    return *this;
}

ArchiveBuilder& ArchiveBuilder::addRawDeflated(const QString& name, const QByteArray& deflated, quint32 crc, quint32 claimedSize)
{
    m_entries.append(Entry{name, deflated, true, false, true, claimedSize, true, crc});
    return *this;
}

ArchiveBuilder& ArchiveBuilder::addWithWrongChecksum(const QString& name, const QByteArray& data)
{
    const quint32 crc = quint32(crc32(0, reinterpret_cast<const Bytef*>(data.constData()), uInt(data.size())));
    m_entries.append(Entry{name, rawDeflate(data), true, false, true, quint32(data.size()), true, crc ^ 0x5a5a5a5au});
    return *this;
}

QByteArray ArchiveBuilder::rawDeflateZeros(qint64 size, quint32* crc)
{
    const QByteArray chunk(1024 * 1024, '\0');
    z_stream stream{};
    deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 9, Z_DEFAULT_STRATEGY);
    QByteArray out;
    QByteArray buffer(64 * 1024, Qt::Uninitialized);
    quint32 sum = quint32(crc32(0, nullptr, 0));
    qint64 left = size;
    int flush = Z_NO_FLUSH;
    do {
        const int n = int(qMin<qint64>(left, chunk.size()));
        left -= n;
        sum = quint32(crc32(sum, reinterpret_cast<const Bytef*>(chunk.constData()), uInt(n)));
        stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(chunk.constData()));
        stream.avail_in = uInt(n);
        flush = left == 0 ? Z_FINISH : Z_NO_FLUSH;
        do {
            stream.next_out = reinterpret_cast<Bytef*>(buffer.data());
            stream.avail_out = uInt(buffer.size());
            deflate(&stream, flush);
            out.append(buffer.constData(), buffer.size() - int(stream.avail_out));
        } while (stream.avail_out == 0);
    } while (flush != Z_FINISH);
    deflateEnd(&stream);
    *crc = sum;
    return out;
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
    zip.setZip64Enabled(m_zip64);
    if (!zip.open(QuaZip::mdCreate))
        return QByteArray();
    for (const Entry& entry : m_entries) {
        QuaZipNewInfo info(entry.name);
        QuaZipFile file(&zip);
        if (entry.lying) {
            const QByteArray deflated = entry.raw ? entry.data : rawDeflate(entry.data);
            info.uncompressedSize = entry.claimedSize;
            const quint32 crc = entry.raw ? entry.crc
                                          : quint32(crc32(0, reinterpret_cast<const Bytef*>(entry.data.constData()), uInt(entry.data.size())));
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
