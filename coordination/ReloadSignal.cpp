#include "coordination/ReloadSignal.h"

namespace ardenvo {

void signalReload() {
    NamedEvent::set(reloadEventName);
}

} // namespace ardenvo
