#include "platform/FileSizeLimit.h"

#include <csignal>

namespace ardenvo {

void ignoreFileSizeLimitSignal() {
    std::signal(SIGXFSZ, SIG_IGN);
}

} // namespace ardenvo
