#!/usr/bin/env bash
# The journal view with a real mouse: click, Shift+click, drag, double-click,
# the context-menu key, a drag past the bottom edge, and the scroll bar's thumb dragged on a journal
# of more lines than 16 bits can count.
. "$(dirname "$0")/e2e-lib.sh"
fail() { echo "view: $*"; exit 1; }
{
  printf "GET FILE='daten.sav'.\r\n"                        # 0..20, break at 21
  printf 'FREQUENCIES VARIABLES=alter geschlecht.\r\n'      # 23..61
  printf 'DESCRIPTIVES einkommen.\r\n'                      # 64..86
  printf 'EXECUTE.\r\n'                                     # 89..96
  awk 'BEGIN { for (i = 1; i <= 100000; i++) printf "COMPUTE v%d = %d .\r\n", i, i * 7 }'
} > spss.jnl
lines=100005
printf '[Opt]\r\nJnlFileName=%s\r\n' "$(wine_path "$work/spss.jnl")" > Sitzblick.ini
start_program
focus
keys Return
view=PlatformTextView
firstline() { probe firstline "$title" $view; }
selection() { probe selection "$title" $view | tr -d '\r'; }
scrolled_down() { [ "$(firstline)" -gt 1000 ]; }
wait_until 10 scrolled_down || fail "the reload did not show the journal's end"

# Mouse positions of characters, as the view reports them (EM_POSFROMCHAR).
at() { read -r x y < <(probe pos "$title" $view "$1" | tr -d '\r'); x=$((x + 1)); y=$((y + 4)); }
read -r left top right bottom < <(probe rect "$title" $view | tr -d '\r')

# A click in the view, then Ctrl+Home: the first lines are in view.
xdotool mousemove $(((left + right) / 2)) $(((top + bottom) / 2)) click 1
keys ctrl+Home
[ "$(firstline)" = 0 ] || fail "Ctrl+Home did not scroll to the top"

at 30; xdotool mousemove $x $y click 1; sleep 0.3
[ "$(selection)" = "30 30" ] || fail "a click gave the selection $(selection), not 30 30"
at 70; xdotool mousemove $x $y keydown shift click 1 keyup shift; sleep 0.3
[ "$(selection)" = "30 70" ] || fail "Shift+click gave $(selection), not 30 70"
at 2; xdotool mousemove $x $y mousedown 1; at 66; xdotool mousemove $x $y mouseup 1; sleep 0.3
[ "$(selection)" = "2 66" ] || fail "a drag gave $(selection), not 2 66"
at 26; xdotool mousemove $x $y click --repeat 2 --delay 80 1; sleep 0.3
[ "$(selection)" = "23 34" ] || fail "a double-click gave $(selection), not the word 23 34"
keys ctrl+c
[ "$(probe clipboard)" = "FREQUENCIES" ] || fail "Ctrl+C after the double-click gave \"$(probe clipboard)\""

# The context-menu key opens the view's menu: its "kopieren" copies the selection.
at 66; xdotool mousemove $x $y click --repeat 2 --delay 80 1; sleep 0.3
[ "$(selection)" = "64 76" ] || fail "a double-click gave $(selection), not the word 64 76"
keys Menu Down Return
[ "$(probe clipboard)" = "DESCRIPTIVES" ] || fail "the context-menu key's kopieren gave \"$(probe clipboard)\""

# Dragging past the bottom edge selects on and scrolls.
at 0; xdotool mousemove $x $y mousedown 1 mousemove $x $((bottom + 30)); sleep 1.5; xdotool mouseup 1; sleep 0.3
read -r start end < <(selection)
[ "$start" = 0 ] && [ "$end" -gt 200 ] && [ "$(firstline)" -gt 3 ] ||
  fail "a drag past the edge gave the selection $start $end and first line $(firstline)"

# The thumb, from the top of its track to four fifths down. The scroll bar sits
# inside the view's 2-pixel edge.
keys ctrl+Home
arrow=$(probe metric 20 | tr -d '\r')  # SM_CYVSCROLL: the height of an arrow button
x=$((right - 2 - $(probe metric 2 | tr -d '\r') / 2))  # SM_CXVSCROLL: the bar's width
hbar=$(probe metric 3 | tr -d '\r')    # SM_CYHSCROLL: the horizontal bar below it
track_top=$((top + 2 + arrow)) track_bottom=$((bottom - 2 - hbar - arrow))
xdotool mousemove $x $((track_top + 3)) mousedown 1 sleep 0.2 \
        mousemove $x $((track_top + (track_bottom - track_top) / 2)) sleep 0.2 \
        mousemove $x $((track_top + (track_bottom - track_top) * 4 / 5)) sleep 0.3 mouseup 1
sleep 0.3
first=$(firstline)
[ "$first" -gt $((lines * 65 / 100)) ] && [ "$first" -lt $((lines * 95 / 100)) ] ||
  fail "the thumb dragged four fifths down shows line $first of $lines"

keys ctrl+q
wait_until 10 probe gone "$title" 1
echo "view: ok"
