#!/usr/bin/env python3
"""The hot look of a key of the real window under Wayland follows the real
pointer: it comes when the pointer moves onto the key and goes within 100 ms
when the pointer moves to another key or off the window onto the desktop;
and so it does for a key the error box leaves uncovered while that box is
open, though the toolkit tells a window a modal box blocks of no enter or
leave.

    hover_wayland.py TALLIX MAIN_LAYOUT_JSON

Runs weston as a window of a private Xvfb on a black desktop; the pointer is
moved on the X server and weston passes it on to its client. The shell
places windows as it likes, so the test finds them by their pixels."""
import sys

import screen

OUTPUT = (800, 600)
BLACK = screen.BLACK


def desktop_point(shot):
    """A point of the desktop with nothing but black for 20 pixels around."""
    width, height = OUTPUT
    for x, y in [(30, 30), (width - 30, 30), (30, height - 30), (width - 30, height - 30),
                 (width // 2, 30), (width // 2, height - 30), (30, height // 2),
                 (width - 30, height // 2)]:
        if all(p == BLACK for p in shot.pixels(x - 20, y - 20, 40, 40)):
            return x, y
    sys.exit("FAIL: no bare desktop left to move the pointer to")


def open_error_box(shot, display, window, keys, looks):
    """Types an illegal expression into the expression box and waits for
    the error box: it covers a key or reaches beyond the window."""
    left, top = window[:2]
    shot.move_pointer(left + 60, top + 38)
    screen.xdotool(display, "click", "1")
    screen.xdotool(display, "type", "--delay", "20", "2=2")
    shot.move_pointer(*screen.parked(OUTPUT))
    screen.xdotool(display, "key", "Return")

    def shown():
        return screen.window_rect(shot, OUTPUT) != window or \
            any(shot.pixels(*keys[k]) != looks[k] for k in keys)

    if not screen.wait_for(shown, 10):
        sys.exit("FAIL: no error box came up")
    screen.wait_for(lambda: False, 0.5)  # let it draw everything


def main(tallix, layout):
    screen.need_programs("Xvfb", "weston", "xdotool")
    with screen.Processes() as processes:
        display = screen.start_xvfb(processes)
        env = screen.start_weston(processes, display, *OUTPUT)
        shot = screen.Screen(display)
        screen.park_pointer(shot, OUTPUT)
        app = processes.start([tallix], env=env)
        if not screen.wait_for(lambda: screen.window_rect(shot, OUTPUT) is not None, 20, 0.2):
            sys.exit("FAIL: no window on the desktop (tallix %s)" %
                     ("exited %d" % app.returncode if app.poll() is not None else "running"))
        screen.wait_for(lambda: False, 0.5)  # let it draw everything
        window = screen.window_rect(shot, OUTPUT)
        keys = {caption: (x + window[0], y + window[1], w, h)
                for caption, (x, y, w, h) in screen.key_rects(layout).items()}
        looks = {caption: shot.pixels(*rect) for caption, rect in keys.items()}

        check = screen.HoverCheck(shot)
        check.check("key 1 to key 2", keys["1"], screen.centre(keys["2"]))
        check.check("key 1 to the desktop", keys["1"], desktop_point(shot))

        shot.move_pointer(*screen.parked(OUTPUT))
        open_error_box(shot, display, window, keys, looks)
        free = [rect for caption, rect in keys.items() if shot.pixels(*rect) == looks[caption]]
        if len(free) < 2:
            sys.exit("FAIL: the error box covers all but %d keys" % len(free))
        check.check("uncovered key to another, box open", free[0], screen.centre(free[1]))
        check.check("uncovered key to the desktop, box open", free[0], desktop_point(shot))
        check.finish()


if __name__ == "__main__":
    main(*sys.argv[1:])
