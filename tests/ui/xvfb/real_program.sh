#!/bin/sh
# real_program.sh PROGRAM WIDTH HEIGHT SCALE, inside an X session of that screen size: starts the
# game in a fresh game folder at that scale, checks that its title window lies within the screen
# and ends it with Ctrl+Q.
set -u
program="$1"; width="$2"; height="$3"; scale="$4"
game=$(mktemp -d)
trap 'rm -rf "$game"' EXIT
QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR="$scale" "$program" "$game/game" >"$game/log" 2>&1 &
pid=$!
window=$(timeout 30 xdotool search --sync --onlyvisible --name '鼎陣記' | head -n 1)
if [ -z "$window" ]; then
    echo "the title window did not appear on ${width}x${height} at scale $scale"; cat "$game/log"
    kill "$pid" 2>/dev/null; exit 1
fi
sleep 1  # the window is placed when it is first shown
eval "$(xdotool getwindowgeometry --shell "$window")"
echo "title window on ${width}x${height} at scale $scale: ${WIDTH}x${HEIGHT} at ($X,$Y)"
status=0
if [ "$X" -lt 0 ] || [ "$Y" -lt 0 ] || [ $((X + WIDTH)) -gt "$width" ] || [ $((Y + HEIGHT)) -gt "$height" ]; then
    echo "the title window reaches outside the ${width}x${height} screen"; status=1
fi
xdotool windowfocus --sync "$window" key ctrl+q
for _ in 1 2 3 4 5 6 7 8 9 10; do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.5
done
if kill -0 "$pid" 2>/dev/null; then
    echo "Ctrl+Q did not end the program"; kill "$pid"; status=1
fi
wait "$pid" || { echo "the program ended with an error"; cat "$game/log"; status=1; }
exit $status
