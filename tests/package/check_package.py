#!/usr/bin/env python3
# Installs the Debian package with apt-get and checks it as a user meets it:
# tallix-cli calculates, and the window's Help, clicked on a fresh account,
# asks the desktop for the page under /usr/share. Then purges the package and
# checks that none of its files is left. Replaces an installed tallix package.
#
#     check_package.py path/to/tallix_VERSION_ARCH.deb     (make check-package)
import os
import shutil
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "e2e"))
import screen  # noqa: E402

LAYOUT = os.path.join(HERE, "..", "..", "ui", "layouts", "frmMain.json")
PAGE = "/usr/share/tallix/help.htm"
SUDO = [] if os.getuid() == 0 else ["sudo"]


def fail(reason):
    sys.exit("check_package: FAIL: " + reason)


def run(*args):
    return subprocess.run(args, capture_output=True, text=True)


def apt_get(*args):
    done = run(*SUDO, "env", "DEBIAN_FRONTEND=noninteractive", "apt-get", "-y", *args)
    if done.returncode != 0:
        print(done.stdout + done.stderr)
        fail("apt-get " + " ".join(args))


def help_asks_for():
    with screen.Processes() as processes:
        display = screen.start_xvfb(processes)
        opener = screen.RecordingOpener(processes.folder())
        env = dict(opener.environment(screen.x11_env(display)), HOME=processes.folder(),
                   XDG_RUNTIME_DIR=processes.folder())
        env.pop("BROWSER", None)
        _, window = screen.show_on_x11(processes, "/usr/bin/tallix", display, env)
        screen.Screen(display).move_pointer(*screen.centre(screen.key_rects(LAYOUT, window)["Help"]))
        screen.xdotool(display, "click", "1")
        screen.wait_for(opener.opened, 5)
        return opener.opened()


def main(deb):
    for tool in ("Xvfb", "xdotool", "apt-get"):
        if shutil.which(tool) is None:
            fail(tool + " is missing")
    apt_get("install", "--reinstall", os.path.realpath(deb))
    files = run("dpkg", "-L", "tallix").stdout.splitlines()
    print("installed %s: %d paths" % (os.path.basename(deb), len(files)))
    answer = run("/usr/bin/tallix-cli", "1+1").stdout.strip()
    if answer != "2":
        fail("tallix-cli 1+1 printed %r" % answer)
    print("tallix-cli 1+1: " + answer)
    asked = help_asks_for()
    if [document.removeprefix("file://") for document in asked] != [PAGE]:
        fail("Help asked the desktop for %s, not %s" % (asked, PAGE))
    print("Help asked the desktop for: %s" % asked)
    apt_get("purge", "tallix")
    if run("dpkg", "-s", "tallix").returncode == 0:
        fail("dpkg still knows tallix")
    # Shared folders such as /usr/share stay, of course; the package's own
    # files, and the folders named after it, must not.
    left = [path for path in files
            if os.path.exists(path) and (not os.path.isdir(path) or "tallix" in path)]
    if left:
        fail("left after the purge: %s" % left)
    print("purged: none of the %d paths of the package is left" % len(files))


if __name__ == "__main__":
    main(*sys.argv[1:])
