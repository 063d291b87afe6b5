"""Drives the real wedgora window in Xvfb like a player: keys, clicks, screenshots, close requests.

Every process it starts it also ends by its id, whatever happens; a failed journey leaves its
screenshots and the game's stderr in the artefact folder it names.
"""
import ctypes
import os
import re
import signal
import subprocess
import tempfile
import time

TITLE = "Wedgora v1.01 (26/10/2022) - wedgora.example/1"


class Xvfb:
    """A private X server on a free display, 24-bit deep and larger than any window we make.

    It never resets: a server that resets when its last client leaves refuses connections for a
    moment after the readiness probe disconnects, and the game would fail to open its window.
    Each journey has its own server, so nothing pressed in one can leak into the next.
    """

    def __init__(self, size="1600x1200"):
        read_fd, write_fd = os.pipe()
        self.proc = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_fd), "-screen", "0", size + "x24", "-nolisten", "tcp",
             "-noreset"],
            pass_fds=(write_fd,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_fd)
        with os.fdopen(read_fd) as f:
            number = f.readline().strip()
        if not number:
            self.stop()
            raise RuntimeError("Xvfb did not start")
        self.display = ":" + number
        self.env = dict(os.environ, DISPLAY=self.display)
        self.env.pop("WAYLAND_DISPLAY", None)
        # A game built with the sanitizers must not fail its exit status over libdbus's leak.
        self.env.setdefault("LSAN_OPTIONS", "suppressions=" + os.path.join(
            os.path.dirname(os.path.abspath(__file__)), "lsan.supp"))
        deadline = time.time() + 5
        while subprocess.run(["xdotool", "getmouselocation"], env=self.env,
                             capture_output=True).returncode != 0:
            if time.time() > deadline:
                raise RuntimeError("Xvfb does not answer")
            time.sleep(0.02)

    def stop(self):
        if self.proc.poll() is None:
            self.proc.terminate()
            try:
                self.proc.wait(5)
            except subprocess.TimeoutExpired:
                self.proc.kill()
                self.proc.wait()


class Game:
    """One run of the wedgora binary on a display, with the window found by its title."""

    def __init__(self, binary, xvfb, artefacts, name, wrapper=()):
        self.xvfb = xvfb
        self.env = xvfb.env
        self.artefacts = artefacts
        self.name = name
        self.stderr_path = os.path.join(artefacts, name + ".stderr")
        self.stderr = open(self.stderr_path, "wb")
        self.started = time.time()
        self.proc = subprocess.Popen([*wrapper, binary], env=self.env, stdin=subprocess.DEVNULL,
                                     stdout=subprocess.DEVNULL, stderr=self.stderr)
        self.held_keys = set()
        self.held_buttons = set()
        self.window = None
        self.shots = 0

    # --- the window ---
    def find_window(self, timeout=10):
        pattern = "^" + re.escape(TITLE) + "$"
        deadline = time.time() + timeout
        while time.time() < deadline:
            if self.proc.poll() is not None:
                raise AssertionError("the game ended with %d before its window showed" % self.proc.returncode)
            # The id changes once while SDL starts up: take the newest window of that name that
            # can be read.
            ids = self.xdotool("search", "--onlyvisible", "--name", pattern, check=False).split()
            for candidate in reversed(ids):
                self.window = candidate
                try:
                    self.geometry()
                    return self.window
                except subprocess.CalledProcessError:
                    continue
            time.sleep(0.02)
        raise AssertionError("no window titled %r within %d s" % (TITLE, timeout))

    def geometry(self):
        out = subprocess.run(["xwininfo", "-id", self.window], env=self.env, capture_output=True,
                             text=True, check=True).stdout
        value = lambda key: int(re.search(key + r":\s+(-?\d+)", out).group(1))
        return (value("Absolute upper-left X"), value("Absolute upper-left Y"), value("Width"),
                value("Height"))

    def window_name(self):
        return self.xdotool("getwindowname", self.window).strip()

    def xdotool(self, *args, check=True):
        result = subprocess.run(["xdotool", *args], env=self.env, capture_output=True, text=True)
        if check and result.returncode != 0:
            raise AssertionError("xdotool %s failed: %s" % (" ".join(args), result.stderr))
        return result.stdout

    # --- reading the picture ---
    def screenshot(self, label=None):
        """The window's pixels as a Picture; also saved as PNG under the artefacts."""
        for attempt in range(3):
            try:
                x, y, w, h = self.geometry()
                raw = subprocess.run(["import", "-window", self.window, "-depth", "8", "rgb:-"],
                                     env=self.env, capture_output=True, check=True).stdout
                break
            except subprocess.CalledProcessError:
                if attempt == 2:
                    raise
                self.find_window()
        self.shots += 1
        picture = Picture(w, h, raw)
        if label:
            picture.save_png(os.path.join(self.artefacts, "%s-%02d-%s.png" % (self.name, self.shots, label)))
        return picture

    def wait_for(self, predicate, what, timeout=5.0, label=None):
        deadline = time.time() + timeout
        while True:
            picture = self.screenshot()
            if predicate(picture):
                if label:
                    picture.save_png(os.path.join(self.artefacts, "%s-%s.png" % (self.name, label)))
                return picture
            if time.time() > deadline:
                picture.save_png(os.path.join(self.artefacts, "%s-timeout.png" % self.name))
                raise AssertionError("timed out waiting for " + what)
            time.sleep(0.05)

    # --- input, like a player ---
    def key(self, *names):
        self.xdotool("key", "--delay", "60", *names)

    def key_down(self, name):
        self.xdotool("keydown", name)
        self.held_keys.add(name)

    def key_up(self, name):
        self.xdotool("keyup", name)
        self.held_keys.discard(name)

    def move(self, x, y):
        """Moves the pointer to (x, y) in window coordinates."""
        self.xdotool("mousemove", "--window", self.window, str(x), str(y))

    def move_to_screen(self, x, y):
        self.xdotool("mousemove", str(x), str(y))

    def click(self, x=None, y=None):
        if x is not None:
            self.move(x, y)
            time.sleep(0.05)
        self.xdotool("click", "1")

    def focus_away(self):
        focus_nowhere(self.xvfb.display)

    def focus_back(self):
        self.xdotool("windowfocus", self.window)

    def hide_and_show(self):
        """Unmaps and maps the window again: a minimise and restore without a window manager."""
        self.xdotool("windowunmap", self.window)
        time.sleep(0.3)
        self.xdotool("windowmap", self.window)

    def close_request(self):
        send_close_request(self.xvfb.display, int(self.window))

    # --- the end ---
    def wait_exit(self, timeout=5):
        try:
            return self.proc.wait(timeout)
        except subprocess.TimeoutExpired:
            raise AssertionError("the game did not end within %s s" % timeout)

    def stop(self):
        for name in list(self.held_keys):
            self.xdotool("keyup", name, check=False)
        for button in list(self.held_buttons):
            self.xdotool("mouseup", str(button), check=False)
        if self.proc.poll() is None:
            self.proc.kill()
            self.proc.wait()
        self.stderr.close()

    def stderr_text(self):
        self.stderr.flush()
        with open(self.stderr_path, "rb") as f:
            return f.read()


class Picture:
    """An RGB screenshot; pixel() gives 0xRRGGBB."""

    def __init__(self, width, height, raw):
        self.width, self.height, self.raw = width, height, raw
        if len(raw) != width * height * 3:
            raise AssertionError("screenshot has %d bytes for %dx%d" % (len(raw), width, height))

    def pixel(self, x, y):
        i = (y * self.width + x) * 3
        r, g, b = self.raw[i], self.raw[i + 1], self.raw[i + 2]
        return (r << 16) | (g << 8) | b

    def save_png(self, path):
        with tempfile.NamedTemporaryFile(suffix=".rgb", delete=False) as f:
            f.write(self.raw)
        subprocess.run(["convert", "-size", "%dx%d" % (self.width, self.height), "-depth", "8",
                        "rgb:" + f.name, "png:" + path], check=True)
        os.unlink(f.name)


# --- the window's close button: a WM_DELETE_WINDOW client message, as a window manager sends ---
class _ClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong),
                ("message_type", ctypes.c_ulong), ("format", ctypes.c_int),
                ("data", ctypes.c_long * 5)]


class _Event(ctypes.Union):
    _fields_ = [("client", _ClientMessage), ("pad", ctypes.c_long * 24)]


def _xlib():
    x11 = ctypes.CDLL("libX11.so.6")
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x11.XSetInputFocus.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_ulong]
    x11.XFlush.argtypes = [ctypes.c_void_p]
    x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
    return x11


def focus_nowhere(display_name):
    """Takes the keyboard focus away from every window, as switching to another program does."""
    x11 = _xlib()
    display = x11.XOpenDisplay(display_name.encode())
    if not display:
        raise AssertionError("cannot open display " + display_name)
    try:
        x11.XSetInputFocus(display, 0, 0, 0)  # None, RevertToNone, CurrentTime
        x11.XFlush(display)
    finally:
        x11.XCloseDisplay(display)


def send_close_request(display_name, window):
    x11 = ctypes.CDLL("libX11.so.6")
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x11.XInternAtom.restype = ctypes.c_ulong
    x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                               ctypes.POINTER(_Event)]
    x11.XFlush.argtypes = [ctypes.c_void_p]
    x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
    display = x11.XOpenDisplay(display_name.encode())
    if not display:
        raise AssertionError("cannot open display " + display_name)
    try:
        event = _Event()
        event.client.type = 33  # ClientMessage
        event.client.send_event = 1
        event.client.window = window
        event.client.message_type = x11.XInternAtom(display, b"WM_PROTOCOLS", 0)
        event.client.format = 32
        event.client.data[0] = x11.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
        event.client.data[1] = 0  # CurrentTime
        x11.XSendEvent(display, window, 0, 0, ctypes.byref(event))
        x11.XFlush(display)
    finally:
        x11.XCloseDisplay(display)
