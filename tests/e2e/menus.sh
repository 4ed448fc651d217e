#!/usr/bin/env bash
# Shortcuts and the context menu with real keys and a real mouse: reload, select
# all, copy, always-on-top on and off, "kopieren" from the right mouse button.
. "$(dirname "$0")/e2e-lib.sh"
printf 'GET FILE="daten.sav".\r\nDESCRIPTIVES alter.\r\n' > spss.jnl
printf '[Opt]\r\nJnlFileName=%s\r\n' "$(wine_path "$work/spss.jnl")" > Sitzblick.ini
start_program
focus
keys ctrl+o
wait_until 10 probe text "$title" PlatformTextView >/dev/null
keys ctrl+a ctrl+c
[ "$(probe clipboard)" = "$(cat spss.jnl)" ] || { echo "clipboard after Ctrl+A Ctrl+C: $(probe clipboard)"; exit 1; }
keys F2
[ "$(probe topmost "$title")" = 1 ] || { echo "F2 did not set always-on-top"; exit 1; }
keys F2
[ "$(probe topmost "$title")" = 0 ] || { echo "second F2 did not clear always-on-top"; exit 1; }
# Select one word with a double click, then copy it from the context menu.
xdotool mousemove 40 200 click --repeat 2 1
sleep 0.5
xdotool click 3
sleep 0.5
keys Down Return
word=$(probe clipboard)
journal=$(cat spss.jnl)
if [ -z "$word" ] || [ "$word" = "$journal" ] || [[ "$journal" != *"$word"* ]]; then
  echo "context menu copy gave: $word"; exit 1
fi
keys ctrl+q
wait_until 10 probe gone "$title" 1
echo "menus: ok"
