#!/usr/bin/env python3
# The keyboard reaches everything on X11: F1 asks for help; Escape closes
# the About box; Tab reaches its link, and Enter or Space opens it; Tab
# reaches the function list, whose focus shows as dots that stand out from
# the entry they surround.
#
#     keyboard_x11.py TALLIX MAIN_LAYOUT_JSON
#
# Runs the window on a private Xvfb with no window manager, where the keyboard
# goes to the window under the pointer, and types with xdotool. The desktop's
# opener only records what it is asked to open.
import sys
import time

import screen

ABOUT = "About Tallix"
LINK = "http://tallix.example.org/ourfiles"
# Tab stops from the expression box to the list: the 19 keys that come
# between them in the layout's tab order, then the list.
TABS_TO_LIST = 20
# (what is typed in the About box, whether it closes, links opened)
ABOUT_KEYS = [(["Escape"], True, 0), (["Tab", "Return"], False, 1), (["Tab", "space"], False, 1)]


class Session:
    def __init__(self, display, window, layout, opener):
        self.display, self.opener = display, opener
        self.shot = screen.Screen(display)
        self.controls = screen.control_rects(layout, window[:2])
        self.keys = screen.key_rects(layout, window[:2])
        self.failures = []

    def press(self, *keys):
        screen.xdotool(self.display, "key", "--delay", "50", *keys)

    def click(self, rect):
        self.shot.move_pointer(*screen.centre(rect))
        screen.xdotool(self.display, "click", "1")

    def about_shown(self):
        return bool(screen.visible_windows(self.display, "--name", "^%s$" % ABOUT))

    # Clicks About and leaves the pointer over the box, so that the keys go to it.
    def open_about(self):
        self.click(self.keys["About"])
        box = screen.window_geometry(self.display, screen.shown_window(self.display, ABOUT))
        self.shot.move_pointer(box[0] + box[2] // 2, box[1] + box[3] // 4)

    def close_about(self):
        if self.about_shown():
            self.press("Escape")
        screen.wait_for(lambda: not self.about_shown(), 3)

    def opened_by(self, keys, count):
        before = len(self.opener.opened())
        self.press(*keys)
        screen.wait_for(lambda: len(self.opener.opened()) - before >= count, 5 if count else 1)
        return self.opener.opened()[before:]

    def expect(self, what, holds):
        if holds:
            print("ok: " + what)
        else:
            self.failures.append(what)


def check_help_key(session):
    session.click(session.keys["Calculate"])  # the focus stays on the key
    opened = session.opened_by(["F1"], 1)
    session.expect("F1 on a key asks for %s" % (opened or "nothing"),
                   len(opened) == 1 and opened[0].endswith("/help.htm"))


def check_about(session):
    for keys, closes, links in ABOUT_KEYS:
        session.open_about()
        opened = session.opened_by(keys, links)
        gone = screen.wait_for(lambda: not session.about_shown(), 3 if closes else 1)
        typed = " ".join(keys)
        session.expect("%s %s the box" % (typed, "closes" if closes else "leaves"), gone == closes)
        session.expect("%s opens %s" % (typed, opened or "nothing"), opened == [LINK] * links)
        session.close_about()


# The focus must change a dotted outline's worth of the list's pixels (one
# in two, as the keys' dots, around an entry spanning most of the list's
# width), each standing out from what it covers by 3:1 at least.
def check_list_focus(session):
    rect = session.controls["List1"]
    session.click(session.controls["Text1"])
    time.sleep(0.5)
    without = session.shot.pixels(*rect)
    session.press(*["Tab"] * TABS_TO_LIST)
    time.sleep(0.5)
    with_focus = session.shot.pixels(*rect)
    changed = [(i, a, b) for i, (a, b) in enumerate(zip(without, with_focus)) if a != b]
    lowest = min((screen.contrast(a, b) for _, a, b in changed), default=0)
    _, _, width, height = screen.bounds([(i % rect[2], i // rect[2]) for i, _, _ in changed]
                                        or [(0, 0)])
    print("focus on the list: %d pixels changed within %dx%d, lowest contrast %.2f:1"
          % (len(changed), width, height, lowest))
    session.expect("the list shows its focus as contrasting dots around an entry",
                   lowest >= 3 and width >= rect[2] // 2
                   and len(changed) >= (width + height - 2) * 9 // 10)


def main(tallix, layout):
    screen.need_programs("Xvfb", "xdotool")
    with screen.Processes() as processes:
        display = screen.start_xvfb(processes)
        opener = screen.RecordingOpener(processes.folder())
        _, window = screen.show_on_x11(processes, tallix, display,
                                       opener.environment(screen.x11_env(display)))
        session = Session(display, window, layout, opener)
        check_help_key(session)
        check_about(session)
        check_list_focus(session)
    screen.finish(session.failures)

if __name__ == "__main__":
    main(*sys.argv[1:])
