#include "BCFLib/File.h"

#include "BCFLib/IsoDateTime.h"
#include "BCFLib/RecordKeys.h"
#include "RecordValues.h"

namespace BCFLib {

QVariant File::toQVariant() const
{
    QVariantMap record;
    RecordValues::insertIfNotEmpty(record, Keys::Id, m_id);
    RecordValues::insertIfNotEmpty(record, Keys::IfcProject, m_ifcProject);
    RecordValues::insertIfNotEmpty(record, Keys::IfcSpatialStructureElement, m_ifcSpatialStructureElement);
    RecordValues::insertIfNotEmpty(record, Keys::FileName, m_fileName);
    RecordValues::insertIfNotEmpty(record, Keys::Date, IsoDateTime::format(m_date));
    RecordValues::insertIfNotEmpty(record, Keys::Reference, m_reference);
    record.insert(Keys::IsExternal, m_isExternal);
    if (!m_data.isEmpty())
        record.insert(Keys::FileData, RecordValues::bytesToRecord(m_data));
    return record;
}

void File::fromQVariant(const QVariant& record)
{
    const QVariantMap map = record.toMap();
    m_id = map.value(Keys::Id).toString();
    m_ifcProject = map.value(Keys::IfcProject).toString();
    m_ifcSpatialStructureElement = map.value(Keys::IfcSpatialStructureElement).toString();
    m_fileName = map.value(Keys::FileName).toString();
    m_date = IsoDateTime::fromVariant(map.value(Keys::Date));
    m_reference = map.value(Keys::Reference).toString();
    m_isExternal = RecordValues::boolFromRecord(map.value(Keys::IsExternal), true);
    m_data = RecordValues::bytesFromRecord(map.value(Keys::FileData));
}

} // namespace BCFLib
