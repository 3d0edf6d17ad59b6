#include "BCFTestSupport/MessageBoxAnswerer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QWidget>

namespace BCFTest {

namespace {

constexpr int sPollIntervalMs = 10;
const char* const sAnsweredProperty = "bcfTestAnswered";

} // namespace

MessageBoxAnswerer::MessageBoxAnswerer(QObject* parent)
    : QObject(parent)
{
    m_timer.setInterval(sPollIntervalMs);
    connect(&m_timer, &QTimer::timeout, this, &MessageBoxAnswerer::poll);
    m_timer.start();
}

MessageBoxAnswerer::~MessageBoxAnswerer() = default;

void MessageBoxAnswerer::answer(QMessageBox::StandardButton button)
{
    m_answers.enqueue(button);
}

QList<MessageBoxAnswerer::Record> MessageBoxAnswerer::records() const
{
    return m_records;
}

int MessageBoxAnswerer::count() const
{
    return m_records.size();
}

MessageBoxAnswerer::Record MessageBoxAnswerer::last() const
{
    return m_records.isEmpty() ? Record() : m_records.last();
}

int MessageBoxAnswerer::pendingAnswers() const
{
    return m_answers.size();
}

void MessageBoxAnswerer::clear()
{
    m_records.clear();
    m_answers.clear();
}

QMessageBox* MessageBoxAnswerer::findOpenBox() const
{
    auto unanswered = [](QWidget* widget) -> QMessageBox* {
        auto* box = qobject_cast<QMessageBox*>(widget);
        if (box && box->isVisible() && !box->property(sAnsweredProperty).toBool())
            return box;
        return nullptr;
    };
    if (QMessageBox* box = unanswered(QApplication::activeModalWidget()))
        return box;
    const QWidgetList widgets = QApplication::topLevelWidgets();
    for (QWidget* widget : widgets) {
        if (QMessageBox* box = unanswered(widget))
            return box;
    }
    return nullptr;
}

void MessageBoxAnswerer::poll()
{
    QMessageBox* box = findOpenBox();
    if (!box)
        return;
    box->setProperty(sAnsweredProperty, true);

    Record record;
    record.title = box->windowTitle();
    record.text = box->text();
    record.icon = box->icon();
    record.buttons = box->standardButtons();
    record.defaultButton = box->defaultButton() ? box->standardButton(box->defaultButton()) : QMessageBox::NoButton;
    record.answeredFromQueue = !m_answers.isEmpty();
    if (record.answeredFromQueue) {
        if (QAbstractButton* button = box->button(m_answers.dequeue()))
            button->click();
    } else {
        // Leave the box as the Escape key would: QMessageBox picks its own escape button.
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QCoreApplication::sendEvent(box, &escape);
        if (!box->clickedButton()) {
            const QList<QAbstractButton*> buttons = box->buttons();
            QAbstractButton* fallback = box->defaultButton();
            if (!fallback && !buttons.isEmpty())
                fallback = buttons.first();
            if (fallback)
                fallback->click();
        }
    }
    // A queued button that the box does not have closes it unanswered, so the test goes on and sees
    // the mismatch in the record.
    if (!box->clickedButton())
        box->reject();
    record.pressed = box->clickedButton() ? box->standardButton(box->clickedButton()) : QMessageBox::NoButton;
    m_records.append(record);
}

} // namespace BCFTest
