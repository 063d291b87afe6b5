#!/usr/bin/env python3
"""Whole-program figures from the real window under Xvfb: CPU per screen, frame pacing, memory, start-up.

Usage: measure.py BUILD_DIR [--seconds N]
Prints a table of medians; every process it starts it ends.
"""
import argparse
import os
import statistics
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
from xdriver import Game, Xvfb  # noqa: E402

TICKS = os.sysconf("SC_CLK_TCK")


def cpu_seconds(pid):
    with open("/proc/%d/stat" % pid) as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / TICKS  # utime + stime


def peak_rss_mb(pid):
    with open("/proc/%d/status" % pid) as f:
        for line in f:
            if line.startswith("VmHWM:"):
                return int(line.split()[1]) / 1024
    return float("nan")


def cpu_share(pid, seconds):
    """User + system seconds over wall seconds, as a percentage of one core."""
    c0, t0 = cpu_seconds(pid), time.time()
    time.sleep(seconds)
    return 100 * (cpu_seconds(pid) - c0) / (time.time() - t0)


def on_title(p):
    return p.pixel(120, 90) == 0x0000FF and p.pixel(123, 93) == 0


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("build")
    parser.add_argument("--seconds", type=float, default=10)
    args = parser.parse_args()
    build = os.path.abspath(args.build)
    game_binary = os.path.join(build, "wedgora")
    rows = []
    xvfb = Xvfb()
    try:
        # The yardstick: a bare loop of 1 ms sleeps.
        loop = subprocess.Popen([os.path.join(build, "bench", "wedgora_sleep_loop"),
                                 str(int(args.seconds) + 2)])
        time.sleep(0.5)
        bare = cpu_share(loop.pid, args.seconds)
        loop.kill()
        loop.wait()
        rows.append(("bare loop of 1 ms sleeps", "%.2f %% of a core" % bare))

        # Time from launch to the first frame on screen, five launches.
        starts = []
        for i in range(5):
            game = Game(game_binary, xvfb, "/tmp", "measure-start")
            try:
                game.find_window()
                game.wait_for(on_title, "the title", timeout=10)
                starts.append(time.time() - game.started)
            finally:
                game.stop()
        rows.append(("launch to first frame (median of 5)", "%.0f ms" % (1000 * statistics.median(starts))))

        game = Game(game_binary, xvfb, "/tmp", "measure")
        try:
            game.find_window()
            game.wait_for(on_title, "the title")
            time.sleep(0.5)
            title = cpu_share(game.proc.pid, args.seconds)
            rows.append(("title box", "%.2f %% of a core (%.2f x the bare loop)" % (title, title / bare)))
            game.key("space")
            time.sleep(0.5)
            rows.append(("playing, 640 x 480", "%.2f %% of a core" % cpu_share(game.proc.pid, args.seconds)))
            game.key("p")
            time.sleep(0.5)
            rows.append(("paused", "%.2f %% of a core" % cpu_share(game.proc.pid, args.seconds)))
            game.key("a")
            time.sleep(0.2)
            game.key("q")
            time.sleep(0.5)
            rows.append(("game over", "%.2f %% of a core" % cpu_share(game.proc.pid, args.seconds)))
            game.key("space")
            time.sleep(0.3)
            game.xdotool("windowmove", game.window, "0", "0")
            game.xdotool("windowsize", game.window, "1280", "960")
            time.sleep(0.3)
            game.key("space")
            time.sleep(0.5)
            rows.append(("playing, 1280 x 960", "%.2f %% of a core" % cpu_share(game.proc.pid, args.seconds)))
            rows.append(("peak resident memory", "%.1f MB" % peak_rss_mb(game.proc.pid)))
        finally:
            game.stop()

        # Frame pacing over one whole game with no input (30 s).
        timing = subprocess.run([os.path.join(build, "bench", "wedgora_frame_timing")],
                                env=xvfb.env, capture_output=True, text=True, timeout=120)
        for line in timing.stdout.splitlines():
            rows.append(("frame pacing", line))
    finally:
        xvfb.stop()
    width = max(len(r[0]) for r in rows)
    for name, value in rows:
        print(name.ljust(width), " ", value)


if __name__ == "__main__":
    sys.exit(main())
