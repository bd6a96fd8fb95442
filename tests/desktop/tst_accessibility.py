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
import time
import unittest
import warnings

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

from xsession import XSession, wait_until  # noqa: E402

PROGRAMS = {}
NAMES = {}  # the accessible name of each control, by the control's name, from huevane-layout
LAYOUT = {}  # huevane-layout's whole output

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

# The action each role that takes the focus offers, by which it acts.
ACTION = {"push button": "Press", "slider": "Press", "radio button": "Toggle", "check box": "Toggle",
          "text": "SetFocus", "image": "SetFocus"}


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


def targets(node, relation):
    """The names of the elements node has relation to."""
    return [r.get_target(i).get_name() for r in node.get_relation_set() if r.get_relation_type() == relation
            for i in range(r.get_n_targets())]


def pump(seconds=0):
    """Delivers the events that reach this process, for at least the given time."""
    deadline = time.monotonic() + seconds
    while GLib.MainContext.default().iteration(False) or time.monotonic() < deadline:
        time.sleep(0.01)


class AccessibilityTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.session = XSession(tray=False, accessibility=True).__enter__()
        # This process reads the tree over the session's own bus.
        os.environ.update({name: cls.session.env[name] for name in ("DBUS_SESSION_BUS_ADDRESS", "DISPLAY")})
        Atspi.init()
        # The name changes the program tells, heard as a screen reader hears them. Listened
        # for before the program starts: one added later reaches it only after a while.
        cls.told = []
        cls.listener = Atspi.EventListener.new(lambda event: cls.told.append(
            (event.source.get_name(), targets(event.source, Atspi.RelationType.LABELLED_BY))))
        cls.listener.register("object:property-change:accessible-name")

    @classmethod
    def tearDownClass(cls):
        cls.session.stop()

    def setUp(self):
        self.told.clear()
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

    def region(self, control, inset=0):
        """The pixels the control shows on the screen now, less inset pixels at its edges."""
        pixel, box = self.session.screenshot(), self.node(control).get_extents(Atspi.CoordType.SCREEN)
        return [pixel(x, y) for y in range(box.y + inset, box.y + box.height - inset)
                for x in range(box.x + inset, box.x + box.width - inset)]

    def test_every_control_named_with_its_role(self):
        self.assertEqual(self.frame.get_role_name(), "frame")
        for control, name in NAMES.items():
            with self.subTest(control=control):
                self.assertIn((name, role_of(control)), self.nodes)

    def test_everything_done_through_the_tree(self):
        def until(condition, what): wait_until(condition, what=what)  # noqa: E704
        act(self.node("lblStDefCol(3)"), "Press")
        until(lambda: self.colour("txtStCol") == ["0", "0", "255", "0", "0", "FF"], "the start colour blue")
        act(self.node("lblSwap"), "Press")
        until(lambda: self.colour("txtEndCol") == ["0", "0", "255", "0", "0", "FF"], "the colours swapped")
        self.assertEqual(self.colour("txtStCol"), ["255", "255", "0", "FF", "FF", "0"])

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

    def test_only_the_focused_control_reports_the_focus(self):
        # Once round the tab order: at each stop one element has the focus, and nothing around it
        # does (the inner parts of buttons and text boxes); it says what it is and, where it acts, how.
        stops = []
        while len(stops) < 2 or stops[-1] != stops[0]:
            focus = wait_until(lambda: (f := [n for n in walk(self.frame) if has(n, Atspi.StateType.FOCUSED)])
                               and [n.get_name() for n in f] != stops[-1:] and f, what="the focus to move on")
            name, role = focus[0].get_name(), focus[0].get_role_name()
            self.assertTrue(len(focus) == 1 and name and name not in stops[1:], (name, role, len(focus), stops))
            self.assertIn(ACTION.get(role), actions(focus[0]), role)
            stops.append(name)
            self.session.run("xdotool", "key", "Tab")
        self.assertTrue({"Generate", "Send to Clipboard", "Exit"} <= set(stops))

    def test_count_tied_to_its_caption_and_told_once_it_rests(self):
        self.assertEqual(targets(self.nodes["Characters:", "label"], Atspi.RelationType.LABEL_FOR), ["90"])
        pump(0.5)
        self.told.clear()  # what was told while the window opened
        # Forty keys in a row are told once, by the count, with its last value; then a burst that
        # ends on the count it began with is not told.
        self.session.run("xdotool", "key", "End")
        self.session.run("xdotool", "type", "--delay", "10", "x" * 40)
        wait_until(lambda: pump() or self.told, what="the new count")
        self.session.run("xdotool", "type", "y")
        self.session.run("xdotool", "key", "BackSpace")
        pump(2.5)
        self.assertEqual(self.told, [("130", ["Characters:"])])

    def test_turning_point_set_as_a_value_as_the_keys_move_it(self):
        turning_point = self.node("Picture4(2)")
        def at(centre): wait_until(lambda: turning_point.get_current_value() == centre, what="%d" % centre)  # noqa
        self.assertEqual((turning_point.get_minimum_value(), turning_point.get_current_value(),
                          turning_point.get_maximum_value()), (0, 47, 90))
        for action, centre in (("Increase", 48), ("Put the turning point in the middle", 47)):
            act(turning_point, action)
            at(centre)
        # Both previews as the keys drew them (less the keys' focus mark at the preview's edge).
        def view(): return self.region("Picture4(2)", inset=2) + self.region("picGradText")  # noqa: E704
        keyed = wait_until(lambda: (first := view()) == view() and first, what="the previews drawn")
        act(self.node("Picture4(1)"), "Press")
        wait_until(lambda: has(self.node("Option1(1)"), Atspi.StateType.CHECKED), what="type 2 chosen")
        # Set, it stays within the characters, goes to a whole one, chooses type 3 and draws as the keys do.
        for asked, centre in ((1000, 90), (-3.5, 0), (46.5, 46), (47.4, 47)):
            self.assertTrue(turning_point.set_current_value(asked))
            at(centre)
        self.assertTrue(has(self.node("Option1(2)"), Atspi.StateType.CHECKED))
        wait_until(lambda: view() == keyed, what="the previews as the keys draw them")

    def test_value_field_set_without_focus_takes_effect_as_typed_and_left(self):
        def until(condition, what): wait_until(condition, what=what)  # noqa: E704
        # Above 255, in the start colour's green: the field, its partner, strip, swatch and previews.
        self.assertTrue(self.node("txtStCol(1)").set_text_contents("300"))
        until(lambda: self.colour("txtStCol") == ["255", "255", "30", "FF", "FF", "1E"], "green at 255")
        self.assertTrue(has(self.node("txtString"), Atspi.StateType.FOCUSED))
        shown = [self.region(control, inset=2)[0] for control in ("lblStartCol(1)", "picStartCol", "Picture4(0)")]
        self.assertEqual(shown, [(0, 255, 0), (255, 255, 30), (255, 255, 30)])
        act(self.node("lblGenerate"), "Press")
        until(lambda: self.node("txtHTML").get_text(0, 22) == '<font color="#FFFF1E">', "the text preview")
        self.assertTrue(self.node("txtEndCol(5)").set_text_contents("0a"))  # kept as set
        until(lambda: self.colour("txtEndCol") == ["255", "255", "10", "FF", "FF", "0a"], "blue at 10")


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

    def test_output_box_menu_through_the_tree(self):
        # Qt leaves popup menus out of the application's children: a screen reader meets one as it shows.
        shown = []
        listener = Atspi.EventListener.new(lambda event: event.detail1 and shown.append(event.source))
        listener.register("object:state-changed:showing")
        self.addCleanup(listener.deregister, "object:state-changed:showing")
        box = self.node("txtHTML")

        def open_menu():
            shown.clear()
            act(box, "ShowMenu")
            menu = wait_until(lambda: pump() or next((n for n in shown if n.get_role_name() == "popup menu"), None),
                              what="the context menu")
            return {n.get_name(): n for n in walk(menu) if n.get_role_name() == "menu item"}

        # The styles, a check item each, and 'Copy as' with a submenu for every place to paste
        # in; an entry that cannot write a checked style is not enabled.
        items = open_menu()
        self.assertFalse(has(items["Copy"], Atspi.StateType.ENABLED))
        for caption in ["Copy as", "Formatted text", "Template\u2026"] + [caption for caption, _ in LAYOUT["copyAs"]]:
            self.assertIn(caption, items)
        self.assertIn("ShowMenu", actions(items["Web and documents"]))
        self.assertTrue(has(items["Terraria"], Atspi.StateType.ENABLED))
        self.assertFalse(has(items["Bold"], Atspi.StateType.CHECKED))
        act(items["Bold"], "Press")
        items = open_menu()
        self.assertTrue(has(items["Bold"], Atspi.StateType.CHECKED))
        self.assertFalse(has(items["Terraria"], Atspi.StateType.ENABLED))
        self.assertTrue(has(items["Godot"], Atspi.StateType.ENABLED))
        act(items["Select All"], "Press")
        wait_until(lambda: box.get_n_selections() == 1
                   and box.get_selection(0).end_offset == box.get_character_count(), what="all selected")

if __name__ == "__main__":
    parser = argparse.ArgumentParser()
    parser.add_argument("--huevane", required=True)
    parser.add_argument("--layout", required=True)
    options, rest = parser.parse_known_args()
    PROGRAMS["huevane"] = options.huevane
    LAYOUT.update(json.loads(subprocess.run([options.layout], capture_output=True, check=True).stdout))
    NAMES.update(LAYOUT["accessible"])
    unittest.main(argv=[sys.argv[0]] + rest)
