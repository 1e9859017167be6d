#!/usr/bin/env python3
"""Zelvik on a real X desktop: Xvfb, picom, a private session bus, xdotool
and xte drive the program as a user would, and the notch is measured from
screenshot pixels.

Usage: notch_desktop_test.py ZELVIK CLICK_RECORDER SHOT_DIR [SCENARIO]

SCENARIO "screens" checks the placement on a desktop of two monitors instead;
"drop" drops files from another program onto the notch; "input" clicks with a
left-handed mouse, on the tray icon and in the context menu.
"""
import json
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
import desktop_kit  # noqa: E402
from desktop_kit import check, failures, log, private_env, wait_for  # noqa: E402

ZELVIK, RECORDER, SHOT_DIR = sys.argv[1:4]
SCENARIO = sys.argv[4] if len(sys.argv) > 4 else "single"
# The test programs are built side by side.
DRAG_SOURCE = os.path.join(os.path.dirname(RECORDER), "drag_source")
DROP_TARGET = os.path.join(os.path.dirname(RECORDER), "drop_target")
SCREEN_W, SCREEN_H = 1920, 1080
WINDOW = (580, 0, 760, 300)  # where the 760 x 300 window hangs on this screen
CENTER_X = SCREEN_W // 2
BACKGROUND = desktop_kit.Image.BACKGROUND
HOVER_DELAY_MS = 1500
CLOSE_DELAY_MS = 400

# Outline radii per state (top flare t, bottom corner b) and sizes for the
# 190 x 24 capsule of a screen without panels.
CLOSED = dict(name="closed", width=190, height=24, t=8, b=15)
PEEKING = dict(name="peeking", width=206, height=30, t=8, b=15)
OPEN = dict(name="open", width=560, height=184, t=16, b=38)

procs = []


class Desktop:
    def __init__(self, root):
        self.root = root
        self.env = private_env(root)

    def start(self, width=SCREEN_W, height=SCREEN_H, monitors=()):
        xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", "1", "-noreset", "-screen", "0",
             "%dx%dx24" % (width, height), "-nolisten", "tcp"],
            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        procs.append(xvfb)
        number = xvfb.stdout.readline().decode().strip()
        if not number:
            raise RuntimeError("Xvfb did not start")
        self.env["DISPLAY"] = ":" + number
        # RandR monitors split the one X screen into several displays.
        for name, geometry, output in monitors:
            self.run(["xrandr", "--setmonitor", name, geometry, output])
        self.run(["hsetroot", "-solid", "#3366cc"])
        procs.append(self.spawn(["picom", "--backend", "xrender", "--config", "/dev/null"],
                                "picom.log"))
        if not wait_for(lambda: "\"picom\"" in self.output(["xwininfo", "-root", "-tree"]), 10):
            raise RuntimeError("picom did not start")

    def spawn(self, argv, logname, **kwargs):
        logfile = open(os.path.join(self.root, logname), "wb")
        return subprocess.Popen(argv, env=self.env, stdout=kwargs.pop("stdout", logfile),
                                stderr=logfile, **kwargs)

    def run(self, argv, timeout=20):
        return subprocess.run(argv, env=self.env, timeout=timeout, stdout=subprocess.PIPE,
                              stderr=subprocess.PIPE)

    def output(self, argv):
        return self.run(argv).stdout.decode(errors="replace")

    def write_settings(self, **values):
        folder = os.path.join(self.env["XDG_CONFIG_HOME"], "Zelvik")
        os.makedirs(folder, exist_ok=True)
        with open(os.path.join(folder, "Zelvik.conf"), "w") as f:
            f.write("[General]\n")
            for key, value in values.items():
                f.write("%s=%s\n" % (key, value))

    # Input. xdotool mousemove warps the pointer without raw motion events;
    # xte moves it like a device does.
    def move(self, x, y):
        self.run(["xte", "mousemove %d %d" % (x, y)])

    def click(self, x, y, button=1):
        self.move(x, y)
        self.run(["xdotool", "click", str(button)])

    def key(self, combo):
        self.run(["xdotool", "key", combo])

    def screenshot(self):
        data = self.run(["import", "-window", "root", "-depth", "8", "ppm:-"]).stdout
        return Image(data)

    def save(self, image, name):
        path = os.path.join(SHOT_DIR, name + ".ppm")
        with open(path, "wb") as f:
            f.write(image.raw)
        subprocess.run(["convert", path, os.path.join(SHOT_DIR, name + ".png")])
        os.remove(path)


class Image(desktop_kit.Image):
    def is_notch(self, x, y):
        """Part of the notch: its black, or what the open panel draws on it
        (text, symbols, tiles). The open notch's shadow only darkens the
        background, so a darker shade of the background is not the notch."""
        if self.is_black(x, y):
            return True
        r, g, b = self.pixel(x, y)
        shade = b / BACKGROUND[2]
        return not (abs(r - BACKGROUND[0] * shade) <= 12 and abs(g - BACKGROUND[1] * shade) <= 12)

    def column_height(self, x=CENTER_X):
        """Rows of the notch from the top edge down, at column x. The top two
        rows may carry the drop-target stroke along the top edge."""
        if not self.is_notch(x, 2):
            return 0
        h = 2
        while h < self.height and self.is_notch(x, h):
            h += 1
        return h

    def run_width(self, y, cx=CENTER_X):
        """Length of the notch's run through column cx on row y."""
        if not self.is_notch(cx, y):
            return 0
        left = right = cx
        while left > 0 and self.is_notch(left - 1, y):
            left -= 1
        while right < self.width - 1 and self.is_notch(right + 1, y):
            right += 1
        return right - left + 1

    def body_width(self, state, cx=CENTER_X):
        """Width of the outline's body: below the top flares, above the
        rounded bottom corners."""
        rows = range(state["t"] + 1, max(state["t"] + 2, state["height"] - state["b"]))
        return max(self.run_width(y, cx) for y in rows)

    def matches(self, state, cx=CENTER_X):
        return (abs(self.column_height(cx) - state["height"]) <= 1
                and abs(self.body_width(state, cx) - state["width"]) <= 4)

    def painted_outside(self, left, top, right, bottom):
        """Pixels of the window area that are not background and lie outside
        the given rectangle."""
        wx, wy, ww, wh = WINDOW
        count = 0
        for y in range(wy, wy + wh):
            for x in range(wx, wx + ww):
                if left <= x < right and top <= y < bottom:
                    continue
                if not self.is_background(x, y):
                    count += 1
        return count

    def state_name(self):
        for state in (CLOSED, PEEKING, OPEN):
            if self.matches(state):
                return state["name"]
        return "other"


class Zelvik:
    def __init__(self, desktop, logname):
        self.desktop = desktop
        self.proc = desktop.spawn([ZELVIK], logname)
        procs.append(self.proc)
        self.logname = logname

    def wait_shown(self):
        return wait_for(lambda: self.proc.poll() is None and
                        self.desktop.screenshot().matches(CLOSED), 20, 0.2)

    def stop(self):
        if self.proc.poll() is None:
            self.proc.send_signal(signal.SIGTERM)
            try:
                self.proc.wait(10)
            except subprocess.TimeoutExpired:
                self.proc.kill()
                self.proc.wait()
        return self.proc.returncode


def wait_state(desktop, state, timeout=10, cx=CENTER_X):
    """The first screenshot showing state (checked twice to skip a spring
    passing through), or None."""
    def settled():
        shot = desktop.screenshot()
        if shot.matches(state, cx):
            again = desktop.screenshot()
            if again.matches(state, cx):
                return again
        return None
    return wait_for(settled, timeout, 0.02)


def stays(desktop, state, seconds):
    """True when every screenshot for the given time shows state."""
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        if not desktop.screenshot().matches(state):
            return False
        time.sleep(0.1)
    return True


def screens_scenario(desktop):
    """Two monitors side by side, the right one lower: the notch hangs from
    the top of the monitor under the pointer while closed."""
    desktop.start(3200, 1080, [("LEFT", "1920/508x1080/286+0+0", "screen"),
                               ("RIGHT", "1280/338x800/211+1920+0", "none")])
    desktop.write_settings(displayMode="mouse", hoverDelay=HOVER_DELAY_MS,
                           closeDelay=CLOSE_DELAY_MS)
    app = Zelvik(desktop, "zelvik.log")
    left_centre, right_centre = 960, 1920 + 640
    desktop.move(500, 500)
    check(wait_state(desktop, CLOSED, 20, left_centre) is not None,
          "the capsule starts on the monitor under the pointer")
    # Two moves: the first may only reach the pointer monitor once it runs.
    desktop.move(2500, 400)
    desktop.move(2510, 410)
    shot = wait_state(desktop, CLOSED, 10, right_centre)
    check(shot is not None, "moving the pointer to the other monitor moves the capsule there")
    if shot is not None:
        desktop.save(shot, "second-monitor")
        check(not shot.is_black(left_centre, 5), "and it left the first monitor")
    # It works where it now stands, and follows the pointer back once closed.
    desktop.move(right_centre, 5)
    check(wait_state(desktop, PEEKING, 10, right_centre) is not None,
          "it peeks on the second monitor")
    # The first move closes the peeking notch; only a later one, read
    # apart from it (moves read together count as one), moves the closed
    # notch to the pointer's monitor.
    for x in (500, 510, 520):
        desktop.move(x, x)
        time.sleep(0.1)
    check(wait_state(desktop, CLOSED, 10, left_centre) is not None,
          "back on the first monitor once closed")
    check(app.stop() == 0, "zelvik quits cleanly")


class DragSource:
    """Another program dragging files out, as a file manager does: it offers
    some actions, proposes one, and deletes its files when told "move"."""

    def __init__(self, desktop, files, offer="copy,move", propose="move"):
        self.desktop = desktop
        self.lines = []
        self.proc = desktop.spawn([DRAG_SOURCE, "--offer", offer, "--propose", propose,
                                   "--geometry", "100,800,200,200"] + files,
                                  "drag-source.log", stdout=subprocess.PIPE)
        procs.append(self.proc)
        os.set_blocking(self.proc.stdout.fileno(), False)
        if not wait_for(lambda: "ready" in self.read(), 10) or not wait_for(
                lambda: desktop.run(["xdotool", "search", "--onlyvisible", "--name",
                                     "DragSource"]).returncode == 0, 10):
            raise RuntimeError("the drag source did not show")

    def read(self):
        data = self.proc.stdout.read() or b""
        self.lines.extend(data.decode().splitlines())
        return self.lines

    def drop_on(self, x, y, before_release=None):
        """Drags from the source window to (x, y) and drops there; returns the
        action the source was told, or None."""
        self.desktop.move(140, 900)
        self.desktop.run(["xdotool", "mousedown", "1"])
        for step in range(1, 6):
            self.desktop.move(140 + step * 8, 900 - step * 8)
            time.sleep(0.05)
        if not wait_for(lambda: "drag started" in self.read(), 5):
            self.desktop.run(["xdotool", "mouseup", "1"])
            return None
        # In steps, as a hand moves: the target sees enter and move events.
        for i in range(1, 11):
            self.desktop.move(180 + (x - 180) * i // 10, 860 + (y - 860) * i // 10)
            time.sleep(0.05)
        # A hand never stops dead: the source looks for the window under the
        # pointer at each move, and the notch window only takes input once
        # it has seen the pointer in its zone.
        for i in range(6):
            self.desktop.move(x + (i % 2) * 2, y)
            time.sleep(0.1)
        if before_release:
            before_release()
        self.desktop.run(["xdotool", "mouseup", "1"])
        told = wait_for(lambda: [l for l in self.read() if l.startswith("action ")], 10)
        wait_for(lambda: "finished" in self.read(), 40)
        self.proc.terminate()
        self.proc.wait(5)
        return told[-1].split()[1] if told else None


def shelf_entries(desktop):
    path = os.path.join(desktop.env["XDG_DATA_HOME"], "Zelvik", "Shelf", "shelf.json")
    try:
        with open(path) as f:
            return json.load(f)
    except (OSError, ValueError):
        return []


# Where the open notch (regular size, 24-point capsule) draws its header
# buttons and its first tile on this screen: x from, x to, y from, y to.
OPEN_LEFT = CENTER_X - OPEN["width"] // 2
TAB_RECTS = {name: (OPEN_LEFT + 14 + 36 * i, OPEN_LEFT + 14 + 36 * i + 32, 1, 23)
             for i, name in enumerate(("music", "shelf", "focus"))}
TRASH_RECT = (OPEN_LEFT + OPEN["width"] - 14 - 52, OPEN_LEFT + OPEN["width"] - 14 - 28, 0, 24)
FIRST_TILE = (OPEN_LEFT + 26, OPEN_LEFT + 26 + 84, 52, 144)
# Inside the first tile, clear of the empty shelf's dashed edge: where a
# file's symbol is drawn in the shelf's light blue.
FIRST_TILE_ICON = (OPEN_LEFT + 26 + 12, OPEN_LEFT + 26 + 72, 56, 110)
# Panel colours as drawn: the shelf's light blue, the focus orange.
LIGHT_BLUE = (92, 214, 245)
ORANGE = (255, 161, 66)


def count_pixels(shot, rect, test):
    x0, x1, y0, y1 = rect
    return sum(1 for y in range(y0, y1) for x in range(x0, x1) if test(shot.pixel(x, y)))


def near_colour(colour, tolerance=40):
    return lambda p: all(abs(a - b) <= tolerance for a, b in zip(p, colour))


def is_light(p):
    return min(p) > 170


def tile_ink(shot):
    """Pixels of a file's light-blue symbol in the first tile."""
    return count_pixels(shot, FIRST_TILE_ICON, near_colour(LIGHT_BLUE, 45))


def selected_tab(shot):
    """The tab whose symbol is drawn in its own colour (the others are grey)."""
    colours = {"shelf": LIGHT_BLUE, "focus": ORANGE, "music": (255, 97, 143)}
    lit = [name for name, rect in TAB_RECTS.items()
           if count_pixels(shot, rect, near_colour(colours[name], 50)) > 12]
    return lit[0] if len(lit) == 1 else ",".join(lit) or None


def drop_stroke(shot):
    """Pixels of the light-blue drop stroke along the open outline's left
    side (at 0.7 over black or over the desktop)."""
    return sum(1 for y in range(60, 140, 4) for x in range(OPEN_LEFT - 4, OPEN_LEFT + 5)
               if shot.pixel(x, y)[1] > 125 and shot.pixel(x, y)[0] < 110
               and shot.pixel(x, y)[2] > 150)


def drop_scenario(desktop):
    """Files dragged from another program that offers copy or move and
    proposes move: the shelf keeps them and the source keeps its files. The
    tile it makes is dragged out again to another program, and a tab button
    is clicked."""
    desktop.start()
    desktop.env["QT_LOGGING_RULES"] = "zelvik.notch.header.debug=true"
    source_dir = os.path.join(desktop.root, "home", "Documents")
    os.makedirs(source_dir)
    original = os.path.join(source_dir, "report.txt")
    with open(original, "w") as f:
        f.write("quarterly numbers\n")

    desktop.write_settings(shelfCopyFiles="true")
    app = Zelvik(desktop, "zelvik.log")
    if not check(app.wait_shown(), "the closed capsule appears"):
        raise RuntimeError("zelvik did not show its notch")
    source = DragSource(desktop, [original])

    def targeted():
        shot = wait_state(desktop, OPEN, 10)
        check(shot is not None, "a file dragged onto the capsule opens the notch")
        # The drop target switches to the shelf and strokes the outline.
        shot = wait_for(lambda: (lambda s: s if selected_tab(s) == "shelf" and drop_stroke(s) > 5
                                 else None)(desktop.screenshot()), 5, 0.1)
        shot = shot or desktop.screenshot()
        desktop.save(shot, "drop-targeted")
        check(selected_tab(shot) == "shelf",
              "while the file is over it the shelf tab is selected (%s)" % selected_tab(shot))
        check(drop_stroke(shot) > 5,
              "and the outline is stroked in light blue (%d pixels)" % drop_stroke(shot))
    told = source.drop_on(CENTER_X, 12, targeted)
    check(told == "copy", "the source is told the file was copied (told %s)" % told)
    entries = wait_for(lambda: shelf_entries(desktop), 10)
    check(len(entries) == 1 and entries[0].get("title") == "report.txt"
          and "fileName" in entries[0] and "externalPath" not in entries[0],
          "the shelf holds one copied entry for the file (%s)" % entries)
    copy = None
    if entries and "fileName" in entries[0]:
        copy = os.path.join(desktop.env["XDG_DATA_HOME"], "Zelvik", "Shelf", "Files",
                            entries[0]["fileName"])
        check(os.path.isfile(copy) and open(copy).read() == "quarterly numbers\n",
              "the copy in the shelf's files has the file's content")
    check(os.path.isfile(original) and open(original).read() == "quarterly numbers\n",
          "the source's original is untouched")

    # The shelf shows the new tile (and the trash button that comes with
    # one); the stroke is gone with the drag.
    def tile_shown():
        shot = desktop.screenshot()
        return shot if (shot.matches(OPEN) and tile_ink(shot) > 40
                        and count_pixels(shot, TRASH_RECT, is_light) > 10) else None
    shot = wait_for(tile_shown, 10, 0.1)
    if shot is None:
        last = desktop.screenshot()
        desktop.save(last, "drop-tile-missing")
        log("open: %s, tile pixels %d, trash pixels %d" % (
            last.matches(OPEN), tile_ink(last),
            count_pixels(last, TRASH_RECT, is_light)))
    if check(shot is not None, "the dropped file shows as a tile on the open shelf"):
        desktop.save(shot, "drop-tile")
        check(drop_stroke(shot) == 0, "the drop stroke is gone after the drop (%d pixels)"
              % drop_stroke(shot))
        drag_tile_out(desktop, copy)
    tab_click_once(desktop)

    # A folder with a FIFO in it: the FIFO would block its copy forever, and
    # quitting would wait for that copy. The folder arrives without it.
    project = os.path.join(source_dir, "project")
    os.makedirs(project)
    with open(os.path.join(project, "notes.txt"), "w") as f:
        f.write("notes\n")
    os.mkfifo(os.path.join(project, "pipe"))
    desktop.move(CENTER_X, 700)
    check(wait_state(desktop, CLOSED) is not None, "the notch closes before the next drop")
    told = DragSource(desktop, [project]).drop_on(CENTER_X, 12)
    check(told == "copy", "the folder is reported as copied (told %s)" % told)
    entries = wait_for(lambda: [e for e in shelf_entries(desktop) if e["title"] == "project"],
                       10)
    files = os.path.join(desktop.env["XDG_DATA_HOME"], "Zelvik", "Shelf", "Files")
    if check(len(entries) == 1, "the folder is on the shelf (%s)" % entries):
        copied = os.path.join(files, entries[0]["fileName"])
        check(sorted(os.listdir(copied)) == ["notes.txt"],
              "its copy holds the file and not the FIFO (%s)" % os.listdir(copied))
    check(app.stop() == 0, "zelvik quits cleanly")
    check(not [n for n in os.listdir(files) if n.startswith(".")],
          "no partial copy is left in the shelf's files")

    # Kept by reference, with a source that also offers links: a link.
    shelf_file = os.path.join(desktop.env["XDG_DATA_HOME"], "Zelvik", "Shelf", "shelf.json")
    if os.path.exists(shelf_file):
        os.remove(shelf_file)
    desktop.write_settings(shelfCopyFiles="false")
    app = Zelvik(desktop, "zelvik-reference.log")
    check(app.wait_shown(), "zelvik starts again keeping files by reference")
    source = DragSource(desktop, [original], offer="copy,move,link")
    told = source.drop_on(CENTER_X, 12)
    check(told == "link", "a file kept by reference is reported as linked (told %s)" % told)
    entries = wait_for(lambda: shelf_entries(desktop), 10)
    check(len(entries) == 1 and entries[0].get("externalPath") == original,
          "the shelf references the file where it is (%s)" % entries)
    check(os.path.isfile(original), "and the original stays")
    check(app.stop() == 0, "zelvik quits cleanly")


def drag_tile_out(desktop, copy):
    """Pulls the first tile out of the open shelf onto another program's
    window: it receives the URL of the shelf's copy of the file."""
    target = desktop.spawn([DROP_TARGET, "--geometry", "1500,700,300,250"], "drop-target.log",
                           stdout=subprocess.PIPE)
    procs.append(target)
    os.set_blocking(target.stdout.fileno(), False)
    lines = []

    def read():
        data = target.stdout.read() or b""
        lines.extend(data.decode().splitlines())
        return lines
    if not check(wait_for(lambda: "ready" in read(), 10) and wait_for(
            lambda: desktop.run(["xdotool", "search", "--onlyvisible", "--name",
                                 "DropTarget"]).returncode == 0, 10),
                 "the drop target window shows"):
        return
    x0, x1, y0, y1 = FIRST_TILE
    start = ((x0 + x1) // 2, y0 + 30)
    desktop.move(*start)
    time.sleep(0.3)
    desktop.run(["xdotool", "mousedown", "1"])
    # Out of the tile in small steps, then across to the target.
    for step in range(1, 6):
        desktop.move(start[0] + step * 4, start[1] + step * 4)
        time.sleep(0.05)
    time.sleep(0.3)
    shot = desktop.screenshot()
    desktop.save(shot, "tile-dragged")
    check(drop_stroke(shot) == 0, "the notch does not take its own tile as a drop (%d pixels)"
          % drop_stroke(shot))
    end = (1650, 825)
    for i in range(1, 16):
        desktop.move(start[0] + 20 + (end[0] - start[0] - 20) * i // 15,
                     start[1] + 20 + (end[1] - start[1] - 20) * i // 15)
        time.sleep(0.05)
    for i in range(6):
        desktop.move(end[0] + (i % 2) * 2, end[1])
        time.sleep(0.1)
    desktop.run(["xdotool", "mouseup", "1"])
    urls = wait_for(lambda: [l[4:] for l in read() if l.startswith("url ")], 10)
    expected = "file://" + copy if copy else None
    check(urls == [expected], "the tile dragged out delivers the file's URL (%s, expected %s)"
          % (urls or read(), expected))
    target.terminate()
    target.wait(5)


def tab_click_once(desktop):
    """A click on a tab button switches the tab, and runs the action once
    although both the button and the window's pointer monitor see it."""
    desktop.move(CENTER_X, 700)
    wait_state(desktop, CLOSED)
    desktop.key("super+alt+n")
    if not check(wait_state(desktop, OPEN) is not None, "the hot key opens the notch"):
        return
    before = open(os.path.join(desktop.root, "zelvik.log"), errors="replace").read()
    x0, x1, y0, y1 = TAB_RECTS["focus"]
    desktop.click((x0 + x1) // 2, (y0 + y1) // 2)
    shot = wait_for(lambda: (lambda s: s if selected_tab(s) == "focus" else None)(
        desktop.screenshot()), 5, 0.1)
    if shot is not None:
        desktop.save(shot, "tab-clicked")
    check(shot is not None, "a click on the focus tab selects it")
    time.sleep(1.0)
    log = open(os.path.join(desktop.root, "zelvik.log"), errors="replace").read()[len(before):]
    runs = log.count('header action "tab.focus" runs')
    repeats = log.count('header action "tab.focus" repeated, ignored')
    check(runs == 1 and repeats >= 1,
          "the click reached the button and the pointer monitor and ran once "
          "(%d runs, %d repeats)" % (runs, repeats))


def light_rows(shot, left, right, top, bottom):
    """Groups of consecutive rows with light (text) pixels between the
    columns; each group as (first row, last row)."""
    groups = []
    for y in range(top, bottom):
        if any(min(shot.pixel(x, y)) > 170 for x in range(left, right)):
            if groups and groups[-1][1] == y - 1:
                groups[-1][1] = y
            else:
                groups.append([y, y])
    return groups


def input_scenario(desktop):
    """Input the user gives the notch through other ways than the notch
    itself: a left-handed mouse, the context menu beyond the zone, the tray
    icon."""
    desktop.start()
    recorder = desktop.spawn([RECORDER], "recorder.log", stdout=subprocess.PIPE)
    procs.append(recorder)
    os.set_blocking(recorder.stdout.fileno(), False)
    presses = []

    def recorded_presses():
        data = recorder.stdout.read() or b""
        presses.extend(l for l in data.decode().splitlines() if l.startswith("press"))
        return presses
    if not wait_for(lambda: desktop.run(["xdotool", "search", "--onlyvisible", "--name",
                                         "ClickRecorder"]).returncode == 0, 10):
        raise RuntimeError("the click recorder did not show")
    # An XEmbed tray at the bottom right, where the tray icon goes.
    tray = desktop.spawn(["trayer", "--edge", "bottom", "--align", "right", "--widthtype",
                          "pixel", "--width", "40", "--heighttype", "pixel", "--height", "32",
                          "--SetDockType", "false", "--SetPartialStrut", "false"], "trayer.log")
    procs.append(tray)
    desktop.write_settings(hoverDelay=HOVER_DELAY_MS, closeDelay=CLOSE_DELAY_MS,
                           openOnHover="false")
    app = Zelvik(desktop, "zelvik.log")
    if not check(app.wait_shown(), "the closed capsule appears"):
        raise RuntimeError("zelvik did not show its notch")

    # Left-handed: physical button 1 is the logical right button.
    desktop.run(["xmodmap", "-e", "pointer = 3 2 1"])
    desktop.move(300, 800)
    def closed_again():
        """Closes the notch with the hot key if a failed step left it open."""
        if wait_state(desktop, CLOSED, 1) is None:
            desktop.key("super+alt+n")
            wait_state(desktop, CLOSED)
    for physical, logical, closes in (("3", "left", True), ("1", "right", False)):
        closed_again()
        desktop.key("super+alt+n")
        check(wait_state(desktop, OPEN) is not None, "the hot key opens the notch")
        desktop.run(["xdotool", "click", physical])
        if closes:
            check(wait_state(desktop, CLOSED) is not None,
                  "a left-handed %s click outside closes it" % logical)
        else:
            check(stays(desktop, OPEN, 1.0),
                  "a left-handed %s click outside leaves it open" % logical)
    desktop.run(["xmodmap", "-e", "pointer = 1 2 3"])
    closed_again()

    # Clicking the tray icon with the notch open: the tray menu opens and the
    # notch stays open (it says "Close the notch").
    desktop.key("super+alt+n")
    check(wait_state(desktop, OPEN) is not None, "the hot key opens the notch again")
    desktop.click(SCREEN_W - 20, SCREEN_H - 16)
    time.sleep(1.0)
    shot = desktop.screenshot()
    desktop.save(shot, "tray-menu")
    check(shot.matches(OPEN), "a click on the tray icon leaves the notch open")
    desktop.key("Escape")
    desktop.move(300, 800)
    desktop.click(300, 800)
    check(wait_state(desktop, CLOSED) is not None, "a click elsewhere closes it")

    # Without open-on-hover the notch only peeks; its context menu reaches
    # below the zone, and its last entry, "Quit Zelvik", still takes the click.
    desktop.move(CENTER_X, 10)
    check(wait_state(desktop, PEEKING) is not None, "the pointer makes the capsule peek")
    desktop.run(["xdotool", "click", "3"])
    menu = wait_for(lambda: light_rows(desktop.screenshot(), CENTER_X + 10, CENTER_X + 160,
                                       12, 300), 5, 0.1)
    shot = desktop.screenshot()
    desktop.save(shot, "peek-context-menu")
    check(len(menu) >= 2, "a right-click shows the context menu (%s)" % menu)
    if len(menu) >= 2:
        quit_y = (menu[-1][0] + menu[-1][1]) // 2
        del presses[:]
        recorded_presses()
        del presses[:]
        desktop.move(CENTER_X + 40, quit_y)
        time.sleep(0.3)
        desktop.run(["xdotool", "click", "1"])
        check(wait_for(lambda: app.proc.poll() is not None, 10),
              "clicking Quit Zelvik at y %d quits" % quit_y)
        check(not recorded_presses(), "and the click does not reach the window beneath (%s)"
              % presses)
    app.stop()


def single_scenario(desktop):
    """One 1920 x 1080 screen with a window below the notch."""
    desktop.start()

    recorder_output = []

    def recorder_lines():
        data = recorder.stdout.read() or b""
        recorder_output.extend(data.decode().splitlines())
        return recorder_output

    def recorded_presses():
        lines = recorder_lines()
        presses = [line for line in lines if line.startswith("press")]
        recorder_output.clear()
        return presses

    desktop.write_settings(hoverDelay=HOVER_DELAY_MS, closeDelay=CLOSE_DELAY_MS)
    app = Zelvik(desktop, "zelvik.log")
    shown = app.wait_shown()
    if not check(shown, "the closed capsule appears"):
        raise RuntimeError("zelvik did not show its notch")

    # A window mapped later (here with no window manager, on top of the
    # stack) must not cover the notch.
    recorder = desktop.spawn([RECORDER], "recorder.log", stdout=subprocess.PIPE)
    procs.append(recorder)
    os.set_blocking(recorder.stdout.fileno(), False)
    if not wait_for(lambda: desktop.run(["xdotool", "search", "--onlyvisible", "--name",
                                         "ClickRecorder"]).returncode == 0, 10):
        raise RuntimeError("the click recorder did not show")
    shot = wait_state(desktop, CLOSED)
    check(shot is not None, "the notch stays above a window mapped after it")
    desktop.move(100, 700)
    recorded_presses()

    # The closed capsule: 190 wide, at least 24 high, centred, alone.
    shot = desktop.screenshot()
    desktop.save(shot, "closed")
    height = shot.column_height(CENTER_X)
    check(abs(shot.body_width(CLOSED) - 190) <= 2,
          "capsule body is 190 wide (measured %d)" % shot.body_width(CLOSED))
    check(height >= 24, "capsule is at least 24 high (measured %d)" % height)
    left = next(x for x in range(WINDOW[0], CENTER_X) if shot.is_black(x, 12))
    right = next(x for x in range(WINDOW[0] + WINDOW[2] - 1, CENTER_X, -1)
                 if shot.is_black(x, 12))
    check(abs((left + right + 1) / 2 - CENTER_X) <= 1,
          "capsule is centred (%d..%d)" % (left, right))
    outside = shot.painted_outside(CENTER_X - 95 - 9, 0, CENTER_X + 95 + 9, height + 1)
    check(outside == 0, "nothing else of the window is painted (%d pixels)" % outside)

    # A click outside the zone while closed reaches the window below,
    # also where the notch window covers the screen.
    desktop.click(CENTER_X + 300, 150)
    presses = wait_for(recorded_presses, 5)
    check(presses and presses[-1] == "press 1 %d 150" % (CENTER_X + 300),
          "a click beside the closed notch goes through (%s)" % presses)

    # Hover: peeking at once, open after the hover delay.
    start = time.monotonic()
    desktop.move(CENTER_X, 10)
    peek = wait_state(desktop, PEEKING, 10)
    peek_at = time.monotonic() - start
    check(peek is not None, "the pointer on the capsule makes it peek (%.2f s)" % peek_at)
    if peek is not None:
        desktop.save(peek, "peeking")
    opened = wait_state(desktop, OPEN, 10)
    open_at = time.monotonic() - start
    check(opened is not None and open_at >= HOVER_DELAY_MS / 1000,
          "it opens after the hover delay (%.2f s)" % open_at)
    if opened is not None:
        desktop.save(opened, "open")

    # Pointer away: closed after the close delay.
    start = time.monotonic()
    desktop.move(CENTER_X, 700)
    closed = wait_state(desktop, CLOSED, 10)
    closed_at = time.monotonic() - start
    check(closed is not None and closed_at >= CLOSE_DELAY_MS / 1000,
          "leaving closes it after the close delay (%.2f s)" % closed_at)

    # The hot key opens and closes it.
    desktop.key("super+alt+n")
    check(wait_state(desktop, OPEN) is not None, "Alt+Super+N opens the notch")
    desktop.key("super+alt+n")
    check(wait_state(desktop, CLOSED) is not None, "Alt+Super+N closes it again")

    # A click outside the open notch closes it at once.
    desktop.key("super+alt+n")
    check(wait_state(desktop, OPEN) is not None, "opened for the outside click")
    recorded_presses()
    desktop.click(300, 800)
    check(wait_state(desktop, CLOSED) is not None, "a click outside closes the open notch")
    check(wait_for(recorded_presses, 3), "that click still reaches the window below")

    # A second start toggles the first one and leaves.
    second = desktop.run([ZELVIK], timeout=30)
    check(second.returncode == 0, "a second zelvik exits with 0 (%d)" % second.returncode)
    check(wait_state(desktop, OPEN) is not None, "the second start opened the notch")
    second = desktop.run([ZELVIK], timeout=30)
    check(second.returncode == 0 and wait_state(desktop, CLOSED) is not None,
          "a third start closes it again")
    check(app.proc.poll() is None, "the first zelvik keeps running")

    # A click on the capsule opens it and takes the keyboard focus; Escape
    # closes it, and the focus goes back to the window that had it.
    recorder_id = desktop.output(["xdotool", "search", "--name", "ClickRecorder"]).split()[0]
    desktop.run(["xdotool", "windowfocus", "--sync", recorder_id])

    def focus():
        return desktop.output(["xdotool", "getwindowfocus"]).strip()
    desktop.click(CENTER_X, 10)
    check(wait_state(desktop, OPEN) is not None, "a click on the capsule opens it")
    notch_focus = wait_for(lambda: focus() not in ("", recorder_id) and focus(), 3)
    check(notch_focus, "the click gave the notch the keyboard focus (%s)" % notch_focus)
    desktop.key("Escape")
    closed_at = time.monotonic()
    check(wait_state(desktop, CLOSED) is not None, "Escape closes the focused notch")
    returned = wait_for(lambda: focus() == recorder_id, 5)
    check(returned and time.monotonic() - closed_at >= 0.3,
          "the focus returns to the previous window after closing (%.2f s)"
          % (time.monotonic() - closed_at))
    desktop.move(CENTER_X, 700)

    # Right-click on the open notch shows the context menu; while it is
    # up, Escape closes the menu first and only then the notch.
    desktop.move(CENTER_X, 10)
    check(wait_state(desktop, OPEN) is not None, "hovering opens the notch again")
    desktop.run(["xdotool", "click", "3"])

    def menu_shown():
        # The menu's light text where it opens, right of and below the
        # pointer: the open notch's header is empty there.
        shot = desktop.screenshot()
        return any(min(shot.pixel(x, y)) > 150
                   for y in range(14, 40) for x in range(CENTER_X + 5, CENTER_X + 170, 2))
    shown = wait_for(menu_shown, 5, 0.1)
    desktop.save(desktop.screenshot(), "context-menu")
    check(shown, "a right-click on the notch shows the context menu")
    desktop.key("Escape")
    check(wait_for(lambda: not menu_shown(), 5, 0.1), "Escape closes the context menu")
    check(wait_state(desktop, OPEN) is not None, "and leaves the notch open")
    desktop.key("Escape")
    check(wait_state(desktop, CLOSED) is not None, "a second Escape closes the notch")
    desktop.move(CENTER_X, 700)

    # With the hot key setting off, Alt+Super+N does nothing.
    check(app.stop() == 0, "zelvik quits cleanly on SIGTERM")
    desktop.write_settings(hoverDelay=HOVER_DELAY_MS, closeDelay=CLOSE_DELAY_MS,
                           hotKeyEnabled="false", openOnHover="false")
    app = Zelvik(desktop, "zelvik-nohotkey.log")
    check(app.wait_shown(), "zelvik starts again with the hot key off")
    desktop.key("super+alt+n")
    check(stays(desktop, CLOSED, 1.0), "Alt+Super+N does nothing with the hot key off")

    # Without open-on-hover the pointer only makes the notch peek, but a
    # drag-and-drop from another program that enters the zone opens it.
    desktop.move(CENTER_X, 10)
    check(wait_state(desktop, PEEKING) is not None and stays(desktop, PEEKING, 1.0),
          "with open-on-hover off the pointer only peeks")
    desktop.move(CENTER_X, 700)
    check(wait_state(desktop, CLOSED) is not None, "and leaving closes it")
    recorded_presses()
    desktop.run(["xdotool", "mousedown", "1"])
    for y in (690, 670, 640, 600):
        desktop.move(CENTER_X + 200, y)
        time.sleep(0.05)
    started = wait_for(lambda: "drag started" in recorder_lines(), 5)
    check(started, "the recorder started a drag")
    # Into the zone beside the capsule, where no part of the window's
    # drop area is: only the pointer monitor can see this drag.
    for y in (400, 200, 60, 30):
        desktop.move(CENTER_X + 110, y)
        time.sleep(0.05)
    check(wait_state(desktop, OPEN) is not None, "a drag entering the zone opens the notch")
    desktop.move(CENTER_X, 700)
    desktop.run(["xdotool", "mouseup", "1"])
    check(wait_state(desktop, CLOSED) is not None, "the notch closes once the drag leaves")

    # A panel that reserves 40 pixels along the top makes the capsule as
    # high as that menu bar.
    desktop.run(["xprop", "-root", "-f", "_NET_WORKAREA", "32c", "-set", "_NET_WORKAREA",
                 "0, 40, %d, %d" % (SCREEN_W, SCREEN_H - 40)])
    tall = dict(CLOSED, height=40)
    shot = wait_state(desktop, tall)
    check(shot is not None, "the capsule follows the panel's reserved height (40)")
    if shot is not None:
        desktop.save(shot, "closed-under-panel")
    app.stop()


# Programs the suite drives, with the Debian package of each.
TOOLS = {"Xvfb": "xvfb", "picom": "picom", "hsetroot": "hsetroot", "xdotool": "xdotool",
         "xte": "xautomation", "import": "imagemagick", "convert": "imagemagick",
         "xwininfo": "x11-utils", "xprop": "x11-utils", "xrandr": "x11-xserver-utils",
         "xmodmap": "x11-xserver-utils", "trayer": "trayer"}
SKIP = 77


def main():
    missing = sorted({package for tool, package in TOOLS.items() if not shutil.which(tool)})
    if missing:
        log("SKIP: the test desktop needs these packages: " + " ".join(missing))
        return SKIP
    os.makedirs(SHOT_DIR, exist_ok=True)
    root = tempfile.mkdtemp(prefix="zelvik-desktop-")
    desktop = Desktop(root)
    try:
        if SCENARIO == "screens":
            screens_scenario(desktop)
        elif SCENARIO == "drop":
            drop_scenario(desktop)
        elif SCENARIO == "input":
            input_scenario(desktop)
        else:
            single_scenario(desktop)
    except RuntimeError as error:
        check(False, str(error))
    finally:
        for proc in reversed(procs):
            if proc.poll() is None:
                proc.terminate()
                try:
                    proc.wait(5)
                except subprocess.TimeoutExpired:
                    proc.kill()
    return finish(root)


def finish(root):
    if failures:
        for name in ("zelvik.log", "zelvik-nohotkey.log", "zelvik-reference.log",
                     "drag-source.log", "trayer.log", "picom.log"):
            path = os.path.join(root, name)
            if os.path.exists(path):
                log("--- " + name)
                log(open(path, errors="replace").read()[-3000:])
    shutil.rmtree(root, ignore_errors=True)
    if failures:
        log("%d check(s) failed" % len(failures))
        return 1
    log("all checks passed")
    return 0


if __name__ == "__main__":
    try:
        sys.exit(main())
    except RuntimeError as error:  # raised before the desktop existed
        log("FAIL: %s" % error)
        sys.exit(1)
