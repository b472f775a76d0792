#!/usr/bin/env bash
# The Debian package, unpacked as a user would see it after installing.
# Usage: package_test.sh CHECK WORK [ARG]
#   unpack WORK BUILD   make the package from the build folder BUILD with
#                       CPack (or take $FLYER_PACKAGE) and unpack it into
#                       WORK/root with dpkg-deb -x
#   layout WORK         the files are where a Linux user expects them
#   metadata WORK       the desktop entry, AppStream metadata and man pages
#                       validate, and show the package's version
#   game WORK           the game runs as its desktop entry says, on Xvfb,
#                       shows the ship sprite and ends with Esc and status 0
set -euo pipefail
check="$1" work="$(realpath -m "$2")"
root="$work/root"
here="$(cd "$(dirname "$0")" && pwd)"
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# The desktop entry's first value of KEY, in its [Desktop Entry] group.
entry() { sed -n '/^\[Desktop Entry\]/,/^\[/{s/^'"$1"'=//p}' "$root"/usr/share/applications/*.desktop | head -n 1; }

case "$check" in
  unpack)
    rm -rf "$work"
    mkdir -p "$work/cpack" "$root"
    deb="${FLYER_PACKAGE:-}"
    if [ -z "$deb" ]; then
      (cd "$3" && cpack -G DEB -B "$work/cpack" >"$work/cpack.log" 2>&1)
      deb="$(ls "$work"/cpack/*.deb)"
    fi
    dpkg-deb -x "$deb" "$root"
    dpkg-deb -f "$deb" Version >"$work/version"
    ;;
  layout)
    bindir="$(dirname "$(entry Exec | cut -d ' ' -f 1)")"
    want=("$bindir/flyer" "$bindir/flyer-level"
      /usr/share/flyer/{demo.lvl,tileset.bmp,ship.bmp,bullet.bmp,ships.bmp,tiled/flyer.js}
      /usr/share/man/man6/flyer.6.gz /usr/share/man/man1/flyer-level.1.gz
      /usr/share/doc/flyer/copyright /usr/share/doc/flyer/changelog.gz)
    for path in "${want[@]}"; do [ -f "$root$path" ] || fail "$path is missing"; done
    [ "$(entry Path)" = /usr/share/flyer ] || fail "Path= is '$(entry Path)', not /usr/share/flyer"
    grep -qF "\"bin\": \"$bindir\"" "$root/usr/share/flyer/tiled/installed.json" ||
      fail "the Tiled extension looks for the programs elsewhere: $(cat "$root/usr/share/flyer/tiled/installed.json")"
    id="$(basename "$root"/usr/share/applications/*.desktop .desktop)"
    [ -f "$root/usr/share/metainfo/$id.metainfo.xml" ] || fail "no metainfo for $id"
    [ "$(entry Icon)" = "$id" ] || fail "Icon= is not the application id $id"
    for size in 16 32 48 64 128 256; do
      icon="$root/usr/share/icons/hicolor/${size}x${size}/apps/$id.png"
      file "$icon" | grep -q "PNG image data, $size x $size, 8-bit/color RGBA" ||
        fail "$icon: $(file -b "$icon" 2>&1)"
    done
    ;;
  metadata)
    version="$(cat "$work/version")"
    desktop-file-validate "$root"/usr/share/applications/*.desktop || fail "desktop-file-validate"
    appstreamcli validate --no-net "$root"/usr/share/metainfo/*.xml >"$work/appstream.log" ||
      fail "appstreamcli: $(cat "$work/appstream.log")"
    grep -q "<release version=\"$version\"" "$root"/usr/share/metainfo/*.xml || fail "no release $version in the metainfo"
    for page in man6/flyer.6.gz man1/flyer-level.1.gz; do
      warnings="$(MANWIDTH=80 man --warnings -l "$root/usr/share/man/$page" 2>&1 >/dev/null)"
      [ -z "$warnings" ] || fail "$page: $warnings"
      zcat "$root/usr/share/man/$page" | head -n 1 | grep -q "\"flyer $version\"" || fail "$page does not show $version"
    done
    ;;
  game)
    data="$root$(entry Path)"
    read -r -a argv <<<"$(entry Exec)"
    for i in "${!argv[@]}"; do case "${argv[$i]}" in /*) argv[$i]="$root${argv[$i]}" ;; esac done
    [ "${argv[2]}" = 1024 ] || fail "the entry does not start the game at 1024: ${argv[*]}"
    # shellcheck source=../../scripts/lib/xvfb.sh
    . "$here/../../scripts/lib/xvfb.sh"
    XVFB_PID="" game=""
    trap '[ -n "$game" ] && kill -9 "$game" 2>/dev/null; [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null' EXIT
    start_xvfb 1024x768 "$work"
    (cd "$data" && exec "${argv[@]}" >"$work/game.out" 2>&1) &
    game=$!
    # The ship at the centre of the screen in its hull colour (assets/ship.shapes)
    # shows that ship.bmp was read from the data folder; without it the ship
    # is a plain square.
    hull=""
    for _ in $(seq 100); do
      kill -0 "$game" 2>/dev/null || break
      hull="$(xwd -root -silent | convert xwd:- -crop 48x48+488+360 txt:- 2>/dev/null | grep -ci '#8EA4CC' || true)"
      [ "${hull:-0}" -gt 0 ] && break
      sleep 0.1
    done
    xdotool key Escape
    status=0
    wait "$game" || status=$?
    game=""
    [ "$status" -eq 0 ] || fail "status $status: $(cat "$work/game.out")"
    [ ! -s "$work/game.out" ] || fail "the game printed: $(cat "$work/game.out")"
    [ "${hull:-0}" -gt 0 ] || fail "no ship sprite at the centre of the screen"
    ;;
  *)
    fail "unknown check $check"
    ;;
esac
