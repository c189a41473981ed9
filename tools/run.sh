#!/usr/bin/env bash
# Builds Quindral and starts it.
#
# With a desktop (DISPLAY set) the window opens on the user's drives: those of the Wine
# prefix ($WINEPREFIX, else ~/.wine). Where there is no prefix, a small demonstration
# prefix is made in build/demo, whose C: drive holds a Windows folder, so that the
# program has something to watch at once.
#
# Without a desktop the window runs on a virtual screen (Xvfb) over the demonstration
# drive: the script chooses 開始 (Alt+S) and 比　較 (Alt+H) as a user would, copies the
# report (Alt+C) and prints it, saves a screenshot in build/ and prints its path, and
# closes the window (Alt+E).
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
cmake --build build --target quindral
# The build has the address sanitizer; what the toolkit keeps until exit is no leak of ours.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0}

# A demonstration prefix whose C: drive has a Windows folder with a few entries.
make_demo() {
    local demo=$PWD/build/demo
    mkdir -p "$demo/prefix/dosdevices" "$demo/drive_c/Windows/System"
    ln -sfn ../../drive_c "$demo/prefix/dosdevices/c:"
    for f in Windows/System/Kernel32.dll Windows/System/User32.dll Windows/Win.ini Windows/System.ini; do
        [ -e "$demo/drive_c/$f" ] || printf 'demo\r\n' >"$demo/drive_c/$f"
    done
    export WINEPREFIX=$demo/prefix
    echo "Demonstration drive C: is $demo/drive_c (data folder: $demo/drive_c/Kavru)"
}

if [ -n "${DISPLAY:-}" ]; then
    prefix=${WINEPREFIX:-$HOME/.wine}
    [ -d "$prefix/dosdevices" ] || make_demo
    exec build/quindral
fi

make_demo
# Something to report: one file rewritten and one added since the last snapshot.
demo_c=$PWD/build/demo/drive_c
if [ -e "$demo_c/Kavru/czenkai.txt" ]; then
    touch "$demo_c/Windows/Win.ini"
    printf 'demo\r\n' >"$demo_c/Windows/System/New$(date +%H%M%S).dll"
fi

n=99
while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp -noreset >build/xvfb.log 2>&1 &
xvfb=$!
quindral=
cleanup() {
    [ -n "$quindral" ] && kill "$quindral" 2>/dev/null || true
    kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT
export DISPLAY=":$n"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

mkdir -p -m 700 build/runtime
XDG_RUNTIME_DIR=$PWD/build/runtime QT_QPA_PLATFORM=xcb build/quindral &
quindral=$!
if ! wid=$(timeout 30 xdotool search --sync --onlyvisible --name '^Quindral$' | head -n1); then
    echo "The window did not appear." >&2
    exit 1
fi
press() {
    xdotool windowfocus --sync "$wid" 2>/dev/null || true
    xdotool key --clearmodifiers "$1"
    sleep 1
}
press alt+s   # 開始: scan and load the snapshot
press alt+h   # 比　較: the report, saved as a log file
press alt+c   # ｸﾘｯﾌﾟﾎﾞｰﾄﾞにｺﾋﾟｰ
echo "The report in the window:"
xclip -selection clipboard -o | tr -d '\r'
echo
shot=$PWD/build/screenshot.png
import -window root "$shot"
echo "Screenshot of the window: $shot"

press alt+e   # 閉じる
for _ in $(seq 30); do kill -0 "$quindral" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$quindral" 2>/dev/null; then
    kill "$quindral"
fi
wait "$quindral" 2>/dev/null || true
quindral=
