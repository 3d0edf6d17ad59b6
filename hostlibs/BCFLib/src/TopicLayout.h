#pragma once

#include "GuidScope.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <memory>

namespace BCFLib {

class ByteSource;

class ArchivePlan;
class Topic;
class Viewpoint;

// Decides how one topic is laid out in the archive it is written to: the written guids of the
// topic, its comments, viewpoints and document references, the names of the files of its folder,
// and the references that the markup and visualization files make to them.
//
// File names: the first viewpoint is "viewpoint.bcfv" with "snapshot.png" (or ".jpg" for JPEG
// content), since several tools read only those; every further viewpoint is "<guid>.bcfv" with
// "<guid>.png"/".jpg". Content that is neither PNG nor JPEG keeps the suffix of its file name in
// the model (a short plain word, not a BCF document suffix), or else gets ".png". Bitmaps, an
// internal snippet, internal documents and internal model files are written where their
// references point, when that place is inside the archive, usable and free (a document or model
// file that several topics share is written once); otherwise in the topic folder under their file
// name (made unique), and the reference is changed to match.
class TopicLayout
{
public:
    struct ViewpointFiles
    {
        const Viewpoint* viewpoint = nullptr;
        QString guid;              // written guid
        QString visualizationFile; // name in the topic folder
        int visualizationEntry = -1;
        QString snapshotFile;      // empty when the viewpoint has no snapshot
        std::shared_ptr<const ByteSource> snapshot; // null when the viewpoint has no snapshot
        QStringList bitmapReferences; // one per bitmap of the viewpoint
    };

    TopicLayout(const Topic& topic, const QString& folder, const GuidScope& topics);

    // Places markup, visualization and snapshot files; false when the folder cannot be used.
    bool placeTopicFiles(ArchivePlan& plan);
    // Places bitmaps, the internal snippet, internal model files and (unless the archive keeps
    // its documents apart, as BCF 3.0 does) internal documents.
    void placeAttachments(ArchivePlan& plan, bool placeDocuments = true);
    // Identifiers of the topic's comments, viewpoints and documents that were not UUIDs.
    int mappedIdCount() const;

    const Topic& topic() const { return m_topic; }
    QString folder() const { return m_folder; }
    int markupEntry() const { return m_markupEntry; }
    const QList<ViewpointFiles>& viewpoints() const { return m_viewpoints; }

    // Written guids.
    QString topicGuid() const { return m_folder; }
    QString commentGuid(int index) const { return m_commentGuids.value(index); }
    QString viewpointGuid(const QString& modelGuid) const { return m_viewpointScope.lookup(modelGuid); }
    QString relatedTopicGuid(const QString& modelGuid) const { return m_topicScope.lookup(modelGuid); }
    // Empty when the reference has no guid.
    QString documentGuid(int index) const { return m_documentGuids.value(index); }

    // BCF 3.0: the guid of the archive's document that reference index names; empty for a URL.
    QString documentTarget(int index) const { return m_documentTargets.value(index); }
    void setDocumentTarget(int index, const QString& documentGuid);

    // Written references.
    QString snippetReference() const { return m_snippetReference; }
    QString documentReference(int index) const { return m_documentReferences.value(index); }
    QString fileReference(int index) const { return m_fileReferences.value(index); }

private:
    QString placeReferenced(ArchivePlan& plan, const QString& reference, const QString& fallbackName,
                            const QByteArray& data);
    QString relativeReference(const QString& path) const;

    const Topic& m_topic;
    QString m_folder;
    const GuidScope& m_topicScope;
    GuidScope m_viewpointScope;
    QStringList m_commentGuids;
    QStringList m_documentGuids;
    QStringList m_documentReferences;
    QStringList m_documentTargets;
    QStringList m_fileReferences;
    QString m_snippetReference;
    int m_markupEntry = -1;
    int m_mappedIds = 0;
    QList<ViewpointFiles> m_viewpoints;
};

} // namespace BCFLib
