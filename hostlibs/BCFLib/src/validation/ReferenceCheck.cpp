#include "ReferenceCheck.h"

#include "ArchiveContents.h"
#include "ArchiveEntries.h"
#include "ProblemList.h"

#include <QSet>

namespace BCFLib {

namespace {

const QString sCheck = QStringLiteral("reference");

bool isTrue(const QString& value, bool fallback)
{
    if (value.isEmpty())
        return fallback;
    return value == QLatin1String("true") || value == QLatin1String("1");
}

// The isExternal attribute of 2.x, IsExternal in 3.0.
bool isExternal(const ArchiveContents& contents, xmlNodePtr element, bool fallback)
{
    return isTrue(XmlDocument::attribute(element, contents.isVersion3() ? "IsExternal" : "isExternal"), fallback);
}

QSet<QString> lowerIds(const QVector<xmlNodePtr>& elements)
{
    QSet<QString> ids;
    for (xmlNodePtr element : elements)
        ids.insert(XmlDocument::attribute(element, "Guid").toLower());
    return ids;
}

} // namespace

void ReferenceCheck::checkFile(const ArchiveContents& contents, const QString& folder, const QString& reference,
                               const QString& what, const QString& entry, int line, ProblemList& problems)
{
    if (reference.isEmpty()) {
        problems.error(sCheck, entry, line, QStringLiteral("the %1 reference is empty").arg(what));
        return;
    }
    const QString path = ArchiveEntries::resolve(folder, reference);
    if (path.isEmpty()) {
        problems.error(sCheck, entry, line,
                       QStringLiteral("the %1 \"%2\" is marked internal but is no path inside the archive")
                           .arg(what, reference));
        return;
    }
    // Readers resolve internal files against the topic folder; some writers put them at the root.
    if (contents.entries().find(path).isEmpty()
        && contents.entries().find(ArchiveEntries::resolve(QString(), reference)).isEmpty())
        problems.error(sCheck, entry, line,
                       QStringLiteral("the %1 \"%2\" is not in the archive").arg(what, reference));
}

void ReferenceCheck::run(const ArchiveContents& contents, ProblemList& problems)
{
    QSet<QString> topicIds;
    for (const ArchiveContents::TopicMarkup& topic : contents.topics())
        topicIds.insert(XmlDocument::attribute(topic.topic, "Guid").toLower());

    for (const ArchiveContents::TopicMarkup& topic : contents.topics()) {
        const QString entry = topic.markup->entry;
        const QSet<QString> viewpointIds = lowerIds(topic.viewpoints);
        for (xmlNodePtr comment : topic.comments) {
            const xmlNodePtr viewpoint = XmlDocument::child(comment, "Viewpoint");
            const QString id = XmlDocument::attribute(viewpoint, "Guid");
            if (viewpoint && !viewpointIds.contains(id.toLower()))
                problems.error(sCheck, entry, XmlDocument::line(viewpoint),
                               QStringLiteral("the comment's viewpoint %1 is not a viewpoint of its topic").arg(id));
        }
        for (xmlNodePtr related : topic.relatedTopics) {
            const QString id = XmlDocument::attribute(related, "Guid");
            if (!topicIds.contains(id.toLower()))
                problems.warning(sCheck, entry, XmlDocument::line(related),
                                 QStringLiteral("the related topic %1 is not in this archive").arg(id));
        }
        for (xmlNodePtr viewpoint : topic.viewpoints) {
            const xmlNodePtr file = XmlDocument::child(viewpoint, "Viewpoint");
            if (file)
                checkFile(contents, topic.folder, XmlDocument::text(file), QStringLiteral("viewpoint file"), entry,
                          XmlDocument::line(file), problems);
        }
        for (xmlNodePtr file : topic.headerFiles) {
            if (!isExternal(contents, file, true))
                checkFile(contents, topic.folder, XmlDocument::text(XmlDocument::child(file, "Reference")),
                          QStringLiteral("model file"), entry, XmlDocument::line(file), problems);
        }
        const xmlNodePtr snippet = XmlDocument::child(topic.topic, "BimSnippet");
        if (snippet && !isExternal(contents, snippet, false))
            checkFile(contents, topic.folder, XmlDocument::text(XmlDocument::child(snippet, "Reference")),
                      QStringLiteral("snippet file"), entry, XmlDocument::line(snippet), problems);
        if (!contents.isVersion3()) {
            for (xmlNodePtr document : topic.documentReferences) {
                if (!isExternal(contents, document, false))
                    checkFile(contents, topic.folder,
                              XmlDocument::text(XmlDocument::child(document, "ReferencedDocument")),
                              QStringLiteral("document"), entry, XmlDocument::line(document), problems);
            }
        }
    }
    if (contents.isVersion3())
        checkDocuments(contents, problems);
}

void ReferenceCheck::checkDocuments(const ArchiveContents& contents, ProblemList& problems)
{
    const ArchiveContents::XmlPart* info = contents.part(QStringLiteral("documents.xml"));
    QSet<QString> declared;
    if (info) {
        for (xmlNodePtr document : XmlDocument::descendants(info->document.root(), "Document")) {
            const QString id = XmlDocument::attribute(document, "Guid");
            declared.insert(id.toLower());
            if (contents.entries().find(QStringLiteral("Documents/") + id).isEmpty())
                problems.error(sCheck, info->entry, XmlDocument::line(document),
                               QStringLiteral("the file of document %1 is not in the archive (Documents/%1)").arg(id));
        }
    }
    for (const ArchiveContents::TopicMarkup& topic : contents.topics()) {
        for (xmlNodePtr reference : topic.documentReferences) {
            const xmlNodePtr guid = XmlDocument::child(reference, "DocumentGuid");
            if (guid && !declared.contains(XmlDocument::text(guid).toLower()))
                problems.error(sCheck, topic.markup->entry, XmlDocument::line(guid),
                               QStringLiteral("the document %1 is not declared in documents.xml")
                                   .arg(XmlDocument::text(guid)));
        }
    }
}

} // namespace BCFLib
