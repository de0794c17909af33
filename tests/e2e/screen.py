# A private X server, optionally with a nested Wayland compositor, and the
# pointer and pixels of its screen, for tests that drive the real window.
#
# Only the standard library and Debian's own programs and libraries are used:
# Xvfb, xdotool, weston, and libX11 through ctypes for reads fast enough to
# sample the screen several times within a hover poll.
import ctypes
import ctypes.util
import json
import os
import shutil
import subprocess
import sys
import tempfile
import time

SKIP = 77  # the exit status ctest is told means "skipped"


def skip(reason):
    print("SKIP: " + reason)
    sys.exit(SKIP)


def need_programs(*names):
    missing = [name for name in names if shutil.which(name) is None]
    if missing:
        skip("not installed: " + ", ".join(missing))


def finish(failures):
    for failure in failures:
        print("FAIL: " + failure)
    sys.exit(1 if failures else 0)


# Processes started by a test, ended in reverse order on exit, then the
# temporary folders they used removed.
class Processes:
    def __init__(self):
        self._started, self._folders = [], []

    def start(self, args, **kwargs):
        self._started.append(subprocess.Popen(args, stdin=subprocess.DEVNULL, **kwargs))
        return self._started[-1]

    def folder(self):
        self._folders.append(tempfile.mkdtemp(prefix="tallix-e2e-"))
        return self._folders[-1]

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        for process in reversed(self._started):
            if process.poll() is None:
                process.terminate()
                try:
                    process.wait(timeout=5)
                except subprocess.TimeoutExpired:
                    process.kill()
                    process.wait()
        for folder in self._folders:
            shutil.rmtree(folder, ignore_errors=True)


# Starts Xvfb on a display number it picks itself; returns ":N". The
# server does not reset when its last client leaves, which would refuse a
# program connecting just after a brief client such as xdotool.
def start_xvfb(processes, size=(1024, 768)):
    read_end, write_end = os.pipe()
    processes.start(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "%dx%dx24" % size,
                     "-nolisten", "tcp", "-noreset"], pass_fds=(write_end,),
                    stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_end)
    with os.fdopen(read_end) as pipe:
        number = pipe.readline().strip()
    if not number:
        skip("Xvfb did not start")
    return ":" + number


def x11_env(display):
    env = dict(os.environ, DISPLAY=display, QT_QPA_PLATFORM="xcb")
    env.pop("WAYLAND_DISPLAY", None)
    return env


# Starts weston as a window of the X server `display` with its desktop
# shell on a black desktop with no panel; returns the environment a
# Wayland client needs. Unless `title_bars`, the client draws no title
# bar, so a window's pixels are its contents.
def start_weston(processes, display, output, title_bars=False):
    runtime = processes.folder()
    config = os.path.join(runtime, "weston.ini")
    with open(config, "w") as file:
        file.write("[shell]\nbackground-color=0xff000000\npanel-position=none\n")
    socket = "tallix-e2e-%d" % os.getpid()
    env = dict(os.environ, DISPLAY=display, XDG_RUNTIME_DIR=runtime)
    env.pop("WAYLAND_DISPLAY", None)
    processes.start(["weston", "--backend=x11-backend.so", "--use-pixman",
                     "--shell=desktop-shell.so", "--config=" + config, "--socket=" + socket,
                     "--width=%d" % output[0], "--height=%d" % output[1], "--idle-time=0"],
                    env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    if not wait_for(lambda: os.path.exists(os.path.join(runtime, socket)), 15):
        skip("weston did not start")
    client = dict(env, WAYLAND_DISPLAY=socket, QT_QPA_PLATFORM="wayland")
    if not title_bars:
        client["QT_WAYLAND_DISABLE_WINDOWDECORATION"] = "1"
    client.pop("DISPLAY")
    return client


# On weston's black desktop (weston's output at the top left of the X
# screen) the pointer rests in the bottom right corner, where only the tip of
# its arrow shows, within MARGIN pixels of the edges.
BLACK = (0, 0, 0)
MARGIN = 10


def parked(output):
    return output[0] - 1, output[1] - 1


# The bounding box of what is not the black desktop on weston's output
# right of x, the margin where the parked pointer's tip shows aside.
def lit_rect(shot, output, x=0):
    width, height = output[0] - MARGIN - x, output[1] - MARGIN
    lit = [i for i, p in enumerate(shot.pixels(x, 0, width, height)) if p != BLACK]
    return bounds([(x + i % width, i // width) for i in lit]) if lit else None


def bounds(points):
    xs, ys = [p[0] for p in points], [p[1] for p in points]
    return min(xs), min(ys), max(xs) - min(xs) + 1, max(ys) - min(ys) + 1


# Moves the pointer to its corner once weston draws it where it is
# moved: weston moves its pointer by the X pointer's steps, from where it
# first saw it, and stops it at its edges.
def park_pointer(shot, output):
    middle = (output[0] // 2, output[1] // 2)

    def drawn_in_the_middle():
        shot.move_pointer(0, 0)
        shot.move_pointer(*middle)
        drawn = lit_rect(shot, output)
        return drawn is not None and abs(drawn[0] - middle[0]) < 5 and \
            abs(drawn[1] - middle[1]) < 5

    if not wait_for(drawn_in_the_middle, 15, 0.2):
        skip("weston shows no pointer")
    shot.move_pointer(*parked(output))
    if not wait_for(lambda: lit_rect(shot, output) is None, 5):
        sys.exit("FAIL: the pointer is not where it was moved to")


# Starts the program and waits until its window is drawn; returns the
# window's rectangle and the process.
def show_on_weston(processes, shot, program, env, output):
    app = processes.start([program], env=env, stderr=subprocess.DEVNULL)
    if not wait_for(lambda: lit_rect(shot, output) is not None, 20, 0.2):
        sys.exit("FAIL: no window on the desktop (tallix %s)" %
                 ("exited %d" % app.returncode if app.poll() is not None else "running"))
    time.sleep(0.5)  # let it draw everything
    return lit_rect(shot, output), app


# Stands in for the desktop's opener: an `xdg-open` first on the PATH of the
# environment it makes, which records what the program asks it to open, one
# line each, and opens nothing; Qt asks xdg-open before any browser.
class RecordingOpener:
    def __init__(self, folder):
        self._folder, self._log = folder, os.path.join(folder, "opened")
        script = os.path.join(folder, "xdg-open")
        with open(script, "w") as file:
            file.write('#!/bin/sh\nprintf \'%%s\\n\' "$1" >> "%s"\n' % self._log)
        os.chmod(script, 0o755)

    def environment(self, env):
        return dict(env, PATH=self._folder + os.pathsep + env.get("PATH", ""))

    def opened(self):
        if not os.path.exists(self._log):
            return []
        with open(self._log) as file:
            return file.read().splitlines()


def wait_for(condition, seconds, step=0.05):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        if condition():
            return True
        time.sleep(step)
    return condition()


def xdotool(display, *args):
    return subprocess.run(["xdotool", *args], env=dict(os.environ, DISPLAY=display),
                          capture_output=True, text=True, timeout=20).stdout


# (x, y, width, height) of the window with that id.
def window_geometry(display, window):
    values = dict(line.split("=") for line in
                  xdotool(display, "getwindowgeometry", "--shell", window).splitlines())
    return tuple(int(values[key]) for key in ("X", "Y", "WIDTH", "HEIGHT"))


# The ids of the shown windows that `xdotool search` finds.
def visible_windows(display, *search):
    return xdotool(display, "search", "--onlyvisible", *search).split()


# The id of the shown window with that title, once it is shown.
def shown_window(display, title):
    if not wait_for(lambda: visible_windows(display, "--name", "^%s$" % title), 20):
        sys.exit("FAIL: no window titled %r came up" % title)
    return visible_windows(display, "--name", "^%s$" % title)[0]


# Starts the program on the X display alone and waits until its main
# window is shown and drawn; returns that window's id and rectangle.
def show_on_x11(processes, program, display, env=None):
    processes.start([program], env=env or x11_env(display))
    window = shown_window(display, "Tallix")
    time.sleep(0.5)  # let it draw everything
    return window, window_geometry(display, window)


class _XImage(ctypes.Structure):
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int)]


# The pointer and the pixels of an X display's root window.
class Screen:
    def __init__(self, display):
        x = self._x = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
        ptr, win, i, u = ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_uint
        image = ctypes.POINTER(_XImage)
        for name, result, args in [
                ("XOpenDisplay", ptr, [ctypes.c_char_p]), ("XDefaultRootWindow", win, [ptr]),
                ("XWarpPointer", None, [ptr, win, win, i, i, u, u, i, i]),
                ("XSync", None, [ptr, i]), ("XGetImage", image, [ptr, win, i, i, u, u, win, i]),
                ("XGetPixel", win, [image, i, i]), ("XDestroyImage", None, [image]),
                ("XCreateSimpleWindow", win, [ptr, win, i, i, u, u, u, win, win]),
                ("XMapRaised", None, [ptr, win]), ("XDestroyWindow", None, [ptr, win])]:
            getattr(x, name).restype, getattr(x, name).argtypes = result, args
        self._display = x.XOpenDisplay(display.encode())
        if not self._display:
            raise RuntimeError("cannot open display " + display)
        self._root = x.XDefaultRootWindow(self._display)

    # Moves the pointer as a user would: the windows it crosses get
    # their motion, enter and leave events.
    def move_pointer(self, x, y):
        self._x.XWarpPointer(self._display, 0, self._root, 0, 0, 0, 0, x, y)
        self._x.XSync(self._display, 0)

    # Maps a black window of another client over the rectangle, on top
    # of every other; returns its id for uncover().
    def cover(self, x, y, width, height):
        window = self._x.XCreateSimpleWindow(self._display, self._root, x, y, width, height,
                                             0, 0, 0)
        self._x.XMapRaised(self._display, window)
        self._x.XSync(self._display, 0)
        return window

    def uncover(self, window):
        self._x.XDestroyWindow(self._display, window)
        self._x.XSync(self._display, 0)

    # The (r, g, b) of every pixel of the rectangle, row by row.
    def pixels(self, x, y, width, height):
        all_planes, z_pixmap = 0xFFFFFFFF, 2
        image = self._x.XGetImage(self._display, self._root, x, y, width, height,
                                  all_planes, z_pixmap)
        try:
            return [((p >> 16) & 255, (p >> 8) & 255, p & 255)
                    for p in (self._x.XGetPixel(image, i, j)
                              for j in range(height) for i in range(width))]
        finally:
            self._x.XDestroyImage(image)


# The contrast ratio of two (r, g, b) colours as accessibility
# guidelines define it: 1 for equal colours, 21 for black on white.
def contrast(a, b):
    light, dark = sorted((luminance(a), luminance(b)), reverse=True)
    return (light + 0.05) / (dark + 0.05)


# The relative luminance of an (r, g, b) colour: 0 for black, 1 for white.
def luminance(colour):
    linear = [c / 12.92 if c <= 0.04045 else ((c + 0.055) / 1.055) ** 2.4
              for c in (channel / 255 for channel in colour)]
    return 0.2126 * linear[0] + 0.7152 * linear[1] + 0.0722 * linear[2]


# How many pixels have the orange of a button's hot ring; no other look
# of a button, nor the window around it, has such a colour.
def hot_pixels(pixels):
    return sum(1 for r, g, b in pixels if r >= 200 and 90 <= g <= 200 and b <= 100)


def read_layout(path):
    with open(path) as file:
        return json.load(file)


# A window's client area in pixels at 96 dpi, from its layout's twips.
def layout_size(path):
    layout = read_layout(path)
    return round(layout["width"] / 15), round(layout["height"] / 15)


# (layout entry, rectangle in pixels at 96 dpi from the client area at
# `origin`) of every control of a layout that has a box (a line has none).
def _boxes(path, origin):
    for control in read_layout(path)["controls"]:
        if "left" in control:
            left, top = round(control["left"] / 15), round(control["top"] / 15)
            right = round((control["left"] + control["width"]) / 15)
            bottom = round((control["top"] + control["height"]) / 15)
            yield control, (origin[0] + left, origin[1] + top, right - left, bottom - top)


def control_rects(path, origin=(0, 0)):
    return {control["name"]: rect for control, rect in _boxes(path, origin)}


# The rectangle of every button of a layout, by its caption.
def key_rects(path, origin=(0, 0)):
    return {control["properties"]["caption"]: rect for control, rect in _boxes(path, origin)
            if "XPButton" in control.get("class", "")}


# Whether two (x, y, width, height) rectangles share a pixel.
def overlaps(a, b):
    return a[0] < b[0] + b[2] and b[0] < a[0] + a[2] and a[1] < b[1] + b[3] and b[1] < a[1] + a[3]


def centre(rect):
    x, y, width, height = rect
    return x + width // 2, y + height // 2
