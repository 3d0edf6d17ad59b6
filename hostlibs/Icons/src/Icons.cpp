#include "Icons/Icons.h"

#include <QHash>

namespace Vexamo {

QIcon Icons::getOrCreateIcon(const QString& path)
{
    // Used from the user-interface thread only, like every QIcon.
    static QHash<QString, QIcon> cache;
    auto it = cache.find(path);
    if (it == cache.end())
        it = cache.insert(path, QIcon(path));
    return it.value();
}

} // namespace Vexamo
