#!/usr/bin/env bash
# Runs inside the clean Debian root of scripts/test-package: starts the installed
# telvan-terminal on a virtual screen, waits for its first window, checks that the window has
# the program's icon, saves a picture of the screen to $1 and closes the window with Escape.
# Exit 0 when the program showed its window, closed with status 0 and printed nothing.
set -euo pipefail
picture=$1
title="COM Port Configuration"

fail() {
    echo "test-package: $*" >&2
    [[ -s /tmp/terminal.err ]] && sed 's/^/  telvan-terminal: /' /tmp/terminal.err >&2
    exit 1
}

# Polls a condition every 0.2 s for at most the given seconds.
wait_for() {
    local seconds=$1
    shift
    for ((i = 0; i < seconds * 5; i++)); do
        "$@" && return 0
        sleep 0.2
    done
    return 1
}

export DISPLAY=:7 XDG_RUNTIME_DIR=/tmp/runtime
mkdir -p -m 700 "$XDG_RUNTIME_DIR"
mkdir -p /tmp/screen
Xvfb "$DISPLAY" -screen 0 1024x768x24 -fbdir /tmp/screen -nolisten tcp 2>/tmp/xvfb.log &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null || true' EXIT
wait_for 30 xdpyinfo >/dev/null 2>&1 || fail "the virtual screen did not start: $(cat /tmp/xvfb.log)"

telvan-terminal 2>/tmp/terminal.err &
terminal=$!
find_window() {
    window=$(xdotool search --onlyvisible --name "^$title\$" 2>/dev/null | head -n 1)
    [[ -n $window ]] || { kill -0 "$terminal" 2>/dev/null || fail "telvan-terminal ended early"; return 1; }
}
wait_for 60 find_window || fail "no \"$title\" window within 60 s"
echo "window \"$title\" is up ($(xwininfo -id "$window" | grep -E 'Width|Height' | tr -s ' ' | tr '\n' ' '))"

# The icon property starts with the icon's width and height.
icon=$(xprop -id "$window" -len 16 -f _NET_WM_ICON 32c _NET_WM_ICON)
[[ $icon =~ =\ ([0-9]+),\ ([0-9]+) ]] || fail "the window has no icon: $icon"
echo "window icon: ${BASH_REMATCH[1]}x${BASH_REMATCH[2]}; $(xprop -id "$window" WM_CLASS)"

# The dialog paints once it is mapped; give it a moment before taking the picture.
sleep 1
xwdtopnm /tmp/screen/Xvfb_screen0 2>/dev/null | pnmtopng >"$picture"

xdotool windowfocus --sync "$window" key Escape
wait_for 30 eval '! kill -0 "$terminal" 2>/dev/null' || fail "telvan-terminal did not close on Escape"
wait "$terminal" || fail "telvan-terminal exited with status $?"
[[ ! -s /tmp/terminal.err ]] || fail "telvan-terminal printed errors"
echo "telvan-terminal closed with status 0 and printed nothing"
