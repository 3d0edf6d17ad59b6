// The document commands of BCFCacheApi: the action list, save, new, export and the save question.
// Opening and loading live in BCFCacheApiLoading.cpp, the recent-file history and the change watch
// in BCFCacheApiHistory.cpp.

#include "BCFapi/BCFCacheApi.h"

#include "BCFCacheStore.h"

#include "BCFapi/BCF1Export.h"
#include "BCFCacheDocumentCopy.h"
#include "BCFDocumentProject.h"
#include "BCFapi/BCFFileApi.h"

#include "BCFLib/BCFModel.h"
#include "QtTools/FileDialogs.h"
#include "QtTools/MessageBoxes.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemWatcher>

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

// Copies the cache into a fresh model and lets the model write it. The model writes atomically, so
// a failed write leaves an existing file as it was. The path is not watched during our own write,
// so that it raises no reload question.
bool BCFCacheApi::writeCacheTo(const QString& path)
{
    const QSharedPointer<BCFLib::BCFModel> model = BCFLib::BCFModel::Create(nullptr);
    bool written = false;
    {
        // A damaged project file refuses the save, as a damaged topic file does: the saved file
        // would lose the document's project without a word.
        QString reason;
        const BCFDocumentProject project = BCFDocumentProject::read(m_store->documentProjectPath(), &reason);
        if (model)
            project.applyTo(*model);
        BCFFileApi document(model, nullptr);
        const bool copied = reason.isEmpty() && BCFCacheDocumentCopy::fromCache(*this, document, &reason);

        if (m_watcher->files().contains(path))
            m_watcher->removePath(path);

        // A document the model did not take whole is not written: a partial file would pass for
        // the user's document.
        // (The model's own write failures are reported by the model.)
        if (!copied)
            qWarning("Saving %s refused: %s", qUtf8Printable(path), qUtf8Printable(reason));
        written = copied && model && model->serialize(path);
        m_saveFailed = !written;
        if (!written) {
            QtTools::warning(tr("Error"), tr("Can't save annotations."), QMessageBox::Ok,
                                 QMessageBox::NoButton);
        }

        if (QFileInfo::exists(path))
            m_watcher->addPath(path);
    }
    return written;
}

void BCFCacheApi::saveBCFFile(bool checked)
{
    Q_UNUSED(checked)
    auto* source = qobject_cast<QAction*>(sender());
    if (!source)
        source = m_saveAction;

    // Before the first open or new there is no current document: the cache is then saved like a
    // new document, under a path that the user chooses, and gets an entry of its own.
    QAction* entry = entryProperty(source);
    QString path = source->property(FileNameProperty).toString();

    if (path.isEmpty()) {
        path = QtTools::getSaveFileName(QStringLiteral("BCFapi/Annotations"), nullptr, tr("Save annotations..."),
                                        path, tr("BCF files (*.bcf *.bcfzip);;All files (*.*)"));
        if (path.isEmpty())
            return;
    }

    if (!writeCacheTo(path))
        return;

    if (!entry) {
        entry = getOrCreateOpenedAction(path);
        setCurrentDocument(path, entry);
        emit opened(entry);
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
}

void BCFCacheApi::saveBCFEntry(bool checked)
{
    Q_UNUSED(checked)
    auto* source = qobject_cast<QAction*>(sender());
    if (!source)
        source = m_saveAction;

    QAction* entry = entryProperty(source);
    const QString path = source->property(FileNameProperty).toString();

    if (!writeCacheTo(path))
        return;
    m_store->setModified(false);
    emit saved(entry);
}

void BCFCacheApi::newBCFFile(bool checked)
{
    Q_UNUSED(checked)
    if (!offerToSaveCurrent())
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

    BCF1Export exporter(this);
    if (!exporter.serialize(path)) {
        QtTools::warning(tr("Error"), tr("Can't save annotations."), QMessageBox::Ok,
                             QMessageBox::NoButton);
    }
}

// Offers to save a modified document before it is replaced. False when the user chose to save and
// the write failed: the document must then stay, or the changes that could not be written would be
// thrown away with it. A cancelled save dialog or the answer No lets the replacement go on.
bool BCFCacheApi::offerToSaveCurrent()
{
    m_saveFailed = false;
    checkToSaveCurrentBCF();
    return !m_saveFailed;
}

void BCFCacheApi::checkToSaveCurrentBCF()
{
    if (m_store->isModified()) {
        const QMessageBox::StandardButton answer = QtTools::question(tr("Save BCF"), tr("Current BCF file has been modified, do you want to save your changes ?"),
            QMessageBox::Yes | QMessageBox::No, QMessageBox::NoButton);
        if (answer == QMessageBox::Yes) {
            m_saveAction->activate(QAction::Trigger);
            return;
        }
    }

    // A new document that was never saved leaves no entry behind. Its entry is reported only when
    // it is taken from the list here: one that already left it (trimmed off the end) was reported
    // as discarded then, and a second report would make the host remove it twice.
    QAction* entry = currentEntry();
    if (currentFileName().isEmpty() && entry) {
        if (m_actions.removeOne(entry))
            emit discarded(entry);
    }
}

} // namespace Vexamo
