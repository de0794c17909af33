#!/usr/bin/env python3
# The keyboard alone reaches everything, typed on X11 (Xvfb with no window
# manager: the keys go to the window under the pointer): F1 on a clicked key
# asks for help; in the About box Escape closes it, Tab reaches the link and
# Enter or Space opens it; Tab reaches the function list, which shows it.
#
#     keyboard_x11.py TALLIX MAIN_LAYOUT_JSON
import sys
import time

import screen

TABS_TO_LIST = 20  # the 19 keys after the expression box in the tab order, then the list
# (keys typed in the About box, whether they close it, links opened)
ABOUT_KEYS = [(["Escape"], True, 0), (["Tab", "Return"], False, 1), (["Tab", "space"], False, 1)]


def main(tallix, layout):
    screen.need("Xvfb", "xdotool")
    with screen.Processes() as processes:
        display = screen.start_xvfb(processes)
        env, opened_so_far = screen.recording_opener(processes, screen.x11_env(display))
        controls = screen.rects(layout, screen.show_on_x11(processes, tallix, display, env)[1])
        shot, failures = screen.Screen(display), []

        def shown():
            return screen.visible_windows(display, "--name", "^About Tallix$")

        # What typing the keys asks the desktop to open.
        def typed(keys, opens):
            before = len(opened_so_far())
            screen.xdotool(display, "key", "--delay", "50", *keys)
            screen.wait_for(lambda: len(opened_so_far()) - before >= opens, 5 if opens else 1)
            return opened_so_far()[before:]

        shot.click(screen.centre(controls["Calculate"]))  # the focus stays on the key
        opened = typed(["F1"], 1)
        if [path.rsplit("/", 1)[-1] for path in opened] != ["help.htm"]:
            failures.append("F1 on a key asks for %s" % opened)
        for keys, closes, links in ABOUT_KEYS:
            shot.click(screen.centre(controls["About"]))
            box = screen.window_geometry(display, screen.shown_window(display, "About Tallix"))
            shot.move_pointer(box[0] + box[2] // 2, box[1] + box[3] // 4)
            opened = typed(keys, links)
            gone = screen.wait_for(lambda: not shown(), 3 if closes else 1)
            if gone != closes or opened != ["http://tallix.example.org/ourfiles"] * links:
                failures.append("%s: box %s, opened %s" % (keys, "gone" if gone else "open", opened))
            if shown():
                screen.xdotool(display, "key", "Escape")
            screen.wait_for(lambda: not shown(), 3)

        # The list's focus: contrasting dots (3:1 at least) all round an entry.
        shot.click(screen.centre(controls["Text1"]))
        time.sleep(0.5)
        without = shot.pixels(*controls["List1"])
        screen.xdotool(display, "key", "--delay", "50", *["Tab"] * TABS_TO_LIST)
        time.sleep(0.5)
        changed = [(a, b) for a, b in zip(without, shot.pixels(*controls["List1"])) if a != b]
        lowest = min((screen.contrast(a, b) for a, b in changed), default=0)
        if len(changed) < controls["List1"][2] // 2 or lowest < 3:
            failures.append("the list's focus: %d pixels, %.1f:1" % (len(changed), lowest))
    screen.finish(failures)


if __name__ == "__main__":
    main(*sys.argv[1:])
