#!/usr/bin/env bash
# The first start on a drive without a snapshot: the data folder and both snapshot files
# exist, with the same bytes, by the time the window shows; Alt+E ends the program with
# exit code 0.
source "$(dirname "$0")/lib.sh" "$1"
start_display
make_drive
set_file Windows/ALPHA.INI "1997-05-03 00:00:00"
touch -d "1997-05-02 12:30:00" "$DRIVE_C/Windows/System"
touch -d "1997-05-02 08:00:00" "$DRIVE_C/Windows"
touch -d "1997-05-01 07:00:00" "$DRIVE_C"

start_app "1997-05-03 09:05:03"
# No waiting: the files are made before the window is shown.
[ -e "$DRIVE_C/Kavru/czenkai.txt" ] || fail "no snapshot file when the window showed"
[ -e "$DRIVE_C/Kavru/czenkai.bak" ] || fail "no backup file when the window showed"
s=$(sed -n 2p "$DRIVE_C/Kavru/czenkai.txt" | cut -b8)
case "$s" in [3-9]) ;; *) fail "the first snapshot's time is not 9:05:03 to 9:05:09" ;; esac
{
    printf '97/05/03\r\n 9:05:0%s\r\n' "$s"
    printf 'C:\\Windows\\.<Dir>\r\n 97/05/02 8:00:00\r\n'
    printf 'C:\\Windows\\..<Dir>\r\n 97/05/01 7:00:00\r\n'
    # Written at midnight: its stamp is the date alone.
    printf 'C:\\Windows\\ALPHA.INI\r\n 97/05/03\r\n'
    printf 'C:\\Windows\\System<Dir>\r\n 97/05/02 12:30:00\r\n'
    printf '*\r\n *\r\n'
    printf 'C:\\Windows\\System\\.<Dir>\r\n 97/05/02 12:30:00\r\n'
    printf 'C:\\Windows\\System\\..<Dir>\r\n 97/05/02 8:00:00\r\n'
    printf 'C:\\Windows\\System\\Kernel32.dll\r\n 96/08/24 11:11:00\r\n'
    printf '*\r\n *\r\n'
} >"$WORK/expected"
expect_same "$DRIVE_C/Kavru/czenkai.txt" "$WORK/expected"
expect_same "$DRIVE_C/Kavru/czenkai.bak" "$WORK/expected"

key alt+e
expect_exit 0
[ "$(ls "$DRIVE_C/Kavru")" = $'czenkai.bak\nczenkai.txt' ] || fail "closing wrote: $(ls "$DRIVE_C/Kavru")"
echo "first_start: passed"
