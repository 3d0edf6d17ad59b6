#include "TopicLayout.h"

#include "BCFLib/ByteSource.h"

#include "ArchivePlan.h"
#include "BCFLib/BimSnippet.h"
#include "BCFLib/Comment.h"
#include "BCFLib/DocumentReference.h"
#include "BCFLib/File.h"
#include "BCFLib/Topic.h"
#include "BCFLib/Viewpoint.h"
#include "ImageType.h"
#include "ZipEntryIndex.h"

#include <algorithm>

namespace BCFLib {

namespace {

const QLatin1String sFirstViewpointFile("viewpoint.bcfv");
const QLatin1String sFirstSnapshotStem("snapshot");

// The suffix for a snapshot or bitmap file: by content, else the suffix of the name the model
// knows (when it is a plain short word), else "png".
QString imageSuffix(const QByteArray& bytes, const QString& knownName)
{
    const QString byContent = ImageType::suffixOf(bytes);
    if (!byContent.isEmpty())
        return byContent;
    const QString known = knownName.section(QLatin1Char('.'), -1).toLower();
    const bool plain = knownName.contains(QLatin1Char('.')) && !known.isEmpty() && known.size() <= 5
                       && std::all_of(known.begin(), known.end(), [](QChar c) {
                              return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) || c.isDigit();
                          });
    // Suffixes of BCF documents are never given to an image.
    const bool bcfSuffix = known == QLatin1String("bcf") || known == QLatin1String("bcfv")
                           || known == QLatin1String("bcfp") || known == QLatin1String("version");
    return plain && !bcfSuffix ? known : QStringLiteral("png");
}

} // namespace

TopicLayout::TopicLayout(const Topic& topic, const QString& folder, const GuidScope& topics)
    : m_topic(topic)
    , m_folder(folder)
    , m_topicScope(topics)
    , m_viewpointScope(topics.isLowerCase())
{
    GuidScope comments(topics.isLowerCase());
    for (const Comment* comment : topic.comments())
        m_commentGuids.append(comments.assign(comment->guid()));

    GuidScope documents(topics.isLowerCase());
    for (const DocumentReference* document : topic.documentReferences()) {
        m_documentGuids.append(document->guid().isEmpty() ? QString() : documents.assign(document->guid()));
        m_documentReferences.append(document->referencedDocument());
    }
    m_mappedIds = comments.mappedCount() + documents.mappedCount();
    if (const BimSnippet* snippet = topic.bimSnippet())
        m_snippetReference = snippet->reference();
    for (const File* file : topic.files())
        m_fileReferences.append(file->reference());
}

bool TopicLayout::placeTopicFiles(ArchivePlan& plan)
{
    if (!plan.addDirectory(m_folder))
        return false;
    m_markupEntry = plan.addFile(m_folder + QStringLiteral("/markup.bcf"), true);
    if (m_markupEntry < 0)
        return false;

    const QList<Viewpoint*> viewpoints = m_topic.viewpoints();
    for (int i = 0; i < viewpoints.size(); ++i) {
        const Viewpoint* viewpoint = viewpoints.at(i);
        ViewpointFiles files;
        files.viewpoint = viewpoint;
        files.guid = m_viewpointScope.assign(viewpoint->guid());
        files.visualizationFile = i == 0 ? QString(sFirstViewpointFile) : files.guid + QStringLiteral(".bcfv");
        files.visualizationEntry = plan.addFile(m_folder + QLatin1Char('/') + files.visualizationFile, true);
        if (files.visualizationEntry < 0)
            return false;

        // The snapshot is read only when the archive is written: its first bytes tell its type.
        std::shared_ptr<const ByteSource> snapshot = m_topic.snapshotSource(viewpoint->guid());
        if (snapshot && snapshot->size() > 0) {
            const QByteArray head = snapshot->head();
            const QString stem = i == 0 ? QString(sFirstSnapshotStem) : files.guid;
            files.snapshotFile = stem + QLatin1Char('.') + imageSuffix(head, viewpoint->snapshotFile());
            const int entry = plan.addFile(m_folder + QLatin1Char('/') + files.snapshotFile,
                                           !ImageType::isCompressed(head));
            if (entry < 0)
                return false;
            plan.setSource(entry, snapshot);
            files.snapshot = std::move(snapshot);
        }
        m_viewpoints.append(files);
    }
    return true;
}

QString TopicLayout::relativeReference(const QString& path) const
{
    const QString prefix = m_folder + QLatin1Char('/');
    if (path.startsWith(prefix))
        return path.mid(prefix.size());
    return QStringLiteral("../") + path;
}

QString TopicLayout::placeReferenced(ArchivePlan& plan, const QString& reference, const QString& fallbackName,
                                     const QByteArray& data)
{
    const QString wanted = ZipEntryIndex::resolve(m_folder, reference);
    const QString path = plan.placeReferencedFile(wanted, m_folder, fallbackName, data, !ImageType::isCompressed(data));
    // Keep the reference as the model has it when it leads to the same place.
    return path == wanted ? reference : relativeReference(path);
}

void TopicLayout::setDocumentTarget(int index, const QString& documentGuid)
{
    while (m_documentTargets.size() <= index)
        m_documentTargets.append(QString());
    m_documentTargets[index] = documentGuid;
}

int TopicLayout::mappedIdCount() const
{
    return m_mappedIds + m_viewpointScope.mappedCount();
}

void TopicLayout::placeAttachments(ArchivePlan& plan, bool placeDocuments)
{
    for (ViewpointFiles& files : m_viewpoints) {
        for (const Bitmap& bitmap : files.viewpoint->bitmaps()) {
            if (bitmap.data.isEmpty()) {
                files.bitmapReferences.append(bitmap.reference);
                continue;
            }
            QString fallback = ArchivePlan::usableFileName(bitmap.reference);
            if (fallback.isEmpty())
                fallback = QStringLiteral("bitmap.") + imageSuffix(bitmap.data, bitmap.reference);
            files.bitmapReferences.append(placeReferenced(plan, bitmap.reference, fallback, bitmap.data));
        }
    }

    if (const BimSnippet* snippet = m_topic.bimSnippet()) {
        if (!snippet->isExternal() && !snippet->snippetData().isEmpty()) {
            QString fallback = ArchivePlan::usableFileName(snippet->reference());
            if (fallback.isEmpty())
                fallback = QStringLiteral("snippet.bin");
            m_snippetReference = placeReferenced(plan, snippet->reference(), fallback, snippet->snippetData());
        }
    }

    const QList<File*> files = m_topic.files();
    for (int i = 0; i < files.size(); ++i) {
        const File* file = files.at(i);
        if (file->isExternal() || file->fileData().isEmpty())
            continue;
        QString fallback = ArchivePlan::usableFileName(file->reference());
        if (fallback.isEmpty())
            fallback = ArchivePlan::usableFileName(file->fileName());
        if (fallback.isEmpty())
            fallback = QStringLiteral("model.ifc");
        m_fileReferences[i] = placeReferenced(plan, file->reference(), fallback, file->fileData());
    }

    const QList<DocumentReference*> documents = m_topic.documentReferences();
    for (int i = 0; placeDocuments && i < documents.size(); ++i) {
        const DocumentReference* document = documents.at(i);
        // A document of a 3.0 archive is written even when empty: the reference names it.
        if (document->isExternal() || (document->documentData().isEmpty() && document->documentGuid().isEmpty()))
            continue;
        QString fallback = ArchivePlan::usableFileName(document->referencedDocument());
        if (fallback.isEmpty())
            fallback = QStringLiteral("document.bin");
        m_documentReferences[i] = placeReferenced(plan, document->referencedDocument(), fallback,
                                                  document->documentData());
    }
}

} // namespace BCFLib
