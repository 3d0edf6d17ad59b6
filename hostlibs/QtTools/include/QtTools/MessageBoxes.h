#pragma once

#include "QtTools/QtToolsGlobal.h"

#include <QMessageBox>
#include <QString>
#include <functional>

namespace Vexamo {
namespace QtTools {

// Parentless message boxes. By default each function makes the static QMessageBox call of the same
// name with exactly these arguments and returns the button the user pressed.
QTTOOLS_EXPORT QMessageBox::StandardButton warning(const QString& title, const QString& text,
                                                   QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                                   QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);
QTTOOLS_EXPORT QMessageBox::StandardButton question(const QString& title, const QString& text,
                                                    QMessageBox::StandardButtons buttons,
                                                    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);
QTTOOLS_EXPORT QMessageBox::StandardButton information(const QString& title, const QString& text,
                                                       QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                                       QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);

// The same boxes over a parent window, for a host's own questions; an installed answerer answers
// them as it answers the parentless ones.
QTTOOLS_EXPORT QMessageBox::StandardButton warning(QWidget* parent, const QString& title, const QString& text,
                                                   QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                                   QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);
QTTOOLS_EXPORT QMessageBox::StandardButton question(QWidget* parent, const QString& title, const QString& text,
                                                    QMessageBox::StandardButtons buttons,
                                                    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);

// What a message box was asked to show.
struct MessageBoxRequest {
    QMessageBox::Icon icon = QMessageBox::NoIcon; // Warning, Question or Information
    QString title;
    QString text;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
};

// A headless host (a command-line tool, a test) installs an answerer: the functions above then call
// it instead of showing a box, and return its answer at once, without an event loop.
// Pass an empty function to go back to real boxes.
using MessageBoxAnswerer = std::function<QMessageBox::StandardButton(const MessageBoxRequest&)>;
QTTOOLS_EXPORT void setMessageBoxAnswerer(MessageBoxAnswerer answerer);

} // namespace QtTools
} // namespace Vexamo
