#pragma once

#include <QMutex>
#include <QStringList>

namespace BCFTool {

// While it lives, every BCF file the model library writes (convert, save) reports on stderr what
// the target version could not hold or what was changed to make the file valid, one line per kind
// and topic, and the reason when the write failed (a full disk, a read-only folder, ...).
// The model may write on a worker thread; the report is printed from there.
class WriteReportPrinter
{
public:
    WriteReportPrinter();
    ~WriteReportPrinter();
    WriteReportPrinter(const WriteReportPrinter&) = delete;
    WriteReportPrinter& operator=(const WriteReportPrinter&) = delete;

    // From holdNotes on, the lines of what was left out or changed are kept instead of printed,
    // until releaseNotes prints those that shownText does not hold already: for a caller whose write
    // may show the same list (or its first lines) in a message box of its own. Failures are printed
    // at once either way.
    void holdNotes();
    void releaseNotes(const QString& shownText);

private:
    static void printNote(const QString& note);

    QMutex m_mutex;
    bool m_holding = false;
    QStringList m_held; // the notes' texts
};

} // namespace BCFTool
