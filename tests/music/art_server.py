"""A small web server for cover pictures in tests, on 127.0.0.1.

Usage: art_server.py FOLDER. Prints the port, then one line per request it
got ("GET /path") and per answer it finished or gave up ("done /path",
"gone /path"). Paths:
  /cover/NAME    the file NAME from FOLDER as image/png
  /late/NAME     the same after 1.5 s
  /slow          never answers (60 s)
  /html          a web page instead of a picture
  /endless       an image/png body that never ends
  /huge          announces 20 MB and sends them
"""

import http.server
import os
import sys
import time

FOLDER = sys.argv[1]


def say(line):
    sys.stdout.write(line + '\n')
    sys.stdout.flush()


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = 'HTTP/1.1'

    def log_message(self, *args):
        pass

    def send_body(self, kind, body):
        self.send_response(200)
        self.send_header('Content-Type', kind)
        self.send_header('Content-Length', str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def stream(self, kind, length=None):
        self.send_response(200)
        self.send_header('Content-Type', kind)
        if length is not None:
            self.send_header('Content-Length', str(length))
        self.end_headers()
        chunk = b'\0' * 65536
        sent = 0
        while length is None or sent < length:
            self.wfile.write(chunk)
            sent += len(chunk)

    def do_GET(self):
        path = self.path
        say('GET ' + path)
        try:
            if path.startswith('/cover/') or path.startswith('/late/'):
                if path.startswith('/late/'):
                    time.sleep(1.5)
                name = os.path.basename(path)
                with open(os.path.join(FOLDER, name), 'rb') as picture:
                    self.send_body('image/png', picture.read())
            elif path == '/slow':
                time.sleep(60)
            elif path == '/html':
                self.send_body('text/html', b'<html><body>Not a picture</body></html>')
            elif path == '/endless':
                self.stream('image/png')
            elif path == '/huge':
                self.stream('image/png', 20 * 1024 * 1024)
            else:
                self.send_error(404)
            say('done ' + path)
        except (BrokenPipeError, ConnectionResetError):
            say('gone ' + path)


server = http.server.ThreadingHTTPServer(('127.0.0.1', 0), Handler)
server.daemon_threads = True
say(str(server.server_address[1]))
server.serve_forever()
