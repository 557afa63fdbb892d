#!/usr/bin/env python3
"""A small HTTP server for the client's tests, on 127.0.0.1 only.

Usage: test_server.py START_DIR
Binds a free loopback port, writes it to START_DIR/port (and its pid to
START_DIR/pid) and serves until killed. Every response closes the connection.

Paths:
  /echo...              200, body = the request exactly as received (head and
                        body, chunk framing included), type application/octet-stream
  /status/N             status N, body "status N"
  /redirect?to=PATH     302 to PATH
  /encoded/NAME         body "hello " * 200, Content-Encoding NAME: gzip and
                        deflate (zlib) are encoded, "identity" and others raw
  /gzip-truncated       the lines "000000".."003999" gzipped and cut in half, Content-Encoding gzip
  /content?type=T&hex=H Content-Type T (url-encoded), body = bytes of H
  /big?n=N              N bytes "x", text/plain
"""
import gzip
import os
import socket
import socketserver
import sys
import urllib.parse
import zlib

TEXT = b"hello " * 200


def read_head(rfile):
    lines = []
    while True:
        line = rfile.readline(65537)
        if not line:
            return None
        lines.append(line)
        if line in (b"\r\n", b"\n"):
            return b"".join(lines)


def read_body(rfile, head):
    headers = {}
    for line in head.split(b"\r\n")[1:]:
        if b":" in line:
            name, value = line.split(b":", 1)
            headers[name.strip().lower()] = value.strip()
    if headers.get(b"transfer-encoding", b"").lower() == b"chunked":
        raw = b""
        while True:
            size_line = rfile.readline(1024)
            raw += size_line
            if not size_line:
                return raw
            size = int(size_line.split(b";")[0].strip() or b"0", 16)
            data = rfile.read(size + 2)
            raw += data
            if size == 0:
                return raw
    length = int(headers.get(b"content-length", b"0") or b"0")
    return rfile.read(length) if length > 0 else b""


class Handler(socketserver.StreamRequestHandler):
    def handle(self):
        head = read_head(self.rfile)
        if head is None:
            return
        body = read_body(self.rfile, head)
        target = head.split(b" ")[1].decode("latin-1")
        url = urllib.parse.urlsplit(target)
        query = urllib.parse.parse_qs(url.query)
        status, headers, payload = 200, [], b""
        if url.path.startswith("/echo"):
            headers.append(("Content-Type", "application/octet-stream"))
            payload = head + body
        elif url.path.startswith("/status/"):
            status = int(url.path[len("/status/"):])
            headers.append(("Content-Type", "text/plain"))
            payload = b"status %d" % status
        elif url.path == "/redirect":
            status = 302
            headers.append(("Location", query.get("to", ["/echo"])[0]))
        elif url.path.startswith("/encoded/"):
            name = url.path[len("/encoded/"):]
            payload = TEXT
            if name == "gzip":
                payload = gzip.compress(TEXT)
            elif name == "deflate":
                payload = zlib.compress(TEXT)
            headers += [("Content-Type", "text/plain"), ("Content-Encoding", name)]
        elif url.path == "/gzip-truncated":
            whole = gzip.compress(b"".join(b"%06d\n" % i for i in range(4000)))
            payload = whole[: len(whole) // 2]
            headers += [("Content-Type", "application/octet-stream"), ("Content-Encoding", "gzip")]
        elif url.path == "/content":
            headers.append(("Content-Type", query.get("type", ["text/plain"])[0]))
            payload = bytes.fromhex(query.get("hex", [""])[0])
        elif url.path == "/big":
            headers.append(("Content-Type", "text/plain"))
            payload = b"x" * int(query.get("n", ["0"])[0])
        else:
            status = 404
        out = [b"HTTP/1.1 %d X" % status]
        for name, value in headers + [("Content-Length", str(len(payload))), ("Connection", "close")]:
            out.append(("%s: %s" % (name, value)).encode("latin-1"))
        self.wfile.write(b"\r\n".join(out) + b"\r\n\r\n" + payload)


class Server(socketserver.ThreadingTCPServer):
    daemon_threads = True
    allow_reuse_address = False


def main():
    folder = sys.argv[1]
    server = Server(("127.0.0.1", 0), Handler)
    port = server.server_address[1]
    with open(os.path.join(folder, "pid"), "w") as f:
        f.write(str(os.getpid()))
    with open(os.path.join(folder, "port.tmp"), "w") as f:
        f.write(str(port))
    os.replace(os.path.join(folder, "port.tmp"), os.path.join(folder, "port"))
    server.serve_forever()


if __name__ == "__main__":
    main()
