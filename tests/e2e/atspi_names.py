#!/usr/bin/env python3
# Reads and drives the running tallix through AT-SPI, as a screen reader does.
#
#     atspi_names.py TALLIX
#
# In a private session bus, with a virtual X server and the AT-SPI bus: finds
# the main window, the edit box and its label, the function list and the keys
# by role, name and description; selects functions in the list as a screen
# reader does and inserts them with Insert's action; opens the About box
# through its button's action, reads its controls and opens its link through
# the link's action, with the desktop's opener replaced by one that only
# records. Exits 77 (a skip) when a piece around the program cannot start.
import importlib.util
import os
import subprocess
import sys

import screen

INSIDE_SESSION = "--inside-session"
BUS_LAUNCHERS = ("/usr/libexec/at-spi-bus-launcher", "/usr/lib/at-spi2-core/at-spi-bus-launcher")
APPEAR_SECONDS = 15

# The keys a screen reader names, with their descriptions: a key that shows
# a sign or a letter is heard by what it does.
KEYS = {
    "Calculate": "", "1": "", "Plus": "", "Minus": "", "Multiply": "", "Divide": "", "Power": "",
    "Open parenthesis": "", "Close parenthesis": "", "Delete": "Delete", "Backspace": "Backspace",
    "Decimal point": "Decimal Point", "Insert": "Select And Insert A Function",
}
# (role, name, description); None accepts any description. The angle
# options are heard by their unit.
EXPECTED = [("frame", "Tallix", None), ("text", "Expression", None), ("list", "Function", None),
            ("radio button", "Arc (radians)", None), ("radio button", "Angle (degrees)", None)] + \
    [("push button", name, description) for name, description in KEYS.items()]
# The About box's controls, in order: its rule only decorates and is left out.
ABOUT_CHILDREN = [("label", "Tallix"), ("label", "Version 1.0"),
                  ("link", "tallix.example.org"), ("push button", "OK")]
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


def fail(reason):
    print("FAIL: " + reason)
    sys.exit(1)


def bus_launcher():
    return next((path for path in BUS_LAUNCHERS if os.access(path, os.X_OK)), None)


# The AT-SPI bus, once it is announced on the session bus as org.a11y.Bus.
def start_accessibility_bus(processes):
    from gi.repository import Gio, GLib

    launcher = processes.start([bus_launcher(), "--launch-immediately"],
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    session = Gio.bus_get_sync(Gio.BusType.SESSION)

    def announced():
        return launcher.poll() is None and session.call_sync(
            "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
            "NameHasOwner", GLib.Variant("(s)", ("org.a11y.Bus",)), GLib.VariantType("(b)"),
            Gio.DBusCallFlags.NONE, 1000, None).unpack()[0]

    if not screen.wait_for(announced, 10, 0.1):
        screen.skip("the AT-SPI bus launcher did not start (status %s)" % launcher.poll())


def children(node):
    return [node.getChildAtIndex(i) for i in range(node.childCount)]


# The node and its descendants; the entries of a list are left out.
def nodes_under(node):
    yield node
    if node.getRoleName() != "list":
        for child in children(node):
            if child is not None:
                yield from nodes_under(child)


def main_window_of(program):
    import pyatspi

    def window():
        if program.poll() is not None:
            fail("tallix ended with status %d before it was found" % program.returncode)
        return next((application.getChildAtIndex(0)
                     for application in children(pyatspi.Registry.getDesktop(0))
                     if application is not None and application.get_process_id() == program.pid
                     and application.childCount), None)

    if not screen.wait_for(window, APPEAR_SECONDS, 0.2):
        fail("tallix did not appear on the AT-SPI bus within %d s" % APPEAR_SECONDS)
    return window()


def check_tree(window):
    import pyatspi

    found = [(node.getRoleName(), node.name, node.description) for node in nodes_under(window)]
    missing = ["%s %r described %r" % wanted for wanted in EXPECTED
               if not any(node[:2] == wanted[:2] and wanted[2] in (None, node[2])
                          for node in found)]
    expression = find(window, "text", "Expression")
    labels = [relation.getTarget(i).name for relation in expression.getRelationSet()
              if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY
              for i in range(relation.getNTargets())]
    if "Expression" not in labels:
        missing.append("the expression box labelled by 'Expression' (labels: %s)" % labels)
    if missing:
        print("what AT-SPI shows:\n" + "\n".join("  %s %r %r" % node for node in found))
        fail("not found: " + "; ".join(missing))
    print("found all %d named nodes and the expression box's label" % len(EXPECTED))


def find(window, role, name):
    node = next((node for node in nodes_under(window)
                 if (node.getRoleName(), node.name) == (role, name)), None)
    if node is None:
        fail("no %s %r" % (role, name))
    return node


# Runs the node's action of that name, as a screen reader does.
def press(node, action):
    actions = node.queryAction()
    names = [actions.getName(i) for i in range(actions.nActions)]
    if action not in names:
        fail("%s %r has no action %r (has %s)" % (node.getRoleName(), node.name, action, names))
    actions.doAction(names.index(action))


# Each way of selecting an entry, then Insert's action, on a cleared
# expression box: the box must show the selected function.
def check_selections(window):
    entries = find(window, "list", "Function")
    expression = find(window, "text", "Expression").queryText()
    names = [entry.name for entry in children(entries)]
    for how, entry, select in SELECTIONS:
        press(find(window, "push button", "Clear"), "Press")
        screen.wait_for(lambda: expression.getText(0, -1) == "", 5)
        select(entries, names.index(entry))
        press(find(window, "push button", "Insert"), "Press")
        wanted = entry[:-1]
        if not screen.wait_for(lambda: expression.getText(0, -1) == wanted, 5):
            fail("%s selected by %s: Insert gave %r, not %r" %
                 (entry, how, expression.getText(0, -1), wanted))
        print("%s selected by %s: Insert gave %r" % (entry, how, wanted))


def about_box(application):
    return next((box for box in children(application) if box is not None and
                 (box.getRoleName(), box.name) == ("dialog", "About Tallix")), None)


def check_about(window, opener):
    application = window.parent
    press(find(window, "push button", "About"), "Press")
    if not screen.wait_for(lambda: about_box(application) is not None, 10):
        fail("the About box did not come up")
    box = about_box(application)
    shown = [(child.getRoleName(), child.name) for child in children(box)]
    if shown != ABOUT_CHILDREN:
        fail("the About box shows %s, not %s" % (shown, ABOUT_CHILDREN))
    press(find(box, "link", "tallix.example.org"), "Press")
    screen.wait_for(opener.opened, 5)
    if opener.opened() != [ABOUT_LINK]:
        fail("the link's action opened %s, not %s" % (opener.opened(), ABOUT_LINK))
    print("About box %s; the link's action opened %s" % (shown, ABOUT_LINK))
    press(find(box, "push button", "OK"), "Press")
    if not screen.wait_for(lambda: about_box(application) is None, 5):
        fail("OK's action left the About box open")


def inside_session(tallix):
    with screen.Processes() as processes:
        os.environ["XDG_RUNTIME_DIR"] = processes.folder()
        os.environ["DISPLAY"] = screen.start_xvfb(processes)
        start_accessibility_bus(processes)
        env = dict(screen.x11_env(os.environ["DISPLAY"]), QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        opener = screen.RecordingOpener(processes.folder())
        window = main_window_of(processes.start([tallix], env=opener.environment(env)))
        check_tree(window)
        check_selections(window)
        check_about(window, opener)
    print("PASS")
    return 0

def main(tallix):
    if importlib.util.find_spec("pyatspi") is None:
        screen.skip("pyatspi is not installed for %s (Debian package python3-pyatspi)" %
                    sys.executable)
    screen.need_programs("Xvfb", "dbus-run-session")
    if bus_launcher() is None:
        screen.skip("at-spi-bus-launcher is not installed (Debian package at-spi2-core)")
    status = subprocess.run(["dbus-run-session", "--", sys.executable, os.path.abspath(__file__),
                             INSIDE_SESSION, os.path.abspath(tallix)],
                            timeout=3 * APPEAR_SECONDS).returncode
    if status == 127:
        screen.skip("dbus-run-session could not start a session bus")
    return status


if __name__ == "__main__":
    sys.exit(inside_session(sys.argv[2]) if sys.argv[1] == INSIDE_SESSION else main(*sys.argv[1:]))
