#pragma once

#include "BCFapi/BCFCacheApi.h"

#include "BCFCacheStore.h"
#include "BCFTestSupport/TestFiles.h"

#include <QByteArray>
#include <QMap>
#include <QString>

using BCFTest::fileBytes;
using BCFTest::writeFileBytes;

// The working directory that every BCFCacheApi of the test shares, ending with a separator.
QString cacheDirectory();
// The topic file of topic_id in that directory.
QString topicFilePath(const QString& topic_id);
// The position of the entry named id in list (comments, viewpoints), or -1.
inline int positionOf(const QVariantList& list, const QString& id)
{
    return Vexamo::BCFCacheStore::positionInList(id, list);
}
// Whether cache holds a modified document: whether leaving it asks to save it (answered No).
bool isModified(Vexamo::BCFCacheApi& cache);

// Every entry below root (directories and files, hidden ones included), by relative path, with the
// content of each file, so that two snapshots show any change made in between.
QMap<QString, QByteArray> treeSnapshot(const QString& root);

// Bytes that no text conversion survives: zeros, a PNG signature and sequences that are not UTF-8.
QByteArray awkwardBytes(int size);
