"""Huevane in a real X session: the window's shape, its notification-area icon,
dragging, the clipboard, the buttons' hover look and closing.

Run as: tst_desktop.py --huevane PATH --huevane-html PATH --layout PATH [TestCase.test_name ...]
where --layout names huevane-layout, which prints the window's layout.
"""

import argparse
import json
import subprocess
import sys
import time
import unittest

from xsession import XSession, wait_until

PROGRAMS = {}

SAMPLE_TEXT = (b"Sample Text For Gradient Demo\r\nThis time it's multiline!!!\r\n"
               b"Try it out - it's even more fun!!!")

# The window's client size and its controls' rectangles in pixels (x, y, width,
# height), by name, from huevane-layout.
LAYOUT = {}
ROOT_COLOUR = (0x20, 0x30, 0x40)


def control(name):
    return tuple(LAYOUT["controls"][name])


def centre(rect, window):
    x, y, width, height = rect
    return (window[0] + x + width // 2, window[1] + y + height // 2)


class HuevaneSession:
    """A session with Huevane running in it."""

    def __init__(self, **session_options):
        self.session = XSession(**session_options)
        self.process = None
        self.window = None

    def __enter__(self):
        self.session.__enter__()
        try:
            self.process = self.session.start_program([PROGRAMS["huevane"]])
            self.window = self.session.find_window("Huevane")
            wait_until(lambda: self.session.geometry(self.window)[2:] == tuple(LAYOUT["client"]),
                       what="the window's size")
            time.sleep(0.3)  # let the first paint land
        except BaseException:
            self.session.__exit__(None, None, None)
            raise
        return self

    def __exit__(self, *exc):
        self.session.__exit__(*exc)
        return False

    def geometry(self):
        return self.session.geometry(self.window)


class DesktopTest(unittest.TestCase):
    def test_shape(self):
        with HuevaneSession(tray=False) as h:
            s = h.session
            self.assertEqual(s.shape_extents(h.window), (630, 450))
            x, y, _, _ = h.geometry()
            shot = s.screenshot()
            # Outside the outline the root window shows through.
            for px, py in [(342, 5), (500, 21), (629, 449), (631, 200), (0, 449)]:
                self.assertEqual(shot.pixel(x + px, y + py), ROOT_COLOUR, "at %d,%d" % (px, py))
            # Inside, the skin.
            for px, py in [(5, 5), (300, 40), (620, 300), (100, 445)]:
                self.assertNotEqual(shot.pixel(x + px, y + py), ROOT_COLOUR, "at %d,%d" % (px, py))

    def test_tray_icon_brings_window_forward(self):
        with HuevaneSession() as h:
            s = h.session
            icons = wait_until(lambda: s.tray_icons("huevane"), what="the tray icon")
            self.assertEqual(len(icons), 1)
            x, y, _, _ = h.geometry()
            s.start_program(["xmessage", "-geometry", "700x520+%d+%d" % (x - 20, y - 20), "covering"])
            cover = s.find_window("xmessage")
            wait_until(lambda: s.stacking().index(cover) > s.stacking().index(h.window),
                       what="the covering window above")
            ix, iy, iw, ih = icons[0]
            s.click(ix + iw // 2, iy + ih // 2, button=1)
            wait_until(lambda: s.stacking().index(h.window) > s.stacking().index(cover),
                       what="the window above the covering one")
            # Brought forward, not left above everything: the other window can cover it again.
            s.run(["xdotool", "windowactivate", "--sync", str(cover)])
            wait_until(lambda: s.stacking().index(cover) > s.stacking().index(h.window),
                       what="the covering window on top again")
            s.click(ix + iw // 2, iy + ih // 2, button=3)
            wait_until(lambda: s.stacking().index(h.window) > s.stacking().index(cover),
                       what="the window forward after a right press")

    def test_drag_title_strip(self):
        with HuevaneSession(tray=False) as h:
            s = h.session
            x, y, _, _ = h.geometry()
            s.drag((x + 60, y + 10), (x + 160, y + 60))
            wait_until(lambda: h.geometry()[:2] == (x + 100, y + 50), what="the window at its new place")

    def test_drag_title_strip_right_button(self):
        with HuevaneSession(tray=False) as h:
            s = h.session
            x, y, _, _ = h.geometry()
            # A right click, no movement: the window must not go on following the pointer.
            s.click(x + 60, y + 10, button=3)
            s.move_pointer(x + 200, y + 200)
            time.sleep(0.3)
            self.assertEqual(h.geometry()[:2], (x, y))
            s.drag((x + 60, y + 10), (x + 160, y + 60), button=3)
            wait_until(lambda: h.geometry()[:2] == (x + 100, y + 50), what="the window at its new place")

    def test_generate_and_send_to_clipboard(self):
        expected = subprocess.run([PROGRAMS["huevane-html"]], input=SAMPLE_TEXT, stdout=subprocess.PIPE,
                                  check=True, timeout=30).stdout
        self.assertTrue(expected.startswith(b"<font color="))
        with HuevaneSession(tray=False) as h:
            s = h.session
            window = h.geometry()
            # Before 'Generate' the button leaves the clipboard as it is.
            s.click(*centre(control("lblClipboard"), window))
            time.sleep(0.3)
            self.assertFalse(s.clipboard())
            s.click(*centre(control("lblGenerate"), window))
            s.click(*centre(control("lblClipboard"), window))
            self.assertEqual(wait_until(s.clipboard, what="the clipboard"), expected)

    def test_paste_with_empty_clipboard(self):
        with HuevaneSession(tray=False) as h:
            s = h.session
            self.assertIsNone(s.clipboard())
            s.click(*centre(control("txtString"), h.geometry()))
            s.run(["xdotool", "key", "ctrl+v", "ctrl+a", "ctrl+c"])
            self.assertTrue(wait_until(s.clipboard, what="the clipboard").startswith(b"Sample Text"))
            self.assertIsNone(h.process.poll())

    def test_typing_at_start_replaces_sample_text(self):
        with HuevaneSession(tray=False) as h:
            s = h.session
            s.run(["xdotool", "key", "x", "ctrl+a", "ctrl+c"])
            self.assertEqual(wait_until(s.clipboard, what="the clipboard"), b"x")

    def test_hover_look(self):
        with HuevaneSession(tray=False) as h:
            s = h.session
            x, y, _, _ = h.geometry()
            gx, gy, gw, gh = control("lblGenerate")
            s.move_pointer(x + 300, y + 300)
            time.sleep(0.2)
            resting = s.screenshot()
            s.move_pointer(x + gx + gw // 2, y + gy + gh // 2)
            time.sleep(0.3)
            hover = s.screenshot()
            top = [hover.pixel(x + gx + i, y + gy) for i in range(2, gw - 2)]
            right = [hover.pixel(x + gx + gw - 1, y + gy + j) for j in range(2, gh - 2)]
            # The raised border: a light top line and a darker right line, over the texture.
            self.assertEqual(len(set(top)), 1, "top border is one colour")
            self.assertEqual(len(set(right)), 1, "right border is one colour")
            self.assertGreater(sum(top[0]), sum(right[0]))
            self.assertNotEqual(top, [resting.pixel(x + gx + i, y + gy) for i in range(2, gw - 2)])
            s.move_pointer(x + 300, y + 300)
            time.sleep(0.3)
            after = s.screenshot()
            for i in range(gw):
                for j in (0, gh // 2, gh - 1):
                    self.assertEqual(after.pixel(x + gx + i, y + gy + j), resting.pixel(x + gx + i, y + gy + j))

    def test_right_and_middle_click_do_not_exit(self):
        with HuevaneSession(tray=False) as h:
            h.session.move_pointer(*centre(control("cmdExit"), h.geometry()))
            h.session.run(["xdotool", "click", "3", "click", "2"])
            time.sleep(0.5)
            self.assertIsNone(h.process.poll())

    def test_close_area_ends_program(self):
        with HuevaneSession() as h:
            s = h.session
            wait_until(lambda: s.tray_icons("huevane"), what="the tray icon")
            s.click(*centre(control("Label1"), h.geometry()))
            self.assertEqual(h.process.wait(timeout=10), 0)
            wait_until(lambda: not s.tray_icons("huevane"), what="the tray icon to leave")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--huevane", required=True)
    parser.add_argument("--huevane-html", required=True)
    parser.add_argument("--layout", required=True)
    options, rest = parser.parse_known_args()
    PROGRAMS["huevane"] = options.huevane
    PROGRAMS["huevane-html"] = options.huevane_html
    LAYOUT.update(json.loads(subprocess.run([options.layout], stdout=subprocess.PIPE, check=True,
                                            timeout=30).stdout))
    unittest.main(argv=[sys.argv[0]] + rest, verbosity=2)


if __name__ == "__main__":
    main()
