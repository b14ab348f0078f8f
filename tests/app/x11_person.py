#!/usr/bin/env python3
"""Uses the real program on a real X server (Xvfb), with xdotool as the
person's hand.

  x11_person.py smoke PROGRAM      start, answer the size dialog, draw a
                                   stroke, leave through the menu: status 0
  x11_person.py journey PROGRAM    the size dialog, drawing with both
                                   buttons, a colour and a size from the
                                   menu, a BMP and a JPEG saved through the
                                   save dialog, the files checked, status 0
  x11_person.py screenshots PROGRAM FOLDER
                                   the journey, with a screenshot of each
                                   thing the person sees, into FOLDER

Only the standard library; Xvfb, xdotool, xwd and cjpeg from Debian.
"""
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import time


class Failed(Exception):
    pass


# ---- The X server and the program -------------------------------------------

class Display:
    def __init__(self):
        read_end, write_end = os.pipe()
        self.server = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24",
             "-nolisten", "tcp"], pass_fds=(write_end,),
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        number = b""
        with os.fdopen(read_end, "rb") as pipe:
            while not number.endswith(b"\n"):
                chunk = pipe.read(1)
                if not chunk:
                    raise Failed("Xvfb did not start")
                number += chunk
        self.name = ":" + number.decode().strip()
        self.env = dict(os.environ, DISPLAY=self.name, QT_QPA_PLATFORM="xcb")
        self.env.pop("QT_SCALE_FACTOR", None)

    def close(self):
        self.server.terminate()
        self.server.wait()


def xdotool(display, *args, check=True):
    result = subprocess.run(["xdotool", *map(str, args)], env=display.env,
                            capture_output=True, text=True, timeout=30)
    if check and result.returncode != 0:
        raise Failed("xdotool %s: %s" % (" ".join(map(str, args)), result.stderr))
    return result.stdout


def wait_for_window(display, name, timeout=20):
    end = time.time() + timeout
    while time.time() < end:
        found = xdotool(display, "search", "--onlyvisible", "--name", name,
                        check=False).split()
        if found:
            return found[-1]
        time.sleep(0.1)
    raise Failed("no window named %r appeared" % name)


def wait_until_gone(display, window, timeout=20):
    end = time.time() + timeout
    while time.time() < end:
        if not xdotool(display, "search", "--onlyvisible", "--name", ".",
                       check=False).split().count(window):
            return
        time.sleep(0.1)
    raise Failed("window %s did not go away" % window)


def geometry(display, window):
    values = {}
    for line in xdotool(display, "getwindowgeometry", "--shell", window).splitlines():
        key, _, value = line.partition("=")
        values[key] = int(value)
    return values["X"], values["Y"], values["WIDTH"], values["HEIGHT"]


def settle():
    time.sleep(0.25)


def key(display, window, *keys):
    xdotool(display, "windowfocus", "--sync", window)
    for k in keys:
        xdotool(display, "key", "--clearmodifiers", k)
        time.sleep(0.05)
    settle()


def type_text(display, window, text):
    xdotool(display, "windowfocus", "--sync", window)
    xdotool(display, "type", "--delay", "30", text)
    settle()


def click_at(display, x, y, button=1):
    xdotool(display, "mousemove", "--sync", x, y)
    xdotool(display, "click", button)
    settle()


# ---- Pictures -----------------------------------------------------------------

def screen_pixels(display):
    """The whole screen as (width, height, rows of (r, g, b))."""
    data = subprocess.run(["xwd", "-root", "-silent"], env=display.env,
                          capture_output=True, check=True).stdout
    header_size, _, _, depth, width, height = struct.unpack(">6I", data[:24])
    bits_per_pixel = struct.unpack(">I", data[44:48])[0]
    bytes_per_line = struct.unpack(">I", data[48:52])[0]
    ncolors = struct.unpack(">I", data[76:80])[0]
    byte_order = struct.unpack(">I", data[28:32])[0]
    if bits_per_pixel not in (24, 32):
        raise Failed("unexpected screen depth %d" % bits_per_pixel)
    step = bits_per_pixel // 8
    start = header_size + ncolors * 12
    rows = []
    for y in range(height):
        line = data[start + y * bytes_per_line:start + (y + 1) * bytes_per_line]
        row = []
        for x in range(width):
            b = line[x * step:x * step + 3] if byte_order == 0 else line[x * step + step - 3:x * step + step][::-1]
            row.append((b[2], b[1], b[0]))
        rows.append(row)
    return width, height, rows


def canvas_origin(display, window, canvas_width):
    """The screen position of the canvas inside the main window: the first
    row below the menu bar that is white for the canvas's whole width."""
    x, y, width, height = geometry(display, window)
    _, _, rows = screen_pixels(display)
    white = (255, 255, 255)
    for row in range(y, y + height):
        if all(rows[row][x + i] == white for i in range(canvas_width)):
            return x, row
    raise Failed("no white canvas in the main window")


def screenshot(display, path):
    subprocess.run(["import", "-display", display.name, "-window", "root", path],
                   check=True, capture_output=True)


class ExpectedCanvas:
    """The drawing as the stroke engine defines it."""

    def __init__(self, width, height):
        self.width, self.height = width, height
        self.pixels = [[(255, 255, 255)] * width for _ in range(height)]

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
            qx = int(i * dx / n)  # truncates toward zero, as C does
            qy = int(i * dy / n)
            cx, cy = px + qx, py + qy
            self.fill(cx - size, cy - size, cx + size - 1, cy + size - 1, colour)

    def drag(self, points, size, colour):
        self.segment(points[0], points[0], size, colour)
        for a, b in zip(points, points[1:]):
            self.segment(a, b, size, colour)

    def bmp(self):
        rowbytes = (3 * self.width + 3) // 4 * 4
        body = bytearray()
        for row in reversed(self.pixels):
            line = bytearray()
            for r, g, b in row:
                line += bytes((b, g, r))
            body += line + bytes(rowbytes - len(line))
        header = struct.pack("<2sIHHI", b"BM", 54 + len(body), 0, 0, 54)
        info = struct.pack("<IiiHHIIiiII", 40, self.width, self.height, 1, 24, 0,
                           0, 0, 0, 0, 0)
        return header + info + bytes(body)

    def ppm(self):
        body = b"".join(bytes(p) for row in self.pixels for p in row)
        return b"P6\n%d %d\n255\n" % (self.width, self.height) + body


# ---- The person -----------------------------------------------------------------

SIZE_DIALOG = "描画領域のサイズを入力して下さい"
MAIN_WINDOW = "^Scribblet$"
BLACK, WHITE, RED = (0, 0, 0), (255, 255, 255), (255, 0, 0)


class Person:
    def __init__(self, display, program, shots=None):
        self.display = display
        self.shots = shots
        self.process = subprocess.Popen([program], env=display.env,
                                        stdout=subprocess.PIPE, stderr=subprocess.PIPE)

    def shot(self, name):
        if self.shots:
            settle()
            screenshot(self.display, os.path.join(self.shots, name + ".png"))

    def answer_size_dialog(self, width=None, height=None):
        dialog = wait_for_window(self.display, SIZE_DIALOG)
        settle()
        if width is not None:
            # The width field has the focus with its 800 selected.
            type_text(self.display, dialog, str(width))
            key(self.display, dialog, "Tab")
            type_text(self.display, dialog, str(height))
        self.shot("size-dialog")
        key(self.display, dialog, "Return")
        self.window = wait_for_window(self.display, MAIN_WINDOW)
        settle()
        self.canvas_size = (width or 800, height or 800)
        self.origin = canvas_origin(self.display, self.window, self.canvas_size[0])
        x, y, _, _ = geometry(self.display, self.window)
        self.menu_bar_y = (y + self.origin[1]) // 2

    def drag(self, button, points):
        ox, oy = self.origin
        d = self.display
        xdotool(d, "mousemove", "--sync", ox + points[0][0], oy + points[0][1])
        time.sleep(0.05)
        xdotool(d, "mousedown", button)
        time.sleep(0.05)
        for px, py in points[1:]:
            xdotool(d, "mousemove", "--sync", ox + px, oy + py)
            time.sleep(0.05)
        xdotool(d, "mouseup", button)
        settle()

    def open_menu(self, index):
        """Opens the index-th menu of the menu bar (0 = File) by clicking the
        first title and moving along the bar with the keyboard: Right from
        File, Left (round the end) for the last, Help."""
        x, _, _, _ = geometry(self.display, self.window)
        click_at(self.display, x + 12, self.menu_bar_y)
        moves = ["Left"] if index == 3 else ["Right"] * index
        for move in moves:
            settle()
            xdotool(self.display, "key", move)
        settle()

    def choose(self, index, mnemonics, shot=None):
        """Opens the index-th menu and types the mnemonics of the items (and
        submenus) down to the one chosen; a shot is taken before the last."""
        self.open_menu(index)
        for letter in mnemonics[:-1]:
            xdotool(self.display, "key", letter)
            time.sleep(0.15)
        settle()
        if shot:
            self.shot(shot)
        if mnemonics:
            xdotool(self.display, "key", mnemonics[-1])
        settle()

    def save(self, path, jpeg, shot=None, written=True):
        self.choose(0, ["s"])
        dialog = self.wait_for_save_dialog()
        type_text(self.display, dialog, path)
        if jpeg:
            # The type list lies along the dialog's bottom edge: open it with
            # the mouse and take the second entry.
            x, y, width, height = geometry(self.display, dialog)
            click_at(self.display, x + width // 2, y + height - 24)
            xdotool(self.display, "key", "Down")
            time.sleep(0.1)
            xdotool(self.display, "key", "Return")
            settle()
        if shot:
            self.shot(shot)
        key(self.display, dialog, "Return")
        wait_until_gone(self.display, dialog)
        end = time.time() + 30
        while written and not os.path.exists(path) and time.time() < end:
            time.sleep(0.1)
        settle()

    def wait_for_save_dialog(self):
        end = time.time() + 20
        while time.time() < end:
            for w in xdotool(self.display, "search", "--onlyvisible", "--name", ".",
                             check=False).split():
                if w != self.window and geometry(self.display, w)[2] > 300:
                    return w
            time.sleep(0.1)
        raise Failed("the save dialog did not open")

    def leave(self):
        self.choose(0, ["x"])
        try:
            status = self.process.wait(timeout=20)
        except subprocess.TimeoutExpired:
            self.process.kill()
            raise Failed("the program did not end after Exit")
        if status != 0:
            raise Failed("exit status %d; stderr: %s" %
                         (status, self.process.stderr.read().decode(errors="replace")))

    def kill(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()


def smoke(display, program):
    person = Person(display, program)
    try:
        person.answer_size_dialog()
        person.drag(1, [(100, 100), (200, 150), (250, 300)])
        person.leave()
    finally:
        person.kill()


def journey(display, program, shots=None):
    person = Person(display, program, shots)
    folder = tempfile.mkdtemp(prefix="scribblet-journey-")
    expected = ExpectedCanvas(640, 480)
    try:
        person.answer_size_dialog(640, 480)
        black_stroke = [(50, 50), (150, 80), (200, 200), (260, 210)]
        person.drag(1, black_stroke)
        expected.drag(black_stroke, 3, BLACK)
        eraser_stroke = [(100, 30), (100, 90), (130, 140)]
        person.drag(3, eraser_stroke)
        expected.drag(eraser_stroke, 3, WHITE)
        # Left button › Colour › Red, then Pen size › Size 5.
        person.choose(1, ["c", "r"], shot="menu-left-colour")
        person.choose(1, ["p", "5"], shot="menu-left-size")
        red_stroke = [(300, 300), (420, 350), (500, 330)]
        person.drag(1, red_stroke)
        expected.drag(red_stroke, 5, RED)
        person.shot("main-window")
        bmp_path = os.path.join(folder, "journey.bmp")
        jpeg_path = os.path.join(folder, "journey.jpg")
        person.save(bmp_path, jpeg=False, shot="save-dialog")
        person.save(jpeg_path, jpeg=True, shot="save-dialog-jpeg")
        if shots:
            # Help › About, and a save into a folder that does not exist.
            person.choose(3, ["a"])
            about = wait_for_window(display, "バージョン情報")
            person.shot("about-box")
            key(display, about, "Escape")
            person.save(os.path.join(folder, "no such folder", "x.bmp"), jpeg=False,
                        written=False)
            failure = wait_for_window(display, "保存できません")
            person.shot("failure-message")
            key(display, failure, "Return")
            for index, name in enumerate(["file", "left", "right", "help"]):
                person.open_menu(index)
                person.shot("menu-" + name)
                xdotool(display, "key", "Escape")
                settle()
        person.leave()
        check_files(expected, bmp_path, jpeg_path, folder)
    finally:
        person.kill()
        shutil.rmtree(folder, ignore_errors=True)


def check_files(expected, bmp_path, jpeg_path, folder):
    with open(bmp_path, "rb") as f:
        saved_bmp = f.read()
    wanted_bmp = expected.bmp()
    if saved_bmp != wanted_bmp:
        first = next(i for i in range(min(len(saved_bmp), len(wanted_bmp)))
                     if saved_bmp[i] != wanted_bmp[i]) if saved_bmp[:54] == wanted_bmp[:54] else 0
        raise Failed("the BMP differs from the drawing (first at byte %d of %d)"
                     % (first, len(saved_bmp)))
    ppm = os.path.join(folder, "expected.ppm")
    with open(ppm, "wb") as f:
        f.write(expected.ppm())
    wanted_jpeg = subprocess.run(["cjpeg", "-quality", "80", ppm],
                                 capture_output=True, check=True).stdout
    with open(jpeg_path, "rb") as f:
        if f.read() != wanted_jpeg:
            raise Failed("the JPEG differs from cjpeg -quality 80 of the drawing")


def main():
    mode, program = sys.argv[1], os.path.abspath(sys.argv[2])
    display = Display()
    try:
        if mode == "smoke":
            smoke(display, program)
        elif mode == "journey":
            journey(display, program)
        elif mode == "screenshots":
            journey(display, program, shots=sys.argv[3])
        else:
            raise Failed("unknown mode " + mode)
    except Failed as failure:
        print("FAILED:", failure)
        return 1
    finally:
        display.close()
    print("passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
