#include "CacheCommands.h"

#include "Console.h"
#include "ExitCode.h"
#include "MessageBoxPrinter.h"
#include "TopicFormatter.h"
#include "WriteReportPrinter.h"

#include "BCFapi/BCFCacheApi.h"
#include "BCFapi/BCFKeys.h"
#include "QtTools/FileDialogs.h"

#include <QAction>
#include <QDateTime>
#include <QEventLoop>
#include <QFileInfo>
#include <QMenu>

namespace BCFTool {

using namespace Vexamo;

namespace {

// Answers the library's save dialogs with path and cancels any other dialog, for as long as
// the object lives.
class SaveDialogAnswer
{
public:
    explicit SaveDialogAnswer(const QString& path)
    {
        QtTools::setFileDialogAnswerer([path](const QtTools::FileDialogRequest& request) {
            return request.kind == QtTools::FileDialogRequest::Save ? path : QString();
        });
    }
    ~SaveDialogAnswer() { QtTools::setFileDialogAnswerer(QtTools::FileDialogAnswerer()); }
    SaveDialogAnswer(const SaveDialogAnswer&) = delete;
    SaveDialogAnswer& operator=(const SaveDialogAnswer&) = delete;
};

// The save command is the save drop-down itself (the document in its own version); its menu holds
// "Save to BCF 2.1...", "Save to BCF 3.0...", "Save as..." and "Export to BCF 1.0...".
QAction* saveMenuCommand(BCFCacheApi& api, const QString& text)
{
    QAction* extra = api.getExtraAction();
    if (!extra || !extra->menu())
        return nullptr;
    const QList<QAction*> actions = extra->menu()->actions();
    for (QAction* action : actions) {
        if (action->text() == text)
            return action;
    }
    return nullptr;
}

} // namespace

CacheCommands::CacheCommands(MessageBoxPrinter& boxes, WriteReportPrinter& writeReports)
    : m_boxes(boxes)
    , m_writeReports(writeReports)
{
}

int CacheCommands::open(const QString& path)
{
    const QFileInfo info(path);
    if (!info.isFile()) {
        Console::error(QStringLiteral("%1: %2").arg(Console::printable(path),
                                                    info.exists() ? QStringLiteral("not a file")
                                                                  : QStringLiteral("no such file")));
        return UnreadableFile;
    }

    BCFCacheApi api;
    // The load and the copy into the cache run on the reader thread and end on this one: with
    // opened(entry) when the file was installed in the cache, or with an error box and no signal
    // when it was refused.
    QEventLoop loop;
    bool loaded = false;
    bool failed = false;
    QObject::connect(&api, &BCFapi::opened, &loop, [&](QAction* entry) {
        if (entry) {
            loaded = true;
            loop.quit();
        }
    });
    QObject::connect(&m_boxes, &MessageBoxPrinter::answered, &loop, [&](const QString& title) {
        // The report of losses comes before the document is copied into the cache (on the reader
        // thread); every other box of an open is its failure.
        if (title == QLatin1String("BCF file opened with losses"))
            return;
        QMetaObject::invokeMethod(
            &loop, [&] {
                if (!loaded) {
                    failed = true;
                    loop.quit();
                }
            },
            Qt::QueuedConnection);
    });

    if (!api.openBCFFile(info.absoluteFilePath()))
        return UnreadableFile;
    loop.exec();
    if (failed || !loaded)
        return UnreadableFile;

    const int count = api.topicIds().size();
    Console::out(QStringLiteral("Opened %1: %2 topic(s) in the working cache").arg(Console::printable(path)).arg(count));
    return Success;
}

int CacheCommands::topics()
{
    BCFCacheApi api;
    // Slices keep the memory to a few topics, whatever the size of the document.
    const QStringList ids = api.topicIds();
    const int sliceSize = 64;
    for (int first = 0; first < ids.size(); first += sliceSize) {
        const QStringList slice = ids.mid(first, sliceSize);
        const QVariantList topics = api.getTopics(slice);
        for (int i = 0; i < topics.size(); ++i) {
            const QVariantMap topic = topics.at(i).toMap();
            Console::out(!topic.isEmpty() ? TopicFormatter::summaryLine(api, topic)
                                          : QStringLiteral("%1  damaged: %2").arg(slice.value(i), api.topicFileError(slice.value(i))));
        }
    }
    return Success;
}

QString CacheCommands::findTopic(const BCFCacheApi& api, const QString& name) const
{
    // Topic directories are named by their topic's guid: the names alone answer, without reading
    // a topic file.
    const QStringList ids = api.topicIds();
    QStringList matches;
    for (const QString& id : ids) {
        if (id.startsWith(name))
            matches.append(id);
    }
    if (ids.contains(name))
        matches = QStringList{name};
    if (matches.isEmpty()) {
        // A topic whose directory bears another name is still found by the guid in its record.
        const QVariantList topics = api.getTopic(QString());
        for (const QVariant& topic : topics) {
            const QString guid = topic.toMap().value(BCFKeys::Guid).toString();
            if (guid == name)
                return guid;
            if (guid.startsWith(name))
                matches.append(guid);
        }
    }
    if (matches.size() == 1) {
        // A topic file that cannot be read is named, with the reason, rather than shown empty.
        const QString damage = api.topicFileError(matches.first());
        if (damage.isEmpty())
            return matches.first();
        Console::error(QStringLiteral("topic %1 is damaged: %2").arg(Console::printable(matches.first()), damage));
        return QString();
    }
    if (matches.isEmpty())
        Console::error(QStringLiteral("no topic '%1' in the working cache (see 'bcftool topics')").arg(Console::printable(name)));
    else
        Console::error(QStringLiteral("'%1' names %2 topics; give more of the guid").arg(Console::printable(name)).arg(matches.size()));
    return QString();
}

int CacheCommands::show(const QString& topicName)
{
    BCFCacheApi api;
    const QString topicId = findTopic(api, topicName);
    if (topicId.isEmpty())
        return NotCarriedOut;
    const QStringList lines = TopicFormatter::details(api, api.getSingleTopic(topicId, QString()));
    for (const QString& line : lines)
        Console::out(line);
    return Success;
}

QString CacheCommands::defaultAuthor()
{
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty())
        user = qEnvironmentVariable("USERNAME");
    return user.isEmpty() ? QStringLiteral("bcftool") : user;
}

int CacheCommands::comment(const QString& topicName, const QString& text, const QString& author)
{
    BCFCacheApi api;
    const QString topicId = findTopic(api, topicName);
    if (topicId.isEmpty())
        return NotCarriedOut;

    QVariantMap record;
    record.insert(BCFKeys::Comment, text);
    record.insert(BCFKeys::Author, author.isEmpty() ? defaultAuthor() : author);
    record.insert(BCFKeys::Date, QDateTime::currentDateTimeUtc().toString(Qt::ISODate));
    const QString commentId = api.createComment(topicId, record, QString());
    if (commentId.isEmpty() || api.getSingleComment(topicId, commentId, QString()).isEmpty()) {
        const QString reason = api.workingCacheError();
        Console::error(QStringLiteral("the comment could not be stored in the working cache%1")
                           .arg(reason.isEmpty() ? QString() : QStringLiteral(": ") + reason));
        return NotCarriedOut;
    }
    Console::out(QStringLiteral("Added comment %1 to topic %2").arg(commentId, topicId));
    return Success;
}

int CacheCommands::save(const QString& path, const QString& version)
{
    BCFCacheApi api;
    QAction* command = version.isEmpty() ? api.getExtraAction()
                                         : saveMenuCommand(api, QStringLiteral("Save to BCF %1...").arg(version));
    if (!command)
        return NotCarriedOut;

    bool saved = false;
    QObject::connect(&api, &BCFapi::saved, [&saved](QAction*) { saved = true; });
    // A save that converts the document (a 3.0 document saved as 2.1) lists what was left out in a
    // box of its own (the first lines of a long list); the write's own lines are printed only where
    // the box did not show them.
    QString shownText;
    const QMetaObject::Connection boxWatch = QObject::connect(
        &m_boxes, &MessageBoxPrinter::answered, [&shownText](const QString& title, const QString& text) {
            if (title == QLatin1String("Save BCF") && text.contains(QLatin1String("left out or changed")))
                shownText += text;
        });
    m_writeReports.holdNotes();
    {
        SaveDialogAnswer answer(QFileInfo(path).absoluteFilePath());
        command->trigger();
    }
    m_writeReports.releaseNotes(shownText);
    QObject::disconnect(boxWatch);
    if (!saved) {
        Console::error(QStringLiteral("could not write %1").arg(Console::printable(path)));
        return NotCarriedOut;
    }
    Console::out(QStringLiteral("Saved %1 topic(s) to %2 (BCF %3)")
                     .arg(api.topicIds().size())
                     .arg(Console::printable(path), api.documentVersion()));
    return Success;
}

int CacheCommands::exportTo(const QString& path)
{
    BCFCacheApi api;
    QAction* command = saveMenuCommand(api, QStringLiteral("Export to BCF 1.0..."));
    if (!command)
        return NotCarriedOut;

    // The export command reports failure only with a message box.
    const int boxesBefore = m_boxes.count();
    const QString target = QFileInfo(path).absoluteFilePath();
    {
        SaveDialogAnswer answer(target);
        command->trigger();
    }
    if (m_boxes.count() != boxesBefore || !QFileInfo(target).isFile()) {
        Console::error(QStringLiteral("could not write %1").arg(Console::printable(path)));
        return NotCarriedOut;
    }
    Console::out(QStringLiteral("Exported %1 topic(s) to %2 (BCF 1.0)")
                     .arg(api.topicIds().size())
                     .arg(Console::printable(path)));
    return Success;
}

} // namespace BCFTool
