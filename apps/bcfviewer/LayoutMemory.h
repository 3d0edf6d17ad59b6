#pragma once

#include <QList>
#include <QString>

class QHeaderView;
class QMainWindow;
class QSplitter;

// Remembers the window's geometry, the topic list's columns (widths, order, hidden ones, sorting)
// and the splitter positions between runs, in the application's QSettings under one group. A
// splitter is stored under its object name.
class LayoutMemory
{
public:
    LayoutMemory(QMainWindow* window, QHeaderView* columns, QList<QSplitter*> splitters);

    // False when nothing was stored yet (the caller then keeps its defaults).
    bool restore() const;
    void save() const;

private:
    QMainWindow* m_window = nullptr;
    QHeaderView* m_columns = nullptr;
    QList<QSplitter*> m_splitters;
};
