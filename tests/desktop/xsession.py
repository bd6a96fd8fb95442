"""A real X session for Huevane's desktop tests: an Xvfb server, the openbox
window manager and the trayer notification area, with helpers to drive it with
xdotool and to read it back with xwininfo, xclip and screenshots.

Everything is started on a free display number and stopped again on exit, so
tests can run side by side and leave nothing behind.
"""

import os
import shutil
import signal
import subprocess
import tempfile
import time

SCREEN_WIDTH = 1280
SCREEN_HEIGHT = 800


class SessionError(RuntimeError):
    pass


def wait_until(condition, timeout=10.0, interval=0.05, what="condition"):
    """Polls condition() until it returns something truthy, which is returned."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise SessionError("timed out waiting for " + what)
        time.sleep(interval)


class XSession:
    def __init__(self, window_manager=True, tray=True):
        self.window_manager = window_manager
        self.tray = tray
        self.processes = []
        self.display = None
        self.env = None
        self.tempdir = tempfile.mkdtemp(prefix="huevane-desktop-")

    # Lifetime -------------------------------------------------------------

    def __enter__(self):
        try:
            self.start()
        except BaseException:
            self.stop()
            raise
        return self

    def __exit__(self, *exc):
        self.stop()
        return False

    def start(self):
        runtime = os.path.join(self.tempdir, "runtime")
        os.makedirs(runtime, mode=0o700)
        self.env = dict(os.environ, XDG_RUNTIME_DIR=runtime, QT_QPA_PLATFORM="xcb")
        for variable in ("DISPLAY", "WAYLAND_DISPLAY", "DBUS_SESSION_BUS_ADDRESS", "QT_SCALE_FACTOR"):
            self.env.pop(variable, None)
        # The server picks a free display itself and tells its number, so
        # sessions started side by side never meet. Without -noreset the server
        # resets whenever its last client leaves (the readiness probe below is
        # such a client), and a client connecting during the reset, such as the
        # window manager, is refused.
        reader, writer = os.pipe()
        try:
            self._spawn(["Xvfb", "-displayfd", str(writer), "-screen", "0",
                         "%dx%dx24" % (SCREEN_WIDTH, SCREEN_HEIGHT), "-nolisten", "tcp", "-noreset", "-dpi", "96"],
                        pass_fds=(writer,))
            os.close(writer)
            writer = None
            number = b""
            deadline = time.monotonic() + 15
            while not number.endswith(b"\n"):
                if time.monotonic() > deadline:
                    raise SessionError("the X server did not start")
                chunk = os.read(reader, 16)
                if not chunk:
                    raise SessionError("the X server did not start")
                number += chunk
        finally:
            os.close(reader)
            if writer is not None:
                os.close(writer)
        self.display = ":" + number.decode().strip()
        self.env["DISPLAY"] = self.display
        wait_until(lambda: self._quiet(["xwininfo", "-root"]) == 0, what="the X server")
        if self.window_manager:
            self._spawn(["openbox", "--sm-disable"])
            try:
                wait_until(self._window_manager_running, timeout=30, what="the window manager")
            except SessionError:
                with open(os.path.join(self.tempdir, "openbox.log"), errors="replace") as log:
                    raise SessionError("the window manager did not start: " + log.read()[-500:])
        if self.tray:
            self._spawn(["trayer", "--edge", "bottom", "--align", "right", "--widthtype", "pixel",
                         "--width", "120", "--heighttype", "pixel", "--height", "24",
                         "--transparent", "false", "--SetDockType", "true", "--expand", "false"])
            wait_until(self.tray_panel, timeout=30, what="the notification area")
        # A known colour behind every window, set once the window manager is up.
        self.run(["xsetroot", "-solid", "#203040"])

    def stop(self):
        for process in reversed(self.processes):
            if process.poll() is None:
                process.send_signal(signal.SIGTERM)
        for process in reversed(self.processes):
            try:
                process.wait(timeout=5)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait()
        self.processes = []
        shutil.rmtree(self.tempdir, ignore_errors=True)

    def _spawn(self, command, **kwargs):
        log = open(os.path.join(self.tempdir, os.path.basename(command[0]) + ".log"), "ab")
        process = subprocess.Popen(command, env=self.env, stdout=log, stderr=subprocess.STDOUT, **kwargs)
        log.close()
        self.processes.append(process)
        return process

    def _quiet(self, command):
        return subprocess.call(command, env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def _window_manager_running(self):
        return "_NET_SUPPORTING_WM_CHECK(WINDOW)" in self.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"])

    # Programs -------------------------------------------------------------

    def run(self, command, check=True, input_bytes=None):
        result = subprocess.run(command, env=self.env, input=input_bytes, stdout=subprocess.PIPE,
                                stderr=subprocess.PIPE, timeout=30)
        if check and result.returncode != 0:
            raise SessionError("%s failed: %s" % (" ".join(command), result.stderr.decode(errors="replace")))
        return result.stdout.decode(errors="replace")

    def start_program(self, command):
        """Starts a program in the session; it is stopped with the session."""
        return self._spawn(command)

    # Windows ----------------------------------------------------------------

    def find_window(self, name, timeout=10.0):
        """The id of the visible top-level window whose name is exactly name."""
        def search():
            out = self.run(["xdotool", "search", "--onlyvisible", "--name", "^%s$" % name], check=False)
            ids = [int(line) for line in out.split()]
            return ids[-1] if ids else None
        return wait_until(search, timeout=timeout, what="window " + name)

    def geometry(self, window):
        """(x, y, width, height) of a window on the screen."""
        info = self.run(["xwininfo", "-id", str(window)])
        values = {}
        for line in info.splitlines():
            key, _, value = line.strip().partition(":")
            values[key] = value.strip()
        return (int(values["Absolute upper-left X"]), int(values["Absolute upper-left Y"]),
                int(values["Width"]), int(values["Height"]))

    def shape_extents(self, window):
        """The (width, height) of the window's bounding shape, or None when it has none."""
        for line in self.run(["xwininfo", "-id", str(window), "-shape"]).splitlines():
            key, _, value = line.strip().partition(":")
            if key == "Window shape extents":
                size = value.strip().split("+")[0]
                width, height = size.split("x")
                return (int(width), int(height))
        return None

    def stacking(self):
        """Client windows from bottom to top, as the window manager stacks them."""
        out = self.run(["xprop", "-root", "_NET_CLIENT_LIST_STACKING"])
        _, _, ids = out.partition("#")
        return [int(value.strip(), 16) for value in ids.split(",") if value.strip()]

    def tray_panel(self):
        """The id of the notification area's panel window, or None."""
        for line in self.run(["xwininfo", "-root", "-tree"], check=False).splitlines():
            if '"panel": ("panel" "trayer")' in line:
                return int(line.split()[0], 16)
        return None

    def tray_icons(self, window_class):
        """(x, y, width, height) of each icon of window_class embedded in the notification area."""
        icons = []
        for line in self.run(["xwininfo", "-root", "-tree"], check=False).splitlines():
            if '("%s" ' % window_class in line and "+" in line:
                parts = line.split()
                size, _, _ = parts[-2].partition("+")
                width, height = (int(v) for v in size.split("x"))
                position = parts[-1].lstrip("+").split("+")
                x, y = int(position[0]), int(position[1])
                if self._inside_panel(x, y):
                    icons.append((x, y, width, height))
        return icons

    def _inside_panel(self, x, y):
        panel = self.tray_panel()
        if panel is None:
            return False
        px, py, pw, ph = self.geometry(panel)
        return px <= x < px + pw and py <= y < py + ph

    # Input ------------------------------------------------------------------

    def move_pointer(self, x, y):
        # --sync waits for the pointer to move, so it would wait its whole time
        # out when the pointer already stands there.
        where = self.run(["xdotool", "getmouselocation", "--shell"])
        if "X=%d\nY=%d\n" % (x, y) not in where:
            self.run(["xdotool", "mousemove", "--sync", str(x), str(y)])

    def click(self, x, y, button=1):
        self.move_pointer(x, y)
        self.run(["xdotool", "click", str(button)])

    def drag(self, start, end, button=1, steps=10):
        self.move_pointer(*start)
        self.run(["xdotool", "mousedown", str(button)])
        for step in range(1, steps + 1):
            x = start[0] + (end[0] - start[0]) * step // steps
            y = start[1] + (end[1] - start[1]) * step // steps
            self.run(["xdotool", "mousemove", str(x), str(y)])
            time.sleep(0.02)
        self.run(["xdotool", "mouseup", str(button)])

    # Output -----------------------------------------------------------------

    def screenshot(self):
        """The whole screen as a Screenshot."""
        path = os.path.join(self.tempdir, "screen.rgb")
        self.run(["import", "-window", "root", "-depth", "8", "rgb:" + path])
        with open(path, "rb") as f:
            return Screenshot(f.read(), SCREEN_WIDTH, SCREEN_HEIGHT)

    def save_screenshot(self, path):
        self.run(["import", "-window", "root", path])

    def clipboard(self):
        """The clipboard's text as bytes, or None when nobody offers one."""
        result = subprocess.run(["xclip", "-o", "-selection", "clipboard", "-t", "UTF8_STRING"],
                                env=self.env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, timeout=10)
        return result.stdout if result.returncode == 0 else None


class Screenshot:
    def __init__(self, data, width, height):
        self.data = data
        self.width = width
        self.height = height

    def pixel(self, x, y):
        offset = 3 * (y * self.width + x)
        return tuple(self.data[offset:offset + 3])
