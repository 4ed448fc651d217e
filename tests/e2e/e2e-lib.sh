# Shared steps of the end-to-end tests: start the real program in a fresh
# folder, give its window the keyboard, press keys, look at its windows.
set -euo pipefail
: "${SITZBLICK_EXE:?}" "${PROBE_EXE:?}"
work=$(mktemp -d)
cd "$work"
probe() { wine "$PROBE_EXE" "$@"; }
wine_path() { winepath -w "$1" 2>/dev/null; }
start_program() {
  wine "$SITZBLICK_EXE" >/dev/null 2>&1 &
  program_pid=$!
  probe wait "Sitzblick [" 15
}
# Under Xvfb nothing gives the X focus to the Wine desktop; xdotool must.
focus() {
  local id
  id=$(xdotool search --name "${1:-Wine desktop}" | head -n 1)
  xdotool windowfocus --sync "$id" 2>/dev/null || xdotool windowfocus "$id"
  sleep 0.3
}
keys() { xdotool key --delay 120 "$@"; sleep 0.5; }
wait_until() {  # wait_until SECONDS COMMAND...: retry until the command succeeds
  local seconds=$1; shift
  for _ in $(seq $((seconds * 10))); do "$@" && return 0; sleep 0.1; done
  "$@"
}
finish() {
  kill "$program_pid" 2>/dev/null || true
  cd /; rm -rf "$work"
}
trap finish EXIT
