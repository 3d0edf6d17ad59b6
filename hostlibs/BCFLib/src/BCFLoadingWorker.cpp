#include "BCFLib/BCFLoadingWorker.h"

#include "BCFLib/BCFArchiveReader.h"
#include "BCFLib/BCFModel.h"

#include <QThread>

namespace BCFLib {

BCFLoadingWorker::BCFLoadingWorker(QString fileName, QObject* parent)
    : QObject(parent)
    , m_fileName(std::move(fileName))
    , m_creatorThread(QThread::currentThread())
{
}

BCFLoadingWorker::~BCFLoadingWorker() = default;

void BCFLoadingWorker::doLoad()
{
    QSharedPointer<BCFModel> model = BCFModel::Create();
    BCFArchiveReader reader(model.data());
    reader.setProgress([this](qint64 max) { emit addMaxSig(max); },
                       [this](qint64 steps) { emit addStepsSig(steps); });
    reader.setDeferredImages(m_deferImages);
    reader.read(m_fileName);

    // The model was created on this (reader) thread; hand it to the thread that created the
    // worker, which is the one that takes it with model().
    QThread* target = m_creatorThread ? m_creatorThread.data() : thread();
    if (model->thread() != target)
        model->moveToThread(target);
    m_model = model;
    emit loadingFinished();
}

} // namespace BCFLib
