#!/bin/sh
# The Debian package as a player gets it. cpack packs this build; the package must hold the
# programs, the data, the man pages, the AppStream entry and the icons, and nothing outside /usr;
# then, unpacked into a temporary root away from the source tree, both programs must play on the
# data unpacked beside them.
#   package_test.sh BUILD_DIR VERSION
build=$1
version=$2
for tool in cpack dpkg-deb dpkg-shlibdeps; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "skipped: $tool is not installed (make deps installs dpkg-dev)"
    exit 77
  fi
done
unset DISPLAY WAYLAND_DISPLAY TEIJINKI_DATA
work=$(mktemp -d "${TMPDIR:-/tmp}/teijinki-package-XXXXXX") || exit 1
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

if ! cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1; then
  cat "$work/cpack.log"
  exit 1
fi
deb="$work/out/teijinki_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || { fail "no $(basename "$deb") made"; ls "$work/out"; exit 1; }
echo "package: $(basename "$deb"), $(stat -c %s "$deb") bytes"

# The control fields: the version, the libraries found in the binaries, the soundfont and font.
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "Version is $(dpkg-deb -f "$deb" Version)"
[ "$(dpkg-deb -f "$deb" Section)" = "games" ] || fail "Section is not games"
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for wanted in "libc6" "libqt6widgets6" "libfluidsynth3" "timgm6mb-soundfont | fluid-soundfont-gm" "fonts-noto-cjk"; do
  case "$depends" in *"$wanted"*) ;; *) fail "Depends lacks $wanted" ;; esac
done

# The listing.
dpkg-deb -c "$deb" | awk '{print $6}' >"$work/contents"
for path in ./usr/bin/teijinki ./usr/bin/teijinki-sim \
    ./usr/share/teijinki/data/ini/Text.ini ./usr/share/teijinki/data/ini/Command.ini ./usr/share/teijinki/data/save/ \
    ./usr/share/teijinki/data/icons/teijinki.png \
    ./usr/share/man/man6/teijinki.6.gz ./usr/share/man/man6/teijinki-sim.6.gz \
    ./usr/share/applications/teijinki.desktop ./usr/share/metainfo/io.github.teijinki.teijinki.metainfo.xml; do
  grep -qxF "$path" "$work/contents" || fail "the package lacks $path"
done
for size in 16 24 32 48 64 128 256; do
  grep -qxF "./usr/share/icons/hicolor/${size}x${size}/apps/teijinki.png" "$work/contents" || fail "no ${size}x${size} icon"
done
grep -qv -e '^\./$' -e '^\./usr/' "$work/contents" && fail "files outside /usr: $(grep -v -e '^\./$' -e '^\./usr/' "$work/contents" | head -3)"
# A game played in the source tree's data must not ship its working files or slots.
grep -qE '/data/ini/(busv|gunsv|Kunisv|Cmtsv)\.ini$|kodarn\.log$|/data/save/.' "$work/contents" && fail "working files or save slots shipped"

# Unpacked into a temporary root, as dpkg would install it, but not where it was built for.
root="$work/root"
dpkg -x "$deb" "$root" || exit 1
for size in 16 24 32 48 64 128 256; do
  width=$(od -An -tu1 -j16 -N4 "$root/usr/share/icons/hicolor/${size}x${size}/apps/teijinki.png" | awk '{print $1*16777216 + $2*65536 + $3*256 + $4}')
  [ "$width" = "$size" ] || fail "the ${size}x${size} icon is $width pixels wide"
done
# A mark in the unpacked data shows which data a game folder was copied from: the source tree's
# own data folder, also compiled in, must not be what the unpacked programs find.
: >"$root/usr/share/teijinki/data/unpacked-mark"
mkdir "$work/play"
(cd "$work/play" && "$root/usr/bin/teijinki-sim" --dir game --seed 1 --years 2 --quiet >"$work/sim.out" 2>&1)
status=$?
[ "$status" -eq 0 ] || { fail "teijinki-sim from the package: status $status"; tail -5 "$work/sim.out"; }
[ -f "$work/play/game/unpacked-mark" ] || fail "teijinki-sim did not fill its game folder from the unpacked data"
[ -f "$work/play/game/ini/busv.ini" ] || fail "teijinki-sim played no year in the unpacked package"
[ "$("$root/usr/bin/teijinki-sim" --version)" = "teijinki-sim $version" ] || fail "teijinki-sim --version"

# The desktop program started as the menu starts it (no argument, from a folder without a game):
# the per-user game folder is filled from the unpacked data and the title screen is drawn.
(cd "$work/play" && XDG_DATA_HOME="$work/xdg" QT_QPA_PLATFORM=offscreen TEIJINKI_STARTUP_TIMING=1 \
  "$root/usr/bin/teijinki" >"$work/desktop.out" 2>&1)
status=$?
[ "$status" -eq 0 ] || { fail "teijinki from the package: status $status"; cat "$work/desktop.out"; }
grep -q "title screen shown" "$work/desktop.out" || fail "teijinki from the package drew no title screen"
[ -f "$work/xdg/teijinki/unpacked-mark" ] || fail "teijinki did not fill \$XDG_DATA_HOME/teijinki from the unpacked data"

# The man pages: groff finds nothing to warn about, and each names every option --help lists.
for page in teijinki teijinki-sim; do
  zcat "$root/usr/share/man/man6/$page.6.gz" >"$work/$page.6"
  if command -v groff >/dev/null 2>&1; then
    warnings=$(groff -man -Tutf8 -ww -z "$work/$page.6" 2>&1)
    [ -z "$warnings" ] || fail "$page.6: $warnings"
  else
    echo "note: groff is not installed, so the man pages' markup is not checked"
  fi
  sed 's/\\-/-/g' "$work/$page.6" >"$work/$page.text"
  for option in $("$root/usr/bin/$page" --help | grep -oE -- '--[a-z]+' | sort -u); do
    grep -qF -- "$option" "$work/$page.text" || fail "$page(6) does not describe $option"
  done
  grep -qF "teijinki $version" "$work/$page.6" || fail "$page(6) does not carry version $version"
done

[ "$failures" -eq 0 ] && echo "package: all as expected"
[ "$failures" -eq 0 ]
