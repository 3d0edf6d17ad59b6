#include "BCFLib/Line.h"

#include "BCFLib/RecordKeys.h"
#include "RecordValues.h"

namespace BCFLib {

QVariantMap Line::toQVariant() const
{
    QVariantMap record;
    record.insert(Keys::StartPoint, RecordValues::pointToRecord(startPoint));
    record.insert(Keys::EndPoint, RecordValues::pointToRecord(endPoint));
    return record;
}

Line Line::fromQVariant(const QVariant& record)
{
    const QVariantMap map = record.toMap();
    Line line;
    line.startPoint = RecordValues::pointFromRecord(map.value(Keys::StartPoint));
    line.endPoint = RecordValues::pointFromRecord(map.value(Keys::EndPoint));
    return line;
}

} // namespace BCFLib
