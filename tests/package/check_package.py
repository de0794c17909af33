#!/usr/bin/env python3
# Installs the Debian package with apt-get (replacing an installed one) and
# checks it as a user meets it: tallix-cli calculates, Help, clicked on a
# fresh account, asks the desktop for the page under /usr/share, and on
# Wayland the window keeps its size through the module the program loads
# there. Then purges it: dpkg forgets it, and none of its files is left.
#
#     check_package.py path/to/tallix_VERSION_ARCH.deb     (make check-package)
import os
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "e2e"))
import screen  # noqa: E402

SUDO = [] if os.getuid() == 0 else ["sudo"]


def run(*args):
    return subprocess.run(args, capture_output=True, text=True)


def apt_get(*args):
    done = run(*SUDO, "env", "DEBIAN_FRONTEND=noninteractive", "apt-get", "-y", *args)
    if done.returncode != 0:
        sys.exit(done.stdout + done.stderr + "FAIL: apt-get " + " ".join(args))


def help_asks_for():
    with screen.Processes() as processes:
        display = screen.start_xvfb(processes)
        env, opened = screen.recording_opener(processes, dict(
            screen.x11_env(display), HOME=processes.folder(), XDG_RUNTIME_DIR=processes.folder(), BROWSER=""))
        window = screen.show_on_x11(processes, "/usr/bin/tallix", display, env)[1]
        help_key = screen.rects(os.path.join(HERE, "..", "..", "ui", "layouts", "frmMain.json"), window)["Help"]
        screen.Screen(display).move_pointer(*screen.centre(help_key))
        screen.xdotool(display, "click", "1")
        screen.wait_for(opened, 5)
        return [document.removeprefix("file://") for document in opened()]


def wayland_failures():
    layouts = os.path.join(HERE, "..", "..", "ui", "layouts")
    done = run(sys.executable, os.path.join(HERE, "..", "e2e", "fixed_size_wayland.py"), "/usr/bin/tallix",
               os.path.join(layouts, "frmMain.json"), os.path.join(layouts, "frmF2.json"))
    return [] if done.returncode == 0 else ["on Wayland: " + done.stdout + done.stderr]


def main(deb):
    screen.need("Xvfb", "xdotool", "weston", "apt-get")
    apt_get("install", "--reinstall", os.path.realpath(deb))
    files = run("dpkg", "-L", "tallix").stdout.splitlines()
    failures = ["tallix-cli 1+1 printed %r" % answer for answer in [run("/usr/bin/tallix-cli", "1+1").stdout]
                if answer != "2\n"]
    failures += ["Help asked for %s" % asked for asked in [help_asks_for()]
                 if asked != ["/usr/share/tallix/help.htm"]]
    failures += wayland_failures()
    apt_get("purge", "tallix")
    failures += ["dpkg still knows tallix"] if run("dpkg", "-s", "tallix").returncode == 0 else []
    # Shared folders such as /usr/share stay; the package's files and folders named after it must not.
    failures += ["left after the purge: %s" % path for path in files
                 if os.path.exists(path) and (not os.path.isdir(path) or "tallix" in path)]
    screen.finish(failures)


if __name__ == "__main__":
    main(*sys.argv[1:])
