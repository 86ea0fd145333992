#!/bin/sh
# The built program copied into a folder of its own and started on this test's own X server
# (no window manager): keys and clicks go in with xdotool, title bars are read with xprop.
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
# Clicks at this place of the window; with "gone", again until the window has gone (a click
# before the toolkit is ready for it is lost).
click() {
    xdotool mousemove --window "$1" "$2" "$3" click 1
    while [ $# = 4 ] && sleep 0.5 && shown "$1"; do
        xdotool mousemove --window "$1" "$2" "$3" click 1
    done
}
# The window opened now, whose title must be blank: Qt would fill an empty one.
blank() {
    w=$(window '^ $') || fail "no $1 with a blank title"
    [ "$(xprop -id "$w" _NET_WM_NAME WM_NAME | grep -c ' = " "$')" = 2 ] && echo "$w"
}

# Without the word list a message box waits for the player; Return closes it, status 1.
"$dir/tilnora" & pid=$!
box=$(window '^Tilnora$') || fail "no message box"
xdotool getwindowgeometry "$box" | grep -q 635x484 && fail "the main window, not a message"
while xdotool key Return && sleep 0.5 && shown "$box"; do :; done # early keys are lost
wait $pid
[ $? = 1 ] || fail "the status without the word list"

# With it: the window; High Score and the X button open windows with blank title bars.
cp "$2/ShortList8.txt" "$dir/"
"$dir/tilnora" & pid=$!
main=$(window '^Tilnora$') || fail "no main window"
xdotool getwindowgeometry "$main" | grep -q 635x484 || fail "main window size"
click "$main" 495 371 # High Score
record=$(blank "high-score window") || fail "high-score title"
click "$record" 153 323 gone # Close
click "$main" 626 473 # X
dialog=$(blank "exit dialog") || fail "exit dialog title"
click "$dialog" 139 95 gone # Exit the Game
wait $pid
[ $? = 0 ] || fail "the status after Exit the Game"
