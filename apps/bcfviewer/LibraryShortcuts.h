#pragma once

#include <QList>

class QAction;

// Puts the usual shortcuts on the document actions that the library hands to the host: Ctrl+O on
// "Open BCF File...", Ctrl+S on the save drop-down itself (the library's save command, which keeps
// the document's version) and Ctrl+Shift+S on its
// "Save as..." entry when the library offers one. The library's actions carry no shortcuts of
// their own; the host sets them each time its menus are rebuilt.
class LibraryShortcuts
{
public:
    // actions: BCFapi::getActions(); extra: BCFapi::getExtraAction() (may be null).
    static void apply(const QList<QAction*>& actions, QAction* extra);
};
