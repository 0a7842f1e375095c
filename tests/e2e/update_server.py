"""A web server on loopback standing in for the product's update server: the version file, the
installer and the change log, each answer set by the test."""
import http.server
import os
import re
import threading

from harness import BUILD


def update_address():
    """Host and port of the build's update server setting."""
    with open(os.path.join(BUILD, 'CMakeCache.txt'), encoding='utf-8') as f:
        url = re.search(r'^GLIMMERA_UPDATE_URL:\w+=(.*)$', f.read(), re.M).group(1)
    host, port = re.match(r'https?://([^:/]+):(\d+)', url).groups()
    return host, int(port)


ENDLESS = object()


class UpdateServer:
    """Serves answers[path] = (status, body, announced length or None for the true one,
    whether to hang up after the body), a body of ENDLESS without a length and without end;
    remembers the paths asked for."""

    def __init__(self):
        self.answers = {}
        self.asked = []
        self.stopping = False
        server = self

        class Handler(http.server.BaseHTTPRequestHandler):
            def do_GET(self):
                server.asked.append(self.path)
                status, body, announced, hang_up = server.answers.get(
                    self.path, (404, b'<html>not here</html>', None, False))
                self.send_response(status)
                if body is ENDLESS:
                    self.end_headers()
                    try:
                        while not server.stopping:
                            self.wfile.write(b'MZ' * 32768)
                    except OSError:
                        pass  # the client gave up
                    self.close_connection = True
                    return
                self.send_header('Content-Length', str(len(body) if announced is None
                                                       else announced))
                self.end_headers()
                self.wfile.write(body)
                if hang_up:
                    self.close_connection = True
                    self.connection.shutdown(2)

            def log_message(self, *args):
                pass

        self.httpd = http.server.ThreadingHTTPServer(update_address(), Handler)
        self.thread = threading.Thread(target=self.httpd.serve_forever, daemon=True)
        self.thread.start()

    def version(self, words):
        """The version file of four little-endian words (build, build, minor, major)."""
        self.answers['/download/u_ver'] = (
            200, b''.join(w.to_bytes(2, 'little') for w in words), None, False)

    def stop(self):
        self.stopping = True
        self.httpd.shutdown()
        self.httpd.server_close()
