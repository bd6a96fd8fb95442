"""Huevane's looks in a real X session: the window's colours under a dark desktop
palette set by a platform theme.

Run as: tst_looks.py --huevane PATH --huevane-html PATH --layout PATH [TestCase.test_name ...]
"""

import os
import unittest

from tst_desktop import LAYOUT, Huevane, main

DARK_SCHEME = "/usr/share/qt6ct/colors/darker.conf"


def region(pixel, h, rect):
    """The pixels of rect (x, y, width, height, in window coordinates), row by row."""
    (left, top), (_, _, width, height) = h.at(*rect[:2]), rect
    return [pixel(left + i, top + j) for j in range(height) for i in range(width)]


class LooksTest(unittest.TestCase):
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
