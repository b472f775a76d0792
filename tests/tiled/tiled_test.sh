#!/usr/bin/env bash
# The Tiled extension as installed by cmake --install, in Tiled run headless.
# Usage: tiled_test.sh CHECK WORK [ARG]
#   install WORK BUILD  install BUILD into WORK/prefix and the extension
#                       for a user whose configuration is WORK/config
#   link WORK           a second install says so; something in the way stays
#   demo WORK MAP       the demo map MAP exported as a level, at the origin its
#                       property gives, is the build at --origin 432,448
#   reopen WORK         levels opened and saved again keep their bytes
#   refuse WORK         a map flyer-level refuses fails with its message
set -euo pipefail
check="$1" work="$(realpath -m "$2")"
prefix="$work/prefix"
level="$prefix/bin/flyer-level"
fail() {
  echo "FAIL: $*" >&2
  exit 1
}
# Tiled finds flyer-level only as installed: no $FLYER_LEVEL, no build on $PATH.
tiled() { env -u FLYER_LEVEL -u FLYER PATH=/usr/bin:/bin XDG_CONFIG_HOME="$work/config" \
  QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$work/run" /usr/bin/tiled "$@"; }
# The file the image of a map's first tileset names.
image() { (cd "$(dirname "$1")" && realpath "$(grep -o -m 1 '<image source="[^"]*"' "$1" | cut -d '"' -f 2)"); }
mkdir -p "$work"
out="$(mktemp -d "$work/$check.XXXXXX")"

case "$check" in
  install)
    rm -rf "$work" && mkdir -p "$work/run" && chmod 700 "$work/run"
    cmake --install "$3" --prefix "$prefix" >"$work/install.log"
    XDG_CONFIG_HOME="$work/config" "$level" tiled-extension | grep -q "^linked " || fail "not linked"
    ;;
  link)
    XDG_CONFIG_HOME="$work/config" "$level" tiled-extension | grep -q "already links to $prefix/share/flyer/tiled$" ||
      fail "a second run does not see its link"
    mkdir -p "$out/tiled/extensions/flyer"
    ! XDG_CONFIG_HOME="$out" "$level" tiled-extension 2>"$out/err" || fail "replaced a folder"
    grep -q "is in the way" "$out/err" && [ -d "$out/tiled/extensions/flyer" ] || fail "$(cat "$out/err")"
    ;;
  demo)
    sed "s#\.\./build/data/tileset.bmp#$prefix/share/flyer/tileset.bmp#" "$3" >"$out/demo.tmx"
    "$level" build --tileset "$prefix/share/flyer/tileset.bmp" --map "$3" --origin 432,448 -o "$out/want.lvl"
    tiled --export-map flyer "$out/demo.tmx" "$out/demo.lvl"
    cmp "$out/want.lvl" "$out/demo.lvl" || fail "the exported demo differs"
    ;;
  reopen)
    # A tileset of its own: the default with one pixel changed.
    cp "$prefix/share/flyer/tileset.bmp" "$out/own.bmp"
    printf '\x01' | dd of="$out/own.bmp" bs=1 seek=140000 conv=notrunc status=none
    printf '1,0,3\n0,20,190\n' >"$out/own.csv"
    "$level" build --tileset "$out/own.bmp" --map "$out/own.csv" --origin 10,20 -o "$out/own.lvl" >/dev/null
    cp "$prefix/share/flyer/demo.lvl" "$out/demo.lvl"
    for name in demo own; do
      tiled --export-map flyer "$out/$name.lvl" "$out/$name-again.lvl"
      cmp "$out/$name.lvl" "$out/$name-again.lvl" || fail "$name.lvl changed when saved again"
      tiled --export-map tmx "$out/$name.lvl" "$out/$name.tmx"
      grep -q '<property name="origin" value="' "$out/$name.tmx" || fail "$name.tmx has no origin"
    done
    [ "$(image "$out/demo.tmx")" = "$prefix/share/flyer/tileset.bmp" ] || fail "demo.tmx: $(image "$out/demo.tmx")"
    [ "$(image "$out/own.tmx")" = "$out/own-tileset.bmp" ] || fail "own.tmx: $(image "$out/own.tmx")"
    cmp "$out/own.bmp" "$out/own-tileset.bmp" || fail "the copy of the level's tileset differs"
    ;;
  refuse)
    # Tile 2 flipped horizontally (0x80000002) in a 3 x 2 map.
    cat >"$out/flip.tmx" <<MAP
<map orientation="orthogonal" width="3" height="2" tilewidth="16" tileheight="16">
 <tileset firstgid="1" name="t" tilewidth="16" tileheight="16" tilecount="190" columns="19">
  <image source="$prefix/share/flyer/tileset.bmp" width="304" height="160"/>
 </tileset>
 <layer name="t" width="3" height="2"><data encoding="csv">1,2147483650,0,0,0,0</data></layer>
</map>
MAP
    ! "$level" build --tileset "$prefix/share/flyer/tileset.bmp" --map "$out/flip.tmx" -o "$out/want.lvl" 2>"$out/want"
    status=0
    tiled --export-map flyer "$out/flip.tmx" "$out/flip.lvl" 2>"$out/err" || status=$?
    [ "$status" = 1 ] || fail "status $status"
    message="$(sed 's/^flyer-level: [^ ]*:[0-9]*: //' "$out/want")"
    grep -qF "$message" "$out/err" || fail "no '$message' in: $(cat "$out/err")"
    [ ! -e "$out/flip.lvl" ] || fail "wrote flip.lvl"
    ;;
  *)
    fail "unknown check $check"
    ;;
esac
rm -rf "$out"
