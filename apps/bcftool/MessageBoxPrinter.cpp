#include "MessageBoxPrinter.h"

#include "Console.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QMessageBox>
#include <QPointer>

namespace BCFTool {

namespace {
const char* const AnsweredProperty = "bcftoolAnswered";
}

MessageBoxPrinter::MessageBoxPrinter(QObject* parent)
    : QObject(parent)
{
    qApp->installEventFilter(this);
}

MessageBoxPrinter::~MessageBoxPrinter()
{
    if (qApp)
        qApp->removeEventFilter(this);
}

bool MessageBoxPrinter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Show) {
        auto* box = qobject_cast<QMessageBox*>(watched);
        if (box && !box->property(AnsweredProperty).toBool()) {
            box->setProperty(AnsweredProperty, true);
            // The box is answered from its own event loop, which starts right after it is shown.
            QPointer<QMessageBox> guarded(box);
            QMetaObject::invokeMethod(
                this, [this, guarded] {
                    if (guarded)
                        answer(guarded);
                },
                Qt::QueuedConnection);
        }
    }
    return QObject::eventFilter(watched, event);
}

void MessageBoxPrinter::answer(QMessageBox* box)
{
    const QString title = box->windowTitle();
    const QString text = box->text();
    QString indented = Console::printable(text, true);
    indented.replace(QLatin1Char('\n'), QLatin1String("\n    "));
    Console::error(Console::printable(title) + QLatin1String(": ") + indented);

    QAbstractButton* button = box->button(QMessageBox::No);
    if (!button)
        button = box->button(QMessageBox::Ok);
    if (button)
        button->click();
    else
        box->reject();

    ++m_count;
    emit answered(title, text);
}

} // namespace BCFTool
