#pragma once

#include "BCFLib/BCFLibGlobal.h"
#include "BCFLib/Component.h"

#include <QList>
#include <QString>
#include <QVariant>

namespace BCFLib {

// Components shown in one colour: "RRGGBB" or "AARRGGBB" hex text as the file gives it.
struct BCFLIB_EXPORT ComponentColoring
{
    QString color;
    QList<Component> components;

    // {"color", "components": [component records]}
    QVariantMap toQVariant() const;
    static ComponentColoring fromQVariant(const QVariant& record);
};

} // namespace BCFLib
