#include "QtTools/FileDialogs.h"

#include <QDir>
#include <QFileInfo>
#include <QMutex>
#include <QMutexLocker>
#include <QSettings>

namespace Vexamo {
namespace QtTools {

namespace {

const QString sSettingsGroup = QStringLiteral("FileDialogs");

QMutex& answererMutex()
{
    static QMutex mutex;
    return mutex;
}

FileDialogAnswerer& installedAnswerer()
{
    static FileDialogAnswerer answerer;
    return answerer;
}

FileDialogAnswerer currentAnswerer()
{
    QMutexLocker lock(&answererMutex());
    return installedAnswerer();
}

QString rememberedFolder(const QString& key)
{
    QSettings settings;
    settings.beginGroup(sSettingsGroup);
    const QString folder = settings.value(key).toString();
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return QString();
    return folder;
}

void rememberFolder(const QString& key, const QString& chosenPath)
{
    if (chosenPath.isEmpty() || key.isEmpty())
        return;
    QSettings settings;
    settings.beginGroup(sSettingsGroup);
    settings.setValue(key, QFileInfo(chosenPath).absolutePath());
}

// The start of a save dialog: the proposed path as given when it names a folder, else the proposed
// file name inside the remembered folder.
QString saveStartPath(const QString& key, const QString& proposed)
{
    const QString folder = rememberedFolder(key);
    if (proposed.isEmpty())
        return folder;
    const QFileInfo info(proposed);
    if (info.isAbsolute() || proposed.contains(QLatin1Char('/')) || folder.isEmpty())
        return proposed;
    return QDir(folder).filePath(proposed);
}

QString ask(const FileDialogRequest& request, const std::function<QString()>& showDialog)
{
    const FileDialogAnswerer answerer = currentAnswerer();
    const QString chosen = answerer ? answerer(request) : showDialog();
    rememberFolder(request.key, chosen);
    return chosen;
}

} // namespace

QString getOpenFileName(const QString& key, QWidget* parent, const QString& caption, const QString& filter,
                        QString* selectedFilter, QFileDialog::Options options)
{
    FileDialogRequest request;
    request.kind = FileDialogRequest::Open;
    request.key = key;
    request.caption = caption;
    request.dir = rememberedFolder(key);
    request.filter = filter;
    return ask(request, [&] {
        return QFileDialog::getOpenFileName(parent, caption, request.dir, filter, selectedFilter, options);
    });
}

QString getSaveFileName(const QString& key, QWidget* parent, const QString& caption, const QString& dir,
                        const QString& filter, QString* selectedFilter, QFileDialog::Options options)
{
    FileDialogRequest request;
    request.kind = FileDialogRequest::Save;
    request.key = key;
    request.caption = caption;
    request.dir = saveStartPath(key, dir);
    request.filter = filter;
    return ask(request, [&] {
        return QFileDialog::getSaveFileName(parent, caption, request.dir, filter, selectedFilter, options);
    });
}

void setFileDialogAnswerer(FileDialogAnswerer answerer)
{
    QMutexLocker lock(&answererMutex());
    installedAnswerer() = std::move(answerer);
}

} // namespace QtTools
} // namespace Vexamo
