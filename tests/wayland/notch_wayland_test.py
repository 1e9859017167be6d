#!/usr/bin/env python3
"""Zelvik in a Wayland session: a headless sway (1920 x 1080, pixman renderer)
with XWayland, started by this test as an unprivileged user (sway refuses to
run as root; the user is created when the test runs as root). A virtual
pointer and keyboard of our own drive it, native Wayland windows (Qt on the
wayland platform) lie under the notch, and the notch is measured from grim
screenshots and from its X window's geometry.

Usage: notch_wayland_test.py ZELVIK WAYLAND_INPUT CLICK_RECORDER DRAG_SOURCE SHOT_DIR
"""
import glob
import json
import os
import pwd
import shutil
import signal
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
import desktop_kit  # noqa: E402
from desktop_kit import check, failures, log, wait_for  # noqa: E402

ZELVIK, INPUT, RECORDER, DRAG_SOURCE, SHOT_DIR = sys.argv[1:6]
TEST_USER = "zelvik-test"
SCREEN_W, SCREEN_H = 1920, 1080
CENTER_X = SCREEN_W // 2
HOVER_DELAY_MS = 1500
CLOSE_DELAY_MS = 400
# The 760 x 300 window the notch hangs in, and its interaction zone while
# closed (the 190 x 24 capsule widened by 40 and heightened by 10).
FULL_WINDOW = (580, 0, 760, 300)
CLOSED_ZONE = (CENTER_X - 115, 0, 230, 34)
# Where the pointer rests to hover: inside the closed zone, right of the
# outline in every state but the open one, so the cursor (drawn into the
# screenshots) never covers the closed or peeking outline.
HOVER_AT = (1072, 5)
AWAY = (300, 800)

CLOSED = dict(name="closed", width=190, height=24, t=8, b=15)
PEEKING = dict(name="peeking", width=206, height=30, t=8, b=15)
OPEN = dict(name="open", width=560, height=184, t=16, b=38)


class Image(desktop_kit.Image):
    # The outline is measured from its left side only: it is symmetric about
    # the middle, its contents (texts, icons) lie inside its black edge, and
    # the cursor, which grim draws into the screenshots, is kept to the right
    # of the middle.
    def left_edge(self, y):
        """The outline's leftmost pixel on row y (scanning in from the left
        of the notch window), or None."""
        for x in range(FULL_WINDOW[0], CENTER_X):
            if self.is_black(x, y):
                return x
        return None

    def right_edge(self, y):
        for x in range(FULL_WINDOW[0] + FULL_WINDOW[2] - 1, CENTER_X, -1):
            if self.is_black(x, y):
                return x
        return None

    def outline_height(self):
        """Rows of outline from the top edge down. The top two rows may carry
        the drop highlight's stroke along the top edge."""
        if self.left_edge(2) is None:
            return 0
        h = 2
        while h < FULL_WINDOW[3] and self.left_edge(h) is not None:
            h += 1
        return h

    def body_width(self, state):
        """Width of the outline's body: below the top flares, above the
        rounded bottom corners."""
        rows = range(state["t"] + 1, max(state["t"] + 2, state["height"] - state["b"]))
        edges = [self.left_edge(y) for y in rows]
        widths = [2 * (CENTER_X - e) for e in edges if e is not None]
        return max(widths) if widths else 0

    def matches(self, state):
        return (abs(self.outline_height() - state["height"]) <= 1
                and abs(self.body_width(state) - state["width"]) <= 4)

    def painted_outside(self, left, top, right, bottom):
        """Pixels of the full window's area that are not background and lie
        outside the given rectangle."""
        wx, wy, ww, wh = FULL_WINDOW
        return sum(1 for y in range(wy, wy + wh) for x in range(wx, wx + ww)
                   if not (left <= x < right and top <= y < bottom)
                   and not self.is_background(x, y))


class Session:
    """sway, XWayland, a session bus and our input devices, as one user."""

    def __init__(self, root):
        self.root = root
        self.procs = []
        if os.geteuid() == 0:
            self.uid, self.gid = self.test_user()
        else:
            self.uid, self.gid = os.getuid(), os.getgid()
        self.dirs = {}
        for name in ("home", "config", "data", "cache", "runtime", "bin", "logs"):
            path = os.path.join(root, name)
            os.makedirs(path, mode=0o700)
            os.chown(path, self.uid, self.gid)
            self.dirs[name] = path
        # The programs are copied where the user can run them: the build
        # folder may lie where only root can reach.
        self.bin = {}
        for name, path in (("zelvik", ZELVIK), ("input", INPUT), ("recorder", RECORDER),
                           ("drag_source", DRAG_SOURCE)):
            copy = os.path.join(self.dirs["bin"], os.path.basename(path))
            shutil.copy2(path, copy)
            os.chown(copy, self.uid, self.gid)
            self.bin[name] = copy
        self.env = {
            "HOME": self.dirs["home"], "PATH": "/usr/local/bin:/usr/bin:/bin",
            "XDG_CONFIG_HOME": self.dirs["config"], "XDG_DATA_HOME": self.dirs["data"],
            "XDG_CACHE_HOME": self.dirs["cache"], "XDG_RUNTIME_DIR": self.dirs["runtime"],
            "NO_AT_BRIDGE": "1", "LANG": "C.UTF-8",
        }
        # A sanitized build's options reach the programs it runs.
        self.env.update({name: value for name, value in os.environ.items()
                         if name.endswith("SAN_OPTIONS")})
        self.input_proc = None

    @staticmethod
    def test_user():
        """The unprivileged user the session runs as, created if missing."""
        try:
            entry = pwd.getpwnam(TEST_USER)
        except KeyError:
            subprocess.run(["useradd", "--system", "--user-group", "--no-create-home",
                            "--home-dir", "/nonexistent", "--shell", "/usr/sbin/nologin",
                            TEST_USER], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            # Another run may have made it meanwhile; either way it is there now.
            entry = pwd.getpwnam(TEST_USER)
        return entry.pw_uid, entry.pw_gid

    def command(self, argv, extra=None):
        env = dict(self.env, **(extra or {}))
        prefix = []
        if os.geteuid() == 0:
            prefix = ["setpriv", "--reuid=%d" % self.uid, "--regid=%d" % self.gid,
                      "--init-groups"]
        return prefix + ["env", "-i"] + ["%s=%s" % kv for kv in sorted(env.items())] + argv

    def spawn(self, argv, logname, extra=None, stdout=None, stdin=None):
        logfile = open(os.path.join(self.dirs["logs"], logname), "wb")
        proc = subprocess.Popen(self.command(argv, extra), stdout=stdout or logfile,
                                stderr=logfile, stdin=stdin)
        self.procs.append(proc)
        return proc

    def run(self, argv, extra=None, timeout=30):
        return subprocess.run(self.command(argv, extra), stdout=subprocess.PIPE,
                              stderr=subprocess.PIPE, timeout=timeout)

    def start(self):
        runtime = self.dirs["runtime"]
        bus = self.spawn(["dbus-daemon", "--session", "--nofork", "--nopidfile",
                          "--address=unix:path=%s/bus" % runtime, "--print-address=1"],
                         "dbus.log", stdout=subprocess.PIPE)
        address = bus.stdout.readline().decode().strip()
        if not address:
            raise RuntimeError("the session bus did not start")
        self.env["DBUS_SESSION_BUS_ADDRESS"] = address

        config = os.path.join(self.dirs["home"], "sway.conf")
        with open(config, "w") as f:
            f.write("output HEADLESS-1 resolution %dx%d position 0 0 bg #3366cc solid_color\n"
                    "xwayland enable\n"
                    "default_border none\n"
                    "default_floating_border none\n"
                    # Moving the pointer over a window must not focus it: the
                    # tests watch where the keyboard focus stays.
                    "focus_follows_mouse no\n"
                    "for_window [app_id=\"drag_source\"] floating enable, "
                    "resize set 200 200, move position 100 760\n" % (SCREEN_W, SCREEN_H))
        os.chown(config, self.uid, self.gid)
        started = time.monotonic()
        self.spawn(["sway", "-c", config], "sway.log",
                   extra={"WLR_BACKENDS": "headless", "WLR_RENDERER": "pixman",
                          "WLR_LIBINPUT_NO_DEVICES": "1"})
        sockets = wait_for(lambda: glob.glob(os.path.join(runtime, "sway-ipc.*.sock"))
                           and os.path.exists(os.path.join(runtime, "wayland-1"))
                           and glob.glob(os.path.join(runtime, "sway-ipc.*.sock")), 20)
        if not sockets:
            raise RuntimeError("sway did not start")
        self.env["SWAYSOCK"] = sockets[0]
        self.env["WAYLAND_DISPLAY"] = "wayland-1"
        if not wait_for(lambda: self.run(["swaymsg", "-t", "get_version"]).returncode == 0, 20):
            raise RuntimeError("sway does not answer")
        log("sway answers after %.2f s" % (time.monotonic() - started))
        # XWayland's display is sway's to choose; sway tells its children.
        env_file = os.path.join(self.dirs["home"], "sway-env")
        self.run(["swaymsg", "exec", "env > %s" % env_file])
        display = wait_for(lambda: os.path.exists(env_file) and [
            line.split("=", 1)[1] for line in open(env_file).read().splitlines()
            if line.startswith("DISPLAY=")], 20)
        if not display:
            raise RuntimeError("sway did not say which display XWayland has")
        self.env["DISPLAY"] = display[0]
        log("XWayland display %s" % display[0])

        self.input_proc = self.spawn([self.bin["input"]], "input.log",
                                     stdout=subprocess.PIPE, stdin=subprocess.PIPE)
        if self.input_proc.stdout.readline().decode().strip() != "ready":
            raise RuntimeError("the virtual pointer and keyboard did not come up")

    def input(self, *commands):
        for command in commands:
            self.input_proc.stdin.write((command + "\n").encode())
            self.input_proc.stdin.flush()
            answer = self.input_proc.stdout.readline().decode().strip()
            if answer != "ok":
                raise RuntimeError("input %r: %s" % (command, answer))

    def move(self, x, y):
        self.input("move %d %d" % (x, y))

    def click(self, x, y, button="left"):
        self.input("move %d %d" % (x, y), "click " + button)

    def screenshot(self):
        return Image(self.run(["grim", "-t", "ppm", "-"]).stdout)

    def save(self, image, name):
        path = os.path.join(SHOT_DIR, name + ".ppm")
        with open(path, "wb") as f:
            f.write(image.raw)
        subprocess.run(["convert", path, os.path.join(SHOT_DIR, name + ".png")])
        os.remove(path)

    def notch_geometry(self):
        """The notch's X window as (x, y, width, height), or None."""
        out = self.run(["xwininfo", "-root", "-tree"]).stdout.decode(errors="replace")
        for line in out.splitlines():
            if '"Zelvik": ("zelvik" "Zelvik")' in line:
                size, _, rest = line.split(")")[-1].strip().partition("+")
                w, h = map(int, size.split("x"))
                x, y = map(int, rest.split()[0].split("+"))
                return x, y, w, h
        return None

    def sway_windows(self):
        tree = json.loads(self.run(["swaymsg", "-t", "get_tree"]).stdout or b"{}")
        found = []

        def walk(node):
            if node.get("type") in ("con", "floating_con") and node.get("name"):
                found.append(node)
            for child in node.get("nodes", []) + node.get("floating_nodes", []):
                walk(child)
        walk(tree)
        return found

    def write_settings(self, **values):
        folder = os.path.join(self.dirs["config"], "Zelvik")
        os.makedirs(folder, exist_ok=True)
        with open(os.path.join(folder, "Zelvik.conf"), "w") as f:
            f.write("[General]\n")
            for key, value in values.items():
                f.write("%s=%s\n" % (key, value))
        for path in (folder, os.path.join(folder, "Zelvik.conf")):
            os.chown(path, self.uid, self.gid)

    def log_text(self, name):
        path = os.path.join(self.dirs["logs"], name)
        return open(path, errors="replace").read() if os.path.exists(path) else ""

    def stop(self):
        for proc in reversed(self.procs):
            if proc.poll() is None:
                proc.terminate()
                try:
                    proc.wait(5)
                except subprocess.TimeoutExpired:
                    proc.kill()
                    proc.wait()


class Lines:
    """The lines a helper program prints, read without blocking."""

    def __init__(self, proc):
        self.proc = proc
        self.lines = []
        os.set_blocking(proc.stdout.fileno(), False)

    def read(self):
        data = self.proc.stdout.read() or b""
        self.lines.extend(data.decode(errors="replace").splitlines())
        return self.lines

    def has(self, line):
        return line in self.read()


def wait_state(session, state, timeout=10):
    """The first screenshot showing state (checked twice to skip a spring
    passing through), or None."""
    def settled():
        shot = session.screenshot()
        if shot.matches(state):
            again = session.screenshot()
            if again.matches(state):
                return again
        return None
    return wait_for(settled, timeout, 0.02)


def stays(session, state, seconds):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        if not session.screenshot().matches(state):
            return False
        time.sleep(0.1)
    return True


def morph_frames(session, seconds):
    """Screenshots taken as fast as grim allows for the given time."""
    frames = []
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        frames.append(session.screenshot())
    return frames


def off_centre(frames):
    """Frames whose outline is not centred on the notch: its top rows span
    the whole frame (the flares), so a picture shown at the wrong place or
    cut by the window's edge shows there. (The cursor rests lower down.)"""
    bad = []
    for i, shot in enumerate(frames):
        edges = (shot.left_edge(2), shot.right_edge(2))
        if None in edges:
            bad.append((i, "no outline"))
        elif abs(edges[0] + edges[1] + 1 - 2 * CENTER_X) > 2:
            bad.append((i, edges))
    return bad


def zelvik_toggle(session):
    return session.run([session.bin["zelvik"], "--toggle"]).returncode


def scenario(session):
    session.start()
    session.write_settings(hoverDelay=HOVER_DELAY_MS, closeDelay=CLOSE_DELAY_MS)

    # The application beneath: a native Wayland window over the whole
    # screen, with the keyboard focus.
    recorder = Lines(session.spawn([session.bin["recorder"]], "recorder.log",
                                   extra={"QT_QPA_PLATFORM": "wayland"}, stdout=subprocess.PIPE))
    if not wait_for(lambda: recorder.has("focus in"), 20):
        raise RuntimeError("the native window did not show with the keyboard focus")
    session.move(*AWAY)

    # The pointer events the notch gets and the header actions they run go
    # to its log, shown should a check fail.
    app = session.spawn([session.bin["zelvik"]], "zelvik.log", extra={
        "QT_LOGGING_RULES": "zelvik.notch.header.debug=true;zelvik.pointer.debug=true"})
    if not check(wait_for(lambda: session.notch_geometry() == CLOSED_ZONE, 30, 0.2),
                 "the notch window is the closed interaction zone %s (is %s)"
                 % (CLOSED_ZONE, session.notch_geometry())):
        raise RuntimeError("zelvik did not show its notch")
    shot = wait_state(session, CLOSED, 20)
    if not check(shot is not None, "the closed capsule appears"):
        raise RuntimeError("zelvik did not draw its notch")
    session.save(shot, "closed")
    notices = [line for line in session.log_text("zelvik.log").splitlines()
               if "Wayland session" in line]
    check(len(notices) == 1 and "XWayland" in notices[0] and "zelvik --toggle" in notices[0],
          "zelvik says once on standard error that it runs through XWayland (%s)" % notices)

    # The capsule is at the top centre, and nothing else is drawn.
    body = shot.body_width(CLOSED)
    height = shot.outline_height()
    check(abs(body - 190) <= 2 and abs(height - 24) <= 1,
          "the capsule is 190 x 24 (%d x %d)" % (body, height))
    row = (shot.left_edge(12), shot.right_edge(12))
    check(None not in row and abs(row[0] + row[1] + 1 - 2 * CENTER_X) <= 1,
          "the capsule is centred (%s)" % (row,))
    outside = shot.painted_outside(CENTER_X - 95 - 9, 0, CENTER_X + 95 + 9, height + 1)
    check(outside == 0, "nothing else of the notch is drawn (%d pixels)" % outside)

    # Showing the notch leaves the keyboard with the native window. (At its
    # start Zelvik shows a one-pixel window that takes the keyboard for an
    # instant, so that XWayland joins the seat and drags from Wayland
    # programs reach the notch; sway gives the keyboard back at once.)
    time.sleep(0.6)
    session.input("key a")
    check(wait_for(lambda: recorder.has("key a"), 5),
          "the native window has the keyboard while the notch shows (%s)" % recorder.read())
    focus_losses = recorder.read().count("focus out")
    check(focus_losses <= 1,
          "it lost the keyboard at most for the instant of Zelvik's start (%s)" % recorder.read())

    def keeps_keyboard():
        return recorder.read().count("focus out") == focus_losses

    # Clicks beside the closed notch, inside the 760 x 300 area, reach the
    # native window beneath.
    for x, y in ((CENTER_X + 300, 150), (CENTER_X + 300, 10), (FULL_WINDOW[0] + 5, 290),
                 (CLOSED_ZONE[0] - 3, 5)):
        session.click(x, y)
        check(wait_for(lambda: recorder.has("press 1 %d %d" % (x, y)), 5),
              "a click at (%d, %d) beside the closed notch reaches the native window" % (x, y))
    session.move(*AWAY)

    # Hover: peeking at once, the window whole before the outline grows;
    # open after the hover delay.
    start = time.monotonic()
    session.move(*HOVER_AT)
    peek = wait_state(session, PEEKING, 10)
    peek_at = time.monotonic() - start
    check(peek is not None, "the pointer on the capsule makes it peek (%.2f s)" % peek_at)
    if peek is not None:
        session.save(peek, "peeking")
    check(session.notch_geometry() == FULL_WINDOW,
          "while peeking the window is the whole %s (is %s)"
          % (FULL_WINDOW, session.notch_geometry()))
    frames = morph_frames(session, 1.0)
    opened = wait_state(session, OPEN, 10)
    open_at = time.monotonic() - start
    check(opened is not None and open_at >= HOVER_DELAY_MS / 1000,
          "it opens after the hover delay (%.2f s)" % open_at)
    if opened is not None:
        session.save(opened, "open")
    bad = off_centre(frames + morph_frames(session, 0.3))
    check(not bad, "every picture of the opening morph is centred and whole (%d pictures, "
          "off: %s)" % (len(frames), bad[:3]))

    # Opening by hover leaves the keyboard with the native window.
    session.input("key b")
    check(wait_for(lambda: recorder.has("key b"), 5) and keeps_keyboard(),
          "the native window keeps the keyboard focus while the notch opens by hover")
    # A click inside the open notch keeps it open; XWayland gives an
    # override-redirect window no keys, so the keyboard stays where it was.
    # (Right of the middle, like every place the cursor rests while the
    # outline is measured.)
    session.click(CENTER_X + 200, 120)
    time.sleep(0.3)
    session.input("key c")
    check(wait_for(lambda: recorder.has("key c"), 5) and keeps_keyboard(),
          "a click in the open notch leaves the keyboard with the native window")
    check(stays(session, OPEN, 0.5), "and the notch stays open")

    # The header's tab buttons work: the focus tab replaces the music tab
    # (whose pink note stands in the middle of the open notch).
    def pink_note(shot):
        return sum(1 for y in range(60, 100) for x in range(CENTER_X - 20, CENTER_X + 20)
                   if shot.pixel(x, y)[0] > 200 and shot.pixel(x, y)[1] < 140)
    shot = session.screenshot()
    check(pink_note(shot) > 20, "the open notch shows the music tab first")
    focus_tab = (CENTER_X - 178, 12)
    # As a hand does: onto the button, then a click.
    session.move(*focus_tab)
    time.sleep(0.2)
    session.click(*focus_tab)
    session.move(*HOVER_AT)
    # (Generous: on a busy machine the first focus view takes its time.)
    start = time.monotonic()
    shown = wait_for(lambda: pink_note(session.screenshot()) == 0, 15)
    check(shown, "a click on the focus tab's button shows the focus tab (%.1f s)"
          % (time.monotonic() - start))
    time.sleep(0.6)  # the tabs cross-fade
    session.save(session.screenshot(), "open-focus-tab" if shown else "open-focus-tab-FAILED")

    # Leaving: closed after the close delay; the window shrinks back to the
    # zone once the outline has stopped moving.
    start = time.monotonic()
    session.move(*AWAY)
    frames = morph_frames(session, 1.2)
    closed = wait_state(session, CLOSED, 10)
    closed_at = time.monotonic() - start
    check(closed is not None and closed_at >= CLOSE_DELAY_MS / 1000,
          "leaving closes it after the close delay (%.2f s)" % closed_at)
    shrunk = wait_for(lambda: session.notch_geometry() == CLOSED_ZONE, 10, 0.05)
    check(shrunk, "the window shrinks back to the zone after closing (%.2f s after leaving)"
          % (time.monotonic() - start))
    bad = off_centre(frames)
    check(not bad, "every picture of the closing morph is centred and whole (%d pictures, "
          "off: %s)" % (len(frames), bad[:3]))

    # zelvik --toggle asks the running one and leaves.
    code = zelvik_toggle(session)
    check(code == 0 and wait_state(session, OPEN) is not None,
          "zelvik --toggle opens the notch (exit %d)" % code)
    # A click beside the open notch (inside its window) closes it at once.
    start = time.monotonic()
    session.click(FULL_WINDOW[0] + 20, 280)
    check(wait_state(session, CLOSED) is not None and
          time.monotonic() - start < 2.0,
          "a click beside the open notch closes it at once (%.2f s)"
          % (time.monotonic() - start))
    code = zelvik_toggle(session)
    check(code == 0 and wait_state(session, OPEN) is not None,
          "zelvik --toggle opens it again (exit %d)" % code)
    code = zelvik_toggle(session)
    check(code == 0 and wait_state(session, CLOSED) is not None,
          "and a second zelvik --toggle closes it (exit %d)" % code)
    check(app.poll() is None, "the first zelvik keeps running")
    wait_for(lambda: session.notch_geometry() == CLOSED_ZONE, 10, 0.05)

    drop_case(session)

    app.send_signal(signal.SIGTERM)
    try:
        app.wait(10)
    except subprocess.TimeoutExpired:
        app.kill()
        app.wait()
    check(app.returncode == 0, "zelvik quits cleanly on SIGTERM (%s)" % app.returncode)

    # With none running, zelvik --settings starts Zelvik with its settings
    # window; the one it started then answers zelvik --toggle.
    app = session.spawn([session.bin["zelvik"], "--settings"], "zelvik-settings.log")
    check(wait_for(lambda: any(w.get("name") == "Zelvik Settings"
                               for w in session.sway_windows()), 30, 0.2),
          "zelvik --settings starts Zelvik and shows the settings window")
    check(wait_for(lambda: session.notch_geometry() == CLOSED_ZONE, 20, 0.2),
          "with the notch closed at the top")
    session.move(*AWAY)
    code = zelvik_toggle(session)
    check(code == 0 and wait_state(session, OPEN) is not None,
          "and zelvik --toggle reaches it (exit %d)" % code)
    app.send_signal(signal.SIGTERM)
    app.wait(10)


def shelf_entries(session):
    path = os.path.join(session.dirs["data"], "Zelvik", "Shelf", "shelf.json")
    try:
        with open(path) as f:
            return json.load(f)
    except (OSError, ValueError):
        return []


def stroked(shot):
    """Pixels of the window's area in the drop highlight's light blue, over
    the black outline or the desktop."""
    wx, wy, ww, wh = FULL_WINDOW
    return sum(1 for y in range(wy, wy + wh) for x in range(wx, wx + ww)
               if shot.pixel(x, y)[1] > 130 and shot.pixel(x, y)[2] > 150
               and shot.pixel(x, y)[0] < 130)


def drop_case(session):
    """A file dragged from a native Wayland window onto the capsule: the
    notch opens for the drop and the shelf keeps the file."""
    documents = os.path.join(session.dirs["home"], "Documents")
    os.makedirs(documents)
    report = os.path.join(documents, "report.txt")
    with open(report, "w") as f:
        f.write("quarterly numbers\n")
    for path in (documents, report):
        os.chown(path, session.uid, session.gid)

    source = Lines(session.spawn([session.bin["drag_source"], report], "drag-source.log",
                                 extra={"QT_QPA_PLATFORM": "wayland"}, stdout=subprocess.PIPE))
    placed = wait_for(lambda: any(w.get("app_id") == "drag_source" and w["rect"]["x"] == 100
                                  for w in session.sway_windows()), 20, 0.2)
    if not check(placed and wait_for(lambda: source.has("ready"), 5),
                 "the drag source shows at the bottom left"):
        return
    # In steps, as a hand moves: the source sees its press before the drag
    # starts, the notch sees the drag enter and move.
    session.move(200, 860)
    time.sleep(0.1)
    session.input("down left")
    time.sleep(0.1)
    # Onto the capsule's right part (the cursor, drawn into the screenshots,
    # stays right of the middle, away from where the outline is measured).
    for x, y in ((210, 850), (220, 840), (300, 700), (600, 300), (1030, 40), (1040, 14),
                 (1042, 12)):
        session.move(x, y)
        time.sleep(0.1)
    check(wait_for(lambda: source.has("drag started"), 5), "the native window starts a drag")
    opened = wait_state(session, OPEN, 10)
    check(opened is not None, "the drag over the capsule opens the notch")
    if opened is not None:
        session.save(opened, "drop-targeted")
        check(stroked(opened) > 200,
              "the outline is stroked for the drop (%d light blue pixels)" % stroked(opened))
    for x, y in ((1040, 60), (1042, 110)):
        session.move(x, y)
        time.sleep(0.2)
    session.input("up left")
    entries = wait_for(lambda: shelf_entries(session), 10, 0.2)
    check(len(entries) == 1 and entries[0].get("title") == "report.txt",
          "the dropped file is on the shelf (%s)" % entries)
    # Where the pointer went after the drop is the compositor's to tell;
    # without a word of it the notch closes after the close delay.
    session.move(*AWAY)
    check(wait_state(session, CLOSED) is not None, "the notch closes after the drop")


# Programs the suite drives, with the Debian package of each.
TOOLS = {"sway": "sway", "swaymsg": "sway", "swaybg": "swaybg", "grim": "grim",
         "Xwayland": "xwayland", "xwininfo": "x11-utils", "dbus-daemon": "dbus",
         "setpriv": "util-linux", "convert": "imagemagick"}
QT_WAYLAND = "/usr/lib/x86_64-linux-gnu/qt6/plugins/platforms/libqwayland-generic.so"
SKIP = 77


def main():
    missing = sorted({package for tool, package in TOOLS.items() if not shutil.which(tool)})
    if not os.path.exists(QT_WAYLAND):
        missing.append("qt6-wayland")
    if missing:
        log("SKIP: the Wayland session needs these packages: " + " ".join(missing))
        return SKIP
    os.makedirs(SHOT_DIR, exist_ok=True)
    root = tempfile.mkdtemp(prefix="zelvik-wayland-")
    os.chmod(root, 0o755)
    session = None
    try:
        session = Session(root)
        scenario(session)
    except RuntimeError as error:
        check(False, str(error))
    finally:
        if session:
            session.stop()
    if failures and session:
        for name in ("zelvik.log", "sway.log", "recorder.log", "drag-source.log", "input.log"):
            text = session.log_text(name)
            if text:
                log("--- " + name)
                log(text[-3000:])
    shutil.rmtree(root, ignore_errors=True)
    if failures:
        log("%d check(s) failed" % len(failures))
        return 1
    log("all checks passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
