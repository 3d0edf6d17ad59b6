#pragma once

namespace BCFTool {

// Ctrl-C (SIGINT) and SIGTERM end bcftool at once, with "bcftool: interrupted" and exit status 130.
// Stopping anywhere is safe: every change of the working cache is made whole or not at all (a topic
// file is replaced by a rename, an opened document is swapped in by a rename of directories), a
// lock the tool held is taken over by the next program because its process is gone, and the side
// directory of an interrupted open is removed the next time the working cache is used. Files being
// saved are written to a temporary file first, so the target stays as it was.
void installInterruptHandler();

} // namespace BCFTool
