"""Drives the real Plexaro window on a private X server, as a user would.

Each test script opens one Session: its own Xvfb on a free display, the
built program on it, and helpers to look at the screen (pixel-exact
screenshots of the drawing area), click, type and close the window the way
a window manager does. Everything started here dies with the test, even when
the test itself is killed.
"""

import ctypes
import ctypes.util
import os
import select
import shutil
import signal
import struct
import subprocess
import sys
import tempfile
import time
import zlib

CAPTION = "Plexaro - By Quennel"
AREA_W, AREA_H = 503, 533
# Reset, Regular, Rainbow, Spiral: (left, top, width, height) in the drawing area.
BUTTONS = {
    "reset": (16, 40, 89, 33),
    "regular": (16, 104, 89, 33),
    "rainbow": (16, 168, 89, 33),
    "spiral": (16, 240, 89, 33),
}
LABEL = (16, 32, 137, 81)
PICTURE = (168, 32, 145, 193)
BLACK = 0
SKIP = 77  # ctest's SKIP_RETURN_CODE for these tests

TOOLS = ("Xvfb", "xdotool", "import")


def rgb(r, g, b):
    return (r << 16) | (g << 8) | b


def rect_mask(*rects):
    """For each drawing-area pixel, row by row: whether it lies in one of `rects`."""
    mask = bytearray(AREA_W * AREA_H)
    for left, top, width, height in rects:
        for y in range(top, top + height):
            mask[y * AREA_W + left:y * AREA_W + left + width] = b"\x01" * width
    return mask


# The pixels that the four buttons cover while they are shown.
UNDER_BUTTONS = rect_mask(*BUTTONS.values())


def require_tools():
    """Skips the test where the X tools are missing, except in CI."""
    missing = [t for t in TOOLS if shutil.which(t) is None]
    if not missing:
        return
    print("missing tools: %s (bash scripts/setup-deps --test installs them)" % " ".join(missing))
    sys.exit(1 if os.environ.get("CI") else SKIP)


def _die_with_parent():
    # PR_SET_PDEATHSIG: if this test is killed outright (a ctest timeout),
    # its X server and program go with it.
    libc = ctypes.CDLL(None, use_errno=True)
    libc.prctl(1, signal.SIGTERM, 0, 0, 0)


def _terminate_on_signal():
    def handler(signum, _frame):
        raise SystemExit(128 + signum)

    signal.signal(signal.SIGTERM, handler)
    signal.signal(signal.SIGINT, handler)


class Failures:
    """Collects failed checks so that one run reports all of them."""

    def __init__(self, artifacts):
        self.messages = []
        self.artifacts = artifacts

    def check(self, ok, message, image=None, name=None):
        if ok:
            return True
        self.messages.append(message)
        print("FAIL: " + message, flush=True)
        if image is not None and name:
            os.makedirs(self.artifacts, exist_ok=True)
            path = os.path.join(self.artifacts, name + ".png")
            image.save_png(path)
            print("      screenshot kept in " + path, flush=True)
        return False

    def finish(self, what):
        if self.messages:
            print("%s: %d check(s) failed" % (what, len(self.messages)))
            return 1
        print("%s: all checks passed" % what)
        return 0


class Image:
    """An RGB picture with pixels as 0xRRGGBB integers, row by row."""

    def __init__(self, width, height, pixels):
        self.width, self.height, self.pixels = width, height, pixels

    def at(self, x, y):
        return self.pixels[y * self.width + x]

    def crop(self, left, top, width, height):
        rows = []
        for y in range(top, top + height):
            start = y * self.width + left
            rows.extend(self.pixels[start:start + width])
        return Image(width, height, rows)

    @staticmethod
    def from_ppm(data):
        # "P6\n<w> <h>\n<max>\n" then 3 bytes a pixel; ImageMagick writes no comments.
        fields, pos = [], 0
        while len(fields) < 4:
            while data[pos:pos + 1].isspace():
                pos += 1
            end = pos
            while not data[end:end + 1].isspace():
                end += 1
            fields.append(data[pos:end])
            pos = end
        pos += 1
        if fields[0] != b"P6" or fields[3] != b"255":
            raise ValueError("unexpected screenshot format %r" % fields)
        width, height = int(fields[1]), int(fields[2])
        raw = data[pos:pos + 3 * width * height]
        pixels = [int.from_bytes(raw[i:i + 3], "big") for i in range(0, len(raw), 3)]
        return Image(width, height, pixels)

    def save_png(self, path):
        rows = bytearray()
        for y in range(self.height):
            rows.append(0)
            for p in self.pixels[y * self.width:(y + 1) * self.width]:
                rows += p.to_bytes(3, "big")

        def chunk(kind, body):
            return (struct.pack(">I", len(body)) + kind + body
                    + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))

        header = struct.pack(">IIBBBBB", self.width, self.height, 8, 2, 0, 0, 0)
        with open(path, "wb") as f:
            f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
                    + chunk(b"IDAT", zlib.compress(bytes(rows), 6)) + chunk(b"IEND", b""))


class Session:
    """Xvfb plus one running Plexaro; use it with `with`."""

    def __init__(self, program, name):
        self.program = os.path.abspath(program)
        self.xvfb = self.app = None
        self.tmp = tempfile.mkdtemp(prefix="plexaro-e2e-")
        self.failures = Failures(os.path.join(os.getcwd(), "e2e-artifacts", name))

    # --- setting up and tearing down --------------------------------------

    def __enter__(self):
        _terminate_on_signal()
        self._start_xvfb()
        self._start_app()
        return self

    def __exit__(self, *exc):
        for proc in (self.app, self.xvfb):
            if proc is not None and proc.poll() is None:
                proc.terminate()
                try:
                    proc.wait(timeout=5)
                except subprocess.TimeoutExpired:
                    proc.kill()
                    proc.wait()
        shutil.rmtree(self.tmp, ignore_errors=True)
        return False

    def _start_xvfb(self):
        read_end, write_end = os.pipe()
        # -displayfd: the server picks a free display and writes its number
        # once it accepts connections. A white root tells the window's edges
        # from the black drawing.
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1024x768x24",
             "-dpi", "96", "-nolisten", "tcp", "-wr", "-noreset"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL,
            stderr=open(os.path.join(self.tmp, "xvfb.log"), "w"),
            preexec_fn=_die_with_parent)
        os.close(write_end)
        number = b""
        deadline = time.monotonic() + 15
        while not number.endswith(b"\n"):
            left = deadline - time.monotonic()
            if left <= 0 or not select.select([read_end], [], [], left)[0]:
                raise RuntimeError("Xvfb did not start")
            chunk = os.read(read_end, 16)
            if not chunk:
                raise RuntimeError("Xvfb exited: " + self._log("xvfb.log"))
            number += chunk
        os.close(read_end)
        self.display = ":" + number.decode().strip()
        self.env = dict(os.environ, DISPLAY=self.display, QT_QPA_PLATFORM="xcb",
                        XDG_RUNTIME_DIR=self.tmp, HOME=self.tmp)
        for var in ("WAYLAND_DISPLAY", "QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS",
                    "QT_STYLE_OVERRIDE", "QT_QPA_PLATFORMTHEME", "XAUTHORITY"):
            self.env.pop(var, None)

    def _start_app(self):
        os.chmod(self.tmp, 0o700)
        self.app = subprocess.Popen(
            [self.program], cwd=self.tmp, env=self.env, stdin=subprocess.DEVNULL,
            stdout=open(os.path.join(self.tmp, "app.log"), "w"), stderr=subprocess.STDOUT,
            preexec_fn=_die_with_parent)
        self.window = self._wait_for_window()
        geo = dict(line.split("=", 1) for line in
                   self.xdotool("getwindowgeometry", "--shell", self.window).split())
        self.win_x, self.win_y = int(geo["X"]), int(geo["Y"])
        self.win_w, self.win_h = int(geo["WIDTH"]), int(geo["HEIGHT"])
        # The drawing area fills the window below the menu bar.
        self.menu_h = self.win_h - AREA_H
        self.area_x, self.area_y = self.win_x, self.win_y + self.menu_h
        self.wait_until_shown()

    def _wait_for_window(self, timeout=20):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            if self.app.poll() is not None:
                raise RuntimeError("plexaro exited with %s before showing its window:\n%s"
                                   % (self.app.returncode, self._log("app.log")))
            found = subprocess.run(
                ["xdotool", "search", "--onlyvisible", "--name", "^%s$" % CAPTION],
                env=self.env, capture_output=True, text=True).stdout.split()
            if found:
                return found[0]
            time.sleep(0.1)
        raise RuntimeError("no window titled %r within %d s" % (CAPTION, timeout))

    def _log(self, name):
        try:
            with open(os.path.join(self.tmp, name)) as f:
                return f.read()
        except OSError:
            return ""

    # --- looking and acting -----------------------------------------------

    def xdotool(self, *args):
        return subprocess.run(["xdotool", *args], env=self.env, check=True,
                              capture_output=True, text=True).stdout

    def screen(self, left, top, width, height):
        """A screenshot of part of the screen, as the X server holds it."""
        data = subprocess.run(
            ["import", "-window", "root", "-crop", "%dx%d+%d+%d" % (width, height, left, top),
             "+repage", "-depth", "8", "ppm:-"],
            env=self.env, check=True, capture_output=True).stdout
        image = Image.from_ppm(data)
        if (image.width, image.height) != (width, height):
            raise RuntimeError("screenshot of %dx%d, asked for %dx%d"
                               % (image.width, image.height, width, height))
        return image

    def area(self):
        """A screenshot of the drawing area alone, in its own coordinates."""
        return self.screen(self.area_x, self.area_y, AREA_W, AREA_H)

    def window_shot(self):
        """The window with one more column and row of the screen beyond it."""
        return self.screen(self.win_x, self.win_y, self.win_w + 1, self.win_h + 1)

    def wait_for_area(self, accept, timeout=15):
        """Screenshots the drawing area until `accept` returns None (no complaint).

        The program handles a click in its own time, so the picture is
        polled; the last complaint is returned if it never settles.
        """
        deadline = time.monotonic() + timeout
        while True:
            image = self.area()
            complaint = accept(image)
            if complaint is None or time.monotonic() > deadline:
                return image, complaint
            time.sleep(0.1)

    def wait_until_shown(self, timeout=15):
        """Waits for the window's first picture: the four buttons and the menu bar."""
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            shot = self.window_shot()
            if shot.at(AREA_W // 2, self.menu_h // 2) != BLACK and all(
                    shot.at(left + width // 2, self.menu_h + top + 4) != BLACK
                    for left, top, width, height in BUTTONS.values()):
                return
            time.sleep(0.1)
        raise RuntimeError("the window was not drawn within %d s" % timeout)

    def click_area(self, x, y):
        self.xdotool("mousemove", "--window", self.window, str(x), str(y + self.menu_h),
                     "click", "1")

    def click_button(self, name):
        left, top, width, height = BUTTONS[name]
        self.click_area(left + width // 2, top + height // 2)

    def click_window(self, x, y):
        self.xdotool("mousemove", "--window", self.window, str(x), str(y), "click", "1")

    def move_pointer_away(self):
        # Off the window, so that no control shows a hover highlight.
        self.xdotool("mousemove", "1000", "700")

    def menu_titles(self):
        """Centres (x, y) of the menu bar's titles, left to right, in window coordinates.

        Found as clusters of dark text pixels on the light bar, so the test
        does not depend on the font's metrics.
        """
        shot = self.screen(self.win_x, self.win_y, self.win_w, self.menu_h)

        def dark(p):
            return sum((p >> s) & 0xFF for s in (16, 8, 0)) < 3 * 110

        columns = [x for x in range(shot.width)
                   if any(dark(shot.at(x, y)) for y in range(shot.height))]
        clusters = []
        for x in columns:
            if clusters and x - clusters[-1][1] <= 6:
                clusters[-1][1] = x
            else:
                clusters.append([x, x])
        return [((a + b) // 2, self.menu_h // 2) for a, b in clusters]

    def cpu_ticks(self):
        with open("/proc/%d/stat" % self.app.pid) as f:
            fields = f.read().rsplit(")", 1)[1].split()
        # utime and stime, fields 14 and 15 of the whole line.
        return int(fields[11]) + int(fields[12])

    def close_like_a_window_manager(self):
        """Sends WM_DELETE_WINDOW, as a window manager's close button does."""
        x11 = ctypes.CDLL(ctypes.util.find_library("X11"))
        x11.XOpenDisplay.restype = ctypes.c_void_p
        x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
        x11.XInternAtom.restype = ctypes.c_ulong
        x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
        x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int,
                                   ctypes.c_long, ctypes.c_void_p]
        x11.XFlush.argtypes = [ctypes.c_void_p]
        x11.XCloseDisplay.argtypes = [ctypes.c_void_p]

        class ClientMessage(ctypes.Structure):
            _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong),
                        ("send_event", ctypes.c_int), ("display", ctypes.c_void_p),
                        ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                        ("format", ctypes.c_int), ("data", ctypes.c_long * 5),
                        ("pad", ctypes.c_long * 12)]  # XEvent is 24 longs

        dpy = x11.XOpenDisplay(self.display.encode())
        if not dpy:
            raise RuntimeError("cannot open display " + self.display)
        try:
            event = ClientMessage()
            event.type = 33  # ClientMessage
            event.window = int(self.window)
            event.message_type = x11.XInternAtom(dpy, b"WM_PROTOCOLS", 0)
            event.format = 32
            event.data[0] = x11.XInternAtom(dpy, b"WM_DELETE_WINDOW", 0)
            event.data[1] = 0  # CurrentTime
            if not x11.XSendEvent(dpy, int(self.window), 0, 0, ctypes.byref(event)):
                raise RuntimeError("XSendEvent failed")
            x11.XFlush(dpy)
        finally:
            x11.XCloseDisplay(dpy)


def main(name, body):
    """Runs `body(session)` on a fresh Session and exits with its verdict."""
    if len(sys.argv) != 2:
        print("usage: %s PATH/TO/plexaro" % sys.argv[0])
        sys.exit(2)
    require_tools()
    with Session(sys.argv[1], name) as session:
        body(session)
        sys.exit(session.failures.finish(name))
