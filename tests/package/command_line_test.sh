#!/bin/sh
# Both programs' command lines with no display at all: --help and --version print and leave,
# and a mistake gets a usage line on standard error and exit status 2.
#   command_line_test.sh BUILD_DIR VERSION
bin=$1
version=$2
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM TEIJINKI_DATA
work=$(mktemp -d "${TMPDIR:-/tmp}/teijinki-cli-XXXXXX") || exit 1
trap 'rm -rf "$work"' EXIT
failures=0

# expect STATUS STREAM TEXT PROGRAM ARGS...: the program leaves with STATUS and TEXT (fixed
# text) is on STREAM (out or err).
expect() {
  want_status=$1 stream=$2 text=$3 program=$4
  shift 4
  (cd "$work" && "$bin/$program" "$@" >"$work/out" 2>"$work/err")
  status=$?
  if [ "$status" -ne "$want_status" ] || ! grep -qF -- "$text" "$work/$stream"; then
    echo "FAIL: $program $* -> status $status (want $want_status), want '$text' on std$stream"
    sed 's/^/  out: /' "$work/out"
    sed 's/^/  err: /' "$work/err"
    failures=$((failures + 1))
  fi
}

expect 0 out "usage: teijinki [GAME_FOLDER]" teijinki --help
expect 0 out "TEIJINKI_SOUNDFONT" teijinki -h
expect 0 out "teijinki $version" teijinki --version
expect 0 out "teijinki $version" teijinki -platform offscreen --version
expect 0 out "teijinki $version" teijinki --platform offscreen -style=fusion -reverse --version
expect 2 err "unknown option '--bogus'" teijinki --bogus
expect 2 err "usage: teijinki" teijinki --bogus
expect 2 err "only one game folder" teijinki one two
expect 2 err "--screenshots needs a folder" teijinki --screenshots
expect 2 err "-platform needs a value" teijinki -platform
# Without any display the game says so instead of Qt's abort (the work folder holds no game).
expect 2 err "no display to open the game's windows on" teijinki

expect 0 out "usage: teijinki-sim" teijinki-sim --help
expect 0 out "teijinki-sim $version" teijinki-sim --version
expect 2 err "unknown option '--bogus'" teijinki-sim --bogus
expect 2 err "usage: teijinki-sim" teijinki-sim --bogus
expect 2 err "--scenario needs a number from 1 to 6" teijinki-sim --scenario 7
expect 2 err "--load continues the slot's own scenario" teijinki-sim --load 1 --players 1

# --version alone, one line: what scripts and the package read.
[ "$("$bin/teijinki" --version)" = "teijinki $version" ] || { echo "FAIL: teijinki --version is not one line"; failures=$((failures + 1)); }
[ -z "$(ls -A "$work" | grep -v -e '^out$' -e '^err$')" ] || { echo "FAIL: printing help made files"; ls -A "$work"; failures=$((failures + 1)); }

# --odds: each offer of the player's panel with its odds line, before the computer makes his move.
expect 0 out "--odds" teijinki-sim --help
expect 0 out "見込み：実行" teijinki-sim --dir "$work/game" --players 1 --seed 3 --years 1 --quiet --odds

[ "$failures" -eq 0 ] && echo "command lines: all as expected"
[ "$failures" -eq 0 ]
