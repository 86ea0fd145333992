#!/usr/bin/env bash
# Installs the build into a fresh prefix and checks the layout it was configured for (plain, or
# the Debian package's games folders): game, word list, sounds and install mark in one folder,
# the launcher named by a valid desktop entry, valid metainfo, the icon at each size.
set -euo pipefail
build=${1:?usage: check-install.sh BUILD_DIR}
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
dir() { sed -n "s/^CMAKE_INSTALL_$1:[A-Z]*=//p" "$build/CMakeCache.txt"; }
bin=$(dir BINDIR)
game=$prefix/$(dir LIBEXECDIR)/tilnora

fail() { echo "check-install: $*" >&2; exit 1; }
[ -x "$game/tilnora" ] || fail "no game in $game"
[ -s "$game/ShortList8.txt" ] || fail "no word list beside the game"
[ -f "$game/installed" ] || fail "no install mark beside the game: scores would land there"
[ -x "$prefix/$bin/tilnora" ] || fail "no launcher in $bin"
desktop=$prefix/share/applications/io.github.tilnora.Tilnora.desktop
desktop-file-validate "$desktop" || fail "desktop entry does not validate"
grep -qx "Exec=$prefix/$bin/tilnora" "$desktop" || fail "Exec line does not name the launcher"
appstreamcli validate --no-net "$prefix/share/metainfo/io.github.tilnora.Tilnora.metainfo.xml" \
    >/dev/null || fail "metainfo does not validate"
for f in click correct wrong clear warning levelup gameend; do
    [ -s "$game/sound/$f.wav" ] || fail "no sound/$f.wav beside the game"; done
for size in 32 64 128; do
    icon=$prefix/share/icons/hicolor/${size}x$size/apps/io.github.tilnora.Tilnora.png
    # A PNG gives its width and height as big-endian words at bytes 16 and 20.
    [ "$(od -An -tu1 -j16 -N8 "$icon" 2>/dev/null | tr -s ' ')" = " 0 0 0 $size 0 0 0 $size" ] ||
        fail "no $size x $size icon in the hicolor theme"
done
echo "check-install: layout in order"
