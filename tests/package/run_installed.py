#!/usr/bin/env python3
"""Runs the installed program once on Xvfb, as a person who has just
installed the package: answers the size dialog, draws with both pens and two
colours, asks for the online help, and leaves through the menu.

  run_installed.py PROGRAM SCREENSHOT

Fails unless the help page handed to the browser is the one installed beside
the program (<prefix>/share/scribblet/help/index.html) and the program ends
with status 0. SCREENSHOT receives the main window with the drawing: the
picture that res/desktop/screenshot.png is copied from.
"""
import os
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "app"))
from x11_person import Display, Failed, Person  # noqa: E402

# Strokes in canvas coordinates, drawn in this order: (menu mnemonics that
# choose the pen first, mouse button, points).
DRAWING = [
    ([], 1, [(130, 300), (130, 190), (270, 190), (270, 300)]),
    ([], 1, [(185, 300), (185, 240), (215, 240), (215, 300)]),
    (["c", "r"], 1, [(110, 200), (200, 120), (290, 200)]),
    (["p", "5"], 1, [(460, 70), (480, 50), (520, 50), (540, 70), (540, 110),
                     (520, 130), (480, 130), (460, 110), (460, 70)]),
    (["c", "g"], 1, [(20, 300), (620, 300)]),
    ([], 3, [(180, 300), (220, 300)]),
]


def fake_browser(folder):
    """An xdg-open that writes down the address it is given: the program
    hands its help page over through it."""
    script = os.path.join(folder, "xdg-open")
    with open(script, "w") as f:
        f.write('#!/bin/sh\nprintf %%s "$1" > "%s/opened"\n' % folder)
    os.chmod(script, 0o755)
    return os.path.join(folder, "opened")


def wait_for_file(path, timeout=20):
    end = time.time() + timeout
    while time.time() < end:
        if os.path.exists(path) and os.path.getsize(path) > 0:
            with open(path) as f:
                return f.read()
        time.sleep(0.1)
    raise Failed("nothing was handed to the browser")


def main():
    program, screenshot = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    prefix = os.path.dirname(os.path.dirname(program))
    wanted_page = "file://" + prefix + "/share/scribblet/help/index.html"
    display = Display()
    person = None
    try:
        with tempfile.TemporaryDirectory() as folder:
            opened = fake_browser(folder)
            display.env["PATH"] = folder + os.pathsep + display.env["PATH"]
            person = Person(display, program)
            person.answer_size_dialog(640, 360)
            for mnemonics, button, points in DRAWING:
                if mnemonics:
                    person.choose(1, mnemonics)
                person.drag(button, points)
            subprocess.run(["import", "-display", display.name, "-window",
                            person.window, screenshot], check=True)
            person.choose(3, ["o"])
            page = wait_for_file(opened)
            if page != wanted_page:
                raise Failed("the browser was given %s, not %s" % (page, wanted_page))
            person.leave()
    except Failed as failure:
        print("FAILED:", failure)
        return 1
    finally:
        if person:
            person.kill()
        display.close()
    print("passed: %s ran, opened its help page and ended with status 0" % program)
    return 0


if __name__ == "__main__":
    sys.exit(main())
