#pragma once

#include "TopicRow.h"

#include <QStringList>
#include <QVariantMap>
#include <QVector>

// The values offered for the topic fields that take a value from a list: the document's extension
// lists first, in their order, then the other values the topics already use, in natural order.
// A field without an extension list takes free text; one with a list takes only its values (a value
// a topic already has stays selectable, so that opening the editor never changes it).
class TopicChoices
{
public:
    enum Field { Type, Status, Priority, AssignedTo, Label, Stage, FieldCount };

    TopicChoices() = default;
    // extension: the project extension record (BCFapi::getProjectExtension), rows: the listed topics.
    TopicChoices(const QVariantMap& extension, const QVector<TopicRow>& rows);

    QStringList values(Field field) const { return m_values[field]; }
    // The extension's own list for field, in its order; empty when the document has none.
    QStringList extensionValues(Field field) const { return m_extension[field]; }
    bool allowsFreeText(Field field) const { return m_extension[field].isEmpty(); }

    // The values of field in one row (a list for labels).
    static QStringList valuesOf(const TopicRow& row, Field field);

private:
    QStringList m_extension[FieldCount];
    QStringList m_values[FieldCount];
};
