#pragma once

#include "BCFLib/BCFLibGlobal.h"

#include <QStringList>
#include <QVariant>

namespace BCFLib {

// The value lists a project offers for its topics: extensions.xml of BCF 3.0, or the enumerations
// of a BCF 2.1 extension schema (extensions.xsd).
struct BCFLIB_EXPORT ProjectExtensions
{
    QStringList topicTypes;
    QStringList topicStatuses;
    QStringList priorities;
    QStringList topicLabels;
    QStringList users;
    QStringList snippetTypes;
    QStringList stages;

    bool isEmpty() const;
    // Adds the values of other that this one lacks, list by list, keeping the order.
    void unite(const ProjectExtensions& other);

    // {"topic_type", "topic_status", "priority", "topic_label", "users", "snippet_type", "stage"},
    // the non-empty lists only (the names of the BCF-API's project extensions).
    QVariantMap toQVariant() const;
    static ProjectExtensions fromQVariant(const QVariant& record);

    // The enumerations of a BCF 2.1 extension schema (TopicType, TopicStatus, Priority, TopicLabel,
    // UserIdType, SnippetType, Stage); empty lists when the text is not such a schema.
    static ProjectExtensions fromExtensionSchema(const QByteArray& xsd);
    // A BCF 2.1 extension schema that redefines those types with these lists.
    QByteArray toExtensionSchema() const;
};

} // namespace BCFLib
