"""How huevane starts: --help and --version without a display, bad usage, one
line and status 1 wherever no window can be shown, and a window on another
platform where the one asked for cannot show it.

Run as: tst_startup.py --huevane PATH --huevane-html PATH [TestCase.test_name ...]
The fallback tests start an X session of their own; the others need none.
"""

import argparse
import os
import re
import subprocess
import sys
import tempfile
import unittest

from xsession import XSession, wait_until

PROGRAMS = {}


def free_display():
    """A display number no X server listens on here."""
    number = 90
    while os.path.exists("/tmp/.X11-unix/X%d" % number) or os.path.exists("/tmp/.X%d-lock" % number):
        number += 1
    return ":%d" % number


class Bare:
    """An environment with no display and no platform named, and an empty runtime folder."""

    def __enter__(self):
        self.runtime = tempfile.TemporaryDirectory(prefix="huevane-startup-")
        os.chmod(self.runtime.name, 0o700)
        hidden = ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_SESSION_TYPE", "QT_QPA_PLATFORMTHEME")
        self.env = {key: value for key, value in os.environ.items() if key not in hidden}
        self.env["XDG_RUNTIME_DIR"] = self.runtime.name
        return self

    def __exit__(self, *exc):
        self.runtime.cleanup()

    def run(self, *arguments, **env):
        result = subprocess.run([PROGRAMS["huevane"], *arguments], env={**self.env, **env}, capture_output=True,
                                timeout=30)
        return result.returncode, result.stdout.decode(), result.stderr.decode()


class StartupTest(unittest.TestCase):
    def test_help_and_version_need_no_display(self):
        with Bare() as bare:
            status, out, err = bare.run("--help")
            self.assertEqual((status, err), (0, ""))
            self.assertTrue(out.startswith("Usage: huevane "), out)
            # It says what the program is, and names every option it takes.
            self.assertIn("colour gradients", out)
            for option in ("--help", "--version", "-platform", "-display"):
                self.assertIn(option, out)
            self.assertEqual(bare.run("-h"), (status, out, err))
            html = subprocess.run([PROGRAMS["huevane-html"], "--version"], capture_output=True, check=True,
                                  timeout=30).stdout.decode()
            status, out, err = bare.run("--version")
            self.assertEqual((status, out, err), (0, html.replace("huevane-html", "huevane"), ""))

    def test_bad_usage(self):
        # One line naming the argument, status 2, nothing on standard output, and no
        # window tried: Qt's own options other than -platform and -display are not taken.
        rows = [(["--frobnicate"], "'--frobnicate'"), (["-style", "fusion"], "'-style'"),
                (["-reverse"], "'-reverse'"), (["notes.txt"], "'notes.txt'"), (["-platform"], "-platform"),
                (["--display="], "--display"), (["--version", "-x"], "'-x'")]
        with Bare() as bare:
            for arguments, named in rows:
                with self.subTest(arguments=arguments):
                    status, out, err = bare.run(*arguments, DISPLAY=free_display())
                    self.assertEqual((status, out), (2, ""))
                    self.assertRegex(err, r"^huevane: [^\n]*%s[^\n]*\n$" % re.escape(named))

    def test_no_usable_platform(self):
        # Qt stopped the program (status 134) with its advice to reinstall; now one
        # line names what is missing, and the status is 1.
        x = free_display()
        rows = [
            ({}, [], "no display found (set DISPLAY or WAYLAND_DISPLAY)"),
            ({"QT_QPA_PLATFORM": "wayland"}, [], "cannot show the window: no Wayland compositor at 'wayland-0'"),
            ({"WAYLAND_DISPLAY": "wl-gone"}, [], "cannot show the window: no Wayland compositor at 'wl-gone'"),
            ({"DISPLAY": x}, [], "cannot show the window: X display '%s' cannot be opened" % x),
            ({}, ["-display", x], "cannot show the window: X display '%s' cannot be opened" % x),
            ({"QT_QPA_PLATFORM": "xcb"}, [], "cannot show the window: no X display (DISPLAY is not set)"),
            ({"QT_QPA_PLATFORM": "vnx"}, [], "cannot show the window: no Qt platform plugin 'vnx' is installed"),
            # What was asked for and what the session offers, in the order they were tried.
            ({"QT_QPA_PLATFORM": "vnx", "DISPLAY": x, "WAYLAND_DISPLAY": "wl-gone"}, [],
             "cannot show the window: no Qt platform plugin 'vnx' is installed; X display '%s' cannot be opened; "
             "no Wayland compositor at 'wl-gone'" % x),
            ({"DISPLAY": x}, ["-platform", "wayland;vnx"],
             "cannot show the window: no Wayland compositor at 'wayland-0'; no Qt platform plugin 'vnx' is "
             "installed; X display '%s' cannot be opened" % x),
        ]
        with Bare() as bare:
            for env, arguments, line in rows:
                with self.subTest(env=env, arguments=arguments):
                    self.assertEqual(bare.run(*arguments, **env), (1, "", "huevane: %s\n" % line))


class FallbackTest(unittest.TestCase):
    def started(self, session, *arguments):
        """Starts huevane in session; its window's id and what it wrote, once the window shows."""
        process = session.spawn([PROGRAMS["huevane"], *arguments])
        window = session.find_window("Huevane")
        self.assertIsNone(process.poll())
        process.terminate()
        process.wait(timeout=10)
        with open(os.path.join(session.tempdir, "huevane.log")) as log:
            return window, log.read()

    def test_platform_that_cannot_start_falls_back_to_x(self):
        # A platform that is not installed, or a Wayland session without its
        # compositor, and a working X display: the window shows on X, and one line
        # says why.
        rows = [({"QT_QPA_PLATFORM": "vnx"}, [], "no Qt platform plugin 'vnx' is installed"),
                ({"QT_QPA_PLATFORM": "wayland", "WAYLAND_DISPLAY": "wl-gone"}, [],
                 "no Wayland compositor at 'wl-gone'"),
                ({}, ["-platform", "vnx"], "no Qt platform plugin 'vnx' is installed")]
        for env, arguments, reason in rows:
            with self.subTest(env=env, arguments=arguments), XSession(tray=False) as session:
                session.env.update(env)
                window, err = self.started(session, *arguments)
                self.assertTrue(window)
                self.assertEqual(err, "huevane: %s; the window is shown on 'xcb' instead\n" % reason)

    def test_wayland_session_with_x(self):
        # A Wayland session names both displays; with no platform asked for, the
        # window shows on X without a word, whether the compositor answers or not.
        with XSession(tray=False) as session:
            del session.env["QT_QPA_PLATFORM"]
            session.env.update(WAYLAND_DISPLAY="wl-gone", XDG_SESSION_TYPE="wayland")
            window, err = self.started(session)
            self.assertTrue(window)
            self.assertEqual(err, "")


def main():
    parser = argparse.ArgumentParser()
    for option in ("--huevane", "--huevane-html"):
        parser.add_argument(option, required=True)
    options, rest = parser.parse_known_args()
    PROGRAMS.update({"huevane": options.huevane, "huevane-html": options.huevane_html})
    unittest.main(argv=[sys.argv[0]] + rest, verbosity=2)


if __name__ == "__main__":
    main()
