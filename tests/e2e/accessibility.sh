#!/bin/bash
# The program as a screen reader finds it: on an Xvfb screen with the desktop's
# accessibility bus (AT-SPI), tests/e2e/accessibility.py opens the five palettes from
# the keyboard, reads the tree, walks the windows with F6 and changes the star, with
# Orca listening where it is installed. Skipped (77) where Xvfb, xdotool,
# dbus-run-session, the bus or python3-pyatspi are missing.
set -u
program=$1
here=$(cd "$(dirname "$0")" && pwd)
python=/usr/bin/python3
for tool in Xvfb xdotool dbus-run-session; do
    command -v $tool >/dev/null 2>&1 || { echo "SKIPPED: $tool is missing"; exit 77; }
done
[ -x /usr/libexec/at-spi-bus-launcher ] || { echo "SKIPPED: at-spi2-core is missing"; exit 77; }
$python -c 'import pyatspi' 2>/dev/null || { echo "SKIPPED: python3-pyatspi is missing"; exit 77; }
work=$(mktemp -d) || exit 1
chmod 700 "$work"
server=
# The accessibility bus outlives its launcher: whatever runs from the folder goes.
trap '[ -n "$server" ] && kill "$server" 2>/dev/null; pkill -f "$work/" 2>/dev/null
      rm -rf "$work"' EXIT
Xvfb -displayfd 3 -screen 0 1280x1024x24 -noreset -nolisten tcp 3>"$work/display" \
    >"$work/xvfb.log" 2>&1 &
server=$!
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.1
done
[ -s "$work/display" ] || { echo "SKIPPED: Xvfb did not start"; exit 77; }
cd "$work" || exit 1
mkdir -p home/.config
# Both languages: English, and the C locale's Japanese. Orca, where installed, runs
# without a voice and logs what it would have said.
status=0
for language in en ja; do
    if [ $language = en ]; then locale="LANG=en_US.UTF-8 LANGUAGE=en"; else locale="LANG=C"; fi
    rm -rf home Vantrell.def orca.log && mkdir -p home/.config
    # shellcheck disable=SC2086
    env -u WAYLAND_DISPLAY -u LC_ALL -u LC_MESSAGES -u LANGUAGE -u QT_SCALE_FACTOR \
        DISPLAY=":$(tr -dc 0-9 <"$work/display")" HOME="$work/home" \
        XDG_CONFIG_HOME="$work/home/.config" XDG_RUNTIME_DIR="$work" QT_QPA_PLATFORM=xcb \
        QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 $locale ASAN_OPTIONS=detect_leaks=0 \
        timeout -s KILL 150 dbus-run-session -- $python "$here/accessibility.py" "$program" $language
    result=$?
    [ $result -eq 77 ] && exit 77
    [ $result -ne 0 ] && { echo "in language $language"; status=1; }
done
exit $status
