#!/usr/bin/env python3
# Reads and drives the running tallix through AT-SPI, as a screen reader does,
# in a private session bus with Xvfb (pyatspi starts the AT-SPI bus there):
# a node of each kind by role, name and description as the bridge passes them
# on (tests/ui checks the whole tree, relations and all, at less cost); a
# function selected both ways the bridge offers, then inserted by Insert's
# action; the About box opened, its link opened and the box closed by actions.
#
#     atspi_names.py TALLIX
import importlib.util
import os
import subprocess
import sys

import screen

# (role, name, description); None accepts any description. A key that shows
# a sign or a letter is heard by what it does, the angle options by their unit.
EXPECTED = [("frame", "Tallix", None), ("text", "Expression", None), ("list", "Function", None),
            ("radio button", "Angle (degrees)", None), ("push button", "1", ""),
            ("push button", "Multiply", ""), ("push button", "Decimal point", "Decimal Point")]
# (how an entry is selected: the list's Table interface or the entry's
# Toggle action, the entry); Insert must then insert that function.
SELECTIONS = [("row selection", "sin()", lambda entries, row: entries.queryTable().addRowSelection(row)),
              ("Toggle action", "tan()", lambda entries, row: press(entries[row], "Toggle"))]


def fail(reason):
    sys.exit("FAIL: " + reason)


# The node and its descendants but a list's entries, as (role, name, node).
def nodes(node):
    yield node.getRoleName(), node.name, node
    if node.getRoleName() != "list":
        for child in node:
            yield from nodes(child)


def find(window, role, name):
    return next((node for r, n, node in nodes(window) if (r, n) == (role, name)), None) or \
        fail("no %s %r" % (role, name))


# Runs the node's action of that name, as a screen reader does.
def press(node, action):
    actions = node.queryAction()
    names = [actions.getName(i) for i in range(actions.nActions)]
    if action not in names:
        fail("%s %r has no action %r (has %s)" % (node.getRoleName(), node.name, action, names))
    actions.doAction(names.index(action))


def inside_session(tallix):
    import pyatspi
    with screen.Processes() as processes:
        os.environ.update(XDG_RUNTIME_DIR=processes.folder(), DISPLAY=screen.start_xvfb(processes))
        env, opened = screen.recording_opener(processes, dict(
            screen.x11_env(os.environ["DISPLAY"]), QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1"))
        program = processes.start([tallix], env=env)

        def application():
            return next((app for app in pyatspi.Registry.getDesktop(0)
                         if app is not None and app.get_process_id() == program.pid), None)

        if not screen.wait_for(lambda: application() and application().childCount, 15, 0.2):
            fail("tallix did not appear on the AT-SPI bus (status %s)" % program.poll())
        window = application()[0]
        found = [(role, name, node.description) for role, name, node in nodes(window)]
        missing = [wanted for wanted in EXPECTED if not any(
            node[:2] == wanted[:2] and wanted[2] in (None, node[2]) for node in found)]
        if missing:
            fail("not found %s in %s" % (missing, found))

        entries, text = find(window, "list", "Function"), find(window, "text", "Expression").queryText()
        for how, entry, select in SELECTIONS:
            press(find(window, "push button", "Clear"), "Press")
            screen.wait_for(lambda: text.getText(0, -1) == "", 5)
            select(entries, [child.name for child in entries].index(entry))
            press(find(window, "push button", "Insert"), "Press")
            if not screen.wait_for(lambda: text.getText(0, -1) == entry[:-1], 5):
                fail("%s by %s: Insert gave %r" % (entry, how, text.getText(0, -1)))

        def about():
            return next((box for box in application() if box.name == "About Tallix"), None)

        press(find(window, "push button", "About"), "Press")
        if not screen.wait_for(about, 10):
            fail("the About box did not come up")
        press(find(about(), "link", "tallix.example.org"), "Press")
        screen.wait_for(opened, 5)
        if opened() != ["http://tallix.example.org/ourfiles"]:
            fail("the link's action opened %s" % opened())
        press(find(about(), "push button", "OK"), "Press")
        if not screen.wait_for(lambda: about() is None, 5):
            fail("OK's action left the About box open")


def main(tallix):
    if importlib.util.find_spec("pyatspi") is None:
        screen.skip("pyatspi is not installed for %s (python3-pyatspi)" % sys.executable)
    screen.need("Xvfb", "dbus-run-session", "/usr/libexec/at-spi-bus-launcher")
    return subprocess.run(["dbus-run-session", "--", sys.executable, os.path.abspath(__file__),
                           "--inside", os.path.abspath(tallix)], timeout=45).returncode


if __name__ == "__main__":
    sys.exit(inside_session(sys.argv[2]) if sys.argv[1] == "--inside" else main(*sys.argv[1:]))
