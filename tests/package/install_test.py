#!/usr/bin/env python3
"""Installing and packaging Zelvik as a Linux desktop tool is installed.

Usage: install_test.py BUILD_DIR PACKAGES_TXT VERSION

`cmake --install` into a staging folder must put the program, the launcher
entry, the icon and the AppStream metainfo (and the manual page when there
is one) where desktops look for them, each valid by the desktop's own
validators and naming each other consistently. `cpack` must build a Debian
package with the same files whose dependencies are real, installable Debian
packages, among them what the program loads at run time.
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

BUILD, PACKAGES_TXT, VERSION = sys.argv[1:4]
SKIP = 77
failures = []


def check(condition, message):
    print(("ok: " if condition else "FAIL: ") + message, flush=True)
    if not condition:
        failures.append(message)
    return condition


def run(*argv, **kwargs):
    return subprocess.run(argv, capture_output=True, text=True, **kwargs)


for tool in ("appstreamcli", "desktop-file-validate", "dpkg-deb", "cpack", "apt-get"):
    if shutil.which(tool) is None:
        print("%s is not installed (scripts/packages.txt has it)" % tool)
        sys.exit(SKIP)

work = tempfile.mkdtemp(prefix="zelvik-install-")
try:
    stage = os.path.join(work, "stage")
    result = run("cmake", "--install", BUILD, "--prefix", "/usr",
                 env=dict(os.environ, DESTDIR=stage))
    check(result.returncode == 0, "cmake --install succeeds: " + result.stderr.strip())
    usr = os.path.join(stage, "usr")
    installed = sorted(os.path.relpath(os.path.join(d, f), stage)
                       for d, _, files in os.walk(stage) for f in files)
    print("installed:\n  " + "\n  ".join(installed))
    expected = ["usr/bin/zelvik",
                "usr/share/applications/zelvik.desktop",
                "usr/share/icons/hicolor/scalable/apps/zelvik.svg",
                "usr/share/metainfo/org.zelvik.Zelvik.metainfo.xml",
                "usr/share/man/man1/zelvik.1"]
    for path in expected:
        check(path in installed, path + " is installed")
    check(os.access(os.path.join(stage, "usr/bin/zelvik"), os.X_OK), "the program is executable")

    desktop = os.path.join(usr, "share/applications/zelvik.desktop")
    result = run("desktop-file-validate", desktop)
    check(result.returncode == 0 and not result.stdout.strip(),
          "the desktop entry is valid: " + result.stdout.strip())
    with open(desktop, encoding="utf-8") as f:
        entry = dict(line.rstrip("\n").split("=", 1) for line in f if "=" in line)
    check(entry.get("Exec", "").split()[0] == "zelvik", "the entry runs the installed program")
    check(entry.get("Icon") == "zelvik", "the entry names the installed icon")

    metainfo = os.path.join(usr, "share/metainfo/org.zelvik.Zelvik.metainfo.xml")
    result = run("appstreamcli", "validate", "--no-net", metainfo)
    check(result.returncode == 0, "the metainfo is valid: " + result.stdout.strip())
    component = ET.parse(metainfo).getroot()
    check(component.findtext("launchable") == "zelvik.desktop",
          "the metainfo launches the installed entry")
    check(component.findtext("provides/binary") == "zelvik", "the metainfo provides the program")
    release = component.find("releases/release")
    check(release is not None and release.get("version") == VERSION,
          "the release is the project's version " + VERSION)
    check(release is not None and re.fullmatch(r"\d{4}-\d{2}-\d{2}", release.get("date", "")),
          "the release has a date")

    icon = ET.parse(os.path.join(usr, "share/icons/hicolor/scalable/apps/zelvik.svg")).getroot()
    check(icon.tag.endswith("svg") and icon.get("width") == icon.get("height"),
          "the icon is a square SVG")

    # The Debian package.
    packages = os.path.join(work, "packages")
    result = run("cpack", "-G", "DEB", "-B", packages, cwd=BUILD)
    debs = [f for f in os.listdir(packages) if f.endswith(".deb")] if os.path.isdir(packages) else []
    if not check(result.returncode == 0 and len(debs) == 1,
                 "cpack builds one Debian package: " + result.stdout[-500:] + result.stderr[-500:]):
        sys.exit(1)
    deb = os.path.join(packages, debs[0])
    listing = run("dpkg-deb", "--contents", deb).stdout
    packaged = sorted(line.split()[-1].lstrip("./") for line in listing.splitlines()
                      if not line.startswith("d"))
    for path in expected:
        check(path in packaged, path + " is in the package")
    fields = {name: run("dpkg-deb", "--field", deb, name).stdout.strip()
              for name in ("Package", "Version", "Architecture", "Depends", "Recommends")}
    print("package fields: %s" % fields)
    check(fields["Package"] == "zelvik", "the package is called zelvik")
    check(fields["Version"] == VERSION, "the package has the project's version")
    depends = [alternative.strip().split()[0]
               for clause in fields["Depends"].split(",") for alternative in clause.split("|")]
    with open(PACKAGES_TXT, encoding="utf-8") as f:
        wanted = [line.strip() for line in f if line.strip().startswith("qml6-module-")]
    runtime = [p for p in wanted if p != "qml6-module-qttest"] + [
        "libqt6svg6", "fonts-material-design-icons-iconfont", "sound-theme-freedesktop"]
    for name in runtime + ["libqt6core6", "libqt6quick6", "libxcb1", "libpulse0"]:
        check(name in depends, "the package depends on " + name)
    check("qml6-module-qttest" not in depends, "the package does not depend on test modules")
    # Every dependency resolves: apt simulates installing the package.
    result = run("apt-get", "install", "--simulate", "--no-install-recommends", deb)
    check(result.returncode == 0, "apt can install the package and its dependencies: " +
          result.stderr.strip()[-500:])
finally:
    shutil.rmtree(work, ignore_errors=True)

if failures:
    print("%d check(s) failed" % len(failures))
    sys.exit(1)
