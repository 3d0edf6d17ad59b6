#include "BCFTestSupport/FileDialogAnswers.h"

namespace BCFTest {

FileDialogAnswers::FileDialogAnswers()
{
    Vexamo::QtTools::setFileDialogAnswerer(
        [this](const Vexamo::QtTools::FileDialogRequest& request) { return respond(request); });
}

FileDialogAnswers::~FileDialogAnswers()
{
    Vexamo::QtTools::setFileDialogAnswerer(nullptr);
}

void FileDialogAnswers::answer(const QString& path)
{
    m_answers.enqueue(path);
}

QString FileDialogAnswers::respond(const Vexamo::QtTools::FileDialogRequest& request)
{
    m_requests.append(request);
    return m_answers.isEmpty() ? QString() : m_answers.dequeue();
}

} // namespace BCFTest
