"""A browser without WebAssembly gets a clear word on the page, not a blank canvas.

    no_webassembly_test.py PAGE_DIR
"""

import sys

from devtools import Browser
from page_session import serve, summary

SAID = "This browser cannot run WebAssembly, which the demo needs."


def main(page_dir):
    server = serve(page_dir)
    browser = Browser(640, 480)
    try:
        # Every page of this tab starts without WebAssembly, as in a browser that has none.
        browser.call("Page.addScriptToEvaluateOnNewDocument", source="delete WebAssembly;")
        browser.call("Page.navigate", url=f"http://127.0.0.1:{server.server_port}/index.html")
        browser.wait_for("document.readyState === 'complete'", 30)
        shown = browser.evaluate("(document.getElementById('status') || {}).textContent")
    finally:
        browser.close()
        server.shutdown()
    passed = shown == SAID
    print(f"{'ok  ' if passed else 'FAIL'} without WebAssembly the page says so ({shown!r})")
    return summary(int(passed), int(not passed))


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
