"""A real X session for Huevane's desktop tests: an Xvfb server, the openbox
window manager and, if asked for, the trayer notification area, with helpers to
drive it with xdotool and to read it back with xwininfo, xprop, xclip and
screenshots.

Everything is started on a free display number and stopped again on exit, so
tests can run side by side and leave nothing behind.
"""

import os
import shutil
import signal
import subprocess
import tempfile
import time

SCREEN_SIZE = (1280, 800)


class SessionError(RuntimeError):
    pass


def wait_until(condition, timeout=10.0, what="condition"):
    """Polls condition() until it returns something truthy, which is returned."""
    deadline = time.monotonic() + timeout
    while not (value := condition()):
        if time.monotonic() > deadline:
            raise SessionError("timed out waiting for " + what)
        time.sleep(0.05)
    return value


class XSession:
    """A session on a screen of screen_size pixels; programs started in it see a
    device pixel ratio of scale (QT_SCALE_FACTOR) where it is given."""

    def __init__(self, tray=True, accessibility=False, screen_size=SCREEN_SIZE, scale=None):
        self.tray = tray
        self.accessibility = accessibility
        self.screen_size = screen_size
        self.scale = scale or 1
        self.processes = []
        self.groups = []  # process groups to end with the session, by their leaders' ids
        self.tempdir = tempfile.mkdtemp(prefix="huevane-desktop-")
        runtime = os.path.join(self.tempdir, "runtime")
        os.makedirs(runtime, mode=0o700)
        hidden = ("DISPLAY", "WAYLAND_DISPLAY", "DBUS_SESSION_BUS_ADDRESS", "QT_SCALE_FACTOR")
        self.env = {key: value for key, value in os.environ.items() if key not in hidden}
        # Settings of the session's own: programs find none of the user's, and
        # what they save stays with the session.
        self.config = os.path.join(self.tempdir, "config")
        self.env.update(XDG_RUNTIME_DIR=runtime, XDG_CONFIG_HOME=self.config, QT_QPA_PLATFORM="xcb")
        if scale is not None:
            self.env["QT_SCALE_FACTOR"] = str(scale)

    def __enter__(self):
        try:
            self.start()
        except BaseException:
            self.stop()
            raise
        return self

    def __exit__(self, *exc):
        self.stop()

    def start(self):
        # The server picks a free display itself and tells its number, so sessions
        # started side by side never meet. Without -noreset the server resets
        # whenever its last client leaves (the readiness probe below is such a
        # client), and a client connecting during the reset, such as the window
        # manager, is refused.
        reader, writer = os.pipe()
        self.spawn(["Xvfb", "-displayfd", str(writer), "-screen", "0", "%dx%dx24" % self.screen_size,
                    "-nolisten", "tcp", "-noreset", "-dpi", "96"], pass_fds=(writer,))
        os.close(writer)
        with os.fdopen(reader, "rb") as numbers:
            number = numbers.readline().strip()
        if not number:
            raise SessionError("the X server did not start")
        self.env["DISPLAY"] = ":" + number.decode()
        wait_until(lambda: subprocess.run(["xwininfo", "-root"], env=self.env, capture_output=True).returncode == 0,
                   what="the X server")
        if self.accessibility:
            self.start_accessibility_bus()
        self.spawn(["openbox", "--sm-disable"])
        wait_until(lambda: "(WINDOW)" in self.run("xprop", "-root", "_NET_SUPPORTING_WM_CHECK"), timeout=30,
                   what="the window manager")
        if self.tray:
            self.spawn(["trayer", "--edge", "bottom", "--align", "right", "--widthtype", "pixel", "--width", "120",
                        "--heighttype", "pixel", "--height", "24", "--transparent", "false", "--SetDockType", "true",
                        "--expand", "false"])
            wait_until(self.tray_panel, timeout=30, what="the notification area")
        # A known colour behind every window, set once the window manager is up.
        self.run("xsetroot", "-solid", "#203040")

    def start_accessibility_bus(self):
        """A D-Bus session bus of the session's own, through which programs find the
        accessibility (AT-SPI) bus; the bus starts its launcher when first asked.
        Qt programs started afterwards offer their accessible tree on it."""
        reader, writer = os.pipe()
        # In a process group of its own: the services the bus starts go with it.
        process = self.spawn(["dbus-daemon", "--session", "--nofork", "--nopidfile", "--print-address=%d" % writer],
                             pass_fds=(writer,), start_new_session=True)
        self.groups.append(process.pid)
        os.close(writer)
        with os.fdopen(reader, "rb") as addresses:
            address = addresses.readline().strip().decode()
        if not address:
            raise SessionError("the D-Bus session bus did not start")
        self.env.update(DBUS_SESSION_BUS_ADDRESS=address, QT_ACCESSIBILITY="1", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")

    def stop(self):
        for group in self.groups:
            try:
                os.killpg(group, signal.SIGTERM)
            except ProcessLookupError:
                pass
        for process in reversed(self.processes):
            process.terminate()
        for process in reversed(self.processes):
            try:
                process.wait(timeout=5)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait()
        shutil.rmtree(self.tempdir, ignore_errors=True)

    def spawn(self, command, **options):
        """Starts a program in the session; it is stopped with the session."""
        with open(os.path.join(self.tempdir, os.path.basename(command[0]) + ".log"), "ab") as log:
            self.processes.append(subprocess.Popen(command, env=self.env, stdout=log, stderr=log, **options))
        return self.processes[-1]

    def run(self, *command, check=True):
        """The output of a program run in the session."""
        result = subprocess.run(command, env=self.env, capture_output=True, timeout=30)
        if check and result.returncode != 0:
            raise SessionError("%s failed: %s" % (" ".join(command), result.stderr.decode(errors="replace")))
        return result.stdout.decode(errors="replace")

    # Windows ----------------------------------------------------------------

    def find_window(self, name):
        """The id of the visible top-level window whose name is exactly name."""
        search = ("xdotool", "search", "--onlyvisible", "--name", "^%s$" % name)
        return wait_until(lambda: ([int(i) for i in self.run(*search, check=False).split()] or [None])[-1],
                          timeout=30, what="window " + name)

    def geometry(self, window):
        """(x, y, width, height) of a window on the screen."""
        info = dict(line.strip().partition(":")[::2] for line in self.run("xwininfo", "-id", str(window)).splitlines())
        return tuple(int(info[key]) for key in ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height"))

    def shape_extents(self, window):
        """The (width, height) of the window's bounding shape."""
        for line in self.run("xwininfo", "-id", str(window), "-shape").splitlines():
            if line.strip().startswith("Window shape extents:"):
                return tuple(int(v) for v in line.partition(":")[2].split("+")[0].split("x"))

    def stacking(self):
        """Client windows from bottom to top, as the window manager stacks them."""
        ids = self.run("xprop", "-root", "_NET_CLIENT_LIST_STACKING").partition("#")[2]
        return [int(value, 16) for value in ids.split(",") if value.strip()]

    def tray_panel(self):
        """(x, y, width, height) of the notification area's panel, or None."""
        for line in self.run("xwininfo", "-root", "-tree", check=False).splitlines():
            if '"panel": ("panel" "trayer")' in line:
                return self.geometry(int(line.split()[0], 16))

    def tray_icons(self, window_class):
        """(x, y, width, height) of each icon of window_class embedded in the notification area."""
        px, py, pw, ph = self.tray_panel()
        icons = []
        for line in self.run("xwininfo", "-root", "-tree").splitlines():
            if '("%s" ' % window_class in line and "+" in line:
                width, height = (int(v) for v in line.split()[-2].partition("+")[0].split("x"))
                x, y = (int(v) for v in line.split()[-1].lstrip("+").split("+")[:2])
                if px <= x < px + pw and py <= y < py + ph:
                    icons.append((x, y, width, height))
        return icons

    # Input and output ---------------------------------------------------------

    def move_pointer(self, x, y):
        # --sync waits for the pointer to move, so it would wait its whole time
        # out when the pointer already stands there.
        if "X=%d\nY=%d\n" % (x, y) not in self.run("xdotool", "getmouselocation", "--shell"):
            self.run("xdotool", "mousemove", "--sync", str(x), str(y))

    def click(self, x, y, button=1):
        self.move_pointer(x, y)
        self.run("xdotool", "click", str(button))

    def drag(self, start, end, button=1, steps=10):
        self.move_pointer(*start)
        self.run("xdotool", "mousedown", str(button))
        # The press has to reach the program, and the window manager's move to
        # start from it, before the pointer leaves the place it was pressed at.
        time.sleep(0.5)
        for step in range(1, steps + 1):
            self.run("xdotool", "mousemove", *(str(a + (b - a) * step // steps) for a, b in zip(start, end)))
            time.sleep(0.02)
        self.run("xdotool", "mouseup", str(button))

    def screenshot(self):
        """The whole screen: a function of (x, y) giving the pixel's (red, green, blue)."""
        data, width = self.screen_rgb(), self.screen_size[0]
        return lambda x, y: tuple(data[3 * (y * width + x):3 * (y * width + x) + 3])

    def screen_rgb(self):
        """The whole screen as bytes, red, green and blue of each pixel, row by row."""
        path = os.path.join(self.tempdir, "screen.rgb")
        self.run("import", "-window", "root", "-depth", "8", "rgb:" + path)
        with open(path, "rb") as f:
            return f.read()

    def clipboard(self, target="UTF8_STRING"):
        """The clipboard's contents as target (by default its text) as bytes, or None when nobody offers them."""
        result = subprocess.run(["xclip", "-o", "-selection", "clipboard", "-t", target], env=self.env,
                                capture_output=True, timeout=10)
        return result.stdout if result.returncode == 0 else None
