#include "ExtensionCheck.h"

#include "ArchiveContents.h"
#include "ProblemList.h"

#include <QSet>

namespace BCFLib {

namespace {

struct Declared
{
    const char* list;  // element of extensions.xml
    const char* item;  // its items
    const char* label; // for the message
};

const Declared sTypes{"TopicTypes", "TopicType", "topic type"};
const Declared sStatuses{"TopicStatuses", "TopicStatus", "topic status"};
const Declared sPriorities{"Priorities", "Priority", "priority"};
const Declared sLabels{"TopicLabels", "TopicLabel", "label"};
const Declared sStages{"Stages", "Stage", "stage"};
const Declared sSnippetTypes{"SnippetTypes", "SnippetType", "snippet type"};
const Declared sUsers{"Users", "User", "user"};

} // namespace

void ExtensionCheck::run(const ArchiveContents& contents, ProblemList& problems)
{
    if (!contents.isVersion3())
        return;
    const ArchiveContents::XmlPart* extensions = contents.part(QStringLiteral("extensions.xml"));
    if (!extensions) {
        if (!contents.topics().isEmpty())
            problems.error(QStringLiteral("extension"), QStringLiteral("extensions.xml"), 0,
                           QStringLiteral("extensions.xml is missing or unreadable; the values topics use are not "
                                          "declared"));
        return;
    }
    const xmlNodePtr root = extensions->document.root();
    auto values = [&](const Declared& declared) {
        QSet<QString> set;
        for (xmlNodePtr item : XmlDocument::children(XmlDocument::child(root, declared.list), declared.item))
            set.insert(XmlDocument::text(item));
        return set;
    };
    const QSet<QString> types = values(sTypes), statuses = values(sStatuses), priorities = values(sPriorities),
                        labels = values(sLabels), stages = values(sStages), snippetTypes = values(sSnippetTypes),
                        users = values(sUsers);

    for (const ArchiveContents::TopicMarkup& topic : contents.topics()) {
        const QString entry = topic.markup->entry;
        auto require = [&](const QString& value, const QSet<QString>& set, const Declared& declared, xmlNodePtr at) {
            if (!value.isEmpty() && !set.contains(value))
                problems.error(QStringLiteral("extension"), entry, XmlDocument::line(at),
                               QStringLiteral("the %1 \"%2\" is not declared in extensions.xml (%3)")
                                   .arg(QLatin1String(declared.label), value, QLatin1String(declared.list)));
        };
        if (!topic.topic)
            continue;
        require(XmlDocument::attribute(topic.topic, "TopicType"), types, sTypes, topic.topic);
        require(XmlDocument::attribute(topic.topic, "TopicStatus"), statuses, sStatuses, topic.topic);
        for (xmlNodePtr element : XmlDocument::children(topic.topic, "Priority"))
            require(XmlDocument::text(element), priorities, sPriorities, element);
        for (xmlNodePtr element : XmlDocument::children(XmlDocument::child(topic.topic, "Labels"), "Label"))
            require(XmlDocument::text(element), labels, sLabels, element);
        for (xmlNodePtr element : XmlDocument::children(topic.topic, "Stage"))
            require(XmlDocument::text(element), stages, sStages, element);
        for (xmlNodePtr element : XmlDocument::children(topic.topic, "AssignedTo"))
            require(XmlDocument::text(element), users, sUsers, element);
        for (xmlNodePtr element : XmlDocument::children(topic.topic, "BimSnippet"))
            require(XmlDocument::attribute(element, "SnippetType"), snippetTypes, sSnippetTypes, element);
    }
}

} // namespace BCFLib
