#pragma once

namespace ardenvo {

// The main program from start to end: command line, working directory, main window, splash,
// the Choose dialog, the event loop. Returns the process's exit code.
int runArdenvo(int argc, char** argv);

} // namespace ardenvo
