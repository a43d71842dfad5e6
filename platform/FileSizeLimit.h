#pragma once

namespace ardenvo {

// Called first thing by every program. A write beyond the file-size limit (ulimit -f) then fails
// with "File too large", so a save reports it and removes its temporary file, instead of the
// kernel ending the program (and the user's unsaved changes) with SIGXFSZ.
void ignoreFileSizeLimitSignal();

} // namespace ardenvo
