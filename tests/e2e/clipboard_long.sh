#!/usr/bin/env bash
# Copy to clipboard with a report of more than 10000 positions: the clipboard receives
# exactly the first 10000 (CR LF counting two), as Unicode.
source "$(dirname "$0")/lib.sh" "$1"
start_display
make_drive
for i in $(seq -w 1 200); do set_file "Windows/F$i.DLL" "1997-05-02 10:00:00"; done
# A snapshot of two empty sections: every entry is added.
mkdir -p "$DRIVE_C/Kavru"
printf '97/05/01\r\n 18:20:07\r\n*\r\n *\r\n*\r\n *\r\n' >"$DRIVE_C/Kavru/czenkai.txt"
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
    printf "$NONE_REWRITTEN_WIN"; crlf
    crlf
    printf "$SYS_FOLDER"; crlf
    printf "$NONE_REWRITTEN_SYS"; crlf
    crlf
    printf "$HEAD_ADDED"; crlf
    crlf
    printf "$WIN_FOLDER"; crlf
    entry_line 'C:\Windows\.<Dir>' '97/05/02 8:00:00'; crlf
    entry_line 'C:\Windows\..<Dir>' '97/05/01 7:00:00'; crlf
    for i in $(seq -w 1 200); do entry_line "C:\\Windows\\F$i.DLL" '97/05/02 10:00:00'; crlf; done
    entry_line 'C:\Windows\System<Dir>' '97/05/02 12:30:00'; crlf
    crlf
    printf "$SYS_FOLDER"; crlf
    entry_line 'C:\Windows\System\.<Dir>' '97/05/02 12:30:00'; crlf
    entry_line 'C:\Windows\System\..<Dir>' '97/05/02 8:00:00'; crlf
    entry_line 'C:\Windows\System\Kernel32.dll' '96/08/24 11:11:00'; crlf
    crlf
    printf "$CLOSING"; crlf
} >"$WORK/expected.log"
expect_same "$DRIVE_C/Kavru/Z9705039050$S.log" "$WORK/expected.log"
[ "$(stat -c %s "$WORK/expected.log")" -gt 10000 ] || fail "the report is not longer than 10000 positions"

key alt+c
head -c 10000 "$WORK/expected.log" | iconv -f CP932 -t UTF-8 >"$WORK/expected.clip"
copied_text >"$WORK/clip"
expect_same "$WORK/clip" "$WORK/expected.clip"
key alt+e
expect_exit 0
echo "clipboard_long: passed"
