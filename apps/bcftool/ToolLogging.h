#pragma once

namespace BCFTool {

// Keeps the tool's stderr readable: Qt's own debug and warning messages are dropped unless the
// environment variable BCFTOOL_DEBUG is set (then they pass through unchanged), and the library's
// log4cplus messages (the BCF 1.0 exporter) are printed as "bcftool: WARN: ..." lines.
class ToolLogging
{
public:
    static void install();
};

} // namespace BCFTool
