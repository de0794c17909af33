#!/usr/bin/env python3
# The fixed-size windows under Wayland, with the toolkit's own title bar:
# whatever the title bar or the compositor asks of their size, tallix keeps
# running and draws on, and the window is back at its size and place after.
#
#     fixed_size_wayland.py TALLIX MAIN_LAYOUT_JSON ABOUT_LAYOUT_JSON
#
# Drives weston, nested in a private Xvfb on a black desktop, with the real
# pointer and keyboard: the title bar's maximise button (found in a
# screenshot) on the main window and on the About box, weston's own maximize
# and fullscreen bindings, and a drag of the window's edge. After each, the
# pointer moves over a key, whose hot look must come: a repaint is what a
# compositor that rejected the window's size would answer with a protocol
# error, ending the program.
import sys
import time

import screen

OUTPUT = (800, 600)
# Weston's bindings take the Super key; Shift keeps plain Super keys the client's.
MAXIMIZE, FULLSCREEN = "super+shift+m", "super+shift+f"
WHOLE_OUTPUT = (0, 0, OUTPUT[0] - screen.MARGIN, OUTPUT[1] - screen.MARGIN)


# The centres of the title bar's buttons, left to right: the groups of
# columns right of the bar's middle (the title is centred) with pixels darker
# than the bar itself.
def title_bar_buttons(shot, rect):
    left, top, width, _ = rect
    strip = (left + width // 2, top + 2, width // 2 - 2, 24)
    pixels = shot.pixels(*strip)
    bar = max(set(pixels), key=pixels.count)
    groups = []
    for column in sorted({i % strip[2] for i, p in enumerate(pixels) if sum(bar) - sum(p) > 150}):
        if groups and column - groups[-1][-1] <= 2:
            groups[-1].append(column)
        else:
            groups.append([column])
    return [(strip[0] + (g[0] + g[-1]) // 2, strip[1] + strip[3] // 2) for g in groups]


class Session:
    def __init__(self, processes, tallix, main_layout, about_layout):
        self.display = screen.start_xvfb(processes)
        env = screen.start_weston(processes, self.display, OUTPUT, title_bars=True)
        self.shot = screen.Screen(self.display)
        screen.park_pointer(self.shot, OUTPUT)
        self.window, self.app = screen.show_on_weston(processes, self.shot, tallix, env, OUTPUT)
        self.layout, self.about_layout = main_layout, about_layout
        width, height = screen.layout_size(main_layout)
        # The title bar and borders: the window's size less its client area.
        self.frame = (self.window[2] - width, self.window[3] - height)
        self.failures = []

    def rect(self, x=0):
        return screen.lit_rect(self.shot, OUTPUT, x)

    # The client area's origin of a window on the screen: the title bar
    # above it, the border to its left.
    def client(self, window):
        border = self.frame[0] // 2
        return window[0] + border, window[1] + self.frame[1] - border

    def click(self, point):
        self.shot.move_pointer(*point)
        screen.xdotool(self.display, "click", "1")
        self.shot.move_pointer(*screen.parked(OUTPUT))

    def click_button(self, layout, caption, window):
        self.click(screen.centre(screen.key_rects(layout, self.client(window))[caption]))

    # Weston's bindings act on the window with the keyboard focus, which a
    # click on the expression box gives it.
    def key(self, keys):
        self.click(screen.centre(screen.control_rects(self.layout, self.client(self.window))
                                 ["Text1"]))
        screen.xdotool(self.display, "key", keys)

    def settles_at(self, what, expected):
        if screen.wait_for(lambda: self.rect() == expected, 5, 0.1):
            return True
        self.still_running(what, 1)
        self.failures.append("%s: the window is at %s, not %s" % (what, self.rect(), expected))
        return False

    # Key 1 under the pointer must turn hot: the window repaints, and the
    # program is still there to do it.
    def draws_on(self, what, window=None):
        key = screen.key_rects(self.layout, self.client(window or self.window))["1"]
        self.shot.move_pointer(*screen.centre(key))
        hot = screen.wait_for(lambda: screen.hot_pixels(self.shot.pixels(*key)) > 0, 3)
        self.shot.move_pointer(*screen.parked(OUTPUT))
        self.still_running(what, 0 if hot else 1)
        if not hot:
            self.failures.append("%s: key 1 shows no hot look under the pointer" % what)

    def still_running(self, what, grace=0):
        if screen.wait_for(lambda: self.app.poll() is not None, grace):
            self.failures.append("%s: tallix ended with status %d" % (what, self.app.returncode))
            screen.finish(self.failures)

    def maximise(self, what, window):
        buttons = title_bar_buttons(self.shot, window)
        if len(buttons) < 3:
            self.failures.append("%s: the title bar shows %d buttons" % (what, len(buttons)))
            screen.finish(self.failures)
        self.click(buttons[-2])
        time.sleep(0.5)  # time for a maximized configure to come


# Weston's binding once to impose its state (which the window obeys),
# once to lift it again.
def compositor_toggles(keys):
    def toggle(session):
        session.key(keys)
        session.settles_at("imposed by " + keys, WHOLE_OUTPUT)
        session.draws_on("imposed by " + keys, WHOLE_OUTPUT)
        session.key(keys)
    return toggle


def drag_right_edge(session):
    left, top, width, height = session.window
    session.shot.move_pointer(left + width - 2, top + height // 2)
    screen.xdotool(session.display, "mousedown", "1")
    for step in range(1, 11):
        session.shot.move_pointer(left + width - 2 + 10 * step, top + height // 2 + 5 * step)
    screen.xdotool(session.display, "mouseup", "1")
    session.shot.move_pointer(*screen.parked(OUTPUT))


# Weston opens the About box at the pointer, on the About key, so it reaches
# out right of the main window; that part gives its right edge, top and
# bottom. It must stay at its size and place until OK closes it.
def maximise_about_box(session):
    about_layout = session.about_layout
    session.click_button(session.layout, "About", session.window)
    right_of_main = session.window[0] + session.window[2]
    if not screen.wait_for(lambda: session.rect(right_of_main) is not None, 10):
        session.failures.append("the About box did not come up")
        screen.finish(session.failures)
    time.sleep(0.5)  # let it draw everything
    outside = session.rect(right_of_main)
    width = screen.layout_size(about_layout)[0] + session.frame[0]
    box = (outside[0] + outside[2] - width, outside[1], width, outside[3])
    session.maximise("About: title bar maximise", box)
    if session.rect(right_of_main) != outside:
        session.failures.append("About: title bar maximise: the box is at %s, not %s" %
                                (session.rect(right_of_main), outside))
    session.still_running("About: title bar maximise")
    session.click_button(about_layout, "OK", box)
    if not screen.wait_for(lambda: session.rect(right_of_main) is None, 10):
        session.failures.append("About: OK did not close the box")


# (what is asked, how); after each the window must be back at its size and
# place, and repaint.
REQUESTS = [
    ("title bar maximise", lambda s: s.maximise("title bar maximise", s.window)),
    ("title bar maximise again", lambda s: s.maximise("title bar maximise again", s.window)),
    ("compositor maximize, then restore", compositor_toggles(MAXIMIZE)),
    ("compositor fullscreen, then restore", compositor_toggles(FULLSCREEN)),
    ("a drag of the right border", drag_right_edge),
    ("About maximised, then closed", maximise_about_box),
]


def main(tallix, main_layout, about_layout):
    screen.need_programs("Xvfb", "weston", "xdotool")
    with screen.Processes() as processes:
        session = Session(processes, tallix, main_layout, about_layout)
        print("window at %d,%d %dx%d" % session.window)
        for what, request in REQUESTS:
            request(session)
            if session.settles_at(what, session.window):
                session.draws_on(what)
            print("%s: done" % what)
        screen.finish(session.failures)


if __name__ == "__main__":
    main(*sys.argv[1:])
