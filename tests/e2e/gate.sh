#!/usr/bin/env bash
# With a snapshot file at start-up and no Start yet, the access keys of Compare, Update
# file and Copy to clipboard do nothing: their buttons are hidden and the gate is shut.
source "$(dirname "$0")/lib.sh" "$1"
start_display
make_drive
write_snapshot
printf 'older\r\n' >"$DRIVE_C/Kavru/czenkai.bak"
cp "$DRIVE_C/Kavru/czenkai.bak" "$WORK/bak"

start_app "1997-05-03 09:05:03"
printf 'held by another program' | xclip -selection clipboard -i
key alt+h
key alt+a
key alt+c
expect_same "$DRIVE_C/Kavru/czenkai.txt" "$WORK/snapshot"
expect_same "$DRIVE_C/Kavru/czenkai.bak" "$WORK/bak"
[ "$(ls "$DRIVE_C/Kavru")" = $'czenkai.bak\nczenkai.txt' ] || fail "a command ran: $(ls "$DRIVE_C/Kavru")"
[ "$(clipboard)" = "held by another program" ] || fail "the clipboard changed"
key alt+e
expect_exit 0
echo "gate: passed"
