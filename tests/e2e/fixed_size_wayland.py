#!/usr/bin/env python3
"""The fixed-size windows under Wayland, with the toolkit's own title bar:
whatever the title bar or the compositor asks of their size, tallix keeps
running and draws on, and the window is back at its size and place after.

    fixed_size_wayland.py TALLIX MAIN_LAYOUT_JSON ABOUT_LAYOUT_JSON

Runs weston as a window of a private Xvfb on a black desktop and drives it
with the real pointer and keyboard: the title bar's maximise button (found
in a screenshot) on the main window and on the About box, weston's own
maximize and fullscreen bindings, and a drag of the window's edge. After
each, the pointer moves over a key, whose hot look must come: a repaint is
what a compositor that rejected the window's size would answer with a
protocol error, ending the program."""
import json
import subprocess
import sys

import screen

OUTPUT = (800, 600)
# Weston's bindings take the Super key; Shift is added so that plain Super
# keys stay the client's.
MAXIMIZE = "super+shift+m"
FULLSCREEN = "super+shift+f"
# The whole output but the corner kept for the parked pointer.
WHOLE_OUTPUT = (0, 0, OUTPUT[0] - screen.MARGIN, OUTPUT[1] - screen.MARGIN)


def layout_size(path):
    """A window's client area in pixels at 96 dpi, from its layout's twips."""
    with open(path) as file:
        layout = json.load(file)
    return round(layout["width"] / 15), round(layout["height"] / 15)


def control_rect(path, name):
    """A control's rectangle in its window's client area, from its layout."""
    with open(path) as file:
        control = next(c for c in json.load(file)["controls"] if c["name"] == name)
    return tuple(round(control[k] / 15) for k in ("left", "top", "width", "height"))


def title_bar_buttons(shot, rect):
    """The centres of the title bar's buttons, left to right, found as the
    groups of columns where the top of the window has glyph pixels: pixels
    darker than the bar itself, right of its middle (the title is centred,
    the buttons sit at the right end)."""
    left, top, width, _ = rect
    strip = (left + width // 2, top + 2, width // 2 - 2, 24)
    pixels = shot.pixels(*strip)
    bar = max(set(pixels), key=pixels.count)
    glyph_columns = sorted({i % strip[2] for i, p in enumerate(pixels)
                            if sum(bar) - sum(p) > 150})
    groups = []
    for column in glyph_columns:
        if groups and column - groups[-1][-1] <= 2:
            groups[-1].append(column)
        else:
            groups.append([column])
    return [(strip[0] + (g[0] + g[-1]) // 2, strip[1] + strip[3] // 2) for g in groups]


class Session:
    """Tallix on weston, and the checks made after each request."""

    def __init__(self, processes, tallix, main_layout):
        display = screen.start_xvfb(processes)
        env = screen.start_weston(processes, display, *OUTPUT, title_bars=True)
        self.display = display
        self.shot = screen.Screen(display)
        screen.park_pointer(self.shot, OUTPUT)
        self.app = processes.start([tallix], env=env, stderr=subprocess.DEVNULL)
        if not screen.wait_for(lambda: self.rect() is not None, 20, 0.2):
            sys.exit("FAIL: no window on the desktop")
        screen.wait_for(lambda: False, 0.5)  # let it draw everything
        self.window = self.rect()
        self.keys = screen.key_rects(main_layout)
        self.expression_box = control_rect(main_layout, "Text1")
        width, height = layout_size(main_layout)
        # The title bar and borders: the window's size less its client area.
        self.frame = (self.window[2] - width, self.window[3] - height)
        self.failures = []

    def rect(self):
        return screen.window_rect(self.shot, OUTPUT)

    def rect_from(self, x):
        """The bounding box of what is lit on the desktop right of x."""
        width, height = OUTPUT[0] - screen.MARGIN - x, OUTPUT[1] - screen.MARGIN
        lit = [i for i, p in enumerate(self.shot.pixels(x, 0, width, height))
               if p != screen.BLACK]
        if not lit:
            return None
        xs = [i % width for i in lit]
        ys = [i // width for i in lit]
        return x + min(xs), min(ys), max(xs) - min(xs) + 1, max(ys) - min(ys) + 1

    def on_screen(self, control, window):
        """A control's rectangle, from its layout, in a window on the screen:
        the title bar above the client area, the border to its left."""
        border = self.frame[0] // 2
        left, top, width, height = control
        return (window[0] + border + left, window[1] + self.frame[1] - border + top,
                width, height)

    def park(self):
        self.shot.move_pointer(*screen.parked(OUTPUT))

    def click(self, point):
        self.shot.move_pointer(*point)
        screen.xdotool(self.display, "click", "1")
        self.park()

    def key(self, keys):
        """Weston's bindings act on the window with the keyboard focus; a
        click on the expression box gives it that."""
        self.click(screen.centre(self.on_screen(self.expression_box, self.window)))
        screen.xdotool(self.display, "key", keys)

    def settles_at(self, what, expected):
        """Whether the lit part of the desktop settles at `expected`."""
        if screen.wait_for(lambda: self.rect() == expected, 5, 0.1):
            return True
        self.still_running(what, 1)
        self.failures.append("%s: the window is at %s, not %s" % (what, self.rect(), expected))
        return False

    def draws_on(self, what, window=None):
        """Moves over key 1 of the window (by default where it started) and
        waits for its hot look: the window repaints, and the program is
        still there to do it."""
        key = self.on_screen(self.keys["1"], window or self.window)
        self.shot.move_pointer(*screen.centre(key))
        hot = screen.wait_for(lambda: screen.hot_pixels(self.shot.pixels(*key)) > 0, 3)
        self.park()
        # A window that cannot repaint has usually just lost its program.
        self.still_running(what, 0 if hot else 1)
        if not hot:
            self.failures.append("%s: key 1 shows no hot look under the pointer" % what)

    def still_running(self, what, grace=0):
        """Ends the test when tallix has ended, or ends within `grace`
        seconds, after reporting what has failed so far."""
        if screen.wait_for(lambda: self.app.poll() is not None, grace):
            self.fail_now("%s: tallix ended with status %d" % (what, self.app.returncode))

    def fail_now(self, failure):
        for earlier in self.failures:
            print("FAIL: " + earlier)
        sys.exit("FAIL: " + failure)


def maximise_from_title_bar(session):
    buttons = title_bar_buttons(session.shot, session.window)
    if len(buttons) < 3:
        session.fail_now("the title bar shows %d buttons, not minimise, maximise, close" %
                         len(buttons))
    session.click(buttons[-2])
    screen.wait_for(lambda: False, 0.5)  # time for a maximized configure to come


def compositor_toggles(keys):
    """Weston's binding, once to impose its state (which the window obeys)
    and once to lift it again."""
    def toggle(session):
        session.key(keys)
        session.settles_at("imposed by " + keys, WHOLE_OUTPUT)
        session.draws_on("imposed by " + keys, WHOLE_OUTPUT)
        session.key(keys)
    return toggle


def drag_right_edge(session):
    """Weston resizes the window from the title bar's right border."""
    left, top, width, height = session.window
    session.shot.move_pointer(left + width - 2, top + height // 2)
    screen.xdotool(session.display, "mousedown", "1")
    for step in range(1, 11):
        session.shot.move_pointer(left + width - 2 + 10 * step, top + height // 2 + 5 * step)
    screen.xdotool(session.display, "mouseup", "1")
    session.park()


def maximise_about_box(session, about_layout):
    """Opens About, clicks its title bar's maximise, and closes it with OK;
    the box must stay at its size and place until then."""
    session.click(screen.centre(session.on_screen(session.keys["About"], session.window)))
    right_of_main = session.window[0] + session.window[2]
    # Weston opens the box at the pointer, on the About key, so it reaches
    # out to the right of the main window; that part gives its right edge,
    # its top and its bottom.
    if not screen.wait_for(lambda: session.rect_from(right_of_main) is not None, 10):
        session.fail_now("the About box did not come up")
    screen.wait_for(lambda: False, 0.5)  # let it draw everything
    outside = session.rect_from(right_of_main)
    width = layout_size(about_layout)[0] + session.frame[0]
    box = (outside[0] + outside[2] - width, outside[1], width, outside[3])
    buttons = title_bar_buttons(session.shot, box)
    if len(buttons) < 3:
        session.fail_now("the About box's title bar shows %d buttons" % len(buttons))
    session.click(buttons[-2])
    screen.wait_for(lambda: False, 0.5)  # time for a maximized configure to come
    if session.rect_from(right_of_main) != outside:
        session.failures.append("About: title bar maximise: the box is at %s, not %s" %
                                (session.rect_from(right_of_main), outside))
    session.still_running("About: title bar maximise")
    session.click(screen.centre(session.on_screen(screen.key_rects(about_layout)["OK"], box)))
    if not screen.wait_for(lambda: session.rect_from(right_of_main) is None, 10):
        session.failures.append("About: OK did not close the box")


# (what is asked, how); after each the window must be back at its size and
# place, and repaint.
REQUESTS = [
    ("title bar maximise", maximise_from_title_bar),
    ("title bar maximise again", maximise_from_title_bar),
    ("compositor maximize, then restore", compositor_toggles(MAXIMIZE)),
    ("compositor fullscreen, then restore", compositor_toggles(FULLSCREEN)),
    ("a drag of the right border", drag_right_edge),
]


def main(tallix, main_layout, about_layout):
    screen.need_programs("Xvfb", "weston", "xdotool")
    with screen.Processes() as processes:
        session = Session(processes, tallix, main_layout)
        print("window at %d,%d %dx%d" % session.window)
        for what, request in REQUESTS:
            request(session)
            if session.settles_at(what, session.window):
                session.draws_on(what)
            print("%s: done" % what)
        maximise_about_box(session, about_layout)
        session.settles_at("About closed", session.window)
        session.draws_on("About closed")
        for failure in session.failures:
            print("FAIL: " + failure)
        sys.exit(1 if session.failures else 0)


if __name__ == "__main__":
    main(*sys.argv[1:])
