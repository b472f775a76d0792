# Sourced by the scripts that run flyer (or another SDL program of the
# project) on a private X server from scripts/lib/xvfb.sh. Every function
# works on the one process that start_game started, by its PID: another
# user's game on the same machine is never touched.
#
# start_game [NAME=VALUE...] COMMAND [ARG...]
#   Starts COMMAND in the background with the given variables in its
#   environment, sets GAME_PID and waits until the process shows a window.
#   The command is exec'd from the shell that sets the variables, so
#   GAME_PID is the program's own PID; GAME_EXEC_TIME holds the
#   wall-clock time just before that exec (for the counters in bench/).
#   Returns 1, with GAME_STATUS set, if the process ended first or showed
#   no window on this display within 20 s (then it is killed).
# end_game
#   Presses Esc, waits for the process and sets GAME_STATUS.
# kill_game
#   For exit traps: kills the process if it still runs.
GAME_PID=""
GAME_STATUS=0

start_game() {
  (
    while [ $# -gt 0 ] && [[ "$1" == [A-Za-z_]*=* ]]; do
      export "${1?}"
      shift
    done
    export GAME_EXEC_TIME="$EPOCHREALTIME"
    exec "$@"
  ) &
  GAME_PID=$!
  for _ in $(seq 400); do
    if ! kill -0 "$GAME_PID" 2>/dev/null; then
      GAME_STATUS=0
      wait "$GAME_PID" || GAME_STATUS=$?
      GAME_PID=""
      return 1
    fi
    xdotool search --onlyvisible --pid "$GAME_PID" >/dev/null 2>&1 && return 0
    sleep 0.05
  done
  echo "no window from $* on $DISPLAY" >&2
  kill_game
  GAME_STATUS=124
  return 1
}

end_game() {
  xdotool key Escape
  GAME_STATUS=0
  wait "$GAME_PID" || GAME_STATUS=$?
  GAME_PID=""
}

kill_game() {
  if [ -n "$GAME_PID" ]; then
    kill -9 "$GAME_PID" 2>/dev/null
    wait "$GAME_PID" 2>/dev/null
  fi
  GAME_PID=""
}
