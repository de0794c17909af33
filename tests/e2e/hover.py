#!/usr/bin/env python3
# The hot look of a key of the real window follows the real pointer on X11
# (Xvfb, no window manager) or under Wayland (weston nested in Xvfb, which
# passes the X pointer on to its client): it comes when the pointer moves
# onto a key and goes within 100 ms when it moves to another key or off the
# window; and so it does in the moves that put the hover polls to rest and
# wake them: off the window and straight back onto another key, a window of
# another program coming over the key under the resting pointer (X11), and,
# while the error box is open (of which the toolkit tells a blocked window no
# enter or leave), a key it leaves uncovered and the crossing of the box.
#
#     hover.py x11|wayland TALLIX MAIN_LAYOUT_JSON
import sys
import time

import screen

X11_SCREEN = (1024, 768)
OUTPUT = (800, 600)  # weston's
LIMIT_MS = 100
TRIES = 3


# Polls every two milliseconds; the time the condition took to hold,
# or None when it did not within the limit.
def milliseconds_until(condition, limit_ms=1000):
    start = time.monotonic()
    while True:
        elapsed = (time.monotonic() - start) * 1000
        if condition():
            return elapsed
        if elapsed > limit_ms:
            return None
        time.sleep(0.002)


def shown(times):
    return ", ".join("never" if t is None else "%.0f ms" % t for t in times)


# Moves the pointer and times the hot look's changes; collects the failures.
class HoverCheck:
    def __init__(self, shot):
        self.shot = shot
        self.failures = []

    def hot(self, rect):
        return screen.hot_pixels(self.shot.pixels(*rect)) > 0

    # The median of the tries must be within the limit, so that one tick
    # of a busy machine does not fail the test, and every try within a second.
    def judge(self, what, times, limit):
        print("%s after %s" % (what, shown(times)))
        if None in times or sorted(times)[len(times) // 2] > limit:
            self.failures.append("%s after %s (limit %d ms)" % (what, shown(times), limit))

    # One change of the look, within twice the limit, which a busy
    # machine rarely exceeds.
    def expect(self, what, condition):
        self.judge(what, [milliseconds_until(condition)], 2 * LIMIT_MS)

    # Onto the key's rectangle and to the point `away`, a few times.
    def check(self, name, key, away):
        arrivals, departures = [], []
        for _ in range(TRIES):
            self.shot.move_pointer(*screen.centre(key))
            arrivals.append(milliseconds_until(lambda: self.hot(key)))
            self.shot.move_pointer(*away)
            departures.append(milliseconds_until(lambda: not self.hot(key)))
        self.judge(name + ": hot look shown", arrivals, LIMIT_MS)
        self.judge(name + ": hot look gone", departures, LIMIT_MS)

    # Off the window to `away` and straight back onto `other`, faster
    # than a poll.
    def leave_fast(self, key, other, away):
        self.shot.move_pointer(*screen.centre(key))
        self.expect("key hot", lambda: self.hot(key))
        self.shot.move_pointer(*away)
        self.shot.move_pointer(*screen.centre(other))
        self.expect("off the window and straight onto another key: that key hot",
                    lambda: self.hot(other))
        self.expect("off the window and straight onto another key: the first cold",
                    lambda: not self.hot(key))

    # From `key` across the point `over` to `away`, where the polls come
    # to rest, and back the same way.
    def cross(self, key, over, away):
        for _ in range(TRIES):
            self.shot.move_pointer(*screen.centre(key))
            self.expect("across the box: key hot", lambda: self.hot(key))
            self.shot.move_pointer(*over)
            self.shot.move_pointer(*away)
            self.expect("across the box: key cold once away", lambda: not self.hot(key))
            time.sleep(0.2)  # four poll periods: the polls rest
            self.shot.move_pointer(*over)
            self.shot.move_pointer(*screen.centre(key))
            self.expect("across the box: key hot again", lambda: self.hot(key))

    # A window of another program comes over the left half of the key,
    # under the resting pointer, and goes once the pointer has been away.
    def covered_and_uncovered(self, key, away):
        x, y, w, h = key
        under_cover = (x + w // 4, y + h // 2)
        self.shot.move_pointer(*under_cover)
        self.expect("key hot", lambda: self.hot(key))
        cover = self.shot.cover(x - 5, y - 5, w // 2 + 5, h + 10)
        in_sight = (x + w // 2 + 1, y, w - w // 2 - 1, h)
        self.expect("covered under the pointer: key cold", lambda: not self.hot(in_sight))
        self.shot.move_pointer(*away)
        time.sleep(0.2)  # the polls rest
        self.shot.move_pointer(*under_cover)
        self.shot.uncover(cover)
        self.expect("uncovered under the pointer: key hot", lambda: self.hot(key))


# Clicks the expression box and types 2=2, which Enter refuses.
def type_illegal_expression(shot, display, window):
    shot.move_pointer(window[0] + 60, window[1] + 38)
    screen.xdotool(display, "click", "1")
    screen.xdotool(display, "type", "--delay", "20", "2=2")


class X11:
    def __init__(self, processes, tallix):
        self.display = screen.start_xvfb(processes, X11_SCREEN)
        self.shot = screen.Screen(self.display)
        self.away = (X11_SCREEN[0] - 5, X11_SCREEN[1] - 5)
        self.shot.move_pointer(*self.away)
        self.main_id, self.window = screen.show_on_x11(processes, tallix, self.display)

    def desktop_point(self):
        return self.away

    # The geometry of the other window of tallix that comes.
    def open_error_box(self, layout):
        type_illegal_expression(self.shot, self.display, self.window)
        screen.xdotool(self.display, "key", "Return")

        def box():
            others = set(screen.visible_windows(self.display, "--class", "tallix"))
            shown = [screen.window_geometry(self.display, w) for w in others - {self.main_id}]
            return next((g for g in shown if g[2] > 20), None)

        if not screen.wait_for(box, 10):
            sys.exit("FAIL: no message box came up")
        return box()


class Wayland:
    def __init__(self, processes, tallix):
        self.display = screen.start_xvfb(processes)
        env = screen.start_weston(processes, self.display, OUTPUT)
        self.shot = screen.Screen(self.display)
        screen.park_pointer(self.shot, OUTPUT)
        self.window, _ = screen.show_on_weston(processes, self.shot, tallix, env, OUTPUT)

    # A point of the desktop with nothing but black for 20 pixels around.
    def desktop_point(self):
        width, height = OUTPUT
        for x in (30, width // 2, width - 30):
            for y in (30, height // 2, height - 30):
                if all(p == screen.BLACK for p in self.shot.pixels(x - 20, y - 20, 40, 40)):
                    return x, y
        sys.exit("FAIL: no bare desktop left to move the pointer to")

    # A rectangle within the error box, which the shell places as it
    # likes: the bounds of what is drawn on the desktop beside the window;
    # where the box lies wholly over the window, of the pixels it changes
    # there but for the expression box and the function list (a few pixels
    # wider all round), which change as the window loses the focus.
    def open_error_box(self, layout):
        width, height = OUTPUT[0] - screen.MARGIN, OUTPUT[1] - screen.MARGIN
        type_illegal_expression(self.shot, self.display, self.window)
        self.shot.move_pointer(*screen.parked(OUTPUT))
        time.sleep(0.3)
        before = self.shot.pixels(0, 0, width, height)
        screen.xdotool(self.display, "key", "Return")
        controls = screen.control_rects(layout, self.window)
        focus_changes = [(x - 3, y - 3, w + 6, h + 6)
                         for x, y, w, h in (controls["Text1"], controls["List1"])]
        points = [(i % width, i // width) for i in range(width * height)]

        def box_pixels():
            after = self.shot.pixels(0, 0, width, height)
            beside = [p for p, a in zip(points, after)
                      if a != screen.BLACK and not screen.overlaps(p + (1, 1), self.window)]
            return beside or [p for p, a, b in zip(points, after, before) if a != b and not any(
                screen.overlaps(p + (1, 1), r) for r in focus_changes)]

        if not screen.wait_for(lambda: len(box_pixels()) > 100, 10, 0.2):
            sys.exit("FAIL: no error box came up")
        time.sleep(0.5)  # let it draw everything
        return screen.bounds(box_pixels())


def main(system, tallix, layout):
    screen.need_programs("Xvfb", "xdotool", *(["weston"] if system == "wayland" else []))
    with screen.Processes() as processes:
        desktop = {"x11": X11, "wayland": Wayland}[system](processes, tallix)
        keys = screen.key_rects(layout, desktop.window)
        check = HoverCheck(desktop.shot)
        check.check("key 1 to key 2", keys["1"], screen.centre(keys["2"]))
        check.check("key 1 to the desktop", keys["1"], desktop.desktop_point())
        check.leave_fast(keys["1"], keys["2"], desktop.desktop_point())
        if system == "x11":
            check.covered_and_uncovered(keys["5"], desktop.desktop_point())
        box = desktop.open_error_box(layout)
        print("error box at %d,%d %dx%d" % box)
        free = [rect for rect in keys.values() if not screen.overlaps(rect, box)]
        if len(free) < 2:
            sys.exit("FAIL: the error box covers all but %d keys" % len(free))
        check.check("uncovered key to another, box open", free[0], screen.centre(free[1]))
        check.check("uncovered key to the desktop, box open", free[0], desktop.desktop_point())
        check.cross(free[0], screen.centre(box), desktop.desktop_point())
        screen.finish(check.failures)


if __name__ == "__main__":
    main(*sys.argv[1:])
