#include "BCFTestSupport/MessageBoxAnswerer.h"
#include "BCFTestSupport/TestMain.h"

#include "QtTools/MessageBoxes.h"

using namespace Vexamo;

class TestMessageBoxAnswerer : public QObject
{
    Q_OBJECT

private slots:
    void staticCallsReturnTheQueuedAnswers()
    {
        BCFTest::MessageBoxAnswerer boxes;
        boxes.answer(QMessageBox::No);
        boxes.answer(QMessageBox::Yes);

        QCOMPARE(QtTools::question(QStringLiteral("Save"), QStringLiteral("Save changes?"),
                                       QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes),
                 QMessageBox::No);
        QCOMPARE(QtTools::information(QStringLiteral("Reload"), QStringLiteral("File changed."),
                                          QMessageBox::Yes | QMessageBox::No),
                 QMessageBox::Yes);
        QCOMPARE(boxes.pendingAnswers(), 0);

        QCOMPARE(boxes.count(), 2);
        const BCFTest::MessageBoxAnswerer::Record save = boxes.records().at(0);
        QCOMPARE(save.title, QStringLiteral("Save"));
        QCOMPARE(save.text, QStringLiteral("Save changes?"));
        QCOMPARE(save.icon, QMessageBox::Question);
        QCOMPARE(save.buttons, QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(save.defaultButton, QMessageBox::Yes);
        QCOMPARE(save.pressed, QMessageBox::No);
        QVERIFY(save.answeredFromQueue);
        QCOMPARE(boxes.last().title, QStringLiteral("Reload"));
        QCOMPARE(boxes.last().icon, QMessageBox::Information);
    }

    void unexpectedBoxesAreClosedAndRecorded()
    {
        BCFTest::MessageBoxAnswerer boxes;
        QCOMPARE(QtTools::warning(QStringLiteral("Error"), QStringLiteral("Broken file.")),
                 QMessageBox::Ok);
        QCOMPARE(boxes.count(), 1);
        QVERIFY(!boxes.last().answeredFromQueue);
        QCOMPARE(boxes.last().icon, QMessageBox::Warning);
        QCOMPARE(boxes.last().text, QStringLiteral("Broken file."));

        // Without a queued answer a question is left the way Escape leaves it.
        QCOMPARE(QtTools::question(QStringLiteral("Q"), QStringLiteral("?"),
                                       QMessageBox::Yes | QMessageBox::No),
                 QMessageBox::No);
        QCOMPARE(boxes.count(), 2);
    }
};

BCF_TEST_MAIN(TestMessageBoxAnswerer)
#include "tst_messageboxanswerer.moc"
