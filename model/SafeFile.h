#pragma once

// The safe file replacement lives in platform/posix now; this name stays only until the tool's
// sources include it from there.
#include "platform/posix/SafeFile.h"
