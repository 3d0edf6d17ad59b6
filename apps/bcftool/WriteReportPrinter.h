#pragma once

namespace BCFTool {

// While it lives, every BCF file the model library writes (convert, save) reports on stderr what
// the target version could not hold or what was changed to make the file valid, one line per kind
// and topic, and the reason when the write failed (a full disk, a read-only folder, ...).
class WriteReportPrinter
{
public:
    WriteReportPrinter();
    ~WriteReportPrinter();
    WriteReportPrinter(const WriteReportPrinter&) = delete;
    WriteReportPrinter& operator=(const WriteReportPrinter&) = delete;
};

} // namespace BCFTool
