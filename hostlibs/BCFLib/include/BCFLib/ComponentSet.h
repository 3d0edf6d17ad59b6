#pragma once

#include "BCFLib/BCFLibGlobal.h"
#include "BCFLib/Component.h"
#include "BCFLib/ComponentColoring.h"
#include "BCFLib/ViewSetupHints.h"

#include <QList>
#include <QVariant>
#include <optional>

namespace BCFLib {

// The Components element of a visualization info: view setup hints, selection, visibility
// (default and exceptions) and coloring.
struct BCFLIB_EXPORT ComponentSet
{
    std::optional<ViewSetupHints> viewSetupHints;
    QList<Component> selection;
    // Absent when the file gives no DefaultVisibility attribute.
    std::optional<bool> defaultVisibility;
    QList<Component> exceptions;
    QList<ComponentColoring> coloring;

    // {"selection": [...], "visibility": {"default_visibility", "exceptions": [...],
    //  "view_setup_hints": {...}}, "coloring": [...]}. "selection" and "coloring" are always
    // present; "default_visibility" and "view_setup_hints" only when set.
    QVariantMap toQVariant() const;
    // Also accepts "view_setup_hints" at the top level of the set.
    static ComponentSet fromQVariant(const QVariant& record);
};

} // namespace BCFLib
