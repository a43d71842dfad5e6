#!/usr/bin/env bash
# The Debian package as `cpack -G DEB` makes it in the build folder: named for its version and
# architecture, with the shared libraries it needs and the scripts that refresh the desktop's
# caches; unpacked into a temporary root, the programs run from there.
# Usage: package-test.sh BUILD_DIR
set -euo pipefail
build=$1
. "$(dirname "$0")/installed-tree.sh"

work=$(mktemp -d)
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
chmod 755 "$work"
# The package is made in the test's own folder, so the build folder keeps no trace of the run.
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 ||
    fail "cpack: $(cat "$work/cpack.log")"
deb="$work/out/ardenvo_1.2_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || fail "no $(basename "$deb"): $(ls "$work/out")"

[ "$(dpkg-deb -f "$deb" Package)" = ardenvo ] || fail "package name"
[ "$(dpkg-deb -f "$deb" Version)" = 1.2 ] || fail "package version"
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libqt6widgets6 libqt6gui6 libqt6core6 libc6 qt6-image-formats-plugins qt6-wayland; do
    grep -q "$lib" <<<"$depends" || fail "Depends lacks $lib: $depends"
done
dpkg-deb -e "$deb" "$work/control"
for script in postinst postrm; do
    [ -x "$work/control/$script" ] || fail "no $script"
    sh -n "$work/control/$script" || fail "$script is not valid sh"
    for tool in update-desktop-database update-mime-database gtk-update-icon-cache; do
        grep -q "$tool" "$work/control/$script" || fail "$script does not run $tool"
    done
done
outside=$(dpkg-deb -c "$deb" | awk '{ print $6 }' | grep -v '^\./usr/' | grep -v '^\./$' || true)
[ -z "$outside" ] || fail "files outside /usr: $outside"

# What Debian asks of a package, by lintian, every tag down to the informational ones. A build
# not configured as scripts/install.sh configures it lacks Debian's compiler flags, so only its
# hardening is left out of the check.
if command -v lintian >/dev/null 2>&1; then
    tags=$(lintian --display-info --tag-display-limit 0 "$deb" 2>&1 | grep '^[EWI]:' || true)
    if ! grep -q '^ARDENVO_DEBIAN_BUILDFLAGS:BOOL=ON$' "$build/CMakeCache.txt"; then
        echo "package-test: $build is not built with dpkg-buildflags; hardening is not checked"
        tags=$(grep -v ' hardening-no-' <<<"$tags" || true)
    fi
    [ -z "$tags" ] || fail "lintian: $tags"
else
    echo "package-test: lintian is not installed (Debian package lintian); not checked"
fi
contents=$(dpkg-deb -c "$deb")
for doc in copyright changelog.gz; do
    grep -q " \./usr/share/doc/ardenvo/$doc\$" <<<"$contents" || fail "no /usr/share/doc/ardenvo/$doc"
done

dpkg-deb -x "$deb" "$work/root"
grep -q '^License: GPL-3.0-or-later$' "$work/root/usr/share/doc/ardenvo/copyright" ||
    fail "the copyright file states no licence"
check_installed_files "$work/root/usr"
check_file_types "$work/root/usr" "$work"
chmod a-w "$work/root/usr/bin" # as /usr/bin is for a user
check_programs_run "$work/root/usr" "$work" "$(user_without_write_access "$work")"
echo "package $(basename "$deb") checked"
