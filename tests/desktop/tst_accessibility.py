"""Huevane as a screen reader meets it: the accessible tree read over AT-SPI in a
real X session, and the window driven through it alone.

Run with a Python that has the AT-SPI bindings (Debian's python3 with
gir1.2-atspi-2.0 and python3-gi) as:
    tst_accessibility.py --huevane PATH --layout PATH [TestCase.test_name ...]
where --layout names huevane-layout, which prints the names the layout gives.
"""

import argparse
import json
import os
import re
import subprocess
import sys
import unittest
import warnings

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

from xsession import XSession, wait_until  # noqa: E402

PROGRAMS = {}
NAMES = {}  # the accessible name of each control, by the control's name, from huevane-layout

# The role each control has, by the control's name.
ROLES = [
    (r"txt", "text"),
    (r"Option1", "radio button"),
    (r"chk", "check box"),
    (r"picGradText", "image"),
    (r"lbl(Start|End|Bk)Col|Label3", "label"),
    (r"Picture4\(2\)", "slider"),
    (r"lbl|cmd|pic|Picture4|Label1", "push button"),
]


def role_of(control):
    return next(role for pattern, role in ROLES if re.match(pattern, control))


def children(node):
    return [child for i in range(node.get_child_count()) if (child := node.get_child_at_index(i))]


def walk(node):
    """node and everything below it."""
    yield node
    for child in children(node):
        yield from walk(child)


def has(node, state):
    node.clear_cache()
    return node.get_state_set().contains(state)


def actions(node):
    # The names the program gives (a screen reader asks for these), not translated.
    warnings.filterwarnings("ignore", "Atspi.Action.get_action_name is deprecated", DeprecationWarning)
    return [node.get_action_name(i) for i in range(node.get_n_actions())]


def act(node, name):
    node.do_action(actions(node).index(name))


class AccessibilityTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.session = XSession(tray=False, accessibility=True).__enter__()
        # This process reads the tree over the session's own bus.
        os.environ.update({name: cls.session.env[name] for name in ("DBUS_SESSION_BUS_ADDRESS", "DISPLAY")})
        Atspi.init()

    @classmethod
    def tearDownClass(cls):
        cls.session.stop()

    def setUp(self):
        self.process = self.session.spawn([PROGRAMS["huevane"]])
        self.session.find_window("Huevane")
        self.frame = wait_until(self.find_frame, timeout=20, what="Huevane's accessible window")
        # The controls, once the last one made is there.
        last = NAMES[list(NAMES)[-1]], role_of(list(NAMES)[-1])
        self.nodes = wait_until(lambda: nodes if last in (nodes := self.named()) else None,
                                what="the accessible controls")

    def tearDown(self):
        self.process.terminate()
        self.process.wait(timeout=10)

    def find_frame(self):
        return next((window for application in children(Atspi.get_desktop(0))
                     if application.get_process_id() == self.process.pid
                     for window in children(application) if window.get_name() == "Huevane"), None)

    def named(self):
        """The shown elements below the window, by their names and roles (a check box
        and its caption share a name)."""
        return {(node.get_name(), node.get_role_name()): node for node in walk(self.frame)
                if node.get_name() and has(node, Atspi.StateType.SHOWING)}

    def node(self, control):
        return self.nodes[NAMES[control], role_of(control)]

    def colour(self, panel):
        return [self.node("%s(%d)" % (panel, i)).get_text(0, -1) for i in range(6)]

    def test_every_control_named_with_its_role(self):
        self.assertEqual(self.frame.get_role_name(), "frame")
        for control, name in NAMES.items():
            with self.subTest(control=control):
                self.assertIn((name, role_of(control)), self.nodes)
        # Whatever takes the focus says what it is and, where it acts, how.
        shown = (n for n in walk(self.frame) if has(n, Atspi.StateType.SHOWING))
        for node in (n for n in shown if has(n, Atspi.StateType.FOCUSABLE)):
            role = node.get_role_name()
            with self.subTest(name=node.get_name(), role=role):
                self.assertTrue(node.get_name())
                self.assertIn(role, ("text", "radio button", "check box", "push button", "image", "slider"))
                if role in ("push button", "slider"):
                    self.assertIn("Press", actions(node))
                elif role != "text" and role != "image":
                    self.assertIn("Toggle", actions(node))

    def test_everything_done_through_the_tree(self):
        def until(condition, what): wait_until(condition, what=what)  # noqa: E704
        act(self.node("lblStDefCol(3)"), "Press")
        until(lambda: self.colour("txtStCol") == ["0", "0", "255", "0", "0", "FF"], "the start colour blue")
        act(self.node("lblSwap"), "Press")
        until(lambda: self.colour("txtEndCol") == ["0", "0", "255", "0", "0", "FF"], "the colours swapped")
        self.assertEqual(self.colour("txtStCol"), ["255", "255", "0", "FF", "FF", "0"])

        act(self.node("Picture4(1)"), "Press")
        until(lambda: has(self.node("Option1(1)"), Atspi.StateType.CHECKED), "type 2 chosen")
        turning_point = self.node("Picture4(2)")
        self.assertEqual((turning_point.get_minimum_value(), turning_point.get_current_value(),
                          turning_point.get_maximum_value()), (0, 47, 90))
        act(turning_point, "Increase")
        until(lambda: has(self.node("Option1(2)"), Atspi.StateType.CHECKED), "type 3 chosen")
        act(turning_point, "Put the turning point in the middle")
        act(turning_point, "Decrease")
        until(lambda: turning_point.get_current_value() == 46, "the turning point moved")

        # The colour dialog, cancelled through its own button.
        act(self.node("picBackCol"), "Press")
        dialog = wait_until(lambda: next((n for n in walk(self.frame.get_parent())
                                          if n.get_role_name() == "dialog"), None), what="the colour dialog")
        cancel = next(n for n in walk(dialog) if n.get_role_name() == "push button" and n.get_name() == "Cancel")
        act(cancel, "Press")
        until(lambda: not has(dialog, Atspi.StateType.SHOWING), "the dialog closed")
        self.assertEqual(self.colour("txtBkCol"), ["0", "0", "0", "0", "0", "0"])

        act(self.node("chkUpTags"), "Toggle")
        until(lambda: has(self.node("chkUpTags"), Atspi.StateType.CHECKED), "upper-case tags")
        act(self.node("lblGenerate"), "Press")
        until(lambda: self.node("txtHTML").get_text(0, -1).startswith('<FONT COLOR="#'), "the HTML in upper case")

        act(self.node("Label1"), "Press")
        self.assertEqual(self.process.wait(timeout=10), 0)


    def test_input_box_text_written_through_the_tree(self):
        box = self.node("txtString")
        editable = box.get_editable_text_iface()
        self.assertIsNotNone(editable)
        editable.set_text_contents("abc")
        wait_until(lambda: box.get_text(0, -1) == "abc", what="the text set")
        editable.insert_text(1, "XY", 2)
        editable.delete_text(0, 1)
        wait_until(lambda: box.get_text(0, -1) == "XYbc", what="the text inserted and deleted")
        self.assertIsNone(self.node("txtHTML").get_editable_text_iface())


if __name__ == "__main__":
    parser = argparse.ArgumentParser()
    parser.add_argument("--huevane", required=True)
    parser.add_argument("--layout", required=True)
    options, rest = parser.parse_known_args()
    PROGRAMS["huevane"] = options.huevane
    NAMES.update(json.loads(subprocess.run([options.layout], capture_output=True, check=True).stdout)["accessible"])
    unittest.main(argv=[sys.argv[0]] + rest)
