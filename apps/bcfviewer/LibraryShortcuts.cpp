#include "LibraryShortcuts.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>

void LibraryShortcuts::apply(const QList<QAction*>& actions, QAction* extra)
{
    if (!actions.isEmpty())
        actions.first()->setShortcut(QKeySequence::Open);
    QMenu* saveMenu = extra ? extra->menu() : nullptr;
    if (!saveMenu)
        return;
    if (QAction* save = saveMenu->defaultAction())
        save->setShortcut(QKeySequence::Save);
    for (QAction* action : saveMenu->actions()) {
        if (action->text() == QLatin1String("Save as..."))
            action->setShortcut(QKeySequence::SaveAs);
    }
}
