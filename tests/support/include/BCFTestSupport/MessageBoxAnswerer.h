#pragma once

#include "QtTools/MessageBoxes.h"

#include <QList>
#include <QMessageBox>
#include <QQueue>
#include <QString>

namespace BCFTest {

// Answers the message boxes that the code under test opens through the QtTools message-box
// functions, so that a test never blocks on a dialog. While the answerer lives it is installed as
// the QtTools message-box answerer; each box is recorded and answered at once, without an event loop:
//   - with the next queued answer (answer(QMessageBox::Yes)), in the order they were queued;
//   - when no answer is queued, as the Escape key leaves a box: its only button, else Cancel, else
//     No, else its default button. Such boxes are recorded with answeredFromQueue == false.
//   A queued button that the box does not offer is returned as it is, so the test sees the mismatch.
//
//   BCFTest::MessageBoxAnswerer boxes;
//   boxes.answer(QMessageBox::No);
//   api.checkToSaveCurrentBCF();
//   QCOMPARE(boxes.count(), 1);
//   QCOMPARE(boxes.last().title, QStringLiteral("Save BCF"));
class MessageBoxAnswerer
{
public:
    struct Record {
        QString title;
        QString text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QMessageBox::StandardButtons buttons;
        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
        QMessageBox::StandardButton pressed = QMessageBox::NoButton;
        bool answeredFromQueue = false;
    };

    MessageBoxAnswerer();
    ~MessageBoxAnswerer();
    MessageBoxAnswerer(const MessageBoxAnswerer&) = delete;
    MessageBoxAnswerer& operator=(const MessageBoxAnswerer&) = delete;

    // Queues the button to press on the next message box.
    void answer(QMessageBox::StandardButton button);

    // Every box seen so far, in order of appearance.
    QList<Record> records() const { return m_records; }
    int count() const { return m_records.size(); }
    Record last() const { return m_records.isEmpty() ? Record() : m_records.last(); }
    int pendingAnswers() const { return m_answers.size(); }
    // Forgets the records and the queued answers.
    void clear();

private:
    QMessageBox::StandardButton respond(const Vexamo::QtTools::MessageBoxRequest& request);

    QQueue<QMessageBox::StandardButton> m_answers;
    QList<Record> m_records;
};

} // namespace BCFTest
