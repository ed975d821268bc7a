"""What every page test shares: the built page served on 127.0.0.1, and the closing count."""

import contextlib
import functools
import http.server
import threading


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


@contextlib.contextmanager
def served_page(folder):
    """The folder served while the block runs; its index.html's address."""
    handler = functools.partial(QuietHandler, directory=folder)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    try:
        yield f"http://127.0.0.1:{server.server_port}/index.html"
    finally:
        server.shutdown()


def summary(passed, failed):
    """Prints the count; the process's status."""
    print(f"{passed} passed, {failed} failed")
    return 0 if failed == 0 else 1


def report(checks):
    """Prints each (name, passed) check, then the count; the process's status."""
    for name, passed in checks:
        print(f"{'ok  ' if passed else 'FAIL'} {name}")
    failed = sum(1 for _, passed in checks if not passed)
    return summary(len(checks) - failed, failed)
