#pragma once

#include "QtTools/FileDialogs.h"

#include <QList>
#include <QQueue>
#include <QString>

namespace BCFTest {

// Answers the host's file dialogs (Vexamo::QtTools::getOpenFileName / getSaveFileName) without a
// window while it lives, and records what each dialog was asked. Answers are used in the order they
// were queued; an empty answer, or no queued answer at all, means the user canceled.
// Only one may live at a time (it installs the process-wide answerer and removes it again).
//
//   BCFTest::FileDialogAnswers dialogs;
//   dialogs.answer(tmp.filePath("a.bcfzip"));
//   api.openBCFFile();
//   QCOMPARE(dialogs.requests().first().key, QStringLiteral("BCFapi/Annotations"));
class FileDialogAnswers
{
public:
    FileDialogAnswers();
    ~FileDialogAnswers();
    FileDialogAnswers(const FileDialogAnswers&) = delete;
    FileDialogAnswers& operator=(const FileDialogAnswers&) = delete;

    void answer(const QString& path);
    void cancelNext() { answer(QString()); }
    QList<Vexamo::QtTools::FileDialogRequest> requests() const { return m_requests; }
    int pendingAnswers() const { return m_answers.size(); }

private:
    QString respond(const Vexamo::QtTools::FileDialogRequest& request);

    QQueue<QString> m_answers;
    QList<Vexamo::QtTools::FileDialogRequest> m_requests;
};

} // namespace BCFTest
