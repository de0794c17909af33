#!/usr/bin/env python3
"""The hot look follows the real pointer on X11 in the moves that put the
hover polls to rest and wake them: the pointer leaving the window and coming
straight back onto another key; a window of another program coming over the
key under the resting pointer and going again; the pointer crossing the open
error box to the desktop and back.

    hover_idle_x11.py TALLIX MAIN_LAYOUT_JSON

Runs the window on a private Xvfb with no window manager."""
import sys

import screen

SCREEN = (1024, 768)
DESKTOP = (SCREEN[0] - 5, SCREEN[1] - 5)


def covered_and_uncovered(shot, check, key):
    """A window of another program comes over the left half of the key,
    under the resting pointer, and goes once the pointer has been away."""
    x, y, w, h = key
    under_cover = (x + w // 4, y + h // 2)
    shot.move_pointer(*under_cover)
    check.expect("key hot", lambda: check.hot(key))
    cover = shot.cover(x - 5, y - 5, w // 2 + 5, h + 10)
    in_sight = (x + w // 2 + 1, y, w - w // 2 - 1, h)
    check.expect("covered under the pointer: key cold", lambda: not check.hot(in_sight))
    shot.move_pointer(*DESKTOP)
    screen.wait_for(lambda: False, 0.2)  # the polls rest
    shot.move_pointer(*under_cover)
    shot.uncover(cover)
    check.expect("uncovered under the pointer: key hot", lambda: check.hot(key))


def open_error_box(display, main_id, left, top):
    """Types the illegal 2=2 and returns the geometry of the box that comes."""
    screen.xdotool(display, "mousemove", str(left + 60), str(top + 38), "click", "1")
    screen.xdotool(display, "type", "--delay", "20", "2=2")
    screen.xdotool(display, "key", "Return")

    def box():
        others = set(screen.visible_windows(display, "--class", "tallix")) - {main_id}
        shown = [screen.window_geometry(display, w) for w in others]
        return next((g for g in shown if g[2] > 20), None)

    if not screen.wait_for(box, 10):
        sys.exit("FAIL: no message box came up")
    return box()


def main(tallix, layout):
    screen.need_programs("Xvfb", "xdotool")
    with screen.Processes() as processes:
        display = screen.start_xvfb(processes, "%dx%d" % SCREEN)
        shot = screen.Screen(display)
        shot.move_pointer(*DESKTOP)
        main_id, left, top = screen.show_on_x11(processes, tallix, display)
        keys = {caption: (x + left, y + top, w, h)
                for caption, (x, y, w, h) in screen.key_rects(layout).items()}
        check = screen.HoverCheck(shot)
        check.leave_fast(keys["1"], keys["2"], DESKTOP)
        covered_and_uncovered(shot, check, keys["5"])
        box = open_error_box(display, main_id, left, top)
        print("message box at %d,%d %dx%d" % box)
        free = next(r for r in keys.values() if not screen.overlaps(r, box))
        check.cross("across the box", free, screen.centre(box), DESKTOP)
        check.finish()


if __name__ == "__main__":
    main(*sys.argv[1:])
