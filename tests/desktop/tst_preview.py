"""Huevane's text preview in a real X session: right-to-left text typed and
pasted reads from the right, and Arabic comes out joined.

Run as: tst_preview.py --huevane PATH --huevane-html PATH --layout PATH [PreviewTest.test_name ...]
"""

import subprocess
import unittest

from tst_desktop import LAYOUT, Huevane, main
from xsession import wait_until

START, END = (255, 70, 30), (255, 255, 0)  # the colours the window starts with


class Preview(Huevane):
    def paste(self, text):
        subprocess.run(["xclip", "-selection", "clipboard", "-i"], input=text.encode(), env=self.env, check=True)
        self.click(*self.centre("txtString"))
        self.keys("ctrl+a", "ctrl+v")

    def type_size(self, size):
        self.click(*self.centre("txtSize"))
        self.keys("ctrl+a", *size)

    def preview(self):
        """The text preview's pixels, as {(x, y): (red, green, blue)}."""
        pixel = self.screenshot()
        x, y, width, height = LAYOUT["controls"]["picGradText"]
        left, top = self.at(x, y)
        return {(i, j): pixel(left + i, top + j) for i in range(width) for j in range(height)}

    def ink_after(self, change):
        """After change(), once the preview shows something new: where it differs
        from its background, moved to its top-left corner, as (x, y, colour)."""
        def ink():
            shown = self.preview()
            marked = {point for point, colour in shown.items() if colour != shown[(0, 0)]}
            left, top = (min(p[i] for p in marked) for i in (0, 1))
            return {(x - left, y - top, shown[(x, y)]) for x, y in marked}
        before = ink()
        change()
        return wait_until(lambda: (after := ink()) != before and after, what="the preview to change")


class PreviewTest(unittest.TestCase):
    def reads_from_the_right(self, h, change):
        """After change(), the first character's colour lies right of the last
        one's, the first at the right edge."""
        before = h.preview()
        change()

        def columns():
            shown = h.preview()
            first, last = ({x for (x, _), c in shown.items() if c == colour} for colour in (START, END))
            return shown != before and first and last and (first, last)
        first, last = wait_until(columns, what="the text in the preview")
        self.assertGreater(min(first), max(last))
        self.assertGreater(max(first), LAYOUT["controls"]["picGradText"][2] - 12)

    def test_right_to_left_typed_and_pasted(self):
        with Preview(tray=False) as h:
            h.type_size("20")
            h.click(*h.centre("txtString"))
            h.keys("ctrl+a")
            # xdotool binds each letter to a spare key before it types it: slowly,
            # so that the window has the new binding when the key comes.
            self.reads_from_the_right(h, lambda: h.run("xdotool", "type", "--delay", "200", "\u05e9\u05dc\u05d5\u05dd"))
            self.reads_from_the_right(h, lambda: h.paste("\u0633\u0644\u0627\u0645 \u0639\u0644\u064a\u0643\u0645"))

    def test_arabic_joined(self):
        # The word as typed shows the shapes that Unicode's presentation forms
        # spell out for it (initial beh, medial yeh, final teh), which no shaping
        # changes; kept apart by non-joiners, its letters look otherwise.
        with Preview(tray=False) as h:
            h.click(*h.centre("lblStDefCol(4)"))
            h.click(*h.centre("lblEndDefCol(4)"))
            h.type_size("20")
            joined = h.ink_after(lambda: h.paste("\ufe91\ufef4\ufe96"))
            h.ink_after(lambda: h.paste("\u0628\u200c\u064a\u200c\u062a"))
            self.assertEqual(h.ink_after(lambda: h.paste("\u0628\u064a\u062a")), joined)


if __name__ == "__main__":
    main()
