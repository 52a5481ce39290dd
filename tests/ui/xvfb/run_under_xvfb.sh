#!/bin/sh
# run_under_xvfb.sh TESTS PROGRAM: the real-input tests on an Xvfb screen of 1366x768, then the
# real program on a 1366x768 screen and on a 1600x1000 screen at 200 %: its title screen must lie
# within the screen, and Ctrl+Q, pressed through the X server, must end it. Exit code 77 (skipped)
# where Xvfb or xdotool is missing.
set -u
tests="$1"
program="$2"
for tool in xvfb-run Xvfb xauth xdotool; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "skipped: $tool is not installed (make deps installs it)"
        exit 77
    fi
done
here=$(dirname "$0")

xvfb-run -a -s "-screen 0 1366x768x24" env QT_QPA_PLATFORM=xcb "$tests" || exit 1
for screen in "1366 768 1" "1600 1000 2"; do
    set -- $screen
    xvfb-run -a -s "-screen 0 ${1}x${2}x24" sh "$here/real_program.sh" "$program" "$1" "$2" "$3" || exit 1
done
