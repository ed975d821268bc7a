"""The whole song with sound in headless Chromium: the page plays as long as the native
program's own recording of the same run, presents at least 55 frames for every second of it,
makes sound without a gap, and its log ends with "[over]".

    song_test.py PAGE_DIR NATIVE_PROGRAM WORK_DIR
"""

import array
import os
import subprocess
import sys
import time
import wave

from devtools import Browser
from page_session import report, served_page

LEAST_FRAMES_PER_SECOND = 55
# The page's device plays on for a block or two while the program waits for the end.
SECONDS_TOLERATED = 1.0


def native_song(program, folder):
    """The length in seconds and the loudest sample of the native run's sound."""
    path = os.path.join(folder, "native.wav")
    subprocess.run([program, "--headless", "--sound", "44", "--seed", "1", "--wav", path],
                   cwd=folder, check=True, env=dict(os.environ, XDG_CONFIG_HOME=folder),
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    with wave.open(path) as recording:
        samples = array.array("h", recording.readframes(recording.getnframes()))
        return recording.getnframes() / recording.getframerate(), max(map(abs, samples))


def main(page_dir, program, work_dir):
    song_seconds, native_peak = native_song(program, work_dir)
    with served_page(page_dir) as page, Browser(640, 480) as browser:
        browser.call("Page.navigate", url=f"{page}?sound=44&seed=1")
        deadline = time.monotonic() + song_seconds + 60
        while "[over]" not in browser.console and time.monotonic() < deadline:
            time.sleep(0.5)
            browser.evaluate("0")
        shown = browser.evaluate("Object.assign({}, document.getElementById('screen').dataset)")
        log = [line for line in browser.console if line.strip()]

    played_seconds = int(shown.get("audioFramesPlayed", 0)) / int(shown.get("audioRate", 1))
    frames = int(shown.get("framesPresented", 0))
    peak = int(shown.get("audioPeak", 0))
    print(f"native song {song_seconds:.2f} s, peak {native_peak}; page played "
          f"{played_seconds:.2f} s at {shown.get('audioRate')} Hz, peak {peak}, "
          f"{frames} frames ({frames / song_seconds:.1f} per second of song), "
          f"{shown.get('audioFramesMissed')} frames of gaps")
    checks = [
        ("the log's last line is [over]", bool(log) and log[-1] == "[over]"),
        ("the page played the song's length",
         abs(played_seconds - song_seconds) <= SECONDS_TOLERATED),
        (f"at least {LEAST_FRAMES_PER_SECOND} frames a second",
         frames >= LEAST_FRAMES_PER_SECOND * song_seconds),
        ("the sound is as loud as the native run's, within a half",
         native_peak / 2 <= peak <= native_peak * 3 / 2),
        ("no gap in the sound", shown.get("audioFramesMissed") == "0"),
    ]
    return report(checks)


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
