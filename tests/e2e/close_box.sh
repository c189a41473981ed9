#!/usr/bin/env bash
# The window's own close box, after a Start: the program ends with exit code 0 and
# writes nothing.
source "$(dirname "$0")/lib.sh" "$1"
start_display
make_drive
write_snapshot

start_app "1997-05-03 09:05:03"
key alt+s
python3 "$(dirname "$0")/close_window.py" "$WID"
expect_exit 0
expect_same "$DRIVE_C/Kavru/czenkai.txt" "$WORK/snapshot"
[ "$(ls "$DRIVE_C/Kavru")" = "czenkai.txt" ] || fail "closing wrote: $(ls "$DRIVE_C/Kavru")"
echo "close_box: passed"
