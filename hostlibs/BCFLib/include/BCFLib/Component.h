#pragma once

#include "BCFLib/BCFLibGlobal.h"

#include <QString>
#include <QVariant>

namespace BCFLib {

// One IFC element named in a viewpoint. Every field is optional; the IFC guid may be missing
// (files in the field name components only by their authoring tool's identifier).
struct BCFLIB_EXPORT Component
{
    QString ifcGuid;
    QString originatingSystem;
    QString authoringToolId;

    // {"ifc_guid", "originating_system", "authoring_tool_id"}, each only when not empty.
    QVariantMap toQVariant() const;
    static Component fromQVariant(const QVariant& record);
    static QVariantList listToQVariant(const QList<Component>& components);
    static QList<Component> listFromQVariant(const QVariant& list);

    bool operator==(const Component& other) const;
};

} // namespace BCFLib
