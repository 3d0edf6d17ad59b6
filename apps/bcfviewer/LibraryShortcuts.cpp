#include "LibraryShortcuts.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>

void LibraryShortcuts::apply(const QList<QAction*>& actions, QAction* extra)
{
    if (!actions.isEmpty())
        actions.first()->setShortcut(QKeySequence::Open);
    if (!extra)
        return;
    // The drop-down's own action is the library's save command: the document in its own version.
    extra->setShortcut(QKeySequence::Save);
    QMenu* saveMenu = extra->menu();
    if (!saveMenu)
        return;
    for (QAction* action : saveMenu->actions()) {
        if (action->text() == QLatin1String("Save as..."))
            action->setShortcut(QKeySequence::SaveAs);
    }
}
