"""What the end-to-end suites, the benchmarks and the demo share: polling,
"ok:"/"FAIL:" checks, a private home for the programs they start, and
screenshots read as pixels."""
import os
import time

failures = []


def log(message):
    print(message, flush=True)


def check(condition, message):
    """Logs the check; a failed one is kept in failures."""
    log(("ok: " if condition else "FAIL: ") + message)
    if not condition:
        failures.append(message)
    return condition


def wait_for(predicate, timeout, interval=0.05):
    """Polls predicate until it returns a true value or timeout seconds pass;
    returns its last value."""
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value or time.monotonic() > deadline:
            return value
        time.sleep(interval)


def private_env(root, drop=()):
    """This environment with HOME and the XDG folders in private folders under
    root, and without what would send a program to another display (or the
    variables named in drop)."""
    env = dict(os.environ)
    for var, sub in (("XDG_CONFIG_HOME", "config"), ("XDG_DATA_HOME", "data"),
                     ("XDG_CACHE_HOME", "cache"), ("XDG_RUNTIME_DIR", "runtime"),
                     ("HOME", "home")):
        path = os.path.join(root, sub)
        os.makedirs(path, mode=0o700, exist_ok=True)
        env[var] = path
    env["NO_AT_BRIDGE"] = "1"
    for var in ("QT_QPA_PLATFORM", "WAYLAND_DISPLAY") + tuple(drop):
        env.pop(var, None)
    return env


class Image:
    """A screenshot in binary PPM ("P6\\n<w> <h>\\n255\\n" then RGB bytes)
    over a desktop of one BACKGROUND colour."""
    BACKGROUND = (0x33, 0x66, 0xCC)

    def __init__(self, raw):
        self.raw = raw
        parts = raw.split(b"\n", 3)
        if len(parts) < 4 or parts[0] != b"P6" or parts[2] != b"255":
            raise RuntimeError("screenshot failed")
        self.width, self.height = map(int, parts[1].split())
        self.pixels = parts[3]

    def pixel(self, x, y):
        i = (y * self.width + x) * 3
        return tuple(self.pixels[i:i + 3])

    def is_black(self, x, y):
        return max(self.pixel(x, y)) < 48

    def is_background(self, x, y):
        return all(abs(a - b) <= 10 for a, b in zip(self.pixel(x, y), self.BACKGROUND))
