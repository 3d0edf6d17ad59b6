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
    // A deflated entry whose headers claim claimedSize bytes while it inflates to data.
    ArchiveBuilder& addLying(const QString& name, const QByteArray& data, quint32 claimedSize);

    QByteArray bytes() const;
    bool write(const QString& fileName) const;

    // The raw deflate stream of data (no zlib header or trailer).
    static QByteArray rawDeflate(const QByteArray& data);

private:
    struct Entry
    {
        QString name;
        QByteArray data;
        bool deflate = true;
        bool directory = false;
        bool lying = false;
        quint32 claimedSize = 0;
    };
    QList<Entry> m_entries;
};
