#!/usr/bin/env bash
# The first start on a drive without a snapshot: the data folder and both snapshot files
# exist, with the same bytes, by the time the window shows; Alt+E ends the program with
# exit code 0.
source "$(dirname "$0")/lib.sh" "$1"
start_display
make_drive
set_file Windows/ALPHA.INI "1997-05-03 00:00:00"
fix_folder_times

start_app "1997-05-03 09:05:03"
# No waiting: the files are made before the window is shown.
[ -e "$DRIVE_C/Kavru/czenkai.txt" ] || fail "no snapshot file when the window showed"
[ -e "$DRIVE_C/Kavru/czenkai.bak" ] || fail "no backup file when the window showed"
s=$(sed -n 2p "$DRIVE_C/Kavru/czenkai.txt" | cut -b8)
case "$s" in [3-9]) ;; *) fail "the first snapshot's time is not 9:05:03 to 9:05:09" ;; esac
# ALPHA.INI was written at midnight: its stamp is the date alone.
expected_scan "$s" 97/05/03 >"$WORK/expected"
expect_same "$DRIVE_C/Kavru/czenkai.txt" "$WORK/expected"
expect_same "$DRIVE_C/Kavru/czenkai.bak" "$WORK/expected"

key alt+e
expect_exit 0
[ "$(ls "$DRIVE_C/Kavru")" = $'czenkai.bak\nczenkai.txt' ] || fail "closing wrote: $(ls "$DRIVE_C/Kavru")"
echo "first_start: passed"
