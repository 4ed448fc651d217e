# Shared steps of the end-to-end tests: start the real program in a fresh
# folder, give its window the keyboard, press keys, look at its windows.
set -euo pipefail
: "${SITZBLICK_EXE:?}" "${PROBE_EXE:?}"
work=$(mktemp -d)
cd "$work"
probe() { wine "$PROBE_EXE" "$@"; }
wine_path() { winepath -w "$1" 2>/dev/null; }
# The main window's title names the working directory: that tells this test's
# program from any other.
start_program() {
  title="Sitzblick [1.0.0] 30.01.2002 (Arbeitsverzeichnis: $(wine_path "$work"))"
  wine "$SITZBLICK_EXE" >/dev/null 2>&1 &
  program_pid=$!
  probe wait "$title" 15 || { echo "the program's window did not appear"; exit 1; }
  probe activate "$title" || true
  # Keys are only wanted once the start-up has put the focus on the reload button.
  focus_on_reload() { [ "$(probe focused "$title")" = "Button Jounalfile neu lesen" ]; }
  wait_until 10 focus_on_reload || { echo "the reload button did not get the focus"; exit 1; }
}
# The tests run in Wine's virtual desktop on a fresh Xvfb, whose keyboard focus
# follows the pointer: keep the pointer over the desktop. (Setting the X focus
# on the desktop window explicitly makes Wine drop the keys.)
focus() {
  xdotool mousemove 1000 740
  sleep 0.8
}
keys() { xdotool key --delay 120 "$@"; sleep 0.5; }
wait_until() {  # wait_until SECONDS COMMAND...: retry until the command succeeds
  local seconds=$1; shift
  for _ in $(seq $((seconds * 10))); do "$@" && return 0; sleep 0.1; done
  "$@"
}
finish() {
  if [ -n "${title:-}" ] && probe wait "$title" 0.1; then
    probe close "$title" || true
    probe gone "$title" 5 || true
  fi
  kill -9 "$program_pid" 2>/dev/null || true
  cd /; rm -rf "$work"
}
trap finish EXIT
