#!/usr/bin/env bash
# Builds Quindral and starts it. With a desktop (DISPLAY set) the window opens on the
# user's own drives. Without one, the window is shown on a virtual screen (Xvfb) over a
# small demonstration drive C: in build/demo, a screenshot of it is saved in build/ and
# its path printed, and the program is closed again.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
cmake --build build --target quindral
# The build has the address sanitizer; what the toolkit keeps until exit is no leak of ours.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0}

if [ -n "${DISPLAY:-}" ]; then
    exec build/quindral
fi

# A demonstration drive C: with a Windows folder, so that nothing is written outside build/.
demo=$PWD/build/demo
mkdir -p "$demo/prefix/dosdevices" "$demo/drive_c/Windows/System"
ln -sfn ../../drive_c "$demo/prefix/dosdevices/c:"
for f in Windows/System/Kernel32.dll Windows/System/User32.dll Windows/Win.ini; do
    [ -e "$demo/drive_c/$f" ] || printf 'demo\r\n' >"$demo/drive_c/$f"
done
export WINEPREFIX=$demo/prefix

# The first free display number.
n=99
while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >build/xvfb.log 2>&1 &
xvfb=$!
quindral=
cleanup() {
    [ -n "$quindral" ] && kill "$quindral" 2>/dev/null || true
    kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT
export DISPLAY=":$n"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

QT_QPA_PLATFORM=xcb build/quindral &
quindral=$!
if ! timeout 30 xdotool search --sync --onlyvisible --name '^Quindral$' >/dev/null; then
    echo "The window did not appear." >&2
    exit 1
fi
sleep 1  # let it paint
shot=$PWD/build/screenshot.png
import -window root "$shot"
echo "Screenshot of the window: $shot"

# Close it as the user would: Alt+E chooses 閉じる.
xdotool key alt+e
for _ in $(seq 30); do kill -0 "$quindral" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$quindral" 2>/dev/null; then
    kill "$quindral"
fi
wait "$quindral" 2>/dev/null || true
quindral=
