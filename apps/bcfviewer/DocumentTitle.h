#pragma once

#include <QString>
#include <QStringList>

// The name under which the window shows a document: its file name, or its full path when another
// listed document has the same file name and the two could be confused.
class DocumentTitle
{
public:
    // path: the document's file (empty for a new, never saved one); otherPaths: the other documents
    // the user can open from the menu.
    static QString displayName(const QString& path, const QStringList& otherPaths);
};
