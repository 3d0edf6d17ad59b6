#pragma once

#include "BCFLib/BCFLibGlobal.h"

#include <QByteArray>
#include <QString>
#include <QVariant>

namespace BCFLib {

// A document referenced by a topic: a URL (external) or a file in the archive (internal), whose
// content is kept here. The guid is optional in the format and may be empty.
class BCFLIB_EXPORT DocumentReference
{
public:
    explicit DocumentReference(const QString& guid = QString());

    QString guid() const { return m_guid; }
    void setGuid(const QString& guid) { m_guid = guid; }
    bool isExternal() const { return m_isExternal; }
    void setIsExternal(bool external) { m_isExternal = external; }
    QString referencedDocument() const { return m_referencedDocument; }
    void setReferencedDocument(const QString& reference) { m_referencedDocument = reference; }
    QString description() const { return m_description; }
    void setDescription(const QString& description) { m_description = description; }
    QByteArray documentData() const { return m_data; }
    void setDocumentData(const QByteArray& data) { m_data = data; }

    // {"is_external"} always; "guid", "referenced_document", "description" when set;
    // "document_data" (base64) when there is content.
    QVariant toQVariant() const;
    // Replaces every field, the guid included when the record has a non-empty "guid".
    void fromQVariant(const QVariant& record);

private:
    QString m_guid;
    bool m_isExternal = false;
    QString m_referencedDocument;
    QString m_description;
    QByteArray m_data;
};

} // namespace BCFLib
