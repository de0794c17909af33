#!/usr/bin/env python3
# Every text of the real windows stays readable whatever the desktop's
# theme: light, dark or high-contrast, each text stands at least 4.5:1 apart
# from the background it is drawn on, measured on screenshots.
#
#     theme_contrast.py TALLIX MAIN_LAYOUT ABOUT_LAYOUT GTK3_THEME_PLUGIN
#
# Runs the window on a private Xvfb with no window manager once per theme:
# GTK's themes through Qt's gtk3 platform theme, and a dark KDE colour scheme,
# which Qt reads itself. Each run types an expression, calculates it, opens
# About and then the error box, and measures the region of each text. Themes
# that cannot be tried here are skipped by name; when all are, the test is.
import collections
import os
import sys
import tempfile
import time

import screen

PARKED = (1019, 763)
READABLE = 4.5
# A pixel this far apart from its region's background is part of the
# region's text (or of what stands beside it); antialiasing makes the rest.
INK = 1.1

# A dark KDE colour scheme, as its settings file gives it: window, view
# (edit and list boxes), button and selection colours.
KDE_DARK = "".join("[Colors:%s]\nBackgroundNormal=%s\nForegroundNormal=252,252,252\n" % group
                   for group in (("Window", "42,46,50"), ("View", "27,30,32"),
                                 ("Button", "49,54,59"), ("Selection", "61,174,233")))

# The themes: name, its GTK_THEME (None: the KDE scheme), and what the error
# box, which the theme alone colours, must be to show that the theme is in
# force (None: not checked, Qt may take a high-contrast theme for either).
THEMES = [
    ("Adwaita", "Adwaita", "light"),
    ("Adwaita:dark", "Adwaita:dark", "dark"),
    ("HighContrastInverse", "HighContrastInverse", None),
    ("KDE dark", None, "dark"),
]

# Where each text of a window is: the control, and "whole", "after first"
# (beside something to skip first: an option's indicator) or "key" (inside
# a key's border, on its shaded face).
MAIN_TEXTS = [
    ("caption Expression", "Label1", "whole"),
    ("caption Function", "Label4", "whole"),
    ("option Arc", "Option1", "after first"),
    ("option Angle", "Option2", "after first"),
    ("key 1", "XPButton7", "key"),
    ("key Insert", "XPButton27", "key"),
    ("key Calculate", "XPButton28", "key"),
]
ABOUT_TEXTS = [
    ("About title", "lblTitle", "whole"),
    ("About version", "Label2", "whole"),
    ("About link", "Label1", "whole"),
    ("About OK", "cmdOK", "key"),
]


# A region of a screenshot is a list of its rows of pixels.
def commonest(rows):
    return collections.Counter(p for row in rows for p in row).most_common(1)[0][0]


# What lies right of the first thing drawn and the gap after it.
def after_first(rows):
    background = commonest(rows)
    inked = [any(screen.contrast(p, background) >= INK for p in column) for column in zip(*rows)]
    first = inked.index(True) if True in inked else len(inked)
    gap = inked.index(False, first) if False in inked[first:] else len(inked)
    return [row[gap:] for row in rows]


# (the rows whose commonest colour is not the region's: a selected entry,
# the other rows).
def split_band(rows):
    background = commonest(rows)
    return ([row for row in rows if commonest([row]) != background],
            [row for row in rows if commonest([row]) == background])


# (contrast, background, text colour) of the text in a region; a region
# with no text in it measures 1. The text colour is the pixel that stands
# furthest apart from its background: the region's commonest colour, or with
# per_row each row's, for a face shaded from top to bottom. The background
# measured is then the one behind the text that stands least apart from it.
def measure(rows, per_row=False):
    common = commonest(rows)
    ink = [(pixel, background) for row in rows
           for background in [commonest([row]) if per_row else common]
           for pixel in row if screen.contrast(pixel, background) >= INK]
    if len(ink) < 5:
        return 1.0, common, common
    text = max(ink, key=lambda entry: screen.contrast(*entry))[0]
    background = min({b for _, b in ink}, key=lambda b: screen.contrast(text, b))
    return screen.contrast(text, background), background, text


def shrunk(rect, by):
    x, y, width, height = rect
    return x + by, y + by, width - 2 * by, height - 2 * by


# One theme: the program on its own X server, its screenshots and the
# figures measured on them.
class ThemeRun:
    def __init__(self, name, display):
        self.name, self.display = name, display
        self.shot = screen.Screen(display)
        self.shot.move_pointer(*PARKED)
        self.figures, self.failures = [], []

    def window(self, title):
        return screen.window_geometry(self.display, screen.shown_window(self.display, title))

    def click(self, point):
        self.shot.move_pointer(*point)
        screen.xdotool(self.display, "click", "1")
        self.shot.move_pointer(*PARKED)

    def region(self, rect):
        pixels = self.shot.pixels(*rect)
        return [pixels[y:y + rect[2]] for y in range(0, len(pixels), rect[2])]

    def check(self, what, region, per_row=False):
        contrast, background, text = measure(region, per_row)
        self.figures.append("  %-20s %6.2f:1  text #%02x%02x%02x on #%02x%02x%02x" %
                            ((what, contrast) + text + background))
        if contrast < READABLE:
            self.failures.append("%s: %s at %.2f:1" % (self.name, what, contrast))

    def check_controls(self, texts, layout, window):
        controls = screen.control_rects(layout, window[:2])
        for what, name, part in texts:
            region = self.region(shrunk(controls[name], 4 if part == "key" else 0))
            self.check(what, after_first(region) if part == "after first" else region,
                       per_row=part == "key")
        return controls

    def type_into(self, edit, text):
        self.click(screen.centre(edit))
        screen.xdotool(self.display, "type", "--delay", "20", text)


# Returns the luminance of the error box's background.
def run_theme(tallix, main_layout, about_layout, run, env):
    with screen.Processes() as processes:
        processes.start([tallix], env=env)
        main = run.window("Tallix")
        time.sleep(0.5)  # let it draw everything
        controls = screen.control_rects(main_layout, main[:2])
        # The edit box is measured with the focus on "Arc", already selected,
        # so that no caret, drawn in a colour of its own, stands in for its text.
        edit = shrunk(controls["Text1"], 3)
        blur = screen.centre(controls["Option1"])
        run.type_into(edit, "12+3")
        run.click(blur)
        screen.wait_for(lambda: measure(run.region(edit))[0] > 1, 5)
        run.check_controls(MAIN_TEXTS, main_layout, main)
        run.check("typed expression", run.region(edit))
        # The entries are short: two thirds of the list keep clear of its scroll bar.
        x, y, width, height = shrunk(controls["List1"], 3)
        selected, others = split_band(run.region((x, y, width * 2 // 3, height)))
        run.check("selected entry", selected)
        run.check("list entries", others)

        typed = run.shot.pixels(*edit)
        run.click(screen.centre(edit))
        screen.xdotool(run.display, "key", "Return")
        run.click(blur)
        screen.wait_for(lambda: run.shot.pixels(*edit) != typed, 5)
        time.sleep(0.5)  # the focus leaving it, too
        run.check("result", run.region(edit))

        run.click(screen.centre(controls["XPButton31"]))
        about = run.window("About Tallix")
        time.sleep(0.5)  # let it draw everything
        about_controls = run.check_controls(ABOUT_TEXTS, about_layout, about)
        run.click(screen.centre(about_controls["cmdOK"]))

        run.type_into(edit, "=")
        screen.xdotool(run.display, "key", "Return")
        box = run.window("Error")
        time.sleep(0.5)
        upper = (box[0] + 4, box[1] + 4, box[2] - 8, box[3] // 2)
        run.check("error message", after_first(run.region(upper)))
        return screen.luminance(commonest(run.region(box)))


def environment(display, gtk_theme, config_home):
    env = screen.x11_env(display)
    if gtk_theme:
        env.update(QT_QPA_PLATFORMTHEME="gtk3", GTK_THEME=gtk_theme)
        return env
    with open(os.path.join(config_home, "kdeglobals"), "w") as file:
        file.write(KDE_DARK)
    env.update(QT_QPA_PLATFORMTHEME="kde", KDE_SESSION_VERSION="5", XDG_CONFIG_HOME=config_home)
    return env


def main(tallix, main_layout, about_layout, gtk3_plugin):
    screen.need_programs("Xvfb", "xdotool")
    failures, skipped = [], []
    for name, gtk_theme, box_look in THEMES:
        if gtk_theme and not os.path.exists(gtk3_plugin):
            skipped.append(name)
            print("SKIP %s: not installed: %s (qt6-gtk-platformtheme)" % (name, gtk3_plugin))
            continue
        with screen.Processes() as processes, tempfile.TemporaryDirectory() as config_home:
            display = screen.start_xvfb(processes)
            run = ThemeRun(name, display)
            box = run_theme(tallix, main_layout, about_layout, run,
                            environment(display, gtk_theme, config_home))
        print("%s:\n%s" % (name, "\n".join(run.figures)))
        failures += run.failures
        look = "dark" if box < 0.2 else "light" if box > 0.5 else "mid-grey"
        if box_look and look != box_look:
            failures.append("%s: the error box is %s, so the theme is not in force" % (name, look))
    if len(skipped) == len(THEMES):
        screen.skip("no theme could be tried")
    screen.finish(failures)


if __name__ == "__main__":
    main(*sys.argv[1:])
