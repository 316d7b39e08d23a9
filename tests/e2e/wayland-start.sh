#!/bin/sh
# The program started natively on Wayland, under weston's headless compositor: it
# must come up and keep running until asked to end. Skipped (77) without weston or
# Qt's Wayland platform.
program=$1
command -v weston >/dev/null 2>&1 || { echo "SKIPPED: weston is missing"; exit 77; }
ls /usr/lib/*/qt6/plugins/platforms/libqwayland*.so >/dev/null 2>&1 ||
    { echo "SKIPPED: qt6-wayland is missing"; exit 77; }
runtime=$(mktemp -d) || exit 1
chmod 700 "$runtime"
compositor=
trap '[ -n "$compositor" ] && kill "$compositor" 2>/dev/null; rm -rf "$runtime"' EXIT
XDG_RUNTIME_DIR=$runtime weston --backend=headless-backend.so --socket=vantrell-test \
    --idle-time=0 >"$runtime/weston.log" 2>&1 &
compositor=$!
tries=0
until [ -S "$runtime/vantrell-test" ]; do
    tries=$((tries + 1))
    if [ $tries -gt 100 ]; then
        echo "SKIPPED: weston did not start"
        cat "$runtime/weston.log"
        exit 77
    fi
    sleep 0.1
done
cd "$runtime" || exit 1
status=0
env -u DISPLAY XDG_RUNTIME_DIR="$runtime" WAYLAND_DISPLAY=vantrell-test \
    QT_QPA_PLATFORM=wayland XDG_CONFIG_HOME="$runtime/config" ASAN_OPTIONS=detect_leaks=0 \
    timeout -s TERM 4 "$program" 2>"$runtime/errors.txt" || status=$?
cat "$runtime/errors.txt"
# 124: still running when timeout ended it, which is what a healthy start does.
if [ $status -ne 124 ]; then
    echo "the program ended by itself with status $status"
    exit 1
fi
! grep -qi "could not\|failed" "$runtime/errors.txt"
