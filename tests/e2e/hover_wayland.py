#!/usr/bin/env python3
"""The hot look of a key of the real window under Wayland follows the real
pointer: it comes when the pointer moves onto the key and goes within 100 ms
when the pointer moves to another key or off the window onto the desktop.

    hover_wayland.py TALLIX MAIN_LAYOUT_JSON

Runs weston as a window of a private Xvfb, with the kiosk shell, which
centres the window on a black desktop; the pointer is moved on the X server
and weston passes it on to its client."""
import sys

import screen

OUTPUT = (640, 480)


def window_rect(shot, width, height):
    """The bounding box of the pixels that are not the black desktop."""
    pixels = shot.pixels(0, 0, width, height)
    lit = [i for i, p in enumerate(pixels) if p != (0, 0, 0)]
    if not lit:
        return None
    xs = [i % width for i in lit]
    ys = [i // width for i in lit]
    return min(xs), min(ys), max(xs) - min(xs) + 1, max(ys) - min(ys) + 1


def main(tallix, layout):
    screen.need_programs("Xvfb", "weston", "xdotool")
    keys = screen.key_rects(layout)
    with screen.Processes() as processes:
        display = screen.start_xvfb(processes)
        env = screen.start_weston(processes, display, *OUTPUT)
        shot = screen.Screen(display)
        shot.move_pointer(5, 5)
        app = processes.start([tallix], env=env)
        if not screen.wait_for(lambda: window_rect(shot, *OUTPUT) is not None, 20, 0.2):
            sys.exit("FAIL: no window on the desktop (tallix %s)" %
                     ("exited %d" % app.returncode if app.poll() is not None else "running"))
        screen.wait_for(lambda: False, 0.5)  # let it draw everything
        left, top, _, _ = window_rect(shot, *OUTPUT)

        def on_screen(rect):
            return rect[0] + left, rect[1] + top, rect[2], rect[3]

        check = screen.HoverCheck(shot)
        one, two = on_screen(keys["1"]), on_screen(keys["2"])
        check.check("key 1 to key 2", one, screen.centre(two))
        check.check("key 1 to the desktop", one, (10, 10))
        check.finish()


if __name__ == "__main__":
    main(*sys.argv[1:])
