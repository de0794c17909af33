#!/usr/bin/env python3
"""Under Wayland the hot look follows the real pointer in the moves that put
the hover polls to rest and wake them: the pointer leaving the window and
coming straight back onto another key, and crossing the open error box to the
desktop and back.

    hover_idle_wayland.py TALLIX MAIN_LAYOUT_JSON

Runs weston as a window of a private Xvfb, as hover_wayland.py does, and
finds the error box by the pixels it changes."""
import sys

import hover_wayland as desktop
import screen


def focus_change_rects(layout, window):
    """The expression box and the function list on the screen, a few pixels
    wider all round: they change as the window loses the focus."""
    controls = screen.control_rects(layout)
    return [(window[0] + x - 3, window[1] + y - 3, w + 6, h + 6)
            for x, y, w, h in (controls[name][1] for name in ("Text1", "List1"))]


def inside(point, rect):
    return rect[0] <= point[0] < rect[0] + rect[2] and rect[1] <= point[1] < rect[1] + rect[3]


def bounds(points):
    xs, ys = [p[0] for p in points], [p[1] for p in points]
    return min(xs), min(ys), max(xs) - min(xs) + 1, max(ys) - min(ys) + 1


def open_error_box(shot, display, window, layout):
    """Types the illegal 2=2 and returns a rectangle within the error box:
    the bounds of what is drawn on the desktop beside the window (the
    corner where the parked pointer shows aside); where the box lies wholly
    over the window, of the pixels it changes there but for the expression
    box and the function list, which change as the window loses the focus."""
    width, height = desktop.OUTPUT[0] - screen.MARGIN, desktop.OUTPUT[1] - screen.MARGIN
    shot.move_pointer(window[0] + 60, window[1] + 38)
    screen.xdotool(display, "click", "1")
    screen.xdotool(display, "type", "--delay", "20", "2=2")
    shot.move_pointer(*screen.parked(desktop.OUTPUT))
    screen.wait_for(lambda: False, 0.3)
    before = shot.pixels(0, 0, width, height)
    screen.xdotool(display, "key", "Return")
    focus_changes = focus_change_rects(layout, window)

    def box_pixels():
        after = shot.pixels(0, 0, width, height)
        points = [(i % width, i // width) for i in range(len(after))]
        beside = [p for p, a in zip(points, after) if a != screen.BLACK and not inside(p, window)]
        return beside if beside else \
            [p for p, a, b in zip(points, after, before)
             if a != b and not any(inside(p, r) for r in focus_changes)]

    if not screen.wait_for(lambda: len(box_pixels()) > 100, 10, 0.2):
        sys.exit("FAIL: no error box came up")
    screen.wait_for(lambda: False, 0.5)  # let it draw everything
    return bounds(box_pixels())


def main(tallix, layout):
    screen.need_programs("Xvfb", "weston", "xdotool")
    with screen.Processes() as processes:
        display = screen.start_xvfb(processes)
        env = screen.start_weston(processes, display, *desktop.OUTPUT)
        shot = screen.Screen(display)
        screen.park_pointer(shot, desktop.OUTPUT)
        app = processes.start([tallix], env=env)
        if not screen.wait_for(lambda: screen.window_rect(shot, desktop.OUTPUT) is not None, 20,
                               0.2):
            sys.exit("FAIL: no window on the desktop (tallix %s)" %
                     ("exited %d" % app.returncode if app.poll() is not None else "running"))
        screen.wait_for(lambda: False, 0.5)  # let it draw everything
        window = screen.window_rect(shot, desktop.OUTPUT)
        keys = {caption: (x + window[0], y + window[1], w, h)
                for caption, (x, y, w, h) in screen.key_rects(layout).items()}
        away = desktop.desktop_point(shot)
        check = screen.HoverCheck(shot)
        check.leave_fast(keys["1"], keys["2"], away)

        shot.move_pointer(*screen.parked(desktop.OUTPUT))
        box = open_error_box(shot, display, window, layout)
        print("error box at %d,%d %dx%d" % box)
        free = next(r for r in keys.values() if not screen.overlaps(r, box))
        check.cross("across the box", free, screen.centre(box), desktop.desktop_point(shot))
        check.finish()


if __name__ == "__main__":
    main(*sys.argv[1:])
