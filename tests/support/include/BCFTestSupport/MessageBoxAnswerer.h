#pragma once

#include <QList>
#include <QMessageBox>
#include <QObject>
#include <QQueue>
#include <QString>
#include <QTimer>

namespace BCFTest {

// Answers the modal QMessageBoxes that the code under test opens, including the static
// QMessageBox::warning/question/information calls, so that a test never blocks on a dialog.
//
// While the answerer lives it polls for a visible modal message box every few milliseconds (the
// timer also fires inside the nested event loop of QMessageBox::exec), records what the box shows
// and presses a button:
//   - the next queued answer (answer(QMessageBox::Yes)), in the order they were queued;
//   - when no answer is queued, what the Escape key does (the box's escape button), else its
//     default button, else its first button. Such boxes are recorded with answeredFromQueue == false.
//   A queued button that the box does not have closes it without a button (pressed == NoButton).
//
//   BCFTest::MessageBoxAnswerer boxes;
//   boxes.answer(QMessageBox::No);
//   api.checkToSaveCurrentBCF();
//   QCOMPARE(boxes.count(), 1);
//   QCOMPARE(boxes.last().title, QStringLiteral("Save changes"));
class MessageBoxAnswerer : public QObject
{
    Q_OBJECT

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

    explicit MessageBoxAnswerer(QObject* parent = nullptr);
    ~MessageBoxAnswerer() override;

    // Queues the button to press on the next message box that has no answer yet.
    void answer(QMessageBox::StandardButton button);

    // Every box seen so far, in order of appearance.
    QList<Record> records() const;
    int count() const;
    Record last() const;
    int pendingAnswers() const;
    // Forgets the records and the queued answers.
    void clear();

private:
    void poll();
    QMessageBox* findOpenBox() const;

    QTimer m_timer;
    QQueue<QMessageBox::StandardButton> m_answers;
    QList<Record> m_records;
};

} // namespace BCFTest
