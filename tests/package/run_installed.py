#!/usr/bin/env python3
"""The installed program run once on Xvfb by a person who has just installed
the package: the size dialog, a house drawn with both pens in three colours,
the online help, and Exit.

  run_installed.py PROGRAM SCREENSHOT

Fails unless the screen shows the drawing, the help page handed to the
browser is the one installed beside the program
(<prefix>/share/scribblet/help/index.html) and the program ends with status
0. SCREENSHOT receives the main window: res/desktop/screenshot.png is a copy.
"""
import os
import shutil
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "app"))
from journey import (BLACK, RED, WHITE, X11, Failed, LinuxProgram, Person,  # noqa: E402
                     give_runtime_folder, run, wait_for)

GREEN = (0, 255, 0)

# (menu keys that set the left pen first, button, points, pen size, colour)
DRAWING = [
    ([], 1, [(130, 300), (130, 190), (270, 190), (270, 300)], 3, BLACK),
    ([], 1, [(185, 300), (185, 240), (215, 240), (215, 300)], 3, BLACK),
    (["c", "r"], 1, [(120, 200), (200, 120), (280, 200)], 3, RED),
    (["p", "5"], 1, [(460, 70), (480, 50), (520, 50), (540, 70), (540, 110),
                     (520, 130), (480, 130), (460, 110), (460, 70)], 5, RED),
    (["c", "g"], 1, [(20, 300), (620, 300)], 5, GREEN),
    ([], 3, [(180, 300), (220, 300)], 3, WHITE),
]


def fake_browser(folder):
    """An xdg-open that writes down the address it is given: the program
    hands its help page over through it. Returns that file's name."""
    script = os.path.join(folder, "xdg-open")
    with open(script, "w") as f:
        f.write('#!/bin/sh\nprintf %%s "$1" > "%s/opened"\n' % folder)
    os.chmod(script, 0o755)
    return os.path.join(folder, "opened")


def read_when_written(path):
    wait_for("nothing was handed to the browser",
             lambda: os.path.exists(path) and os.path.getsize(path) > 0)
    with open(path) as f:
        return f.read()


def use(person, opened, screenshot):
    person.answer_size_dialog(640, 360)
    for keys, button, points, size, colour in DRAWING:
        if keys:
            person.choose("alt+l", *keys)
        person.drag(button, points, size, colour)
    run("import", "-window", person.main.handle, screenshot, env=person.screen.env)
    person.choose("alt+h", "o")
    page = read_when_written(opened)
    prefix = os.path.dirname(os.path.dirname(person.program.command[0]))
    if page != "file://" + prefix + "/share/scribblet/help/index.html":
        raise Failed("the browser was given %s" % page)
    person.leave()


def main():
    program = LinuxProgram(os.path.abspath(sys.argv[1]))
    give_runtime_folder()
    screen, person = X11(), None
    try:
        with tempfile.TemporaryDirectory() as folder:
            opened = fake_browser(folder)
            program.env = {"PATH": folder + os.pathsep + os.environ["PATH"]}
            person = Person(screen, program, folder, None)
            use(person, opened, os.path.abspath(sys.argv[2]))
    except Failed as failure:
        print("FAILED:", failure)
        return 1
    finally:
        if person:
            person.end()
        screen.close()
        shutil.rmtree(os.environ["XDG_RUNTIME_DIR"], ignore_errors=True)
    print("passed: %s drew, opened its help page and ended with status 0" % sys.argv[1])
    return 0


if __name__ == "__main__":
    sys.exit(main())
