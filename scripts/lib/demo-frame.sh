# Sourced by scripts/play and scripts/pictures, which run it on a private X
# server from scripts/lib/xvfb.sh.
#
# demo_frame WORK BUILD LEVEL RESOLUTION FRAME OUT.png
#   Flies the scripted demo flight of scripts/lib/demo-flight.keys with
#   BUILD/flyer from BUILD/data, at fixed 20 ms frames, records it with
#   apitrace in the folder WORK and writes frame FRAME, replayed, to
#   OUT.png: every run gives the same picture. What flyer prints shows; its
#   failure, or a flight that ends before FRAME, returns 1.
demo_frame() {
  local work="$1" build="$2" level="$3" resolution="$4" frame="$5" out="$6" keys swap
  keys="$(grep -v '^#' "$(dirname "${BASH_SOURCE[0]}")/demo-flight.keys")"
  (cd "$build/data" &&
    LD_PRELOAD="$build/tests/libflyer-scripted-sdl.so" FLYER_TEST_STEP_MS=20 FLYER_TEST_KEYS="$keys" \
      apitrace trace --api gl --output "$work/flight.trace" "$build/flyer" "$level" "$resolution" \
      2>/dev/null) || return 1
  swap="$(apitrace dump --color=never --grep=SwapBuffers "$work/flight.trace" |
    grep -E '^[0-9]+ ' | sed -n "${frame}p" | cut -d ' ' -f 1)"
  if [ -z "$swap" ]; then
    echo "The flight ended before frame $frame" >&2
    return 1
  fi
  apitrace dump-images --calls="$swap" --call-nos=no --output "$work/frame" "$work/flight.trace" \
    >"$work/replay.log" 2>&1 || {
    cat "$work/replay.log" >&2
    return 1
  }
  convert "$work"/frame*.png -strip "$out"
}
