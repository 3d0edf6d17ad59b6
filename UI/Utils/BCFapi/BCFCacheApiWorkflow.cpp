// The document commands of BCFCacheApi: the action list, save, new, export and the save question.
// Opening and loading live in BCFCacheApiLoading.cpp, the recent-file history and the change watch
// in BCFCacheApiHistory.cpp.

#include "BCFapi/BCFCacheApi.h"

#include "BCFCacheStore.h"

#include "BCFapi/BCF1Export.h"
#include "BCFCacheDocumentCopy.h"
#include "BCFDocumentProject.h"
#include "BCFWorkerRun.h"
#include "BCFapi/BCFFileApi.h"

#include "BCFLib/BCFModel.h"
#include "QtTools/FileDialogs.h"
#include "QtTools/MessageBoxes.h"
#include "QtTools/OperationStatus.h"

#include <log4cplus/logger.h>
#include <log4cplus/loggingmacros.h>

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <utility>

namespace Vexamo {

namespace {

// Dynamic properties of the save action that name the current document.
const char* const FileNameProperty = "filename";
const char* const ActionProperty = "action";

// Open and new actions come first; document entries follow.
const int FirstEntryIndex = 2;

// The document entry that holder names in its "action" property (an untyped pointer), or null.
QAction* entryProperty(const QObject* holder)
{
    const QVariant value = holder->property(ActionProperty);
    if (value.userType() != QMetaType::VoidStar && !value.canConvert(QMetaType::VoidStar))
        return nullptr;
    return static_cast<QAction*>(value.value<void*>());
}

log4cplus::Logger cacheLogger()
{
    return log4cplus::Logger::getInstance(LOG4CPLUS_TEXT("Vexamo.Core.Utils.BCFapi.BCFCacheApi"));
}

// The version a document of that version is written in: 3.0 stays 3.0, every other saves as 2.1.
QString writtenVersion(const QString& documentVersion)
{
    return documentVersion.startsWith(QLatin1String("3.")) ? QStringLiteral("3.0") : QStringLiteral("2.1");
}

} // namespace

QList<QAction*> BCFCacheApi::getActions()
{
    if (!m_actions.isEmpty())
        return m_actions;

    auto* openAction = new QAction(tr("Open BCF File..."), this);
    openAction->setObjectName(tr("Open BCF File..."));
    connect(openAction, &QAction::triggered, this, qOverload<bool>(&BCFCacheApi::openBCFFile));
    m_actions.append(openAction);

    auto* newAction = new QAction(tr("New BCF File..."), this);
    newAction->setObjectName(tr("New BCF File..."));
    connect(newAction, &QAction::triggered, this, &BCFCacheApi::newBCFFile);
    m_actions.append(newAction);

    const QStringList history = readFileHistory();
    for (const QString& path : history)
        m_actions.append(createFileEntry(path));

    return m_actions;
}

QAction* BCFCacheApi::getExtraAction()
{
    return m_extraAction;
}

void BCFCacheApi::actionUnselected(QAction* action)
{
    Q_UNUSED(action)
}

QAction* BCFCacheApi::getOrCreateOpenedAction(const QString& path)
{
    // A file opened before the host asked for the actions may already have an entry in the history.
    if (m_actions.isEmpty())
        getActions();
    for (QAction* action : qAsConst(m_actions)) {
        if (action->text() == path)
            return action;
    }
    QAction* entry = createFileEntry(path);
    insertEntry(entry);
    return entry;
}

// A document entry for a file: its text and tool tip are the path, its name the file name, and
// triggering it opens the file.
QAction* BCFCacheApi::createFileEntry(const QString& path)
{
    auto* entry = new QAction(this);
    makeFileEntry(entry, path);
    connect(entry, &QAction::triggered, this, &BCFCacheApi::openBCFEntry);
    return entry;
}

void BCFCacheApi::makeFileEntry(QAction* entry, const QString& path)
{
    entry->setObjectName(QFileInfo(path).fileName());
    entry->setToolTip(path);
    entry->setText(path);
}

// Puts a new entry first among the document entries; the list keeps the open and new actions and
// at most sFileHistorySize entries, so one that falls off the end is reported as discarded.
// An entry inserted before the host asked for the actions (a file opened through the public
// openBCFFile, for instance) needs the open and new actions and the history in front of it.
void BCFCacheApi::insertEntry(QAction* entry)
{
    if (m_actions.isEmpty())
        getActions();
    m_actions.insert(FirstEntryIndex, entry);
    checkFileHistorySize();
}

QAction* BCFCacheApi::currentEntry() const
{
    return entryProperty(m_saveAction);
}

QString BCFCacheApi::currentFileName() const
{
    return m_saveAction->property(FileNameProperty).toString();
}

void BCFCacheApi::setCurrentDocument(const QString& path, QAction* entry)
{
    m_saveAction->setProperty(FileNameProperty, path);
    m_saveAction->setProperty(ActionProperty, QVariant::fromValue(static_cast<void*>(entry)));
}

QString BCFCacheApi::documentVersion() const
{
    return writtenVersion(BCFDocumentProject::read(m_store->documentProjectPath()).version());
}

// Copies the cache into a fresh model and lets the model write it in version ("2.1" or "3.0"). The
// model writes atomically, so a failed write leaves an existing file as it was. The path is not
// watched during our own write, so that it raises no reload question. After a write the document
// has the version written; a write that converted it shows what the target could not hold.
bool BCFCacheApi::writeCacheTo(const QString& path, const QString& version)
{
    // A save asked for while one is being written (a window closed meanwhile) is refused: two
    // writers of one document could interleave their files.
    if (m_writingCache)
        return false;
    if (m_watcher->files().contains(path))
        m_watcher->removePath(path);

    // The document is built and written on a worker, from a model of its own, while this thread
    // keeps painting and running timers; user input waits until the file is written.
    // A damaged project file refuses the save, as a damaged topic file does: the saved file would
    // lose the document's project without a word.
    QString error;
    BCFDocumentProject project = BCFDocumentProject::read(m_store->documentProjectPath(), &error);
    bool written = false;
    BCFLib::ConversionReport report;
    {
        OperationStatus progress(tr("Saving %1").arg(QFileInfo(path).fileName()), 0, true);
        writeOnWorker([this, path, version, &project, &written, &error, &report] {
            const QSharedPointer<BCFLib::BCFModel> model = BCFLib::BCFModel::Create(nullptr);
            if (!model || !error.isEmpty())
                return;
            project.applyTo(*model);
            model->setVersion(BCFLib::Version(version));
            BCFFileApi document(model, nullptr);
            // A document the model did not take whole is not written: a partial file would
            // pass for the user's document.
            if (!BCFCacheDocumentCopy::fromCache(*this, document, &error, model.data(), m_store.get()))
                return;
            written = model->serialize(path);
            if (written)
                report = model->conversionReport();
            else
                error = model->errorString();
        });
    }

    if (!written) {
        LOG4CPLUS_ERROR(cacheLogger(),
                        QStringLiteral("%1 not written: %2").arg(path, error).toLocal8Bit().constData());
        QtTools::warning(tr("Error"), tr("Can't save annotations."), QMessageBox::Ok, QMessageBox::NoButton);
    }
    if (QFileInfo::exists(path))
        m_watcher->addPath(path);
    if (!written)
        return false;

    QStringList lines;
    for (const BCFLib::ConversionNote& note : report)
        lines << note.toString();
    if (!lines.isEmpty()) {
        LOG4CPLUS_INFO(cacheLogger(),
                       QStringLiteral("%1 written as BCF %2; left out or changed:\n%3")
                           .arg(path, version, lines.join(QLatin1Char('\n')))
                           .toLocal8Bit()
                           .constData());
    }
    // A write in another version than the document's (a 2.0 file saved as 2.1, a 3.0 file saved as
    // 2.1) converts it: what the target could not hold is shown once, when that happens.
    const QString previous = project.version().isEmpty() ? QStringLiteral("2.1") : project.version();
    if (!lines.isEmpty() && previous != version) {
        // A large document can have a line per topic; the box shows the first ones, the log all.
        const int shown = 20;
        QStringList listed = lines.mid(0, shown);
        if (lines.size() > shown)
            listed << tr("... and %1 more").arg(lines.size() - shown);
        QtTools::information(tr("Save BCF"),
                             tr("The BCF %1 document was saved as BCF %2. BCF %2 cannot hold everything it "
                                "had; left out or changed:\n%3")
                                 .arg(previous, version, listed.join(QLatin1Char('\n'))),
                             QMessageBox::Ok, QMessageBox::NoButton);
    }
    if (project.version() != version) {
        project.setVersion(version);
        project.write(m_store->documentProjectPath());
    }
    return true;
}

bool BCFCacheApi::writeOnWorker(const std::function<void()>& work)
{
    if (m_writingCache)
        return false;
    // A load that finishes meanwhile is installed afterwards, as one that finishes while another
    // is being installed: the working cache does not change under the worker.
    const bool deferLoads = !m_installingLoad;
    m_installingLoad = true;
    m_writingCache = true;
    BCFWorkerRun::run(work);
    m_writingCache = false;
    // After the signals of this write, which its caller emits: a document built meanwhile is
    // swapped in, or the loads that finished meanwhile are installed, one at a time.
    if (m_afterWrite) {
        QMetaObject::invokeMethod(this, std::exchange(m_afterWrite, nullptr), Qt::QueuedConnection);
    } else if (deferLoads) {
        QMetaObject::invokeMethod(this, [this] { installFinishedLoads(); }, Qt::QueuedConnection);
    }
    return true;
}

// Saves the current document, named by source's properties, in version: to its path, or to one the
// user chooses when it has none or askForPath is set. False when nothing was written (the dialog
// was cancelled or the write failed).
bool BCFCacheApi::saveCurrentDocument(QAction* source, const QString& version, bool askForPath)
{
    // Before the first open or new there is no current document: the cache is then saved like a
    // new document, under a path that the user chooses, and gets an entry of its own.
    QAction* entry = entryProperty(source);
    const QString current = source->property(FileNameProperty).toString();
    QString path = current;

    if (path.isEmpty() || askForPath) {
        path = QtTools::getSaveFileName(QStringLiteral("BCFapi/Annotations"), nullptr, tr("Save annotations..."),
                                        current, tr("BCF files (*.bcf *.bcfzip);;All files (*.*)"));
        if (path.isEmpty())
            return false;
    }

    if (!writeCacheTo(path, version))
        return false;

    if (!entry) {
        entry = getOrCreateOpenedAction(path);
        setCurrentDocument(path, entry);
        emit opened(entry);
    } else if (!current.isEmpty() && path != current) {
        // Saved under another name: the new file gets an entry of its own and becomes the current
        // document; the file it was read from stays in the history as it is.
        entry = getOrCreateOpenedAction(path);
        setCurrentDocument(path, entry);
    } else {
        makeFileEntry(entry, path);
        QObject::disconnect(entry, nullptr, nullptr, nullptr);
        connect(entry, &QAction::triggered, this, &BCFCacheApi::openBCFEntry);
        // The entry of the current document may have left the list (a never-saved new document
        // that the user chose not to save, a file deleted on disk); now that its file exists it
        // belongs there again.
        if (!m_actions.contains(entry))
            insertEntry(entry);
        setCurrentDocument(path, entry);
    }
    m_store->setModified(false);
    emit saved(entry);
    return true;
}

// The two save slots take the current document from the sending action, which is the save action
// in every path of this class; a direct call has no sender.
void BCFCacheApi::saveBCFFile(bool checked)
{
    Q_UNUSED(checked)
    auto* source = qobject_cast<QAction*>(sender());
    saveCurrentDocument(source ? source : m_saveAction, QStringLiteral("2.1"), false);
}

void BCFCacheApi::saveBCF30File(bool checked)
{
    Q_UNUSED(checked)
    saveCurrentDocument(m_saveAction, QStringLiteral("3.0"), false);
}

void BCFCacheApi::saveDocument(bool checked)
{
    Q_UNUSED(checked)
    saveCurrentDocument(m_saveAction, documentVersion(), false);
}

void BCFCacheApi::saveBCFFileAs(bool checked)
{
    Q_UNUSED(checked)
    saveCurrentDocument(m_saveAction, documentVersion(), true);
}

void BCFCacheApi::saveBCFEntry(bool checked)
{
    Q_UNUSED(checked)
    auto* source = qobject_cast<QAction*>(sender());
    if (!source)
        source = m_saveAction;

    QAction* entry = entryProperty(source);
    const QString path = source->property(FileNameProperty).toString();

    if (!writeCacheTo(path, documentVersion()))
        return;
    m_store->setModified(false);
    emit saved(entry);
}

void BCFCacheApi::newBCFFile(bool checked)
{
    Q_UNUSED(checked)
    if (!confirmDiscardOrSave())
        return;
    // The empty document takes the place of the current one whole, or not at all.
    const QString side = m_store->createSideDirectory();
    if (side.isEmpty() || !m_store->replaceWith(side)) {
        qWarning("New document refused: %s", qUtf8Printable(m_store->errorString()));
        QtTools::warning(tr("Error"), tr("A new document could not be started: %1").arg(m_store->errorString()),
                         QMessageBox::Ok, QMessageBox::NoButton);
        return;
    }

    auto* entry = new QAction(QString(), this);
    entry->setObjectName(tr("New BCF created"));
    entry->setToolTip(QString());
    insertEntry(entry);

    setCurrentDocument(QString(), entry);
    m_store->setModified(true);
    emit opened(entry);
}

void BCFCacheApi::exportToBCF1(bool checked)
{
    Q_UNUSED(checked)
    const QString path = QtTools::getSaveFileName(QStringLiteral("BCFapi/Export"), nullptr,
                                                  tr("Export annotations in BCF 1.0..."), QString(),
                                                  tr("BCF files (*.bcf *.bcfzip);;All files (*.*)"));
    if (path.isEmpty())
        return;

    // Written on a worker while this thread keeps painting and user input waits, so that no edit
    // lands in a document half exported. An export asked for while a save or another export is
    // being written is refused, as such a save is.
    bool written = false;
    if (!writeOnWorker([this, &path, &written] {
            BCF1Export exporter(this);
            written = exporter.serialize(path);
        }))
        return;
    if (!written) {
        QtTools::warning(tr("Error"), tr("Can't save annotations."), QMessageBox::Ok, QMessageBox::NoButton);
        return;
    }
    emit exported(path);
}

bool BCFCacheApi::confirmDiscardOrSave()
{
    if (m_store->isModified()) {
        const QMessageBox::StandardButton answer = QtTools::question(tr("Save BCF"), tr("Current BCF file has been modified, do you want to save your changes ?"),
            QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::NoButton);
        if (answer == QMessageBox::Yes)
            return saveCurrentDocument(m_saveAction, documentVersion(), false);
        // Escape and the box's close button answer Cancel: the document stays as it is.
        if (answer != QMessageBox::No)
            return false;
    }

    // A new document that was never saved leaves no entry behind. Its entry is reported only when
    // it is taken from the list here: one that already left it (trimmed off the end) was reported
    // as discarded then, and a second report would make the host remove it twice.
    QAction* entry = currentEntry();
    if (currentFileName().isEmpty() && entry) {
        if (m_actions.removeOne(entry))
            emit discarded(entry);
    }
    return true;
}

void BCFCacheApi::checkToSaveCurrentBCF()
{
    confirmDiscardOrSave();
}

} // namespace Vexamo
