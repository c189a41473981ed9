#!/usr/bin/env bash
# Update file after Start and Compare makes that scan the snapshot (the backup is the
# snapshot Start loaded), and the next Start compares with it.
source "$(dirname "$0")/lib.sh" "$1"
start_display
make_drive
set_file Windows/ALPHA.INI "1997-05-03 09:02:44"
write_snapshot 'C:\\Windows\\ALPHA.INI\r\n 97/04/28 10:00:00\r\n*\r\n *\r\n*\r\n *\r\n'
fix_folder_times

start_app "1997-05-03 09:05:03"
start_and_compare
key alt+a
wait_changed "$DRIVE_C/Kavru/czenkai.txt" "$WORK/snapshot"
expected_scan "$S" "97/05/03 9:02:44" >"$WORK/expected"
expect_same "$DRIVE_C/Kavru/czenkai.txt" "$WORK/expected"
expect_same "$DRIVE_C/Kavru/czenkai.bak" "$WORK/snapshot"

# The next Start names the new snapshot, and its comparison finds nothing rewritten.
key alt+s
key alt+h
key alt+c
copied_text | iconv -f UTF-8 -t CP932 >"$WORK/text"
first_line 97/05/03 "9:05:0$S" >"$WORK/line"
grep -q -F -f "$WORK/line" "$WORK/text" || fail "the second Start does not name the new snapshot"
printf "$NONE_REWRITTEN_WIN" >"$WORK/none"
[ "$(grep -c -F -f "$WORK/none" "$WORK/text")" = 1 ] || fail "the second report is not free of rewritten entries"
key alt+e
expect_exit 0
echo "update: passed"
