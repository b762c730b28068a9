#!/usr/bin/env python3
"""Peak memory of the game over a whole game against the computer, measured from outside.

    python3 scripts/measure-game.py [--levels weak,normal,strong] [--scales 1,2] [--music]
                                    [--no-keeping] [--limit SECONDS] [LABEL=FOLDER ...]

Each FOLDER holds a built game (default: build/bin). On a virtual screen of its own, a copy of it
is started for each level and scale with the level in its settings file, GDK_SCALE set and a
session bus of its own. Once its board shows, its peak resident memory (VmHWM) is read: the start.
The player then chooses 対局 > 対COM > 先手 and plays black through the window: the zelkan-engine
beside the game picks each move, which is clicked from and to; the computer's replies are read
off the screen, cell by cell, and followed by the engine. Message boxes are answered with Return. When the game has ended and been judged and asks whether to go
on, the peak is read again: the end. A game still going after the limit is cut off and marked.
"""
import argparse
import os
import shutil
import signal
import subprocess
import tempfile
import time

from virtual_screen import Screen, game_environment

BOARD = 19
CLIENT_HEIGHT = 487  # the drawing area below the menu bar, at scale 1
CELL_PICTURE = 23
RING = [(i * a, j * b) for i, j in ((5, 5), (3, 6), (6, 3)) for a in (1, -1) for b in (1, -1)]

# Zelkan.ini in CP932 with CR LF: the influence map on and the music off (the defaults a first
# start writes), and the level as its third line.
INFLUENCE_ON = b"\x90\xa8\x97\xcd\x95\x5c\x8e\xa6=ON\r\n"
LEVEL_LINES = {"weak": b"\x8b\xad\x82\xb3=\x8e\xe3\x82\xa2\r\n", "normal": b"",
               "strong": b"\x8b\xad\x82\xb3=\x8b\xad\x82\xa2\r\n"}
KEEPING_OFF = b"\x91\xce\x8b\xc7\x82\xf0\x8e\x63\x82\xb7=OFF\r\n"  # 対局を残す=OFF
LEVEL_NAMES = {"weak": "弱い", "normal": "普通", "strong": "強い"}
# A session bus as a desktop's, taken down with the portals it starts when the game ends.
SESSION_BUS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests",
                           "session_bus.sh")


def cell_pixel(c, origin):
    """Pixel column (or row) of cell c's picture at scale 1: 330 twips a cell, 15 to a pixel."""
    return round((origin + 330 * c) / 15)


def cell_x(x):
    return cell_pixel(x, 50)


def cell_y(y):
    return cell_pixel(y, -100)


class Engine:
    """zelkan-engine as the player's mind and as the record of the position."""

    def __init__(self, program):
        self.process = subprocess.Popen([program], stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                        text=True)

    def ask(self, command):
        self.process.stdin.write(command + "\n")
        self.process.stdin.flush()
        lines = []
        while True:
            line = self.process.stdout.readline()
            if not line:
                raise RuntimeError("zelkan-engine ended")
            if line == "\n":
                break
            lines.append(line.rstrip("\n"))
        answer = "\n".join(lines)
        return answer[2:] if answer.startswith("= ") else None if answer.startswith("?") else ""

    def position(self):
        """Rows, side, black's losses, white's losses, move number."""
        return self.ask("board").split()

    def stop(self):
        self.process.stdin.close()
        self.process.wait()


def xdotool(*arguments, display):
    result = subprocess.run(["xdotool", *arguments], env=dict(os.environ, DISPLAY=display),
                            capture_output=True, text=True, timeout=20)
    return result.stdout


def peak_kb(pid):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith("VmHWM:"):
                return int(line.split()[1])
    raise RuntimeError("no VmHWM for " + str(pid))


def descendant_named(pid, name):
    """The first process under pid whose command is `name`, or None."""
    try:
        with open(f"/proc/{pid}/task/{pid}/children") as children:
            kids = [int(k) for k in children.read().split()]
    except OSError:
        return None
    for kid in kids:
        try:
            with open(f"/proc/{kid}/comm") as comm:
                if comm.read().strip() == name:
                    return kid
        except OSError:
            continue
        found = descendant_named(kid, name)
        if found:
            return found
    return None


class Window:
    """The game's windows on the screen: the main one, its message boxes and its menus."""

    def __init__(self, screen, pid, scale):
        self.screen, self.pid, self.scale = screen, pid, scale
        self.main = None

    def visible(self):
        """(id, title) of the game's visible windows."""
        ids = xdotool("search", "--onlyvisible", "--pid", str(self.pid),
                      display=self.screen.display).split()
        found = []
        for id in ids:
            title = xdotool("getwindowname", id, display=self.screen.display).rstrip("\n")
            found.append((id, title))
        return found

    def boxes(self):
        return [(id, title) for id, title in self.visible()
                if id != self.main and title not in ("Zelkan", "zelkan")]

    def find_main(self):
        for id, title in self.visible():
            if title == "Zelkan":
                self.main = id
                shell = xdotool("getwindowgeometry", "--shell", id, display=self.screen.display)
                g = dict(line.split("=") for line in shell.split())
                self.x, self.y = int(g["X"]), int(g["Y"])
                self.width, self.height = int(g["WIDTH"]), int(g["HEIGHT"])
                self.area_x = self.x
                self.area_y = self.y + self.height - CLIENT_HEIGHT * self.scale
                return True
        return False

    def answer(self, id):
        xdotool("windowfocus", "--sync", id, "key", "Return", display=self.screen.display)

    def click(self, x, y):
        xdotool("mousemove", str(x), str(y), "click", "1", display=self.screen.display)

    def key(self, name):
        xdotool("key", name, display=self.screen.display)

    def click_cell(self, x, y):
        middle = CELL_PICTURE // 2
        self.click(self.area_x + (cell_x(x) + middle) * self.scale,
                   self.area_y + (cell_y(y) + middle) * self.scale)

    def menus_open(self):
        return sum(1 for _, title in self.visible() if title == "zelkan")

    def first_menu_x(self):
        """The middle of the menu bar's first entry: the first run of columns with dark text."""
        left, top = max(0, self.x), max(0, self.y)
        rows = self.screen.pixels(left, top, 200 * self.scale, self.area_y - top)
        columns = [any(max(row[i]) < 100 for row in rows) for i in range(len(rows[0]))]
        first = columns.index(True)
        last = first
        for i in range(first, len(columns)):
            if columns[i]:
                last = i
            elif i - last > 10 * self.scale:
                break
        return left + (first + last) // 2, (top + self.area_y) // 2

    def board(self):
        """The board off the screen: 361 characters, '.', 'B' or 'W', top row first."""
        s = self.scale
        pixel = self.screen.grab(self.area_x + cell_x(1) * s, self.area_y + cell_y(1) * s,
                                 (cell_x(BOARD) - cell_x(1) + CELL_PICTURE) * s,
                                 (cell_y(BOARD) - cell_y(1) + CELL_PICTURE) * s)
        cells = []
        for y in range(1, BOARD + 1):
            for x in range(1, BOARD + 1):
                px = (cell_x(x) - cell_x(1) + CELL_PICTURE // 2) * s
                py = (cell_y(y) - cell_y(1) + CELL_PICTURE // 2) * s
                # A ring round the middle, clear of the latest-move dot and the grid lines.
                samples = [pixel(px + i * s, py + j * s) for i, j in RING]
                r, g, b = (sorted(c[k] for c in samples)[len(samples) // 2] for k in range(3))
                light = (r + g + b) / 3
                cells.append("B" if light < 80 else
                             "W" if light > 170 and max(r, g, b) - min(r, g, b) < 45 else ".")
        return "".join(cells)


def computer_move(engine, before, seen):
    """Plays on the engine the computer's move that turns `before` into the board `seen`; the
    engine's answer, or None (and the engine back at `before`) when no single move does."""
    rows = before[0]
    colour = before[1]
    gone = [i for i in range(len(rows)) if rows[i] == colour and seen[i] != colour]
    come = [i for i in range(len(rows)) if rows[i] != colour and seen[i] == colour]
    if len(gone) != 1 or len(come) != 1:
        return None
    (a,), (b,) = gone, come
    answer = engine.ask(f"play {a % BOARD + 1} {a // BOARD + 1} {b % BOARD + 1} {b // BOARD + 1}")
    if answer is not None and engine.position()[0] == seen:
        return answer
    engine.ask("set_position " + " ".join(before))
    return None


def play_game(screen, engine_program, folder, scale, level, limit, music, keeping=True):
    with open(os.path.join(folder, "Zelkan.ini"), "wb") as settings:
        settings.write(INFLUENCE_ON + (b"BGM=ON\r\n" if music else b"BGM=OFF\r\n") +
                       LEVEL_LINES[level] + (b"" if keeping else KEEPING_OFF))
    # The game's own texts, whatever this desktop's language: the boxes are told by their titles.
    environment = {k: v for k, v in game_environment(screen, scale).items()
                   if k not in ("LANGUAGE", "LC_ALL", "LC_MESSAGES")}
    environment["LANG"] = "C.UTF-8"
    runner = subprocess.Popen(["bash", SESSION_BUS, "--", os.path.join(folder, "zelkan")],
                              env=environment, stdout=subprocess.DEVNULL,
                              stderr=subprocess.DEVNULL, start_new_session=True)
    engine = Engine(engine_program)
    started = time.monotonic()
    result = {"moves": 0, "ended": False}
    pid = None
    try:
        def waiting(what, seconds=30):
            if time.monotonic() - started > seconds:
                raise RuntimeError(f"{what} within {seconds} s")
            time.sleep(0.05)

        while pid is None:
            pid = descendant_named(runner.pid, "zelkan")
            waiting("no program")
        window = Window(screen, pid, scale)
        while not window.find_main():
            waiting("no window")
        while window.board().count("W") != 38:
            waiting("no board")
        time.sleep(0.3)  # what start-up still does after its first repaint
        result["start"] = peak_kb(pid)

        # 対局 > 対COM > 先手: the player moves first, with black.
        window.click(*window.first_menu_x())
        while window.menus_open() < 1:
            waiting("no menu")
        window.key("Down")
        window.key("Down")
        window.key("Right")
        while window.menus_open() < 2:
            waiting("no submenu")
        window.key("Return")

        # あなたの番です: the game begins once it is answered.
        while not window.boxes():
            waiting("no box to begin with")
        window.answer(window.boxes()[0][0])

        engine.ask("clear_board")
        before = None  # the position the computer moves in, while it is its turn
        judged = False  # the judgement's box (its title ends in ！！) has been answered
        stable = ""
        while time.monotonic() - started < limit:
            boxes = window.boxes()
            if boxes:
                id, title = boxes[0]
                if judged and title == "対局":  # 続けますか？
                    result["ended"] = True
                    break
                judged = judged or title.endswith("！！")
                window.answer(id)
                time.sleep(0.1)
                continue
            if before is None:  # the player's turn
                answer = engine.ask("genmove 0")
                if answer in (None, "pass"):
                    time.sleep(0.2)  # the game is over: its boxes are on their way
                    continue
                x1, y1, x2, y2 = (int(n) for n in answer.split()[:4])
                window.click_cell(x1, y1)
                window.click_cell(x2, y2)
                result["moves"] += 1
                if answer.split()[-1] == "none":
                    before = engine.position()
                continue
            seen = window.board()
            # The reply counts once the screen shows it whole, the same on two looks running.
            if seen == stable and seen != before[0]:
                answer = computer_move(engine, before, seen)
                if answer is not None:
                    result["moves"] += 1
                    before = None
            stable = seen
            time.sleep(0.1)
        result["end"] = peak_kb(pid)
    finally:
        engine.stop()
        if pid:
            try:
                os.kill(pid, signal.SIGTERM)
            except ProcessLookupError:
                pass  # ended on its own; the session bus ends with it
        try:
            runner.wait(timeout=10)
        except subprocess.TimeoutExpired:
            runner.terminate()  # the session bus takes down what runs on it
            try:
                runner.wait(timeout=10)
            except subprocess.TimeoutExpired:
                os.killpg(runner.pid, signal.SIGKILL)
                runner.wait()
    result["seconds"] = time.monotonic() - started
    return result


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--levels", default="weak,normal,strong")
    parser.add_argument("--scales", default="1,2")
    parser.add_argument("--music", action="store_true", help="play with the music on")
    parser.add_argument("--no-keeping", action="store_true", help="games not kept")
    parser.add_argument("--limit", type=float, default=900, help="seconds a game may take")
    parser.add_argument("variants", nargs="*", default=["build=build/bin"])
    arguments = parser.parse_args()
    levels = arguments.levels.split(",")
    scales = [int(s) for s in arguments.scales.split(",")]
    work = tempfile.mkdtemp(prefix="zelkan-game-")
    screen = Screen()
    print("peak resident memory (VmHWM): at start, after a whole game against the computer")
    try:
        for variant in arguments.variants:
            label, folder = variant.split("=", 1)
            engine = os.path.join(folder, "zelkan-engine")
            # A copy, so the settings file the game writes beside itself stays out of the build.
            copy = shutil.copytree(folder, os.path.join(work, label))
            for scale in scales:
                for level in levels:
                    r = play_game(screen, engine, copy, scale, level, arguments.limit,
                                  arguments.music, not arguments.no_keeping)
                    note = "" if r["ended"] else "  (cut off before the end)"
                    print(f"{label:>10} scale {scale} {LEVEL_NAMES[level]}: "
                          f"{r['start'] / 1024:6.1f} MB -> {r['end'] / 1024:6.1f} MB "
                          f"(+{(r['end'] - r['start']) / 1024:4.1f}), {r['moves']} moves "
                          f"in {r['seconds']:.0f} s{note}", flush=True)
    finally:
        screen.stop()
        shutil.rmtree(work)


if __name__ == "__main__":
    main()
