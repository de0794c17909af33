#!/usr/bin/env python3
"""Every text of the real windows stays readable whatever the desktop's
theme: light, dark or high-contrast, each text stands at least 4.5:1 apart
from the background it is drawn on, measured on screenshots.

    theme_contrast.py TALLIX MAIN_LAYOUT ABOUT_LAYOUT GTK3_THEME_PLUGIN SHOTS_DIR

Runs the window on a private Xvfb with no window manager once per theme:
GTK's themes through Qt's gtk3 platform theme, and a dark KDE colour scheme,
which Qt reads itself. Each run types an expression, calculates it, opens
About and then the error box, and measures the region of each text. A
region's background is its commonest colour, its text colour the pixel that
stands furthest apart from it. The screenshots are left in SHOTS_DIR for a
person to look at. Themes that cannot be tried here are skipped by name;
when all are, the test is."""
import collections
import os
import sys
import tempfile

import screen

SCREEN = (800, 600)
PARKED = (SCREEN[0] - 5, SCREEN[1] - 5)
READABLE = 4.5
# A pixel this far apart from its region's background is part of the
# region's text (or of what stands beside it); antialiasing makes the rest.
INK = 1.1

# A dark KDE colour scheme, as its settings file gives it: window, view
# (edit and list boxes), button and selection colours.
KDE_DARK = """[Colors:Window]
BackgroundNormal=42,46,50
ForegroundNormal=252,252,252
[Colors:View]
BackgroundNormal=27,30,32
ForegroundNormal=252,252,252
[Colors:Button]
BackgroundNormal=49,54,59
ForegroundNormal=252,252,252
[Colors:Selection]
BackgroundNormal=61,174,233
ForegroundNormal=252,252,252
"""

# The themes: name, whether it comes through Qt's gtk3 platform theme, its
# GTK_THEME, and what the error box, which the theme alone colours, must be
# to show that the theme is in force ("dark", "light", or None: not checked,
# Qt may take a high-contrast theme for either).
THEMES = [
    ("Adwaita", True, "Adwaita", "light"),
    ("Adwaita:dark", True, "Adwaita:dark", "dark"),
    ("HighContrastInverse", True, "HighContrastInverse", None),
    ("KDE dark", False, None, "dark"),
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


class Region:
    """A rectangle of a screenshot: its pixels row by row, and its width."""

    def __init__(self, pixels, width):
        self.pixels, self.width = pixels, width
        self.height = len(pixels) // width

    def background(self):
        return collections.Counter(self.pixels).most_common(1)[0][0]

    def columns(self, keep):
        return Region([p for i, p in enumerate(self.pixels) if keep(i % self.width)],
                      sum(1 for x in range(self.width) if keep(x)))

    def rows(self, keep):
        return Region([p for i, p in enumerate(self.pixels) if keep(i // self.width)], self.width)

    def after_first(self):
        """What lies to the right of the first thing drawn and the gap after it."""
        background = self.background()
        inked = [any(screen.contrast(self.pixels[y * self.width + x], background) >= INK
                     for y in range(self.height)) for x in range(self.width)]
        first = inked.index(True) if True in inked else self.width
        gap = inked.index(False, first) if False in inked[first:] else self.width
        return self.columns(lambda x: x >= gap)

    def split_band(self):
        """(the rows whose commonest colour is not the region's: a selected
        entry, the other rows)."""
        background = self.background()
        band = {y for y in range(self.height)
                if collections.Counter(self.pixels[y * self.width:(y + 1) * self.width])
                .most_common(1)[0][0] != background}
        return self.rows(lambda y: y in band), self.rows(lambda y: y not in band)


def measure(region, per_row=False):
    """(contrast, background, text colour) of the text in a region; a region
    with no text in it measures 1. The text colour is the pixel that stands
    furthest apart from its background; that is the region's commonest
    colour, or with per_row each row's, for a face shaded from top to bottom.
    Then the background measured is the one behind the text that stands
    least apart from the text colour."""
    rows = [region.pixels[y * region.width:(y + 1) * region.width]
            for y in range(region.height)]
    common = region.background()
    ink = [(pixel, background) for row, background in
           ((row, collections.Counter(row).most_common(1)[0][0] if per_row else common)
            for row in rows)
           for pixel in row if screen.contrast(pixel, background) >= INK]
    if len(ink) < 5:
        return 1.0, common, common
    text = max(ink, key=lambda entry: screen.contrast(*entry))[0]
    background = min({background for _, background in ink}, key=lambda b: screen.contrast(text, b))
    return screen.contrast(text, background), background, text


def placed(origin, rect, by=0):
    """A rectangle of a window moved to where the window is on the screen
    and shrunk by `by` pixels on each side."""
    x, y, width, height = rect
    return origin[0] + x + by, origin[1] + y + by, width - 2 * by, height - 2 * by


class ThemeRun:
    """One theme: the program on its own X server, its screenshots and the
    figures measured on them."""

    def __init__(self, name, env, shot, display, shots_dir):
        self.name, self.env, self.shot, self.display = name, env, shot, display
        self.shots_dir = shots_dir
        self.figures, self.failures = [], []

    def window(self, title):
        """The rectangle of the shown window with that title, once it is."""
        def shown():
            return screen.visible_windows(self.display, "--name", "^%s$" % title)

        if not screen.wait_for(shown, 20):
            sys.exit("FAIL: %s: no window titled %r came up" % (self.name, title))
        return screen.window_geometry(self.display, shown()[0])

    def click(self, point):
        self.shot.move_pointer(*point)
        screen.xdotool(self.display, "click", "1")
        self.shot.move_pointer(*PARKED)

    def region(self, rect):
        return Region(self.shot.pixels(*rect), rect[2])

    def save(self, what, rect):
        screen.write_png(os.path.join(self.shots_dir, "%s-%s.png" % (
            self.name.replace(":", "-").replace(" ", "-"), what)),
            self.shot.pixels(*rect), rect[2], rect[3])

    def check(self, what, region, per_row=False):
        contrast, background, text = measure(region, per_row)
        self.figures.append((what, contrast, background, text))
        if contrast < READABLE:
            self.failures.append("%s: %s at %.2f:1" % (self.name, what, contrast))

    def check_controls(self, texts, origin, controls):
        for what, name, part in texts:
            region = self.region(placed(origin, controls[name][1], 4 if part == "key" else 0))
            self.check(what, region.after_first() if part == "after first" else region,
                       per_row=part == "key")

    def report(self):
        print("%s:" % self.name)
        for what, contrast, background, text in self.figures:
            print("  %-20s %6.2f:1  text #%02x%02x%02x on #%02x%02x%02x" %
                  ((what, contrast) + text + background))


def run_theme(tallix, main_layout, about_layout, run):
    main_controls = screen.control_rects(main_layout)
    about_controls = screen.control_rects(about_layout)
    with screen.Processes() as processes:
        processes.start([tallix], env=run.env)
        main = run.window("Tallix")
        origin = main[:2]

        def on_main(name, by=0):
            return placed(origin, main_controls[name][1], by)

        screen.wait_for(lambda: False, 0.5)  # let it draw everything
        # The edit box is measured with the focus on "Arc", already selected,
        # so that no caret, drawn in a colour of its own, stands in for its text.
        edit = on_main("Text1", 3)
        blur = screen.centre(on_main("Option1"))
        run.click(screen.centre(edit))
        screen.xdotool(run.display, "type", "--delay", "20", "12+3")
        run.click(blur)
        screen.wait_for(lambda: measure(run.region(edit))[0] > 1, 5)
        run.save("main", main)
        run.check_controls(MAIN_TEXTS, origin, main_controls)
        run.check("typed expression", run.region(edit))
        # The entries are short: two thirds of the list keep clear of its scroll bar.
        entries = on_main("List1", 3)
        selected, others = run.region(
            (entries[0], entries[1], entries[2] * 2 // 3, entries[3])).split_band()
        run.check("selected entry", selected)
        run.check("list entries", others)

        typed = run.shot.pixels(*edit)
        run.click(screen.centre(edit))
        screen.xdotool(run.display, "key", "Return")
        run.click(blur)
        screen.wait_for(lambda: run.shot.pixels(*edit) != typed, 5)
        screen.wait_for(lambda: False, 0.5)  # the focus leaving it, too
        run.check("result", run.region(edit))

        run.click(screen.centre(on_main("XPButton31")))
        about = run.window("About Tallix")
        screen.wait_for(lambda: False, 0.5)
        run.save("about", about)
        run.check_controls(ABOUT_TEXTS, about[:2], about_controls)
        run.click(screen.centre(placed(about[:2], about_controls["cmdOK"][1])))

        run.click(screen.centre(edit))
        screen.xdotool(run.display, "type", "--delay", "20", "=")
        screen.xdotool(run.display, "key", "Return")
        box = run.window("Error")
        screen.wait_for(lambda: False, 0.5)
        run.save("error", box)
        upper = (box[0] + 4, box[1] + 4, box[2] - 8, box[3] // 2)
        run.check("error message", run.region(upper).after_first())
        return screen.luminance(run.region(box).background())


def environment(display, gtk_theme, config_home):
    env = dict(os.environ, DISPLAY=display, QT_QPA_PLATFORM="xcb")
    env.pop("WAYLAND_DISPLAY", None)
    if gtk_theme:
        env.update(QT_QPA_PLATFORMTHEME="gtk3", GTK_THEME=gtk_theme)
    else:
        with open(os.path.join(config_home, "kdeglobals"), "w") as file:
            file.write(KDE_DARK)
        env.update(QT_QPA_PLATFORMTHEME="kde", KDE_SESSION_VERSION="5",
                   XDG_CONFIG_HOME=config_home)
    return env


def main(tallix, main_layout, about_layout, gtk3_plugin, shots_dir):
    screen.need_programs("Xvfb", "xdotool")
    os.makedirs(shots_dir, exist_ok=True)
    failures, skipped = [], []
    for name, through_gtk, gtk_theme, box_look in THEMES:
        if through_gtk and not os.path.exists(gtk3_plugin):
            skipped.append(name)
            print("SKIP %s: not installed: %s (qt6-gtk-platformtheme)" % (name, gtk3_plugin))
            continue
        with screen.Processes() as processes, tempfile.TemporaryDirectory() as config_home:
            display = screen.start_xvfb(processes, "%dx%d" % SCREEN)
            shot = screen.Screen(display)
            shot.move_pointer(*PARKED)
            run = ThemeRun(name, environment(display, gtk_theme, config_home), shot, display,
                           shots_dir)
            box = run_theme(tallix, main_layout, about_layout, run)
        run.report()
        failures += run.failures
        look = "dark" if box < 0.2 else "light" if box > 0.5 else "mid-grey"
        if box_look and look != box_look:
            failures.append("%s: the error box is %s, so the theme is not in force" %
                            (name, look))
    for failure in failures:
        print("FAIL: " + failure)
    if failures:
        sys.exit(1)
    if len(skipped) == len(THEMES):
        screen.skip("no theme could be tried")


if __name__ == "__main__":
    main(*sys.argv[1:])
