#!/usr/bin/python3
# The page served on this computer as a web host serves it: a folder's files,
# each sent as its brotli or gzip copy beside it (FILE.br, FILE.gz) with its
# Content-Encoding to a browser that takes it, a revalidation answered with
# 304 when the file is unchanged. It listens on the loopback address, where
# browsers also allow the page's service worker, and says where once it does.
# The browser tests and the page's benchmark serve the page with it.
#   python3 tools/page_server.py build-web/page [PORT]
import email.utils, functools, http.server, os, sys

COPIES = ("br", ".br"), ("gzip", ".gz")


class PageHandler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {".wasm": "application/wasm", ".webmanifest": "application/manifest+json",
                      ".js": "text/javascript", ".rcc": "application/octet-stream"}

    def send_head(self):
        path = self.translate_path(self.path)
        accepted = self.headers.get("Accept-Encoding", "")
        copy = next(((coding, path + suffix) for coding, suffix in COPIES
                     if coding in accepted and os.path.isfile(path + suffix)), None)
        if not os.path.isfile(path) or copy is None:
            return super().send_head()
        status = os.stat(path)
        since = self.headers.get("If-Modified-Since")
        if since and email.utils.parsedate_to_datetime(since).timestamp() >= int(status.st_mtime):
            self.send_response(304)
            self.end_headers()
            return None
        body = open(copy[1], "rb")
        self.send_response(200)
        self.send_header("Content-Type", self.guess_type(path))
        self.send_header("Content-Encoding", copy[0])
        self.send_header("Content-Length", str(os.fstat(body.fileno()).st_size))
        self.send_header("Last-Modified", self.date_time_string(status.st_mtime))
        self.send_header("Vary", "Accept-Encoding")
        self.end_headers()
        return body

    def log_message(self, *_):
        pass


folder, port = sys.argv[1], int(sys.argv[2]) if len(sys.argv) > 2 else 0
server = http.server.ThreadingHTTPServer(("127.0.0.1", port), functools.partial(PageHandler, directory=folder))
print(f"{folder} on http://127.0.0.1:{server.server_address[1]}/ (port {server.server_address[1]})", flush=True)
server.serve_forever()
