#include "CacheTestHelpers.h"

#include <QDir>
#include <QDirIterator>

QString TestableCache::topicFilePath(const QString& topic_id) const
{
    return m_cachePath + topic_id + QLatin1String("/annotation.json");
}

QMap<QString, QByteArray> treeSnapshot(const QString& root)
{
    QMap<QString, QByteArray> snapshot;
    const QDir base(root);
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        snapshot.insert(base.relativeFilePath(path),
                        it.fileInfo().isDir() ? QByteArray("<dir>") : fileBytes(path));
    }
    return snapshot;
}

QByteArray awkwardBytes(int size)
{
    QByteArray bytes("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\xff\xfe\xc3\x28\0\x80", 22);
    while (bytes.size() < size)
        bytes.append(char((bytes.size() * 7919) % 256));
    bytes.resize(size);
    return bytes;
}
