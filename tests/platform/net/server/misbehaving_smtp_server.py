"""An SMTP server that misbehaves on purpose, to show that the client stays bounded in time and memory.

Usage: misbehaving_smtp_server.py MODE   (prints "READY <port>" once it listens on a port of its choosing)
  trickle   the greeting comes one byte every quarter second (the line ends after 40 bytes)
  endless   the greeting is continuation lines ("220-...") that never end
  longline  the greeting is one line that never ends
  silent    the connection is taken and never answered
Whatever the client does, at most 64 MB go out per connection; the connection then stays open and silent.
Runs until its standard input closes, so it never outlives the test program that started it.
"""
import socketserver
import sys
import threading
import time

CAP = 64 * 1024 * 1024


class Handler(socketserver.BaseRequestHandler):
    mode = None

    def handle(self):
        try:
            if self.mode == "silent":
                pass
            elif self.mode == "trickle":
                for byte in b"220 " + b"x" * 36:
                    self.request.sendall(bytes([byte]))
                    time.sleep(0.25)
                self.request.sendall(b"\r\n")
            else:
                chunk = b"220-more to come\r\n" * 4096 if self.mode == "endless" else b"220 " + b"a" * 65532
                sent = 0
                while sent < CAP:
                    self.request.sendall(chunk)
                    sent += len(chunk)
            while self.request.recv(4096):
                pass
        except OSError:
            pass


def main():
    Handler.mode = sys.argv[1]
    socketserver.ThreadingTCPServer.allow_reuse_address = True
    socketserver.ThreadingTCPServer.daemon_threads = True
    server = socketserver.ThreadingTCPServer(("127.0.0.1", 0), Handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    print("READY", server.server_address[1], flush=True)
    sys.stdin.read()
    server.shutdown()


if __name__ == "__main__":
    main()
