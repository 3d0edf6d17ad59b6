#pragma once

#include <QString>

namespace BCFTool {

// Output of the tool: results on stdout, messages on stderr, both UTF-8.
class Console
{
public:
    static void out(const QString& line);
    // Writes "bcftool: <message>" on stderr.
    static void error(const QString& message);
    // One progress line on stderr, rewritten in place (for a terminal only, see TerminalProgress);
    // out() and error() clear it before they write.
    static void progress(const QString& line);
    static void clearProgress();
    // Text from a file is untrusted: control characters (terminal escapes among them) are replaced,
    // so that printing a title or a comment cannot drive the terminal. Line breaks are kept only
    // when keepLineBreaks is true, otherwise they become spaces.
    static QString printable(const QString& text, bool keepLineBreaks = false);
};

} // namespace BCFTool
