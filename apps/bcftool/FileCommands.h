#pragma once

#include <QString>

namespace BCFTool {

class LoadedDocument;

// The commands on BCF files that do not touch the working cache: info and convert (check has its
// own CheckCommand).
// Each returns an ExitCode.
class FileCommands
{
public:
    int info(const QString& path, bool json);
    int convert(const QString& input, const QString& output, const QString& version);

private:
    // Reads path; prints the reason and returns false when the file cannot be used.
    bool load(const QString& path, LoadedDocument& document);
    void printJson(const QString& path, const LoadedDocument& document);
    void printText(const QString& path, const LoadedDocument& document);
};

} // namespace BCFTool
