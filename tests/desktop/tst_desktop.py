"""Huevane in a real X session: its notification-area icon,
dragging, the clipboard, the buttons' hover look and closing.

Run as: tst_desktop.py --huevane PATH --huevane-html PATH --layout PATH [TestCase.test_name ...]
where --layout names huevane-layout, which prints the window's layout.
"""

import argparse
import json
import os
import re
import subprocess
import sys
import time
import unittest

from xsession import XSession, wait_until

PROGRAMS = {}
# The window's client size and its controls' rectangles in pixels (x, y, width,
# height), by name, from huevane-layout.
LAYOUT = {}
ROOT_COLOUR = (0x20, 0x30, 0x40)
# The gradient editor's bar: its top left corner this far in from the editor's, the
# gradient this far in from its ends, and the middle of the gradient this far down.
EDITOR_MARGIN = 10
BAR_END_ROOM = 7
BAR_MIDDLE = EDITOR_MARGIN + 3 + 12
SAMPLE_TEXT = b"Sample Text For Gradient Demo\r\nThis time it's multiline!!!\r\nTry it out - it's even more fun!!!"


def run_html(arguments, text=SAMPLE_TEXT):
    """What huevane-html writes for text with the arguments."""
    return subprocess.run([PROGRAMS["huevane-html"]] + arguments, input=text, capture_output=True, check=True,
                          timeout=30).stdout


class Huevane(XSession):
    """A session with Huevane running in it."""

    def __enter__(self):
        super().__enter__()
        try:
            self.process = self.spawn([PROGRAMS["huevane"]])
            self.window = self.find_window("Huevane")
            size = [self.device(length) for length in LAYOUT["client"]]
            wait_until(lambda: list(self.geometry(self.window)[2:]) == size, what="the window's size")
            time.sleep(0.3)  # let the first paint land
        except BaseException:
            self.stop()
            raise
        return self

    def device(self, length):
        """A length in the window's pixels in the screen's, as the window system rounds it."""
        return int(length * self.scale + 0.5)

    def at(self, x, y):
        """A point of the window, on the screen."""
        left, top, _, _ = self.geometry(self.window)
        return left + self.device(x), top + self.device(y)

    def centre(self, name):
        """The centre of the control called name, on the screen."""
        x, y, width, height = LAYOUT["controls"][name]
        return self.at(x + width // 2, y + height // 2)

    def above(self, upper, lower):
        return self.stacking().index(upper) > self.stacking().index(lower)

    def keys(self, *keys):
        self.run("xdotool", "key", *keys)

    def windows_shown(self):
        """How many of the program's windows are on the screen: the window, its menus and dialogs."""
        return len(self.run("xdotool", "search", "--onlyvisible", "--pid", str(self.process.pid),
                            check=False).split())

    def dragged_by_title(self, button):
        """Drags the window by its title strip; True when it follows the pointer."""
        x, y = self.at(0, 0)
        self.drag(self.at(60, 10), self.at(160, 60), button=button)
        return wait_until(lambda: self.at(0, 0) == (x + 100, y + 50), what="the window at its new place")


class DesktopTest(unittest.TestCase):
    def test_tray_icon_brings_window_forward(self):
        with Huevane() as h:
            icons = wait_until(lambda: h.tray_icons("huevane"), what="the tray icon")
            self.assertEqual(len(icons), 1)
            ix, iy, iw, ih = icons[0]
            h.spawn(["xmessage", "-geometry", "700x520+%d+%d" % h.at(-20, -20), "covering"])
            cover = h.find_window("xmessage")
            wait_until(lambda: h.above(cover, h.window), what="the covering window above")
            # A left or a right press brings the window forward, not to stay above
            # everything: the other window can cover it again. The middle button does nothing.
            for button in (1, 3):
                h.click(ix + iw // 2, iy + ih // 2, button=button)
                wait_until(lambda: h.above(h.window, cover), what="the window forward")
                h.run("xdotool", "windowactivate", "--sync", str(cover))
                wait_until(lambda: h.above(cover, h.window), what="the covering window on top again")
            h.click(ix + iw // 2, iy + ih // 2, button=2)
            time.sleep(0.3)
            self.assertTrue(h.above(cover, h.window))

    def test_drag_title_strip(self):
        with Huevane(tray=False) as h:
            h.dragged_by_title(1)

    def test_drag_title_strip_right_button(self):
        with Huevane(tray=False) as h:
            # A right click, no movement: the window must not go on following the pointer.
            place = h.at(0, 0)
            h.click(*h.at(60, 10), button=3)
            h.move_pointer(*h.at(200, 200))
            time.sleep(0.3)
            self.assertEqual(h.at(0, 0), place)
            h.dragged_by_title(3)

    def test_copy_as(self):
        # Every entry of 'Copy as': the formats submenu by submenu, in the order huevane-layout gives
        # from the table (every format --help lists, once), escaped where huevane-html takes --escape;
        # 'Formatted text'; 'Template...' with a template typed into its dialog; and an entry with a
        # style checked. Each compared with what huevane-html writes.
        help_text = run_html(["--help"]).decode()
        table = help_text[help_text.index("\nFormats ("):help_text.index("\nTemplates (")]
        names = re.findall(r"^  (\S+)  ", table, re.MULTILINE)
        groups = LAYOUT["copyAs"]
        self.assertEqual(sorted(name for _, group in groups for name in group), sorted(names))
        escaping = lambda name: subprocess.run([PROGRAMS["huevane-html"], "--format", name, "--escape"], input=b"",
                                               capture_output=True, timeout=30).returncode == 0
        window_options = ["--per-line", "--upper-case-tags", "--merge"]
        with Huevane(tray=False) as h:
            # 'Generate' is never clicked: the entries copy the gradient on screen.
            h.click(*h.centre("chkPerLine"))
            h.click(*h.centre("chkUpTags"))
            shown = h.windows_shown()
            picks = [0]

            def pick(*keys, submenu=True):
                """Opens the box's menu (by the right button or the menu key, in turn), then 'Copy as'
                (its last entry; the submenu opens on its first), and presses keys there."""
                picks[0] += 1
                if picks[0] % 2:
                    h.click(*h.centre("txtHTML"), button=3)
                else:
                    h.click(*h.centre("txtHTML"))
                    h.keys("Menu")
                wait_until(lambda: h.windows_shown() == shown + 1, what="the context menu")
                if not submenu:
                    h.keys(*keys)
                    return wait_until(lambda: h.windows_shown() == shown, what="the menu to close")
                h.keys("Up", "Right")
                wait_until(lambda: h.windows_shown() == shown + 2, what="the submenu")
                h.keys(*keys)

            def copied(options, what):
                expected = run_html(options)
                wait_until(lambda: h.clipboard() == expected, what="the clipboard as " + what)

            for g, (caption, group) in enumerate(groups):
                for k, name in enumerate(group):
                    pick(*["Down"] * (g + 1), "Right", *["Down"] * k, "Return")
                    wait_until(lambda: h.windows_shown() == shown, what="the menus to close")
                    escape = ["--escape"] if escaping(name) else []
                    copied(["--format", name] + escape + window_options, caption + " / " + name)

            # 'Formatted text': as rich text the escaped span HTML keeping its white space, lines
            # ended by <br> alone; as plain text the text itself with LF line ends.
            pick("Return")
            html = run_html(["--format", "span", "--escape", "--merge", "--per-line"])
            wait_until(lambda: h.clipboard() == SAMPLE_TEXT.replace(b"\r\n", b"\n"), what="the plain text")
            targets = h.clipboard("TARGETS").split()
            self.assertIn(b"text/html", targets)
            self.assertEqual(h.clipboard("text/html"), b'<span style="white-space:pre-wrap">'
                             + html.removesuffix(b"<br>\r\n").replace(b"<br>\r\n", b"<br>") + b"</span>")

            # 'Template...', the last entry: the template, its line end and the last way to escape.
            pick("Up", "Return")
            h.find_window("Template - Huevane")
            template, line_end = "[{r};{HEX}] {c}", "\\t|\\n"
            h.keys("ctrl+a")
            h.run("xdotool", "type", template)
            h.keys("Tab", "ctrl+a")
            h.run("xdotool", "type", line_end)
            h.keys("Tab", "End", "Return")
            copied(["--template", template, "--line-end", line_end, "--template-escape", "xml", "--merge",
                    "--per-line"], "the template")

            # Bold, checked by its key in the box's menu, then BBCode (in the first submenu).
            pick("b", submenu=False)
            pick("Down", "Right", "Down", "Down", "Return")
            copied(["--format", "bbcode", "--bold"] + window_options, "BBCode in bold")

    def test_fit_to(self):
        # 'Fit to' (the entry before 'Copy as', the last) > Minecraft chat, then 'Copy as' > Minecraft >
        # MiniMessage, by keys: at most 256 UTF-16 code units, what huevane-html fits to that place.
        groups = LAYOUT["copyAs"]
        g = next(i for i, (caption, _) in enumerate(groups) if caption == "Minecraft")
        k = groups[g][1].index("minimessage")
        with Huevane(tray=False) as h:
            shown = h.windows_shown()
            for up, keys in [(["Up", "Up"], ["Down", "Return"]),
                             (["Up"], [*["Down"] * (g + 1), "Right", *["Down"] * k, "Return"])]:
                h.click(*h.centre("txtHTML"))
                h.keys("Menu")
                wait_until(lambda: h.windows_shown() == shown + 1, what="the context menu")
                h.keys(*up, "Right")
                wait_until(lambda: h.windows_shown() == shown + 2, what="the submenu")
                h.keys(*keys)
                wait_until(lambda: h.windows_shown() == shown, what="the menus to close")
            expected = run_html(["--fit", "minecraft-chat", "--format", "minimessage"])
            wait_until(lambda: h.clipboard() == expected, what="the clipboard fitted")
            self.assertLessEqual(len(expected.decode().encode("utf-16-le")) // 2, 256)
            self.assertGreater(len(run_html(["--format", "minimessage", "--merge"])), 256)

    def test_gradient_editor(self):
        # Four stops in oklch: the mouse adds one on the bar and drags the last one; the
        # keys move the first one, add one and type its colour. 'Send to Clipboard' then
        # gives what huevane-html writes for the gradient's text; saved as a preset, the
        # gradient is there again when the program starts anew.
        with Huevane(tray=False) as h:
            h.keys("ctrl+g")
            editor = h.find_window("Gradient - Huevane")
            x, y, width, _ = h.geometry(editor)
            left, right = x + EDITOR_MARGIN + BAR_END_ROOM, x + width - EDITOR_MARGIN - BAR_END_ROOM - 1
            at = lambda percent, dy=0: (left + round(percent / 100 * (right - left)), y + BAR_MIDDLE + dy)
            h.click(*at(30))
            h.drag(at(100, 12), at(90, 12))
            h.keys("Home", *["Right"] * 5, "Insert", *["Tab"] * 5, "ctrl+a", "0", "0", "f", "f", "8", "0",
                   "Tab", "alt+s", "Down", "Down")
            stops = self.gradient_text(h)
            places = [float(stop.partition("@")[2] or "nan") for stop in stops.split(",")]
            self.assertEqual(stops.count(","), 3, stops)
            self.assertEqual(stops.split(",")[1].partition("@")[0], "00FF80", stops)
            self.assertEqual(places[0], 5.0, stops)
            self.assertAlmostEqual(places[2], 30.0, delta=0.6, msg=stops)
            self.assertAlmostEqual(places[3], 90.0, delta=0.6, msg=stops)
            html = run_html(["--stops", stops, "--space", "oklch"])
            h.click(*h.centre("lblGenerate"))
            h.click(*h.centre("lblClipboard"))
            self.assertEqual(wait_until(lambda: h.clipboard() == html and html, what="the HTML"), html)

            h.keys("ctrl+g", "alt+v")
            h.find_window("Save as preset")
            h.run("xdotool", "type", "Four stops")
            h.keys("Return")
            saved = os.path.join(h.config, "huevane", "presets.conf")
            wait_until(lambda: os.path.exists(saved), what="the saved preset")
            h.run("xdotool", "windowactivate", "--sync", str(h.window))
            h.keys("ctrl+q")
            self.assertEqual(h.process.wait(timeout=10), 0)

            again = h.spawn([PROGRAMS["huevane"]])
            h.window = h.find_window("Huevane")
            time.sleep(0.3)
            h.keys("ctrl+g", "alt+p", "End", "Return")
            self.assertEqual(self.gradient_text(h), stops)
            h.click(*h.centre("lblGenerate"))
            h.click(*h.centre("lblClipboard"))
            self.assertEqual(wait_until(lambda: h.clipboard() == html and html, what="the HTML again"), html)
            again.terminate()

    def gradient_text(self, h):
        """The editor's gradient as text, copied from its line."""
        h.run("xdotool", "search", "--sync", "--onlyvisible", "--name", "^Gradient - Huevane$", "windowactivate",
              "--sync")
        subprocess.run(["xclip", "-selection", "clipboard", "-i"], input=b"", env=h.env, check=True)
        h.keys("alt+t", "ctrl+a", "ctrl+c")
        return wait_until(lambda: (h.clipboard() or b"").count(b",") and h.clipboard(), what="the gradient text").decode()

    def test_paste_with_empty_clipboard(self):
        with Huevane(tray=False) as h:
            self.assertIsNone(h.clipboard())
            h.click(*h.centre("txtString"))
            h.keys("ctrl+v", "ctrl+a", "ctrl+c")
            self.assertTrue(wait_until(h.clipboard, what="the clipboard").startswith(b"Sample Text"))
            self.assertIsNone(h.process.poll())

    def test_typing_at_start_replaces_sample_text(self):
        with Huevane(tray=False) as h:
            h.keys("x", "ctrl+a", "ctrl+c")
            self.assertEqual(wait_until(h.clipboard, what="the clipboard"), b"x")

    def test_long_line(self):
        # One line of 300,000 characters, words between spaces, with accents and an emoji
        # now and then: it all arrives, a key typed at its end lands at the end, and
        # 'Send to Clipboard' gives exactly what huevane-html writes for it.
        words = ["gr\u00fcn", "caf\u00e9", "line", "\U0001F308", "a", "colour", "x" * 40]
        text = " ".join(words[i % len(words)] for i in range(60000))[:300000].encode()
        with Huevane(tray=False) as h:
            subprocess.run(["xclip", "-selection", "clipboard", "-i"], input=text, env=h.env, check=True)
            h.click(*h.centre("txtString"))
            h.keys("ctrl+a", "ctrl+v", "ctrl+End", "Z", "ctrl+a", "ctrl+c")
            typed = text + b"Z"
            self.assertEqual(wait_until(lambda: h.clipboard() == typed and typed, what="the typed text"), typed)
            html = run_html([], typed)
            h.click(*h.centre("lblGenerate"))
            h.click(*h.centre("lblClipboard"))
            self.assertEqual(wait_until(lambda: h.clipboard() == html and html, timeout=30, what="the HTML"), html)

    def test_hover_look(self):
        with Huevane(tray=False) as h:
            gx, gy, gw, gh = LAYOUT["controls"]["lblGenerate"]
            h.move_pointer(*h.at(300, 300))
            time.sleep(0.2)
            resting = h.screenshot()
            h.move_pointer(*h.centre("lblGenerate"))
            time.sleep(0.3)
            hover = h.screenshot()
            top = [hover(*h.at(gx + i, gy)) for i in range(2, gw - 2)]
            right = [hover(*h.at(gx + gw - 1, gy + j)) for j in range(2, gh - 2)]
            # The raised border: a light top line and a darker right line, over the texture.
            self.assertEqual(len(set(top)), 1, "top border is one colour")
            self.assertEqual(len(set(right)), 1, "right border is one colour")
            self.assertGreater(sum(top[0]), sum(right[0]))
            self.assertNotEqual(top, [resting(*h.at(gx + i, gy)) for i in range(2, gw - 2)])
            h.move_pointer(*h.at(300, 300))
            time.sleep(0.3)
            after = h.screenshot()
            for point in [h.at(gx + i, gy + j) for i in range(gw) for j in (0, gh // 2, gh - 1)]:
                self.assertEqual(after(*point), resting(*point))

    def test_right_and_middle_click_do_not_exit(self):
        with Huevane(tray=False) as h:
            h.move_pointer(*h.centre("cmdExit"))
            h.run("xdotool", "click", "3", "click", "2")
            time.sleep(0.5)
            self.assertIsNone(h.process.poll())
            h.run("xdotool", "click", "1")
            self.assertEqual(h.process.wait(timeout=10), 0)

    def test_close_area_ends_program(self):
        with Huevane() as h:
            wait_until(lambda: h.tray_icons("huevane"), what="the tray icon")
            h.click(*h.centre("Label1"))
            self.assertEqual(h.process.wait(timeout=10), 0)
            wait_until(lambda: not h.tray_icons("huevane"), what="the tray icon to leave")


def main():
    parser = argparse.ArgumentParser()
    for option in ("--huevane", "--huevane-html", "--layout"):
        parser.add_argument(option, required=True)
    parser.add_argument("--art", help="the folder of the drawn art, for the tests that compare with it")
    options, rest = parser.parse_known_args()
    PROGRAMS.update({"huevane": options.huevane, "huevane-html": options.huevane_html, "art": options.art})
    LAYOUT.update(json.loads(subprocess.run([options.layout], capture_output=True, check=True, timeout=30).stdout))
    unittest.main(argv=[sys.argv[0]] + rest, verbosity=2)


if __name__ == "__main__":
    main()
