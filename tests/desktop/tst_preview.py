"""Huevane's text preview in a real X session: right-to-left text typed and
pasted reads from the right, and an Arabic word comes out joined.

Run as: tst_preview.py --huevane PATH --huevane-html PATH --layout PATH
"""

import subprocess
import unittest

from tst_desktop import LAYOUT, Huevane, main
from xsession import wait_until

START, END = (255, 70, 30), (255, 255, 0)  # the colours the window starts with


class PreviewTest(unittest.TestCase):
    def test_right_to_left_and_joined(self):
        with Huevane(tray=False) as h:
            x, y, width, height = LAYOUT["controls"]["picGradText"]

            def after(change, ready=lambda shown: True):
                """The preview's pixels {(x, y): colour} once change() has changed them,
                and they are ready."""
                def shown():
                    pixel, (left, top) = h.screenshot(), h.at(x, y)
                    return {(i, j): pixel(left + i, top + j) for i in range(width) for j in range(height)}
                before = shown()
                change()
                return wait_until(lambda: (now := shown()) != before and ready(now) and now,
                                  what="the preview to change")

            def paste(text):
                subprocess.run(["xclip", "-selection", "clipboard", "-i"], input=text.encode(), env=h.env, check=True)
                h.click(*h.centre("txtString"))
                h.keys("ctrl+a", "ctrl+v")

            def ink(text):
                """Where the preview differs from its background with text pasted, moved to the top left."""
                shown = after(lambda: paste(text))
                marked = {p for p, colour in shown.items() if colour != shown[(0, 0)]}
                left, top = (min(p[i] for p in marked) for i in (0, 1))
                return {(i - left, j - top, shown[(i, j)]) for i, j in marked}

            h.click(*h.centre("txtSize"))
            h.keys("ctrl+a", "2", "0")
            h.click(*h.centre("txtString"))
            h.keys("ctrl+a")
            # xdotool binds each letter to a spare key before it types it: slowly,
            # so that the window has the new binding when the key comes.
            for change in (lambda: h.run("xdotool", "type", "--delay", "200", "\u05e9\u05dc\u05d5\u05dd"),
                           lambda: paste("\u0633\u0644\u0627\u0645 \u0639\u0644\u064a\u0643\u0645")):
                def columns(shown):
                    return [{p[0] for p, c in shown.items() if c == colour} for colour in (START, END)]
                first, last = columns(after(change, lambda shown: all(columns(shown))))
                self.assertGreater(min(first), max(last))  # the first character's colour at the right
                self.assertGreater(max(first), width - 12)

            # In one colour, the word shows the shapes that Unicode's presentation
            # forms spell out for it (initial beh, medial yeh, final teh), which no
            # shaping changes; kept apart by non-joiners, its letters look otherwise.
            h.click(*h.centre("lblStDefCol(4)"))
            h.click(*h.centre("lblEndDefCol(4)"))
            joined = ink("\ufe91\ufef4\ufe96")
            self.assertNotEqual(ink("\u0628\u200c\u064a\u200c\u062a"), joined)
            self.assertEqual(ink("\u0628\u064a\u062a"), joined)


if __name__ == "__main__":
    main()
