#include "LayoutMemory.h"

#include <QHeaderView>
#include <QMainWindow>
#include <QSettings>
#include <QSplitter>

namespace {
const QString Group = QStringLiteral("BCFViewer");
const QString GeometryKey = QStringLiteral("geometry");
const QString ColumnsKey = QStringLiteral("topicColumns");
const QString SplitterKey = QStringLiteral("splitter/%1");
} // namespace

LayoutMemory::LayoutMemory(QMainWindow* window, QHeaderView* columns, QList<QSplitter*> splitters)
    : m_window(window)
    , m_columns(columns)
    , m_splitters(std::move(splitters))
{
}

bool LayoutMemory::restore() const
{
    QSettings settings;
    settings.beginGroup(Group);
    if (!settings.contains(GeometryKey))
        return false;
    m_window->restoreGeometry(settings.value(GeometryKey).toByteArray());
    m_columns->restoreState(settings.value(ColumnsKey).toByteArray());
    for (QSplitter* splitter : m_splitters)
        splitter->restoreState(settings.value(SplitterKey.arg(splitter->objectName())).toByteArray());
    return true;
}

void LayoutMemory::save() const
{
    QSettings settings;
    settings.beginGroup(Group);
    settings.setValue(GeometryKey, m_window->saveGeometry());
    settings.setValue(ColumnsKey, m_columns->saveState());
    for (QSplitter* splitter : m_splitters)
        settings.setValue(SplitterKey.arg(splitter->objectName()), splitter->saveState());
}
