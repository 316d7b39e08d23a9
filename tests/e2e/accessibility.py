"""Reads the program through AT-SPI as a screen reader does, then edits the radii
with the keyboard. Usage: accessibility.py PROGRAM (in an empty folder, on an X
display, inside a D-Bus session). Exits 77 when the accessibility bus cannot be used."""
import os
import struct
import subprocess
import sys
import time

import pyatspi

program = sys.argv[1]


def key(*keys):
    subprocess.run(["xdotool", "key", "--delay", "150", *keys], check=True, timeout=20)


def wait_for(find, what, seconds=20):
    end = time.time() + seconds
    while time.time() < end:
        found = find()
        if found:
            return found
        time.sleep(0.2)
    sys.exit(f"{what} did not appear")


def walk(node):
    yield node
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from walk(child)


def record():
    data = open("Vantrell.def", "rb").read()
    return struct.unpack_from("<i", data, 52)[0], struct.unpack_from("<i", data, 4)[0]


launcher = subprocess.Popen(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"])
time.sleep(1)
app_process = subprocess.Popen([program])
failures = []
try:
    desktop = pyatspi.Registry.getDesktop(0)
    app = wait_for(lambda: next((a for a in desktop if a and a.name == "vantrell"), None),
                   "the program on the accessibility bus")
    window_id = wait_for(lambda: subprocess.run(
        ["xdotool", "search", "--onlyvisible", "--name", "^Vantrell$"],
        capture_output=True, text=True).stdout.split(), "the main window")[0]
    for letter in "jrtep":  # the five palettes from the Edit menu
        subprocess.run(["xdotool", "windowfocus", "--sync", window_id], timeout=20)
        key("alt+e", letter)
        time.sleep(0.5)
    time.sleep(1)

    frames = [w for w in app if w is not None]
    names = [w.name for w in frames]
    if len(frames) < 6 or len(set(names)) != len(names):
        failures.append(f"six windows with six names, not {names}")
    controls = (pyatspi.ROLE_SLIDER, pyatspi.ROLE_SPIN_BUTTON, pyatspi.ROLE_TEXT,
                pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_CHECK_BOX)
    for frame in frames:
        for node in walk(frame):
            if node.getRole() in controls and not node.name and \
                    node.parent.getRole() != pyatspi.ROLE_SPIN_BUTTON:
                failures.append(f"a {node.getRoleName()} without a name in {frame.name}")
    everything = [n for f in frames for n in walk(f)]
    star = next((n for n in everything if n.name == "Star"), None)
    if star is None or "jags" not in star.description or \
            not star.getState().contains(pyatspi.STATE_FOCUSABLE):
        failures.append("no focusable drawing area named Star with a description")
    if not any("Size:" in n.description for n in everything):
        failures.append("the status bar's size is not readable")

    # Up, Up, Shift+Up in the drawing area, then Save Settings; then undo all three.
    subprocess.run(["xdotool", "windowfocus", "--sync", window_id], timeout=20)
    star.queryComponent().grabFocus()
    time.sleep(0.5)
    key("alt+f", "s")
    time.sleep(0.5)
    outer, inner = record()
    key("Down", "Down", "Down", "Up", "Up", "shift+Up")
    key("alt+f", "s")
    time.sleep(0.5)
    if record() != (outer - 1, inner + 1):
        failures.append(f"after the keys the radii are {record()}, from {(outer, inner)}")
    key("ctrl+z", "ctrl+z", "ctrl+z")
    key("alt+f", "s")
    time.sleep(0.5)
    if record() != (outer - 3, inner):
        failures.append(f"undo took the radii to {record()}")
finally:
    app_process.kill()
    launcher.terminate()
    launcher.wait(timeout=10)
for failure in failures:
    print(failure)
sys.exit(1 if failures else 0)
