#!/usr/bin/env python3
"""The zelvik program's command line and start-up checks, run as a user
would run them: the help and the version need no display, a command line
that cannot be read ends with 2, and a start without a reachable X server
ends with 1 and says why, also when the server never answers.

Usage: zelvik_command_line_test.py ZELVIK
"""
import os
import socket
import subprocess
import sys
import tempfile
import time

ZELVIK = sys.argv[1]
failures = []


def check(condition, message):
    print(("ok: " if condition else "FAIL: ") + message, flush=True)
    if not condition:
        failures.append(message)


def run(args, env, timeout=60):
    start = time.monotonic()
    result = subprocess.run([ZELVIK] + args, env=env, stdout=subprocess.PIPE,
                            stderr=subprocess.PIPE, timeout=timeout)
    return (result.returncode, result.stdout.decode(errors="replace"),
            result.stderr.decode(errors="replace"), time.monotonic() - start)


def free_display():
    """A display number with no X server: neither socket exists."""
    for number in range(600, 700):
        if os.path.exists("/tmp/.X11-unix/X%d" % number):
            continue
        probe = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
        try:
            probe.connect("\0/tmp/.X11-unix/X%d" % number)
        except OSError:
            return number
        finally:
            probe.close()
    raise RuntimeError("no free display number")


def main():
    home = tempfile.mkdtemp(prefix="zelvik-cli-")
    # Nothing of a desktop: no DISPLAY, no WAYLAND_DISPLAY, no session bus.
    bare = {"PATH": "/usr/bin:/bin", "HOME": home, "XDG_CONFIG_HOME": home,
            "XDG_DATA_HOME": home, "XDG_RUNTIME_DIR": home, "LANG": "C.UTF-8"}

    for args, word in ((["--help"], "--toggle"), (["-h"], "--settings"),
                       (["--version"], "zelvik "), (["-v"], "zelvik ")):
        code, out, err, _ = run(args, bare)
        check(code == 0 and word in out and not err,
              "zelvik %s works without a display (exit %d, %r)" % (" ".join(args), code, out[:60]))

    for args, word in ((["--bogus"], "Unknown option 'bogus'"), (["report.txt"], "unexpected"),
                       (["--toggle", "--settings"], "give one of them")):
        code, out, err, _ = run(args, bare)
        check(code == 2 and word in err and "--help" in err and not out,
              "zelvik %s is a usage error with exit 2 (exit %d, %r)"
              % (" ".join(args), code, err.strip()))

    cases = (
        ("no desktop at all", {}, "no desktop session"),
        ("a Wayland session without XWayland", {"WAYLAND_DISPLAY": "wayland-9"},
         "offers no XWayland"),
        ("an X display nobody serves", {"DISPLAY": ":%d" % free_display()},
         "cannot open the X display"),
        # A Wayland desktop asking every program for the Wayland platform:
        # the notch still goes to X11, and says why it cannot.
        ("a Wayland platform asked for", {"WAYLAND_DISPLAY": "wayland-9",
                                          "QT_QPA_PLATFORM": "wayland",
                                          "DISPLAY": ":%d" % free_display()},
         "cannot open the X display"),
    )
    for name, extra, word in cases:
        for args in ([], ["--toggle"]):
            code, out, err, took = run(args, dict(bare, **extra))
            check(code == 1 and word in err and took < 10,
                  "%s: zelvik %s ends with 1 in %.1f s and says %r (exit %d, %r)"
                  % (name, " ".join(args), took, word, code, err.strip()[:120]))

    # An X server that takes the connection and never answers.
    number = free_display()
    silent = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
    silent.bind("\0/tmp/.X11-unix/X%d" % number)
    silent.listen(4)
    code, out, err, took = run([], dict(bare, DISPLAY=":%d" % number), timeout=60)
    silent.close()
    check(code == 1 and "did not answer" in err and 5 <= took < 30,
          "a silent X server ends the start with 1 after %.1f s (exit %d, %r)"
          % (took, code, err.strip()[:120]))

    if failures:
        print("%d check(s) failed" % len(failures))
        return 1
    print("all checks passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
