#include "DocumentTitle.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

QString DocumentTitle::displayName(const QString& path, const QStringList& otherPaths)
{
    if (path.isEmpty())
        return QCoreApplication::translate("DocumentTitle", "Untitled");
    const QFileInfo file(path);
    for (const QString& other : otherPaths) {
        const QFileInfo otherFile(other);
        if (otherFile.fileName().compare(file.fileName(), Qt::CaseInsensitive) == 0
            && otherFile.absoluteFilePath() != file.absoluteFilePath())
            return QDir::toNativeSeparators(file.absoluteFilePath());
    }
    return file.fileName();
}
