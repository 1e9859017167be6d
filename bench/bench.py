"""Zelvik's performance figures against their goals, printed as one table.
Started by bench/run, which builds first and gives it a private session bus."""
import argparse
import glob
import os
import re
import subprocess
import sys
import tempfile
import time

from desktop import Desktop, Threads

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
BUILD = os.path.join(ROOT, "build")
ZELVIK = os.path.join(BUILD, "src", "app", "zelvik")
POINTER_BENCHMARK = os.path.join(BUILD, "tests", "benchmarks", "pointer_benchmark")
RAW_MOTION_FLOOR = os.path.join(BUILD, "tests", "benchmarks", "raw_motion_floor")
SHELF_BENCHMARK = os.path.join(BUILD, "tests", "shelf", "shelf_benchmark")
FOOTPRINT = os.path.join(ROOT, "scripts", "bench-footprint")

rows = []  # (measure, figure, goal, ratio or None, note)


def row(measure, figure, unit, goal, note=""):
    rows.append((measure, "%.3g %s" % (figure, unit), "<= %g %s" % (goal, unit),
                 "%.2f" % (figure / goal), note or ("met" if figure <= goal else "MISSED")))


def idle_and_pointer(idle_seconds, moves, settle_seconds):
    desktop = Desktop()
    try:
        desktop.start_x()
        # A desktop has a sound server; without one the audio output
        # monitor keeps trying to reach it.
        desktop.start_sound()
        zelvik = desktop.start_zelvik(ZELVIK)
        # Start-up work (fonts, QML, bus look-ups) and the thread pool's
        # idle threads, which end 30 s after their last job, are not idling.
        time.sleep(settle_seconds)
        pid = zelvik.pid
        # The least any program pays to hear of a move, measured in the same
        # moves: on a virtual machine a wake-up alone may cost tens of µs.
        floor = desktop.spawn([RAW_MOTION_FLOOR], "raw_motion_floor.log")
        before, t0 = Threads(pid), time.monotonic()
        time.sleep(idle_seconds)
        after, t1 = Threads(pid), time.monotonic()
        elapsed = t1 - t0
        cpu, woken, ended = after.since(before)
        ended_note = ", threads ended: " + " ".join(ended) if ended else ""
        row("idle CPU, closed, nothing playing (%d s)" % idle_seconds,
            cpu / 1e9 / elapsed * 100, "%", 0.1, ("met" if cpu / 1e9 / elapsed <= 0.001
                                                   else "MISSED") + ended_note)
        total = sum(woken.values())
        rows.append(("idle wake-ups (all threads)", "%.2f /s" % (total / elapsed), "none", "",
                     ("met" if total == 0 else "%d in %d s: %s" % (
                         total, elapsed, ", ".join("%s %d" % kv for kv in sorted(woken.items()))))
                     + ended_note))
        idle_rate = cpu / elapsed

        # Moves well away from the notch, like nearly every move of a day:
        # as fast as xte sends them (events that arrive together are read in
        # one wake-up), and paced like a 1000 Hz mouse (one wake-up each).
        for label, count, pause in (("%d xte moves" % moves, moves, ""),
                                    ("%d moves at 1000 Hz" % (moves // 4), moves // 4,
                                     "usleep 1000\n")):
            commands = "".join("mousemove %d %d\n%s" % (100 + i % 1500, 500 + (i * 7) % 400,
                                                         pause)
                               for i in range(count)).encode()
            first, t2 = Threads(pid), time.monotonic()
            floor_first = Threads(floor.pid)
            desktop.run(["xte"], timeout=600, stdin=commands)
            time.sleep(1)  # the last events reach the program
            last, t3 = Threads(pid), time.monotonic()
            floor_cpu, _, _ = Threads(floor.pid).since(floor_first)
            cpu, woken, _ = last.since(first)
            per_move = (cpu - idle_rate * (t3 - t2)) / count / 1000
            floor_per_move = floor_cpu / count / 1000
            row("process CPU per pointer move outside the notch (%s)" % label, per_move, "us",
                2.0, "%s; a bare raw-motion listener: %.3g us; wake-ups over %.1f s: %s" % (
                    "met" if per_move <= 2.0 else "MISSED", floor_per_move, t3 - t2,
                    ", ".join("%s %d" % kv for kv in sorted(woken.items()))))
        if zelvik.poll() is not None:
            raise RuntimeError("Zelvik ended during the measurement: " + desktop.log("zelvik.log"))
    finally:
        desktop.stop()


def instructions_per_move():
    with tempfile.TemporaryDirectory() as folder:
        out = os.path.join(folder, "callgrind.out")
        result = subprocess.run(
            ["valgrind", "--tool=callgrind", "--callgrind-out-file=" + out,
             "--toggle-collect=*runMoves*", POINTER_BENCHMARK],
            stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True,
            env=dict(os.environ, QT_QPA_PLATFORM="offscreen"))
        moves = sum(int(n) for n in re.findall(r": (\d+) moves", result.stdout))
        totals = re.search(r"^(?:summary|totals): (\d+)", open(out).read(), re.M)
        if result.returncode != 0 or not totals or not moves:
            raise RuntimeError("callgrind run failed: " + result.stderr[-1000:])
        # The warm-up's 1000 moves run through the same function.
        row("pointer handler instructions per move (callgrind)",
            int(totals.group(1)) / (moves + 1000), "instr", 20000)


def shelf():
    result = subprocess.run([SHELF_BENCHMARK], stdout=subprocess.PIPE, text=True, check=True)
    for label, measure in (("loadShelf (first read)", "shelf of 10,000: load (first read)"),
                           ("addText", "shelf of 10,000: add"),
                           ("removeEntry", "shelf of 10,000: remove")):
        found = re.search(re.escape(label) + r".*?median\s+([\d.]+) ms\s+worst\s+([\d.]+) ms",
                          result.stdout)
        if not found:
            raise RuntimeError("shelf benchmark said: " + result.stdout)
        median, worst = float(found.group(1)), float(found.group(2))
        row(measure + " (median)", median, "ms", 50,
            ("met" if median <= 50 else "MISSED") + ", slowest %.1f ms" % worst)


def footprint():
    measures = ("resident memory closed vs the floor", "start to first frame vs the floor",
                "longest morph frame, software renderer")
    if not os.access(FOOTPRINT, os.X_OK):
        for measure in measures:
            rows.append((measure, "not measured", "", "", "scripts/bench-footprint missing"))
        return
    # One figure a line: "<program>.<renderer>.<figure> <value>", "-" when
    # not measured; the table for people goes to standard error.
    result = subprocess.run([FOOTPRINT, "--runs", "3", "--renderers", "software,default"],
                            stdout=subprocess.PIPE, text=True)
    figures = {}
    for line in result.stdout.splitlines():
        name, _, value = line.partition(" ")
        try:
            figures[name] = float(value)
        except ValueError:
            pass
    if result.returncode != 0 or not figures:
        raise RuntimeError("scripts/bench-footprint ended with %d" % result.returncode)
    for measure, name, unit, goal in zip(
            measures, ("zelvik.default.rss_x_floor", "zelvik.default.start_x_floor",
                       "zelvik.software.morph_longest_frame_ms"), ("x", "x", "ms"),
            (1.3, 1.3, 16.7)):
        if name in figures:
            row(measure, figures[name], unit, goal)
        else:
            rows.append((measure, "not measured", "", "", name + " missing"))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--idle-seconds", type=int, default=60)
    parser.add_argument("--moves", type=int, default=20000)
    parser.add_argument("--settle-seconds", type=int, default=40)
    args = parser.parse_args()
    failures = []
    for step in (lambda: idle_and_pointer(args.idle_seconds, args.moves, args.settle_seconds),
                 instructions_per_move, shelf, footprint):
        try:
            step()
        except (RuntimeError, OSError, subprocess.SubprocessError) as error:
            failures.append(str(error))
    widths = [max(len(str(r[i])) for r in rows + [("measure", "figure", "goal", "ratio",
                                                    "")]) for i in range(5)]
    line = "  ".join("%-*s" % (w, h) for w, h in zip(widths, ("measure", "figure", "goal",
                                                              "ratio", "")))
    print(line.rstrip())
    print("-" * len(line.rstrip()))
    for r in rows:
        print("  ".join("%-*s" % (w, c) for w, c in zip(widths, r)).rstrip())
    for failure in failures:
        print("could not measure: " + failure, file=sys.stderr)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
