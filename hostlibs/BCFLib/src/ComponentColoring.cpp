#include "BCFLib/ComponentColoring.h"

#include "BCFLib/RecordKeys.h"

namespace BCFLib {

QVariantMap ComponentColoring::toQVariant() const
{
    QVariantMap record;
    record.insert(Keys::Color, color);
    record.insert(Keys::Components, Component::listToQVariant(components));
    return record;
}

ComponentColoring ComponentColoring::fromQVariant(const QVariant& record)
{
    const QVariantMap map = record.toMap();
    ComponentColoring coloring;
    coloring.color = map.value(Keys::Color).toString();
    coloring.components = Component::listFromQVariant(map.value(Keys::Components));
    return coloring;
}

} // namespace BCFLib
