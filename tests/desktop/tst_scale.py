"""Huevane at device pixel ratios (QT_SCALE_FACTOR) in a real X session: the skin
and the buttons' textures shown pixel for pixel as the art is drawn for the ratio,
so every edge is as sharp as the screen; the window's outline where the skin's rim
is; and the window opened wholly on the screen where it fits.

Run as: tst_scale.py --huevane PATH --huevane-html PATH --layout PATH --art FOLDER [TestCase.test_name ...]
where FOLDER holds the art the build drew (images/skin.png, images/skin@1.5x.png, ...).
"""

import math
import os
import subprocess
import unittest

from tst_desktop import LAYOUT, PROGRAMS, ROOT_COLOUR, Huevane, main
from xsession import wait_until

BUTTONS = {"lblGenerate": "button-generate", "lblClipboard": "button-clipboard", "cmdExit": "button-exit"}
OUTSIDE = b"\x22\x24\x28"  # the skin's colour outside the outline


def art(name, scale):
    """The image the build drew for the ratio: its width and its pixels as bytes, RGB row by row."""
    path = os.path.join(PROGRAMS["art"], "images", name + ("@%gx.png" % scale if scale != 1 else ".png"))
    run = lambda *command: subprocess.run(command, capture_output=True, check=True, timeout=30).stdout
    return int(run("identify", "-format", "%w", path)), run("convert", path, "-depth", "8", "rgb:-")


def pixels(data, width, x, y, count=1):
    """count pixels from (x, y) of an image width pixels wide, given as bytes."""
    return data[3 * (y * width + x):3 * (y * width + x + count)]


class ScaleTest(unittest.TestCase):
    def check(self, scale, screen_size, fits=True):
        with Huevane(tray=False, scale=scale, screen_size=screen_size) as h:
            h.move_pointer(screen_size[0] - 1, screen_size[1] - 1)  # every button at rest
            left, top, width, height = h.geometry(h.window)
            self.assertEqual(h.shape_extents(h.window), (h.device(630), h.device(450)))
            # Centred on the screen where it fits; too tall, at its top with only the bottom edge off it.
            self.assertLessEqual(abs(2 * left + width - screen_size[0]), 2)
            self.assertLessEqual(abs(2 * top + height - screen_size[1]), 2) if fits else self.assertEqual(top, 0)
            screen = wait_until(lambda: (lambda a, b: a if a == b else None)(h.screen_rgb(), h.screen_rgb()),
                                what="the window to stand still")
            shown = lambda x, y, n=1: pixels(screen, screen_size[0], left + x, top + y, n)
            rows = min(height, screen_size[1] - top)

            # The skin, where no control lies: as drawn, or outside the outline what lies behind.
            skin_width, skin = art("skin", scale)
            self.assertEqual(skin_width, h.device(632))
            drawn = lambda x, y, n=1: pixels(skin, skin_width, x, y, n)
            covered = [(h.device(x) - 2, h.device(y) - 2, h.device(x + w) + 2, h.device(y + hh) + 2)
                       for x, y, w, hh in LAYOUT["controls"].values()]
            compared = behind = cut = 0
            for y in range(rows):
                x = 0  # the runs between the controls on the row
                for a, c in sorted((a, c) for a, b, c, d in covered if b <= y < d) + [(width, width)]:
                    compared += max(0, a - x)
                    for i in range(x, a) if shown(x, y, a - x) != drawn(x, y, a - x) else ():
                        self.assertIn(shown(i, y), (drawn(i, y), bytes(ROOT_COLOUR)), "at %d,%d" % (i, y))
                        behind += shown(i, y) != drawn(i, y)
                        cut += shown(i, y) != drawn(i, y) and drawn(i, y) != OUTSIDE
                    x = max(x, c)
            self.assertGreater(compared, 0.3 * width * height)
            # Outside the outline: above the strip right of the title tabs, and the last two
            # columns; what the outline cuts off inside the skin's rim is a few corner pixels.
            self.assertGreater(behind, 6000 * scale * scale)
            self.assertLess(cut, 30 * scale * scale)

            # The buttons' edges, three device pixels deep, are their textures as drawn; the
            # caption lies inside them. A part of a device pixel past a button shows the skin.
            for button, name in BUTTONS.items():
                x, y, w, hh = LAYOUT["controls"][button]
                texture_width, texture = art(name, scale)
                self.assertEqual(texture_width, math.ceil(w * scale))
                columns, bottom = int(w * scale), int(hh * scale)
                edge = lambda i, j: min(i, j, columns - 1 - i, bottom - 1 - j) < 3
                differ = {edge(i, j) for j in range(min(bottom, rows - h.device(y))) for i in range(columns)
                          if shown(h.device(x) + i, h.device(y) + j) != pixels(texture, texture_width, i, j)}
                self.assertEqual(differ, {False}, button)

    def test_one(self):
        self.check(1, (1280, 800))

    def test_one_and_a_half(self):
        self.check(1.5, (1280, 800))

    def test_two(self):
        self.check(2, (1600, 1000))

    def test_one_and_three_quarters_on_a_small_screen(self):
        # 450 pixels at 1.75 are 788 device pixels, more than the screen's 768.
        self.check(1.75, (1366, 768), fits=False)


if __name__ == "__main__":
    main()
