#!/usr/bin/env bash
# Installs every Debian package Ardenvo needs to build, test and run. Safe to run again: packages
# already present are skipped. Uses sudo only when not run as root.
set -euo pipefail

packages=(
    cmake ninja-build g++ ccache pkg-config
    qt6-base-dev qt6-image-formats-plugins qt6-svg-dev
    libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev
    # tests: a display server for screenshots, and tools to look at them
    xvfb xauth imagemagick
    # tests: the inventory report's PDF is read back as text and its pictures listed
    poppler-utils
    # the fuzz targets build with clang when it is present
    clang libclang-rt-14-dev
    # installation and the Debian package: shared libraries of the package, Debian's checks of
    # it, man and lexgrog for the man pages, and the desktop's own tools that check the menu
    # entries, file types and software-centre listing
    dpkg-dev file lintian man-db
    desktop-file-utils appstream libxml2-utils shared-mime-info xdg-utils libfile-mimeinfo-perl
    # desktop notifications: a private session bus for their test; the calendar export is checked
    # against independent readers of calendar files and a calendar program
    dbus dbus-daemon python3-icalendar python3-dateutil python3-recurring-ical-events khal
    # the benchmark of one-shot commands times sqlite3 on the same rows (bench/one_shot_commands.sh)
    sqlite3
    # the daylight-saving tests run in real zones (Berlin, New York); without the zone data every
    # zone reads as UTC
    tzdata
    # the whole-house archive (File > "Export with pictures...", ardenvo-tool export) is a ZIP
    # written and read with libzip
    libzip-dev
    # documents kept with the objects: the first pages of PDFs are drawn by poppler's Qt 6 library
    libpoppler-qt6-dev
    # Wayland desktops: Qt's platform plugin for them, and a compositor without a screen that the
    # tests run both programs on
    qt6-wayland weston
    # labels: their QR codes are made by libqrencode; the tests read them back with zbarimg
    libqrencode-dev zbar-tools
    # other languages: Qt Linguist's tools make the translations at build time, and Qt's own
    # translations give the standard buttons their words
    qt6-l10n-tools qt6-translations-l10n
    # screen readers: the accessibility bus and its Python bindings walk every window in a test
    at-spi2-core python3-pyatspi gir1.2-atspi-2.0
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
