"""The canvas in windows of other sizes: at a whole multiple of 640 x 480 each pixel of the
page is a sharp square, exactly ImageMagick's -sample of the native frame; elsewhere the page
keeps its 4:3 aspect between black bars and is smoothed. And a browser whose sound runs at
48 kHz hears the song at its own pace.

    placement_test.py PAGE_DIR NATIVE_PROGRAM WORK_DIR
"""

import os
import subprocess
import sys

from devtools import Browser
from held_scenes_test import differing_pixels, held_page_shot, native_frames
from page_session import report, served_page

CANVAS = "document.getElementById('screen')"
HOLD = "3:3000"  # a scene with a caption
PLAYED_SECONDS = 8
SECONDS_TOLERATED = 0.5
FORCE_48_KHZ = """
    const PageAudioContext = window.AudioContext;
    window.AudioContext = function(options) {
        return new PageAudioContext(Object.assign({}, options, {sampleRate: 48000}));
    };
"""


def canvas_place(browser):
    return browser.evaluate(f"""(() => {{
        const box = {CANVAS}.getBoundingClientRect();
        return [box.left, box.top, box.width, box.height, {CANVAS}.style.imageRendering];
    }})()""")


def doubled_page(browser, url, program, case_dir):
    """How many pixels of the 1280 x 960 page differ from the nearest native frame doubled."""
    shot_path, candidates = held_page_shot(browser, url, case_dir)
    frame_path = native_frames(program, HOLD, "565", candidates[-1],
                               os.path.join(case_dir, "native"))
    differences = []
    for frame in candidates:
        doubled = os.path.join(case_dir, f"doubled-{frame}.png")
        subprocess.run(["convert", frame_path(frame), "-sample", "200%", doubled], check=True)
        differences.append(differing_pixels(shot_path, doubled))
    return min(differences)


def seconds_heard(browser, url):
    """Seconds of sound the page played at 48 kHz, and whether it ended as asked."""
    browser.console.clear()
    browser.call("Page.navigate", url=url)
    ended = browser.wait_for_log("[over]", 60)
    page = browser.evaluate(f"Object.assign({{}}, {CANVAS}.dataset)")
    return (page.get("audioRate") == "48000" and ended,
            int(page.get("audioFramesPlayed", 0)) / 48000)


def main(page_dir, program, work_dir):
    checks = []
    with served_page(page_dir) as page:
        held = f"{page}?hold={HOLD}&sound=off&seed=1"
        with Browser(1280, 960) as browser:
            differing = doubled_page(browser, held, program, os.path.join(work_dir, "doubled"))
            checks.append((f"1280 x 960: the native frame doubled, pixel for pixel ({differing} "
                           "differ)", differing == 0 and canvas_place(browser)[4] == "pixelated"))

        with Browser(1000, 700) as browser:
            browser.call("Page.navigate", url=held)
            browser.wait_for(f"+({CANVAS}.dataset.framesPresented || 0) >= 5", 60)
            left, top, width, height, rendering = canvas_place(browser)
            checks.append((f"1000 x 700: 4:3 between bars, smoothed ({left}, {top}, {width} x "
                           f"{height}, {rendering})",
                           abs(width / height - 4 / 3) < 0.01 and height == 700
                           and abs(left - (1000 - width) / 2) <= 1 and top == 0
                           and rendering == "auto"))

        with Browser(640, 480) as browser:
            browser.call("Page.addScriptToEvaluateOnNewDocument", source=FORCE_48_KHZ)
            ended, heard = seconds_heard(
                browser, f"{page}?sound=44&seed=1&stop-at={PLAYED_SECONDS * 1000}")
            checks.append((f"at 48 kHz, {PLAYED_SECONDS} s of the demo play {heard:.2f} s of "
                           "sound", ended and abs(heard - PLAYED_SECONDS) <= SECONDS_TOLERATED))
    return report(checks)


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
