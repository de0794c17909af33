#!/usr/bin/env python3
# The window names itself as its menu entry is named, so that a dock shows the
# entry's icon on it: its X11 class (as xprop reads it) and its Wayland
# application id (as WAYLAND_DEBUG logs it) are the desktop file's name,
# which its StartupWMClass repeats.
#
#     app_id.py TALLIX DESKTOP_FILE
import os
import re
import subprocess
import sys

import screen


def x11_class(processes, tallix, display):
    window = screen.show_on_x11(processes, tallix, display)[0]
    return subprocess.run(["xprop", "-display", display, "-id", window, "WM_CLASS"],
                          capture_output=True, text=True).stdout, r'= "[^"]*", "([^"]*)"'


def wayland_app_id(processes, tallix, display):
    log = os.path.join(processes.folder(), "log")
    env = dict(screen.start_weston(processes, display), WAYLAND_DEBUG="1")
    processes.start([tallix], env=env, stderr=open(log, "w"))
    screen.wait_for(lambda: "set_app_id" in open(log).read(), 20, 0.2)
    return open(log).read(), r'xdg_toplevel@\d+\.set_app_id\("([^"]*)"\)'


def main(tallix, desktop_file):
    screen.need("Xvfb", "xdotool", "xprop", "weston")
    entry = os.path.basename(desktop_file)[:-len(".desktop")]
    names = re.findall(r"^StartupWMClass=(.*)$", open(desktop_file).read(), re.MULTILINE)
    for read in (x11_class, wayland_app_id):
        with screen.Processes() as processes:
            text, pattern = read(processes, tallix, screen.start_xvfb(processes))
            names += re.findall(pattern, text)[:1]
    screen.finish([] if names == [entry] * 3 else
                  ["StartupWMClass, X11 class, Wayland application id: %s, not %s" % (names, entry)])


if __name__ == "__main__":
    main(*sys.argv[1:])
