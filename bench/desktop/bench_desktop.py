"""Huevane in a real X session, timed as a user meets it: a text pasted from the
clipboard into the text box, one key typed at its end, BackSpace, a change of the
gradient type and of the start colour, 'Generate', 'Send to Clipboard', and a
stop dragged on the gradient editor's bar (the median of 20 moves). Each step is
timed by inputtimer from the input event until the program's main thread is
idle in its event loop again (see inputtimer.cpp). Also printed: the process's
CPU time per second while it sits idle with the cursor in the text box, and its
peak memory.

Run as: bench_desktop.py --huevane PATH --layout PATH --timer PATH [--runs N] [--rows N,...]
                         [--stops LIST --space SPACE]
Every row runs the program afresh; a cell is the median of the runs. With --stops
the gradient is set in the editor (its text line and its colour space) first.
"""

import argparse
import json
import os
import random
import statistics
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tests", "desktop"))
from xsession import XSession, wait_until  # noqa: E402

ROWS = [
    ("100,000 characters in lines of 100", 100_000, 100),
    ("100,000 characters on one line", 100_000, None),
    ("1,000,000 characters in lines of 100", 1_000_000, 100),
    ("1,000,000 characters on one line", 1_000_000, None),
    ("10,000 characters on one line", 10_000, None),
]
STEPS = ["paste", "key at end", "BackSpace", "type", "colour", "Generate", "Send", "drag a stop"]
SPACES = ["rgb", "oklab", "oklch", "hsl"]
# The gradient editor's bar, as tests/desktop/tst_desktop.py finds it.
EDITOR_MARGIN, BAR_END_ROOM, MARKER_MIDDLE = 10, 7, 10 + 3 + 24 + 6


def sample_text(length, line_length, spaces=True):
    """Words of two to nine letters between spaces (without spaces, one long
    word); lines end in LF."""
    words = random.Random(length)
    out, line, total = [], 0, 0
    while total < length:
        if line_length and line >= line_length - 1:
            out.append("\n")
            line = 0
            total += 1
            continue
        word = "".join(words.choice("abcdefghijklmnopqrstuvwxyz") for _ in range(words.randint(2, 9)))
        word += " " if spaces else words.choice("abcdefghijklmnopqrstuvwxyz")
        out.append(word)
        line += len(word)
        total += len(word)
    return "".join(out)[:length]


def cpu_seconds(pid):
    """The processor time of all the program's threads."""
    tasks = "/proc/%d/task" % pid
    return sum(int(open(os.path.join(tasks, t, "schedstat")).read().split()[0]) for t in os.listdir(tasks)) / 1e9


def peak_memory_mb(pid):
    for line in open("/proc/%d/status" % pid):
        if line.startswith("VmHWM:"):
            return int(line.split()[1]) / 1024


class Timer:
    def __init__(self, session, path, pid):
        self.process = subprocess.Popen([path, str(pid)], env=session.env, stdin=subprocess.PIPE,
                                        stdout=subprocess.PIPE, text=True)

    def __call__(self, command):
        self.process.stdin.write(command + "\n")
        self.process.stdin.flush()
        value = float(self.process.stdout.readline())
        if value < 0:
            raise RuntimeError("the program stopped answering after: " + command)
        return value

    def close(self):
        self.process.stdin.close()
        self.process.wait(timeout=10)


def run_row(options, layout, text):
    """The milliseconds of each step, the idle CPU load in ms/s and the peak memory in MB."""
    with XSession(tray=False) as s:
        program = s.spawn([options.huevane])
        window = s.find_window("Huevane")
        wait_until(lambda: list(s.geometry(window)[2:]) == layout["client"], what="the window's size")
        timer = Timer(s, options.timer, program.pid)
        try:
            timer("idle")

            def centre(name):
                x, y, w, h = layout["controls"][name]
                left, top, _, _ = s.geometry(window)
                return "move %d %d" % (left + x + w // 2, top + y + h // 2)

            if options.stops:
                # The editor's text line takes the stops, its list the space.
                timer("key ctrl+g")
                s.find_window("Gradient - Huevane")
                subprocess.run(["xclip", "-selection", "clipboard", "-i"], input=options.stops.encode(), env=s.env,
                               check=True)
                for key in ["alt+t", "ctrl+a", "ctrl+v", "Return", "alt+s"] + ["Down"] * SPACES.index(options.space):
                    timer("key " + key)
                timer("key Escape")
            subprocess.run(["xclip", "-selection", "clipboard", "-i"], input=text.encode(), env=s.env, check=True)
            timer(centre("txtString"))
            timer("click")
            times = {"paste": timer("key ctrl+v")}
            timer("key ctrl+End")
            times["key at end"] = timer("key x")
            times["BackSpace"] = timer("key BackSpace")
            time.sleep(0.5)
            before, start = cpu_seconds(program.pid), time.monotonic()
            time.sleep(3)
            idle = (cpu_seconds(program.pid) - before) * 1000 / (time.monotonic() - start)
            timer(centre("Option1(1)"))
            times["type"] = timer("click")
            timer(centre("lblStDefCol(2)"))
            times["colour"] = timer("click")
            timer(centre("lblGenerate"))
            times["Generate"] = timer("click")
            timer(centre("lblClipboard"))
            times["Send"] = timer("click")
            times["drag a stop"] = drag_last_stop(s, timer)
            return times, idle, peak_memory_mb(program.pid)
        finally:
            timer.close()


def drag_last_stop(session, timer):
    """The median of 20 moves of the last stop to the left on the editor's bar."""
    timer("key ctrl+g")
    x, y, width, _ = session.geometry(session.find_window("Gradient - Huevane"))
    marker = (x + width - EDITOR_MARGIN - BAR_END_ROOM - 1, y + MARKER_MIDDLE)
    timer("move %d %d" % marker)
    timer("press")
    # The first move is long enough to be a drag, not a click that wobbles.
    moves = [timer("drag %d %d" % (marker[0] - 12 - 2 * step, marker[1])) for step in range(21)][1:]
    timer("release")
    return statistics.median(moves)


def cell(ms):
    return "%.0f ms" % ms if ms >= 10 else "%.1f ms" % ms


def main():
    parser = argparse.ArgumentParser()
    for option in ("--huevane", "--layout", "--timer"):
        parser.add_argument(option, required=True)
    parser.add_argument("--runs", type=int, default=3)
    parser.add_argument("--rows", default="1,2,3,4", help="which rows, counted from 1")
    parser.add_argument("--no-spaces", action="store_true", help="texts of letters only, without spaces")
    parser.add_argument("--stops", help="the gradient, set in the editor: a list of stops as huevane-html takes it")
    parser.add_argument("--space", default="rgb", choices=SPACES, help="the colour space the stops mix in")
    options = parser.parse_args()
    layout = json.loads(subprocess.run([options.layout], capture_output=True, check=True, timeout=30).stdout)

    print("| text | " + " | ".join(STEPS) + " | idle CPU | peak memory |")
    print("|---" * (len(STEPS) + 3) + "|")
    for number in options.rows.split(","):
        name, length, line_length = ROWS[int(number) - 1]
        text = sample_text(length, line_length, not options.no_spaces)
        runs = [run_row(options, layout, text) for _ in range(options.runs)]
        medians = [statistics.median(r[0][step] for r in runs) for step in STEPS]
        idle = statistics.median(r[1] for r in runs)
        memory = statistics.median(r[2] for r in runs)
        print("| %s | %s | %.1f ms/s | %.0f MB |" % (name, " | ".join(map(cell, medians)), idle, memory), flush=True)


if __name__ == "__main__":
    main()
