#include "Utility/RemoveDir.h"

#include <QDir>
#include <QFileInfo>

namespace Vexamo {

bool RemoveDir(const QString& path)
{
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    // Nothing there, also when read without its ".." steps: removed already.
    if (!info.exists() && !info.isSymLink() && !QFileInfo::exists(QDir::cleanPath(path)))
        return true;
    if (!info.exists() || info.isSymLink() || !info.isDir())
        return false;
    const QString canonical = info.canonicalFilePath();
    if (canonical.isEmpty() || QDir(canonical).isRoot())
        return false;
    if (canonical == QFileInfo(QDir::homePath()).canonicalFilePath())
        return false;
    return QDir(canonical).removeRecursively();
}

} // namespace Vexamo
