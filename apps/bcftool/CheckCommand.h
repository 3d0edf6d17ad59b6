#pragma once

#include <QString>

namespace BCFTool {

// bcftool check: validates a BCF file on its raw entries (BCFLib::ArchiveValidator) and prints one
// line per problem, or with json the same as a JSON document. The schemas come from schemaFolder;
// without one the schema checks are skipped and the report says so. Returns the ExitCode: Success
// when clean, ProblemsFound, UnreadableFile, or UsageError for a schema folder that does not exist.
class CheckCommand
{
public:
    int run(const QString& path, const QString& schemaFolder, bool json);
};

} // namespace BCFTool
