#include "BCFLib/BCFArchiveReader.h"

#include "ArchiveEntrySource.h"
#include "BCFLib/BCFModel.h"
#include "BCFLib/BimSnippet.h"
#include "BCFLib/Comment.h"
#include "BCFLib/DocumentReference.h"
#include "BCFLib/File.h"
#include "BCFLib/Project.h"
#include "BCFLib/Topic.h"
#include "BCFLib/Viewpoint.h"
#include "DocumentInfoReader.h"
#include "GuidScope.h"
#include "MarkupReader.h"
#include "SafeIdentifier.h"
#include "VisualizationInfoReader.h"
#include "ZipEntryIndex.h"

#include <QCoreApplication>
#include <QHash>

namespace BCFLib {

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("BCFLib::BCFArchiveReader", text);
}

QString parentOf(const QString& path)
{
    const int slash = path.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? QString() : path.left(slash);
}

QString join(const QString& folder, const QString& name)
{
    return folder.isEmpty() ? name : folder + QLatin1Char('/') + name;
}

// The part of path below folder ("a/b/c.png" below "a/b" is "c.png").
QString relativeTo(const QString& folder, const QString& path)
{
    return folder.isEmpty() ? path : path.mid(folder.size() + 1);
}

// As BCF documents agree for files whose topics lack them: the newest comment's Status is the
// topic type and its VerbalStatus the topic status.
void applyCommentStatus(Topic* topic)
{
    const Comment* newest = nullptr;
    for (const Comment* comment : topic->comments()) {
        if (!newest || !(comment->date() < newest->date()))
            newest = comment;
    }
    if (!newest)
        return;
    if (topic->topicType().isEmpty() && !newest->status().isEmpty())
        topic->setTopicType(newest->status());
    if (topic->topicStatus().isEmpty() && !newest->verbalStatus().isEmpty())
        topic->setTopicStatus(newest->verbalStatus());
}

} // namespace

BCFArchiveReader::BCFArchiveReader(BCFModel* model)
    : m_model(model)
{
}

void BCFArchiveReader::setProgress(ProgressFunction addMax, ProgressFunction addSteps)
{
    m_addMax = std::move(addMax);
    m_addSteps = std::move(addSteps);
}

bool BCFArchiveReader::read(const QString& fileName)
{
    // With deferred images, the sources keep the archive open; the reader lets go of it.
    const auto archive = std::make_shared<SharedArchive>(m_limits);
    if (!archive->index.open(fileName)) {
        m_model->setLoadError(archive->index.errorString());
        return false;
    }
    if (m_deferImages)
        m_deferredArchive = archive;
    const bool read = readArchive(archive->index);
    m_deferredArchive.reset();
    return read;
}

bool BCFArchiveReader::read(QIODevice* device)
{
    ZipEntryIndex archive(m_limits);
    if (!archive.open(device)) {
        m_model->setLoadError(archive.errorString());
        return false;
    }
    return readArchive(archive);
}

void BCFArchiveReader::warn(const QString& text)
{
    m_model->addLoadWarning(text);
}

bool BCFArchiveReader::readArchive(ZipEntryIndex& archive)
{
    for (const QString& name : archive.rejectedNames())
        warn(tr("The entry \"%1\" was ignored: its path is absolute or leaves the archive.").arg(name));

    QStringList markups;
    for (const QString& path : archive.paths()) {
        if (path.contains(QLatin1Char('/'))
            && path.section(QLatin1Char('/'), -1).compare(QLatin1String("markup.bcf"), Qt::CaseInsensitive) == 0)
            markups.append(path);
    }

    // Folders with visualization files but no markup cannot be read as topics.
    QSet<QString> topicFolders;
    for (const QString& markup : markups)
        topicFolders.insert(parentOf(markup));
    QSet<QString> reported;
    for (const QString& path : archive.paths()) {
        const QString folder = parentOf(path);
        if (path.endsWith(QLatin1String(".bcfv"), Qt::CaseInsensitive) && !topicFolders.contains(folder)
            && !reported.contains(folder)) {
            reported.insert(folder);
            warn(tr("Topic folder %1 was skipped: it has no markup.bcf.").arg(folder.isEmpty() ? QStringLiteral("/") : folder));
        }
    }

    const QString root = findRoot(archive, markups);
    if (markups.isEmpty()) {
        // Without topics, name each folder of the document that was passed over.
        for (const QString& path : archive.paths()) {
            const QString folder = parentOf(path);
            const QString name = folder.section(QLatin1Char('/'), -1);
            if (folder.isEmpty() || parentOf(folder) != root || reported.contains(folder)
                || name.compare(QLatin1String("Documents"), Qt::CaseInsensitive) == 0)
                continue;
            reported.insert(folder);
            warn(tr("Topic folder %1 was skipped: it has no markup.bcf.").arg(folder));
        }
    }
    if (!readVersion(archive, root, !markups.isEmpty()))
        return false;

    if (m_addMax)
        m_addMax(markups.size() + 1);
    readProject(archive, root);
    if (m_addSteps)
        m_addSteps(1);

    if (m_version3)
        readVersion3Lists(archive, root);
    for (const QString& markup : markups) {
        readTopic(archive, markup);
        if (m_addSteps)
            m_addSteps(1);
    }
    if (!archive.contains(join(root, QStringLiteral("bcf.version"))) && !markups.isEmpty() && !m_hasViewpointEntries)
        m_model->setVersion(Version(QStringLiteral("1.0"), QStringLiteral("1.0")));
    return true;
}

QString BCFArchiveReader::findRoot(ZipEntryIndex& archive, const QStringList& markups) const
{
    if (archive.contains(QStringLiteral("bcf.version")) || archive.contains(QStringLiteral("project.bcfp")))
        return QString();
    if (markups.isEmpty()) {
        // A document without topics zipped one folder deeper is known by its bcf.version.
        for (const QString& path : archive.paths()) {
            if (path.count(QLatin1Char('/')) == 1
                && path.section(QLatin1Char('/'), -1).compare(QLatin1String("bcf.version"), Qt::CaseInsensitive) == 0)
                return parentOf(path);
        }
    }
    // The tree may have been zipped one folder deeper: take the folder that holds most topics.
    QHash<QString, int> counts;
    QString best;
    for (const QString& markup : markups) {
        const QString root = parentOf(parentOf(markup));
        const int count = ++counts[root];
        if (count > counts.value(best) || (count == counts.value(best) && root.size() < best.size()))
            best = root;
    }
    return best;
}

bool BCFArchiveReader::readVersion(ZipEntryIndex& archive, const QString& root, bool hasTopics)
{
    const QString path = join(root, QStringLiteral("bcf.version"));
    if (!archive.contains(path)) {
        if (!hasTopics) {
            m_model->setLoadError(tr("it is not a BCF archive (no bcf.version and no topics)."));
            return false;
        }
        return true; // many tools leave it out; read as BCF 2.1
    }

    QByteArray bytes;
    Version version;
    DocumentInfoReader reader;
    if (!archive.read(path, m_limits.maxXmlEntryBytes, bytes)) {
        warn(tr("bcf.version could not be read: %1").arg(archive.errorString()));
        return true;
    }
    if (!reader.readVersion(bytes, version)) {
        warn(tr("bcf.version could not be read: %1").arg(reader.errorString()));
        return true;
    }
    const QString id = version.versionId();
    if (!id.isEmpty() && !id.startsWith(QLatin1String("1.0")) && !id.startsWith(QLatin1String("2.0"))
        && !id.startsWith(QLatin1String("2.1")) && !id.startsWith(QLatin1String("3.0"))) {
        m_model->setLoadError(tr("BCF version %1 is not supported; BCF 1.0, 2.0, 2.1 and 3.0 files can be opened.").arg(id));
        return false;
    }
    m_version3 = id.startsWith(QLatin1String("3.0"));
    if (id.isEmpty())
        version.setVersionId(m_model->version().versionId());
    m_model->setVersion(version);
    return true;
}

void BCFArchiveReader::readProject(ZipEntryIndex& archive, const QString& root)
{
    const QString path = join(root, QStringLiteral("project.bcfp"));
    if (!archive.contains(path))
        return;
    QByteArray bytes;
    DocumentInfoReader reader;
    DocumentInfoReader::ProjectInfo info;
    if (!archive.read(path, m_limits.maxXmlEntryBytes, bytes)) {
        warn(tr("The project (project.bcfp) could not be read: %1").arg(archive.errorString()));
        return;
    }
    if (!reader.readProject(bytes, info)) {
        warn(tr("The project (project.bcfp) could not be read: %1").arg(reader.errorString()));
        return;
    }
    if (info.hasProject)
        m_model->addProject(info.projectId)->setName(info.name);
    m_model->setExtensionSchema(info.extensionSchema);
    const QString schemaPath = ZipEntryIndex::resolve(root, info.extensionSchema);
    if (!schemaPath.isEmpty() && archive.contains(schemaPath)) {
        if (archive.read(schemaPath, m_limits.maxEntryBytes, bytes))
            m_model->setExtensionSchemaData(bytes);
        else
            warn(tr("The extension schema could not be read: %1").arg(archive.errorString()));
    }
}

void BCFArchiveReader::readTopic(ZipEntryIndex& archive, const QString& markupPath)
{
    const QString folder = parentOf(markupPath);
    const QString folderName = folder.section(QLatin1Char('/'), -1);

    QByteArray bytes;
    if (!archive.read(markupPath, m_limits.maxXmlEntryBytes, bytes)) {
        warn(tr("Topic folder %1 was skipped: %2").arg(folder, archive.errorString()));
        return;
    }
    MarkupReader reader;
    reader.setZonelessDatesAsUtc(m_version3);
    std::unique_ptr<Topic> topic = reader.read(bytes, folderName);
    bytes.clear();
    if (!topic) {
        warn(tr("Topic folder %1 was skipped: %2.").arg(folder, reader.errorString()));
        return;
    }
    if (m_model->topic(topic->guid())) {
        warn(tr("Topic folder %1 was skipped: its topic guid %2 is used by an earlier topic.").arg(folder, topic->guid()));
        return;
    }
    for (const QString& warning : reader.warnings())
        warn(tr("Topic folder %1: %2.").arg(folder, warning));
    m_hasViewpointEntries = m_hasViewpointEntries || reader.hasViewpointEntries();
    applyCommentStatus(topic.get());

    // Files that the markup names explicitly belong to their viewpoints; no other viewpoint takes
    // them as a fall-back.
    const QList<Viewpoint*> viewpoints = topic->viewpoints();
    m_reservedPaths.clear();
    for (const Viewpoint* viewpoint : viewpoints) {
        for (const QString& name : {viewpoint->viewpointFile(), viewpoint->snapshotFile()}) {
            const QString stored = archive.find(ZipEntryIndex::resolve(folder, name));
            if (!stored.isEmpty())
                m_reservedPaths.insert(stored);
        }
    }
    for (int i = 0; i < viewpoints.size(); ++i)
        readViewpointFiles(archive, folder, folder, topic.get(), viewpoints.at(i), i == 0);
    readCommentViewpoints(archive, folder, folder, topic.get());
    if (!reader.hasViewpointEntries() && topic->viewpoints().isEmpty())
        readVersion1Viewpoint(archive, folder, topic.get());
    readAttachments(archive, folder, folder, topic.get());
    if (m_version3)
        resolveDocuments(topic.get(), folder);
    m_model->adoptTopic(std::move(topic));
}

QString BCFArchiveReader::findFile(ZipEntryIndex& archive, const QString& folder, const QString& explicitName,
                                   const QStringList& fallbacks) const
{
    const QString named = archive.find(ZipEntryIndex::resolve(folder, explicitName));
    if (!named.isEmpty() && !m_usedPaths.contains(named))
        return named;
    for (const QString& candidate : fallbacks) {
        const QString stored = archive.find(candidate);
        if (!stored.isEmpty() && !m_usedPaths.contains(stored) && !m_reservedPaths.contains(stored))
            return stored;
    }
    return QString();
}

void BCFArchiveReader::readViewpointFiles(ZipEntryIndex& archive, const QString& folder, const QString& topicName,
                                          Topic* topic, Viewpoint* viewpoint, bool isFirst)
{
    const QString guid = viewpoint->guid();
    QByteArray bytes;

    QStringList fallbacks{join(folder, guid + QStringLiteral(".bcfv")),
                          join(folder, QStringLiteral("Viewpoint_") + guid + QStringLiteral(".bcfv"))};
    if (isFirst || !viewpoint->viewpointFile().isEmpty())
        fallbacks.append(join(folder, QStringLiteral("viewpoint.bcfv")));
    const QString visinfoPath = findFile(archive, folder, viewpoint->viewpointFile(), fallbacks);
    if (!visinfoPath.isEmpty()) {
        m_usedPaths.insert(visinfoPath);
        if (archive.find(ZipEntryIndex::resolve(folder, viewpoint->viewpointFile())) != visinfoPath)
            viewpoint->setViewpointFile(relativeTo(folder, visinfoPath));
        VisualizationInfoReader reader;
        if (!archive.read(visinfoPath, m_limits.maxXmlEntryBytes, bytes))
            warn(tr("Topic folder %1: viewpoint %2 was read without its visualization: %3").arg(topicName, guid, archive.errorString()));
        else if (!reader.read(bytes, viewpoint))
            warn(tr("Topic folder %1: viewpoint %2 was read without its visualization: %3.").arg(topicName, guid, reader.errorString()));
    }

    fallbacks = QStringList{join(folder, guid + QStringLiteral(".png")), join(folder, guid + QStringLiteral(".jpg")),
                            join(folder, QStringLiteral("Snapshot_") + guid + QStringLiteral(".png"))};
    if (isFirst || !viewpoint->snapshotFile().isEmpty())
        fallbacks.append(join(folder, QStringLiteral("snapshot.png")));
    const QString snapshotPath = findFile(archive, folder, viewpoint->snapshotFile(), fallbacks);
    // A snapshot that is named but absent is not invented: the viewpoint simply has none.
    if (snapshotPath.isEmpty())
        viewpoint->setSnapshotFile(QString());
    else if (archive.find(ZipEntryIndex::resolve(folder, viewpoint->snapshotFile())) != snapshotPath)
        viewpoint->setSnapshotFile(relativeTo(folder, snapshotPath));
    if (!snapshotPath.isEmpty()) {
        m_usedPaths.insert(snapshotPath);
        QByteArray head;
        qint64 size = 0;
        if (m_deferredArchive && archive.scan(snapshotPath, m_limits.maxEntryBytes, ByteSource::HeadSize, head, size))
            topic->addSnapshotSource(guid, std::make_shared<ArchiveEntrySource>(m_deferredArchive, snapshotPath, size, head));
        else if (!m_deferredArchive && archive.read(snapshotPath, m_limits.maxEntryBytes, bytes))
            topic->addSnapshot(guid, &bytes);
        else
            warn(tr("Topic folder %1: the snapshot of viewpoint %2 was left out: %3").arg(topicName, guid, archive.errorString()));
    }

    QList<Bitmap> bitmaps = viewpoint->bitmaps();
    for (Bitmap& bitmap : bitmaps) {
        const QString path = ZipEntryIndex::resolve(folder, bitmap.reference);
        if (path.isEmpty() || !archive.contains(path))
            continue;
        if (archive.read(path, m_limits.maxEntryBytes, bytes))
            bitmap.data = bytes;
        else
            warn(tr("Topic folder %1: a bitmap of viewpoint %2 was left out: %3").arg(topicName, guid, archive.errorString()));
    }
    viewpoint->setBitmaps(bitmaps);
}

void BCFArchiveReader::readCommentViewpoints(ZipEntryIndex& archive, const QString& folder, const QString& topicName,
                                             Topic* topic)
{
    // Older files list viewpoints only through the comments that refer to them.
    for (Comment* comment : topic->comments()) {
        const QString guid = comment->viewpointGuid();
        if (guid.isEmpty() || !isSafeIdentifier(guid) || topic->viewpoint(guid))
            continue;
        const bool first = topic->viewpoints().isEmpty();
        QStringList candidates{join(folder, guid + QStringLiteral(".bcfv")),
                               join(folder, QStringLiteral("Viewpoint_") + guid + QStringLiteral(".bcfv"))};
        if (first)
            candidates.append(join(folder, QStringLiteral("viewpoint.bcfv")));
        if (findFile(archive, folder, QString(), candidates).isEmpty())
            continue;
        readViewpointFiles(archive, folder, topicName, topic, topic->addViewpoint(guid), first);
    }
}

void BCFArchiveReader::readVersion1Viewpoint(ZipEntryIndex& archive, const QString& folder, Topic* topic)
{
    // BCF 1.0 has one viewpoint per topic, in fixed files, named nowhere. Its guid is derived from
    // the topic's, so that reading the same file twice gives the same viewpoint.
    const QString visinfo = findFile(archive, folder, QString(), {join(folder, QStringLiteral("viewpoint.bcfv"))});
    const QString snapshot = findFile(archive, folder, QString(), {join(folder, QStringLiteral("snapshot.png"))});
    if (visinfo.isEmpty() && snapshot.isEmpty())
        return;
    Viewpoint* viewpoint = topic->addViewpoint(GuidScope::nameBasedGuid(topic->guid().toLower() + QStringLiteral("/viewpoint")));
    if (viewpoint)
        readViewpointFiles(archive, folder, folder, topic, viewpoint, true);
}

void BCFArchiveReader::readVersion3Lists(ZipEntryIndex& archive, const QString& root)
{
    DocumentInfoReader reader;
    QByteArray bytes;
    const QString extensionsPath = join(root, QStringLiteral("extensions.xml"));
    ProjectExtensions extensions;
    if (!archive.contains(extensionsPath))
        warn(tr("extensions.xml is missing; the document has no value lists."));
    else if (!archive.read(archive.find(extensionsPath), m_limits.maxXmlEntryBytes, bytes))
        warn(tr("extensions.xml could not be read: %1").arg(archive.errorString()));
    else if (!reader.readExtensions(bytes, extensions))
        warn(tr("extensions.xml could not be read: %1").arg(reader.errorString()));
    m_model->setExtensions(extensions);

    const QString documentsPath = join(root, QStringLiteral("documents.xml"));
    if (!archive.contains(documentsPath))
        return;
    QList<Document> documents;
    if (!archive.read(archive.find(documentsPath), m_limits.maxXmlEntryBytes, bytes)) {
        warn(tr("documents.xml could not be read: %1").arg(archive.errorString()));
        return;
    }
    if (!reader.readDocuments(bytes, documents))
        warn(tr("documents.xml could not be read: %1").arg(reader.errorString()));
    for (Document& document : documents) {
        // The folder is "Documents" in the standard, "documents" in some files: find() ignores case.
        const QString path = archive.find(join(root, QStringLiteral("Documents/") + document.guid));
        if (path.isEmpty())
            warn(tr("The document %1 (%2) is missing from the archive.").arg(document.guid, document.fileName));
        else if (!archive.read(path, m_limits.maxEntryBytes, document.data))
            warn(tr("The document %1 could not be read: %2").arg(document.guid, archive.errorString()));
    }
    m_model->setDocuments(documents);
}

void BCFArchiveReader::resolveDocuments(Topic* topic, const QString& folder)
{
    // A 3.0 reference names a document of the archive; it also carries the document's name and
    // content, as a 2.x reference does, so that any version can be written from it.
    for (DocumentReference* reference : topic->documentReferences()) {
        if (reference->documentGuid().isEmpty())
            continue;
        const Document* document = m_model->document(reference->documentGuid());
        if (!document) {
            warn(tr("Topic folder %1: the referenced document %2 is not in documents.xml.").arg(folder, reference->documentGuid()));
            continue;
        }
        reference->setReferencedDocument(document->fileName);
        reference->setDocumentData(document->data);
    }
}

QByteArray BCFArchiveReader::readShared(ZipEntryIndex& archive, const QString& path, const QString& topicName,
                                        const QString& what)
{
    const QString stored = archive.find(path);
    if (stored.isEmpty())
        return QByteArray();
    const auto cached = m_sharedFiles.constFind(stored);
    if (cached != m_sharedFiles.constEnd())
        return cached.value();
    QByteArray bytes;
    if (!archive.read(stored, m_limits.maxEntryBytes, bytes)) {
        warn(tr("Topic folder %1: %2 was left out: %3").arg(topicName, what, archive.errorString()));
        return QByteArray();
    }
    m_sharedFiles.insert(stored, bytes);
    return bytes;
}

void BCFArchiveReader::readAttachments(ZipEntryIndex& archive, const QString& folder, const QString& topicName,
                                       Topic* topic)
{
    if (BimSnippet* snippet = topic->bimSnippet()) {
        if (!snippet->isExternal()) {
            const QString path = ZipEntryIndex::resolve(folder, snippet->reference());
            if (!path.isEmpty())
                snippet->setSnippetData(readShared(archive, path, topicName, tr("the BIM snippet file")));
        }
    }
    // A model file kept inside the archive (often one at the root, shared by every topic) is read
    // once and shared, so that writing the document keeps it.
    for (File* file : topic->files()) {
        if (file->isExternal())
            continue;
        const QString path = ZipEntryIndex::resolve(folder, file->reference());
        if (!path.isEmpty())
            file->setFileData(readShared(archive, path, topicName, tr("a model file")));
    }
    for (DocumentReference* document : topic->documentReferences()) {
        if (document->isExternal())
            continue;
        const QString path = ZipEntryIndex::resolve(folder, document->referencedDocument());
        if (!path.isEmpty())
            document->setDocumentData(readShared(archive, path, topicName, tr("a referenced document")));
    }
}

} // namespace BCFLib
