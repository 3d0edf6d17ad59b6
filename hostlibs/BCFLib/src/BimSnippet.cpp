#include "BCFLib/BimSnippet.h"

#include "BCFLib/RecordKeys.h"
#include "RecordValues.h"

namespace BCFLib {

QVariant BimSnippet::toQVariant() const
{
    QVariantMap record;
    record.insert(Keys::SnippetType, m_snippetType);
    record.insert(Keys::IsExternal, m_isExternal);
    record.insert(Keys::Reference, m_reference);
    record.insert(Keys::ReferenceSchema, m_referenceSchema);
    if (!m_data.isEmpty())
        record.insert(Keys::SnippetData, RecordValues::bytesToRecord(m_data));
    return record;
}

void BimSnippet::fromQVariant(const QVariant& record)
{
    const QVariantMap map = record.toMap();
    m_snippetType = map.value(Keys::SnippetType).toString();
    m_isExternal = RecordValues::boolFromRecord(map.value(Keys::IsExternal), false);
    m_reference = map.value(Keys::Reference).toString();
    m_referenceSchema = map.value(Keys::ReferenceSchema).toString();
    m_data = RecordValues::bytesFromRecord(map.value(Keys::SnippetData));
}

} // namespace BCFLib
