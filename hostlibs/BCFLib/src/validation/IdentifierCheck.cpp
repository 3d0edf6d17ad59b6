#include "IdentifierCheck.h"

#include "ArchiveContents.h"
#include "ProblemList.h"

#include <QHash>

namespace BCFLib {

namespace {

struct FirstUse
{
    QString what;
    QString entry;
    int line;
};

} // namespace

void IdentifierCheck::run(const ArchiveContents& contents, ProblemList& problems)
{
    const QString check = QStringLiteral("identifier");
    QHash<QString, FirstUse> used; // by lower-case id
    // A missing Topic or Guid is the schema's to report when the entry was checked against one.
    auto claim = [&](const QString& what, xmlNodePtr element, const ArchiveContents::XmlPart* part) {
        const QString& entry = part->entry;
        const QString id = XmlDocument::attribute(element, "Guid");
        const int line = XmlDocument::line(element);
        if (id.isEmpty()) {
            if (!part->schemaChecked)
                problems.error(check, entry, line, QStringLiteral("the %1 has no Guid").arg(what));
            return;
        }
        const auto first = used.constFind(id.toLower());
        if (first == used.constEnd()) {
            used.insert(id.toLower(), FirstUse{what, entry, line});
            return;
        }
        problems.error(check, entry, line,
                       QStringLiteral("the %1 id %2 is already used by the %3 at %4:%5")
                           .arg(what, id, first->what, first->entry)
                           .arg(first->line));
    };

    for (const ArchiveContents::TopicMarkup& topic : contents.topics()) {
        const QString entry = topic.markup->entry;
        if (!topic.topic) {
            if (!topic.markup->schemaChecked)
                problems.error(check, entry, XmlDocument::line(topic.markup->document.root()),
                           QStringLiteral("the markup has no Topic"));
            continue;
        }
        claim(QStringLiteral("topic"), topic.topic, topic.markup);
        const QString guid = XmlDocument::attribute(topic.topic, "Guid");
        if (!guid.isEmpty() && guid.compare(topic.folder, Qt::CaseInsensitive) != 0)
            problems.error(QStringLiteral("folder"), entry, XmlDocument::line(topic.topic),
                           QStringLiteral("the topic folder \"%1\" is not named by the topic's Guid %2")
                               .arg(topic.folder, guid));
        for (xmlNodePtr comment : topic.comments)
            claim(QStringLiteral("comment"), comment, topic.markup);
        for (xmlNodePtr viewpoint : topic.viewpoints)
            claim(QStringLiteral("viewpoint"), viewpoint, topic.markup);
    }
}

} // namespace BCFLib
