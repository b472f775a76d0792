# Sourced by the scripts that need a private X server.
#
# start_xvfb WIDTHxHEIGHT FOLDER
# Starts Xvfb on a display number it picks itself (the number is passed
# through FOLDER/display), sets XVFB_PID and exports DISPLAY once the
# server answers. The server does not reset when its last client goes:
# a reset refuses the connections that arrive meanwhile, and the scripts
# start one program after another on the same server.
start_xvfb() {
  local screen="$1" folder="$2"
  rm -f "$folder/display"
  Xvfb -displayfd 3 -screen 0 "${screen}x24" -nolisten tcp -noreset 3>"$folder/display" >/dev/null 2>&1 &
  XVFB_PID=$!
  for _ in $(seq 200); do
    [ -s "$folder/display" ] && break
    sleep 0.05
  done
  export DISPLAY=":$(head -n 1 "$folder/display")"
  for _ in $(seq 100); do
    xdotool getdisplaygeometry >/dev/null 2>&1 && break
    sleep 0.05
  done
}
