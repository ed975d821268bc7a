"""The settings dialog on the canvas, answered with the mouse and with keys; its button is the
gesture a browser waits for before it plays sound or goes full screen. When the program ends
the page says so and a click plays the demo again; a media file missing from the page's data
behaves as on the desktop; a mistyped option in the address is named on the page.

    dialog_test.py PAGE_DIR
"""

import sys

from devtools import Browser
from page_session import report, served_page

IDOK = 1
IDC_SOUND_OFF = 101
CANVAS = "document.getElementById('screen')"
FRAMES = f"+({CANVAS}.dataset.framesPresented || 0)"
AUDIO_PLAYED = f"+({CANVAS}.dataset.audioFramesPlayed || 0)"
MISSING_LINE = 'TBitmap::TBitmap(char*) - Could not open file "Media\\TLife.tga"!'


def open_page(browser, url):
    browser.console.clear()
    browser.call("Page.navigate", url=url)
    browser.wait_for(f"{CANVAS}.dataset.dialogButtons", 60)


def click_button(browser, control_id):
    """Clicks the middle of a dialog button, found where the page says it is."""
    x, y = browser.evaluate(f"""(() => {{
        const canvas = {CANVAS};
        const box = canvas.getBoundingClientRect();
        for (const button of canvas.dataset.dialogButtons.split(';')) {{
            const [id, left, top, right, bottom] = button.split(' ').map(Number);
            if (id === {control_id})
                return [box.left + (left + right) / 2 * box.width / canvas.width,
                        box.top + (top + bottom) / 2 * box.height / canvas.height];
        }}
        return null;
    }})()""")
    browser.click(x, y)


def note(browser, note_id):
    return browser.evaluate(f"(document.getElementById('{note_id}') || {{}}).textContent || ''")


def main(page_dir):
    checks = []
    # As a browser is by default: sound only after a gesture.
    with served_page(page_dir) as page, Browser(640, 480, autoplay=False) as browser:
        open_page(browser, page + "?seed=1&stop-at=2000")
        click_button(browser, IDC_SOUND_OFF)
        click_button(browser, IDOK)
        browser.wait_for(f"{FRAMES} >= 30", 30)
        checks.append(("clicked: sound off, and the click took the page to full screen",
                       browser.evaluate(f"!!document.fullscreenElement && "
                                        f"{CANVAS}.dataset.audioRate === undefined")))
        checks.append(("the demo plays to its stop", browser.wait_for_log("[over]", 60)))

        open_page(browser, page + "?seed=1&stop-at=3000&window")
        browser.press("Enter", "Enter", 13)
        # The song begins quietly: wait for a sample that is not silence.
        browser.wait_for(f"+({CANVAS}.dataset.audioPeak || 0) > 0", 30)
        checks.append(("Enter takes the dialog's preset (sound on): sound plays at once, in the "
                       "page, to the stop", browser.evaluate("!document.fullscreenElement")
                       and note(browser, "sound-waits") == ""
                       and browser.wait_for_log("[over]", 60)))

        open_page(browser, page + "?seed=1&window")
        # The browser's shortcut Ctrl+J types nothing: were it "j", it would press "&Ja".
        browser.press("j", "KeyJ", 74, "j", ctrl=True)
        browser.press("n", "KeyN", 78, "n", alt=True)
        ended = browser.wait_for(f"{CANVAS}.dataset.ended", 30)
        started = any(line.startswith("Initializing DirectDraw") for line in browser.console)
        checks.append(("Ctrl+J is no answer; Alt+N says no: the program ends and the page says so",
                       ended == "0" and not started and note(browser, "over") ==
                       "The demo is over. Click to play it again."))
        browser.click(320, 240)
        browser.wait_for(f"{CANVAS}.dataset.dialogButtons", 60)
        checks.append(("a click plays it again: the dialog is back",
                       browser.evaluate("performance.getEntriesByType('navigation')[0].type")
                       == "reload"))

        browser.console.clear()
        browser.call("Page.navigate", url=page + "?sound=44&seed=1&stop-at=4000")
        waiting = browser.wait_for("(document.getElementById('sound-waits') || {})"
                                   ".textContent", 60)
        silent = browser.evaluate(f"{AUDIO_PLAYED} === 0 && {FRAMES} < 10")
        browser.click(320, 240)
        browser.wait_for(f"{AUDIO_PLAYED} > 0 && {FRAMES} >= 10", 10)
        checks.append(("options in the address: the page asks for a click, and the click "
                       "starts the sound and the picture",
                       waiting == "Click the page to hear the sound." and silent
                       and note(browser, "sound-waits") == ""
                       and browser.wait_for_log("[over]", 60)))

        browser.call("Page.navigate", url=page + "?sond=44")
        ended = browser.wait_for(f"{CANVAS}.dataset.ended", 60)
        checks.append(("a mistyped option: the page says which, and that the demo stopped",
                       ended == "2" and note(browser, "over") ==
                       "The demo stopped: Glimmerfall: unknown option --sond (see Glimmerfall "
                       "--help). Click to try again."))

        open_page(browser, page + "?seed=1&window&hold=4:1000&stop-at=1500")
        browser.evaluate("FS.unlink('/Media/TLife.tga')")
        browser.press("d", "KeyD", 68, "d", alt=True)
        browser.press("Enter", "Enter", 13)
        over = browser.wait_for_log("[over]", 60)
        checks.append(("a missing media file: the log says which, and the demo plays on",
                       over and MISSING_LINE in browser.console
                       and browser.evaluate(FRAMES) >= 30))
    return report(checks)


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
