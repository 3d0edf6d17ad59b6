// The recent-file history of BCFCacheApi (the document entries, kept in the settings between runs)
// and the watch on the document files.

#include "BCFapi/BCFCacheApi.h"

#include "QtTools/MessageBoxes.h"

#include <QAction>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QSettings>

namespace Vexamo {

namespace {

const QLatin1String HistoryGroup("BCFFiles");
const QLatin1String HistoryKey("entries");

// Open and new actions come first; document entries follow.
const int FirstEntryIndex = 2;

} // namespace

QStringList BCFCacheApi::readFileHistory()
{
    QSettings settings;
    settings.beginGroup(HistoryGroup);
    QStringList entries = settings.value(HistoryKey, QStringList()).toStringList();
    // An empty path would become an entry that looks like a never-saved new document; the
    // history written by this class never holds one, so one read here came from elsewhere.
    entries.removeAll(QString());
    entries.removeDuplicates();
    settings.setValue(HistoryKey, entries);
    settings.endGroup();
    return entries;
}

void BCFCacheApi::saveFileHistory() const
{
    // Without an action list the history was never read: writing would only wipe it.
    if (m_actions.isEmpty())
        return;

    QStringList entries;
    for (int i = FirstEntryIndex; i < m_actions.size(); ++i) {
        const QString path = m_actions.at(i)->text();
        if (!path.isEmpty())
            entries.append(path);
    }

    QSettings settings;
    settings.beginGroup(HistoryGroup);
    settings.setValue(HistoryKey, entries);
    settings.endGroup();
}

void BCFCacheApi::checkFileHistorySize()
{
    if (m_actions.size() > sFileHistorySize + FirstEntryIndex) {
        QAction* last = m_actions.takeLast();
        emit discarded(last);
    }
}

void BCFCacheApi::fileChanged(const QString& path)
{
    // The question runs an event loop in which further changes arrive: they ask no second question
    // while this one is open.
    if (m_askingReload)
        return;

    if (QFileInfo::exists(path)) {
        // A program that saves by writing a new file and renaming it over the old one ends the
        // watch on the old file; keep watching the path.
        if (!m_watcher->files().contains(path))
            m_watcher->addPath(path);

        m_askingReload = true;
        const QMessageBox::StandardButton answer = QtTools::information(tr("File changed on disk"),
            tr("The file %1 changed on disk, do you want to reload it ?").arg(path),
            QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
        m_askingReload = false;
        if (answer == QMessageBox::Yes) {
            for (QAction* action : qAsConst(m_actions)) {
                if (action->text() == path) {
                    action->activate(QAction::Trigger);
                    break;
                }
            }
        }
    } else {
        // The file is gone: its entry leaves the list, whether or not it is the current document.
        if (m_watcher->files().contains(path))
            m_watcher->removePath(path);
        for (int i = FirstEntryIndex; i < m_actions.size(); ++i) {
            QAction* entry = m_actions.at(i);
            if (entry->text() == path) {
                m_actions.removeAt(i);
                emit discarded(entry);
                break;
            }
        }
    }
}

} // namespace Vexamo
