#include "ArchiveContents.h"

#include "ArchiveEntries.h"
#include "ProblemList.h"

#include <QSet>

namespace BCFLib {

namespace {

bool isTopicMarkup(const QString& path)
{
    const QStringList parts = path.split(QLatin1Char('/'));
    return parts.size() == 2 && parts.at(1).compare(QLatin1String("markup.bcf"), Qt::CaseInsensitive) == 0;
}

} // namespace

ArchiveContents::ArchiveContents(ArchiveEntries& entries, ProblemList& problems)
    : m_entries(entries)
    , m_problems(problems)
{
}

void ArchiveContents::addPart(const QString& entry, SchemaSet::Kind kind, const ReadLimits& limits)
{
    QByteArray bytes;
    if (!m_entries.read(entry, limits.maxXmlEntryBytes, true, bytes)) {
        m_problems.error(QStringLiteral("archive"), entry, 0, m_entries.errorString());
        return;
    }
    XmlPart part;
    part.entry = entry;
    part.kind = kind;
    if (!part.document.parse(bytes, entry, m_problems))
        return;
    m_partIndex.insert(entry.toLower(), m_parts.size());
    m_parts.push_back(std::move(part));
}

const ArchiveContents::XmlPart* ArchiveContents::part(const QString& entry) const
{
    const auto found = m_partIndex.constFind(entry.toLower());
    return found == m_partIndex.constEnd() ? nullptr : &m_parts[found.value()];
}

bool ArchiveContents::load(const ReadLimits& limits)
{
    const QString versionEntry = m_entries.find(QStringLiteral("bcf.version"));
    QStringList markups;
    for (const QString& path : m_entries.paths()) {
        if (isTopicMarkup(path))
            markups.append(path);
        else if (path.endsWith(QLatin1String("/markup.bcf"), Qt::CaseInsensitive)
                 || path.compare(QLatin1String("markup.bcf"), Qt::CaseInsensitive) == 0)
            m_problems.warning(QStringLiteral("folder"), path, 0,
                               QStringLiteral("a markup outside a topic folder; readers ignore it"));
    }
    if (versionEntry.isEmpty() && markups.isEmpty()) {
        m_error = QStringLiteral("not a BCF archive (neither bcf.version nor a topic folder with markup.bcf)");
        return false;
    }
    m_parts.reserve(size_t(m_entries.paths().size()));

    if (!versionEntry.isEmpty())
        addPart(versionEntry, SchemaSet::Version, limits);
    for (const QString& markup : qAsConst(markups))
        addPart(markup, SchemaSet::Markup, limits);
    detectVersion();

    // Visualization files are the .bcfv files and whatever else a markup names as one.
    QSet<QString> viewpointFiles;
    for (const XmlPart& p : m_parts) {
        if (p.kind != SchemaSet::Markup)
            continue;
        const xmlNodePtr root = p.document.root();
        const QVector<xmlNodePtr> viewpoints = m_layout3
            ? XmlDocument::children(XmlDocument::child(XmlDocument::child(root, "Topic"), "Viewpoints"), "ViewPoint")
            : XmlDocument::children(root, "Viewpoints");
        for (xmlNodePtr viewpoint : viewpoints) {
            const QString folder = p.entry.section(QLatin1Char('/'), 0, 0);
            const QString file = XmlDocument::text(XmlDocument::child(viewpoint, "Viewpoint"));
            viewpointFiles.insert(ArchiveEntries::resolve(folder, file).toLower());
        }
    }
    for (const QString& path : m_entries.paths()) {
        const QString lower = path.toLower();
        if (m_partIndex.contains(lower))
            continue; // bcf.version or a markup, named as a viewpoint file by mistake
        if (lower == QLatin1String("project.bcfp"))
            addPart(path, SchemaSet::Project, limits);
        else if (lower.endsWith(QLatin1String(".bcfv")) || viewpointFiles.contains(lower))
            addPart(path, SchemaSet::Visualization, limits);
        else if (m_layout3 && lower == QLatin1String("extensions.xml"))
            addPart(path, SchemaSet::Extensions, limits);
        else if (m_layout3 && lower == QLatin1String("documents.xml"))
            addPart(path, SchemaSet::Documents, limits);
    }
    collectTopics();
    return true;
}

void ArchiveContents::detectVersion()
{
    const XmlPart* versionPart = part(QStringLiteral("bcf.version"));
    bool nestedTopics = false; // 3.0's layout: comments and viewpoints inside the topic
    bool viewpointRefs = false;
    for (const XmlPart& p : m_parts) {
        if (p.kind != SchemaSet::Markup)
            continue;
        const xmlNodePtr topic = XmlDocument::child(p.document.root(), "Topic");
        nestedTopics = nestedTopics || XmlDocument::child(topic, "Comments") || XmlDocument::child(topic, "Viewpoints");
        viewpointRefs = viewpointRefs || XmlDocument::child(p.document.root(), "Viewpoints");
    }

    if (versionPart) {
        const xmlNodePtr root = versionPart->document.root();
        const QString id = XmlDocument::attribute(root, "VersionId");
        if (id == QLatin1String("2.0") || id == QLatin1String("2.1") || id == QLatin1String("3.0")) {
            m_version = id;
        } else {
            m_problems.error(QStringLiteral("archive"), versionPart->entry, XmlDocument::line(root),
                             QStringLiteral("unknown BCF version \"%1\" (known: 2.0, 2.1, 3.0); the schemas are not "
                                            "applied")
                                 .arg(id));
        }
        m_layout3 = m_version.isEmpty() ? (id.startsWith(QLatin1Char('3')) || nestedTopics)
                                        : m_version == QLatin1String("3.0");
        return;
    }
    if (m_entries.find(QStringLiteral("bcf.version")).isEmpty() && !viewpointRefs && !nestedTopics) {
        m_version = QStringLiteral("1.0");
        return;
    }
    // bcf.version is missing (with a 2.x or 3.0 layout) or unreadable: the layout decides, unchecked.
    if (m_entries.find(QStringLiteral("bcf.version")).isEmpty())
        m_problems.error(QStringLiteral("archive"), QStringLiteral("bcf.version"), 0,
                         QStringLiteral("bcf.version is missing; the markups refer to viewpoint files, which BCF 1.0 "
                                        "does not"));
    m_layout3 = nestedTopics;
}

void ArchiveContents::collectTopics()
{
    for (const XmlPart& p : m_parts) {
        if (p.kind != SchemaSet::Markup)
            continue;
        TopicMarkup topic;
        topic.markup = &p;
        topic.folder = p.entry.section(QLatin1Char('/'), 0, 0);
        const xmlNodePtr root = p.document.root();
        topic.topic = XmlDocument::child(root, "Topic");
        const xmlNodePtr header = XmlDocument::child(root, "Header");
        if (m_layout3) {
            topic.comments = XmlDocument::children(XmlDocument::child(topic.topic, "Comments"), "Comment");
            topic.viewpoints = XmlDocument::children(XmlDocument::child(topic.topic, "Viewpoints"), "ViewPoint");
            topic.documentReferences
                = XmlDocument::children(XmlDocument::child(topic.topic, "DocumentReferences"), "DocumentReference");
            topic.relatedTopics = XmlDocument::children(XmlDocument::child(topic.topic, "RelatedTopics"), "RelatedTopic");
            topic.headerFiles = XmlDocument::children(XmlDocument::child(header, "Files"), "File");
        } else {
            topic.comments = XmlDocument::children(root, "Comment");
            topic.viewpoints = XmlDocument::children(root, "Viewpoints");
            topic.documentReferences = XmlDocument::children(topic.topic, "DocumentReference");
            topic.relatedTopics = XmlDocument::children(topic.topic, "RelatedTopic");
            topic.headerFiles = XmlDocument::children(header, "File");
        }
        m_topics.append(topic);
    }
}

} // namespace BCFLib
