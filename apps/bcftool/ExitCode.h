#pragma once

namespace BCFTool {

// The exit status of bcftool; documented in --help and in the README.
enum ExitCode {
    Success = 0,
    ProblemsFound = 1,  // check: the file was read, with problems
    UnreadableFile = 2, // missing, unreadable or invalid BCF file
    NotCarriedOut = 3,  // the command could not be done: unwritable output, unknown topic, ...
    UsageError = 64,    // bad command line (EX_USAGE)
};

} // namespace BCFTool
