#!/usr/bin/env python3
"""Zelvik's footprint against the floor (notch_floor: a Qt Quick window that
draws only the black capsule), side by side on a virtual desktop (Xvfb with
picom), with each Qt Quick renderer:

- resident memory (VmRSS, and PSS) once the program has been closed and
  idle for a few seconds,
- start to first frame: from just before the program is started to the
  moment its first frame is handed to the screen,
- for Zelvik, the open and close morph: the longest a frame took to make
  (from the start of its synchronisation to its hand-over), the longest
  time between two frames while the outline moves, and how long the first
  frame of a morph takes to follow the state change.

Usage: footprint.py BUILD_DIR [--runs N] [--json FILE] [--renderers LIST]
Run it inside a private session bus (scripts/bench-footprint does).

Standard output holds one figure per line, "<name> <value>", the name made
of program, renderer and figure joined by dots, for example
    zelvik.default.rss_mb 58.2
    zelvik.default.rss_x_floor 1.67
    zelvik.software.morph_longest_frame_ms 9.1
A figure that could not be measured has the value "-". A table for people
goes to standard error; --json FILE also writes every figure as JSON.
"""
import argparse
import json
import os
import re
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from desktop_kit import private_env  # noqa: E402

SCREEN = (1920, 1080)
# Toggles of the notch measured per run, each followed by this long a rest.
MORPHS = 6
REST_S = 1.5
IDLE_S = 4.0
# Frames further apart than this end a morph.
MORPH_GAP_NS = 250_000_000

RENDERERS = {
    "software": {"QT_QUICK_BACKEND": "software"},
    "opengl": {"QSG_RHI_BACKEND": "opengl"},
    # Whatever the program picks by itself.
    "default": {},
}


class Desktop:
    def __init__(self, root):
        self.root = root
        self.procs = []
        self.env = private_env(root, ("QT_QUICK_BACKEND", "QSG_RHI_BACKEND", "QT_LOGGING_RULES"))

    def start(self):
        xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", "1", "-noreset", "-screen", "0",
             "%dx%dx24" % SCREEN, "-nolisten", "tcp"],
            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        self.procs.append(xvfb)
        number = xvfb.stdout.readline().decode().strip()
        if not number:
            raise RuntimeError("Xvfb did not start")
        self.env["DISPLAY"] = ":" + number
        subprocess.run(["hsetroot", "-solid", "#3366cc"], env=self.env,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        picom = subprocess.Popen(["picom", "--backend", "xrender", "--config", "/dev/null"],
                                 env=self.env, stdout=subprocess.DEVNULL,
                                 stderr=subprocess.DEVNULL)
        self.procs.append(picom)
        deadline = time.monotonic() + 10
        while time.monotonic() < deadline:
            tree = subprocess.run(["xwininfo", "-root", "-tree"], env=self.env,
                                  stdout=subprocess.PIPE, stderr=subprocess.DEVNULL).stdout
            if b'"picom"' in tree:
                return
            time.sleep(0.05)
        raise RuntimeError("picom did not start")

    def stop(self):
        for proc in reversed(self.procs):
            if proc.poll() is None:
                proc.terminate()
                try:
                    proc.wait(5)
                except subprocess.TimeoutExpired:
                    proc.kill()


def memory_mb(pid):
    """Resident and proportional set size in MB."""
    rss = pss = None
    with open("/proc/%d/status" % pid) as f:
        for line in f:
            if line.startswith("VmRSS:"):
                rss = int(line.split()[1]) / 1024
    try:
        with open("/proc/%d/smaps_rollup" % pid) as f:
            for line in f:
                if line.startswith("Pss:"):
                    pss = int(line.split()[1]) / 1024
    except OSError:
        pass
    return rss, pss


class Run:
    """One start of a program, with its output read as it comes."""

    FIRST = re.compile(r"first-frame (\d+)")
    FRAME = re.compile(r"zelvik\.frames: frame (\d+) (\d+)")
    STATUS = re.compile(r"zelvik\.frames: status (\w+) (\d+)")

    def __init__(self, desktop, argv, env):
        self.lines = []
        fd, self.path = tempfile.mkstemp(prefix="run-", suffix=".log", dir=desktop.root)
        os.close(fd)
        # Appending, and read through a file of its own: the program's
        # writes and the reads never share an offset.
        log = open(self.path, "ab")
        self.started_ns = time.monotonic_ns()
        self.proc = subprocess.Popen(argv, env=env, stdout=log, stderr=subprocess.STDOUT)
        log.close()

    def read(self):
        with open(self.path, "rb") as f:
            self.lines = f.read().decode(errors="replace").splitlines()
        return self.lines

    def first_frame_ns(self, timeout=30):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            for line in self.read():
                match = self.FIRST.search(line)
                if match:
                    return int(match.group(1))
            if self.proc.poll() is not None:
                break
            time.sleep(0.01)
        raise RuntimeError("no first frame from %s:\n%s" % (self.proc.args[0],
                                                            "\n".join(self.read()[-20:])))

    def stop(self):
        if self.proc.poll() is None:
            self.proc.send_signal(signal.SIGTERM)
            try:
                self.proc.wait(10)
            except subprocess.TimeoutExpired:
                self.proc.kill()
                self.proc.wait()
        os.remove(self.path)


def morphs(lines):
    """Each morph: its state, response ms, frame intervals and frame work (ms)."""
    events = []
    for line in lines:
        match = Run.STATUS.search(line)
        if match:
            events.append((int(match.group(2)), "status", match.group(1)))
            continue
        match = Run.FRAME.search(line)
        if match:
            events.append((int(match.group(1)), "frame", int(match.group(2))))
    events.sort()
    result = []
    current = None
    last_frame = None
    for stamp, kind, value in events:
        if kind == "status":
            state = value
            # Peeking on the way is part of the same morph.
            if current is None or state in ("open", "closed"):
                current = {"state": state, "at": stamp, "response": None, "intervals": [],
                           "work": []}
                result.append(current)
            last_frame = None
            continue
        if current is None:
            continue
        if last_frame is None:
            if current["response"] is None:
                current["response"] = (stamp - current["at"]) / 1e6
        elif stamp - last_frame < MORPH_GAP_NS:
            current["intervals"].append((stamp - last_frame) / 1e6)
        else:
            current = None
            last_frame = stamp
            continue
        current["work"].append(value / 1e6)
        last_frame = stamp
    return [m for m in result if m["response"] is not None]


def measure(desktop, program, renderer, runs, morph):
    env = dict(desktop.env)
    env.update(RENDERERS[renderer])
    env["QT_LOGGING_RULES"] = ("zelvik.frames.info=true;zelvik.frames.debug=true" if morph
                               else "zelvik.frames.info=true")
    record = {"program": os.path.basename(program), "renderer": renderer,
              "start_ms": [], "rss_mb": [], "pss_mb": []}
    responses, intervals, work = [], [], []
    for _ in range(runs):
        run = Run(desktop, [program], env)
        try:
            first = run.first_frame_ns()
            record["start_ms"].append((first - run.started_ns) / 1e6)
            time.sleep(IDLE_S)
            rss, pss = memory_mb(run.proc.pid)
            record["rss_mb"].append(rss)
            record["pss_mb"].append(pss)
            if morph:
                for _ in range(MORPHS):
                    subprocess.run(["dbus-send", "--session", "--type=method_call",
                                    "--dest=org.zelvik.Zelvik", "/org/zelvik/Zelvik",
                                    "org.zelvik.Zelvik.Toggle"],
                                   env=env, check=False)
                    time.sleep(REST_S)
                for m in morphs(run.read()):
                    responses.append(m["response"])
                    intervals.extend(m["intervals"])
                    work.extend(m["work"])
        finally:
            run.stop()
    summary = {
        "program": record["program"],
        "renderer": renderer,
        "runs": runs,
        "rss_mb": round(statistics.median(record["rss_mb"]), 1),
        "pss_mb": round(statistics.median(record["pss_mb"]), 1)
        if all(p is not None for p in record["pss_mb"]) else None,
        "start_ms": round(statistics.median(record["start_ms"]), 1),
        "start_ms_all": [round(s, 1) for s in record["start_ms"]],
    }
    if morph:
        intervals.sort()
        work.sort()

        def percentile(values, p):
            return round(values[int(p * (len(values) - 1))], 1) if values else None

        summary.update({
            "morph_frames": len(work),
            "morph_longest_frame_ms": round(work[-1], 1) if work else None,
            "morph_p95_frame_ms": percentile(work, 0.95),
            "morph_frames_over_16_7ms": sum(1 for w in work if w > 16.7),
            "morph_longest_gap_ms": round(intervals[-1], 1) if intervals else None,
            "morph_p95_gap_ms": percentile(intervals, 0.95),
            "morph_first_frame_ms": round(max(responses), 1) if responses else None,
        })
    return summary


FIGURES = ("rss_mb", "pss_mb", "start_ms", "rss_x_floor", "start_x_floor", "morph_frames",
           "morph_longest_frame_ms", "morph_p95_frame_ms", "morph_frames_over_16_7ms",
           "morph_longest_gap_ms", "morph_p95_gap_ms", "morph_first_frame_ms")


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("build", help="the build folder")
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--json", help="also write the figures to this file")
    parser.add_argument("--renderers", default="software,opengl,default")
    args = parser.parse_args()
    floor = os.path.join(args.build, "tests", "benchmarks", "notch_floor")
    zelvik = os.path.join(args.build, "src", "app", "zelvik")
    for path in (floor, zelvik):
        if not os.access(path, os.X_OK):
            sys.exit("missing %s: build first" % path)
    for tool in ("Xvfb", "picom", "hsetroot", "xwininfo", "dbus-send"):
        if not shutil.which(tool):
            sys.exit("missing %s (scripts/install-deps installs it)" % tool)

    root = tempfile.mkdtemp(prefix="zelvik-footprint-")
    desktop = Desktop(root)
    results = []
    try:
        desktop.start()
        for renderer in args.renderers.split(","):
            if renderer != "default":
                results.append(measure(desktop, floor, renderer, args.runs, False))
            results.append(measure(desktop, zelvik, renderer, args.runs, True))
    finally:
        desktop.stop()
        shutil.rmtree(root, ignore_errors=True)

    floors = [r for r in results if r["program"] == "notch_floor"]
    leanest_rss = min(r["rss_mb"] for r in floors) if floors else None
    leanest_start = min(r["start_ms"] for r in floors) if floors else None
    for r in results:
        r["rss_x_floor"] = round(r["rss_mb"] / leanest_rss, 2) if leanest_rss else None
        r["start_x_floor"] = round(r["start_ms"] / leanest_start, 2) if leanest_start else None

    def shown(value):
        return "-" if value is None else str(value)

    print("%-12s %-9s %7s %7s %8s %7s %7s %9s %8s" % (
        "program", "renderer", "RSS MB", "PSS MB", "start ms", "xRSS", "xstart",
        "frame ms", "gap ms"), file=sys.stderr)
    for r in results:
        print("%-12s %-9s %7s %7s %8s %7s %7s %9s %8s" % (
            r["program"], r["renderer"], shown(r["rss_mb"]), shown(r["pss_mb"]),
            shown(r["start_ms"]), shown(r["rss_x_floor"]), shown(r["start_x_floor"]),
            shown(r.get("morph_longest_frame_ms")), shown(r.get("morph_longest_gap_ms"))),
            file=sys.stderr)
    for r in results:
        for figure in FIGURES:
            if figure in r:
                print("%s.%s.%s %s" % (r["program"], r["renderer"], figure, shown(r[figure])))
    print("floor.leanest.rss_mb %s" % shown(leanest_rss))
    print("floor.leanest.start_ms %s" % shown(leanest_start))
    if args.json:
        with open(args.json, "w") as f:
            json.dump({"leanest_floor_rss_mb": leanest_rss,
                       "leanest_floor_start_ms": leanest_start, "results": results}, f,
                      indent=2)


if __name__ == "__main__":
    main()
