#pragma once

#include <QIcon>
#include <QString>
#include <QtCore/qglobal.h>

#if defined(VEXAMO_ICONS_LIBRARY)
#define ICONS_EXPORT Q_DECL_EXPORT
#else
#define ICONS_EXPORT Q_DECL_IMPORT
#endif

namespace Vexamo {

// Icons by resource path, loaded once and cached for the life of the process. The resources
// themselves (":/icons/save.svg", ...) belong to the host application.
class ICONS_EXPORT Icons
{
public:
    static QIcon getOrCreateIcon(const QString& path);
};

} // namespace Vexamo
