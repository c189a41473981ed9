# Shared steps of the end-to-end tests: a virtual display, a temporary Wine prefix whose
# C: drive holds a small Windows folder, the real program started under a set clock and
# time zone, key presses, the clipboard, and the files the program writes.
# Each test script sources this file with the program's path as $1.
set -euo pipefail

QUINDRAL=$(readlink -f "$1")
WORK=$(mktemp -d /tmp/quindral-e2e.XXXXXX)
export TZ=Asia/Tokyo
export WINEPREFIX=$WORK/prefix
export ASAN_OPTIONS=detect_leaks=0:verify_asan_link_order=0
export XDG_RUNTIME_DIR=$WORK/runtime
mkdir -p -m 700 "$XDG_RUNTIME_DIR"
DRIVE_C=$WORK/drive_c
APP_PID=
XVFB_PID=

cleanup() {
    [ -n "$APP_PID" ] && kill "$APP_PID" 2>/dev/null || true
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
    rm -rf "$WORK"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# A display of our own; -displayfd tells which number it took.
start_display() {
    Xvfb -displayfd 1 -screen 0 1024x768x24 -nolisten tcp -noreset >"$WORK/display" 2>"$WORK/xvfb.log" &
    XVFB_PID=$!
    for _ in $(seq 100); do
        [ -s "$WORK/display" ] && break
        sleep 0.1
    done
    [ -s "$WORK/display" ] || fail "Xvfb did not start"
    export DISPLAY=:$(head -n1 "$WORK/display")
}

# C: with \Windows\System\Kernel32.dll and the files named as "name=YYYY-MM-DD hh:mm:ss".
make_drive() {
    mkdir -p "$WINEPREFIX/dosdevices" "$DRIVE_C/Windows/System"
    ln -s "$DRIVE_C" "$WINEPREFIX/dosdevices/c:"
    touch -d "1996-08-24 11:11:00" "$DRIVE_C/Windows/System/Kernel32.dll"
}

set_file() {  # set_file relative-path "YYYY-MM-DD hh:mm:ss"
    mkdir -p "$(dirname "$DRIVE_C/$1")"
    touch -d "$2" "$DRIVE_C/$1"
}

# Starts the program with its clock starting at "$1" (local time) and waits for its
# window; WID is the window.
start_app() {
    NO_FAKE_STAT=1 faketime -f "@$1" "$QUINDRAL" >"$WORK/app.out" 2>&1 &
    APP_PID=$!
    WID=
    for _ in $(seq 300); do
        WID=$(windows_named Quindral | head -n1)
        [ -n "$WID" ] && break
        kill -0 "$APP_PID" 2>/dev/null || fail "the program ended before its window showed: $(cat "$WORK/app.out")"
        sleep 0.1
    done
    [ -n "$WID" ] || fail "no window"
    xdotool windowfocus --sync "$WID" 2>/dev/null || true
}

key() {  # key alt+s ...
    xdotool windowfocus --sync "$WID" 2>/dev/null || true
    xdotool key --clearmodifiers "$@"
    sleep 0.5
}

wait_for_file() {
    for _ in $(seq 100); do
        [ -e "$1" ] && return 0
        sleep 0.1
    done
    fail "no file $1"
}

# Waits for the program to end and checks its exit code.
expect_exit() {
    local code=0
    for _ in $(seq 100); do
        kill -0 "$APP_PID" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$APP_PID" 2>/dev/null && fail "the program did not end"
    wait "$APP_PID" || code=$?
    APP_PID=
    [ "$code" -eq "$1" ] || fail "exit code $code, expected $1"
}

# Compares a file's bytes with those of an expected file the test wrote.
expect_same() {  # expect_same actual expected
    [ -e "$1" ] || fail "no file $1"
    cmp "$2" "$1" >/dev/null || {
        diff <(od -An -c "$2") <(od -An -c "$1") | head -20 >&2
        fail "bytes of $1 differ from the expected ones"
    }
}

# The visible windows whose title is exactly $1 (the search itself ignores case).
windows_named() {
    local w
    for w in $(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null); do
        [ "$(xdotool getwindowname "$w" 2>/dev/null)" = "$1" ] && echo "$w"
    done
    return 0
}

clipboard() { xclip -selection clipboard -o 2>/dev/null; }

# The report's fixed texts in code page 932, as printf formats.
IDEO='\x81\x40'                                     # one ideographic space
FOLDER_TAIL=' \xcc\xab\xd9\xc0\xde\xb0 \x93\xe0'     # " ﾌｫﾙﾀﾞｰ 内"
HEAD_REWRITTEN='\x8f\x91\x82\xab\x8a\xb7\x82\xa6\x82\xc9\x82\xe6\x82\xe9\x82\xe0\x82\xcc\x20\x81\x40'
HEAD_ADDED='\x91\x9d\x89\xc1\x82\xb5\x82\xbd\x82\xe0\x82\xcc'
NONE_REWRITTEN_WIN='\x81\x40      \x81\x40\x81\x40\x8f\x91\x82\xab\x8a\xb7\x82\xa6\x82\xe7\x82\xea\x82\xbd\x82\xe0\x82\xcc\x82\xcd\x97\x4c\x82\xe8\x82\xdc\x82\xb9\x82\xf1\x81\x42'
NONE_REWRITTEN_SYS='\x81\x40\x81\x40  \x81\x40    \x8f\x91\x82\xab\x8a\xb7\x82\xa6\x82\xe7\x82\xea\x82\xbd\x82\xe0\x82\xcc\x82\xcd\x97\x4c\x82\xe8\x82\xdc\x82\xb9\x82\xf1\x81\x42'
NONE_ADDED_WIN='\x81\x40    \x81\x40\x81\x40  \x91\x9d\x89\xc1\x82\xb5\x82\xbd\x82\xe0\x82\xcc\x82\xcd\x97\x4c\x82\xe8\x82\xdc\x82\xb9\x82\xf1\x81\x42'
NONE_ADDED_SYS='\x81\x40\x81\x40      \x81\x40\x91\x9d\x89\xc1\x82\xb5\x82\xbd\x82\xe0\x82\xcc\x82\xcd\x97\x4c\x82\xe8\x82\xdc\x82\xb9\x82\xf1\x81\x42'
CLOSING='                                                         \x88\xc8\x8f\xe3'   # 57 spaces, "以上"
WIN_FOLDER="$IDEO${IDEO}C:\\\\Windows\\\\$FOLDER_TAIL"
SYS_FOLDER="$IDEO${IDEO}C:\\\\Windows\\\\System\\\\$FOLDER_TAIL"

# "前回 <date> <time> から" and "今回 <date> <time> までの変化の有無".
first_line() { printf '\x91\x4f\x89\xf1 %s %s \x82\xa9\x82\xe7' "$1" "$2"; }
second_line() { printf '\x8d\xa1\x89\xf1 %s %s \x82\xdc\x82\xc5\x82\xcc\x95\xcf\x89\xbb\x82\xcc\x97\x4c\x96\xb3' "$1" "$2"; }
# An entry line for a name of 15 to 35 bytes: the stamp stands at byte 45.
entry_line() { printf '       %-35s  %s' "$1" "$2"; }
crlf() { printf '\r\n'; }

# The clock runs on from where the test set it, so a scan's time is read back from what
# the program wrote and checked to lie within the first seconds.
seconds_from_log() {  # prints the seconds digit of the only log file Z970503905X.log
    local f=
    for _ in $(seq 100); do
        f=$(cd "$DRIVE_C/Kavru" && ls Z9705039050?.log 2>/dev/null | head -n1)
        [ -n "$f" ] && break
        sleep 0.1
    done
    [ -n "$f" ] || fail "no log file of 97/05/03 9:05:0x in $(ls "$DRIVE_C/Kavru")"
    echo "${f:11:1}"
}

# The folders' own times, set after their files were made (making a file touches them).
fix_folder_times() {
    touch -d "1997-05-02 12:30:00" "$DRIVE_C/Windows/System"
    touch -d "1997-05-02 08:00:00" "$DRIVE_C/Windows"
    touch -d "1997-05-01 07:00:00" "$DRIVE_C"
}

# A snapshot file of 97/05/01 18:20:07 whose sections follow as a printf format (by
# default two empty sections); a copy stays in $WORK/snapshot.
write_snapshot() {
    mkdir -p "$DRIVE_C/Kavru"
    { printf '97/05/01\r\n 18:20:07\r\n'; printf "${1:-*\r\n *\r\n*\r\n *\r\n}"; } >"$DRIVE_C/Kavru/czenkai.txt"
    cp "$DRIVE_C/Kavru/czenkai.txt" "$WORK/snapshot"
}

# What a scan at 97/05/03 9:05:0$1 writes as the snapshot file, for a drive made by
# make_drive with ALPHA.INI (stamp $2) and fix_folder_times.
expected_scan() {
    printf '97/05/03\r\n 9:05:0%s\r\n' "$1"
    printf 'C:\\Windows\\.<Dir>\r\n 97/05/02 8:00:00\r\n'
    printf 'C:\\Windows\\..<Dir>\r\n 97/05/01 7:00:00\r\n'
    printf 'C:\\Windows\\ALPHA.INI\r\n %s\r\n' "$2"
    printf 'C:\\Windows\\System<Dir>\r\n 97/05/02 12:30:00\r\n'
    printf '*\r\n *\r\n'
    printf 'C:\\Windows\\System\\.<Dir>\r\n 97/05/02 12:30:00\r\n'
    printf 'C:\\Windows\\System\\..<Dir>\r\n 97/05/02 8:00:00\r\n'
    printf 'C:\\Windows\\System\\Kernel32.dll\r\n 96/08/24 11:11:00\r\n'
    printf '*\r\n *\r\n'
}

# Start and Compare with their access keys; S becomes the seconds digit of the scan.
start_and_compare() {
    key alt+s
    key alt+h
    S=$(seconds_from_log)
}

# The program handles the keys in their order but in its own time: these wait for what
# a key leads to, up to ten seconds.
copied_text() {  # the clipboard, once the program has put something there
    local text=
    for _ in $(seq 100); do
        text=$(clipboard || true)
        [ -n "$text" ] && break
        sleep 0.1
    done
    clipboard
}
wait_changed() {  # wait_changed file reference: until the file's bytes differ
    for _ in $(seq 100); do
        cmp -s "$1" "$2" || return 0
        sleep 0.1
    done
    fail "$1 did not change"
}
