#!/usr/bin/env python3
# The window names itself as the menu entry is named, so that a dock shows
# the entry's icon on it: its class on X11 (what xprop reads) and its
# application id on Wayland (what the toolkit sends, read from WAYLAND_DEBUG)
# are the desktop file's name, which its StartupWMClass repeats.
#
#     app_id.py TALLIX DESKTOP_FILE
import os
import re
import subprocess
import sys
import tempfile

import screen

OUTPUT = (640, 480)


# The class half of the main window's WM_CLASS = "instance", "class".
def x11_class(processes, tallix):
    display = screen.start_xvfb(processes, OUTPUT)
    window, _ = screen.show_on_x11(processes, tallix, display)
    found = subprocess.run(["xprop", "-display", display, "-id", window, "WM_CLASS"],
                           capture_output=True, text=True, timeout=20).stdout
    match = re.search(r'= "[^"]*", "([^"]*)"', found)
    return match.group(1) if match else found.strip()


def wayland_app_id(processes, tallix):
    display = screen.start_xvfb(processes, OUTPUT)
    env = dict(screen.start_weston(processes, display, OUTPUT), WAYLAND_DEBUG="1")
    with tempfile.TemporaryFile(mode="w+") as log:
        processes.start([tallix], env=env, stderr=log)

        def sent():
            log.seek(0)
            return re.findall(r'xdg_toplevel@\d+\.set_app_id\("([^"]*)"\)', log.read())

        if not screen.wait_for(sent, 20, 0.2):
            sys.exit("FAIL: the window sent no application id on Wayland")
        return sent()[0]


def main(tallix, desktop_file):
    screen.need_programs("Xvfb", "xdotool", "xprop", "weston")
    entry = os.path.basename(desktop_file)[:-len(".desktop")]
    with open(desktop_file) as file:
        keys = dict(line.rstrip("\n").split("=", 1) for line in file if "=" in line)
    names = {"StartupWMClass": keys.get("StartupWMClass")}
    for what, read in (("X11 class", x11_class), ("Wayland application id", wayland_app_id)):
        with screen.Processes() as processes:
            names[what] = read(processes, tallix)
    for what, name in names.items():
        print("%s: %s" % (what, name))
    screen.finish(["%s is %s, the menu entry %s" % (what, name, entry)
                   for what, name in names.items() if name != entry])


if __name__ == "__main__":
    main(*sys.argv[1:])
