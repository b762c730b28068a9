#!/usr/bin/env python3
"""Start-up time and peak memory of the game at each desktop scale, measured from outside.

    python3 scripts/measure-startup.py [--runs N] [--scales 1,2,3] [LABEL=FOLDER ...]

Each FOLDER holds a built game (default: build/bin). On a virtual screen of its own, the game is
started again and again under /usr/bin/time with GDK_SCALE set, the variants and scales taking
turns within each round so that a busy machine slows them alike. Start-up runs from the moment
the game is started to the first screen pixel of the board's wood (the first repaint of the
window); the game is then ended and its peak resident memory read from time's report. Medians
of the runs are printed.
"""
import argparse
import os
import shutil
import signal
import statistics
import subprocess
import tempfile
import time

from virtual_screen import Screen, game_environment


def run_once(screen, folder, scale):
    environment = dict(game_environment(screen, scale),
                       DBUS_SESSION_BUS_ADDRESS="unix:path=/dev/null/no-session-bus")
    # Column 10 of the board, just left of its grid line, on the window placed at (-4, -4).
    x = scale * (233 - 4)
    # Each run starts as the first: without a settings file.
    if os.path.exists(os.path.join(folder, "Zelkan.ini")):
        os.remove(os.path.join(folder, "Zelkan.ini"))
    with tempfile.NamedTemporaryFile("r") as report:
        start = time.monotonic()
        timer = subprocess.Popen(["/usr/bin/time", "-f", "%M", "-o", report.name,
                                  os.path.join(folder, "zelkan")], env=environment,
                                 stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        while not screen.shows_wood(x):
            if time.monotonic() - start > 30:
                raise RuntimeError("no window within 30 s")
            time.sleep(0.002)
        seconds = time.monotonic() - start
        time.sleep(0.3)  # what start-up still does after its first repaint
        with open(f"/proc/{timer.pid}/task/{timer.pid}/children") as children:
            for pid in children.read().split():
                os.kill(int(pid), signal.SIGTERM)
        timer.wait()
        peak_kb = int(report.read().split()[-1])
    return seconds, peak_kb


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--runs", type=int, default=20)
    parser.add_argument("--scales", default="1,2,3")
    parser.add_argument("variants", nargs="*", default=["build=build/bin"])
    arguments = parser.parse_args()
    scales = [int(s) for s in arguments.scales.split(",")]
    work = tempfile.mkdtemp(prefix="zelkan-startup-")
    variants = {}
    for variant in arguments.variants:
        label, folder = variant.split("=", 1)
        # A copy, so the settings file the game writes beside itself stays out of the build.
        variants[label] = shutil.copytree(folder, os.path.join(work, label))
    screen = Screen()
    results = {(label, s): [] for label in variants for s in scales}
    try:
        for _ in range(arguments.runs):
            for label, folder in variants.items():
                for s in scales:
                    results[(label, s)].append(run_once(screen, folder, s))
    finally:
        screen.stop()
        shutil.rmtree(work)
    print(f"median of {arguments.runs} runs: start-up to first repaint, peak resident memory")
    for (label, s), runs in results.items():
        seconds = statistics.median(r[0] for r in runs)
        peak = statistics.median(r[1] for r in runs)
        print(f"{label:>10} scale {s}: {seconds * 1000:7.1f} ms  {peak / 1024:7.1f} MB")


if __name__ == "__main__":
    main()
