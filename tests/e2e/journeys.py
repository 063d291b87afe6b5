#!/usr/bin/env python3
"""End-to-end journeys: the real wedgora binary in a real X server, played like a player.

Usage: journeys.py BINARY [--only NAME ...] [--artefacts DIR] [--docs DIR] [--list]

Each journey starts its own Xvfb and game, asserts pixels and exit codes, and ends every process
it started. Screenshots and the game's stderr of a failed journey stay in the artefact folder,
which the output names. With --docs the title, play, pause and game-over screenshots are copied
there (that is how docs/*.png are refreshed).
"""
import argparse
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import traceback

from xdriver import Game, Xvfb

GROUND = 0x1E1E1E
BLUE = 0x0000FF
YELLOW = 0xFFFF00
GREEN = 0x00FF00
RING = 0x000064
EMPTY_SLOT = 0x0A0A0A
SEGMENT_COLOURS = {0xC80000: 1, 0x00C800: 2, 0x00C8C8: 3, 0xFFC800: 4}
PIES = [(320, 130), (220, 190), (420, 190), (220, 310), (420, 310), (320, 370)]
CENTRE = (320, 250)
# Where each slot's fill starts, from the pie's centre: the wedge's inside for sure.
SLOT_SEEDS = {1: (0, -25), 2: (-21, -13), 3: (-21, 13), 4: (0, 25), 5: (21, 13), 6: (21, -12)}


def check(condition, message):
    if not condition:
        raise AssertionError(message)


def expect_pixel(picture, x, y, colour, what, scale=1):
    got = picture.pixel(x * scale, y * scale)
    check(got == colour, "%s: pixel (%d, %d) is %06X, expected %06X" % (what, x, y, got, colour))


def on_title(picture, scale=1):
    return (picture.pixel(120 * scale, 90 * scale) == BLUE and
            picture.pixel(123 * scale, 93 * scale) == 0 and
            picture.pixel(320 * scale, 60 * scale) == GROUND)


def on_board(picture, scale=1):
    # The ring shows between the pies, and pie 6's rim is there (blue, or yellow under the pointer).
    return (picture.pixel(430 * scale, 250 * scale) == RING and
            picture.pixel(371 * scale, 370 * scale) in (BLUE, YELLOW))


def segment_in(picture, centre, scale=1):
    """The (slot, colour code) of the one filled slot of a pie, or None when all look empty."""
    found = []
    for slot, (dx, dy) in SLOT_SEEDS.items():
        colour = picture.pixel((centre[0] + dx) * scale, (centre[1] + dy) * scale)
        if colour in SEGMENT_COLOURS:
            found.append((slot, SEGMENT_COLOURS[colour]))
    return found


def cell(picture, x, y):
    return [picture.pixel(x + dx, y + dy) for dy in range(16) for dx in range(8)]


def start(game):
    game.find_window()
    return game.wait_for(on_title, "the title box", label=None)


def start_playing(game, scale=1):
    game.key("space")
    return game.wait_for(lambda p: on_board(p, scale), "the board after space")


def fresh_turn(game, scale=1):
    """Waits for a screenshot in which the turn has at least half its time left (gauge green)."""
    return game.wait_for(lambda p: p.pixel(320 * scale, 195 * scale) == GREEN and on_board(p, scale),
                         "a turn with time left", timeout=6)


# --- the journeys ---

def journey_start_up(game):
    game.find_window()
    check(game.window_name() == "Wedgora v1.01 (26/10/2022) - wedgora.example/1",
          "window title is %r" % game.window_name())
    check(game.geometry()[2:] == (640, 480), "window size is %r" % (game.geometry()[2:],))
    icon = subprocess.run(["xprop", "-id", game.window, "_NET_WM_ICON"], env=game.env,
                          capture_output=True, text=True).stdout
    check("Icon (64 x 64)" in icon, "the window has no 64-pixel icon: %r" % icon[:200])
    picture = game.wait_for(on_title, "the title box", label="title")
    for x in (0, 320, 639):
        for y in (30, 60, 89, 391, 450):
            expect_pixel(picture, x, y, GROUND, "band")
    for x, y in ((120, 90), (520, 390), (122, 200), (518, 100), (300, 92)):
        expect_pixel(picture, x, y, BLUE, "rim")
    for x, y in ((123, 93), (517, 387), (140, 380)):
        expect_pixel(picture, x, y, 0, "panel")
    expect_pixel(picture, 200, 5, 0x000032, "top band row 5")
    expect_pixel(picture, 200, 24, 0x0000F0, "top band row 24")
    expect_pixel(picture, 200, 479, 0x00000A, "bottom band row 479")
    expect_pixel(picture, 200, 456, 0x0000F0, "bottom band row 456")
    # The labels above reach into the values' cells: compare the values' yellow pixels only.
    score = [p == YELLOW for p in cell(picture, 0, 12)]
    best = [p == YELLOW for p in cell(picture, 632, 12)]
    check(any(score) and score == best, "score and best score are not both 0")
    game.key("q")
    check(game.wait_exit() == 0, "quit from the title did not exit 0")


def journey_play(game):
    start(game)
    start_playing(game)
    picture = game.wait_for(on_board, "the board", label="play")
    expect_pixel(picture, 320, 75, RING, "bar under the Clear button")
    expect_pixel(picture, 270, 50, BLUE, "Clear button rim")
    picture = fresh_turn(game)
    nxt = segment_in(picture, CENTRE)
    check(len(nxt) == 1, "the centre pie shows %r" % nxt)
    slot, colour = nxt[0]
    game.click(*PIES[0])
    after = game.wait_for(lambda p: segment_in(p, PIES[0]), "a segment in the top pie")
    check(segment_in(after, PIES[0]) == [(slot, colour)],
          "placed %r, expected %r" % (segment_in(after, PIES[0]), (slot, colour)))
    new = segment_in(after, CENTRE)
    check(len(new) == 1 and new[0][0] != slot and new[0][1] != colour,
          "the new segment %r does not differ from the placed %r" % (new, (slot, colour)))
    game.key("q")
    game.wait_for(lambda p: not on_board(p), "the game-over screen")
    game.key("space")
    game.wait_for(on_title, "the title after the game")
    game.key("q")
    check(game.wait_exit() == 0, "quit did not exit 0")


def journey_hover(game):
    start(game)
    start_playing(game)
    game.move(*PIES[1])
    game.wait_for(lambda p: p.pixel(PIES[1][0] + 50, PIES[1][1]) == YELLOW, "the hover rim")
    # Out of the window and back over another pie, with no button: that is no click.
    game.move_to_screen(1500, 1100)
    time.sleep(0.3)
    game.move(*PIES[2])
    picture = game.wait_for(lambda p: p.pixel(PIES[2][0] + 50, PIES[2][1]) == YELLOW,
                            "the hover rim on the other pie")
    check(picture.pixel(PIES[1][0] + 50, PIES[1][1]) == BLUE, "the first pie stayed lit")
    time.sleep(0.3)
    picture = game.screenshot()
    for centre in PIES:
        check(segment_in(picture, centre) == [], "a segment was placed without a click")
    game.key("q")
    game.wait_for(lambda p: not on_board(p), "the game-over screen")


def journey_pause(game):
    start(game)
    start_playing(game)
    game.key("p")
    picture = game.wait_for(lambda p: p.pixel(320, 130) == GROUND and p.pixel(320, 420) == GROUND,
                            "the pause box", label="pause")
    check(any(picture.pixel(x, 246) == YELLOW for x in range(252, 388)), "no pause text")
    for x in (0, 639):
        expect_pixel(picture, x, 30, GROUND, "pause box top row")
        expect_pixel(picture, x, 450, GROUND, "pause box bottom row")
    expect_pixel(picture, 200, 5, 0x000032, "top band kept")
    expect_pixel(picture, 200, 460, 0x0000C8, "bottom band kept")
    # F11 belongs to the window, not the game: the game stays paused.
    game.key("F11")
    time.sleep(0.3)
    game.key("F11")
    time.sleep(0.5)
    picture = game.screenshot()
    check(picture.pixel(320, 130) == GROUND, "F11 ended the pause")
    game.key("a")
    game.wait_for(on_board, "the board after the pause")
    game.key("q")
    game.wait_for(lambda p: not on_board(p), "the game-over screen")


def journey_game_over(game):
    start(game)
    zero = cell(game.screenshot(), 0, 12)
    start_playing(game)
    picture = fresh_turn(game)
    game.click(*PIES[0])
    game.wait_for(lambda p: segment_in(p, PIES[0]), "a placed segment")
    game.key_down("Escape")
    time.sleep(0.5)
    check(on_board(game.screenshot()), "holding Esc ended the game")
    game.key_up("Escape")
    picture = game.wait_for(lambda p: p.pixel(430, 250) == RING >> 1, "the dimmed game-over screen",
                            label="gameover")
    check(any(picture.pixel(x, 246) == YELLOW for x in range(284, 356)), "no Game Over text")
    game.key("q", "p", "Return")
    time.sleep(0.3)
    check(game.screenshot().pixel(430, 250) == RING >> 1, "q, p or Enter left the game-over screen")
    game.key("space")
    picture = game.wait_for(on_title, "the title after game over")
    check(cell(picture, 0, 12) != zero, "the title does not show the game's score")
    check(cell(picture, 632, 12) != zero, "the title does not show the new best score")
    game.key("q")
    check(game.wait_exit() == 0, "quit did not exit 0")


def journey_keys_on_the_title(game):
    """Arrow, navigation and function keys reach the title box as extended keys and never quit
    it; a capital Q does."""
    start(game)
    game.key("Left", "Right", "Up", "Down", "Home", "End", "Prior", "Next", "Insert", "Delete",
             "F1", "F10", "Return", "Tab", "BackSpace", "a")
    time.sleep(0.5)
    check(game.proc.poll() is None, "an extended key quit the title box")
    check(on_title(game.screenshot()), "the title box went away")
    game.key("shift+q")
    check(game.wait_exit() == 0, "Q did not quit with 0")


def journey_close_button(game):
    start(game)
    start_playing(game)
    game.close_request()
    time.sleep(0.5)
    check(game.proc.poll() is None, "the close button ended a game in play")
    check(on_board(game.screenshot()), "the close button left the board")
    game.key("q")
    game.wait_for(lambda p: not on_board(p), "the game-over screen")
    game.key("space")
    game.wait_for(on_title, "the title")
    game.close_request()
    check(game.wait_exit() == 0, "the close button on the title did not exit 0")


def journey_resized(game):
    small = start(game)
    game.xdotool("windowmove", game.window, "0", "0")
    game.xdotool("windowsize", game.window, "1280", "960")
    big = game.wait_for(lambda p: p.width == 1280 and p.height == 960 and on_title(p, 2),
                        "the doubled title")
    for y in range(0, 480, 3):
        for x in range(0, 640, 3):
            want = small.pixel(x, y)
            for dy in (0, 1):
                for dx in (0, 1):
                    got = big.pixel(2 * x + dx, 2 * y + dy)
                    check(got == want, "doubled pixel (%d, %d) is %06X, page has %06X" %
                          (2 * x + dx, 2 * y + dy, got, want))
    start_playing(game, 2)
    picture = fresh_turn(game, 2)
    slot, colour = segment_in(picture, CENTRE, 2)[0]
    game.click(PIES[3][0] * 2 + 1, PIES[3][1] * 2 + 1)
    after = game.wait_for(lambda p: segment_in(p, PIES[3], 2), "a segment in the clicked pie")
    check(segment_in(after, PIES[3], 2) == [(slot, colour)], "the wrong segment was placed")
    for other in (0, 1, 2, 4, 5):
        check(segment_in(after, PIES[other], 2) == [], "the click landed on pie %d" % (other + 1))
    game.key("q")


def ended_by(signal_number):
    def journey(game):
        start(game)
        start_playing(game)
        game.proc.send_signal(signal_number)
        started = time.time()
        code = game.wait_exit(timeout=1)
        check(code == -signal_number, "signal %d gave status %r" % (signal_number, code))
        check(time.time() - started < 1, "signal %d took over a second" % signal_number)
    return journey


def no_segments(picture):
    return all(segment_in(picture, centre) == [] for centre in PIES)


def journey_desktop_events(game):
    """Hiding, showing, resizing and losing the focus, on every screen: the game goes on, the
    picture comes back right, and none of it counts as a click."""
    def disturb(redrawn, what):
        game.hide_and_show()
        game.wait_for(redrawn, what + " after the window came back")
        game.focus_away()
        time.sleep(0.2)
        game.focus_back()
        game.xdotool("windowsize", game.window, "800", "600")
        time.sleep(0.2)
        game.xdotool("windowsize", game.window, "640", "480")
        return game.wait_for(redrawn, what + " after a resize")

    start(game)
    game.xdotool("windowmove", game.window, "0", "0")
    disturb(on_title, "the title")
    start_playing(game)
    game.move(*PIES[0])  # resting over a pie, no button down
    before = game.screenshot()
    picture = disturb(on_board, "the board")
    check(no_segments(picture), "a window event placed a segment")
    check(picture.raw != before.raw, "the game stopped while the window was disturbed")
    game.key("p")
    paused = lambda p: p.pixel(320, 130) == GROUND and p.pixel(320, 420) == GROUND
    game.wait_for(paused, "the pause box")
    disturb(paused, "the pause box")
    game.key("a")
    picture = game.wait_for(on_board, "the board after the pause")
    check(no_segments(picture), "a window event during the pause placed a segment")
    game.key("q")
    dimmed = lambda p: p.pixel(430, 250) == RING >> 1
    game.wait_for(dimmed, "the game-over screen")
    disturb(dimmed, "the game-over screen")
    game.key("space")
    game.wait_for(on_title, "the title after game over")
    game.key("q")
    check(game.wait_exit() == 0, "quit did not exit 0")


JOURNEYS = {
    "start_up": journey_start_up,
    "play": journey_play,
    "hover": journey_hover,
    "pause": journey_pause,
    "game_over": journey_game_over,
    "keys_on_the_title": journey_keys_on_the_title,
    "close_button": journey_close_button,
    "resized": journey_resized,
    "desktop_events": journey_desktop_events,
    "sigterm": ended_by(signal.SIGTERM),
    "sigint": ended_by(signal.SIGINT),
}


NO_DISPLAY_REPORT = re.compile(
    rb"\nAborting due to runtime error 1 \(illegal function call\) at line [1-9][0-9]* of wedgora::\(\)\n\n")


def unused_display():
    number = 4000
    while os.path.exists("/tmp/.X11-unix/X%d" % number) or os.path.exists("/tmp/.X%d-lock" % number):
        number += 1
    return ":%d" % number


def under_valgrind(binary, artefacts):
    """From start-up to "q" on the title box with no definite leak (libdbus's, inside SDL, aside)."""
    xvfb = Xvfb()
    supp = os.path.join(os.path.dirname(os.path.abspath(__file__)), "valgrind.supp")
    game = Game(binary, xvfb, artefacts, "valgrind",
                wrapper=("valgrind", "--leak-check=full", "--errors-for-leak-kinds=definite",
                         "--error-exitcode=9", "--suppressions=" + supp))
    try:
        game.find_window(timeout=60)
        game.wait_for(on_title, "the title under valgrind", timeout=60)
        game.key("q")
        code = game.wait_exit(timeout=60)
        report = game.stderr_text().decode(errors="replace")
        check(code == 0, "valgrind found errors or a leak (status %d):\n%s" % (code, report[-3000:]))
        check("definitely lost: 0 bytes" in report or "All heap blocks were freed" in report,
              "no clean leak summary:\n" + report[-3000:])
    finally:
        game.stop()
        xvfb.stop()


def no_display(binary, artefacts):
    # XDG_RUNTIME_DIR is unset too: were SDL to probe for Wayland, libwayland would complain
    # on stderr, which must carry the report alone.
    bare = ["env", "-u", "DISPLAY", "-u", "WAYLAND_DISPLAY", "-u", "XDG_RUNTIME_DIR",
            "-u", "SDL_VIDEODRIVER"]
    cases = {
        "no display named": bare + [binary],
        "a display nobody serves": bare + ["DISPLAY=" + unused_display(), binary],
        "SDL's offscreen driver": bare + ["SDL_VIDEODRIVER=offscreen", binary],
        "SDL's dummy driver": bare + ["SDL_VIDEODRIVER=dummy", binary],
    }
    for what, command in cases.items():
        result = subprocess.run(command, capture_output=True, timeout=10)
        with open(os.path.join(artefacts, "stderr-" + what.replace(" ", "_")), "wb") as f:
            f.write(result.stderr)
        check(result.returncode == 1, "%s: exit status %d" % (what, result.returncode))
        check(NO_DISPLAY_REPORT.fullmatch(result.stderr), "%s: stderr %r" % (what, result.stderr))
        check(result.stdout == b"", "%s: stdout %r" % (what, result.stdout))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("binary")
    parser.add_argument("--only", nargs="*")
    parser.add_argument("--artefacts")
    parser.add_argument("--docs")
    parser.add_argument("--list", action="store_true")
    args = parser.parse_args()
    names = list(JOURNEYS) + ["no_display", "valgrind"]
    if args.list:
        print("\n".join(names))
        return 0
    binary = os.path.abspath(args.binary)
    artefacts = args.artefacts or tempfile.mkdtemp(prefix="wedgora-e2e-")
    os.makedirs(artefacts, exist_ok=True)
    passed = failed = 0
    for name in args.only or names:
        folder = os.path.join(artefacts, name)
        shutil.rmtree(folder, ignore_errors=True)
        os.makedirs(folder)
        try:
            if name == "no_display":
                no_display(binary, folder)
            elif name == "valgrind":
                under_valgrind(binary, folder)
            else:
                xvfb = Xvfb()
                game = Game(binary, xvfb, folder, name)
                try:
                    JOURNEYS[name](game)
                finally:
                    game.stop()
                    xvfb.stop()
            passed += 1
            print("PASS", name)
            if not args.docs:
                shutil.rmtree(folder, ignore_errors=True)
        except Exception:
            failed += 1
            print("FAIL", name)
            traceback.print_exc()
            print("screenshots and stderr of %s are in %s" % (name, folder))
    if args.docs and failed == 0:
        os.makedirs(args.docs, exist_ok=True)
        for shot in ("title", "play", "pause", "gameover"):
            for root, _, files in os.walk(artefacts):
                for f in files:
                    if f.endswith("-%s.png" % shot):
                        shutil.copy(os.path.join(root, f), os.path.join(args.docs, shot + ".png"))
    print("%d passed, %d failed" % (passed, failed))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
