#pragma once

#include <QByteArray>
#include <QString>
#include <QVariantMap>

class QFile;

namespace Vexamo {

// Reads the text of one topic file of the working cache into its record: exactly the record that
// BCFCacheRecordCodec::fromJson gives for the same bytes (numbers as doubles, snapshot bytes decoded
// from their base64 text), several times faster.
// The fast path parses with simdjson and decodes snapshots straight from the UTF-8 text. Whatever
// it refuses or might read differently from QJsonDocument (malformed text, a byte-order mark, lone
// surrogates, numbers QJsonDocument accepts beyond the JSON grammar, a fractional zero, a key
// given twice in one object) is read again by BCFCacheRecordCodec::fromJson, whose verdict and
// error text count.
// Files larger than maximumSize() are refused before anything is read. One object per thread.
class BCFCacheJsonReader
{
public:
    enum class Parser {
        Fast,       // simdjson, falling back on QJsonDocument as described above
        QtDocument, // QJsonDocument only (the reference; for comparisons)
    };
    // Topic files hold their snapshots: 256 MiB is some two thousand snapshots of 100 KiB.
    static constexpr qint64 DefaultMaximumSize = qint64(256) * 1024 * 1024;

    // maximumSize is taken as at most 1 GiB.
    explicit BCFCacheJsonReader(qint64 maximumSize = DefaultMaximumSize, Parser parser = Parser::Fast);

    qint64 maximumSize() const { return m_maximumSize; }
    bool acceptsSize(qint64 bytes) const { return bytes >= 0 && bytes <= m_maximumSize; }

    // Reads the record held by json into *record. False, with *record empty and the reason in
    // errorString(), when json is too large, not valid JSON or its top level is no object.
    bool read(const QByteArray& json, QVariantMap* record);
    // The same for the rest of an open file, whose size is checked before it is read.
    bool read(QFile& file, QVariantMap* record);

    QString errorString() const { return m_errorString; }
    // How the data of snapshots ("snapshot_data") is read; by default every snapshot is decoded.
    struct SnapshotReading
    {
        // When not empty: only the snapshot of the viewpoint whose "guid" is exactly this one is
        // decoded, and the others read as empty bytes (for a caller that wants one image).
        QString onlyOf;
        // When above 0: snapshots are not decoded but described, as {"size": decoded size,
        // "head": the first describedHead decoded bytes} (for a caller that reads the images
        // later). Text that is not strict base64 is read as usual, as is every snapshot of a file
        // that takes the QJsonDocument path.
        int describedHead = 0;
    };
    static const QLatin1String DescribedSize;
    static const QLatin1String DescribedHead;
    void setSnapshotReading(const SnapshotReading& reading) { m_snapshotReading = reading; }

private:
    bool fail(const QString& reason, QVariantMap* record);
    bool readPadded(const char* data, qint64 size, QVariantMap* record);

    qint64 m_maximumSize;
    Parser m_parser;
    SnapshotReading m_snapshotReading;
    QString m_errorString;
};

} // namespace Vexamo
