"""The page shows exactly the native program's pixels: held scenes in a 640 x 480 headless
Chromium window against the frames the native program captures of the same held scenes.

A held scene still moves a little from frame to frame (captions jitter by the seeded random
numbers), so the page's screenshot is compared with the native frames of the numbers the page
reported around it, and one of them must be equal to the last pixel.

    held_scenes_test.py PAGE_DIR NATIVE_PROGRAM WORK_DIR
"""

import os
import subprocess
import sys

from devtools import Browser
from page_session import served_page, summary

# Scene:ms held, two of them with a caption (3 and 5), in both pixel layouts.
HELD_SCENES = ["0:3000", "2:4000", "3:3000", "5:3000", "6:3000", "7:2000"]
PIXEL_FORMATS = ["565", "555"]
FRAMES_BEFORE_SCREENSHOT = 20
FRAMES_PER_SECOND = 60


def page_frames(browser):
    return int(browser.evaluate("+(document.getElementById('screen').dataset.framesPresented"
                                " || 0)"))


def held_page_shot(browser, url, case_dir):
    """The page's screenshot once it has run a while, kept as case_dir/page.png, and the
    numbers of the frames it may show."""
    browser.call("Page.navigate", url=url)
    browser.wait_for("+(document.getElementById('screen').dataset"
                     f".framesPresented || 0) >= {FRAMES_BEFORE_SCREENSHOT}", 60)
    first = page_frames(browser)
    shot = browser.screenshot_png()
    last = page_frames(browser)
    os.makedirs(case_dir, exist_ok=True)
    shot_path = os.path.join(case_dir, "page.png")
    with open(shot_path, "wb") as file:
        file.write(shot)
    # The screenshot may show the page presented just before the first count.
    return shot_path, range(max(0, first - 2), last + 2)


def native_frames(program, hold, pixel_format, last_frame, folder):
    """The native program's frames 0 .. last_frame of the held scene, as PNG files."""
    stop_ms = (last_frame + 2) * 1000 // FRAMES_PER_SECOND
    os.makedirs(folder, exist_ok=True)
    subprocess.run([program, "--headless", "--hold", hold, "--seed", "1", "--sound", "off",
                    "--pixel-format", pixel_format, "--frames", folder,
                    "--stop-at", str(stop_ms)],
                   cwd=folder, check=True, env=dict(os.environ, XDG_CONFIG_HOME=folder),
                   stdout=subprocess.DEVNULL)
    return lambda frame: os.path.join(folder, f"frame-{frame:06d}.png")


def differing_pixels(first, second):
    result = subprocess.run(["compare", "-metric", "AE", first, second, "null:"],
                            capture_output=True, text=True)
    if result.returncode > 1:
        raise RuntimeError(result.stderr)
    return int(float(result.stderr.split()[0]))


def main(page_dir, program, work_dir):
    passed = failed = 0
    with served_page(page_dir) as page, Browser(640, 480) as browser:
        for pixel_format in PIXEL_FORMATS:
            for hold in HELD_SCENES:
                name = f"scene {hold} in {pixel_format}"
                case_dir = os.path.join(work_dir, f"{hold.replace(':', '-')}-{pixel_format}")
                query = f"hold={hold}&sound=off&seed=1&pixel-format={pixel_format}"
                shot_path, candidates = held_page_shot(browser, f"{page}?{query}", case_dir)
                frame_path = native_frames(program, hold, pixel_format, candidates[-1],
                                           os.path.join(case_dir, "native"))
                differences = {f: differing_pixels(shot_path, frame_path(f)) for f in candidates}
                best = min(differences, key=differences.get)
                if differences[best] == 0:
                    passed += 1
                    print(f"ok   {name}: equal to native frame {best} "
                          f"(of {candidates[0]}..{candidates[-1]})")
                else:
                    failed += 1
                    print(f"FAIL {name}: {differences[best]} pixels differ from the nearest "
                          f"native frame {best} (of {candidates[0]}..{candidates[-1]}); "
                          f"see {case_dir}")
        # The program's log reaches the browser's console.
        if any(line.startswith("Initializing DirectDraw") for line in browser.console):
            passed += 1
            print("ok   the log is on the console")
        else:
            failed += 1
            print("FAIL the log is not on the console: " + repr(browser.console[:10]))
    return summary(passed, failed)


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
