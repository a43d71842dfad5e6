#include "platform/ProgramVersion.h"

namespace ardenvo {

const char* const kProgramVersion = ARDENVO_VERSION;

} // namespace ardenvo
