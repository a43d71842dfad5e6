#pragma once

namespace ardenvo {

// The tray program from its command line to its end; gives the exit code.
int runArdenvoReminder(int argc, char** argv);

} // namespace ardenvo
