#!/usr/bin/env bash
# `cmake --install` into a temporary prefix, as a user installs Ardenvo from source: everything is
# there and valid, the desktop recognises the file types, and the programs run from the prefix and
# find what they ship. Usage: install-test.sh BUILD_DIR
set -euo pipefail
build=$1
. "$(dirname "$0")/installed-tree.sh"

work=$(mktemp -d)
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
chmod 755 "$work" # another user runs the programs below
prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null || fail "cmake --install"

check_installed_files "$prefix"
check_file_types "$prefix" "$work"

# A prefix the user cannot write (as /usr): the Images folder goes to the user's data folder.
chmod a-w "$prefix/bin"
check_programs_run "$prefix" "$work" "$(user_without_write_access "$work")"
# A prefix of the user's own (a portable copy): it is kept beside the programs.
chmod u+w "$prefix/bin"
check_programs_run "$prefix" "$work"

# Without its shipped files the main program still runs, and says which it could not find.
mkdir -p "$work/bare/bin"
cp "$prefix/bin/ardenvo" "$work/bare/bin/"
make_home "$work/bare-home"
errors=$(in_home "$work/bare-home" "$work/bare/bin/ardenvo" --screenshot "$work/bare.png" 2>&1) ||
    fail "ardenvo without its files: $errors"
for name in splash.jpg help/index.html '\*.av'; do
    grep -q "shipped file $name " <<<"$errors" || fail "no word of a missing $name: $errors"
done
echo "installation checked in $prefix"
