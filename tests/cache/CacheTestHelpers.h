#pragma once

#include "BCFapi/BCFCacheApi.h"

#include "BCFTestSupport/TestFiles.h"

#include <QByteArray>
#include <QMap>
#include <QString>

using BCFTest::fileBytes;
using BCFTest::writeFileBytes;

// A BCFCacheApi that lets the tests reach its protected state.
class TestableCache : public Vexamo::BCFCacheApi
{
public:
    using Vexamo::BCFCacheApi::BCFCacheApi;
    using Vexamo::BCFCacheApi::commentPosition;
    using Vexamo::BCFCacheApi::positionInList;
    using Vexamo::BCFCacheApi::viewpointPosition;

    bool saved() const { return m_saved; }
    void setSaved(bool saved) { m_saved = saved; }
    QString cachePath() const { return m_cachePath; }
    QString topicFilePath(const QString& topic_id) const;
};

// Every entry below root (directories and files, hidden ones included), by relative path, with the
// content of each file, so that two snapshots show any change made in between.
QMap<QString, QByteArray> treeSnapshot(const QString& root);

// Bytes that no text conversion survives: zeros, a PNG signature and sequences that are not UTF-8.
QByteArray awkwardBytes(int size);
