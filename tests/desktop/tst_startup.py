"""How huevane starts: --help and --version without a display, bad usage, one
line and status 1 wherever no window can be shown, and a window on another
platform where the one asked for cannot show it.

Run as: tst_startup.py --huevane PATH --huevane-html PATH --layout PATH [TestCase.test_name ...]
The fallback test starts an X session of its own; the others need none.
"""

import os
import re
import subprocess
import tempfile
import unittest

from tst_desktop import PROGRAMS, main
from xsession import XSession

HIDDEN = ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_SESSION_TYPE", "QT_QPA_PLATFORMTHEME")


def run(*arguments, **env):
    """Status, standard output and error of huevane with no display, no platform
    named and an empty runtime folder, but for env."""
    with tempfile.TemporaryDirectory(prefix="huevane-startup-") as runtime:
        os.chmod(runtime, 0o700)
        env = {**{k: v for k, v in os.environ.items() if k not in HIDDEN}, "XDG_RUNTIME_DIR": runtime, **env}
        result = subprocess.run([PROGRAMS["huevane"], *arguments], env=env, capture_output=True, timeout=30)
    return result.returncode, result.stdout.decode(), result.stderr.decode()


class StartupTest(unittest.TestCase):
    def test_help_and_version_need_no_display(self):
        status, out, err = run("--help")
        self.assertEqual((status, err), (0, ""))
        self.assertTrue(out.startswith("Usage: huevane ") and "colour gradients" in out, out)
        self.assertTrue(all(option in out for option in ("--help", "--version", "-platform", "-display")), out)
        self.assertEqual(run("-h"), (status, out, err))
        html = subprocess.run([PROGRAMS["huevane-html"], "--version"], capture_output=True, check=True, timeout=30)
        self.assertEqual(run("--version"), (0, html.stdout.decode().replace("huevane-html", "huevane"), ""))

    def test_bad_usage(self):
        # One line naming the argument, status 2, and no window tried: Qt's own
        # options other than -platform and -display are not taken.
        rows = [(["--frobnicate"], "'--frobnicate'"), (["-style", "fusion"], "'-style'"), (["-reverse"], "'-reverse'"),
                (["notes.txt"], "'notes.txt'"), (["-platform"], "-platform"), (["--display="], "--display"),
                (["--version", "-x"], "'-x'")]
        for arguments, named in rows:
            with self.subTest(arguments=arguments):
                status, out, err = run(*arguments, DISPLAY=":987")
                self.assertEqual((status, out), (2, ""))
                self.assertRegex(err, r"^huevane: [^\n]*%s[^\n]*\n$" % re.escape(named))

    def test_no_usable_platform(self):
        # Qt stopped the program (status 134) with its advice to reinstall; now one
        # line names what is missing, and the status is 1.
        x = ":987"  # no X server listens there
        cannot = "cannot show the window: "
        rows = [
            ({}, [], "no display found (set DISPLAY or WAYLAND_DISPLAY)"),
            ({"QT_QPA_PLATFORM": "wayland"}, [], cannot + "no Wayland compositor at 'wayland-0'"),
            ({"WAYLAND_DISPLAY": "wl-gone"}, [], cannot + "no Wayland compositor at 'wl-gone'"),
            ({"DISPLAY": x}, [], cannot + "X display '%s' cannot be opened" % x),
            ({"QT_QPA_PLATFORM": "xcb"}, [], cannot + "no X display (DISPLAY is not set)"),
            ({"QT_QPA_PLATFORM": "vnx"}, [], cannot + "no Qt platform plugin 'vnx' is installed"),
            # What was asked for and what the session offers, in the order they were tried.
            ({"WAYLAND_DISPLAY": "wl-gone"}, ["-display", x, "-platform", "wayland;vnx"], cannot + "no Wayland compositor at 'wl-gone'; "
             "no Qt platform plugin 'vnx' is installed; X display '%s' cannot be opened" % x),
        ]
        for env, arguments, line in rows:
            with self.subTest(env=env, arguments=arguments):
                self.assertEqual(run(*arguments, **env), (1, "", "huevane: %s\n" % line))


class FallbackTest(unittest.TestCase):
    def test_platform_that_cannot_start_falls_back_to_x(self):
        # A platform that is not installed, or a Wayland session without its
        # compositor, and a working X display: the window shows on X, and one line
        # says why when another platform was asked for.
        rows = [({"QT_QPA_PLATFORM": "vnx"}, [], "no Qt platform plugin 'vnx' is installed"),
                ({"QT_QPA_PLATFORM": "wayland", "WAYLAND_DISPLAY": "wl-gone"}, [], "no Wayland compositor at 'wl-gone'"),
                ({}, ["-platform", "vnx"], "no Qt platform plugin 'vnx' is installed"),
                ({"QT_QPA_PLATFORM": "", "WAYLAND_DISPLAY": "wl-gone", "XDG_SESSION_TYPE": "wayland"}, [], None)]
        for env, arguments, reason in rows:
            with self.subTest(env=env, arguments=arguments), XSession(tray=False) as session:
                session.env.update(env)
                process = session.spawn([PROGRAMS["huevane"], *arguments])
                self.assertTrue(session.find_window("Huevane"))
                process.terminate()
                process.wait(timeout=10)
                with open(os.path.join(session.tempdir, "huevane.log")) as log:
                    expected = "huevane: %s; the window is shown on 'xcb' instead\n" % reason if reason else ""
                    self.assertEqual(log.read(), expected)


if __name__ == "__main__":
    main()
