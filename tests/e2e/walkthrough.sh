#!/usr/bin/env bash
# The whole program as a user meets it: start, help, version, options, reload,
# search, copy, delete, exit. With SCREENSHOT_DIR set, a picture of each window
# is saved there (the README's pictures come from here).
. "$(dirname "$0")/e2e-lib.sh"
shot() { [ -n "${SCREENSHOT_DIR:-}" ] && import -window root -crop "$2" +repage "$SCREENSHOT_DIR/$1.png" || true; }
fail() { echo "walkthrough: $*"; exit 1; }

printf 'GET FILE="c:\\daten\\umfrage.sav".\r\nFREQUENCIES VARIABLES=alter geschlecht.\r\n' > alt.jnl
printf 'GET FILE="c:\\daten\\umfrage.sav".\r\nDESCRIPTIVES VARIABLES=einkommen.\r\nFREQUENCIES VARIABLES=bildung.\r\n' > spss.jnl
printf '[Opt]\r\nJnlFileName=%s\r\n' "$(wine_path "$work/alt.jnl")" > Sitzblick.ini
start_program
focus

# Help by F1, closed by its focused button.
keys F1
probe wait "Hilfe" 5 || fail "F1 showed no help"
shot hilfe 460x320+0+100
keys Return
probe gone "Hilfe" 5 || fail "the help did not close"

# Version from the "Info" menu, reached by keyboard (F10, then across the menu
# bar): where a menu title lies depends on the fonts the machine has.
keys F10 Right Right Down v
probe wait "Version" 5 || fail "no version window"
shot version 460x260+0+150
keys Return
probe gone "Version" 5 || fail "the version window did not close"

# Options from "Bearbeiten" (it has no access letter): type the new path, Enter twice.
keys F10 Right Down o
probe wait "Optionen" 5 || fail "no options window"
shot optionen 460x300+0+100
keys Tab End shift+Home
xdotool type --delay 30 "$(wine_path "$work/spss.jnl")"
keys Return Return
probe gone "Optionen" 5 || fail "the options did not close on Enter, Enter"
grep -q 'spss.jnl' Sitzblick.ini || fail "the new path was not stored: $(cat Sitzblick.ini)"

# Reload reads the new path.
keys ctrl+o
journal_shown() { [ "$(probe text "$title" PlatformTextView)" = "$(cat spss.jnl)" ]; }
wait_until 10 journal_shown || fail "the reload did not show the new journal"
shot hauptfenster 460x380+0+90

# Search for FREQUENCIES, copy the match.
keys ctrl+f
sleep 1
dialog=$(probe foreground)
case "$dialog" in Find*|Suchen*) ;; *) fail "Ctrl+F gave no Find dialog but \"$dialog\"" ;; esac
xdotool type --delay 30 "frequencies"
keys Return
shot suchen 700x420+0+90
keys Escape
keys ctrl+c
[ "$(probe clipboard)" = "FREQUENCIES" ] || fail "copy after the search gave \"$(probe clipboard)\""

# Delete with the question answered Yes (its default button).
keys ctrl+k
sleep 1
shot loeschen 700x420+0+90
keys Return
wait_until 5 test ! -e spss.jnl || fail "the journal was not deleted"
[ -z "$(probe text "$title" PlatformTextView)" ] || fail "the view is not empty after the delete"

keys ctrl+q
wait_until 10 probe gone "$title" 1 || fail "Ctrl+Q did not end the program"
echo "walkthrough: ok"
