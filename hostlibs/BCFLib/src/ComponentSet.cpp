#include "BCFLib/ComponentSet.h"

#include "BCFLib/RecordKeys.h"
#include "RecordValues.h"

namespace BCFLib {

QVariantMap ComponentSet::toQVariant() const
{
    QVariantMap visibility;
    if (defaultVisibility)
        visibility.insert(Keys::DefaultVisibility, *defaultVisibility);
    visibility.insert(Keys::Exceptions, Component::listToQVariant(exceptions));
    if (viewSetupHints)
        visibility.insert(Keys::ViewSetupHints, viewSetupHints->toQVariant());

    QVariantList colors;
    for (const ComponentColoring& group : coloring)
        colors.append(group.toQVariant());

    QVariantMap record;
    record.insert(Keys::Selection, Component::listToQVariant(selection));
    record.insert(Keys::Visibility, visibility);
    record.insert(Keys::Coloring, colors);
    return record;
}

ComponentSet ComponentSet::fromQVariant(const QVariant& record)
{
    const QVariantMap map = record.toMap();
    const QVariantMap visibility = map.value(Keys::Visibility).toMap();
    ComponentSet set;
    set.selection = Component::listFromQVariant(map.value(Keys::Selection));
    const QVariant defaultVisibility = visibility.value(Keys::DefaultVisibility);
    if (defaultVisibility.isValid() && !defaultVisibility.isNull())
        set.defaultVisibility = RecordValues::boolFromRecord(defaultVisibility, false);
    set.exceptions = Component::listFromQVariant(visibility.value(Keys::Exceptions));
    QVariant hints = visibility.value(Keys::ViewSetupHints);
    if (!hints.isValid())
        hints = map.value(Keys::ViewSetupHints);
    if (hints.isValid() && !hints.isNull())
        set.viewSetupHints = ViewSetupHints::fromQVariant(hints);
    const QVariantList colors = map.value(Keys::Coloring).toList();
    for (const QVariant& group : colors)
        set.coloring.append(ComponentColoring::fromQVariant(group));
    return set;
}

} // namespace BCFLib
