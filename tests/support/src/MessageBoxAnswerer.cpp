#include "BCFTestSupport/MessageBoxAnswerer.h"

namespace BCFTest {

namespace {

// The button that Escape presses on a static message box with these buttons.
QMessageBox::StandardButton escapeButton(QMessageBox::StandardButtons buttons,
                                         QMessageBox::StandardButton defaultButton)
{
    QList<QMessageBox::StandardButton> offered;
    for (int bit = QMessageBox::FirstButton; bit <= QMessageBox::LastButton; bit <<= 1) {
        if (buttons.testFlag(QMessageBox::StandardButton(bit)))
            offered.append(QMessageBox::StandardButton(bit));
    }
    if (offered.size() == 1)
        return offered.first();
    for (QMessageBox::StandardButton button : {QMessageBox::Cancel, QMessageBox::No}) {
        if (offered.contains(button))
            return button;
    }
    if (defaultButton != QMessageBox::NoButton)
        return defaultButton;
    return offered.isEmpty() ? QMessageBox::NoButton : offered.first();
}

} // namespace

MessageBoxAnswerer::MessageBoxAnswerer()
{
    Vexamo::QtTools::setMessageBoxAnswerer(
        [this](const Vexamo::QtTools::MessageBoxRequest& request) { return respond(request); });
}

MessageBoxAnswerer::~MessageBoxAnswerer()
{
    Vexamo::QtTools::setMessageBoxAnswerer(Vexamo::QtTools::MessageBoxAnswerer());
}

void MessageBoxAnswerer::answer(QMessageBox::StandardButton button)
{
    m_answers.enqueue(button);
}

void MessageBoxAnswerer::clear()
{
    m_records.clear();
    m_answers.clear();
}

QMessageBox::StandardButton MessageBoxAnswerer::respond(const Vexamo::QtTools::MessageBoxRequest& request)
{
    Record record;
    record.title = request.title;
    record.text = request.text;
    record.icon = request.icon;
    record.buttons = request.buttons;
    record.defaultButton = request.defaultButton;
    record.answeredFromQueue = !m_answers.isEmpty();
    record.pressed = record.answeredFromQueue ? m_answers.dequeue()
                                              : escapeButton(request.buttons, request.defaultButton);
    m_records.append(record);
    return record.pressed;
}

} // namespace BCFTest
