"""A browser without what the page needs gets a clear word on the page, not a blank canvas:
without WebAssembly nothing can run; without WebAudio the demo plays without sound.

    missing_features_test.py PAGE_DIR
"""

import sys

from devtools import Browser
from page_session import report, served_page

NO_WEBASSEMBLY = "This browser cannot run WebAssembly, which the demo needs."
NO_WEBAUDIO = "This browser has no WebAudio: the demo plays without sound."
# What the program says on the desktop too when no sound device is there.
NO_SOUND_BOX = "DirectSound\n\nERROR: Unable to initialize DirectSound!"
CANVAS = "document.getElementById('screen')"


def visit_without(page, feature_removed, query=""):
    """A fresh tab in which every page starts without a feature, as in a browser that has
    none; the browser, left open."""
    browser = Browser(640, 480)
    browser.call("Page.addScriptToEvaluateOnNewDocument", source=feature_removed)
    browser.call("Page.navigate", url=page + query)
    browser.wait_for("document.readyState === 'complete'", 30)
    return browser


def main(page_dir):
    checks = []
    with served_page(page_dir) as page:
        with visit_without(page, "delete WebAssembly;") as browser:
            shown = browser.evaluate("(document.getElementById('status') || {}).textContent")
        checks.append((f"without WebAssembly the page says so ({shown!r})",
                       shown == NO_WEBASSEMBLY))

        with visit_without(page, "delete window.AudioContext; delete window.webkitAudioContext;",
                           "?sound=44&seed=1&stop-at=2000") as browser:
            ended = browser.wait_for_log("[over]", 60)
            shown = browser.evaluate("(document.getElementById('no-audio') || {}).textContent")
            frames = int(browser.evaluate(f"+({CANVAS}.dataset.framesPresented || 0)"))
        checks.append((f"without WebAudio the page says so ({shown!r}), the program's box "
                       f"too, and the demo plays ({frames} frames)",
                       shown == NO_WEBAUDIO and frames >= 60 and ended
                       and len(browser.boxes) == 1 and browser.boxes[0].startswith(NO_SOUND_BOX)))
    return report(checks)


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
