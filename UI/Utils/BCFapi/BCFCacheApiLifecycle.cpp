// Construction and destruction of BCFCacheApi: the working directory, the Save action with its menu
// and the file watcher. The action list, the reader thread and the current document come later
// (BCFCacheApiWorkflow.cpp).

#include "BCFapi/BCFCacheApi.h"

#include "BCFCacheLock.h"
#include "BCFCacheStore.h"

#include "Icons/Icons.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QTimer>
#include <QMenu>
#include <QThread>

namespace Vexamo {

namespace {

const int CacheChangeGatherMilliseconds = 300;

// The working directory, once what an interrupted open of an earlier run left beside it is gone.
QString workingDirectory()
{
    const QString directory = BCFCacheStore::defaultDirectory();
    BCFCacheStore::removeLeftovers(directory);
    return directory;
}

} // namespace

BCFCacheApi::BCFCacheApi(QObject* parent)
    : BCFapi(QStringLiteral("2.1"), parent)
    // Shared by every BCFCacheApi of the application; it outlives the object and is not emptied here.
    , m_store(std::make_unique<BCFCacheStore>(workingDirectory()))
{

    m_extraAction = new QAction(tr("Save"), this);
    m_saveMenu = new QMenu();
    m_saveAction = m_saveMenu->addAction(Icons::getOrCreateIcon(QStringLiteral(":/icons/save.svg")),
                                         tr("Save to BCF 2.1..."));
    connect(m_saveAction, &QAction::triggered, this, &BCFCacheApi::saveBCFFile);
    m_save30Action = m_saveMenu->addAction(Icons::getOrCreateIcon(QStringLiteral(":/icons/save.svg")),
                                           tr("Save to BCF 3.0..."));
    connect(m_save30Action, &QAction::triggered, this, &BCFCacheApi::saveBCF30File);
    m_saveAsAction = m_saveMenu->addAction(tr("Save as..."));
    connect(m_saveAsAction, &QAction::triggered, this, &BCFCacheApi::saveBCFFileAs);
    m_exportAction = m_saveMenu->addAction(Icons::getOrCreateIcon(QStringLiteral(":/icons/export.svg")),
                                           tr("Export to BCF 1.0..."));
    connect(m_exportAction, &QAction::triggered, this, &BCFCacheApi::exportToBCF1);
    m_saveMenu->setDefaultAction(m_saveAction);
    m_extraAction->setMenu(m_saveMenu);
    // Triggering the drop-down's own action is the save command: the document in its own version.
    connect(m_extraAction, &QAction::triggered, this, &BCFCacheApi::saveDocument);

    m_watcher = new QFileSystemWatcher(this);
    connect(m_watcher, &QFileSystemWatcher::fileChanged, this, &BCFCacheApi::fileChanged);

    m_cacheChangeTimer = new QTimer(this);
    m_cacheChangeTimer->setSingleShot(true);
    m_cacheChangeTimer->setInterval(CacheChangeGatherMilliseconds);
    connect(m_cacheChangeTimer, &QTimer::timeout, this, &BCFCacheApi::workingCacheTouched);
    m_cacheWatcher = new QFileSystemWatcher(this);
    m_cacheWatcher->addPath(QFileInfo(QDir::cleanPath(m_store->directory())).path());
    connect(m_cacheWatcher, &QFileSystemWatcher::directoryChanged, m_cacheChangeTimer,
            qOverload<>(&QTimer::start));
}

// Our own changes touch the lock file as well; a notification that comes within the gathering
// time of one of them is taken for ours.
void BCFCacheApi::workingCacheTouched()
{
    const qint64 sinceOwnChange = QDateTime::currentMSecsSinceEpoch() - BCFCacheLock::lastReleaseInThisProcess();
    if (sinceOwnChange > 2 * CacheChangeGatherMilliseconds)
        emit workingCacheChanged();
}

BCFCacheApi::~BCFCacheApi()
{
    // Before the first getActions the list holds no history; writing it would wipe the stored one.
    if (!m_actions.isEmpty())
        saveFileHistory();
    if (m_readerThread) {
        // A load in progress finishes before the object goes.
        m_readerThread->quit();
        m_readerThread->wait();
    }
    // The menu has no parent; it owns the save and export actions. The extra action only keeps a
    // guarded pointer to it.
    delete m_saveMenu;
}

} // namespace Vexamo
