#!/usr/bin/env bash
# Start the program in a folder with a journal, press Enter: the journal appears.
. "$(dirname "$0")/e2e-lib.sh"
printf 'GET FILE="daten.sav".\r\nFREQUENCIES VARIABLES=alter.\r\n' > spss.jnl
printf '[Opt]\r\nJnlFileName=%s\r\n' "$(wine_path "$work/spss.jnl")" > Sitzblick.ini
start_program
focus
keys Return
journal_shown() { [ "$(probe text "$title" PlatformTextView)" = "$(cat spss.jnl)" ]; }
wait_until 10 journal_shown || { echo "Enter did not show the journal"; exit 1; }
keys ctrl+q
wait_until 10 probe gone "$title" 1
echo "reload: ok"
