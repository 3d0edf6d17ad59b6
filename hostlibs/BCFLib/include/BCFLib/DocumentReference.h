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
    // BCF 3.0 names an internal document by its guid in the document list of the archive
    // (BCFModel::documents()) and an external one by its URL. A reference read from a 3.0 file
    // also carries the 2.x view of it (internal: the document's file name and content; external:
    // the URL as referenced document), so that every version can write it.
    QString documentGuid() const { return m_documentGuid; }
    void setDocumentGuid(const QString& guid) { m_documentGuid = guid; }
    QString url() const { return m_url; }
    void setUrl(const QString& url) { m_url = url; }
    QByteArray documentData() const { return m_data; }
    void setDocumentData(const QByteArray& data) { m_data = data; }

    // {"is_external"} always; "guid", "referenced_document", "description" when set;
    // "document_data" (base64) when there is content;
    // "document_guid", "url" when set.
    QVariant toQVariant() const;
    // Replaces every field, the guid included when the record has a non-empty "guid".
    void fromQVariant(const QVariant& record);

private:
    QString m_guid;
    bool m_isExternal = false;
    QString m_referencedDocument;
    QString m_description;
    QByteArray m_data;
    QString m_documentGuid;
    QString m_url;
};

} // namespace BCFLib
