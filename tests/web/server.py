#!/usr/bin/env python3
"""Local HTTP and HTTPS server for the web tests.

  server.py start DIR   make a self-signed certificate, start serving in the background and
                        write DIR/ports ("HTTP_PORT HTTPS_PORT"); returns once it listens
  server.py stop DIR    stop the server that `start` left running
  server.py serve DIR   serve in the foreground

Every request is recorded byte for byte (head and body, after TLS) as DIR/record/TAG/N,
N = 1, 2, ... in arrival order, where the request target is /t/TAG/BEHAVIOUR?QUERY.
BEHAVIOUR picks the scripted response (see BEHAVIOURS). Absolute-form targets and CONNECT
are served too, so the same server acts as a proxy: a CONNECT is answered with 200, the
tunnel is taken over with TLS, and the CONNECT request is recorded ahead of the first
request of the tunnel.
"""
import gzip
import os
import signal
import socket
import ssl
import subprocess
import sys
import threading
import time
import urllib.parse

HOST = "127.0.0.1"
LIFETIME_SECONDS = 3600
# A redirect loop ends here, so that a client without a limit of its own ends too.
LOOP_LIMIT = 30
record_lock = threading.Lock()
record_counts = {}  # requests recorded per tag
ports = {}


class Peer:
    """One client connection: the socket, unread bytes, and the scheme it speaks."""

    def __init__(self, sock, scheme, context):
        self.sock = sock
        self.scheme = scheme
        self.context = context
        self.unread = b""
        self.pending_records = []

    def fill(self):
        data = self.sock.recv(65536)
        self.unread += data
        return bool(data)

    def take(self, count):
        while len(self.unread) < count:
            if not self.fill():
                return None
        data, self.unread = self.unread[:count], self.unread[count:]
        return data

    def take_line(self):
        while b"\r\n" not in self.unread:
            if not self.fill():
                return None
        line, _, self.unread = self.unread.partition(b"\r\n")
        return line + b"\r\n"

    def send(self, data):
        self.sock.sendall(data)


class Request:
    def __init__(self, raw, method, target, headers, body):
        self.raw = raw
        self.method = method
        self.target = target
        self.headers = headers
        self.body = body
        path = target
        if "://" in target:
            path = "/" + target.split("://", 1)[1].partition("/")[2]
        path, _, query = path.partition("?")
        self.query = dict(urllib.parse.parse_qsl(query))
        parts = path.split("/", 3)
        self.tag = parts[2] if len(parts) > 2 and parts[1] == "t" else None
        self.behaviour = parts[3] if len(parts) > 3 else ""


def read_request(peer):
    while b"\r\n\r\n" not in peer.unread:
        if not peer.fill():
            return None
    head, _, peer.unread = peer.unread.partition(b"\r\n\r\n")
    head += b"\r\n\r\n"
    lines = head.decode("latin-1").split("\r\n")
    method, target = (lines[0].split(" ") + ["", ""])[:2]
    headers = {}
    for line in lines[1:]:
        name, colon, value = line.partition(":")
        if colon:
            headers[name.strip().lower()] = value.strip()
    body = b""
    if "content-length" in headers:
        body = peer.take(int(headers["content-length"])) or b""
    elif headers.get("transfer-encoding", "").lower() == "chunked":
        while True:
            size_line = peer.take_line() or b"0\r\n"
            body += size_line
            size = int(size_line.split(b";")[0], 16)
            chunk = peer.take(size + 2) or b""
            body += chunk
            if size == 0:
                break
    return Request(head + body, method, target, headers, body)


def record(peer, request):
    if request.tag is None:
        peer.pending_records.append(request.raw)
        return
    folder = os.path.join(record_root, request.tag)
    with record_lock:
        os.makedirs(folder, exist_ok=True)
        for raw in peer.pending_records + [request.raw]:
            record_counts[request.tag] = record_counts.get(request.tag, 0) + 1
            with open(os.path.join(folder, str(record_counts[request.tag])), "wb") as out:
                out.write(raw)
    peer.pending_records = []


def response(status, headers=(), body=b"", length=True):
    head = "HTTP/1.1 %s\r\n" % status
    for name, value in headers:
        head += "%s: %s\r\n" % (name, value)
    if length:
        head += "Content-Length: %d\r\n" % len(body)
    return head.encode("latin-1") + b"\r\n" + body


def location(peer, request, next_behaviour):
    scheme = request.query.get("scheme", peer.scheme)
    return "%s://%s:%d/t/%s/%s" % (scheme, HOST, ports[scheme], request.tag, next_behaviour)


# Each behaviour answers one request and returns True to keep the connection open.
def ok(peer, request):
    peer.send(response("200 OK", [("Content-Type", "text/plain")], b"hello"))
    return True


def echo(peer, request):
    peer.send(response("200 OK", [("Content-Type", "application/octet-stream")], request.raw))
    return True


def status(peer, request):
    code = request.query.get("code", "404")
    peer.send(response(code + " Scripted", [("Content-Type", "text/plain")], b"status " + code.encode()))
    return True


def cookies(peer, request):
    peer.send(response("200 OK", [("Set-Cookie", "a=1; HttpOnly"), ("Set-Cookie", "b=2")], b"ok"))
    return True


def odd_cookies(peer, request):
    peer.send(response("200 OK", [
        ("Set-Cookie", "a=1"), ("Set-Cookie", "a=1"), ("Set-Cookie", "c=3; Secure"),
        ("set-cookie", "lower=1"), ("Set-Cookie", "gone=deleted"), ("Set-Cookie", "flag"),
        ("Set-Cookie", "  spaced = 5 ;Secure")], b"ok"))
    return True


def big_headers(peer, request):
    fillers = [("X-Filler-%02d" % i, "f" * 200) for i in range(30)]
    peer.send(response("200 OK", fillers + [("Set-Cookie", "big=1; HttpOnly"), ("Set-Cookie", "last=2")], b"big"))
    return True


def nul_body(peer, request):
    peer.send(response("200 OK", [("Content-Type", "application/octet-stream")], b"\x00a\x00\x00b\x00"))
    return True


def chunked(peer, request):
    peer.send(b"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\nTrailer: X-Trailer\r\n\r\n"
              b"3;ext=1\r\nab\x00\r\n1\r\n\x00\r\n5\r\ncdefg\r\n0\r\nX-Trailer: t\r\n\r\n")
    return True


def close_delimited(peer, request):
    peer.send(b"HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\n\r\n" + b"until close" * 300)
    return False


def redirect(peer, request):
    code = request.query.get("code", "302")
    target = location(peer, request, request.query.get("next", "ok"))
    peer.send(response(code + " Moved", [("Location", target), ("Set-Cookie", "hop=1")], b"moved"))
    return True


def chain(peer, request):
    left = int(request.query.get("n", "0"))
    if left <= 0:
        peer.send(response("200 OK", [], b"end of chain"))
        return True
    target = "/t/%s/chain?n=%d" % (request.tag, left - 1)
    peer.send(response("302 Found", [("Location", target)], b"hop"))
    return True


def loop(peer, request):
    if record_counts.get(request.tag, 0) > LOOP_LIMIT:
        peer.send(response("200 OK", [], b"loop broken by the server"))
        return True
    peer.send(response("302 Found", [("Location", "/t/%s/loop" % request.tag)], b"again"))
    return True


def no_content(peer, request):
    peer.send(b"HTTP/1.1 204 No Content\r\nContent-Length: 7\r\nContent-Type: text/plain\r\n\r\n")
    return True


def not_modified(peer, request):
    peer.send(b"HTTP/1.1 304 Not Modified\r\nContent-Length: 7\r\nContent-Type: text/plain\r\n\r\n")
    return True


def head_length(peer, request):
    body = b"" if request.method == "HEAD" else b"x" * 100
    peer.send(b"HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\n" + body)
    return True


def continues(peer, request):
    for _ in range(int(request.query.get("n", "3"))):
        peer.send(b"HTTP/1.1 100 Continue\r\n\r\n")
    peer.send(response("200 OK", [], b"after continue"))
    return True


def drop_length(peer, request):
    peer.send(b"HTTP/1.1 200 OK\r\nContent-Length: 1000\r\n\r\n" + b"d" * 100)
    return False


def drop_chunked(peer, request):
    peer.send(b"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n64\r\n" + b"c" * 100 + b"\r\n")
    return False


def no_answer(peer, request):
    return False


def stall(peer, request):
    peer.sock.recv(1)
    return False


def gzipped(peer, request):
    peer.send(response("200 OK", [("Content-Encoding", "gzip")], gzip.compress(b"hello", mtime=0)))
    return True


def http09(peer, request):
    peer.send(b"plain body without a status line")
    return False


def sized(peer, request):
    size = int(request.query.get("size", "0"))
    pattern = bytes(range(256))
    head = b"HTTP/1.1 200 OK\r\nContent-Length: %d\r\n\r\n" % size
    peer.send(head)
    block = pattern * 4096
    while size > 0:
        piece = block[:size]
        peer.send(piece)
        size -= len(piece)
    return True


BEHAVIOURS = {
    "ok": ok, "echo": echo, "status": status, "cookies": cookies, "odd-cookies": odd_cookies,
    "big-headers": big_headers, "nul-body": nul_body, "chunked": chunked,
    "close-delimited": close_delimited, "redirect": redirect, "chain": chain, "loop": loop,
    "no-content": no_content, "not-modified": not_modified, "head-length": head_length,
    "continue": continues, "drop-length": drop_length, "drop-chunked": drop_chunked,
    "no-answer": no_answer, "stall": stall, "gzip": gzipped, "http09": http09, "sized": sized,
}


def serve_peer(peer):
    try:
        if peer.scheme == "https":
            peer.sock = peer.context.wrap_socket(peer.sock, server_side=True)
        while True:
            request = read_request(peer)
            if request is None:
                return
            record(peer, request)
            if request.method == "CONNECT":
                peer.send(b"HTTP/1.1 200 Connection established\r\n\r\n")
                peer.sock = peer.context.wrap_socket(peer.sock, server_side=True)
                peer.scheme = "https"
                continue
            behaviour = BEHAVIOURS.get(request.behaviour.rstrip("/"), None)
            if behaviour is None:
                peer.send(response("404 Not Found", [], b"no such behaviour"))
                continue
            if not behaviour(peer, request):
                return
    except (OSError, ValueError, ssl.SSLError):
        pass
    finally:
        try:
            peer.sock.close()
        except OSError:
            pass


def accept_loop(listener, scheme, context):
    while True:
        sock, _ = listener.accept()
        sock.setsockopt(socket.IPPROTO_TCP, socket.TCP_NODELAY, 1)
        threading.Thread(target=serve_peer, args=(Peer(sock, scheme, context),), daemon=True).start()


def serve(folder):
    global record_root
    record_root = os.path.join(folder, "record")
    os.makedirs(record_root, exist_ok=True)
    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.load_cert_chain(os.path.join(folder, "cert.pem"), os.path.join(folder, "key.pem"))
    listeners = {}
    for scheme in ("http", "https"):
        listener = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
        listener.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
        listener.bind((HOST, 0))
        listener.listen(64)
        listeners[scheme] = listener
        ports[scheme] = listener.getsockname()[1]
    for scheme, listener in listeners.items():
        threading.Thread(target=accept_loop, args=(listener, scheme, context), daemon=True).start()
    with open(os.path.join(folder, "ports.tmp"), "w") as out:
        out.write("%d %d\n" % (ports["http"], ports["https"]))
    os.replace(os.path.join(folder, "ports.tmp"), os.path.join(folder, "ports"))
    time.sleep(LIFETIME_SECONDS)


def start(folder):
    stop(folder)
    os.makedirs(folder, exist_ok=True)
    for name in ("ports", "record"):
        path = os.path.join(folder, name)
        if os.path.isdir(path):
            subprocess.run(["rm", "-rf", path], check=True)
        elif os.path.exists(path):
            os.remove(path)
    subprocess.run(["openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2",
                    "-subj", "/CN=vastrel test server",
                    "-keyout", os.path.join(folder, "key.pem"),
                    "-out", os.path.join(folder, "cert.pem")],
                   check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    with open(os.path.join(folder, "server.log"), "wb") as log:
        process = subprocess.Popen([sys.executable, os.path.abspath(__file__), "serve", folder],
                                   stdout=log, stderr=log, stdin=subprocess.DEVNULL,
                                   start_new_session=True)
    with open(os.path.join(folder, "pid"), "w") as out:
        out.write(str(process.pid))
    for _ in range(100):
        if os.path.exists(os.path.join(folder, "ports")):
            return 0
        if process.poll() is not None:
            break
        time.sleep(0.1)
    sys.stderr.write("test server did not start; see %s/server.log\n" % folder)
    return 1


def stop(folder):
    pid_file = os.path.join(folder, "pid")
    if not os.path.exists(pid_file):
        return 0
    with open(pid_file) as source:
        pid = int(source.read().strip())
    os.remove(pid_file)
    try:
        os.kill(pid, signal.SIGTERM)
    except ProcessLookupError:
        pass
    return 0


if __name__ == "__main__":
    command, folder = sys.argv[1], os.path.abspath(sys.argv[2])
    if command == "start":
        sys.exit(start(folder))
    if command == "stop":
        sys.exit(stop(folder))
    serve(folder)
