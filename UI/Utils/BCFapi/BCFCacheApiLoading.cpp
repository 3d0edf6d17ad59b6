// Opening BCF files: the open action, the document entries and the public openBCFFile start a
// loading worker of the model library on the reader thread; BCFLoadingFinished installs the loaded
// model in the working cache on the user-interface thread.

#include "BCFapi/BCFCacheApi.h"

#include "BCFCacheStore.h"

#include "BCFCacheDocumentCopy.h"
#include "BCFDocumentProject.h"
#include "BCFapi/BCFFileApi.h"

#include "BCFLib/BCFLoadingWorker.h"
#include "BCFLib/BCFModel.h"
#include "QtTools/FileDialogs.h"
#include "QtTools/MessageBoxes.h"
#include "QtTools/OperationStatus.h"
#include "Utility/RemoveDir.h"

#include <QAction>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QThread>

namespace Vexamo {

namespace {

const char* const OpenedActionProperty = "openedAction";
const char* const LoadRequestProperty = "loadRequest";

// BCF 2.1 files carry ".bcf", older ones ".bcfzip"; both are zip archives of the same layout.
bool hasBCFSuffix(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == QLatin1String("bcfzip") || suffix == QLatin1String("bcf");
}

} // namespace

void BCFCacheApi::openBCFFile(bool checked)
{
    Q_UNUSED(checked)
    auto* action = qobject_cast<QAction*>(sender());
    if (!confirmDiscardOrSave()) {
        emit canceled(action);
        return;
    }

    const QString path = QtTools::getOpenFileName(QStringLiteral("BCFapi/Annotations"), nullptr,
                                                  tr("Open annotations..."),
                                                  tr("BCF files (*.bcf *.bcfzip);;All files (*.*)"));
    if (!path.isEmpty() && openBCFFile(path))
        emit opened(action);
    else
        emit canceled(action);
}

bool BCFCacheApi::openBCFFile(const QString& path)
{
    if (!hasBCFSuffix(path)) {
        QtTools::warning(tr("Error"),
                             tr("This file is not a *.bcfzip file : %1.").arg(QFileInfo(path).fileName()),
                             QMessageBox::Ok, QMessageBox::NoButton);
        return false;
    }
    startLoading(new BCFLib::BCFLoadingWorker(path), path);
    return true;
}

void BCFCacheApi::openBCFEntry(bool checked)
{
    Q_UNUSED(checked)
    if (!confirmDiscardOrSave())
        return;

    auto* entry = qobject_cast<QAction*>(sender());
    if (!entry)
        return;
    const QString path = entry->text();

    if (!QFileInfo::exists(path)) {
        QtTools::warning(tr("Error"),
                             tr("The BCFZIP file (%1) doesn't exist anymore.").arg(QFileInfo(path).absoluteFilePath()),
                             QMessageBox::Ok, QMessageBox::NoButton);
        emit discarded(entry);
        return;
    }
    if (!hasBCFSuffix(path)) {
        QtTools::warning(tr("Error"),
                             tr("This file is not a *.bcfzip file : %1.").arg(QFileInfo(path).fileName()),
                             QMessageBox::Ok, QMessageBox::NoButton);
        emit discarded(entry);
        return;
    }

    auto* worker = new BCFLib::BCFLoadingWorker(path);
    worker->setProperty(OpenedActionProperty, QVariant::fromValue<QAction*>(entry));
    startLoading(worker, path);
}

void BCFCacheApi::createAndStartReaderThread()
{
    if (m_readerThread)
        return;
    m_readerThread = new QThread(this);
    m_readerThread->setObjectName(QStringLiteral("BCF_2_1ReaderThread"));
    m_readerThread->start(QThread::InheritPriority);
}

// Hands worker to the reader thread and starts it there. Its progress lives and dies with it and is
// updated on the reader thread; the end of the load comes back queued to BCFLoadingFinished.
void BCFCacheApi::startLoading(BCFLib::BCFLoadingWorker* worker, const QString& path)
{
    worker->setProperty(LoadRequestProperty, ++m_lastLoadRequest);
    // The loaded model is only copied into the working cache: its images are read from the file
    // during the copy, one at a time, instead of all being held by the model.
    worker->setDeferredImages(true);
    auto* progress = new OperationStatus(tr("Loading BCF file %1").arg(path), 0, true);
    progress->setParent(worker);

    createAndStartReaderThread();
    worker->moveToThread(m_readerThread);

    connect(worker, &BCFLib::BCFLoadingWorker::addMaxSig, progress, &OperationStatus::addMax, Qt::DirectConnection);
    connect(worker, &BCFLib::BCFLoadingWorker::addStepsSig, progress, qOverload<qlonglong>(&OperationStatus::addStep),
            Qt::DirectConnection);
    connect(worker, &BCFLib::BCFLoadingWorker::loadingFinished, this, &BCFCacheApi::BCFLoadingFinished);
    // A worker whose end never reaches us (the object is destroyed while loads are queued) is
    // deleted when the reader thread stops.
    connect(m_readerThread, &QThread::finished, worker, &QObject::deleteLater);

    QMetaObject::invokeMethod(worker, &BCFLib::BCFLoadingWorker::doLoad, Qt::QueuedConnection);
}

// Finished loads are handled one at a time: one that finishes while another is being installed
// (inside the event loop of a warning box, or while its document is copied on the reader thread)
// waits until that one is installed or refused.
void BCFCacheApi::BCFLoadingFinished()
{
    auto* worker = qobject_cast<BCFLib::BCFLoadingWorker*>(sender());
    if (!worker)
        return;
    m_finishedLoads.append(worker);
    if (m_installingLoad)
        return;
    installFinishedLoads();
}

void BCFCacheApi::installFinishedLoads()
{
    m_installingLoad = true;
    while (!m_finishedLoads.isEmpty()) {
        // A load whose document is being copied resumes the queue once it is installed.
        if (installLoad(m_finishedLoads.takeFirst()))
            return;
    }
    m_installingLoad = false;
}

// Installs the model that worker loaded in the working cache, or reports why it cannot. A load
// requested before the document that is current now was requested is dropped without a word: the
// file the user asked for last stays.
bool BCFCacheApi::installLoad(BCFLib::BCFLoadingWorker* worker)
{
    const quint64 request = worker->property(LoadRequestProperty).toULongLong();
    const QSharedPointer<BCFLib::BCFModel> model = worker->model();
    const QString path = worker->filename();
    QAction* openedAction = qvariant_cast<QAction*>(worker->property(OpenedActionProperty));
    // The worker lives on the reader thread, which deletes it once asked: nothing of it is used
    // after this point.
    worker->deleteLater();
    if (request < m_installedLoadRequest)
        return false;

    OperationStatus validity(tr("Checking validity"), 1, true);
    QString message;
    QString title;
    const bool valid = model && model->isValid(QFileInfo(path).fileName(), message, title);
    validity.addStep(1);

    if (valid) {
        if (!message.isEmpty())
            QtTools::warning(title, message, QMessageBox::Ok, QMessageBox::NoButton);

        // The new document is built beside the current one, on the reader thread so that the
        // user interface keeps answering; user input meanwhile acts on the current document.
        // Installing it (the swap, the entry, the signals) happens back on this thread.
        const QString side = m_store->createSideDirectory();
        if (side.isEmpty()) {
            reportFailedOpen(path, m_store->errorString());
            return false;
        }
        auto* copier = new QObject;
        copier->moveToThread(m_readerThread);
        connect(m_readerThread, &QThread::finished, copier, &QObject::deleteLater);
        QMetaObject::invokeMethod(copier, [=] {
            QString reason;
            const bool built = buildDocument(model, side, &reason);
            QMetaObject::invokeMethod(this, [=] {
                    const auto install = [=] {
                        finishInstall(built, reason, side, path, openedAction, request);
                        installFinishedLoads();
                    };
                    // A save or export running meanwhile reads the current document: the swap
                    // waits until it is written.
                    if (m_writingCache)
                        m_afterWrite = install;
                    else
                        install();
                }, Qt::QueuedConnection);
            copier->deleteLater();
        }, Qt::QueuedConnection);
        return true;
    } else {
        // The model names the reason for every file it refuses; should it give none, the user still
        // learns which file failed instead of seeing an empty box.
        if (message.isEmpty()) {
            title = tr("Error");
            message = tr("The file %1 could not be read.").arg(QFileInfo(path).fileName());
        }
        QtTools::warning(title, message, QMessageBox::Ok, QMessageBox::NoButton);
        if (openedAction)
            emit discarded(openedAction);
        emit loadFailed(path);
    }
    return false;
}

void BCFCacheApi::reportFailedOpen(const QString& path, const QString& reason)
{
    qWarning("Opening %s failed: %s", qUtf8Printable(path), qUtf8Printable(reason));
    QtTools::warning(tr("Error"), tr("The file %1 could not be opened: %2").arg(QFileInfo(path).fileName(), reason),
                     QMessageBox::Ok, QMessageBox::NoButton);
}

// On the user-interface thread: swaps the built document in and makes it current, or reports why
// it could not be; the current document then stays.
void BCFCacheApi::finishInstall(bool built, const QString& buildError, const QString& side, const QString& path,
                                QAction* openedAction, quint64 request)
{
    QString reason = buildError;
    if (built && !m_store->replaceWith(side)) {
        built = false;
        reason = m_store->errorString();
    }
    if (!built) {
        reportFailedOpen(path, reason);
        return;
    }
    OperationStatus creating(tr("Creating topics in memory..."), 1, true);
    QAction* entry = openedAction ? openedAction : getOrCreateOpenedAction(path);
    // An entry that left the list while its file was loading (trimmed, or its file was gone
    // for a moment) stands for the current document again and is listed again.
    if (!m_actions.contains(entry))
        insertEntry(entry);
    setCurrentDocument(path, entry);
    m_installedLoadRequest = request;
    m_store->setModified(false);
    if (!m_watcher->files().contains(path))
        m_watcher->addPath(path);
    creating.addStep(1);
    emit opened(entry);
}

// Runs on the reader thread: the side directory is this call's alone until the swap. Each topic's
// snapshots are released once its record is written. A part that cannot be written removes the
// side directory and gives the reason.
bool BCFCacheApi::buildDocument(const QSharedPointer<BCFLib::BCFModel>& model, const QString& side, QString* reason)
{
    bool built = false;
    {
        BCFCacheStore document(side);
        document.setCopyingDocument(true);
        BCFFileApi loaded(model, nullptr);
        built = BCFCacheDocumentCopy::intoCache(loaded, document, reason, model.data());
        if (built && !BCFDocumentProject::fromModel(*model).write(document.documentProjectPath())) {
            *reason = tr("the project file could not be written in %1").arg(side);
            built = false;
        }
    }
    if (!built)
        RemoveDir(side);
    return built;
}

} // namespace Vexamo
