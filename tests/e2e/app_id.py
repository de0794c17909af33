#!/usr/bin/env python3
"""The window names itself as the menu entry is named, so that a dock shows
the entry's icon on it: its class on X11 (what xprop reads) and its
application id on Wayland (what the toolkit sends, read from WAYLAND_DEBUG)
are the desktop file's name, which its StartupWMClass repeats.

    app_id.py TALLIX DESKTOP_FILE

Runs the window on a private Xvfb, then on weston nested in another."""
import os
import re
import subprocess
import sys
import tempfile

import screen

OUTPUT = (640, 480)


def desktop_entry(path):
    """The id a desktop file gives its application, and its StartupWMClass."""
    with open(path) as file:
        keys = dict(line.rstrip("\n").split("=", 1) for line in file if "=" in line)
    return os.path.basename(path)[:-len(".desktop")], keys.get("StartupWMClass")


def x11_class(processes, tallix):
    """The class half of the main window's WM_CLASS."""
    display = screen.start_xvfb(processes, "%dx%d" % OUTPUT)
    env = dict(os.environ, DISPLAY=display, QT_QPA_PLATFORM="xcb")
    env.pop("WAYLAND_DISPLAY", None)
    processes.start([tallix], env=env)
    if not screen.wait_for(lambda: screen.visible_windows(display, "--name", "^Tallix$"), 20):
        sys.exit("FAIL: the window did not come up on X11")
    window = screen.visible_windows(display, "--name", "^Tallix$")[0]
    found = subprocess.run(["xprop", "-display", display, "-id", window, "WM_CLASS"],
                           capture_output=True, text=True, timeout=20).stdout
    # WM_CLASS(STRING) = "instance", "class"
    match = re.search(r'= "[^"]*", "([^"]*)"', found)
    return match.group(1) if match else found.strip()


def wayland_app_id(processes, tallix):
    """The id the toolkit gives the main window's toplevel."""
    display = screen.start_xvfb(processes, "%dx%d" % OUTPUT)
    env = dict(screen.start_weston(processes, display, *OUTPUT), WAYLAND_DEBUG="1")
    with tempfile.TemporaryFile(mode="w+") as log:
        processes.start([tallix], env=env, stderr=log)

        def sent():
            log.seek(0)
            return re.findall(r'xdg_toplevel@\d+\.set_app_id\("([^"]*)"\)', log.read())

        if not screen.wait_for(sent, 20, 0.2):
            sys.exit("FAIL: the window sent no application id on Wayland")
        return sent()[0]


# (what is read, how)
NAMES = [
    ("X11 class", x11_class),
    ("Wayland application id", wayland_app_id),
]


def main(tallix, desktop_file):
    screen.need_programs("Xvfb", "xdotool", "xprop", "weston")
    entry, startup_class = desktop_entry(desktop_file)
    failures = []
    if startup_class != entry:
        failures.append("StartupWMClass is %s, the entry's name %s" % (startup_class, entry))
    for what, read in NAMES:
        with screen.Processes() as processes:
            name = read(processes, tallix)
        print("%s: %s" % (what, name))
        if name != entry:
            failures.append("%s is %s, the menu entry %s" % (what, name, entry))
    for failure in failures:
        print("FAIL: " + failure)
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main(*sys.argv[1:])
