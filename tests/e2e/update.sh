#!/usr/bin/env bash
# Update file after Start and Compare makes that scan the snapshot (the backup is the
# snapshot Start loaded), and the next Start compares with it.
source "$(dirname "$0")/lib.sh" "$1"
start_display
make_drive
set_file Windows/ALPHA.INI "1997-05-03 09:02:44"
mkdir -p "$DRIVE_C/Kavru"
printf '97/05/01\r\n 18:20:07\r\nC:\\Windows\\ALPHA.INI\r\n 97/04/28 10:00:00\r\n*\r\n *\r\n*\r\n *\r\n' \
    >"$DRIVE_C/Kavru/czenkai.txt"
cp "$DRIVE_C/Kavru/czenkai.txt" "$WORK/old"
touch -d "1997-05-02 12:30:00" "$DRIVE_C/Windows/System"
touch -d "1997-05-02 08:00:00" "$DRIVE_C/Windows"
touch -d "1997-05-01 07:00:00" "$DRIVE_C"

start_app "1997-05-03 09:05:03"
key alt+s
key alt+h
s=$(seconds_from_log)
key alt+a
{
    printf '97/05/03\r\n 9:05:0%s\r\n' "$s"
    printf 'C:\\Windows\\.<Dir>\r\n 97/05/02 8:00:00\r\n'
    printf 'C:\\Windows\\..<Dir>\r\n 97/05/01 7:00:00\r\n'
    printf 'C:\\Windows\\ALPHA.INI\r\n 97/05/03 9:02:44\r\n'
    printf 'C:\\Windows\\System<Dir>\r\n 97/05/02 12:30:00\r\n'
    printf '*\r\n *\r\n'
    printf 'C:\\Windows\\System\\.<Dir>\r\n 97/05/02 12:30:00\r\n'
    printf 'C:\\Windows\\System\\..<Dir>\r\n 97/05/02 8:00:00\r\n'
    printf 'C:\\Windows\\System\\Kernel32.dll\r\n 96/08/24 11:11:00\r\n'
    printf '*\r\n *\r\n'
} >"$WORK/expected"
expect_same "$DRIVE_C/Kavru/czenkai.txt" "$WORK/expected"
expect_same "$DRIVE_C/Kavru/czenkai.bak" "$WORK/old"

# The next Start names the new snapshot, and its comparison finds nothing rewritten.
key alt+s
key alt+h
key alt+c
clipboard | iconv -f UTF-8 -t CP932 >"$WORK/text"
first_line 97/05/03 "9:05:0$s" >"$WORK/line"
grep -q -F -f "$WORK/line" "$WORK/text" || fail "the second Start does not name the new snapshot"
printf "$NONE_REWRITTEN_WIN" >"$WORK/none"
[ "$(grep -c -F -f "$WORK/none" "$WORK/text")" = 1 ] || fail "the second report is not free of rewritten entries"
key alt+e
expect_exit 0
echo "update: passed"
