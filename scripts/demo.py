#!/usr/bin/env python3
"""Zelvik's tour on a virtual desktop: Xvfb with picom, a private sound
server, mpv playing a generated song (with title, artist and cover) through
its MPRIS plugin, and Zelvik driven with the pointer and keys as a user
would. Each state is photographed and the pictures are put on one contact
sheet.

Usage: demo.py BUILD_DIR OUTPUT_PNG [--keep FOLDER]
Run inside a private session bus (scripts/demo does).
"""
import argparse
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests",
                                "support"))
from desktop_kit import private_env, wait_for  # noqa: E402

SCREEN_W, SCREEN_H = 1920, 1080
CENTER_X = SCREEN_W // 2
# What is cut out of each screenshot: the notch window's width, the height
# the open panel needs, and a little of the desktop round it.
CROP = (700, 250, CENTER_X - 350, 0)
OPEN_W = 560
OPEN_LEFT = CENTER_X - OPEN_W // 2
TAB_CENTRES = {name: (OPEN_LEFT + 14 + 36 * i + 16, 12)
               for i, name in enumerate(("music", "shelf", "focus"))}

TOOLS = ("Xvfb", "picom", "hsetroot", "xwininfo", "xdotool", "xte", "import", "convert",
         "montage", "mpv", "pulseaudio", "pactl", "playerctl", "sox")


class Desktop:
    def __init__(self, root):
        self.root = root
        self.procs = []
        self.env = private_env(root, ("QT_QUICK_BACKEND", "QSG_RHI_BACKEND", "QT_LOGGING_RULES"))
        self.env["PULSE_SERVER"] = "unix:%s/pulse/native" % self.env["XDG_RUNTIME_DIR"]

    def spawn(self, argv, logname, **kwargs):
        log = open(os.path.join(self.root, logname), "wb")
        proc = subprocess.Popen(argv, env=self.env, stdout=kwargs.pop("stdout", log),
                                stderr=log, **kwargs)
        self.procs.append(proc)
        return proc

    def run(self, argv):
        return subprocess.run(argv, env=self.env, timeout=30, stdout=subprocess.PIPE,
                              stderr=subprocess.PIPE)

    def start(self):
        xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", "1", "-noreset", "-screen", "0",
             "%dx%dx24" % (SCREEN_W, SCREEN_H), "-nolisten", "tcp"],
            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        self.procs.append(xvfb)
        number = xvfb.stdout.readline().decode().strip()
        if not number:
            raise RuntimeError("Xvfb did not start")
        self.env["DISPLAY"] = ":" + number
        self.run(["hsetroot", "-solid", "#3366cc"])
        self.spawn(["picom", "--backend", "xrender", "--config", "/dev/null"], "picom.log")
        if not wait_for(lambda: b'"picom"' in self.run(["xwininfo", "-root", "-tree"]).stdout,
                        10):
            raise RuntimeError("picom did not start")
        # A sound server of our own with one speaker that plays into nothing.
        script = os.path.join(self.root, "demo.pa")
        with open(script, "w") as f:
            f.write("load-module module-native-protocol-unix auth-anonymous=1 socket=%s/pulse/"
                    "native\n" % self.env["XDG_RUNTIME_DIR"])
            f.write("load-module module-null-sink sink_name=speakers sink_properties="
                    "\"device.description='Speakers'\"\n")
        os.makedirs(os.path.join(self.env["XDG_RUNTIME_DIR"], "pulse"), exist_ok=True)
        self.spawn(["pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1",
                    "--system=false", "--use-pid-file=no", "-F", script], "pulse.log")
        if not wait_for(lambda: self.run(["pactl", "info"]).returncode == 0, 10):
            raise RuntimeError("the sound server did not start")

    def stop(self):
        for proc in reversed(self.procs):
            if proc.poll() is None:
                proc.terminate()
                try:
                    proc.wait(5)
                except subprocess.TimeoutExpired:
                    proc.kill()
                    proc.wait()
        self.procs = []

    def write_settings(self, **values):
        folder = os.path.join(self.env["XDG_CONFIG_HOME"], "Zelvik")
        os.makedirs(folder, exist_ok=True)
        with open(os.path.join(folder, "Zelvik.conf"), "w") as f:
            f.write("[General]\n")
            for key, value in values.items():
                f.write("%s=%s\n" % (key, value))

    # xte moves the pointer as a device does (xdotool only warps it).
    def move(self, x, y):
        self.run(["xte", "mousemove %d %d" % (x, y)])

    def click(self, x, y):
        self.move(x, y)
        time.sleep(0.1)
        self.run(["xdotool", "click", "1"])

    def key(self, combo):
        self.run(["xdotool", "key", combo])

    def notch_pixels(self):
        """How many pixels of the top centre are near black: the notch's size."""
        data = self.run(["import", "-window", "root", "-crop", "700x260+%d+0" % (CENTER_X - 350),
                         "-depth", "8", "gray:-"]).stdout
        return sum(1 for value in data if value < 24)


def make_song(folder):
    """Two short songs with tags and a cover beside them (mpv's MPRIS plugin
    offers a cover.png in the folder as the artwork)."""
    os.makedirs(folder, exist_ok=True)
    songs = []
    for name, title, artist, notes in (
            ("one.ogg", "Clair de lune", "Claude Debussy", ("pluck 523", "pluck 659")),
            ("two.ogg", "Gymnopedie No. 1", "Erik Satie", ("pluck 440", "pluck 554"))):
        path = os.path.join(folder, name)
        subprocess.run(["sox", "-n", "--comment", "TITLE=" + title, "--add-comment",
                        "ARTIST=" + artist, path, "synth", "120"] + list(
                            " ".join(notes).split()) + ["tremolo", "2", "40", "vol", "0.3"],
                       check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        songs.append(path)
    subprocess.run(["convert", "-size", "512x512", "gradient:#ff9a3c-#7b1fa2",
                    "(", "-size", "512x512", "xc:none", "-fill", "#ffffff66", "-draw",
                    "circle 256,256 256,120", ")", "-composite",
                    os.path.join(folder, "cover.png")], check=True)
    return songs


class Tour:
    def __init__(self, desktop, build, shots):
        self.desktop = desktop
        self.build = build
        self.shots = shots
        self.pictures = []
        self.zelvik = None

    def start_zelvik(self):
        self.zelvik = self.desktop.spawn([os.path.join(self.build, "src", "app", "zelvik")],
                                         "zelvik.log")
        if not wait_for(lambda: self.desktop.notch_pixels() > 3000, 30, 0.2):
            raise RuntimeError("Zelvik did not show its notch")

    def stop_zelvik(self):
        self.zelvik.send_signal(signal.SIGTERM)
        self.zelvik.wait(10)

    def settle(self, seconds=1.2):
        # Long enough for every spring and fade of the notch to come to rest.
        time.sleep(seconds)

    def shoot(self, name, label):
        path = os.path.join(self.shots, "%02d-%s.png" % (len(self.pictures) + 1, name))
        width, height, left, top = CROP
        self.desktop.run(["import", "-window", "root", "-crop",
                          "%dx%d+%d+%d" % (width, height, left, top), "+repage", path])
        self.pictures.append((path, label))
        print("shot %s" % path, flush=True)

    def open_tab(self, tab):
        x, y = TAB_CENTRES[tab]
        self.desktop.click(x, y)
        self.rest_pointer()
        self.settle(0.8)

    def close(self):
        self.desktop.move(CENTER_X, 700)
        self.desktop.key("super+alt+n")
        self.settle()

    def run(self, songs, shelf_file):
        d = self.desktop
        d.write_settings(hoverDelay=800, closeDelay=300)
        d.move(CENTER_X, 700)
        self.start_zelvik()
        self.settle()
        self.shoot("closed", "Closed")
        # The pointer on the capsule: it grows a little, waiting to open.
        d.move(CENTER_X - 20, 10)
        d.move(CENTER_X, 8)
        time.sleep(0.5)
        self.shoot("peek", "Peek")
        d.move(CENTER_X, 700)
        self.settle()

        # A song starts: its notice, then the wings while it plays.
        mpv = d.spawn(["mpv", "--no-config", "--script=/usr/lib/mpv-mpris/mpris.so",
                       "--ao=pulse", "--no-video", "--no-terminal"] + songs, "mpv.log")
        time.sleep(1.0)
        self.shoot("song-notice", "Song notice")
        time.sleep(4.5)
        self.shoot("music-wings", "Music wings")

        d.key("super+alt+n")
        self.settle()
        self.open_tab("music")
        time.sleep(1.0)
        self.shoot("music", "Music tab")

        # A file dropped on the notch from another program lands on the shelf.
        source = d.spawn([os.path.join(self.build, "tests", "desktop", "drag_source"),
                          "--offer", "copy", "--propose", "copy", "--geometry",
                          "100,800,200,200", shelf_file], "drag.log")
        time.sleep(1.5)
        d.move(140, 900)
        d.run(["xdotool", "mousedown", "1"])
        for step in range(1, 6):
            d.move(140 + step * 8, 900 - step * 8)
            time.sleep(0.05)
        for i in range(1, 11):
            d.move(180 + (CENTER_X - 180) * i // 10, 860 + (12 - 860) * i // 10)
            time.sleep(0.05)
        for i in range(8):
            d.move(CENTER_X + (i % 2) * 2, 12)
            time.sleep(0.1)
        self.shoot("shelf-drop", "Dropping a file")
        d.run(["xdotool", "mouseup", "1"])
        time.sleep(1.5)
        source.terminate()
        self.shoot("shelf", "Shelf tab")

        self.open_tab("focus")
        self.shoot("focus", "Focus tab")
        # Start a session: the big button under the ring's row.
        d.run(["playerctl", "pause"])
        self.click_focus_start()
        self.settle()
        self.close()
        d.move(CENTER_X, 700)
        time.sleep(1.5)
        self.shoot("focus-wings", "Focus wings")

        # Turkish.
        self.stop_zelvik()
        mpv.terminate()
        mpv.wait(5)
        d.write_settings(hoverDelay=800, closeDelay=300, appLanguage="tr")
        self.start_zelvik()
        d.spawn(["mpv", "--no-config", "--script=/usr/lib/mpv-mpris/mpris.so", "--ao=pulse",
                 "--no-video", "--no-terminal"] + songs[1:], "mpv2.log")
        time.sleep(5)
        d.key("super+alt+n")
        self.settle()
        self.open_tab("music")
        time.sleep(1.0)
        self.shoot("music-tr", "Music tab, Turkish")
        self.open_tab("focus")
        self.shoot("focus-tr", "Focus tab, Turkish")
        self.stop_zelvik()

    def click_focus_start(self):
        # The start button is the orange patch right of the ring, below the
        # preset chips.
        left, top, width, height = OPEN_LEFT + 200, 120, 300, 40
        data = self.desktop.run(["import", "-window", "root", "-crop",
                                 "%dx%d+%d+%d" % (width, height, left, top), "-depth", "8",
                                 "rgb:-"]).stdout
        points = [(i // 3 % width, i // 3 // width) for i in range(0, len(data) - 2, 3)
                  if data[i] > 220 and 120 < data[i + 1] < 190 and data[i + 2] < 110]
        if not points:
            raise RuntimeError("no start button on the focus tab")
        x = sorted(p[0] for p in points)[len(points) // 2]
        y = sorted(p[1] for p in points)[len(points) // 2]
        self.desktop.click(left + x, top + y)
        self.rest_pointer()

    def rest_pointer(self):
        # Inside the open panel, clear of every button and its tooltip.
        self.desktop.move(OPEN_LEFT + OPEN_W - 20, 175)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("build")
    parser.add_argument("output")
    parser.add_argument("--keep", help="keep the single screenshots in this folder")
    args = parser.parse_args()
    missing = [tool for tool in TOOLS if not shutil.which(tool)]
    if missing:
        sys.exit("missing %s (scripts/install-deps installs them)" % ", ".join(missing))
    for program in ("src/app/zelvik", "tests/desktop/drag_source"):
        if not os.access(os.path.join(args.build, program), os.X_OK):
            sys.exit("missing %s: build with the tests first" % program)

    root = tempfile.mkdtemp(prefix="zelvik-demo-")
    shots = args.keep or os.path.join(root, "shots")
    os.makedirs(shots, exist_ok=True)
    desktop = Desktop(root)
    try:
        desktop.start()
        songs = make_song(os.path.join(root, "home", "Music"))
        document = os.path.join(root, "home", "Notes.txt")
        with open(document, "w") as f:
            f.write("Things to take along\n")
        tour = Tour(desktop, args.build, shots)
        tour.run(songs, document)
        argv = ["montage"]
        for path, label in tour.pictures:
            argv += ["-label", label, path]
        argv += ["-tile", "3x", "-geometry", "+6+6", "-background", "#1e1e1e", "-fill",
                 "#dddddd", "-pointsize", "18", args.output]
        subprocess.run(argv, check=True)
        print("contact sheet %s" % args.output)
    finally:
        desktop.stop()
        if not args.keep:
            shutil.rmtree(root, ignore_errors=True)


if __name__ == "__main__":
    main()
