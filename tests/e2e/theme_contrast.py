#!/usr/bin/env python3
# Every text of the real windows stays readable whatever the desktop's theme:
# light, dark or high-contrast, each text stands at least 4.5:1 apart from
# what it is drawn on, measured on screenshots of Xvfb with no window manager.
# GTK's themes come through Qt's gtk3 platform theme (skipped without it), a
# dark KDE colour scheme through Qt's own reading of it. Each run types
# and calculates an expression, opens About, then the error box.
#
#     theme_contrast.py TALLIX MAIN_LAYOUT ABOUT_LAYOUT GTK3_THEME_PLUGIN
import collections
import os
import sys
import time

import screen

INK = 1.1  # a pixel this far apart from its background is text; antialiasing makes the rest
KDE_DARK = "".join("[Colors:%s]\nBackgroundNormal=%s\nForegroundNormal=252,252,252\n" % group
                   for group in (("Window", "42,46,50"), ("View", "27,30,32"),
                                 ("Button", "49,54,59"), ("Selection", "61,174,233")))
# (name, GTK_THEME or None for the KDE scheme, the look of the error box,
# which the theme alone colours, when the theme is in force; None: either)
THEMES = [("Adwaita", "Adwaita", "light"), ("Adwaita:dark", "Adwaita:dark", "dark"),
          ("HighContrastInverse", "HighContrastInverse", None), ("KDE dark", None, "dark")]
# (control, where its text is: "whole", "after first" (beside an option's
# indicator) or "key" (inside a key's border, on its face shaded row by row))
MAIN_TEXTS = [("Label1", "whole"), ("Label4", "whole"), ("Option1", "after first"), ("Option2", "after first"),
              ("XPButton7", "key"), ("XPButton27", "key"), ("XPButton28", "key")]
ABOUT_TEXTS = [("lblTitle", "whole"), ("Label2", "whole"), ("Label1", "whole"), ("cmdOK", "key")]


# A region of a screenshot is a list of its rows of pixels.
def commonest(rows):
    return collections.Counter(p for row in rows for p in row).most_common(1)[0][0]


# What lies right of the first thing drawn and the gap after it.
def after_first(rows):
    background = commonest(rows)
    inked = [any(screen.contrast(p, background) >= INK for p in column) for column in zip(*rows)]
    first = inked.index(True) if True in inked else len(inked)
    return [row[inked.index(False, first) if False in inked[first:] else len(inked):] for row in rows]


# The contrast of the text in a region (1 with none): of the pixel furthest
# apart from its background (the region's commonest colour, or with per_row
# its row's) against the background behind text that stands least apart from it.
def measure(rows, per_row=False):
    ink = [(pixel, background) for row in rows for background in [commonest([row] if per_row else rows)]
           for pixel in row if screen.contrast(pixel, background) >= INK]
    if len(ink) < 5:
        return 1.0
    text = max(ink, key=lambda entry: screen.contrast(*entry))[0]
    return min(screen.contrast(text, background) for _, background in ink)


def shrunk(rect, by):
    return rect[0] + by, rect[1] + by, rect[2] - 2 * by, rect[3] - 2 * by


# Runs one theme, adding to the failures; the luminance of the error box.
def run_theme(processes, name, tallix, main_layout, about_layout, env, display, failures):
    shot = screen.Screen(display)
    shot.move_pointer(*screen.PARKED)

    def region(rect):
        pixels = shot.pixels(*rect)
        return [pixels[y:y + rect[2]] for y in range(0, len(pixels), rect[2])]

    def check(what, rows, per_row=False):
        contrast = measure(rows, per_row)
        if contrast < 4.5:
            failures.append("%s: %s at %.2f:1" % (name, what, contrast))

    def window(title, layout, texts):
        rect = screen.window_geometry(display, screen.shown_window(display, title))
        time.sleep(0.5)  # let it draw everything
        controls = screen.rects(layout, rect)
        for control, part in texts:
            rows = region(shrunk(controls[control], 4 if part == "key" else 0))
            check(control, after_first(rows) if part == "after first" else rows, part == "key")
        return rect, controls

    processes.start([tallix], env=env)
    _, controls = window("Tallix", main_layout, [])
    # The edit box measured with the focus on "Arc", already selected, so
    # that no caret, drawn in a colour of its own, stands in for its text.
    edit, blur = shrunk(controls["Text1"], 3), screen.centre(controls["Option1"])
    shot.click(screen.centre(edit), "type", "12+3")
    shot.click(blur)
    screen.wait_for(lambda: measure(region(edit)) > 1, 5)
    window("Tallix", main_layout, MAIN_TEXTS)
    check("expression", region(edit))
    # The entries are short: two thirds of the list keep clear of its scroll bar.
    x, y, width, height = shrunk(controls["List1"], 3)
    rows = region((x, y, width * 2 // 3, height))
    background = commonest(rows)
    check("selected", [row for row in rows if commonest([row]) != background])
    check("entries", [row for row in rows if commonest([row]) == background])
    typed = shot.pixels(*edit)
    shot.click(screen.centre(edit), "key", "Return")
    shot.click(blur)
    screen.wait_for(lambda: shot.pixels(*edit) != typed, 5)
    time.sleep(0.5)  # the focus leaving it, too
    check("result", region(edit))
    shot.click(screen.centre(controls["About"]))
    shot.click(screen.centre(window("About Tallix", about_layout, ABOUT_TEXTS)[1]["OK"]))
    shot.click(screen.centre(edit), "type", "=")
    screen.xdotool(display, "key", "Return")
    box, _ = window("Error", about_layout, [])
    check("error", after_first(region((box[0] + 4, box[1] + 4, box[2] - 8, box[3] // 2))))
    return screen.luminance(commonest(region(box)))


def main(tallix, main_layout, about_layout, gtk3_plugin):
    screen.need("Xvfb", "xdotool")
    if not os.path.exists(gtk3_plugin):
        screen.skip("not installed: %s (qt6-gtk-platformtheme)" % gtk3_plugin)
    failures = []
    for name, gtk_theme, look in THEMES:
        with screen.Processes() as processes:
            display, config = screen.start_xvfb(processes), processes.folder()
            env = dict(screen.x11_env(display), QT_QPA_PLATFORMTHEME="gtk3", GTK_THEME=gtk_theme or "")
            if not gtk_theme:
                open(os.path.join(config, "kdeglobals"), "w").write(KDE_DARK)
                env.update(QT_QPA_PLATFORMTHEME="kde", KDE_SESSION_VERSION="5", XDG_CONFIG_HOME=config)
            box = run_theme(processes, name, tallix, main_layout, about_layout, env, display, failures)
        if look and not (box < 0.2 if look == "dark" else box > 0.5):
            failures.append("%s: the error box's luminance %.2f is not %s's" % (name, box, look))
    screen.finish(failures)


if __name__ == "__main__":
    main(*sys.argv[1:])
