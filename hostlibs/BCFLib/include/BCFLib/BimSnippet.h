#pragma once

#include "BCFLib/BCFLibGlobal.h"

#include <QByteArray>
#include <QString>
#include <QVariant>

namespace BCFLib {

// The BIM snippet of a topic. An internal snippet (not external) is a file in the topic folder;
// its content is kept here.
class BCFLIB_EXPORT BimSnippet
{
public:
    QString snippetType() const { return m_snippetType; }
    void setSnippetType(const QString& type) { m_snippetType = type; }
    bool isExternal() const { return m_isExternal; }
    void setIsExternal(bool external) { m_isExternal = external; }
    QString reference() const { return m_reference; }
    void setReference(const QString& reference) { m_reference = reference; }
    QString referenceSchema() const { return m_referenceSchema; }
    void setReferenceSchema(const QString& schema) { m_referenceSchema = schema; }
    QByteArray snippetData() const { return m_data; }
    void setSnippetData(const QByteArray& data) { m_data = data; }

    // {"snippet_type", "is_external", "reference", "reference_schema"} always;
    // "snippet_data" (base64) when there is content.
    QVariant toQVariant() const;
    // Replaces every field from such a record; missing keys give empty values and false.
    void fromQVariant(const QVariant& record);

private:
    QString m_snippetType;
    bool m_isExternal = false;
    QString m_reference;
    QString m_referenceSchema;
    QByteArray m_data;
};

} // namespace BCFLib
