#pragma once

namespace ardenvo {

// The suite's version ("1.2"), as the build names it: every program shows this one.
extern const char* const kProgramVersion;

} // namespace ardenvo
