#!/usr/bin/env python3
"""The real program used as a person uses it, on a real display with real
input: it must end with status 0, say nothing on the standard streams, and
save what the screen shows, byte for byte as our writers make it.
  journey.py [--display x11|wayland] [--window-manager] [--pointer CLIENT]
             [--wine] [--out FOLDER] journey|scaled PROGRAM
x11: an Xvfb of its own, xdotool the hand. wayland: a headless sway of its
own (as nobody when run by root), wtype and the virtual-pointer CLIENT the
hand, grim the eye. --wine: PROGRAM is for Windows. --out keeps the saved
files and screenshots (tools/build-windows.sh compares Linux's and Windows')."""
import argparse
import collections
import json
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import time
import urllib.parse


class Failed(Exception):
    pass


def wait_for(what, condition, seconds=30):
    """The condition's first true value, asked again until the time is up."""
    end = time.monotonic() + seconds
    while not (value := condition()):
        if time.monotonic() > end:
            raise Failed(what)
        time.sleep(0.05)
    return value


def run(*command, env=None, check=True):
    result = subprocess.run([str(c) for c in command], env=env, capture_output=True, timeout=60)
    if check and result.returncode != 0:
        raise Failed("%s: %s" % (command, result.stderr.decode(errors="replace")))
    return result.stdout


def read_ppm(data):
    """Width, height and the RGB bytes of an 8-bit binary PPM image."""
    _, width, height, _, pixels = data.split(maxsplit=4)
    return int(width), int(height), pixels


def without(env, *names):
    return {name: value for name, value in env.items() if name not in names}


Window = collections.namedtuple("Window", "handle name x y width height")


class X11:
    """Keys are X keysym names, "alt+f" for a chord; positions are screen
    pixels."""
    scale = 1

    def __init__(self, window_manager):
        # Never reset when the last client leaves: a client connecting then is dropped.
        read_end, write_end = os.pipe()
        self.server = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24", "-nolisten",
             "tcp", "-noreset"], pass_fds=(write_end,), stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end, "rb") as pipe:
            number = pipe.readline().strip().decode()
        if not number:
            raise Failed("Xvfb did not start")
        self.env = dict(without(os.environ, "QT_SCALE_FACTOR", "WAYLAND_DISPLAY"),
                        DISPLAY=":" + number, QT_QPA_PLATFORM="xcb")
        self.manager = None
        if window_manager:  # as Debian sets it up, maximise first in the title bar, close last
            home = os.environ["XDG_RUNTIME_DIR"]
            with open("/etc/xdg/openbox/rc.xml") as f, open(home + "/rc.xml", "w") as rc:
                rc.write(re.sub("<titleLayout>.*<", "<titleLayout>MLC<", f.read()))
            self.manager = subprocess.Popen(
                ["openbox", "--config-file", rc.name], env=dict(self.env, XDG_CACHE_HOME=home),
                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            self.work_area = wait_for("no openbox", lambda: self.numbers("-root", "_NET_WORKAREA"))

    def numbers(self, *window_and_property):
        return [int(n) for n in re.findall(r"(?<=[=,] )\d+", run(
            "xprop", *window_and_property, env=self.env, check=False).decode())]

    def xdotool(self, *args, check=True):
        return run("xdotool", *args, env=self.env, check=check).decode()

    def windows(self):
        found = []
        for handle in self.xdotool("search", "--onlyvisible", "--name", "", check=False).split():
            name = self.xdotool("getwindowname", handle, check=False).strip()
            shape = re.findall(r"(?:Absolute upper-left [XY]|Width|Height): +(-?\d+)", run(
                "xwininfo", "-id", handle, env=self.env, check=False).decode())
            if name and len(shape) == 4:
                found.append(Window(handle, name, *map(int, shape)))
        return found

    def focus(self, window):
        self.xdotool("windowfocus", "--sync", window.handle, check=False)

    def keys(self, *keys):
        self.xdotool("key", "--clearmodifiers", "--delay", "120", *keys)

    def type(self, text):
        self.xdotool("type", "--delay", "40", text)

    def point(self, verb, *args):
        """move X Y, press BUTTON or release BUTTON."""
        command = {"move": ["mousemove", "--sync"], "press": ["mousedown"],
                   "release": ["mouseup"]}[verb]
        self.xdotool(*command, *args)

    def capture(self):
        return read_ppm(run("import", "-window", "root", "-depth", "8", "ppm:-", env=self.env))

    def screenshot(self, path, window=None):
        run("import", "-window", window.handle if window else "root", path, env=self.env)

    def close(self):
        for process in filter(None, [self.manager, self.server]):
            process.terminate()
            process.wait()


class Wayland:
    """sway on its headless back end, one output of 1280 × 1024 device pixels
    (the positions' unit, as in the screenshots). Every window floats, as on
    the stacking desktops (GNOME, KDE) where windows keep the size they ask for."""

    # wtype's keys wait for what the keys before them opened (a dropped-down list).
    KEYBOARD_PAUSE_MS = "400"
    manager = None

    def __init__(self, pointer_client, scale):
        self.scale, self.home = scale, tempfile.mkdtemp(prefix="scribblet-sway-")
        config = os.path.join(self.home, "config")
        with open(config, "w") as f:
            f.write("output HEADLESS-1 resolution 1280x1024 scale %d\n"
                    "for_window [app_id=.*] floating enable\nxwayland disable\n" % scale)
        # sway refuses to run as root: there it runs as nobody, in a home
        # and runtime folder of its own that root's clients can still reach.
        as_user = []
        if os.geteuid() == 0:
            os.chmod(config, 0o644)
            shutil.chown(self.home, "nobody", "nogroup")
            as_user = ["setpriv", "--reuid=nobody", "--regid=nogroup", "--clear-groups"]
        os.chmod(self.home, 0o700)
        server_env = {"PATH": os.environ.get("PATH", "/usr/bin:/bin"), "HOME": self.home,
                      "XDG_RUNTIME_DIR": self.home, "WLR_BACKENDS": "headless",
                      "WLR_LIBINPUT_NO_DEVICES": "1", "WLR_RENDERER": "pixman"}
        self.log = tempfile.NamedTemporaryFile("w+", prefix="scribblet-sway-", delete=False)
        self.server = subprocess.Popen(as_user + ["sway", "-c", config], env=server_env,
                                       stdout=self.log, stderr=subprocess.STDOUT)
        try:
            socket = wait_for("sway did not start: see " + self.log.name, lambda:
                              self.server.poll() is None and self.socket("wayland-"), 20)
            ipc = wait_for("sway's IPC did not start", lambda: self.socket("sway-ipc."))
            self.env = dict(without(os.environ, "DISPLAY", "QT_SCALE_FACTOR"),
                            WAYLAND_DISPLAY=socket, SWAYSOCK=ipc, QT_QPA_PLATFORM="wayland")
            self.pointer = subprocess.Popen([pointer_client, "1280", "1024"], env=self.env,
                                            stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                            text=True)
            # The seat has a pointer from its first move: let the program
            # find it there when it starts.
            self.point("move", 1279, 1023)
        except Failed:
            self.server.kill()
            raise
        # Each wtype call makes a virtual keyboard of its own. One that lasts
        # keeps the seat's keyboard, so that the program holds it from its
        # start and the keys of each later call reach it at once.
        self.keyboard = subprocess.Popen(["wtype", "-s", "86400000"], env=self.env)

    def socket(self, prefix):
        return next((os.path.join(self.home, name) for name in os.listdir(self.home)
                     if name.startswith(prefix) and not name.endswith(".lock")), None)

    def windows(self):
        found, s = [], self.scale
        nodes = [json.loads(run("swaymsg", "-t", "get_tree", env=self.env))]
        while nodes:
            node = nodes.pop()
            nodes += node.get("nodes", []) + node.get("floating_nodes", [])
            if node.get("pid") and node.get("visible") and node.get("name"):
                outer, inner = node["rect"], node["window_rect"]
                found.append(Window(node["id"], node["name"], s * (outer["x"] + inner["x"]),
                                    s * (outer["y"] + inner["y"]), s * inner["width"],
                                    s * inner["height"]))
        return found

    def focus(self, window):
        run("swaymsg", "[con_id=%d]" % window.handle, "focus", env=self.env)

    def keys(self, *keys):
        args = []
        for key in keys:
            *modifiers, name = key.split("+")
            args += [a for m in modifiers for a in ("-M", m)] + ["-k", name]
            args += [a for m in modifiers for a in ("-m", m)] + ["-s", "120"]
        run("wtype", "-s", self.KEYBOARD_PAUSE_MS, *args, env=self.env)

    def type(self, text):
        run("wtype", "-s", self.KEYBOARD_PAUSE_MS, "-d", "40", text, env=self.env)

    def point(self, verb, *args):
        self.pointer.stdin.write(" ".join(map(str, (verb,) + args)) + "\n")
        self.pointer.stdin.flush()
        if self.pointer.stdout.readline().strip() != "ok":
            raise Failed("the virtual pointer did not take: %s %s" % (verb, args))

    def capture(self):
        return read_ppm(run("grim", "-t", "ppm", "-", env=self.env))

    def screenshot(self, path, window=None):
        run("grim", path, env=self.env)

    def close(self):
        self.keyboard.kill()
        self.pointer.stdin.close()
        self.server.terminate()
        for process in (self.keyboard, self.pointer, self.server):
            process.wait()
        os.unlink(self.log.name)
        shutil.rmtree(self.home, ignore_errors=True)


class LinuxProgram:
    merges_moves = False
    talks = False  # writes nothing on the standard streams in a normal run

    def __init__(self, path):
        self.command, self.env = [path], {}

    def focus(self, screen, window):
        screen.focus(window)


class WineProgram(LinuxProgram):
    merges_moves = True  # Windows keeps only the latest move in the queue
    talks = True  # Wine says what it cannot reach (the volume label of Z:)

    def __init__(self, path):
        self.command = [os.environ.get("SCRIBBLET_WINE", "/usr/lib/wine/wine64"), path]
        self.env = {"LC_ALL": "ja_JP.UTF-8"}  # a Japanese Windows: code page 932

    def focus(self, screen, window):
        # Without a window manager, Wine takes the focus only from a click:
        # one at the middle of the caption that it draws, clear of controls.
        screen.point("move", window.x + window.width // 2, window.y + 4)
        screen.point("press", 1)
        screen.point("release", 1)
        screen.focus(window)


BLACK, WHITE, RED, GREEN = b"\0\0\0", b"\xff\xff\xff", b"\xff\0\0", b"\0\xff\0"
MAIN_WINDOW, NOT_DIALOGS = "Scribblet", ("Scribblet", "Default IME", "Openbox")


class Person:
    def __init__(self, screen, program, folder):
        self.screen, self.program, self.folder = screen, program, folder
        self.log = tempfile.TemporaryFile()
        env = dict(screen.env, **program.env)
        if "LSAN_OPTIONS" in env:
            # Leaks that system libraries keep to the end are suppressed by
            # their names, which need the whole stack: those libraries keep
            # no frame pointers, and some are unloaded before the report.
            env["LSAN_OPTIONS"] += ":fast_unwind_on_malloc=0"
        # The browser: an xdg-open that writes down the address it is given
        # (Wine's shell hands .html pages to it through winebrowser).
        browser = os.path.join(folder, "xdg-open")
        with open(browser, "w") as f:
            f.write('#!/bin/sh\nprintf %%s "$1" > "%s/opened"\n' % folder)
        os.chmod(browser, 0o755)
        env["PATH"] = folder + os.pathsep + env["PATH"]
        # The save dialog starts in the current folder.
        self.process = subprocess.Popen(program.command, env=env, cwd=folder,
                                        stdout=self.log, stderr=subprocess.STDOUT)

    def wait_for_dialog(self, what, seconds=30):
        """The largest named window other than the main window, focused."""
        def dialog():
            others = [w for w in self.screen.windows() if w.name not in NOT_DIALOGS]
            return max(others, key=lambda w: w.width * w.height, default=None)
        window = wait_for("no " + what, dialog, seconds)
        self.program.focus(self.screen, window)
        return window

    def wait_until_gone(self, window):
        wait_for("the window %r stayed" % window.name,
                 lambda: all(w.handle != window.handle for w in self.screen.windows()))

    def answer_size_dialog(self, width, height):
        # The first window waits for the program's start, slow under load.
        self.wait_for_dialog("size dialog", seconds=120)
        for text in (str(width), str(height)):
            self.screen.keys("End", *["BackSpace"] * 3)
            self.screen.type(text)
            self.screen.keys("Tab")
        self.screen.keys("Return")
        self.program.focus(self.screen, self.main_window())
        self.width, self.height = width, height
        self.origin = wait_for("no white canvas of %d x %d" % (width, height), self.find_canvas)

    def main_window(self):
        self.main = wait_for("no main window", lambda: next(
            (w for w in self.screen.windows() if w.name == MAIN_WINDOW), None))
        return self.main

    def frame(self):
        """The main window's frame's corner and size; its buttons' and grip's middles."""
        w = self.main_window()
        left, right, top, bottom = wait_for("no frame", lambda: self.screen.numbers(
            "-id", w.handle, "_NET_FRAME_EXTENTS"))
        x, y, x1, y1 = w.x - left, w.y - top, w.x + w.width + right, w.y + w.height + bottom
        return ((x, y, w.width, w.height), (x + top // 2, y + top // 2),
                (x1 - top // 2, y + top // 2), (x1 - bottom // 2 - 1, y1 - bottom // 2 - 1))

    def press(self, x, y, by=None, what="", done=None):
        """A click, or a drag by (dx, dy) = by let go once done() holds: a window
        manager takes a first move as its start, an early release not as its end."""
        self.screen.point("move", x, y)
        self.screen.point("press", 1)
        for x, y in [(x + 1, y + 1), (x + by[0], y + by[1])] if by else []:
            self.screen.point("move", x, y)
        wait_for(what, done or (lambda: True))
        self.screen.point("release", 1)

    def find_canvas(self):
        """The top left corner of a white block of the canvas's size whose
        right and bottom edges border something that is not white (the
        scroll bars), or None."""
        screen_width, screen_height, pixels = self.screen.capture()
        width, height = self.width * self.screen.scale, self.height * self.screen.scale
        row, white = screen_width * 3, WHITE * width

        def white_at(x, y, count=width):
            return pixels[y * row + x * 3:y * row + (x + count) * 3] == WHITE * count
        for y in range(screen_height - height):
            x = pixels.find(white, y * row, (y + 1) * row)
            while x != -1:
                left = x % row // 3
                if (x % 3 == 0 and not white_at(left, y + height)
                        and all(white_at(left, r) and not white_at(left + width, r, 1)
                                for r in range(y, y + height))):
                    return left, y
                x = pixels.find(white, x + 1, (y + 1) * row)
        return None

    def canvas(self):
        """The canvas as the screen shows it, RGB rows; with a scaled display
        one pixel of each block, or None while a block is not of one colour."""
        screen_width, _, pixels = self.screen.capture()
        s, (left, top) = self.screen.scale, self.origin

        def at(x, y):
            start = ((top + y) * screen_width + left + x) * 3
            return pixels[start:start + 3]
        if s > 1 and any(at(x, y) != at(x - x % s, y - y % s)
                         for y in range(self.height * s) for x in range(self.width * s)):
            return None
        return b"".join(at(x * s, y * s) for y in range(self.height) for x in range(self.width))

    def shows(self, points, colour):
        canvas = self.canvas()
        return canvas is not None and all(
            canvas[(y * self.width + x) * 3:(y * self.width + x + 1) * 3] == colour
            for x, y in points)

    def drag(self, button, points, colour, half=0, size=3):
        """A stroke through the points; with a scaled display, half picks the
        device pixel half way into each canvas pixel. The canvas must then
        show the colour at each point and the middle of each segment that
        lie on it (a pen of size 1 stamps the pixel above and left of a
        point): each of those must change colour with this stroke."""
        shift = 1 if size == 1 else 0
        s, (left, top) = self.screen.scale, self.origin
        self.screen.point("move", left + points[0][0] * s + half, top + points[0][1] * s + half)
        self.screen.point("press", button)
        marks = [(points[0][0] - shift, points[0][1] - shift)]
        for (x0, y0), (x, y) in zip(points, points[1:]):
            self.screen.point("move", left + x * s + half, top + y * s + half)
            marks += [(px - shift, py - shift) for px, py in (((x0 + x) // 2, (y0 + y) // 2), (x, y))
                      if px < self.width and py < self.height]
            if self.program.merges_moves:
                wait_for("the move to %s not drawn" % ((x, y),), lambda: self.shows(marks, colour))
        self.screen.point("release", button)
        # Out of the way: a compositor draws the pointer into screenshots.
        self.screen.point("move", 1279, 1023)
        wait_for("the stroke %s not shown" % points, lambda: self.shows(marks, colour))

    def choose(self, *keys):
        """A menu command through its mnemonics, Alt and the menu's first."""
        self.program.focus(self.screen, self.main)
        self.screen.keys(*keys)

    def save(self, name, second_type):
        self.choose("alt+f", "s")
        dialog = self.wait_for_dialog("save dialog")
        if second_type:  # the type list follows the name field, in Qt's dialog as in Windows'
            self.screen.keys("Tab", "Down", "shift+Tab")
        self.screen.type(name)
        self.screen.keys("Return")
        self.wait_until_gone(dialog)
        path = os.path.join(self.folder, name)
        wait_for(name + " was not written", lambda: os.path.exists(path))
        with open(path, "rb") as f:
            return f.read()

    def leave(self, close_button=None):
        self.press(*close_button) if close_button else self.choose("alt+f", "x")
        try:
            status = self.process.wait(timeout=30)
        except subprocess.TimeoutExpired:
            raise Failed("the program did not end after Exit")
        if status != 0 or (self.output() and not self.program.talks):
            raise Failed("exit status %d, and on the standard streams: %s"
                         % (status, self.output()))

    def output(self):
        """What the program has written to its standard streams so far."""
        self.log.seek(0)
        return self.log.read().decode(errors="replace")


def bmp(width, height, rgb):
    """A 24-bit BMP file of RGB rows, as our writer makes it."""
    rows = [rgb[y * width * 3:(y + 1) * width * 3] for y in reversed(range(height))]
    body = b"".join(bytes(row[i + 2 - c] for i in range(0, len(row), 3) for c in range(3))
                    .ljust((3 * width + 3) // 4 * 4, b"\0") for row in rows)
    return (struct.pack("<2sIHHI", b"BM", 54 + len(body), 0, 0, 54) +
            struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, 0, 0, 0, 0, 0) + body)


# A house in three colours, drawn with both buttons: (menu keys for the left
# pen first, button, points, colour). The grass leaves the window through
# its right edge and comes back, the pointer captured; the white pen runs
# along the green.
HOUSE = [([], 1, [(130, 300), (130, 190), (270, 190), (270, 300)], BLACK),
         ([], 1, [(185, 300), (185, 240), (215, 240), (215, 300)], BLACK),
         (["c", "r"], 1, [(120, 200), (200, 120), (280, 200)], RED),
         (["p", "5"], 1, [(460, 70), (480, 50), (520, 50), (540, 70), (540, 110), (520, 130),
                          (480, 130), (460, 110), (460, 75)], RED),
         (["c", "g"], 1, [(20, 300), (700, 300), (560, 340)], GREEN),
         ([], 3, [(180, 300), (220, 300)], WHITE)]


def journey(person, out):
    """Then a BMP and a JPEG saved, the About box over the main window, the
    help page beside the program (<prefix>/share/scribblet/help) handed to the
    browser, Exit (openbox's close button). --out receives screenshot.png."""
    person.answer_size_dialog(640, 360)
    if person.screen.manager:
        through_the_frame(person)
    for keys, button, points, colour in HOUSE:
        if keys:
            person.choose("alt+l", *keys)
        person.drag(button, points, colour)
    if out:
        person.screen.screenshot(os.path.join(out, "screenshot.png"), person.main)
    canvas = person.canvas()
    if person.save("drawing.bmp", second_type=False) != bmp(640, 360, canvas):
        raise Failed("the BMP differs from the screen")
    cjpeg = subprocess.run(["cjpeg", "-quality", "80"], input=b"P6 640 360 255\n" + canvas,
                           capture_output=True, check=True).stdout
    if person.save("drawing.jpg", second_type=True) != cjpeg:
        raise Failed("the JPEG differs from cjpeg -quality 80 of the screen")
    person.choose("alt+h", "a")
    about, main = person.wait_for_dialog("About box"), person.main_window()
    if not (main.x < about.x < main.x + main.width and main.y < about.y < main.y + main.height):
        raise Failed("the About box %s is not over the main window %s" % (about, main))
    person.screen.keys("Escape")
    person.wait_until_gone(about)
    person.choose("alt+h", "o")
    # Under Wine the address names the page through the prefix's drive C:.
    prefix = os.path.dirname(os.path.dirname(person.program.command[-1]))
    opened = os.path.join(person.folder, "opened")
    wait_for("nothing was handed to the browser",
             lambda: os.path.exists(opened) and os.path.getsize(opened) > 0)
    with open(opened) as f:
        opened = f.read()
    if not opened.startswith("file:///") or os.path.realpath(urllib.parse.unquote(
            opened[7:])) != os.path.realpath(prefix + "/share/scribblet/help/index.html"):
        raise Failed("the browser was given another page: " + opened)
    person.leave(person.frame()[2] if person.screen.manager else None)


def through_the_frame(person):
    """The frame's corner lies in the work area; maximised by the title bar's
    button, the canvas plus the frame at the work area's corner, restored as
    before; a border dragged out stops there; the title bar dragged moves it."""
    (x, y, *full), maximise, _, _ = person.frame()
    if x < person.screen.work_area[0] or y < person.screen.work_area[1]:
        raise Failed("the frame's corner (%d, %d) is off the work area" % (x, y))
    person.press(*person.frame()[3], (-150, -100), "a border dragged in did not size it",
                 lambda: person.frame()[0][2:] == (full[0] - 150, full[1] - 100))
    for name, shape in (("maximised", tuple(person.screen.work_area[:2] + full)),
                        ("restored", person.frame()[0])):
        person.press(*person.frame()[1])
        wait_for("%s, not %s" % (name, shape), lambda: person.frame()[0] == shape)
    person.press(*person.frame()[3], (400, 400), "a border dragged out did not stop at the canvas",
                 lambda: list(person.frame()[0][2:]) == full)
    person.press(x + full[0] // 2, maximise[1], (200, 150), "the window did not follow",
                 lambda: person.frame()[0][:2] == (x + 200, y + 150))
    person.origin = wait_for("no canvas after the move", person.find_canvas)


def scaled(person, out):
    """A click of a pen of size 1 blackens the canvas pixel above and left of
    the one under the pointer, and no other."""
    person.answer_size_dialog(200, 150)
    person.choose("alt+l", "p", "1")
    clicks = [(10, 4), (30, 30), (31, 30), (100, 20)]
    for x, y in clicks:
        person.drag(1, [(x, y)], BLACK, half=1, size=1)
    canvas = person.canvas()
    black = {(i % 200, i // 200) for i in range(200 * 150) if canvas[3 * i:3 * i + 3] == BLACK}
    if black != {(x - 1, y - 1) for x, y in clicks}:
        raise Failed("black pixels at %s" % sorted(black))
    person.leave()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("walk", choices=["journey", "scaled"])
    parser.add_argument("program")
    parser.add_argument("--display", choices=["x11", "wayland"], default="x11")
    parser.add_argument("--window-manager", action="store_true")
    parser.add_argument("--wine", action="store_true")
    parser.add_argument("--pointer")
    parser.add_argument("--out")
    options = parser.parse_args()
    out = options.out and os.path.abspath(options.out)
    if out:
        os.makedirs(out, exist_ok=True)
    program = (WineProgram if options.wine else LinuxProgram)(os.path.abspath(options.program))
    # The clients' own runtime folder, as a desktop session gives them
    # (without one Qt says so on the standard error stream).
    os.environ["XDG_RUNTIME_DIR"] = tempfile.mkdtemp(prefix="scribblet-runtime-")
    folder = tempfile.mkdtemp(prefix="scribblet-journey-")
    person = screen = None
    try:
        if options.display == "wayland":
            screen = Wayland(options.pointer, scale=2 if options.walk == "scaled" else 1)
        else:
            screen = X11(options.window_manager)
        person = Person(screen, program, folder)
        globals()[options.walk](person, out)
        for name in os.listdir(folder) if out else []:
            if name.startswith("drawing."):
                shutil.copy(os.path.join(folder, name), out)
    except Failed as failure:
        if out and screen:
            screen.screenshot(os.path.join(out, "failed.png"))
        print("FAILED:", failure)
        # A wait that ran out may mean that the program ended, or never drew.
        if person:
            status = person.process.poll()
            print("the program: %s; on the standard streams: %r" % (
                "still running" if status is None else "ended with status %d" % status,
                person.output()))
        return 1
    finally:
        if person and person.process.poll() is None:
            person.process.kill()
            person.process.wait()
        if screen:
            screen.close()
        shutil.rmtree(folder, ignore_errors=True)
        shutil.rmtree(os.environ["XDG_RUNTIME_DIR"], ignore_errors=True)
    print("passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
