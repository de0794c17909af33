#!/usr/bin/env python3
# The fixed-size windows under weston (nested in Xvfb), with the toolkit's own
# title bar: whatever its maximise button (found in a screenshot), weston's
# maximize and fullscreen bindings or a drag of the window's edge ask of their
# size, the window is back at its size and place after, and tallix draws on:
# key 1 turns hot under the pointer (a compositor that rejected the window's
# size would have ended the program with a protocol error).
#
#     fixed_size_wayland.py TALLIX MAIN_LAYOUT_JSON ABOUT_LAYOUT_JSON
import sys
import time

import screen


# The centres of the title bar's buttons, left to right: the groups of columns
# right of the bar's middle (the title is centred) darker than the bar.
def title_bar_buttons(shot, rect):
    strip = (rect[0] + rect[2] // 2, rect[1] + 2, rect[2] // 2 - 2, 24)
    pixels = shot.pixels(*strip)
    bar = max(set(pixels), key=pixels.count)
    groups = []
    for column in sorted({i % strip[2] for i, p in enumerate(pixels) if sum(bar) - sum(p) > 150}):
        if groups and column - groups[-1][-1] <= 2:
            groups[-1].append(column)
        else:
            groups.append([column])
    return [(strip[0] + (g[0] + g[-1]) // 2, strip[1] + strip[3] // 2) for g in groups]


def main(tallix, main_layout, about_layout):
    screen.need("Xvfb", "weston", "xdotool")
    with screen.Processes() as processes:
        display = screen.start_xvfb(processes)
        env = screen.start_weston(processes, display)
        del env["QT_WAYLAND_DISABLE_WINDOWDECORATION"]  # the toolkit's title bar
        shot, failures = screen.Screen(display), []
        screen.park_pointer(shot)
        window, app = screen.show_on_weston(processes, shot, tallix, env)
        # The title bar and borders: the window's size less its client area's.
        frame = tuple(outer - inner for outer, inner in zip(window[2:], screen.layout_size(main_layout)))

        # A control of a window on the screen: its client area below the title bar.
        def control(layout, name, outer=window):
            return screen.rects(layout, (outer[0] + frame[0] // 2, outer[1] + frame[1] - frame[0] // 2))[name]

        def check(what, expected=window):
            if not screen.wait_for(lambda: screen.lit_rect(shot) == expected, 5, 0.1):
                failures.append("%s: the window is at %s, not %s" % (what, screen.lit_rect(shot), expected))
            key = control(main_layout, "1", expected)
            shot.move_pointer(*screen.centre(key))
            if not screen.wait_for(lambda: screen.hot(shot, key), 3):
                failures.append("%s: key 1 shows no hot look (tallix status %s)" % (what, app.poll()))
            shot.move_pointer(*screen.PARKED)
            if app.poll() is not None:
                screen.finish(failures)

        def maximise(what, outer):
            buttons = title_bar_buttons(shot, outer)
            if len(buttons) < 3:
                screen.finish(failures + ["%s: the title bar shows %d buttons" % (what, len(buttons))])
            shot.click(buttons[-2])
            time.sleep(0.5)  # time for a maximized configure to come

        for what in ("title bar maximise", "title bar maximise again"):
            maximise(what, window)
            check(what)
        # Weston's bindings (Super, and Shift to keep plain Super keys the
        # client's) act on the window with the focus, which a click gives it:
        # once to impose the state, which the window obeys, once to lift it.
        for keys in ("super+shift+m", "super+shift+f"):
            for what, expected in (("imposed by ", (0, 0) + screen.AREA), ("lifted by ", window)):
                shot.click(screen.centre(control(main_layout, "Text1")), "key", keys)
                check(what + keys, expected)

        left, top, width, height = window
        shot.move_pointer(left + width - 2, top + height // 2)
        screen.xdotool(display, "mousedown", "1")
        for step in range(1, 11):
            shot.move_pointer(left + width - 2 + 10 * step, top + height // 2 + 5 * step)
        screen.xdotool(display, "mouseup", "1")
        shot.move_pointer(*screen.PARKED)
        check("a drag of the right border")

        # Weston opens the About box at the pointer, on the About key, so it
        # reaches out right of the main window, which gives its right edge,
        # top and bottom. It stays at its size and place until OK closes it.
        shot.click(screen.centre(control(main_layout, "About")))
        def beside():  # what is drawn right of the main window
            return screen.lit_rect(shot, left + width)

        if not screen.wait_for(beside, 10):
            screen.finish(failures + ["the About box did not come up"])
        time.sleep(0.5)  # let it draw everything
        outside = beside()
        box_width = screen.layout_size(about_layout)[0] + frame[0]
        box = (outside[0] + outside[2] - box_width, outside[1], box_width, outside[3])
        maximise("About: title bar maximise", box)
        if beside() != outside or app.poll() is not None:
            failures.append("About maximised: at %s, tallix status %s" % (beside(), app.poll()))
        shot.click(screen.centre(control(about_layout, "OK", box)))
        if not screen.wait_for(lambda: beside() is None, 10):
            failures.append("About: OK did not close the box")
        check("About maximised, then closed")
        screen.finish(failures)


if __name__ == "__main__":
    main(*sys.argv[1:])
