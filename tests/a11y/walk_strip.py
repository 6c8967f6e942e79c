#!/usr/bin/python3
"""Walks the accessibility tree of a running Quintara as a screen reader does.

Run inside a D-Bus session with an AT-SPI bus and an X display (see
run_walk.sh): starts the program with the demo strip, finds its strip,
checks that it lists the 16 fields with their names and keys, moves the
keyboard with Down and checks that the focused field follows.
Exits 0 when all holds, 1 with the reason otherwise.
"""
import os
import subprocess
import sys
import time

import pyatspi


def find(node, test, depth=0):
    if node is None or depth > 30:
        return None
    try:
        if test(node):
            return node
        for i in range(node.childCount):
            hit = find(node.getChildAtIndex(i), test, depth + 1)
            if hit is not None:
                return hit
    except Exception:
        return None
    return None


def wait_for(test, seconds=20):
    deadline = time.time() + seconds
    while time.time() < deadline:
        value = test()
        if value:
            return value
        time.sleep(0.2)
    return None


def main():
    program, strip_file = sys.argv[1], sys.argv[2]
    expected = sys.argv[3].split("|")
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    proc = subprocess.Popen([program, strip_file], env=env)
    try:
        desktop = pyatspi.Registry.getDesktop(0)
        app = wait_for(lambda: find(desktop, lambda n: n.name == "quintara" or
                                    (n.getRole() == pyatspi.ROLE_APPLICATION and "uintara" in n.name)))
        if not app:
            print("the program does not show on the accessibility bus")
            return 1
        strip = wait_for(lambda: find(app, lambda n: n.getRole() == pyatspi.ROLE_LIST and
                                      n.name == "Einlegestreifen"))
        if not strip:
            print("no list named Einlegestreifen")
            return 1
        names = [strip.getChildAtIndex(i).name for i in range(16)]
        keys = [strip.getChildAtIndex(i).description for i in range(16)]
        if strip.childCount != 16 or names != expected:
            print("the fields are", strip.childCount, names)
            return 1
        if keys != ["Taste %d" % (i + 1) for i in range(16)]:
            print("the keys are", keys)
            return 1
        # The keyboard to the window, then Tab to the strip, then one field
        # down. twm has no _NET_ACTIVE_WINDOW and Qt takes no focus that only
        # follows the pointer, so the window is given the input focus itself;
        # Qt's hidden helper windows carry the name too, only a visible one is
        # the main window.
        window = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", "Quintara"],
                                capture_output=True, text=True, check=False).stdout.split()
        if not window:
            print("no window named Quintara")
            return 1
        subprocess.run(["xdotool", "windowfocus", "--sync", window[0]], check=False)

        def focused():
            return [i for i in range(16)
                    if strip.getChildAtIndex(i).getState().contains(pyatspi.STATE_FOCUSED)]
        for _ in range(6):
            if wait_for(focused, 2):
                break
            subprocess.run(["xdotool", "key", "Tab"], check=False)
        start = wait_for(focused, 5)
        if not start:
            print("Tab does not bring the keyboard to the strip")
            return 1
        if start[0] == 15:
            print("the strip starts on its last field")
            return 1
        subprocess.run(["xdotool", "key", "Down"], check=False)
        if not wait_for(lambda: focused() == [start[0] + 1]):
            print("the focused field did not follow Down:", start, focused())
            return 1
        print("ok: 16 fields, focus follows the keyboard")
        return 0
    finally:
        proc.kill()
        proc.wait()


if __name__ == "__main__":
    sys.exit(main())
