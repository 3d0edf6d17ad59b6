#include "CacheTestHelpers.h"

#include "BCFTestSupport/MessageBoxAnswerer.h"

#include <QDir>
#include <QDirIterator>

QString cacheDirectory()
{
    return Vexamo::BCFCacheStore::defaultDirectory();
}

QString topicFilePath(const QString& topic_id)
{
    return cacheDirectory() + topic_id + QLatin1String("/annotation.json");
}

bool isModified(Vexamo::BCFCacheApi& cache)
{
    BCFTest::MessageBoxAnswerer boxes;
    boxes.answer(QMessageBox::No);
    cache.checkToSaveCurrentBCF();
    return boxes.count() == 1 && boxes.last().title == QLatin1String("Save BCF");
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
