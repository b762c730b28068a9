"""A virtual screen for the measuring scripts: Xvfb on a display number it picks itself, its
pixels read straight from the server, and the environment that puts the game on it."""
import ctypes
import os
import subprocess

WOOD = (222, 178, 108)  # the empty cell's colour, which only the game's own image holds
SCREEN = "2560x1600x24"  # room for the window at scale 3


class XImage(ctypes.Structure):
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
                ("format", ctypes.c_int), ("data", ctypes.POINTER(ctypes.c_uint8)),
                ("byte_order", ctypes.c_int), ("bitmap_unit", ctypes.c_int),
                ("bitmap_bit_order", ctypes.c_int), ("bitmap_pad", ctypes.c_int),
                ("depth", ctypes.c_int), ("bytes_per_line", ctypes.c_int),
                ("bits_per_pixel", ctypes.c_int)]


class Screen:
    """Xvfb on a display number it picks itself, and its pixels."""

    def __init__(self):
        read, write = os.pipe()
        self.server = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write), "-screen", "0", SCREEN, "-nolisten", "tcp"],
            pass_fds=[write], stderr=subprocess.DEVNULL)
        os.close(write)
        number = b""
        while not number.endswith(b"\n"):  # written when the server takes connections
            chunk = os.read(read, 16)
            if not chunk:
                raise RuntimeError("Xvfb did not start")
            number += chunk
        os.close(read)
        self.display = ":" + number.decode().strip()
        x11 = ctypes.CDLL("libX11.so.6")
        x11.XOpenDisplay.restype = ctypes.c_void_p
        x11.XDefaultRootWindow.restype = ctypes.c_ulong
        x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        x11.XGetImage.restype = ctypes.POINTER(XImage)
        x11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong] + [ctypes.c_int] * 2 + \
            [ctypes.c_uint] * 2 + [ctypes.c_ulong, ctypes.c_int]
        x11.XFree.argtypes = [ctypes.c_void_p]
        self.x11 = x11
        self.connection = x11.XOpenDisplay(self.display.encode())
        if not self.connection:
            raise RuntimeError("cannot open the virtual screen " + self.display)
        self.root = x11.XDefaultRootWindow(self.connection)
        self.width, self.height = (int(n) for n in SCREEN.split("x")[:2])

    def grab(self, x, y, width, height):
        """The box, clipped to the screen, as a function of (column, row) within it to
        (r, g, b)."""
        x0, y0 = max(0, x), max(0, y)
        x1, y1 = min(self.width, x + width), min(self.height, y + height)
        image = self.x11.XGetImage(self.connection, self.root, x0, y0, x1 - x0, y1 - y0,
                                   0xFFFFFFFF, 2)  # ZPixmap
        stride = image.contents.bytes_per_line
        raw = ctypes.string_at(image.contents.data, stride * (y1 - y0))
        self.x11.XFree(image.contents.data)
        self.x11.XFree(image)

        def pixel(i, row):
            at = row * stride + 4 * i
            return raw[at + 2], raw[at + 1], raw[at]
        return pixel

    def pixels(self, x, y, width, height):
        """The box's pixels as rows of (r, g, b), the box clipped to the screen."""
        pixel = self.grab(x, y, width, height)
        columns = min(self.width, x + width) - max(0, x)
        rows = min(self.height, y + height) - max(0, y)
        return [[pixel(i, row) for i in range(columns)] for row in range(rows)]

    def shows_wood(self, x):
        """Whether the screen's column x holds a pixel of the board's wood."""
        return any(row[0] == WOOD for row in self.pixels(x, 0, 1, self.height))

    def stop(self):
        self.server.terminate()
        self.server.wait()


def game_environment(screen, scale):
    """The game on this screen at a desktop scale, silent, with the desktop's services left out;
    a session bus is the caller's to give or to leave out."""
    return dict(os.environ, DISPLAY=screen.display, GDK_SCALE=str(scale), GDK_BACKEND="x11",
                SDL_AUDIODRIVER="dummy", NO_AT_BRIDGE="1", GSETTINGS_BACKEND="memory")
