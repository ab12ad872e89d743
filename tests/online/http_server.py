"""HTTP server for the online tests, on loopback only. Prints "PORT <n>".

Serves files under --root. Beside a file (or in its place):
  NAME.status  the answer is that status code with a short body
  NAME.cut     announces the whole file but sends only that many bytes, then hangs up
  NAME.stall   sends the headers and nothing more
Every request path is appended to --log.
"""
import argparse
import http.server
import os
import socketserver
import threading
import time


class Handler(http.server.BaseHTTPRequestHandler):
    root = "."
    log = None
    protocol_version = "HTTP/1.1"

    def log_message(self, *args):
        pass

    def do_GET(self):
        if self.log:
            with open(self.log, "a") as f:
                f.write(self.path + " " + self.headers.get("User-Agent", "") + "\n")
        path = os.path.join(self.root, self.path.split("?")[0].lstrip("/"))
        if os.path.exists(path + ".status"):
            code = int(open(path + ".status").read().strip())
            body = b"<html>error page</html>"
            self.send_response(code)
            self.send_header("Content-Length", str(len(body)))
            self.end_headers()
            self.wfile.write(body)
            return
        if os.path.exists(path + ".stall"):
            self.send_response(200)
            self.send_header("Content-Length", "1000")
            self.end_headers()
            self.wfile.flush()
            time.sleep(60)
            return
        if not os.path.isfile(path):
            body = b"not found"
            self.send_response(404)
            self.send_header("Content-Length", str(len(body)))
            self.end_headers()
            self.wfile.write(body)
            return
        data = open(path, "rb").read()
        cut = None
        if os.path.exists(path + ".cut"):
            cut = int(open(path + ".cut").read().strip())
        self.send_response(200)
        self.send_header("Content-Length", str(len(data)))
        self.end_headers()
        if cut is None:
            self.wfile.write(data)
        else:
            self.wfile.write(data[:cut])
            self.wfile.flush()
            self.close_connection = True
            self.connection.shutdown(2)


class Server(socketserver.ThreadingMixIn, http.server.HTTPServer):
    daemon_threads = True


def main():
    p = argparse.ArgumentParser()
    p.add_argument("--root", required=True)
    p.add_argument("--log")
    a = p.parse_args()
    Handler.root = a.root
    Handler.log = a.log
    server = Server(("127.0.0.1", 0), Handler)
    print("PORT", server.server_address[1], flush=True)
    server.serve_forever()


if __name__ == "__main__":
    main()
