#!/usr/bin/env bash
# Installs what is needed, builds Ardenvo and installs it for everyday use. With no argument: as
# the Debian package "ardenvo" (made by cpack, installed with apt-get, through sudo when not root).
# With a PREFIX: `cmake --install` into that folder, the programs in PREFIX/bin and their files,
# menu entries, icons, file types and man pages under PREFIX/share.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/install-deps.sh
# Built as Debian builds its packages: with the flags of dpkg-buildflags, hardening and all.
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DARDENVO_DEBIAN_BUILDFLAGS=ON
cmake --build build -j "$(nproc)"

if [ $# -ge 1 ]; then
    prefix=$1
    cmake --install build --prefix "$prefix"
    # The package's scripts do this for /usr; a prefix such as ~/.local needs it done here.
    update-mime-database "$prefix/share/mime" >/dev/null 2>&1 || true
    update-desktop-database -q "$prefix/share/applications" >/dev/null 2>&1 || true
    echo "Installed into $prefix: start $prefix/bin/ardenvo"
    exit 0
fi

(cd build && cpack -G DEB)
deb="$PWD/build/ardenvo_1.2_$(dpkg --print-architecture).deb"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y "$deb"
echo "Installed the package from $deb: Ardenvo is in the desktop's menu"
