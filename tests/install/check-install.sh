#!/usr/bin/env bash
# Installs the build into a fresh prefix and checks the layout: the game with its word list
# and sounds in one folder, a launcher on bin that starts it, a valid desktop entry whose
# Exec line is that launcher, and the icon in the hicolor theme.
set -euo pipefail
build=${1:?usage: check-install.sh BUILD_DIR}
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

fail() { echo "check-install: $*" >&2; exit 1; }
game=$prefix/libexec/tilnora
[ -x "$game/tilnora" ] || fail "no game in libexec/tilnora"
[ -s "$game/ShortList8.txt" ] || fail "no word list beside the game"
[ -x "$prefix/bin/tilnora" ] || fail "no launcher in bin"
desktop=$prefix/share/applications/io.github.tilnora.Tilnora.desktop
[ -f "$desktop" ] || fail "no desktop entry"
desktop-file-validate "$desktop" || fail "desktop entry does not validate"
grep -qx "Exec=$prefix/bin/tilnora" "$desktop" || fail "Exec line does not name the launcher"
for f in click correct wrong clear warning levelup gameend; do
    [ -s "$game/sound/$f.wav" ] || fail "no sound/$f.wav beside the game"
done
icon=$prefix/share/icons/hicolor/32x32/apps/io.github.tilnora.Tilnora.png
[ -s "$icon" ] || fail "no icon in the hicolor theme"
echo "check-install: layout in order"
