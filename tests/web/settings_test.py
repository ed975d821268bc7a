"""The settings outlast a visit in the page's localStorage, in the text the native program
writes to its settings file, and a later visit reads them back.

    settings_test.py PAGE_DIR NATIVE_PROGRAM WORK_DIR
"""

import json
import os
import subprocess
import sys

from devtools import Browser
from page_session import report, served_page

KEY = "LumaPlatform/HKEY_CURRENT_USER.reg"
SOUND_LEFT_OFF = "Glimmerfall: sound is off"


def native_settings(program, options, folder):
    """The settings file a native run with `options` leaves behind in a fresh folder."""
    os.makedirs(folder, exist_ok=True)
    subprocess.run([program, "--headless", *options], cwd=folder, check=True,
                   env=dict(os.environ, XDG_CONFIG_HOME=folder),
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    with open(os.path.join(folder, KEY), encoding="latin-1") as file:
        return file.read()


def visit(browser, url):
    browser.console.clear()
    browser.call("Page.navigate", url=url)
    if not browser.wait_for_log("[over]", 60):
        raise TimeoutError(f"the program did not end: {url}")


def main(page_dir, program, work_dir):
    checks = []
    with served_page(page_dir) as page, Browser(640, 480) as browser:
        visit(browser, page + "?sound=44&seed=1&stop-at=300")
        kept = browser.evaluate(f"localStorage.getItem('{KEY}')")
        expected = native_settings(program, ["--sound", "44", "--seed", "1", "--stop-at", "300"],
                                   os.path.join(work_dir, "first-visit"))
        checks.append(("a visit keeps the settings the native program writes", kept == expected))

        # As if an earlier visit could not open a sound device: the program remembers that.
        sound_disabled = expected.replace('"TDirectSound::dwDisable"=dword:00000000',
                                          '"TDirectSound::dwDisable"=dword:00000001')
        browser.evaluate(f"localStorage.setItem('{KEY}', {json.dumps(sound_disabled)})")
        visit(browser, page + "?sound=44&seed=1&stop-at=300")
        said = any(line.startswith(SOUND_LEFT_OFF) for line in browser.console)
        played = browser.evaluate("document.getElementById('screen').dataset.audioFramesPlayed")
        checks.append(("the next visit reads them: sound stays off", said and played is None))

        visit(browser, page + "?sound=44&seed=1&stop-at=300&reset-settings")
        checks.append(("--reset-settings forgets them",
                       browser.evaluate(f"localStorage.getItem('{KEY}')") == expected))
    return report(checks)


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
