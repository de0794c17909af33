"""A private X server, optionally with a nested Wayland compositor, and the
pointer and pixels of its screen, for tests that drive the real window.

Only the standard library and Debian's own programs and libraries are used:
Xvfb, xdotool, weston, and libX11 through ctypes for reads fast enough to
sample the screen several times within a hover poll.
"""
import ctypes
import ctypes.util
import json
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import time
import zlib

SKIP = 77  # the exit status ctest is told means "skipped"


def skip(reason):
    print("SKIP: " + reason)
    sys.exit(SKIP)


def need_programs(*names):
    missing = [name for name in names if shutil.which(name) is None]
    if missing:
        skip("not installed: " + ", ".join(missing))


class Processes:
    """Processes started by a test, ended in reverse order on exit."""

    def __init__(self):
        self._started = []

    def start(self, args, **kwargs):
        process = subprocess.Popen(args, stdin=subprocess.DEVNULL, **kwargs)
        self._started.append(process)
        return process

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


def start_xvfb(processes, size="1024x768", noreset=False):
    """Starts Xvfb on a display number it picks itself; returns ":N".

    With noreset the server does not reset when its last client leaves, which
    a test needs when a brief client may leave it resetting as the next one
    connects."""
    read_end, write_end = os.pipe()
    processes.start(["Xvfb", "-displayfd", str(write_end), "-screen", "0", size + "x24",
                     "-nolisten", "tcp"] + (["-noreset"] if noreset else []),
                    pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_end)
    with os.fdopen(read_end) as pipe:
        number = pipe.readline().strip()
    if not number:
        skip("Xvfb did not start")
    return ":" + number


def start_weston(processes, display, width, height, title_bars=False):
    """Starts weston as a window of the X server `display` with its desktop
    shell on a black desktop with no panel, where a window goes wherever the
    shell likes; returns the environment a Wayland client needs. Unless
    `title_bars`, the client draws no title bar, so a window's pixels are its
    contents."""
    runtime = tempfile.mkdtemp(prefix="tallix-e2e-")
    os.chmod(runtime, 0o700)
    config = os.path.join(runtime, "weston.ini")
    with open(config, "w") as file:
        file.write("[shell]\nbackground-color=0xff000000\npanel-position=none\n")
    socket = "tallix-e2e-%d" % os.getpid()
    env = dict(os.environ, DISPLAY=display, XDG_RUNTIME_DIR=runtime)
    env.pop("WAYLAND_DISPLAY", None)
    processes.start(["weston", "--backend=x11-backend.so", "--use-pixman",
                     "--shell=desktop-shell.so", "--config=" + config, "--socket=" + socket,
                     "--width=%d" % width, "--height=%d" % height, "--idle-time=0"],
                    env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    path = os.path.join(runtime, socket)
    if not wait_for(lambda: os.path.exists(path), 15):
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


def window_rect(shot, output):
    """The bounding box of the pixels of weston's output that are not the
    black desktop, the margin where the parked pointer's tip shows aside."""
    width, height = output[0] - MARGIN, output[1] - MARGIN
    pixels = shot.pixels(0, 0, width, height)
    lit = [i for i, p in enumerate(pixels) if p != BLACK]
    if not lit:
        return None
    xs = [i % width for i in lit]
    ys = [i // width for i in lit]
    return min(xs), min(ys), max(xs) - min(xs) + 1, max(ys) - min(ys) + 1


def park_pointer(shot, output):
    """Moves the pointer to its corner once weston draws it where it is
    moved: weston moves its pointer by the X pointer's steps, from where it
    first saw it, and stops it at its edges."""
    middle = (output[0] // 2, output[1] // 2)

    def drawn_in_the_middle():
        shot.move_pointer(0, 0)
        shot.move_pointer(*middle)
        drawn = window_rect(shot, output)
        return drawn is not None and abs(drawn[0] - middle[0]) < 5 and \
            abs(drawn[1] - middle[1]) < 5

    if not wait_for(drawn_in_the_middle, 15, 0.2):
        skip("weston shows no pointer")
    shot.move_pointer(*parked(output))
    if not wait_for(lambda: window_rect(shot, output) is None, 5):
        sys.exit("FAIL: the pointer is not where it was moved to")


class RecordingOpener:
    """Stands in for the desktop's opener: an `xdg-open` first on the PATH of
    the environment it makes, which records what the program asks it to open,
    one line each, and opens nothing; Qt asks xdg-open before any browser."""

    def __init__(self):
        self._folder = tempfile.mkdtemp(prefix="tallix-opener-")
        self._log = os.path.join(self._folder, "opened")
        script = os.path.join(self._folder, "xdg-open")
        with open(script, "w") as file:
            file.write('#!/bin/sh\nprintf \'%%s\\n\' "$1" >> "%s"\n' % self._log)
        os.chmod(script, 0o755)

    def environment(self, env):
        return dict(env, PATH=self._folder + os.pathsep + env.get("PATH", ""))

    def opened(self):
        """The documents asked for so far, in order."""
        if not os.path.exists(self._log):
            return []
        with open(self._log) as file:
            return file.read().splitlines()

    def close(self):
        shutil.rmtree(self._folder, ignore_errors=True)


def wait_for(condition, seconds, step=0.05):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        if condition():
            return True
        time.sleep(step)
    return condition()


def xdotool(display, *args):
    result = subprocess.run(["xdotool", *args], env=dict(os.environ, DISPLAY=display),
                            capture_output=True, text=True, timeout=20)
    return result.stdout


def window_geometry(display, window):
    """(x, y, width, height) of the window with that id."""
    values = {}
    for line in xdotool(display, "getwindowgeometry", "--shell", window).splitlines():
        key, _, value = line.partition("=")
        values[key] = int(value)
    return values["X"], values["Y"], values["WIDTH"], values["HEIGHT"]


def visible_windows(display, *search):
    """The ids of the shown windows that `xdotool search` finds."""
    return xdotool(display, "search", "--onlyvisible", *search).split()


def show_on_x11(processes, program, display):
    """Starts the program on the X display alone and waits until its main
    window is shown and drawn; returns that window's id and top-left corner."""
    env = dict(os.environ, DISPLAY=display, QT_QPA_PLATFORM="xcb")
    env.pop("WAYLAND_DISPLAY", None)
    processes.start([program], env=env)
    if not wait_for(lambda: visible_windows(display, "--name", "^Tallix$"), 20):
        sys.exit("FAIL: the window did not come up")
    window = visible_windows(display, "--name", "^Tallix$")[0]
    left, top, _, _ = window_geometry(display, window)
    wait_for(lambda: False, 0.5)  # let it draw everything
    return window, left, top


def write_png(path, pixels, width, height):
    """Saves (r, g, b) pixels, row by row, as an 8-bit RGB PNG file."""
    rows = b"".join(b"\0" + bytes(channel for pixel in pixels[y * width:(y + 1) * width]
                                   for channel in pixel) for y in range(height))

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + \
            struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

    with open(path, "wb") as file:
        file.write(b"\x89PNG\r\n\x1a\n" +
                   chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)) +
                   chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b""))


class _XImage(ctypes.Structure):
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int)]


class Screen:
    """The pointer and the pixels of an X display's root window."""

    def __init__(self, display):
        self._x = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
        self._x.XOpenDisplay.restype = ctypes.c_void_p
        self._x.XOpenDisplay.argtypes = [ctypes.c_char_p]
        self._x.XDefaultRootWindow.restype = ctypes.c_ulong
        self._x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        self._x.XWarpPointer.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong] + \
            [ctypes.c_int] * 2 + [ctypes.c_uint] * 2 + [ctypes.c_int] * 2
        self._x.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
        self._x.XGetImage.restype = ctypes.POINTER(_XImage)
        self._x.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong] + [ctypes.c_int] * 2 + \
            [ctypes.c_uint] * 2 + [ctypes.c_ulong, ctypes.c_int]
        self._x.XGetPixel.restype = ctypes.c_ulong
        self._x.XGetPixel.argtypes = [ctypes.POINTER(_XImage), ctypes.c_int, ctypes.c_int]
        self._x.XDestroyImage.argtypes = [ctypes.POINTER(_XImage)]
        self._x.XCreateSimpleWindow.restype = ctypes.c_ulong
        self._x.XCreateSimpleWindow.argtypes = [ctypes.c_void_p, ctypes.c_ulong] + \
            [ctypes.c_int] * 2 + [ctypes.c_uint] * 3 + [ctypes.c_ulong] * 2
        self._x.XMapRaised.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
        self._x.XDestroyWindow.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
        self._display = self._x.XOpenDisplay(display.encode())
        if not self._display:
            raise RuntimeError("cannot open display " + display)
        self._root = self._x.XDefaultRootWindow(self._display)

    def move_pointer(self, x, y):
        """Moves the pointer as a user would: the windows it crosses get
        their motion, enter and leave events."""
        self._x.XWarpPointer(self._display, 0, self._root, 0, 0, 0, 0, x, y)
        self._x.XSync(self._display, 0)

    def cover(self, x, y, width, height):
        """Maps a black window of another client over the rectangle, on top
        of every other; returns its id for uncover()."""
        window = self._x.XCreateSimpleWindow(self._display, self._root, x, y, width, height,
                                             0, 0, 0)
        self._x.XMapRaised(self._display, window)
        self._x.XSync(self._display, 0)
        return window

    def uncover(self, window):
        self._x.XDestroyWindow(self._display, window)
        self._x.XSync(self._display, 0)

    def pixels(self, x, y, width, height):
        """The (r, g, b) of every pixel of the rectangle, row by row."""
        all_planes, z_pixmap = 0xFFFFFFFF, 2
        image = self._x.XGetImage(self._display, self._root, x, y, width, height,
                                  all_planes, z_pixmap)
        try:
            return [((p >> 16) & 255, (p >> 8) & 255, p & 255)
                    for p in (self._x.XGetPixel(image, i, j)
                              for j in range(height) for i in range(width))]
        finally:
            self._x.XDestroyImage(image)


def luminance(colour):
    """The relative luminance of an (r, g, b) colour: 0 for black, 1 for white."""
    def linear(channel):
        c = channel / 255
        return c / 12.92 if c <= 0.04045 else ((c + 0.055) / 1.055) ** 2.4
    r, g, b = (linear(c) for c in colour)
    return 0.2126 * r + 0.7152 * g + 0.0722 * b


def contrast(a, b):
    """The contrast ratio of two (r, g, b) colours as accessibility
    guidelines define it: 1 for equal colours, 21 for black on white."""
    light, dark = sorted((luminance(a), luminance(b)), reverse=True)
    return (light + 0.05) / (dark + 0.05)


def hot_pixels(pixels):
    """How many pixels have the orange of a button's hot ring; no other look
    of a button, nor the window around it, has such a colour."""
    return sum(1 for r, g, b in pixels if r >= 200 and 90 <= g <= 200 and b <= 100)


def control_rects(layout_path):
    """The layout entry and rectangle, in window pixels at 96 dpi, of every
    control of a window layout that has a box (a line has none), by name."""
    with open(layout_path) as file:
        layout = json.load(file)
    controls = {}
    for control in layout["controls"]:
        if "left" in control:
            left, top = round(control["left"] / 15), round(control["top"] / 15)
            right = round((control["left"] + control["width"]) / 15)
            bottom = round((control["top"] + control["height"]) / 15)
            controls[control["name"]] = control, (left, top, right - left, bottom - top)
    return controls


def key_rects(layout_path):
    """The caption and rectangle of every button of a window layout."""
    return {control["properties"]["caption"]: rect
            for control, rect in control_rects(layout_path).values()
            if "XPButton" in control.get("class", "")}


def overlaps(a, b):
    """Whether two (x, y, width, height) rectangles share a pixel."""
    return a[0] < b[0] + b[2] and b[0] < a[0] + a[2] and a[1] < b[1] + b[3] and b[1] < a[1] + a[3]


def centre(rect):
    x, y, width, height = rect
    return x + width // 2, y + height // 2


def milliseconds_until(condition, limit_ms):
    """Polls every two milliseconds; the time the condition took to hold,
    or None when it did not within the limit."""
    start = time.monotonic()
    while True:
        elapsed = (time.monotonic() - start) * 1000
        if condition():
            return elapsed
        if elapsed > limit_ms:
            return None
        time.sleep(0.002)


class HoverCheck:
    """Moves the pointer onto a key and away again and times the hot look's
    arrival and departure; collects the failures."""

    LIMIT_MS = 100
    TRIES = 3

    def __init__(self, screen):
        self.screen = screen
        self.failures = []

    def hot(self, rect):
        return hot_pixels(self.screen.pixels(*rect)) > 0

    def check(self, name, key, away):
        """`key` is the key's rectangle on the screen, `away` a point off it."""
        arrivals, departures = [], []
        for _ in range(self.TRIES):
            self.screen.move_pointer(*centre(key))
            arrivals.append(milliseconds_until(lambda: self.hot(key), 1000))
            self.screen.move_pointer(*away)
            departures.append(milliseconds_until(lambda: not self.hot(key), 1000))
        self._judge(name + ": hot look shown", arrivals)
        self._judge(name + ": hot look gone", departures)

    def expect(self, what, condition):
        """Times one change of the look; a failure when it does not come
        within twice the limit, which a busy machine rarely exceeds."""
        elapsed = milliseconds_until(condition, 1000)
        print("%s after %s" % (what, "never" if elapsed is None else "%.0f ms" % elapsed))
        if elapsed is None or elapsed > 2 * self.LIMIT_MS:
            self.failures.append("%s after %s (limit %d ms)" %
                                 (what, "never" if elapsed is None else "%.0f ms" % elapsed,
                                  2 * self.LIMIT_MS))

    def leave_fast(self, key, other, away):
        """The pointer leaves `key` for the point `away`, off the window, and
        comes straight back onto `other`, faster than a poll."""
        self.screen.move_pointer(*centre(key))
        self.expect("key hot", lambda: self.hot(key))
        self.screen.move_pointer(*away)
        self.screen.move_pointer(*centre(other))
        self.expect("off the window and straight onto another key: that key hot",
                    lambda: self.hot(other))
        self.expect("off the window and straight onto another key: the first cold",
                    lambda: not self.hot(key))

    def cross(self, name, key, over, away):
        """From `key` across the point `over` to `away`, where the polls come
        to rest, and back the same way."""
        for _ in range(self.TRIES):
            self.screen.move_pointer(*centre(key))
            self.expect(name + ": key hot", lambda: self.hot(key))
            self.screen.move_pointer(*over)
            self.screen.move_pointer(*away)
            self.expect(name + ": key cold once away", lambda: not self.hot(key))
            time.sleep(0.2)  # four poll periods: the polls rest
            self.screen.move_pointer(*over)
            self.screen.move_pointer(*centre(key))
            self.expect(name + ": key hot again", lambda: self.hot(key))

    # The median of the tries must be within the limit, so that one tick of
    # a busy machine does not fail the test, and every try within a second.
    def _judge(self, what, times):
        shown = ["never" if t is None else "%.0f ms" % t for t in times]
        print("%s after %s" % (what, ", ".join(shown)))
        if None in times or sorted(times)[len(times) // 2] > self.LIMIT_MS:
            self.failures.append("%s after %s (limit %d ms)" %
                                 (what, ", ".join(shown), self.LIMIT_MS))

    def finish(self):
        for failure in self.failures:
            print("FAIL: " + failure)
        sys.exit(1 if self.failures else 0)
