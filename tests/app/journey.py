#!/usr/bin/env python3
"""The real program used as a person uses it, on a real display with real
input: the size dialog, strokes with both buttons (one leaving the window
and coming back), a colour and a size from the menu, a BMP and a JPEG saved
through the save dialog, the About box, Exit with status 0, and the files
checked against the drawing as the stroke engine defines it.

The steps are written once; the display is one of

  x11        an X server of its own (Xvfb), xdotool as the hand
  wayland    a headless wlroots compositor of its own (sway, run as an
             unprivileged user when started by root), wtype and the
             virtual-pointer client as the hand, grim as the eye

  journey.py [options] journey PROGRAM
  journey.py [options] scaled PROGRAM    (wayland, scale 2) the canvas
                                         crisp and the pointer landing on
                                         the pixel under it

  --display x11|wayland           (x11)
  --wine                          PROGRAM is a Windows program, run by Wine
  --pointer CLIENT                the virtual-pointer client (wayland)
  --out FOLDER                    keeps drawing.bmp, drawing.jpg and a
                                  screenshot of each step there

Only the standard library; the tools named above and cjpeg from Debian.
"""
import argparse
import json
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import time


class Failed(Exception):
    pass


def wait_for(what, condition, seconds=30):
    """The condition's first true value, asked again until the time is up."""
    end = time.monotonic() + seconds
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > end:
            raise Failed(what)
        time.sleep(0.05)


def run(*command, env=None, check=True):
    result = subprocess.run([str(c) for c in command], env=env,
                            capture_output=True, timeout=60)
    if check and result.returncode != 0:
        raise Failed("%s: %s" % (" ".join(map(str, command)),
                                 result.stderr.decode(errors="replace")))
    return result.stdout


def read_ppm(data):
    """Width, height and the RGB bytes of a binary (P6) PPM image."""
    fields, at = [], 0
    while len(fields) < 4:
        while data[at:at + 1].isspace():
            at += 1
        end = at
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[at:end])
        at = end
    if fields[0] != b"P6" or int(fields[3]) != 255:
        raise Failed("not an 8-bit binary PPM")
    return int(fields[1]), int(fields[2]), data[at + 1:]


class Window:
    def __init__(self, handle, name, x, y, width, height):
        self.handle, self.name = handle, name
        self.x, self.y, self.width, self.height = x, y, width, height


# ---- The displays: a screen to look at, a keyboard and a pointer -------------

class X11:
    """Keys are X keysym names, "alt+f" for a chord; positions are screen
    pixels."""

    scale = 1

    def __init__(self):
        read_end, write_end = os.pipe()
        self.server = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24",
             "-nolisten", "tcp"], pass_fds=(write_end,),
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end, "rb") as pipe:
            number = pipe.readline().strip()
        if not number:
            raise Failed("Xvfb did not start")
        self.env = dict(os.environ, DISPLAY=":" + number.decode(), QT_QPA_PLATFORM="xcb")
        self.env.pop("QT_SCALE_FACTOR", None)
        self.env.pop("WAYLAND_DISPLAY", None)

    def xdotool(self, *args, check=True):
        return run("xdotool", *args, env=self.env, check=check).decode()

    def windows(self):
        found = []
        for handle in self.xdotool("search", "--onlyvisible", "--name", "",
                                   check=False).split():
            name = self.xdotool("getwindowname", handle, check=False).strip()
            shape = {}
            for line in self.xdotool("getwindowgeometry", "--shell", handle,
                                     check=False).splitlines():
                key, _, value = line.partition("=")
                shape[key] = int(value)
            if name and shape:
                found.append(Window(handle, name, shape["X"], shape["Y"],
                                    shape["WIDTH"], shape["HEIGHT"]))
        return found

    def focus(self, window):
        self.xdotool("windowfocus", "--sync", window.handle, check=False)

    def keys(self, *keys):
        self.xdotool("key", "--clearmodifiers", "--delay", "120", *keys)

    def type(self, text):
        self.xdotool("type", "--delay", "40", text)

    def move(self, x, y):
        self.xdotool("mousemove", "--sync", x, y)

    def press(self, button):
        self.xdotool("mousedown", button)

    def release(self, button):
        self.xdotool("mouseup", button)

    def capture(self):
        return read_ppm(run("import", "-window", "root", "-depth", "8", "ppm:-",
                            env=self.env))

    def screenshot(self, path):
        run("import", "-window", "root", path, env=self.env)

    def close(self):
        self.server.terminate()
        self.server.wait()


class Wayland:
    """sway on its headless back end, one output of 1280 × 1024 device
    pixels. Every window floats, as on the stacking desktops (GNOME, KDE)
    where windows keep the size they ask for. Positions are device pixels,
    as the screenshots have them."""

    # wtype's keys go after this pause, long enough for what the keys
    # before them opened (a list dropped down by a click) to take them.
    KEYBOARD_PAUSE_MS = "400"

    def __init__(self, pointer_client, scale):
        self.scale = scale
        self.home = tempfile.mkdtemp(prefix="scribblet-sway-")
        config = os.path.join(self.home, "config")
        with open(config, "w") as f:
            f.write("output HEADLESS-1 resolution 1280x1024 scale %d\n"
                    "for_window [app_id=.*] floating enable\n"
                    "xwayland disable\n" % scale)
        # sway refuses to run as root: there it runs as nobody, in a home
        # and runtime folder of its own that root's clients can still reach.
        as_user = []
        if os.geteuid() == 0:
            os.chmod(config, 0o644)
            shutil.chown(self.home, "nobody", "nogroup")
            as_user = ["setpriv", "--reuid=nobody", "--regid=nogroup",
                       "--clear-groups"]
        os.chmod(self.home, 0o700)
        server_env = {"PATH": os.environ.get("PATH", "/usr/bin:/bin"),
                      "HOME": self.home, "XDG_RUNTIME_DIR": self.home,
                      "WLR_BACKENDS": "headless", "WLR_LIBINPUT_NO_DEVICES": "1",
                      "WLR_RENDERER": "pixman"}
        self.log = open(os.path.join(tempfile.gettempdir(),
                                     "scribblet-sway-%d.log" % os.getpid()), "w+")
        self.server = subprocess.Popen(as_user + ["sway", "-c", config],
                                       env=server_env, stdout=self.log,
                                       stderr=subprocess.STDOUT)
        try:
            socket = wait_for("sway did not start: see " + self.log.name,
                              lambda: self.server.poll() is None and self.socket("wayland-"),
                              seconds=20)
            ipc = wait_for("sway's IPC did not start", lambda: self.socket("sway-ipc."))
            self.env = dict(os.environ, WAYLAND_DISPLAY=socket, SWAYSOCK=ipc,
                            QT_QPA_PLATFORM="wayland")
            for name in ("DISPLAY", "QT_SCALE_FACTOR"):
                self.env.pop(name, None)
            self.pointer = subprocess.Popen([pointer_client, "1280", "1024"],
                                            env=self.env, stdin=subprocess.PIPE,
                                            stdout=subprocess.PIPE, text=True)
            # The seat has a pointer from its first move: let the program
            # find it there when it starts.
            self.move(1279, 1023)
        except Failed:
            self.server.kill()
            raise
        # Each wtype call makes a virtual keyboard of its own. One that lasts
        # keeps the seat's keyboard, so that the program holds it from its
        # start and the keys of each later call reach it at once.
        self.keyboard = subprocess.Popen(["wtype", "-s", "86400000"], env=self.env)

    def socket(self, prefix):
        for name in os.listdir(self.home):
            if name.startswith(prefix) and not name.endswith(".lock"):
                return os.path.join(self.home, name)
        return None

    def windows(self):
        tree = json.loads(run("swaymsg", "-t", "get_tree", env=self.env))
        found, nodes = [], [tree]
        while nodes:
            node = nodes.pop()
            nodes += node.get("nodes", []) + node.get("floating_nodes", [])
            if node.get("pid") and node.get("visible") and node.get("name"):
                outer, inner = node["rect"], node["window_rect"]
                s = self.scale
                found.append(Window(node["id"], node["name"],
                                    s * (outer["x"] + inner["x"]),
                                    s * (outer["y"] + inner["y"]),
                                    s * inner["width"], s * inner["height"]))
        return found

    def focus(self, window):
        run("swaymsg", "[con_id=%d]" % window.handle, "focus", env=self.env)

    def wtype(self, *args):
        run("wtype", "-s", self.KEYBOARD_PAUSE_MS, *args, env=self.env)

    def keys(self, *keys):
        args = []
        for k in keys:
            *modifiers, name = k.split("+")
            args += [a for m in modifiers for a in ("-M", m)] + ["-k", name]
            args += [a for m in modifiers for a in ("-m", m)] + ["-s", "120"]
        self.wtype(*args)

    def type(self, text):
        self.wtype("-d", "40", text)

    def point(self, command):
        self.pointer.stdin.write(command + "\n")
        self.pointer.stdin.flush()
        answer = self.pointer.stdout.readline().strip()
        if answer != "ok":
            raise Failed("the virtual pointer: %s: %s" % (command, answer or "gone"))

    def move(self, x, y):
        self.point("move %d %d" % (x, y))

    def press(self, button):
        self.point("press %d" % button)

    def release(self, button):
        self.point("release %d" % button)

    def capture(self):
        return read_ppm(run("grim", "-t", "ppm", "-", env=self.env))

    def screenshot(self, path):
        run("grim", path, env=self.env)

    def close(self):
        self.keyboard.kill()
        self.keyboard.wait()
        self.pointer.stdin.close()
        self.pointer.wait()
        self.server.terminate()
        self.server.wait()
        self.log.close()
        os.unlink(self.log.name)
        shutil.rmtree(self.home, ignore_errors=True)


# ---- The program: on Linux, or for Windows under Wine -------------------------

class LinuxProgram:
    merges_moves = False
    talks = False  # writes nothing on the standard streams in a normal run

    def __init__(self, path):
        self.command, self.env = [path], {}

    def file_name(self, path):
        return path

    def focus(self, screen, window):
        screen.focus(window)


class WineProgram(LinuxProgram):
    merges_moves = True
    talks = True  # Wine says what it cannot reach (the volume label of Z:)

    def __init__(self, path):
        self.command = [os.environ.get("SCRIBBLET_WINE", "/usr/lib/wine/wine64"), path]
        # A Japanese Windows: narrow texts are code page 932.
        self.env = {"LC_ALL": "ja_JP.UTF-8"}

    def file_name(self, path):
        return "Z:" + path.replace("/", "\\")

    def focus(self, screen, window):
        # Without a window manager, Wine takes the focus only from a click:
        # one at the middle of the caption that it draws, clear of controls.
        screen.move(window.x + window.width // 2, window.y + 4)
        screen.press(1)
        screen.release(1)
        screen.focus(window)


# ---- What the drawing must be ----------------------------------------------------

BLACK, WHITE, RED = (0, 0, 0), (255, 255, 255), (255, 0, 0)


class ExpectedCanvas:
    """The drawing as the stroke engine defines it."""

    def __init__(self, width, height):
        self.width, self.height = width, height
        self.pixels = [[WHITE] * width for _ in range(height)]

    def fill(self, left, top, right, bottom, colour):
        for yy in range(max(top, 0), min(bottom, self.height)):
            row = self.pixels[yy]
            for xx in range(max(left, 0), min(right, self.width)):
                row[xx] = colour

    def segment(self, start, end, size, colour):
        px, py = start
        dx, dy = end[0] - px, end[1] - py
        n = max(abs(dx), abs(dy)) + 1
        for i in range(n):
            cx, cy = px + int(i * dx / n), py + int(i * dy / n)  # C truncation
            self.fill(cx - size, cy - size, cx + size - 1, cy + size - 1, colour)

    def rgb(self, scale=1):
        """The pixels as RGB bytes, each a block of scale × scale."""
        rows = []
        for row in self.pixels:
            line = b"".join(bytes(p) * scale for p in row)
            rows += [line] * scale
        return b"".join(rows)

    def bmp(self):
        rowbytes = (3 * self.width + 3) // 4 * 4
        body = b"".join(
            b"".join(bytes((b, g, r)) for r, g, b in row).ljust(rowbytes, b"\0")
            for row in reversed(self.pixels))
        header = struct.pack("<2sIHHI", b"BM", 54 + len(body), 0, 0, 54)
        info = struct.pack("<IiiHHIIiiII", 40, self.width, self.height, 1, 24, 0,
                           0, 0, 0, 0, 0)
        return header + info + body

    def ppm(self):
        return b"P6\n%d %d\n255\n" % (self.width, self.height) + self.rgb()


def screen_block(screen_image, left, top, width, height):
    screen_width, _, pixels = screen_image
    return b"".join(pixels[(row * screen_width + left) * 3:
                           (row * screen_width + left + width) * 3]
                    for row in range(top, top + height))


def find_white_block(screen_image, width, height):
    """The top left corner of a white block of the given size whose right
    and bottom edges border something that is not white (a fresh canvas
    and its scroll bars), or None."""
    screen_width, screen_height, pixels = screen_image
    row_bytes, white = screen_width * 3, b"\xff\xff\xff"

    def white_at(y, x, count):
        return pixels[y * row_bytes + x * 3:y * row_bytes + (x + count) * 3] == white * count

    for y in range(screen_height - height):
        line = pixels[y * row_bytes:(y + 1) * row_bytes]
        x = line.find(white * width)
        while x != -1:
            left, right, bottom = x // 3, x // 3 + width, y + height
            if (x % 3 == 0 and right < screen_width and bottom < screen_height
                    and all(white_at(r, left, width) for r in range(y, bottom))
                    and not any(white_at(r, right, 1) for r in range(y, bottom))
                    and not white_at(bottom, left, width)):
                return left, y
            x = line.find(white * width, x + 1)
    return None


# ---- The person -------------------------------------------------------------------

MAIN_WINDOW = "Scribblet"
WINE_IME = "Default IME"


class Person:
    def __init__(self, screen, program, folder, out):
        self.screen, self.program, self.folder, self.out = screen, program, folder, out
        self.shots = 0
        self.log = tempfile.TemporaryFile()
        env = dict(screen.env, **program.env)
        if "LSAN_OPTIONS" in env:
            # Leaks that system libraries keep to the end are suppressed by
            # their names, which need the whole stack: those libraries keep
            # no frame pointers, and some are unloaded before the report.
            env["LSAN_OPTIONS"] += ":fast_unwind_on_malloc=0"
        self.process = subprocess.Popen(program.command, env=env,
                                        stdout=self.log, stderr=subprocess.STDOUT)
        self.main = None

    def shot(self, name):
        if self.out:
            self.shots += 1
            os.makedirs(os.path.join(self.out, "steps"), exist_ok=True)
            self.screen.screenshot(os.path.join(self.out, "steps",
                                                "%d-%s.png" % (self.shots, name)))

    def other_window(self):
        """The largest named window other than the main window."""
        others = [w for w in self.screen.windows()
                  if w.name not in (MAIN_WINDOW, WINE_IME)]
        return max(others, key=lambda w: w.width * w.height, default=None)

    def wait_for_dialog(self, what):
        dialog = wait_for("no " + what, self.other_window)
        self.program.focus(self.screen, dialog)
        return dialog

    def wait_until_gone(self, window):
        wait_for("the window %r stayed" % window.name,
                 lambda: all(w.handle != window.handle for w in self.screen.windows()))

    def replace_text(self, text):
        self.screen.keys("End", *["BackSpace"] * 6)
        self.screen.type(text)

    def answer_size_dialog(self, width, height):
        dialog = self.wait_for_dialog("size dialog")
        self.shot("size-dialog")
        self.replace_text(str(width))
        self.screen.keys("Tab")
        self.replace_text(str(height))
        self.shot("size-typed")
        self.screen.keys("Return")
        self.main = wait_for("no main window", lambda: next(
            (w for w in self.screen.windows() if w.name == MAIN_WINDOW), None))
        self.program.focus(self.screen, self.main)
        s = self.screen.scale
        self.expected = ExpectedCanvas(width, height)
        self.origin = wait_for("no white canvas of %d x %d on the screen" % (width, height),
                               lambda: find_white_block(self.screen.capture(),
                                                        width * s, height * s))
        self.shot("main-window")

    def canvas_shown(self):
        """Whether the screen shows the expected canvas, pixel for pixel."""
        s = self.screen.scale
        shown = screen_block(self.screen.capture(), *self.origin,
                             self.expected.width * s, self.expected.height * s)
        return shown == self.expected.rgb(s)

    def wait_for_canvas(self, what):
        wait_for("the screen does not show the drawing after " + what, self.canvas_shown)

    def at(self, point, half=0):
        """The screen position of a canvas point; with a scaled display,
        half picks the device pixel half way into the canvas pixel."""
        s = self.screen.scale
        return self.origin[0] + point[0] * s + half, self.origin[1] + point[1] * s + half

    def drag(self, button, points, size, colour, half=0):
        self.screen.move(*self.at(points[0], half))
        self.screen.press(button)
        self.expected.segment(points[0], points[0], size, colour)
        for start, end in zip(points, points[1:]):
            if self.program.merges_moves:
                # Windows keeps only the latest move in the queue: each move
                # waits until the one before it has been drawn.
                self.wait_for_canvas("a move")
            self.screen.move(*self.at(end, half))
            self.expected.segment(start, end, size, colour)
        self.screen.release(button)
        # Out of the way: a compositor draws the pointer into screenshots.
        self.screen.move(1279, 1023)
        self.wait_for_canvas("a stroke")

    def choose(self, *keys):
        """A menu command through its mnemonics, Alt and the menu's first."""
        self.program.focus(self.screen, self.main)
        self.screen.keys(*keys)

    def save(self, name, second_type):
        path = os.path.join(self.folder, name)
        self.choose("alt+f", "s")
        dialog = self.wait_for_dialog("save dialog")
        if second_type:
            # The type list follows the name field, in Qt's dialog as in
            # Windows'.
            self.screen.keys("Tab", "Down", "shift+Tab")
        self.replace_text(self.program.file_name(path))
        self.shot("save-" + name)
        # Qt's dialog may spend the first Return on the completion list of
        # the typed folders: it is pressed again while nothing is written.
        for _ in range(3):
            self.screen.keys("Return")
            try:
                wait_for("", lambda: os.path.exists(path), seconds=5)
                break
            except Failed:
                pass
        wait_for(name + " was not written", lambda: os.path.exists(path), seconds=1)
        self.wait_until_gone(dialog)
        return path

    def about(self):
        self.choose("alt+h", "a")
        about = self.wait_for_dialog("About box")
        self.shot("about-box")
        self.screen.keys("Escape")
        self.wait_until_gone(about)

    def leave(self):
        self.choose("alt+f", "x")
        try:
            status = self.process.wait(timeout=30)
        except subprocess.TimeoutExpired:
            raise Failed("the program did not end after Exit")
        self.log.seek(0)
        output = self.log.read().decode(errors="replace")
        if status != 0 or (output and not self.program.talks):
            raise Failed("exit status %d, and on the standard streams: %s" % (status, output))

    def end(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()


def journey(person):
    person.answer_size_dialog(320, 240)
    # Each move of a stroke draws something that shows, so that it can be
    # waited for; the white pen crosses the black. The third stroke leaves
    # the window through its right edge and comes back.
    person.drag(1, [(20, 20), (20, 60), (20, 120), (100, 120), (180, 120), (220, 80)], 3, BLACK)
    person.drag(3, [(10, 100), (60, 100)], 3, WHITE)
    person.drag(1, [(280, 40), (360, 120), (280, 200)], 3, BLACK)
    person.choose("alt+l", "c", "r")
    person.choose("alt+l", "p", "5")
    person.shot("menu-chosen")
    person.drag(1, [(40, 200), (80, 160), (120, 200), (200, 200)], 5, RED)
    person.shot("drawn")
    bmp = person.save("drawing.bmp", second_type=False)
    jpeg = person.save("drawing.jpg", second_type=True)
    person.about()
    person.leave()
    check_files(person.expected, bmp, jpeg)


def scaled(person):
    """One canvas pixel per two device pixels: single-pixel strokes, each
    point on the second device pixel of a canvas pixel."""
    person.answer_size_dialog(200, 150)
    person.choose("alt+l", "p", "1")
    for points in ([(10, 4)], [(30, 30), (31, 30), (32, 31)], [(100, 20), (100, 60)]):
        person.drag(1, points, 1, BLACK, half=1)
    person.shot("scaled")
    person.leave()


def check_files(expected, bmp_path, jpeg_path):
    with open(bmp_path, "rb") as f:
        if f.read() != expected.bmp():
            raise Failed("the BMP differs from the drawing")
    wanted_jpeg = subprocess.run(["cjpeg", "-quality", "80"], input=expected.ppm(),
                                 capture_output=True, check=True).stdout
    with open(jpeg_path, "rb") as f:
        if f.read() != wanted_jpeg:
            raise Failed("the JPEG differs from cjpeg -quality 80 of the drawing")


def give_runtime_folder():
    """The clients' own runtime folder, as a desktop session gives them
    (without one Qt says so on the standard error stream)."""
    os.environ["XDG_RUNTIME_DIR"] = tempfile.mkdtemp(prefix="scribblet-runtime-")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("walk", choices=["journey", "scaled"])
    parser.add_argument("program")
    parser.add_argument("--display", choices=["x11", "wayland"], default="x11")
    parser.add_argument("--wine", action="store_true")
    parser.add_argument("--pointer")
    parser.add_argument("--out")
    options = parser.parse_args()
    out = os.path.abspath(options.out) if options.out else None
    program = (WineProgram if options.wine else LinuxProgram)(os.path.abspath(options.program))
    give_runtime_folder()
    person = screen = None
    folder = tempfile.mkdtemp(prefix="scribblet-journey-")
    try:
        if options.display == "wayland":
            screen = Wayland(options.pointer, scale=2 if options.walk == "scaled" else 1)
        else:
            screen = X11()
        person = Person(screen, program, folder, out)
        {"journey": journey, "scaled": scaled}[options.walk](person)
        if out:
            for name in os.listdir(folder):
                shutil.copy(os.path.join(folder, name), out)
    except Failed as failure:
        if person:
            person.shot("failed")
        print("FAILED:", failure)
        return 1
    finally:
        if person:
            person.end()
        if screen:
            screen.close()
        shutil.rmtree(folder, ignore_errors=True)
        shutil.rmtree(os.environ["XDG_RUNTIME_DIR"], ignore_errors=True)
    print("passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
