"""The game's page in Debian's Chromium, headless, driven through the DevTools protocol:
what the browser test (browser_test.py) and the page's benchmark (bench/web-bench.py)
share. Everything runs on the loopback interface: the page's server (scripts/web-serve.py)
and the browser's debugging port are free ports, the browser's profile a temporary
folder, and both processes are stopped at the end (use the classes in `with`).

Needs /usr/bin/python3 with Debian's python3-websocket and /usr/bin/chromium.
"""
import base64
import json
import os
import re
import shutil
import subprocess
import tempfile
import time
import urllib.request
import zlib

import websocket

REPO = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
CHROMIUM = "/usr/bin/chromium"
# Software WebGL (SwiftShader) and none of the background traffic a closed network refuses.
CHROMIUM_FLAGS = [
    "--headless=new", "--no-sandbox", "--use-angle=swiftshader", "--enable-unsafe-swiftshader",
    "--no-first-run", "--disable-background-networking", "--disable-component-update",
    "--disable-sync", "--disable-default-apps", "--mute-audio", "--window-size=1024,768",
]
TITLE_LINE = "Going into Game Running Mode..."


class Failure(Exception):
    pass


def png_pixels(png):
    """The pixels of an 8-bit RGB or RGBA PNG that is not interlaced (as Chromium writes
    its screenshots): (width, height, a list of (r, g, b) rows)."""
    if png[:8] != b"\x89PNG\r\n\x1a\n":
        raise Failure("not a PNG file")
    pos, data, header = 8, b"", None
    while pos < len(png):
        length = int.from_bytes(png[pos:pos + 4], "big")
        kind, body = png[pos + 4:pos + 8], png[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            header = body
        elif kind == b"IDAT":
            data += body
        pos += 12 + length
    width, height = int.from_bytes(header[0:4], "big"), int.from_bytes(header[4:8], "big")
    depth, colour, interlace = header[8], header[9], header[12]
    if depth != 8 or colour not in (2, 6) or interlace:
        raise Failure(f"a PNG this reader does not take: depth {depth}, colour type {colour}")
    step = 3 if colour == 2 else 4
    raw, stride = zlib.decompress(data), width * step
    rows, previous = [], bytearray(stride)
    for y in range(height):
        kind = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            left = line[i - step] if i >= step else 0
            up = previous[i]
            corner = previous[i - step] if i >= step else 0
            if kind == 1:
                line[i] = (line[i] + left) & 255
            elif kind == 2:
                line[i] = (line[i] + up) & 255
            elif kind == 3:
                line[i] = (line[i] + (left + up) // 2) & 255
            elif kind == 4:
                p = left + up - corner
                pa, pb, pc = abs(p - left), abs(p - up), abs(p - corner)
                line[i] = (line[i] + (left if pa <= pb and pa <= pc else up if pb <= pc else corner)) & 255
        rows.append([tuple(line[x * step:x * step + 3]) for x in range(width)])
        previous = line
    return width, height, rows


class PageServer:
    """scripts/web-serve.py on a free port."""

    def __init__(self, folder):
        self.process = subprocess.Popen(
            ["/usr/bin/python3", os.path.join(REPO, "scripts", "web-serve.py"), folder, "--port", "0"],
            stdout=subprocess.PIPE, text=True)
        line = self.process.stdout.readline()
        match = re.match(r"Serving (http://127\.0\.0\.1:\d+/)", line)
        if not match:
            self.close()
            raise Failure(f"the page's server did not start: {line!r}")
        self.url = match.group(1)

    def close(self):
        if self.process.poll() is None:
            self.process.terminate()
            self.process.wait(10)

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()


class Browser:
    """Chromium with a profile of its own (kept across Browser objects when `profile` is
    given: the page's storage lives there), and one page to drive."""

    def __init__(self, profile=None):
        self.own_profile = profile is None
        self.profile = profile or tempfile.mkdtemp(prefix="quellix-chromium-")
        port_file = os.path.join(self.profile, "DevToolsActivePort")
        if os.path.exists(port_file):
            os.remove(port_file)
        self.errors_log = open(os.path.join(self.profile, "chromium.log"), "w")
        self.process = subprocess.Popen(
            [CHROMIUM, *CHROMIUM_FLAGS, "--remote-debugging-port=0",
             f"--user-data-dir={self.profile}", "about:blank"],
            stdout=self.errors_log, stderr=self.errors_log)
        port = None
        for _ in range(300):
            if os.path.exists(port_file):
                with open(port_file) as file:
                    port = file.readline().strip()
                if port:
                    break
            if self.process.poll() is not None:
                break
            time.sleep(0.1)
        if not port:
            self.close()
            raise Failure("Chromium did not open its debugging port")
        targets = json.load(urllib.request.urlopen(f"http://127.0.0.1:{port}/json/list"))
        page = next(t for t in targets if t["type"] == "page")
        self.socket = websocket.create_connection(page["webSocketDebuggerUrl"], suppress_origin=True)
        self.next_id = 0
        self.console = []  # (time, level, text): the page's console and the browser's log
        self.errors = []
        for domain in ("Runtime", "Page", "Log", "Network"):
            self.call(f"{domain}.enable")

    # ---- the protocol
    def call(self, method, **params):
        self.next_id += 1
        sent = self.next_id
        self.socket.send(json.dumps({"id": sent, "method": method, "params": params}))
        while True:
            message = json.loads(self.socket.recv())
            if message.get("id") == sent:
                if "error" in message:
                    raise Failure(f"{method}: {message['error'].get('message')}")
                return message.get("result", {})
            self.event(message)

    def event(self, message):
        method, params = message.get("method"), message.get("params", {})
        if method == "Runtime.consoleAPICalled":
            text = " ".join(str(a.get("value", a.get("description", ""))) for a in params["args"])
            self.note(params["type"], text, params.get("timestamp"))
        elif method == "Runtime.exceptionThrown":
            details = params["exceptionDetails"]
            text = details.get("exception", {}).get("description") or details.get("text")
            self.note("error", "uncaught: " + str(text))
        elif method == "Log.entryAdded":
            entry = params["entry"]
            self.note(entry["level"], f"{entry.get('source')}: {entry['text']} {entry.get('url', '')}",
                      entry.get("timestamp"))
        self.on_event(method, params)

    def on_event(self, method, params):
        """For a user of the class: every event, after it has been noted."""

    def note(self, level, text, stamp=None):
        self.console.append((stamp or time.time() * 1000, level, text))
        if level == "error":
            self.errors.append(text)

    def pump(self, seconds):
        """Handles the browser's events for a while."""
        end = time.time() + seconds
        while True:
            left = end - time.time()
            if left <= 0:
                return
            self.socket.settimeout(left)
            try:
                self.event(json.loads(self.socket.recv()))
            except websocket.WebSocketTimeoutException:
                return
            finally:
                self.socket.settimeout(None)

    def wait_console(self, pattern, timeout, since=0):
        """The first console line from index `since` on that matches; fails on a timeout."""
        regex = re.compile(pattern)
        end = time.time() + timeout
        index = since
        while True:
            for i in range(index, len(self.console)):
                match = regex.search(self.console[i][2])
                if match:
                    return i, match
            index = len(self.console)
            if time.time() > end:
                raise Failure(f"no console line like {pattern!r} within {timeout} s; the last lines:\n"
                              + "\n".join(line[2] for line in self.console[-15:]))
            self.pump(0.2)

    # ---- the page
    def open(self, url):
        self.call("Page.navigate", url=url)

    def evaluate(self, expression, awaited=False):
        result = self.call("Runtime.evaluate", expression=expression, returnByValue=True,
                           awaitPromise=awaited)
        if "exceptionDetails" in result:
            raise Failure(f"{expression}: {result['exceptionDetails'].get('text')}")
        return result["result"].get("value")

    def wait_for(self, expression, timeout):
        """Until the expression is true; one that fails meanwhile (the page is still being
        replaced by the next one) counts as false."""
        end = time.time() + timeout
        while True:
            try:
                if self.evaluate(expression):
                    return
            except Failure:
                pass
            if time.time() > end:
                raise Failure(f"not within {timeout} s: {expression}")
            self.pump(0.1)

    def centre(self, selector):
        box = self.evaluate(f"(() => {{ const r = document.querySelector({json.dumps(selector)})"
                            ".getBoundingClientRect(); return [r.x, r.y, r.width, r.height]; })()")
        return box[0] + box[2] / 2, box[1] + box[3] / 2

    def mouse(self, kind, x, y, button="none"):
        self.call("Input.dispatchMouseEvent", type=kind, x=x, y=y, button=button,
                  clickCount=1 if button != "none" else 0)

    def click(self, x, y):
        self.mouse("mouseMoved", x, y)
        self.mouse("mousePressed", x, y, "left")
        self.pump(0.08)
        self.mouse("mouseReleased", x, y, "left")

    def key(self, key, code, vk, text=None):
        down = {"type": "keyDown", "key": key, "code": code, "windowsVirtualKeyCode": vk}
        if text:
            down["text"] = text
        self.call("Input.dispatchKeyEvent", **down)
        self.call("Input.dispatchKeyEvent", type="keyUp", key=key, code=code, windowsVirtualKeyCode=vk)

    def type_text(self, text):
        for c in text:
            self.key(c, "Key" + c.upper() if c.isalpha() else "", ord(c.upper()), c)

    def screenshot(self, path):
        box = self.evaluate("(() => { const r = document.getElementById('canvas')"
                            ".getBoundingClientRect(); return [r.x, r.y, r.width, r.height]; })()")
        data = self.call("Page.captureScreenshot", format="png",
                         clip={"x": box[0], "y": box[1], "width": box[2], "height": box[3], "scale": 1})
        png = base64.b64decode(data["data"])
        with open(path, "wb") as file:
            file.write(png)
        return png

    def close(self):
        try:
            self.socket.close()
        except Exception:
            pass
        if self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(10)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
        self.errors_log.close()
        if self.own_profile:
            shutil.rmtree(self.profile, ignore_errors=True)

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()
