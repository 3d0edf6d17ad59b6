#include "BCFLib/BCFArchiveWriter.h"

#include "ArchivePlan.h"
#include "BCFLib/BimSnippet.h"
#include "BCFLib/ByteSource.h"
#include "BCFLib/DocumentReference.h"
#include "BCFLib/ReadLimits.h"
#include "ConversionLog.h"
#include "ImageType.h"
#include "XmlOutput.h"
#include "BCFLib/BCFModel.h"
#include "BCFLib/Topic.h"
#include "BCFLib/Viewpoint.h"
#include "DocumentInfoWriter.h"
#include "GuidScope.h"
#include "MarkupWriter.h"
#include "TopicLayout.h"
#include "VisualizationInfoWriter.h"
#include "ZipArchiveOutput.h"
#include "SourcePrefetch.h"
#include "ZipEntryIndex.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QHash>
#include <QSet>
#include <memory>
#include <vector>

namespace BCFLib {

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("BCFLib::BCFArchiveWriter", text);
}

// Plain zip counts entries and sizes in 16 and 32 bits; beyond these (with room for headers and
// the central directory) the archive is written as Zip64.
const int sMaxPlainEntries = 65000;
const qint64 sMaxPlainBytes = 0xF0000000LL;
// Contents read ahead of the entry being written.
const int sReadAhead = 8;

const QLatin1String sDefaultExtensionSchemaName("extensions.xsd");

} // namespace

BCFArchiveWriter::BCFArchiveWriter(const BCFModel& model)
    : m_model(model)
    , m_version3(model.version().versionId().startsWith(QLatin1String("3")))
{
}

void BCFArchiveWriter::setVersion(const QString& versionId)
{
    m_version3 = versionId.startsWith(QLatin1String("3"));
}

BCFArchiveWriter::WriteObserver& BCFArchiveWriter::observer()
{
    static WriteObserver sObserver;
    return sObserver;
}

void BCFArchiveWriter::setWriteObserver(WriteObserver observer)
{
    BCFArchiveWriter::observer() = std::move(observer);
}

bool BCFArchiveWriter::write(const QString& fileName)
{
    const bool written = writeArchive(fileName);
    if (observer())
        observer()(fileName, written, m_error, m_report);
    return written;
}

ProjectExtensions BCFArchiveWriter::extensionsInUse() const
{
    // The model's lists (or the enumerations of its 2.1 extension schema) when it has any,
    // else the values its topics use.
    ProjectExtensions extensions = m_model.extensions();
    if (extensions.isEmpty() && !m_model.extensionSchemaData().isEmpty())
        extensions = ProjectExtensions::fromExtensionSchema(m_model.extensionSchemaData());
    if (!extensions.isEmpty())
        return extensions;
    ProjectExtensions used;
    for (const Topic* topic : m_model.topics()) {
        const bool noType = topic->topicType().trimmed().isEmpty();
        const bool noStatus = topic->topicStatus().trimmed().isEmpty();
        used.topicTypes.append(noType ? QString(MarkupWriter::sDefaultTopicType) : topic->topicType());
        used.topicStatuses.append(noStatus ? QString(MarkupWriter::sDefaultTopicStatus) : topic->topicStatus());
        used.priorities.append(topic->priority());
        used.topicLabels.append(topic->labels());
        used.users.append(topic->assignedTo());
        used.stages.append(topic->stage());
        if (const BimSnippet* snippet = topic->bimSnippet())
            used.snippetTypes.append(snippet->snippetType());
    }
    extensions.unite(used);
    return extensions;
}

QList<Document> BCFArchiveWriter::placeDocuments(const std::vector<std::unique_ptr<TopicLayout>>& layouts,
                                                 ConversionLog& log) const
{
    // The model's documents keep their place; an internal document that a 2.x reference carries
    // with its content becomes a document of its own (one per distinct name and content).
    GuidScope scope(true);
    QList<Document> documents;
    QHash<QString, QString> written; // model guid (lower case) -> written guid
    for (Document document : m_model.documents()) {
        const QString guid = scope.assign(document.guid);
        written.insert(document.guid.toLower(), guid);
        document.guid = guid;
        documents.append(document);
    }
    QHash<QByteArray, QString> byContent;
    for (const auto& layout : layouts) {
        const QList<DocumentReference*> references = layout->topic().documentReferences();
        for (int i = 0; i < references.size(); ++i) {
            const DocumentReference* reference = references.at(i);
            const QString known = written.value(reference->documentGuid().toLower());
            if (!known.isEmpty()) {
                layout->setDocumentTarget(i, known);
                continue;
            }
            if (reference->isExternal() || reference->documentData().isEmpty())
                continue;
            const QString name = reference->referencedDocument().section(QLatin1Char('/'), -1).section(QLatin1Char('\\'), -1);
            const QByteArray key = QCryptographicHash::hash(reference->documentData(), QCryptographicHash::Sha1)
                                   + name.toUtf8();
            QString guid = byContent.value(key);
            if (guid.isEmpty()) {
                guid = scope.assign(GuidScope::nameBasedGuid(QStringLiteral("document/") + QString::fromLatin1(key.toHex())));
                byContent.insert(key, guid);
                documents.append(Document{guid, name, QString(), reference->documentData()});
            }
            layout->setDocumentTarget(i, guid);
        }
    }
    log.add(QLatin1String(ConversionKind::IdMapped), QString(), scope.mappedCount());
    return documents;
}

void BCFArchiveWriter::noteDocumentsLost21(ConversionLog& log) const
{
    QSet<QString> referenced;
    for (const Topic* topic : m_model.topics()) {
        for (const DocumentReference* reference : topic->documentReferences())
            referenced.insert(reference->documentGuid().toLower());
    }
    for (const Document& document : m_model.documents()) {
        if (!referenced.contains(document.guid.toLower()))
            log.add(QLatin1String(ConversionKind::UnreferencedDocument), QString());
        else if (!document.description.trimmed().isEmpty())
            log.add(QLatin1String(ConversionKind::DocumentDescription), QString());
    }
}

QString BCFArchiveWriter::checkReadLimits(const ArchivePlan& plan) const
{
    // What is written must open again: every entry stays within what the reader accepts.
    const ReadLimits limits;
    if (plan.entryCount() > limits.maxEntries)
        return tr("The document has %1 files; BCF files with more than %2 are not opened.")
            .arg(plan.entryCount())
            .arg(limits.maxEntries);
    if (plan.totalBytes() > limits.maxTotalBytes)
        return tr("The document holds %1 MiB; BCF files larger than %2 MiB are not opened.")
            .arg(plan.totalBytes() >> 20)
            .arg(limits.maxTotalBytes >> 20);
    for (const ArchivePlan::Entry* entry : plan.orderedEntries()) {
        const QString name = entry->path.toLower();
        const bool isXml = name.endsWith(QLatin1String(".bcf")) || name.endsWith(QLatin1String(".bcfv"))
                           || name.endsWith(QLatin1String(".bcfp")) || name.endsWith(QLatin1String(".version"))
                           || name.endsWith(QLatin1String(".xml"));
        const qint64 limit = isXml ? limits.maxXmlEntryBytes : limits.maxEntryBytes;
        if (entry->size() > limit)
            return tr("%1 would be %2 MiB; files larger than %3 MiB in a BCF archive are not read, so it is not written.")
                .arg(entry->path)
                .arg(entry->size() >> 20)
                .arg(limit >> 20);
    }
    return QString();
}

bool BCFArchiveWriter::writeArchive(const QString& fileName)
{
    m_error.clear();
    m_report.clear();
    ConversionLog log;
    XmlOutput::takeDroppedCharacters();
    ArchivePlan plan;
    DocumentInfoWriter documentInfo;

    plan.setGroup(0);
    plan.setData(plan.addFile(QStringLiteral("bcf.version"), true),
                 documentInfo.writeVersion(m_model.version().detailedVersion(), m_version3));
    const bool hasProjectFile = m_version3 ? m_model.project() != nullptr
                                           : m_model.project() || !m_model.extensionSchema().isEmpty()
                                                 || !m_model.extensionSchemaData().isEmpty() || !m_model.extensions().isEmpty();
    const int projectEntry = hasProjectFile ? plan.addFile(QStringLiteral("project.bcfp"), true) : -1;
    const int extensionsEntry = m_version3 ? plan.addFile(QStringLiteral("extensions.xml"), true) : -1;

    // Topic folders and their own files first, so that no attachment can take their names.
    GuidScope topicScope(m_version3);
    const QList<Topic*> topics = m_model.topics();
    std::vector<std::unique_ptr<TopicLayout>> layouts;
    layouts.reserve(size_t(topics.size()));
    for (int i = 0; i < topics.size(); ++i) {
        plan.setGroup(i + 1);
        const int mappedBefore = topicScope.mappedCount();
        auto layout = std::make_unique<TopicLayout>(*topics.at(i), topicScope.assign(topics.at(i)->guid()), topicScope);
        if (!layout->placeTopicFiles(plan)) {
            m_error = tr("The topic %1 cannot be written: its files collide with others.").arg(topics.at(i)->guid());
            return false;
        }
        log.add(QLatin1String(ConversionKind::IdMapped), layout->topicGuid(),
                topicScope.mappedCount() - mappedBefore + layout->mappedIdCount());
        layouts.push_back(std::move(layout));
    }

    plan.setGroup(0);
    if (m_version3) {
        if (hasProjectFile)
            plan.setData(projectEntry, documentInfo.writeProjectInfo(*m_model.project()));
        if (!m_model.extensionSchema().isEmpty() || !m_model.extensionSchemaData().isEmpty())
            log.add(QLatin1String(ConversionKind::ExtensionSchema), QString());
        plan.setData(extensionsEntry, documentInfo.writeExtensions(extensionsInUse()));
        const QList<Document> documents = placeDocuments(layouts, log);
        if (!documents.isEmpty()) {
            plan.setData(plan.addFile(QStringLiteral("documents.xml"), true), documentInfo.writeDocuments(documents));
            for (const Document& document : documents) {
                const int entry = plan.addFile(QStringLiteral("Documents/") + document.guid, !ImageType::isCompressed(document.data));
                if (entry >= 0)
                    plan.setData(entry, document.data);
            }
        }
    } else if (hasProjectFile) {
        QString reference = m_model.extensionSchema();
        QByteArray schema = m_model.extensionSchemaData();
        if (schema.isEmpty() && reference.isEmpty() && !m_model.extensions().isEmpty()) {
            // The lists of a 3.0 document become the enumerations of a 2.1 extension schema.
            schema = m_model.extensions().toExtensionSchema();
            reference = sDefaultExtensionSchemaName;
            if (!m_model.extensions().snippetTypes.isEmpty())
                log.add(QLatin1String(ConversionKind::SnippetTypes), QString());
        }
        if (!schema.isEmpty()) {
            const QString wanted = ZipEntryIndex::resolve(QString(), reference);
            const QString path = plan.placeReferencedFile(wanted, QString(), sDefaultExtensionSchemaName, schema, true);
            if (path != wanted)
                reference = path;
        }
        plan.setData(projectEntry, documentInfo.writeProject(m_model.project(), reference));
    }
    if (!m_version3)
        noteDocumentsLost21(log);
    log.add(QLatin1String(ConversionKind::IllegalCharacters), QString(), XmlOutput::takeDroppedCharacters());

    MarkupWriter markupWriter(m_version3, log);
    VisualizationInfoWriter visualizationWriter(m_version3, log);
    for (size_t i = 0; i < layouts.size(); ++i) {
        TopicLayout& layout = *layouts[i];
        plan.setGroup(int(i) + 1);
        layout.placeAttachments(plan, !m_version3);
        plan.setData(layout.markupEntry(), markupWriter.write(layout));
        for (const TopicLayout::ViewpointFiles& files : layout.viewpoints())
            plan.setData(files.visualizationEntry,
                         visualizationWriter.write(*files.viewpoint, files.guid, files.bitmapReferences,
                                                   files.snapshot.get(), layout.topicGuid()));
        log.add(QLatin1String(ConversionKind::IllegalCharacters), layout.topicGuid(), XmlOutput::takeDroppedCharacters());
    }
    m_report = log.report();

    m_error = checkReadLimits(plan);
    if (!m_error.isEmpty())
        return false;

    const bool zip64 = m_zip64Mode == Zip64Mode::Always || plan.entryCount() > sMaxPlainEntries
                       || plan.totalBytes() > sMaxPlainBytes;
    ZipArchiveOutput output(fileName);
    if (!output.open(zip64, plan.hasNonAsciiPaths())) {
        m_error = output.errorString();
        return false;
    }
    // Contents kept in sources (snapshots) are read a few entries ahead, on the thread pool, and
    // each is let go once written: the document's images are never all in memory at once.
    const std::vector<const ArchivePlan::Entry*> entries = plan.orderedEntries();
    std::vector<std::shared_ptr<const ByteSource>> sources;
    sources.reserve(entries.size());
    for (const ArchivePlan::Entry* entry : entries)
        sources.push_back(entry->source);
    SourcePrefetch prefetch(std::move(sources), sReadAhead);
    for (size_t i = 0; i < entries.size(); ++i) {
        const ArchivePlan::Entry* entry = entries[i];
        bool written = false;
        if (entry->path.endsWith(QLatin1Char('/'))) {
            written = output.addDirectory(entry->path);
        } else if (entry->source) {
            QByteArray bytes;
            QString error;
            if (!prefetch.take(i, &bytes, &error)) {
                m_error = tr("%1 could not be read: %2").arg(entry->path, error);
                return false;
            }
            written = output.addFile(entry->path, bytes, entry->compress);
        } else {
            written = output.addFile(entry->path, entry->data, entry->compress);
        }
        if (!written) {
            m_error = output.errorString();
            return false;
        }
    }
    if (!output.commit()) {
        m_error = output.errorString();
        return false;
    }
    return true;
}

} // namespace BCFLib
