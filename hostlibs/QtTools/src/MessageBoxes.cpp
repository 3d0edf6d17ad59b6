#include "QtTools/MessageBoxes.h"

#include <QMutex>
#include <QMutexLocker>

namespace Vexamo {
namespace QtTools {

namespace {

QMutex& answererMutex()
{
    static QMutex mutex;
    return mutex;
}

MessageBoxAnswerer& installedAnswerer()
{
    static MessageBoxAnswerer answerer;
    return answerer;
}

MessageBoxAnswerer currentAnswerer()
{
    QMutexLocker lock(&answererMutex());
    return installedAnswerer();
}

using StaticBox = QMessageBox::StandardButton (*)(QWidget*, const QString&, const QString&,
                                                  QMessageBox::StandardButtons, QMessageBox::StandardButton);

QMessageBox::StandardButton ask(QMessageBox::Icon icon, StaticBox showBox, const QString& title, const QString& text,
                                QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton,
                                QWidget* parent = nullptr)
{
    const MessageBoxAnswerer answerer = currentAnswerer();
    if (!answerer)
        return showBox(parent, title, text, buttons, defaultButton);
    MessageBoxRequest request;
    request.icon = icon;
    request.title = title;
    request.text = text;
    request.buttons = buttons;
    request.defaultButton = defaultButton;
    return answerer(request);
}

} // namespace

QMessageBox::StandardButton warning(const QString& title, const QString& text, QMessageBox::StandardButtons buttons,
                                    QMessageBox::StandardButton defaultButton)
{
    return ask(QMessageBox::Warning, &QMessageBox::warning, title, text, buttons, defaultButton);
}

QMessageBox::StandardButton question(const QString& title, const QString& text, QMessageBox::StandardButtons buttons,
                                     QMessageBox::StandardButton defaultButton)
{
    return ask(QMessageBox::Question, &QMessageBox::question, title, text, buttons, defaultButton);
}

QMessageBox::StandardButton information(const QString& title, const QString& text,
                                        QMessageBox::StandardButtons buttons,
                                        QMessageBox::StandardButton defaultButton)
{
    return ask(QMessageBox::Information, &QMessageBox::information, title, text, buttons, defaultButton);
}

QMessageBox::StandardButton warning(QWidget* parent, const QString& title, const QString& text,
                                    QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton)
{
    return ask(QMessageBox::Warning, &QMessageBox::warning, title, text, buttons, defaultButton, parent);
}

QMessageBox::StandardButton question(QWidget* parent, const QString& title, const QString& text,
                                     QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton)
{
    return ask(QMessageBox::Question, &QMessageBox::question, title, text, buttons, defaultButton, parent);
}

void setMessageBoxAnswerer(MessageBoxAnswerer answerer)
{
    QMutexLocker lock(&answererMutex());
    installedAnswerer() = std::move(answerer);
}

} // namespace QtTools
} // namespace Vexamo
