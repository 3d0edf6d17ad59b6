#include "BCFLib/DocumentReference.h"

#include "BCFLib/RecordKeys.h"
#include "RecordValues.h"

namespace BCFLib {

DocumentReference::DocumentReference(const QString& guid)
    : m_guid(guid)
{
}

QVariant DocumentReference::toQVariant() const
{
    QVariantMap record;
    RecordValues::insertIfNotEmpty(record, Keys::Guid, m_guid);
    record.insert(Keys::IsExternal, m_isExternal);
    RecordValues::insertIfNotEmpty(record, Keys::ReferencedDocument, m_referencedDocument);
    RecordValues::insertIfNotEmpty(record, Keys::Description, m_description);
    if (!m_data.isEmpty())
        record.insert(Keys::DocumentData, RecordValues::bytesToRecord(m_data));
    RecordValues::insertIfNotEmpty(record, Keys::DocumentGuid, m_documentGuid);
    RecordValues::insertIfNotEmpty(record, Keys::Url, m_url);
    return record;
}

void DocumentReference::fromQVariant(const QVariant& record)
{
    const QVariantMap map = record.toMap();
    const QString guid = map.value(Keys::Guid).toString();
    if (!guid.isEmpty())
        m_guid = guid;
    m_isExternal = RecordValues::boolFromRecord(map.value(Keys::IsExternal), false);
    m_referencedDocument = map.value(Keys::ReferencedDocument).toString();
    m_description = map.value(Keys::Description).toString();
    m_data = RecordValues::bytesFromRecord(map.value(Keys::DocumentData));
    m_documentGuid = map.value(Keys::DocumentGuid).toString();
    m_url = map.value(Keys::Url).toString();
}

} // namespace BCFLib
