#include "BCFLib/Document.h"

#include "BCFLib/RecordKeys.h"
#include "RecordValues.h"

namespace BCFLib {

QVariantMap Document::toQVariant() const
{
    QVariantMap record;
    record.insert(Keys::Guid, guid);
    record.insert(Keys::Filename, fileName);
    RecordValues::insertIfNotEmpty(record, Keys::Description, description);
    if (!data.isEmpty())
        record.insert(Keys::DocumentData, RecordValues::bytesToRecord(data));
    return record;
}

Document Document::fromQVariant(const QVariant& record)
{
    const QVariantMap map = record.toMap();
    Document document;
    document.guid = map.value(Keys::Guid).toString();
    document.fileName = map.value(Keys::Filename).toString();
    document.description = map.value(Keys::Description).toString();
    document.data = RecordValues::bytesFromRecord(map.value(Keys::DocumentData));
    return document;
}

} // namespace BCFLib
