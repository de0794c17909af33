#!/usr/bin/env python3
"""The keyboard reaches everything on X11: F1 asks for help; Escape closes
the About box; Tab reaches its link, and Enter or Space opens it; Tab
reaches the function list, whose focus shows as dots that stand out from
the entry they surround.

    keyboard_x11.py TALLIX MAIN_LAYOUT_JSON [SCREENSHOT_FOLDER]

Runs the window on a private Xvfb with no window manager, where the keyboard
goes to the window under the pointer, and types with xdotool. The desktop's
opener is replaced by one that records what it is asked to open and opens
nothing. The function list, without and with the focus, and the About box
with the focus on its link are saved as PNG files in SCREENSHOT_FOLDER (the
working folder by default), to be looked at."""
import os
import sys

import screen

SCREEN = (1024, 768)
ABOUT = "^About Tallix$"
LINK = "http://tallix.example.org/ourfiles"
# Tab stops from the expression box to the list: the 19 keys that come
# between them in the layout's tab order, then the list.
TABS_TO_LIST = 20


class Session:
    """The running program on its display: its window, the pointer, keys."""

    def __init__(self, display, layout):
        self.display = display
        self.shot = screen.Screen(display)
        self.keys = screen.key_rects(layout)
        self.failures = []
        ids = screen.visible_windows(display, "--name", "^Tallix$")
        self.left, self.top, _, _ = screen.window_geometry(display, ids[0])

    def press(self, *keys):
        screen.xdotool(self.display, "key", "--delay", "50", *keys)

    def click(self, x, y):
        """Clicks at a point of the main window's client area."""
        self.shot.move_pointer(self.left + x, self.top + y)
        screen.xdotool(self.display, "click", "1")

    def click_key(self, caption):
        self.click(*screen.centre(self.keys[caption]))

    def about_shown(self):
        return bool(screen.visible_windows(self.display, "--name", ABOUT))

    def open_about(self):
        """Clicks About and leaves the pointer over the box, so that the
        keys go to it."""
        self.click_key("About")
        if not screen.wait_for(self.about_shown, 10):
            return False
        box = screen.visible_windows(self.display, "--name", ABOUT)[0]
        x, y, width, height = screen.window_geometry(self.display, box)
        self.shot.move_pointer(x + width // 2, y + height // 4)
        return True

    def expect(self, what, holds):
        print(("ok: " if holds else "FAIL: ") + what)
        if not holds:
            self.failures.append(what)


def check_about(session, opener):
    """(what is typed in the box, whether it closes, links opened) in turn."""
    cases = [
        (["Escape"], True, 0),
        (["Tab", "Return"], False, 1),
        (["Tab", "space"], False, 1),
    ]
    for keys, closes, links in cases:
        before = len(opener.opened())
        if not session.open_about():
            session.expect("About opens for %s" % " ".join(keys), False)
            continue
        session.press(*keys)
        gone = screen.wait_for(lambda: not session.about_shown(), 3 if closes else 1)
        session.expect("%s %s the box" % (" ".join(keys), "closes" if closes else "leaves"),
                       gone == closes)
        screen.wait_for(lambda: len(opener.opened()) - before >= links, 5)
        opened = opener.opened()[before:]
        session.expect("%s opens %s" % (" ".join(keys), opened or "nothing"),
                       opened == [LINK] * links)
        if not gone:
            session.press("Escape")
            screen.wait_for(lambda: not session.about_shown(), 3)


def save_about_with_link_focus(session, folder):
    """The About box after Tab, for a look at the link's focus."""
    if not session.open_about():
        session.expect("About opens for a screenshot", False)
        return
    session.press("Tab")
    screen.wait_for(lambda: False, 0.5)
    box = screen.visible_windows(session.display, "--name", ABOUT)[0]
    rect = screen.window_geometry(session.display, box)
    path = os.path.join(folder, "about-link-focus.png")
    screen.write_png(path, session.shot.pixels(*rect), rect[2], rect[3])
    print("saved " + path)
    session.press("Escape")
    screen.wait_for(lambda: not session.about_shown(), 3)


def check_help_key(session, opener):
    session.click(*screen.centre(session.keys["Calculate"]))  # the focus stays on the key
    before = len(opener.opened())
    session.press("F1")
    screen.wait_for(lambda: len(opener.opened()) > before, 5)
    opened = opener.opened()[before:]
    session.expect("F1 on a key asks for %s" % (opened or "nothing"),
                   len(opened) == 1 and opened[0].endswith("/help.htm"))


def list_rect(session, layout):
    import json
    with open(layout) as file:
        control = next(c for c in json.load(file)["controls"] if c["name"] == "List1")
    return (session.left + round(control["left"] / 15), session.top + round(control["top"] / 15),
            round(control["width"] / 15), round(control["height"] / 15))


def check_list_focus(session, layout, folder):
    """Tabs from the expression box to the list and compares the list's
    pixels before and after: the focus must change a dotted outline's worth
    of them, each standing out from what it covers by 3:1 at least."""
    rect = list_rect(session, layout)
    session.click(100, 38)  # the expression box
    screen.wait_for(lambda: False, 0.5)
    without = session.shot.pixels(*rect)
    session.press(*["Tab"] * TABS_TO_LIST)
    screen.wait_for(lambda: False, 0.5)
    with_focus = session.shot.pixels(*rect)
    for name, pixels in (("list-without-focus.png", without), ("list-with-focus.png", with_focus)):
        path = os.path.join(folder, name)
        screen.write_png(path, pixels, rect[2], rect[3])
        print("saved " + path)
    changed = [(i, a, b) for i, (a, b) in enumerate(zip(without, with_focus)) if a != b]
    lowest = min((screen.contrast(a, b) for _, a, b in changed), default=0)
    xs = [i % rect[2] for i, _, _ in changed] or [0]
    ys = [i // rect[2] for i, _, _ in changed] or [0]
    width, height = max(xs) - min(xs) + 1, max(ys) - min(ys) + 1
    print("focus on the list: %d pixels changed within %dx%d, lowest contrast %.2f:1"
          % (len(changed), width, height, lowest))
    # A dotted outline of an entry, one pixel in two, as the keys' dots; an
    # entry spans most of the list's width.
    session.expect("the list shows its focus as contrasting dots around an entry",
                   lowest >= 3 and width >= rect[2] // 2
                   and len(changed) >= (width + height - 2) * 9 // 10)


def main(tallix, layout, folder="."):
    screen.need_programs("Xvfb", "xdotool")
    opener = screen.RecordingOpener()
    try:
        with screen.Processes() as processes:
            display = screen.start_xvfb(processes, "%dx%d" % SCREEN)
            env = dict(os.environ, DISPLAY=display, QT_QPA_PLATFORM="xcb")
            env.pop("WAYLAND_DISPLAY", None)
            processes.start([tallix], env=opener.environment(env))
            if not screen.wait_for(lambda: screen.visible_windows(display, "--name", "^Tallix$"),
                                   20):
                sys.exit("FAIL: the window did not come up")
            screen.wait_for(lambda: False, 0.5)  # let it draw everything
            session = Session(display, layout)
            check_help_key(session, opener)
            check_about(session, opener)
            save_about_with_link_focus(session, folder)
            check_list_focus(session, layout, folder)
    finally:
        opener.close()
    sys.exit(1 if session.failures else 0)


if __name__ == "__main__":
    main(*sys.argv[1:])
