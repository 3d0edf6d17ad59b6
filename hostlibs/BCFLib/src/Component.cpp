#include "BCFLib/Component.h"

#include "BCFLib/RecordKeys.h"
#include "RecordValues.h"

namespace BCFLib {

QVariantMap Component::toQVariant() const
{
    QVariantMap record;
    RecordValues::insertIfNotEmpty(record, Keys::IfcGuid, ifcGuid);
    RecordValues::insertIfNotEmpty(record, Keys::OriginatingSystem, originatingSystem);
    RecordValues::insertIfNotEmpty(record, Keys::AuthoringToolId, authoringToolId);
    return record;
}

Component Component::fromQVariant(const QVariant& record)
{
    const QVariantMap map = record.toMap();
    Component component;
    component.ifcGuid = map.value(Keys::IfcGuid).toString();
    component.originatingSystem = map.value(Keys::OriginatingSystem).toString();
    component.authoringToolId = map.value(Keys::AuthoringToolId).toString();
    return component;
}

QVariantList Component::listToQVariant(const QList<Component>& components)
{
    QVariantList list;
    list.reserve(components.size());
    for (const Component& component : components)
        list.append(component.toQVariant());
    return list;
}

QList<Component> Component::listFromQVariant(const QVariant& list)
{
    QList<Component> components;
    const QVariantList entries = list.toList();
    components.reserve(entries.size());
    for (const QVariant& entry : entries)
        components.append(fromQVariant(entry));
    return components;
}

bool Component::operator==(const Component& other) const
{
    return ifcGuid == other.ifcGuid && originatingSystem == other.originatingSystem
           && authoringToolId == other.authoringToolId;
}

} // namespace BCFLib
