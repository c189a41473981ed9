#!/usr/bin/env bash
# A log file that cannot be created: Compare shows the platform's message in a box, and
# after OK the window goes on (Update file still works, Alt+E ends with exit code 0).
source "$(dirname "$0")/lib.sh" "$1"
start_display
make_drive
write_snapshot
# Folders stand where the log file of each of the first seconds would go.
for s in 3 4 5 6 7 8 9; do mkdir "$DRIVE_C/Kavru/Z9705039050$s.log"; done

start_app "1997-05-03 09:05:03"
key alt+s
key alt+h
box=
for _ in $(seq 100); do
    box=$(windows_named quindral | head -n1)
    [ -n "$box" ] && break
    sleep 0.1
done
[ -n "$box" ] || fail "no message box"
# E2E_SHOTS names a folder that keeps a picture of the box, for a look.
[ -z "${E2E_SHOTS:-}" ] || import -window root "$E2E_SHOTS/message-box.png"
xdotool windowfocus --sync "$box" 2>/dev/null || true
xdotool key Return
for _ in $(seq 100); do
    [ -z "$(windows_named quindral)" ] && break
    sleep 0.1
done
[ -z "$(windows_named quindral)" ] || fail "the box did not close"
kill -0 "$APP_PID" || fail "the program ended"

# The window goes on: Update file writes the scan as the snapshot.
key alt+a
wait_changed "$DRIVE_C/Kavru/czenkai.txt" "$WORK/snapshot"
expect_same "$DRIVE_C/Kavru/czenkai.bak" "$WORK/snapshot"
key alt+e
expect_exit 0
echo "log_error: passed"
