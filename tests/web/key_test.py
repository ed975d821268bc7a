"""Keys pressed on the page reach the program: a held scene runs until a key, and then the
program ends as on the desktop, its log closing with "[over]".

    key_test.py PAGE_DIR
"""

import sys

from devtools import Browser
from page_session import served_page, summary

FRAMES = "+(document.getElementById('screen').dataset.framesPresented || 0)"


def ends_on_key(browser, url, key, code, virtual_key, text):
    browser.console.clear()
    browser.call("Page.navigate", url=url)
    browser.wait_for(f"{FRAMES} >= 10", 60)
    if "[over]" in browser.console:
        return "ended before the key"
    browser.press(key, code, virtual_key, text)
    if not browser.wait_for_log("[over]", 20):
        return "still running 20 s after the key"
    return None


def main(page_dir):
    passed = failed = 0
    with served_page(page_dir) as page, Browser(640, 480) as browser:
        url = f"{page}?hold=3:3000&sound=off&seed=1"
        for name, key, code, virtual_key, text in [("a letter", "a", "KeyA", 65, "a"),
                                                   ("Escape", "Escape", "Escape", 27, "")]:
            problem = ends_on_key(browser, url, key, code, virtual_key, text)
            if problem:
                failed += 1
                print(f"FAIL {name} on the page: {problem}")
            else:
                passed += 1
                print(f"ok   {name} on the page ends the held scene; the log says [over]")
    return summary(passed, failed)


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
