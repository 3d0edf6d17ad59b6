#pragma once

namespace BCFTool {

class CommandLine;

// Runs one parsed command: sets up what every command needs (message box answers, progress on a
// terminal) and hands the command to its group. Returns the ExitCode.
class CommandDispatcher
{
public:
    int run(const CommandLine& commandLine);
};

} // namespace BCFTool
