#!/usr/bin/python3
"""Figures of the browser build (bench/web-bench.sh builds what it needs and runs this).

    web-bench.py NATIVE_SIM SIM_JS PAGE_FOLDER REPLAY [GAMES]

1. Simulated ticks a second of the same skilled-bot games (normal, seeds 1.., to the game
   over), the native simulator and quellix-sim.js under Node, taking turns, in one run,
   by the wall clock and by processor time; both must print the same games.
2. The page in headless Chromium from 127.0.0.1: the bytes a first load downloads, then
   the time from navigation to the title (the log's line) of 5 warm loads, and their median.
3. A golden replay at normal speed on the page, drawn in smooth and in classic motion: the
   ticks the frame clock dropped and the refreshes a second it drew.
"""
import json
import os
import re
import resource
import shutil
import statistics
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(__file__))),
                                "tests", "web"))
from quellix_browser import TITLE_LINE, Browser, PageServer  # noqa: E402


def sim_rate(command, games):
    """Ticks a second of the run, by the wall clock and by the processor time it took
    (user and system, every thread: the latter is steadier on a busy machine)."""
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    started = time.perf_counter()
    out = subprocess.run(command + ["--difficulty", "normal", "--games", str(games), "--json"],
                         check=True, capture_output=True, text=True).stdout
    seconds = time.perf_counter() - started
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    cpu = (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)
    ticks = sum(json.loads(line)["ticks"] for line in out.splitlines())
    return ticks / seconds, ticks / cpu, ticks, out


def simulator(native, script, games):
    print(f"Simulated play: {games} skilled-bot games on normal, seeds 1 to {games}, each to its"
          " game over")
    rates = {"native": ([], []), "wasm": ([], [])}
    outputs = {}
    for _ in range(3):
        for name, command in (("native", [native]), ("wasm", ["node", script])):
            wall, cpu, ticks, out = sim_rate(command, games)
            rates[name][0].append(wall)
            rates[name][1].append(cpu)
            outputs[name] = out
    if outputs["native"] != outputs["wasm"]:
        print("  the two printed different games:\n" + outputs["native"] + outputs["wasm"])
        sys.exit(1)
    print(f"  {ticks} ticks a run, the same games in both; medians of 3 runs each, taking turns:")
    for kind, index in (("wall clock", 0), ("processor time", 1)):
        native_rate = statistics.median(rates["native"][index])
        wasm_rate = statistics.median(rates["wasm"][index])
        print(f"  by the {kind}: native {native_rate:,.0f} ticks/s, WebAssembly under Node"
              f" {wasm_rate:,.0f} ticks/s ({wasm_rate / native_rate:.0%} of native)")


def load_to_title(browser, url):
    """Seconds from the navigation's start to the title's log line (from a blank page, so
    that each load is a whole one)."""
    browser.open("about:blank")
    browser.pump(0.5)
    since = len(browser.console)
    browser.open(url)
    index, _ = browser.wait_console(re.escape(TITLE_LINE), 120, since)
    origin = browser.evaluate("performance.timeOrigin")
    return (browser.console[index][0] - origin) / 1000


class CountingBrowser(Browser):
    """Counts the bytes the page downloads (compressed, as they came over the wire)."""

    def __init__(self):
        self.downloaded = 0
        super().__init__()

    def on_event(self, method, params):
        if method == "Network.loadingFinished":
            self.downloaded += params.get("encodedDataLength", 0)


def page_load(server):
    print("Page load in headless Chromium from 127.0.0.1")
    with CountingBrowser() as browser:
        first = load_to_title(browser, server.url)
        print(f"  first load: {browser.downloaded / 1e6:.2f} MB downloaded, title after {first:.2f} s")
        times = []
        for _ in range(5):
            times.append(load_to_title(browser, server.url))
        print("  warm loads to the title: " + ", ".join(f"{t:.2f}" for t in times) + " s;"
              f" median {statistics.median(times):.2f} s")


def replay_speed(server, page, replay, motion):
    """The replay played on the page in one motion style: the frame clock's counts."""
    with Browser() as browser:
        browser.open(f"{server.url}?replay=replays/{os.path.basename(replay)}&motion={motion}")
        browser.wait_for("!document.getElementById('start').hidden", 60)
        browser.click(*browser.centre("#start"))
        index, match = browser.wait_console(
            r"Frame clock: (\d+) ticks, (\d+) dropped, (\d+) refreshes in ([\d.]+) s", 900)
        ticks, dropped, refreshes, seconds = match.groups()
        finished = next(line[2] for line in browser.console if "Replay finished" in line[2])
        drawn = (f"{refreshes} refreshes in {seconds} s: {int(refreshes) / float(seconds):.1f} a second"
                 if int(refreshes) else f"drawn once a tick, {seconds} s")
        print(f"  {motion} motion: {finished}; {ticks} ticks, {dropped} dropped; {drawn}")


def replays(server, page, replay):
    folder = os.path.join(page, "replays")
    os.makedirs(folder, exist_ok=True)
    shutil.copyfile(replay, os.path.join(folder, os.path.basename(replay)))
    print(f"The golden replay {os.path.basename(replay)} at normal speed in headless Chromium")
    try:
        for motion in ("smooth", "classic"):
            replay_speed(server, page, replay, motion)
    finally:
        shutil.rmtree(folder, ignore_errors=True)


def main():
    if len(sys.argv) not in (5, 6):
        sys.exit(__doc__)
    native, script, page, replay = sys.argv[1:5]
    games = int(sys.argv[5]) if len(sys.argv) == 6 else 6
    simulator(native, script, games)
    with PageServer(page) as server:
        page_load(server)
        replays(server, page, replay)


if __name__ == "__main__":
    main()
