#!/usr/bin/python3
"""Prints what a screen reader reads of one running program.

Usage: accessible_tree.py PID [SECONDS]

Waits up to SECONDS (default 20) for the program with process id PID to
appear on the accessibility bus, then prints every object of its tree, one
line each: depth, role, name, description and "selected" when it is,
tab-separated. Exit status 2:
the program never appeared; 3: the bus could not be read.
"""
import sys
import time

import pyatspi


def one_line(text):
    return " ".join((text or "").split())


def walk(node, depth, out):
    selected = node.getState().contains(pyatspi.STATE_SELECTED)
    out.append("%d\t%s\t%s\t%s\t%s" % (depth, node.getRoleName(), one_line(node.name),
                                       one_line(node.description),
                                       "selected" if selected else ""))
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            walk(child, depth + 1, out)


def find_program(pid):
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        try:
            if app is not None and app.get_process_id() == pid:
                return app
        except Exception:  # an application that went away meanwhile
            continue
    return None


def main():
    pid = int(sys.argv[1])
    seconds = float(sys.argv[2]) if len(sys.argv) > 2 else 20.0
    deadline = time.monotonic() + seconds
    try:
        app = find_program(pid)
        while app is None or app.childCount == 0:
            if time.monotonic() > deadline:
                print("the program (pid %d) did not appear on the accessibility bus" % pid,
                      file=sys.stderr)
                return 2
            time.sleep(0.2)
            app = find_program(pid)
        lines = []
        walk(app, 0, lines)
    except Exception as error:  # GLib errors: no bus, no registry
        print("the accessibility bus could not be read: %s" % error, file=sys.stderr)
        return 3
    sys.stdout.write("\n".join(lines) + "\n")
    return 0


if __name__ == "__main__":
    sys.exit(main())
