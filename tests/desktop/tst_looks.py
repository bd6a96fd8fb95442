"""Huevane's looks in a real X session: the character count drawn whole for long
texts, and the window's colours under a dark desktop palette.

Run as: tst_looks.py --huevane PATH --huevane-html PATH --layout PATH [TestCase.test_name ...]
"""

import os
import subprocess
import unittest

from tst_desktop import LAYOUT, Huevane, main
from xsession import wait_until

DARK_SCHEME = "/usr/share/qt6ct/colors/darker.conf"


def region(pixel, h, rect):
    """The pixels of rect (x, y, width, height, in window coordinates), row by row."""
    (left, top), (_, _, width, height) = h.at(*rect[:2]), rect
    return [pixel(left + i, top + j) for j in range(height) for i in range(width)]


class LooksTest(unittest.TestCase):
    def test_count_of_long_texts_is_drawn_whole(self):
        # The count showed two digits of any larger number: "15" for 150, "10" for
        # 1,000,000. Read what is drawn: the count's ink must reach as far as its
        # digits need, and nothing around it may change.
        x, y, _, height = LAYOUT["controls"]["lblChars"]
        room = (x, y, LAYOUT["growsTo"]["lblChars"] - x, height)
        around = [LAYOUT["controls"]["Label4"], LAYOUT["controls"]["Label1"], (x, y - 3, room[2] + 2, 3),
                  (x, y + height, room[2] + 2, 3), (x + room[2], y, 2, height)]

        def ink(drawn):
            """The first and last columns of the count's room that hold text."""
            columns = [i % room[2] for i, rgb in enumerate(drawn) if max(rgb) < 110]
            return min(columns), max(columns)

        with Huevane(tray=False) as h:
            start = h.screenshot()
            crops = [region(start, h, room)]
            left, right = ink(crops[0])
            digit = (right - left + 1) / 2  # the count starts at 90
            h.click(*h.centre("txtString"))
            for count in (15, 150, 12345, 1000000):
                with self.subTest(count=count):
                    # Pasted as a user pastes it, in lines of at most 100 characters.
                    text = "\n".join(["x" * 100] * (count // 100) + ["y" * (count % 100)]).strip()
                    subprocess.run(["xclip", "-selection", "clipboard", "-i"], input=text.encode(), env=h.env,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True, timeout=30)
                    h.keys("ctrl+a", "ctrl+v")
                    wait_until(lambda: region(h.screenshot(), h, room) != crops[-1], timeout=60, what="the count")
                    drawn, previous = h.screenshot(), None
                    while previous != region(drawn, h, room):  # until the count stays as it is
                        previous, drawn = region(drawn, h, room), h.screenshot()
                    crops.append(previous)
                    first, last = ink(previous)
                    self.assertEqual(first, left)
                    self.assertGreaterEqual(last - first + 1, 0.85 * len(str(count)) * digit)
                    for rect in around:
                        self.assertEqual(region(drawn, h, rect), region(start, h, rect), "beside it: %s" % (rect,))
            self.assertEqual(len(set(map(tuple, crops))), len(crops), "every count drawn differently")

    def test_dark_desktop_palette_keeps_the_colours(self):
        # Under qt6ct's "darker" colour scheme with the Fusion style, captions,
        # check-box texts and the output box's text turned light grey on the light
        # skin. The window must look as it does under the default palette.
        self.assertTrue(os.path.exists(DARK_SCHEME), "qt6ct is not installed")
        names = ["Label2", "Label4", "Label6", "Label15", "Label16", "lblUpTags", "lblPerLine", "lblJSQuote",
                 "chkUpTags", "chkPerLine", "Option1(0)", "Option1(1)", "txtHTML", "txtSize", "txtStCol(0)"]
        looks = []
        for theme in ("", "qt6ct"):
            session = Huevane(tray=False)
            config = os.path.join(session.tempdir, "config")
            os.makedirs(os.path.join(config, "qt6ct"))
            with open(os.path.join(config, "qt6ct", "qt6ct.conf"), "w") as f:
                f.write("[Appearance]\ncolor_scheme_path=%s\ncustom_palette=true\nstyle=Fusion\n" % DARK_SCHEME)
            session.env.update(XDG_CONFIG_HOME=config, QT_QPA_PLATFORMTHEME=theme, QT_LOGGING_RULES="qt6ct.debug=true")
            with session as h:
                h.move_pointer(*h.at(700, 500))
                pixel = h.screenshot()
                looks.append({name: region(pixel, h, LAYOUT["controls"][name]) for name in names})
                with open(os.path.join(h.tempdir, "huevane.log")) as log:
                    self.assertEqual("using qt6ct plugin" in log.read(), bool(theme))
        self.assertEqual([name for name in names if looks[1][name] != looks[0][name]], [])
        # The output box in its own colours: dark text on #E0E0E0.
        output = looks[1]["txtHTML"]
        self.assertGreater(output.count((0xE0, 0xE0, 0xE0)), len(output) // 2)
        self.assertLess(min(map(max, output)), 0x30)


if __name__ == "__main__":
    main()
