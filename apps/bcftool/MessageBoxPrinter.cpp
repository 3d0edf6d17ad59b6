#include "MessageBoxPrinter.h"

#include "Console.h"

#include "QtTools/MessageBoxes.h"

namespace BCFTool {

using Vexamo::QtTools::MessageBoxRequest;

MessageBoxPrinter::MessageBoxPrinter(QObject* parent)
    : QObject(parent)
{
    Vexamo::QtTools::setMessageBoxAnswerer([this](const MessageBoxRequest& request) {
        QString indented = Console::printable(request.text, true);
        indented.replace(QLatin1Char('\n'), QLatin1String("\n    "));
        Console::error(Console::printable(request.title) + QLatin1String(": ") + indented);

        QMessageBox::StandardButton button = QMessageBox::NoButton;
        if (request.buttons.testFlag(QMessageBox::No))
            button = QMessageBox::No;
        else if (request.buttons.testFlag(QMessageBox::Ok))
            button = QMessageBox::Ok;
        ++m_count;
        emit answered(request.title, request.text);
        return button;
    });
}

MessageBoxPrinter::~MessageBoxPrinter()
{
    Vexamo::QtTools::setMessageBoxAnswerer(Vexamo::QtTools::MessageBoxAnswerer());
}

} // namespace BCFTool
