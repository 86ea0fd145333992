#!/bin/sh
# The built program on this test's X server (no window manager), driven by xdotool and xprop.
set -u
dir=$(mktemp -d) && trap 'kill $pid 2>/dev/null; rm -rf "$dir"' EXIT && cp "$1" "$dir/tilnora"
fail() { echo "FAIL: $*" && exit 1; }
# The visible window of the game with this title (not the main one), focused.
window() {
    w=$(timeout 20 xdotool search --sync --onlyvisible --all --pid $pid --name "$1" |
        grep -vx "${main:-0}" | head -1)
    [ -n "$w" ] && xdotool windowfocus --sync "$w" && echo "$w"
}
shown() { xwininfo -id "$1" 2>/dev/null | grep -q IsViewable; }
# Clicks at this place; with "gone", again until the window has gone (early clicks are lost).
click() { xdotool mousemove --window $1 $2 $3 click 1; [ $# = 3 ] || { sleep 0.5; ! shown $1 || click "$@"; }; }
# The window opened now, if its title is blank (Qt would fill an empty one).
blank() { w=$(window '^ $') && echo $w && [ "$(xprop -id $w WM_NAME _NET_WM_NAME | grep -c ' = " "$')" = 2 ]; }

# Without the word list a message box waits for the player; Return closes it, status 1.
"$dir/tilnora" & pid=$!
box=$(window '^Tilnora$') || fail "no message box"
xdotool getwindowgeometry "$box" | grep -q 635x484 && fail "the main window, not a message"
while xdotool key Return && sleep 0.5 && shown "$box"; do :; done # early keys are lost
wait $pid; [ $? = 1 ] || fail "the status without the word list"

# With it: the window; the X button opens the exit dialog with a blank title bar.
cp "$2/ShortList8.txt" "$dir/"
"$dir/tilnora" & pid=$!
main=$(window '^Tilnora$') || fail "no main window"
xdotool getwindowgeometry "$main" | grep -q 635x484 || fail "main window size"
# What the window manager is told: a fixed size, and Motif functions and decorations without
# maximise (0x2e: resize, move, minimise, close; 0x3e: border, handles, title, menu, minimise),
# on a dialog without minimise either (0x26, 0x1e).
hints() { xprop -id "$1" WM_NORMAL_HINTS _MOTIF_WM_HINTS | tr -d '\n\t'; }
fixed() { hints "$1" | grep -q "minimum size: $2.*maximum size: $2.*= 0x3, $3, $4,"; }
fixed "$main" "635 by 484" 0x2e 0x3e || fail "main window hints: $(hints "$main")"
click "$main" 626 473 # X
dialog=$(blank) || fail "no exit dialog with a blank title"
fixed "$dialog" "279 by 190" 0x26 0x1e || fail "exit dialog hints: $(hints "$dialog")"
click "$dialog" 139 95 gone # Exit the Game
wait $pid; [ $? = 0 ] || fail "the status after Exit the Game"
