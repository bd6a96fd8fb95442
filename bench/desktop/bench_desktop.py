"""Huevane in a real X session, timed as a user meets it: a text pasted from the
clipboard into the text box, one key typed at its end, BackSpace, a change of the
gradient type and of the start colour, 'Generate' and 'Send to Clipboard'. Each
step is timed by inputtimer from the input event until the program's main thread
is idle in its event loop again (see inputtimer.cpp). Also printed: the process's CPU time per second
while it sits idle with the cursor in the text box, and its peak memory.

Run as: bench_desktop.py --huevane PATH --layout PATH --timer PATH [--runs N] [--rows N,...]
Every row runs the program afresh; a cell is the median of the runs.
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
]
STEPS = ["paste", "key at end", "BackSpace", "type", "colour", "Generate", "Send"]


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
            return times, idle, peak_memory_mb(program.pid)
        finally:
            timer.close()


def cell(ms):
    return "%.0f ms" % ms if ms >= 10 else "%.1f ms" % ms


def main():
    parser = argparse.ArgumentParser()
    for option in ("--huevane", "--layout", "--timer"):
        parser.add_argument(option, required=True)
    parser.add_argument("--runs", type=int, default=3)
    parser.add_argument("--rows", default="1,2,3,4", help="which rows, counted from 1")
    parser.add_argument("--no-spaces", action="store_true", help="texts of letters only, without spaces")
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
