# Sourced by the scripts that pick a resolution or a screen for flyer. The
# game's resolutions come from its own table, which the build writes to
# DATA/tables.json (tools/tables).
#
# screen_size DATA RESOLUTION
#   Prints WIDTHxHEIGHT of RESOLUTION as the game has it; fails, printing
#   nothing, when the game has no such resolution.
# example_resolution DATA
#   Prints the resolution the game's usage text gives as its example.
screen_size() {
  python3 - "$1/tables.json" "$2" <<'PY'
import json, sys
rows = json.load(open(sys.argv[1]))['resolutions']
found = [r for r in rows if r['argument'] == sys.argv[2]]
sys.exit(1) if not found else print('%dx%d' % (found[0]['width'], found[0]['height']))
PY
}

example_resolution() {
  python3 -c 'import json, sys; print(json.load(open(sys.argv[1]))["exampleResolution"])' "$1/tables.json"
}
