#!/usr/bin/env python3
"""Reads and drives the running tallix through AT-SPI, as a screen reader does.

Usage: atspi_names.py PATH-TO-TALLIX

Starts a private session bus, a virtual X server, the AT-SPI bus and the
program, then looks for the main window, the edit box, the function list and
the keys by role and name; selects functions in the list as a screen reader
does and inserts them with Insert's action; opens the About box through its
button's action, reads its controls and opens its link through the link's
action, with the desktop's opener replaced by one that only records. Exits 0
when all is as expected, 1 when something is missing or wrong, 77 (a skip)
when one of the pieces around the program cannot be started here.
"""

import importlib.util
import os
import subprocess
import sys
import tempfile
import time

import screen

INSIDE_SESSION = "--inside-session"
BUS_LAUNCHERS = ("/usr/libexec/at-spi-bus-launcher", "/usr/lib/at-spi2-core/at-spi-bus-launcher")
START_SECONDS = 10
APPEAR_SECONDS = 15

# (role, name, description); None accepts any description. A key that shows
# a sign or a letter is heard by what it does; the angle options by their unit.
EXPECTED = [
    ("frame", "Tallix", None),
    ("text", "Expression", None),
    ("list", "Function", None),
    ("push button", "Calculate", ""),
    ("push button", "1", ""),
    ("push button", "Plus", ""),
    ("push button", "Minus", ""),
    ("push button", "Multiply", ""),
    ("push button", "Divide", ""),
    ("push button", "Power", ""),
    ("push button", "Open parenthesis", ""),
    ("push button", "Close parenthesis", ""),
    ("push button", "Delete", "Delete"),
    ("push button", "Backspace", "Backspace"),
    ("push button", "Decimal point", "Decimal Point"),
    ("push button", "Insert", "Select And Insert A Function"),
    ("radio button", "Arc (radians)", None),
    ("radio button", "Angle (degrees)", None),
]
# The About box's controls, in order: its rule only decorates and is left out.
ABOUT_CHILDREN = [
    ("label", "Tallix"),
    ("label", "Version 1.0"),
    ("link", "tallix.example.org"),
    ("push button", "OK"),
]
ABOUT_LINK = "http://tallix.example.org/ourfiles"
# The ways a screen reader selects an entry of the list on this toolkit's
# bridge (the list offers the Table interface, its entries a Toggle action),
# and the entry each selects; Insert must then insert that function.
SELECTIONS = [
    ("the list's row selection", "sin()",
     lambda entries, row: entries.queryTable().addRowSelection(row)),
    ("the entry's Toggle action", "tan()",
     lambda entries, row: press(entries.getChildAtIndex(row), "Toggle")),
]
# (role, name) of a control and the label a screen reader reads for it.
LABELLED = [("text", "Expression", "Expression")]


def fail(reason):
    print(f"FAIL: {reason}")
    sys.exit(1)


def bus_launcher():
    return next((path for path in BUS_LAUNCHERS if os.access(path, os.X_OK)), None)


def start_accessibility_bus(processes):
    """The AT-SPI bus, announced on the session bus as org.a11y.Bus."""
    from gi.repository import Gio, GLib

    launcher = processes.start([bus_launcher(), "--launch-immediately"],
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    session = Gio.bus_get_sync(Gio.BusType.SESSION)
    deadline = time.monotonic() + START_SECONDS
    while time.monotonic() < deadline and launcher.poll() is None:
        reply = session.call_sync("org.freedesktop.DBus", "/org/freedesktop/DBus",
                                  "org.freedesktop.DBus", "NameHasOwner",
                                  GLib.Variant("(s)", ("org.a11y.Bus",)),
                                  GLib.VariantType("(b)"), Gio.DBusCallFlags.NONE, 1000, None)
        if reply.unpack()[0]:
            return
        time.sleep(0.1)
    screen.skip(f"the AT-SPI bus launcher did not start (status {launcher.poll()})")


def describe(node):
    return (node.getRoleName(), node.name, node.description)


def nodes_under(node):
    """The node and its descendants; the entries of a list are left out."""
    yield node
    if node.getRoleName() != "list":
        for index in range(node.childCount):
            child = node.getChildAtIndex(index)
            if child is not None:
                yield from nodes_under(child)


def main_window_of(pid, program):
    """The frame of the program's application, once the program is on the bus."""
    import pyatspi

    deadline = time.monotonic() + APPEAR_SECONDS
    while time.monotonic() < deadline:
        if program.poll() is not None:
            fail(f"tallix ended with status {program.returncode} before it was found")
        desktop = pyatspi.Registry.getDesktop(0)
        for application in (desktop.getChildAtIndex(i) for i in range(desktop.childCount)):
            if application is None or application.get_process_id() != pid:
                continue
            windows = [application.getChildAtIndex(i) for i in range(application.childCount)]
            if windows:
                return windows[0]
        time.sleep(0.2)
    fail(f"tallix did not appear on the AT-SPI bus within {APPEAR_SECONDS} s")


def labels_of(node):
    import pyatspi

    return [relation.getTarget(i)
            for relation in node.getRelationSet()
            if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY
            for i in range(relation.getNTargets())]


def expected_missing(found):
    """Prints each expected node found; returns those not found."""
    missing = []
    for role, name, description in EXPECTED:
        texts = [entry[2] for entry in found if entry[:2] == (role, name)
                 and (description is None or entry[2] == description)]
        if texts:
            print(f"found {role} {name!r}" + (f", description {texts[0]!r}" if texts[0] else ""))
        else:
            wanted = f" described {description!r}" if description else ""
            missing.append(f"{role} {name!r}{wanted}")
    return missing


def labels_missing(found):
    """Prints each control found with its label; returns those without it."""
    missing = []
    for role, name, label in LABELLED:
        node = next((entry[3] for entry in found if entry[:2] == (role, name)), None)
        names = [target.name for target in labels_of(node)] if node is not None else []
        if label in names:
            print(f"found {role} {name!r} labelled by {label!r}")
        else:
            missing.append(f"{role} {name!r} labelled by {label!r} (labels: {names})")
    return missing


def check_tree(window):
    found = [describe(node) + (node,) for node in nodes_under(window)]
    missing = expected_missing(found) + labels_missing(found)
    if missing:
        print("what AT-SPI shows:")
        for role, name, description, _ in found:
            print(f"  {role} {name!r} {description!r}")
        fail("not found: " + "; ".join(missing))


def find(window, role, name):
    node = next((node for node in nodes_under(window)
                 if (node.getRoleName(), node.name) == (role, name)), None)
    if node is None:
        fail(f"no {role} {name!r}")
    return node


def press(node, action):
    """Runs the node's action of that name, as a screen reader does."""
    actions = node.queryAction()
    names = [actions.getName(i) for i in range(actions.nActions)]
    if action not in names:
        fail(f"{node.getRoleName()} {node.name!r} has no action {action!r} (has {names})")
    actions.doAction(names.index(action))


def text_of(node):
    return node.queryText().getText(0, -1)


def check_selections(window):
    """Each way of selecting an entry, then Insert's action, on a cleared
    expression box: the box must show the selected function."""
    entries = find(window, "list", "Function")
    expression = find(window, "text", "Expression")
    names = [entries.getChildAtIndex(i).name for i in range(entries.childCount)]
    for how, entry, select in SELECTIONS:
        press(find(window, "push button", "Clear"), "Press")
        screen.wait_for(lambda: text_of(expression) == "", 5)
        select(entries, names.index(entry))
        press(find(window, "push button", "Insert"), "Press")
        wanted = entry[:-1]
        screen.wait_for(lambda: text_of(expression) == wanted, 5)
        if text_of(expression) != wanted:
            fail(f"{entry} selected by {how}: Insert gave {text_of(expression)!r}, "
                 f"not {wanted!r}")
        print(f"{entry} selected by {how}: Insert gave {wanted!r}")


def about_box(application):
    boxes = [application.getChildAtIndex(i) for i in range(application.childCount)]
    return next((box for box in boxes
                 if box is not None and (box.getRoleName(), box.name) == ("dialog", "About Tallix")),
                None)


def check_about(window, opener):
    """Opens the About box by its button's action, reads its controls and
    opens the link by the link's action; OK's action closes the box."""
    application = window.parent
    press(find(window, "push button", "About"), "Press")
    if not screen.wait_for(lambda: about_box(application) is not None, 10):
        fail("the About box did not come up")
    box = about_box(application)
    children = [(box.getChildAtIndex(i).getRoleName(), box.getChildAtIndex(i).name)
                for i in range(box.childCount)]
    if children != ABOUT_CHILDREN:
        fail(f"the About box shows {children}, not {ABOUT_CHILDREN}")
    print(f"About box: {children}")
    press(find(box, "link", "tallix.example.org"), "Press")
    screen.wait_for(lambda: opener.opened(), 5)
    if opener.opened() != [ABOUT_LINK]:
        fail(f"the link's action opened {opener.opened()}, not {ABOUT_LINK}")
    print(f"the link's action opened {ABOUT_LINK}")
    press(find(box, "push button", "OK"), "Press")
    if not screen.wait_for(lambda: about_box(application) is None, 5):
        fail("OK's action left the About box open")


def inside_session(tallix):
    with tempfile.TemporaryDirectory() as runtime, screen.Processes() as processes:
        os.environ["XDG_RUNTIME_DIR"] = runtime
        # The bus launcher's brief connection could leave a resetting server
        # just as tallix connects.
        os.environ["DISPLAY"] = screen.start_xvfb(processes, noreset=True)
        start_accessibility_bus(processes)
        environment = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
        environment.pop("WAYLAND_DISPLAY", None)
        opener = screen.RecordingOpener()
        try:
            program = processes.start([tallix], env=opener.environment(environment))
            window = main_window_of(program.pid, program)
            check_tree(window)
            check_selections(window)
            check_about(window, opener)
        finally:
            opener.close()
    print("PASS")
    return 0


def main():
    if len(sys.argv) == 3 and sys.argv[1] == INSIDE_SESSION:
        return inside_session(sys.argv[2])
    if len(sys.argv) != 2:
        print(__doc__)
        return 2
    if importlib.util.find_spec("pyatspi") is None:
        screen.skip(f"pyatspi is not installed for {sys.executable} "
                    "(Debian package python3-pyatspi)")
    screen.need_programs("Xvfb", "dbus-run-session")
    if bus_launcher() is None:
        screen.skip("at-spi-bus-launcher is not installed (Debian package at-spi2-core)")
    command = ["dbus-run-session", "--", sys.executable, os.path.abspath(__file__),
               INSIDE_SESSION, os.path.abspath(sys.argv[1])]
    status = subprocess.run(command, timeout=3 * APPEAR_SECONDS).returncode
    if status == 127:
        screen.skip("dbus-run-session could not start a session bus")
    return status


if __name__ == "__main__":
    sys.exit(main())
