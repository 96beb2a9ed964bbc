#!/bin/sh
# run_check.sh KESTROLA: runs check_window.py inside a private session bus.
# The bus's services start without the display: the bus launcher, which outlives the check by
# a moment, otherwise still holds the X server as it goes, and the next server started on that
# display number turned clients away. Only the program gets the display.
set -eu
KESTROLA_DISPLAY=${DISPLAY:?run_check.sh needs a display}
export KESTROLA_DISPLAY
# The system interpreter, because the bus's Python bindings come as Debian packages.
exec env -u DISPLAY dbus-run-session -- /usr/bin/python3 "$(dirname "$0")/check_window.py" "$1"
