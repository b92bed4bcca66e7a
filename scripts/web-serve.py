#!/usr/bin/python3
"""Serves a folder (the browser page of the web build) on the loopback interface.

    web-serve.py FOLDER [--port N]

Port 8000 unless given; 0 takes a free one. Prints "Serving http://127.0.0.1:PORT/" once
it listens (the tests read the port from that line) and serves until it is stopped.
WebAssembly goes out as application/wasm (browsers compile it while it downloads only
then), and text and code gzipped to a browser that takes it, as any web server would.
"""
import argparse
import functools
import gzip
import http.server
import os
import sys
import threading

COMPRESSED = {".html", ".css", ".js", ".wasm", ".data", ".replay", ".txt"}


class Handler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {
        **http.server.SimpleHTTPRequestHandler.extensions_map,
        ".wasm": "application/wasm",
        ".js": "text/javascript",
        ".data": "application/octet-stream",
        ".replay": "text/plain; charset=utf-8",
    }
    cache = {}
    cache_lock = threading.Lock()

    def end_headers(self):
        self.send_header("Cache-Control", "no-cache")
        super().end_headers()

    def send_head(self):
        path = self.translate_path(self.path)
        if (os.path.splitext(path)[1] not in COMPRESSED or not os.path.isfile(path)
                or "gzip" not in self.headers.get("Accept-Encoding", "")):
            return super().send_head()
        stat = os.stat(path)
        tag = '"%x-%x"' % (int(stat.st_mtime_ns), stat.st_size)
        if self.headers.get("If-None-Match") == tag:
            self.send_response(304)
            self.send_header("ETag", tag)
            self.end_headers()
            return None
        with self.cache_lock:
            body = self.cache.get((path, tag))
            if body is None:
                with open(path, "rb") as file:
                    body = gzip.compress(file.read(), 6)
                self.cache[(path, tag)] = body
        self.send_response(200)
        self.send_header("Content-Type", self.guess_type(path))
        self.send_header("Content-Encoding", "gzip")
        self.send_header("Content-Length", str(len(body)))
        self.send_header("ETag", tag)
        self.end_headers()
        return _Body(body)

    def log_message(self, format, *args):  # quiet: the browser's console tells more
        pass


class _Body:
    def __init__(self, data):
        self.data = data

    def read(self, *args):
        data, self.data = self.data, b""
        return data

    def close(self):
        pass


def main():
    parser = argparse.ArgumentParser(description="Serves a folder on 127.0.0.1.")
    parser.add_argument("folder")
    parser.add_argument("--port", type=int, default=8000)
    args = parser.parse_args()
    if not os.path.isfile(os.path.join(args.folder, "index.html")):
        sys.exit(f"web-serve: {args.folder} holds no index.html (build it first: scripts/web.sh build)")
    handler = functools.partial(Handler, directory=args.folder)
    try:
        server = http.server.ThreadingHTTPServer(("127.0.0.1", args.port), handler)
    except OSError as error:
        sys.exit(f"web-serve: cannot listen on 127.0.0.1:{args.port}: {error.strerror}")
    print(f"Serving http://127.0.0.1:{server.server_address[1]}/", flush=True)
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        pass


if __name__ == "__main__":
    main()
