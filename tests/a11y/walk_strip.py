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
        # The keyboard to the strip, then one field down.
        subprocess.run(["xdotool", "search", "--sync", "--name", "Quintara", "windowactivate", "--sync"],
                       check=False)
        for _ in range(3):
            focused = [i for i in range(16)
                       if strip.getChildAtIndex(i).getState().contains(pyatspi.STATE_FOCUSED)]
            if focused:
                break
            subprocess.run(["xdotool", "key", "Tab"], check=False)
            time.sleep(0.5)
        subprocess.run(["xdotool", "key", "Down"], check=False)
        moved = wait_for(lambda: strip.getChildAtIndex(1).getState().contains(pyatspi.STATE_FOCUSED))
        if not moved:
            print("the focused field did not follow Down")
            return 1
        print("ok: 16 fields, focus follows the keyboard")
        return 0
    finally:
        proc.kill()
        proc.wait()


if __name__ == "__main__":
    sys.exit(main())
