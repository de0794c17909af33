# A private X server, optionally with weston nested in it, and the pointer
# and pixels of its screen, for tests that drive the real window. Only the
# standard library and Debian's programs are used, and libX11 through ctypes
# for reads fast enough to sample the screen within a hover poll.
import contextlib
import ctypes
import ctypes.util
import json
import os
import pathlib
import shutil
import subprocess
import sys
import tempfile
import time

# Weston's output at the top left of the X screen, black where no window is,
# the pointer parked in its corner, where only its tip shows, within MARGIN
# pixels of the edges; AREA is the rest, where windows show.
OUTPUT, MARGIN, BLACK = (800, 600), 10, (0, 0, 0)
AREA, PARKED = (OUTPUT[0] - MARGIN, OUTPUT[1] - MARGIN), (OUTPUT[0] - 1, OUTPUT[1] - 1)


def skip(reason):
    print("SKIP: " + reason)
    sys.exit(77)


def need(*programs):
    missing = [name for name in programs if shutil.which(name) is None]
    if missing:
        skip("not installed: " + ", ".join(missing))


def finish(failures):
    print("".join("FAIL: %s\n" % failure for failure in failures), end="")
    sys.exit(1 if failures else 0)


# Processes and folders, ended and removed in reverse order on exit.
class Processes(contextlib.ExitStack):
    def start(self, args, **kwargs):
        process = subprocess.Popen(args, stdin=subprocess.DEVNULL, **kwargs)
        self.callback(lambda: process.terminate() or process.wait(10))
        return process

    def folder(self):
        return self.enter_context(tempfile.TemporaryDirectory(prefix="tallix-e2e-"))


# Xvfb on a display number it picks; -noreset, or a client arriving just
# after a brief one such as xdotool would be refused. Returns ":N".
def start_xvfb(processes, size=(1024, 768)):
    read_end, write_end = os.pipe()
    processes.start(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "%dx%dx24" % size,
                     "-nolisten", "tcp", "-noreset"], pass_fds=(write_end,), stderr=subprocess.DEVNULL)
    os.close(write_end)
    with os.fdopen(read_end) as pipe:
        return ":" + (pipe.readline().strip() or skip("Xvfb did not start"))


def x11_env(display):
    return dict(os.environ, DISPLAY=display, QT_QPA_PLATFORM="xcb", WAYLAND_DISPLAY="")


# weston as a window of the X server, its output at the screen's top left, a
# black desktop with no panel; returns a Wayland client's environment, in
# which the client draws no title bar: a window's pixels are its contents.
def start_weston(processes, display):
    runtime = processes.folder()
    pathlib.Path(runtime, "weston.ini").write_text("[shell]\nbackground-color=0xff000000\npanel-position=none\n")
    env = dict(x11_env(display), XDG_RUNTIME_DIR=runtime)
    processes.start(["weston", "--backend=x11-backend.so", "--use-pixman", "--socket=e2e",
                     "--config=" + runtime + "/weston.ini", "--width=%d" % OUTPUT[0],
                     "--height=%d" % OUTPUT[1], "--idle-time=0"], env=env, stderr=subprocess.DEVNULL)
    if not wait_for(lambda: os.path.exists(runtime + "/e2e"), 15):
        skip("weston did not start")
    return dict(env, WAYLAND_DISPLAY="e2e", QT_QPA_PLATFORM="wayland",
                QT_WAYLAND_DISABLE_WINDOWDECORATION="1")


# The bounds of what is not weston's black desktop right of x.
def lit_rect(shot, x=0):
    pixels = shot.pixels(x, 0, AREA[0] - x, AREA[1])
    return bounds([(x + i % (AREA[0] - x), i // (AREA[0] - x)) for i, p in enumerate(pixels) if p != BLACK])


def bounds(points):
    xs, ys = [p[0] for p in points], [p[1] for p in points]
    return (min(xs), min(ys), max(xs) - min(xs) + 1, max(ys) - min(ys) + 1) if points else None


# Weston moves its pointer by the X pointer's steps from where it first saw
# it, stopped at its edges: once it is drawn where moved, park it in the corner.
def park_pointer(shot):
    middle = (OUTPUT[0] // 2, OUTPUT[1] // 2)

    def drawn_in_the_middle():
        shot.move_pointer(0, 0)
        shot.move_pointer(*middle)
        drawn = lit_rect(shot)
        return drawn is not None and abs(drawn[0] - middle[0]) + abs(drawn[1] - middle[1]) < 8

    if not wait_for(drawn_in_the_middle, 15, 0.2):
        skip("weston shows no pointer")
    shot.move_pointer(*PARKED)
    wait_for(lambda: lit_rect(shot) is None, 5) or sys.exit("FAIL: the pointer stays in sight")


# Starts the program under weston; its window's rectangle, once drawn, and the process.
def show_on_weston(processes, shot, program, env):
    app = processes.start([program], env=env, stderr=subprocess.DEVNULL)
    if not wait_for(lambda: lit_rect(shot), 20, 0.2):
        sys.exit("FAIL: no window on the desktop (tallix status %s)" % app.poll())
    time.sleep(0.5)  # let it draw everything
    return lit_rect(shot), app


# env with an xdg-open first on its PATH that records what it is asked to
# open, and a function that lists that.
def recording_opener(processes, env):
    folder = processes.folder()
    opener, opened = pathlib.Path(folder, "xdg-open"), pathlib.Path(folder, "opened")
    opener.write_text('#!/bin/sh\necho "$1" >> %s\n' % opened)
    opener.chmod(0o755)
    return dict(env, PATH=folder + os.pathsep + env["PATH"]), \
        lambda: opened.read_text().splitlines() if opened.exists() else []


def wait_for(condition, seconds, step=0.05):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline and not condition():
        time.sleep(step)
    return condition()


def xdotool(display, *args):
    return subprocess.run(["xdotool", *args], env=dict(os.environ, DISPLAY=display),
                          capture_output=True, text=True, timeout=20).stdout


# (x, y, width, height) of the window with that id.
def window_geometry(display, window):
    shell = dict(line.split("=") for line in
                 xdotool(display, "getwindowgeometry", "--shell", window).splitlines())
    return tuple(int(shell[key]) for key in ("X", "Y", "WIDTH", "HEIGHT"))


def visible_windows(display, *search):
    return xdotool(display, "search", "--onlyvisible", *search).split()


# The id of the shown window with that title, once it is shown.
def shown_window(display, title):
    if not wait_for(lambda: visible_windows(display, "--name", "^%s$" % title), 20):
        sys.exit("FAIL: no window titled %r came up" % title)
    return visible_windows(display, "--name", "^%s$" % title)[0]


# Starts the program on X alone; its main window's id and rectangle once drawn.
def show_on_x11(processes, program, display, env=None):
    processes.start([program], env=env or x11_env(display))
    window = shown_window(display, "Tallix")
    time.sleep(0.5)  # let it draw everything
    return window, window_geometry(display, window)


class _XImage(ctypes.Structure):
    _fields_ = [(name, ctypes.c_void_p if name == "data" else ctypes.c_int) for name in (
        "width height xoffset format data byte_order bitmap_unit bitmap_bit_order bitmap_pad depth"
        " bytes_per_line bits_per_pixel").split()]


# The pointer and the pixels of an X display's root window.
class Screen:
    def __init__(self, display):
        x = self._x = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
        ptr, win, i, u, image = ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_uint, ctypes.POINTER(_XImage)
        for name, result, args in [
                ("XOpenDisplay", ptr, [ctypes.c_char_p]), ("XDefaultRootWindow", win, [ptr]),
                ("XWarpPointer", None, [ptr, win, win, i, i, u, u, i, i]), ("XSync", None, [ptr, i]),
                ("XGetImage", image, [ptr, win, i, i, u, u, win, i]), ("XDestroyImage", None, [image]),
                ("XCreateSimpleWindow", win, [ptr, win, i, i, u, u, u, win, win]),
                ("XMapRaised", None, [ptr, win]), ("XDestroyWindow", None, [ptr, win])]:
            getattr(x, name).restype, getattr(x, name).argtypes = result, args
        self.name, self._display = display, x.XOpenDisplay(display.encode())
        self._root = x.XDefaultRootWindow(self._display)

    # Clicks at the point, runs more xdotool commands chained, and parks the pointer.
    def click(self, point, *then):
        self.move_pointer(*point)
        xdotool(self.name, "click", "1", *then)
        self.move_pointer(*PARKED)

    # Warps the pointer: the windows it crosses get their enter and leave events.
    def move_pointer(self, x, y):
        self._x.XWarpPointer(self._display, 0, self._root, 0, 0, 0, 0, x, y)
        self._x.XSync(self._display, 0)

    # Maps a black window of another client over the rectangle, on top;
    # returns what takes it away.
    def cover(self, x, y, width, height):
        window = self._x.XCreateSimpleWindow(self._display, self._root, x, y, width, height, 0, 0, 0)
        self._x.XMapRaised(self._display, window)
        self._x.XSync(self._display, 0)
        return lambda: self._x.XDestroyWindow(self._display, window) or self._x.XSync(self._display, 0)

    # The (r, g, b) of every pixel of the rectangle, row by row (32 bits a
    # pixel, blue first, as Xvfb's 24-bit screen stores them).
    def pixels(self, x, y, width, height):
        image = self._x.XGetImage(self._display, self._root, x, y, width, height, 0xFFFFFFFF, 2)
        line = image.contents.bytes_per_line
        data = ctypes.string_at(image.contents.data, line * height)
        self._x.XDestroyImage(image)
        return [(data[j + 2], data[j + 1], data[j]) for row in range(height)
                for j in range(row * line, row * line + 4 * width, 4)]


# The contrast ratio of two colours as accessibility guidelines define it:
# 1 for equal colours, 21 for black on white.
def contrast(a, b):
    light, dark = sorted((luminance(a), luminance(b)), reverse=True)
    return (light + 0.05) / (dark + 0.05)


def luminance(colour):
    linear = [c / 12.92 if c <= 0.04045 else ((c + 0.055) / 1.055) ** 2.4
              for c in (channel / 255 for channel in colour)]
    return 0.2126 * linear[0] + 0.7152 * linear[1] + 0.0722 * linear[2]


# Whether a button's hot ring shows: its orange is in no other look, nor around it.
def hot(shot, rect):
    return any(r >= 200 and 90 <= g <= 200 and b <= 100 for r, g, b in shot.pixels(*rect))


# A window's client area in pixels at 96 dpi, from its layout's twips.
def layout_size(path):
    return tuple(round(json.load(open(path))[key] / 15) for key in ("width", "height"))


# The screen rectangle of each control of a layout with its client area at
# origin, by name and, for a button, also by caption.
def rects(path, origin=(0, 0)):
    found = {}
    for control in json.load(open(path))["controls"]:
        if "left" in control:  # a line has no box
            left, top, right, bottom = (round(twips / 15) for twips in (
                control["left"], control["top"], control["left"] + control["width"], control["top"] + control["height"]))
            caption = control.get("properties", {}).get("caption", control["name"])
            found[control["name"]] = found[caption] = (origin[0] + left, origin[1] + top, right - left, bottom - top)
    return found


def overlaps(a, b):
    return a[0] < b[0] + b[2] and b[0] < a[0] + a[2] and a[1] < b[1] + b[3] and b[1] < a[1] + a[3]


def centre(rect):
    return rect[0] + rect[2] // 2, rect[1] + rect[3] // 2
