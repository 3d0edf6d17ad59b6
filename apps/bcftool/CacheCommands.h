#pragma once

#include <QString>

namespace Vexamo {
class BCFapi;
class BCFCacheApi;
} // namespace Vexamo

namespace BCFTool {

class MessageBoxPrinter;
class WriteReportPrinter;

// The viewer's document workflow on the working cache, one step per run of the tool: each command
// constructs the BCFCacheApi the way a viewer does and drives it through its public operations
// and actions. File dialogs are answered with the paths of the command line, message boxes by
// the MessageBoxPrinter; the model's write reports go through the WriteReportPrinter. Each returns
// an ExitCode.
class CacheCommands
{
public:
    CacheCommands(MessageBoxPrinter& boxes, WriteReportPrinter& writeReports);

    int open(const QString& path);
    int topics();
    int show(const QString& topicName);
    int comment(const QString& topicName, const QString& text, const QString& author);
    // version: "2.1" or "3.0", or empty for the document's own version (3.0 for a 3.0 file).
    int save(const QString& path, const QString& version);
    int exportTo(const QString& path);

private:
    // The topic id that name stands for: the id itself or the one id that begins with name, taken
    // from the topic directories; only when none matches, the guids of the records. Prints why and
    // returns an empty string when there is none or several.
    QString findTopic(const Vexamo::BCFCacheApi& api, const QString& name) const;
    static QString defaultAuthor();

    MessageBoxPrinter& m_boxes;
    WriteReportPrinter& m_writeReports;
};

} // namespace BCFTool
