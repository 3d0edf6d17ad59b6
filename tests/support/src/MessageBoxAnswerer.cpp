#include "BCFTestSupport/MessageBoxAnswerer.h"

#include <QAbstractButton>
#include <QApplication>
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

void MessageBoxAnswerer::setFallbackAnswer(QMessageBox::StandardButton button)
{
    m_fallback = button;
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

QMessageBox::StandardButton MessageBoxAnswerer::choose(QMessageBox* box, bool* fromQueue)
{
    *fromQueue = !m_answers.isEmpty();
    if (*fromQueue)
        return m_answers.dequeue();
    if (m_fallback != QMessageBox::NoButton)
        return m_fallback;
    if (QAbstractButton* escape = box->escapeButton())
        return box->standardButton(escape);
    if (QPushButton* byDefault = box->defaultButton())
        return box->standardButton(byDefault);
    const QList<QAbstractButton*> buttons = box->buttons();
    return buttons.isEmpty() ? QMessageBox::NoButton : box->standardButton(buttons.first());
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
    record.pressed = choose(box, &record.answeredFromQueue);
    m_records.append(record);

    QAbstractButton* button = box->button(record.pressed);
    if (button) {
        button->click();
    } else {
        // The queued button is not on this box: close it as Escape would, so the test goes on and
        // can see the mismatch in the record.
        m_records.last().pressed = QMessageBox::NoButton;
        box->reject();
    }
}

} // namespace BCFTest
