#!/usr/bin/env bash
# Installs what is needed, builds Ardenvo and starts it with a predone house.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc)"

if [ -x build/bin/ardenvo ]; then
    exec build/bin/ardenvo "$@"
fi
# Until the main program exists, show what the sample house holds.
exec build/tools/ardenvo-tool info data/family-house.av
