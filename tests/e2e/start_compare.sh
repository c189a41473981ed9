#!/usr/bin/env bash
# Start and Compare through the window's access keys: the log file holds the start lines
# and the report byte for byte, and Copy to clipboard puts that whole text on the
# clipboard as Unicode.
source "$(dirname "$0")/lib.sh" "$1"
start_display
make_drive

# The snapshot of 97/05/01 18:20:07. ALPHA.INI and GAMMA32.DLL were rewritten since,
# BETA.TXT was added, OMEGA.EXE and the folders are as they were.
set_file Windows/ALPHA.INI "1997-05-03 09:02:44"
set_file Windows/BETA.TXT "1997-05-03 09:01:10"
set_file Windows/OMEGA.EXE "1996-11-02 08:00:00"
set_file Windows/System/GAMMA32.DLL "1997-05-03 09:01:05"
write_snapshot 'C:\\Windows\\.<Dir>\r\n 97/05/02 8:00:00\r\n'\
'C:\\Windows\\..<Dir>\r\n 97/05/01 7:00:00\r\n'\
'C:\\Windows\\ALPHA.INI\r\n 97/04/28 10:00:00\r\n'\
'C:\\Windows\\OMEGA.EXE\r\n 96/11/02 8:00:00\r\n'\
'C:\\Windows\\System<Dir>\r\n 97/05/02 12:30:00\r\n*\r\n *\r\n'\
'C:\\Windows\\System\\.<Dir>\r\n 97/05/02 12:30:00\r\n'\
'C:\\Windows\\System\\..<Dir>\r\n 97/05/02 8:00:00\r\n'\
'C:\\Windows\\System\\GAMMA32.DLL\r\n 96/08/24 11:11:00\r\n'\
'C:\\Windows\\System\\Kernel32.dll\r\n 96/08/24 11:11:00\r\n*\r\n *\r\n'
fix_folder_times

start_app "1997-05-03 09:05:03"
start_and_compare

{
    first_line 97/05/01 18:20:07; crlf
    second_line 97/05/03 "9:05:0$S"; crlf
    crlf
    printf "$HEAD_REWRITTEN"; crlf
    crlf
    printf "$WIN_FOLDER"; crlf
    entry_line 'C:\Windows\ALPHA.INI' '97/05/03 9:02:44'; crlf
    crlf
    printf "$SYS_FOLDER"; crlf
    # Written at 9:01:05; file times are kept to two seconds.
    entry_line 'C:\Windows\System\GAMMA32.DLL' '97/05/03 9:01:04'; crlf
    crlf
    printf "$HEAD_ADDED"; crlf
    crlf
    printf "$WIN_FOLDER"; crlf
    entry_line 'C:\Windows\BETA.TXT' '97/05/03 9:01:10'; crlf
    crlf
    printf "$SYS_FOLDER"; crlf
    printf "$NONE_ADDED_SYS"; crlf
    crlf
    printf "$CLOSING"; crlf
} >"$WORK/expected.log"
expect_same "$DRIVE_C/Kavru/Z9705039050$S.log" "$WORK/expected.log"
# The stamp of the entry lines begins at byte 45.
[ "$(sed -n 7p "$WORK/expected.log" | cut -b45-)" = $'97/05/03 9:02:44\r' ] || fail "stamp not at byte 45"

# The whole text is shorter than 10000 positions: all of it reaches the clipboard.
key alt+c
iconv -f CP932 -t UTF-8 "$WORK/expected.log" >"$WORK/expected.clip"
copied_text >"$WORK/clip"
expect_same "$WORK/clip" "$WORK/expected.clip"

# Compare wrote nothing else; the snapshot files are as they were.
expect_same "$DRIVE_C/Kavru/czenkai.txt" "$WORK/snapshot"
key alt+e
expect_exit 0
echo "start_compare: passed"
