#!/usr/bin/env python3
"""While a message box is open, the hot look of a key of the main window
that the box does not cover follows the real pointer on X11: it comes when
the pointer moves onto the key and goes within 100 ms when the pointer moves
off it, to another key or off the window.

    hover_modal_x11.py TALLIX MAIN_LAYOUT_JSON

Runs the window on a private Xvfb with no window manager, types an illegal
expression to bring up the error box, and moves the real pointer."""
import sys

import screen

SCREEN = (1024, 768)


def overlaps(a, b):
    return a[0] < b[0] + b[2] and b[0] < a[0] + a[2] and a[1] < b[1] + b[3] and b[1] < a[1] + a[3]


def main(tallix, layout):
    screen.need_programs("Xvfb", "xdotool")
    keys = screen.key_rects(layout)
    with screen.Processes() as processes:
        display = screen.start_xvfb(processes, "%dx%d" % SCREEN)
        shot = screen.Screen(display)
        shot.move_pointer(SCREEN[0] - 5, SCREEN[1] - 5)
        main_id, left, top = screen.show_on_x11(processes, tallix, display)

        # The expression box takes the focus with a click; 2=2 is illegal.
        shot.move_pointer(left + 60, top + 38)
        screen.xdotool(display, "click", "1")
        screen.xdotool(display, "type", "--delay", "20", "2=2")
        screen.xdotool(display, "key", "Return")
        def boxes():
            others = set(screen.visible_windows(display, "--class", "tallix")) - {main_id}
            return [g for g in map(lambda w: screen.window_geometry(display, w), others)
                    if g[2] > 20]

        if not screen.wait_for(boxes, 10):
            sys.exit("FAIL: no message box came up")
        box = boxes()[0]
        print("message box at %d,%d %dx%d" % box)

        def on_screen(rect):
            return rect[0] + left, rect[1] + top, rect[2], rect[3]

        free = [on_screen(r) for r in keys.values() if not overlaps(on_screen(r), box)]
        if len(free) < 2:
            sys.exit("FAIL: the message box covers all but %d keys" % len(free))
        check = screen.HoverCheck(shot)
        check.check("uncovered key to another", free[0], screen.centre(free[1]))
        check.check("uncovered key to the desktop", free[0], (SCREEN[0] - 5, SCREEN[1] - 5))
        check.finish()


if __name__ == "__main__":
    main(*sys.argv[1:])
