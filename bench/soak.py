"""Zelvik under a long random session: pointer moves, clicks and drags over
and around the notch, the notch toggled, a player skipping and pausing, and
the sound output switching (each switch a notice), while its resident memory
is sampled. Started by bench/soak."""
import argparse
import os
import random
import shutil
import subprocess
import sys
import time

from desktop import Desktop, SCREEN, resident_kib

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
ZELVIK = os.path.join(ROOT, "build", "src", "app", "zelvik")
NOTCH = (580, 0, 760, 300)  # the window's rectangle: capsule, open panel


def spot(near_notch):
    if near_notch:
        x, y, w, h = NOTCH
        return random.randint(x, x + w - 1), random.randint(y, y + h - 1)
    return random.randint(0, SCREEN[0] - 1), random.randint(0, SCREEN[1] - 1)


KINDS = ("moves", "clicks", "drags", "toggles", "player", "sound")
# Each kind's share of the actions.
WEIGHTS = (45, 15, 10, 8, 12, 10)


def act(desktop, counts, kinds):
    kind = random.choices(kinds, [WEIGHTS[KINDS.index(k)] for k in kinds])[0]
    near = random.random() < 0.5
    if kind == "moves":
        # A short path of moves, like a hand.
        x, y = spot(near)
        commands = "".join("mousemove %d %d\n" % (
            min(max(x + random.randint(-40, 40), 0), SCREEN[0] - 1),
            min(max(y + random.randint(-40, 40), 0), SCREEN[1] - 1))
            for _ in range(random.randint(5, 60)))
        desktop.run(["xte"], stdin=commands.encode())
        counts["moves"] += 1
    elif kind == "clicks":
        x, y = spot(near)
        desktop.move(x, y)
        desktop.run(["xdotool", "click", "1"])  # never 3: the menu has Quit
        counts["clicks"] += 1
    elif kind == "drags":
        x, y = spot(False)
        tx, ty = spot(True)
        desktop.move(x, y)
        desktop.run(["xdotool", "mousedown", "1"])
        desktop.run(["xte"] + ["mousemove %d %d" % (x + (tx - x) * i // 10, y + (ty - y) * i // 10)
                               for i in range(1, 11)])
        desktop.run(["xdotool", "mouseup", "1"])
        counts["drags"] += 1
    elif kind == "toggles":
        desktop.run([ZELVIK, "--toggle"])
        counts["toggles"] += 1
    elif kind == "player":
        desktop.run(["playerctl", random.choice(["next", "previous", "play-pause", "play"])])
        counts["player"] += 1
    else:
        desktop.run(["pactl", "set-default-sink", random.choice(desktop.sinks)])
        counts["sound"] += 1


def warm_up(desktop):
    """Shows every part the random actions reach once: the open notch with
    each tab and each tab button's tooltip, the settings window (a click on
    the header's gear opens it), a song change and a sound output change, so
    that what is loaded on first use is not counted as growth."""
    centre = SCREEN[0] // 2
    desktop.run([ZELVIK, "--settings"])
    time.sleep(3)
    desktop.run(["xdotool", "key", "ctrl+w"])
    desktop.run([ZELVIK, "--toggle"])
    time.sleep(1.5)
    for x in (centre - 214, centre - 178, centre - 250):  # shelf, focus, music
        desktop.move(x, 12)
        time.sleep(1.0)  # the tooltip shows after 0.7 s
        desktop.run(["xdotool", "click", "1"])
        time.sleep(0.8)
    desktop.run([ZELVIK, "--toggle"])
    desktop.run(["playerctl", "next"])
    desktop.run(["pactl", "set-default-sink", desktop.sinks[1]])
    desktop.move(100, 800)
    time.sleep(3)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--seconds", type=int, default=3600)
    parser.add_argument("--sample-every", type=int, default=30)
    parser.add_argument("--seed", type=int, default=13)
    parser.add_argument("--only", default=",".join(KINDS),
                        help="comma-separated kinds of action: " + " ".join(KINDS))
    args = parser.parse_args()
    random.seed(args.seed)
    desktop = Desktop()
    kinds = [k for k in args.only.split(",") if k in KINDS]
    counts = dict.fromkeys(kinds, 0)
    samples = []
    try:
        desktop.start_x()
        desktop.start_sound()
        desktop.start_player()
        zelvik = desktop.start_zelvik(ZELVIK)
        warm_up(desktop)
        start = time.monotonic()
        next_sample = start
        print("   time   resident", flush=True)
        while True:
            now = time.monotonic()
            if now >= next_sample:
                if zelvik.poll() is not None:
                    break
                samples.append((now - start, resident_kib(zelvik.pid)))
                print("%6d s  %6d KiB" % samples[-1], flush=True)
                next_sample += args.sample_every
            if now - start >= args.seconds:
                break
            try:
                act(desktop, counts, kinds)
            except subprocess.TimeoutExpired as hung:
                # Most likely Zelvik did not answer: what its threads were
                # doing tells why.
                print("HUNG: %s did not end within %d s" % (" ".join(hung.cmd), hung.timeout))
                if shutil.which("gdb"):
                    print(subprocess.run(["gdb", "-p", str(zelvik.pid), "-batch", "-ex",
                                          "thread apply all bt 30"], stdout=subprocess.PIPE,
                                         stderr=subprocess.STDOUT).stdout.decode(errors="replace"))
                print(desktop.log("zelvik.log")[-4000:])
                return 1
            time.sleep(random.uniform(0.05, 0.4))
        alive = zelvik.poll() is None
        print("actions: " + ", ".join("%d %s" % (n, what) for what, n in counts.items()))
        if not alive:
            print("Zelvik ENDED with %s after %.0f s:\n%s" % (
                zelvik.returncode, time.monotonic() - start, desktop.log("zelvik.log")))
            return 1
        # Growth from the first sample after warming up (the first minute
        # loads fonts, QML and pictures once) to the end; and over the
        # second half alone, where a leak keeps growing and settling has
        # long ended.
        settled = [(t, kib) for t, kib in samples if t >= 60] or samples
        first, last = settled[0][1], settled[-1][1]
        peak = max(kib for _, kib in settled)
        half = next(kib for t, kib in settled if t >= settled[-1][0] / 2)
        print("resident memory: %d KiB after the first minute, %d KiB at half time, %d KiB at "
              "the end, peak %d KiB; growth %.1f %% (goal under 5 %%), %.1f %% over the second "
              "half" % (first, half, last, peak, (last - first) * 100.0 / first,
                        (last - half) * 100.0 / half))
        return 0
    finally:
        desktop.stop()


if __name__ == "__main__":
    sys.exit(main())
