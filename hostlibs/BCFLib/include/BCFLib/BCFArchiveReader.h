#pragma once

#include "BCFLib/BCFLibGlobal.h"
#include "BCFLib/ReadLimits.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <functional>
#include <memory>

class QIODevice;

namespace BCFLib {

class BCFModel;
struct SharedArchive;
class Topic;
class Viewpoint;
class ZipEntryIndex;

// Reads a BCF 1.0, 2.0, 2.1 or 3.0 archive into a model; BCFLoadingWorker uses it on its thread.
// Topic folders are found by their markup.bcf, also when the whole tree sits one folder deeper
// (an archive whose bcf.version sits one folder deeper and that has no topics opens empty); the
// files a markup references are looked up relative to its folder, exactly or else
// case-insensitively, with the usual names as fall-back. Whatever cannot be read is skipped and
// reported in the model's load warnings; a file that cannot be used at all sets the model's load
// error.
//
// The model's version is the one bcf.version gives; without bcf.version it is 2.1, or 1.0 when no
// markup lists viewpoints (BCF 1.0: the folder's viewpoint.bcfv and snapshot.png are the topic's
// one viewpoint). For 3.0 the reader also takes extensions.xml (missing or damaged: a warning),
// documents.xml with the Documents folder (in any case), and reads dates without zone as UTC. As
// BCF documents agree, the newest comment's Status becomes the topic type and its VerbalStatus
// the topic status when the topic has none of its own.
class BCFLIB_EXPORT BCFArchiveReader
{
public:
    // Progress: the number of steps is announced once through addMax, then advanced by addSteps.
    using ProgressFunction = std::function<void(qint64)>;

    explicit BCFArchiveReader(BCFModel* model);
    void setProgress(ProgressFunction addMax, ProgressFunction addSteps);
    void setLimits(const ReadLimits& limits) { m_limits = limits; }
    // With deferred images, read(fileName) checks every snapshot (limits, checksum) but leaves its
    // bytes in the archive: the topics hold sources that read them when asked (Topic::snapshot(),
    // readSnapshot(), a write), and the archive file stays open while one of them lives. A model
    // of a large document then holds no images. Off by default; read(QIODevice*) always reads
    // them.
    void setDeferredImages(bool deferred) { m_deferImages = deferred; }

    // Returns false when the model's load error was set.
    bool read(const QString& fileName);
    bool read(QIODevice* device);

private:
    bool readArchive(ZipEntryIndex& archive);
    QString findRoot(ZipEntryIndex& archive, const QStringList& markups) const;
    bool readVersion(ZipEntryIndex& archive, const QString& root, bool hasTopics);
    void readProject(ZipEntryIndex& archive, const QString& root);
    void readVersion3Lists(ZipEntryIndex& archive, const QString& root);
    void resolveDocuments(Topic* topic, const QString& folder);
    void readVersion1Viewpoint(ZipEntryIndex& archive, const QString& folder, Topic* topic);
    void readTopic(ZipEntryIndex& archive, const QString& markupPath);
    void readViewpointFiles(ZipEntryIndex& archive, const QString& folder, const QString& topicName,
                            Topic* topic, Viewpoint* viewpoint, bool isFirst);
    void readCommentViewpoints(ZipEntryIndex& archive, const QString& folder, const QString& topicName, Topic* topic);
    void readAttachments(ZipEntryIndex& archive, const QString& folder, const QString& topicName, Topic* topic);
    // The stored path of explicitName (relative to folder) when it exists and is not used yet, else
    // the first fall-back that exists and is neither used nor named by another viewpoint.
    QString findFile(ZipEntryIndex& archive, const QString& folder, const QString& explicitName,
                     const QStringList& fallbacks) const;
    QByteArray readShared(ZipEntryIndex& archive, const QString& path, const QString& topicName, const QString& what);
    void warn(const QString& text);

    BCFModel* m_model;
    bool m_version3 = false;
    bool m_deferImages = false;
    std::shared_ptr<SharedArchive> m_deferredArchive; // set while a deferring read runs
    bool m_hasViewpointEntries = false;
    ReadLimits m_limits;
    ProgressFunction m_addMax;
    ProgressFunction m_addSteps;
    QSet<QString> m_usedPaths;                // viewpoint and snapshot files already given to a viewpoint
    QSet<QString> m_reservedPaths;            // files the current markup names for its viewpoints
    QHash<QString, QByteArray> m_sharedFiles; // files read for several topics (documents at the root)
};

} // namespace BCFLib
