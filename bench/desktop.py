"""A private desktop for the benchmarks and the soak: Xvfb with picom, a
PulseAudio of null sinks and Zelvik, all with their own folders under one
temporary root. Run inside dbus-run-session (bench/run and bench/soak do)."""
import glob
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(ROOT, "tests", "support"))
from desktop_kit import private_env, wait_for  # noqa: E402

SCREEN = (1920, 1080)


class Desktop:
    def __init__(self, software=False):
        self.root = tempfile.mkdtemp(prefix="zelvik-bench-")
        self.env = private_env(self.root)
        if software:
            self.env["QT_QUICK_BACKEND"] = "software"
        self.procs = []

    def spawn(self, argv, logname):
        log = open(os.path.join(self.root, logname), "wb")
        proc = subprocess.Popen(argv, env=self.env, stdout=log, stderr=log)
        self.procs.append(proc)
        return proc

    def run(self, argv, timeout=30, stdin=None):
        return subprocess.run(argv, env=self.env, timeout=timeout, input=stdin,
                              stdout=subprocess.PIPE, stderr=subprocess.PIPE)

    def start_x(self):
        xvfb = subprocess.Popen(["Xvfb", "-displayfd", "1", "-noreset", "-screen", "0",
                                 "%dx%dx24" % SCREEN, "-nolisten", "tcp"],
                                stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        self.procs.append(xvfb)
        number = xvfb.stdout.readline().decode().strip()
        if not number:
            raise RuntimeError("Xvfb did not start")
        self.env["DISPLAY"] = ":" + number
        self.run(["hsetroot", "-solid", "#3366cc"])
        self.spawn(["picom", "--backend", "xrender", "--config", "/dev/null"], "picom.log")
        if not wait_for(lambda: "\"picom\"" in self.run(["xwininfo", "-root", "-tree"])
                        .stdout.decode(errors="replace"), 20):
            raise RuntimeError("picom did not start")

    def start_sound(self, sinks=("speakers", "headphones", "hdmi")):
        script = os.path.join(self.root, "bench.pa")
        socket = os.path.join(self.env["XDG_RUNTIME_DIR"], "pulse", "native")
        with open(script, "w") as f:
            f.write("load-module module-native-protocol-unix auth-anonymous=1 socket=%s\n"
                    % socket)
            for name in sinks:
                f.write("load-module module-null-sink sink_name=%s "
                        "sink_properties=\"device.description='%s'\"\n" % (name, name.title()))
        self.env["PULSE_SERVER"] = "unix:" + socket
        self.spawn(["pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1",
                    "--system=false", "--use-pid-file=no", "-F", script], "pulseaudio.log")
        if not wait_for(lambda: self.run(["pactl", "info"]).returncode == 0, 20):
            raise RuntimeError("PulseAudio did not start")
        self.sinks = list(sinks)

    def start_player(self, count=3):
        """mpv with its MPRIS plugin, playing short tagged songs in a loop."""
        files = []
        for i in range(count):
            path = os.path.join(self.root, "song%d.ogg" % i)
            self.run(["sox", "-n", "--comment", "TITLE=Song %d" % i, "--add-comment",
                      "ARTIST=Bench", path, "synth", "20", "sine", str(300 + 100 * i)])
            files.append(path)
        self.spawn(["mpv", "--no-config", "--script=/usr/lib/mpv-mpris/mpris.so", "--ao=null",
                    "--vo=null", "--no-video", "--no-terminal", "--loop-playlist=inf"] + files,
                   "mpv.log")
        if not wait_for(lambda: b"mpv" in self.run(["playerctl", "-l"]).stdout, 20):
            raise RuntimeError("mpv did not show up on the bus")

    def start_zelvik(self, program, settings=None):
        if settings:
            folder = os.path.join(self.env["XDG_CONFIG_HOME"], "Zelvik")
            os.makedirs(folder, exist_ok=True)
            with open(os.path.join(folder, "Zelvik.conf"), "w") as f:
                f.write("[General]\n")
                for key, value in settings.items():
                    f.write("%s=%s\n" % (key, value))
        self.zelvik = self.spawn([program], "zelvik.log")
        # Shown once an override-redirect window hangs at the top centre.
        if not wait_for(lambda: self.zelvik.poll() is None and self.notch_window(), 30, 0.2):
            raise RuntimeError("Zelvik did not show its window: " + self.log("zelvik.log"))
        return self.zelvik

    def notch_window(self):
        tree = self.run(["xwininfo", "-root", "-tree"]).stdout.decode(errors="replace")
        return "760x300+580+0" in tree

    def log(self, name):
        path = os.path.join(self.root, name)
        return open(path, errors="replace").read()[-2000:] if os.path.exists(path) else ""

    def move(self, x, y):
        self.run(["xte", "mousemove %d %d" % (x, y)])

    def stop(self):
        for proc in reversed(self.procs):
            if proc.poll() is None:
                proc.send_signal(signal.SIGTERM)
                try:
                    proc.wait(10)
                except subprocess.TimeoutExpired:
                    proc.kill()
                    proc.wait()
        shutil.rmtree(self.root, ignore_errors=True)


class Threads:
    """CPU time (schedstat, ns) and voluntary context switches (each a sleep
    the thread was woken from) of every thread of a process at one moment."""

    def __init__(self, pid):
        self.cpu, self.woken, self.names = {}, {}, {}
        for task in glob.glob("/proc/%d/task/*" % pid):
            tid = int(os.path.basename(task))
            try:
                cpu = int(open(task + "/schedstat").read().split()[0])
                name = open(task + "/comm").read().strip()
                woken = next(int(line.split()[1]) for line in open(task + "/status")
                             if line.startswith("voluntary_ctxt_switches:"))
            except (OSError, ValueError, IndexError, StopIteration):
                continue  # ended meanwhile
            self.cpu[tid], self.woken[tid], self.names[tid] = cpu, woken, name

    def since(self, earlier):
        """CPU ns and wake-ups per thread name since an earlier sample, and
        the names of threads that ended in between (their last part is lost)."""
        cpu = sum(ns - earlier.cpu.get(tid, 0) for tid, ns in self.cpu.items())
        woken = {}
        for tid, count in self.woken.items():
            delta = count - earlier.woken.get(tid, 0)
            if delta:
                woken[self.names[tid]] = woken.get(self.names[tid], 0) + delta
        ended = [earlier.names[tid] for tid in earlier.cpu if tid not in self.cpu]
        return cpu, woken, ended


def resident_kib(pid):
    for line in open("/proc/%d/status" % pid):
        if line.startswith("VmRSS:"):
            return int(line.split()[1])
    return 0
