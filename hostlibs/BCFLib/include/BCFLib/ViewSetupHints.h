#pragma once

#include "BCFLib/BCFLibGlobal.h"

#include <QVariant>
#include <optional>

namespace BCFLib {

// Display hints of a viewpoint's component set; each flag may be absent.
struct BCFLIB_EXPORT ViewSetupHints
{
    std::optional<bool> spacesVisible;
    std::optional<bool> spaceBoundariesVisible;
    std::optional<bool> openingsVisible;

    bool isEmpty() const { return !spacesVisible && !spaceBoundariesVisible && !openingsVisible; }
    // {"spaces_visible", "space_boundaries_visible", "openings_visible"}, each only when set.
    QVariantMap toQVariant() const;
    static ViewSetupHints fromQVariant(const QVariant& record);
};

} // namespace BCFLib
