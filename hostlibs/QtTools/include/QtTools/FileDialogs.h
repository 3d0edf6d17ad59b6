#pragma once

#include "QtTools/QtToolsGlobal.h"

#include <QFileDialog>
#include <QString>
#include <functional>

namespace Vexamo {
namespace QtTools {

// File dialogs that remember the last folder per key in the application's QSettings
// (group "FileDialogs", one entry per key).
QTTOOLS_EXPORT QString getOpenFileName(const QString& key, QWidget* parent, const QString& caption,
                                       const QString& filter, QString* selectedFilter = nullptr,
                                       QFileDialog::Options options = QFileDialog::Options());
QTTOOLS_EXPORT QString getSaveFileName(const QString& key, QWidget* parent, const QString& caption,
                                       const QString& dir, const QString& filter, QString* selectedFilter = nullptr,
                                       QFileDialog::Options options = QFileDialog::Options());

// What a file dialog was asked: which kind, its settings key, caption, proposed path and filter.
struct FileDialogRequest {
    enum Kind { Open, Save };
    Kind kind = Open;
    QString key;
    QString caption;
    QString dir;
    QString filter;
};

// A headless host (a command-line tool, a test) installs an answerer: the dialogs then call it
// instead of showing a window, and return its answer (an empty string means "canceled").
// Pass an empty function to go back to real dialogs.
using FileDialogAnswerer = std::function<QString(const FileDialogRequest&)>;
QTTOOLS_EXPORT void setFileDialogAnswerer(FileDialogAnswerer answerer);

} // namespace QtTools
} // namespace Vexamo
