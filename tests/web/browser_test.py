#!/usr/bin/python3
"""The game's page played in Debian's Chromium, headless, with software WebGL:

    browser_test.py PAGE_FOLDER REPLAY GOLDEN OUT_FOLDER SIM_JS DATA_FOLDER

1. The page loads and reaches the title (the log's line in the console), "Click to play"
   locks the pointer, a click on EASY starts a game, and a screenshot after some seconds
   of play is no blank picture (kept as OUT_FOLDER/play.png). Letting the pointer go
   pauses the game, a click goes on; the full-screen button puts the page full screen.
2. A high score entered (on a stored table that any score enters) is on the table after
   the page is reloaded: the page keeps the files in the browser's storage. The page
   offers the game's recording, which the simulator (SIM_JS under Node, on the data of
   DATA_FOLDER) plays to the same score.
3. A browser that refuses its storage: the game says so and plays on.
4. A damaged replay is refused on the page; ?replay= of a golden replay ends with the
   very "Replay finished" line of the native game (the golden file's end).
No step may leave an error in the console. Prints a line per step.
"""
import os
import re
import json
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from quellix_browser import TITLE_LINE, Browser, Failure, PageServer, png_pixels  # noqa: E402

USER_DIR = "/home/web_user/.local/share/quellix"
# Title zones (shell/vtTitleScreen.cpp), in game pixels: the middle of EASY and HARD.
EASY = (130, 295)
HARD = (635, 295)
# A stored table in which any score above 0 ranks.
LOW_TABLE = "Low,0,1,Devuvov\r\n" * 10


def say(text):
    print(f"browser test: {text}", flush=True)


def expected_replay_line(golden):
    with open(golden) as file:
        for line in file:
            match = re.match(r"end tick (\d+) score (-?\d+) level (-?\d+)", line)
            if match:
                tick, score, level = match.groups()
                return f"Replay finished: score {score}, level {level}, tick {tick}"
    raise Failure(f"{golden} has no end line")


def load(browser, url):
    """Opens the page and waits for the title's log line; the seconds it took."""
    since = len(browser.console)
    started = time.time()
    browser.open(url)
    browser.wait_console(re.escape(TITLE_LINE), 120, since)
    return time.time() - started


def reload(browser):
    since = len(browser.console)
    browser.call("Page.reload")
    browser.wait_console(re.escape(TITLE_LINE), 120, since)


def start(browser):
    """Clicks "Click to play" and waits for the pointer to be locked to the game."""
    browser.wait_for("!document.getElementById('start').hidden", 30)
    browser.click(*browser.centre("#start"))
    browser.wait_for("document.pointerLockElement === document.getElementById('canvas')", 10)


def click_title(browser, target):
    """Steers the title's cursor onto a point and clicks: first into the top left corner,
    where the game holds it, then by the point's distance (game pixels scaled to the
    canvas's size in the page)."""
    scale = browser.evaluate("document.getElementById('canvas').getBoundingClientRect().width") / 800
    browser.mouse("mouseMoved", 900, 700)
    browser.mouse("mouseMoved", 20, 20)
    browser.pump(0.25)  # a few ticks: the corner is taken before the next move
    x, y = 20 + target[0] * scale, 20 + target[1] * scale
    browser.mouse("mouseMoved", x, y)
    browser.pump(0.25)
    browser.mouse("mousePressed", x, y, "left")
    browser.pump(0.15)
    browser.mouse("mouseReleased", x, y, "left")


def sweep_until(browser, pattern, timeout, since):
    """Moves the mouse to and fro, diagonally, until a console line like pattern comes."""
    end = time.time() + timeout
    step, position = 20, 0
    while True:
        for i in range(since, len(browser.console)):
            if re.search(pattern, browser.console[i][2]):
                return
        if time.time() > end:
            raise Failure(f"no console line like {pattern!r} within {timeout} s")
        position += step
        if position in (0, 400):
            step = -step
        browser.mouse("mouseMoved", 100 + position, 100 + position * 3 // 4)
        browser.pump(0.04)


def check_picture(png):
    width, height, rows = png_pixels(png)
    pixels = [p for row in rows[::4] for p in row[::4]]
    colours = len(set(pixels))
    lit = sum(1 for p in pixels if max(p) > 24) / len(pixels)
    if colours < 50 or lit < 0.02:
        raise Failure(f"the screenshot looks blank: {colours} colours, {lit:.1%} of it lit")
    return f"{width} x {height}, {colours} colours, {lit:.0%} lit"


def stored_table(browser):
    return browser.evaluate(f"FS.readFile('{USER_DIR}/highscores.txt', {{encoding: 'utf8'}})")


def title_and_play(browser, server, out):
    seconds = load(browser, server.url)
    say(f"the title after {seconds:.1f} s")
    start(browser)
    since = len(browser.console)
    click_title(browser, EASY)
    browser.wait_console("Quellix: A game has started", 10, since)
    browser.pump(5)
    shot = os.path.join(out, "play.png")
    say(f"a game on EASY; the screen after 5 s ({check_picture(browser.screenshot(shot))}): {shot}")
    browser.evaluate("document.exitPointerLock()")
    browser.wait_for("!document.getElementById('paused').hidden", 5)
    # With the pointer free the page's buttons can be clicked.
    browser.click(*browser.centre("#fullscreen"))
    browser.wait_for("document.fullscreenElement === document.documentElement", 5)
    browser.click(*browser.centre("#fullscreen"))
    browser.wait_for("document.fullscreenElement === null", 5)
    browser.click(*browser.centre("#paused"))
    browser.wait_for("document.pointerLockElement === document.getElementById('canvas')", 10)
    say("letting the pointer go paused the game, the full-screen button put the page full"
        " screen and back, a click went on")


def recording_replays(browser, out, simulator, data, since):
    """The recording the page offers after a game, played by the simulator."""
    index, match = browser.wait_console(r"the recording of the game is offered as (\S+)", 30, since)
    link = browser.evaluate("document.getElementById('recording').textContent")
    score = re.search(r"score (-?\d+), level (-?\d+)", link)
    text = browser.evaluate("fetch(document.getElementById('recording').href).then(r => r.text())",
                            awaited=True)
    path = os.path.join(out, match.group(1))
    with open(path, "w") as file:
        file.write(text)
    result = subprocess.run(["node", simulator, "--replay", path, "--data", data, "--json"],
                            capture_output=True, text=True)
    if result.returncode != 0:
        raise Failure(f"the simulator did not play the page's recording:\n{result.stdout}{result.stderr}")
    game = json.loads(result.stdout.splitlines()[-1])
    if game["end"] != "replay finished" or (str(game["score"]), str(game["level"])) != score.groups():
        raise Failure(f"the page's recording ({link}) played to {result.stdout}")
    say(f"the page offered the game's recording; the simulator plays it to score {game['score']},"
        f" level {game['level']}, tick {game['ticks']}")


def high_score_kept(browser, server, out, simulator, data):
    # A table any score enters, stored as the game stores its files (written, renamed).
    browser.evaluate(f"FS.writeFile('{USER_DIR}/highscores.txt.new', {LOW_TABLE!r});"
                     f"FS.rename('{USER_DIR}/highscores.txt.new', '{USER_DIR}/highscores.txt')")
    browser.pump(2)
    reload(browser)
    since = len(browser.console)
    start(browser)
    click_title(browser, HARD)
    browser.wait_console("Quellix: A game has started", 10, since)
    # Not firing and sweeping the ships to and fro on HARD, the last ship goes in well
    # under a minute.
    sweep_until(browser, "Quellix: A high score", 180, since)
    browser.pump(0.5)
    browser.type_text("Browser")
    browser.key("Enter", "Enter", 13, "\r")
    browser.wait_for(f"FS.readFile('{USER_DIR}/highscores.txt', {{encoding: 'utf8'}})"
                     ".startsWith('Browser,')", 10)
    recording_replays(browser, out, simulator, data, since)
    reload(browser)
    table = stored_table(browser)
    if not table.startswith("Browser,"):
        raise Failure(f"after the reload the table is:\n{table}")
    say(f"the high score entered is on the table after a reload: {table.splitlines()[0]}")


def storage_refused(browser, server):
    browser.call("Page.addScriptToEvaluateOnNewDocument",
                 source="indexedDB.open = () => { throw new DOMException('refused', 'SecurityError'); };")
    load(browser, server.url)
    browser.wait_for("document.getElementById('message').open", 10)
    text = browser.evaluate("document.getElementById('message-text').textContent")
    if "keeps no files" not in text:
        raise Failure(f"the page did not say that its storage was refused: {text!r}")
    browser.click(*browser.centre("#message-ok"))
    start(browser)
    since = len(browser.console)
    click_title(browser, EASY)
    browser.wait_console("Quellix: A game has started", 10, since)
    say("with the storage refused the game says so once and plays on")


def damaged_replay(browser, server):
    browser.open(f"{server.url}?replay=replays/damaged.replay")
    browser.wait_for("!document.getElementById('fatal').hidden", 60)
    text = browser.evaluate("document.getElementById('fatal-text').textContent")
    if not text.startswith("Replay refused: ") or "cut short" not in text:
        raise Failure(f"a damaged replay was not refused on the page: {text!r}")
    say(f"a damaged replay is refused on the page: {text}")


def replay(browser, server, name, expected, ticks):
    browser.open(f"{server.url}?replay=replays/{name}")
    browser.wait_for("!document.getElementById('start').hidden", 60)
    since = len(browser.console)
    browser.click(*browser.centre("#start"))
    index, _ = browser.wait_console("Replay finished: ", ticks * 0.04 * 2 + 60, since)
    line = browser.console[index][2]
    if line != expected:
        raise Failure(f"the replay ended with {line!r} instead of {expected!r}")
    say(f"?replay={name} ended as the native game: {line}")


def main():
    if len(sys.argv) != 7:
        sys.exit(__doc__)
    page, replay_file, golden, out, simulator, data = sys.argv[1:]
    os.makedirs(out, exist_ok=True)
    expected = expected_replay_line(golden)
    ticks = int(re.search(r"tick (\d+)$", expected).group(1))
    replays = os.path.join(page, "replays")
    os.makedirs(replays, exist_ok=True)
    name = os.path.basename(replay_file)
    shutil.copyfile(replay_file, os.path.join(replays, name))
    with open(replay_file) as whole, open(os.path.join(replays, "damaged.replay"), "w") as cut:
        cut.write(whole.read()[:2000])
    errors = []
    try:
        with PageServer(page) as server:
            with tempfile.TemporaryDirectory(prefix="quellix-profile-", ignore_cleanup_errors=True) as profile:
                with Browser(profile) as browser:
                    try:
                        title_and_play(browser, server, out)
                        high_score_kept(browser, server, out, simulator, data)
                    finally:
                        errors += browser.errors
            with Browser() as browser:
                try:
                    storage_refused(browser, server)
                finally:
                    errors += browser.errors
            with Browser() as browser:
                try:
                    damaged_replay(browser, server)
                    replay(browser, server, name, expected, ticks)
                finally:
                    errors += browser.errors
    except Failure as failure:
        say(f"FAILED: {failure}")
        for error in errors:
            say(f"console error: {error}")
        return 1
    finally:
        shutil.rmtree(replays, ignore_errors=True)
    if errors:
        for error in errors:
            say(f"console error: {error}")
        say("FAILED: errors in the console")
        return 1
    say("passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
