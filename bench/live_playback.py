#!/usr/bin/env python3
"""Helpers of bench/live-playback.

  live_playback.py record SOURCE RAW TIMES   records SOURCE (s16 mono 44.1 kHz) into RAW until
                                             SIGTERM; TIMES gets "monotonic-seconds bytes" per read
  live_playback.py analyse RUN_DIR REF.wav MODULE START_SECONDS
                                             prints the figures of one play (see print_figures)
"""
import os
import signal
import struct
import subprocess
import sys
import time
import wave

RATE = 44100
ROW = 5292  # samples of a 120 ms row at 44.1 kHz
GAP_MIN = 64  # shorter runs of exact zero occur inside ordinary music


def record(source, raw_path, times_path):
    # Small fragments, so each read's arrival time says when its samples were played.
    proc = subprocess.Popen(
        ["parec", "-d", source, "--raw", "--format=s16le", "--rate=%d" % RATE, "--channels=1",
         "--latency-msec=5"], stdout=subprocess.PIPE)
    stop = []
    signal.signal(signal.SIGTERM, lambda *_: stop.append(1))
    total = 0
    with open(raw_path, "wb") as raw, open(times_path, "w") as times:
        fd = proc.stdout.fileno()
        while not stop:
            try:
                chunk = os.read(fd, 4096)
            except InterruptedError:
                continue
            now = time.monotonic()
            if not chunk:
                break
            raw.write(chunk)
            total += len(chunk)
            times.write("%.6f %d\n" % (now, total))
    proc.terminate()
    proc.wait()


def samples_of(data):
    count = len(data) // 2
    return struct.unpack("<%dh" % count, data[:2 * count])


def first_sound(samples):
    for i, value in enumerate(samples):
        if value:
            return i
    return None


def silences(samples, begin, end):
    """Runs of exact zero of at least GAP_MIN samples between begin and end: (start, length)."""
    runs, start = [], None
    for i in range(begin, end):
        if samples[i] == 0:
            if start is None:
                start = i
        elif start is not None:
            if i - start >= GAP_MIN:
                runs.append((start, i - start))
            start = None
    return runs


def recording_clock(times_path):
    """Monotonic seconds of recorded sample 0: reads arrive late, never early, so the earliest
    arrival minus the samples before it is the best estimate."""
    best = None
    with open(times_path) as times:
        for line in times:
            arrived, total = line.split()
            start = float(arrived) - int(total) / 2 / RATE
            best = start if best is None else min(best, start)
    return best


def scene_changes(module_path):
    """(song sample where the row starts, scene) for each marker that changes the scene."""
    data = open(module_path, "rb").read()
    song_length = data[950]
    order = data[952:1080]
    channels = 8
    patterns = data[1084:]
    changes, scene, counter, played = [], 255, 0, 0
    while counter < song_length * 64 and played < 100000:
        position, row = divmod(counter, 64)
        base = (order[position] * 64 + row) * channels * 4
        jump = -1
        for c in range(channels):
            b = patterns[base + 4 * c:base + 4 * c + 4]
            if len(b) < 4:
                return changes
            sample = (b[0] & 0xF0) | (b[2] >> 4)
            effect, parameter = b[2] & 0x0F, b[3]
            if effect == 0xC and sample == 31 and parameter != scene:
                scene = parameter
                changes.append(((played + 1) * ROW, scene))
            elif effect == 0xB:
                jump = parameter * 64 if parameter < song_length else song_length * 64
            elif effect == 0xD:
                jump = (position + 1) * 64
        counter = jump if jump >= 0 else counter + 1
        played += 1
    return changes


def read_frames(log_path):
    frames, audio = [], []
    with open(log_path) as log:
        for line in log:
            parts = line.split()
            if parts and parts[0] == "frame" and len(parts) == 3:
                grid = bytes.fromhex(parts[2])
                frames.append((int(parts[1]) / 1e6, grid))
            elif parts and parts[0] == "audio":
                audio.append(line.strip())
    return frames, audio


def distance(a, b):
    return sum(abs(x - y) for x, y in zip(a, b)) / len(a)


def mean_grid(grids):
    return [sum(g[i] for g in grids) / len(grids) for i in range(len(grids[0]))]


def picture_cut(frames, around):
    """The presented frame nearest `around` (within -0.6 s .. +0.4 s) where the picture changes
    most between the three frames before and the three from it on."""
    best, best_score = None, 0.0
    for i in range(3, len(frames) - 3):
        t = frames[i][0]
        if t < around - 0.6 or t > around + 0.4:
            continue
        before = mean_grid([g for _, g in frames[i - 3:i]])
        after = mean_grid([g for _, g in frames[i:i + 3]])
        score = distance(before, after)
        if score > best_score:
            best, best_score = t, score
    return best, best_score


def analyse(run_dir, ref_path, module_path, start_seconds):
    raw = open(os.path.join(run_dir, "sink.raw"), "rb").read()
    live = samples_of(raw)
    with wave.open(ref_path) as ref_file:
        ref_bytes = ref_file.readframes(ref_file.getnframes())
    ref = samples_of(ref_bytes)
    zero = recording_clock(os.path.join(run_dir, "sink.times"))
    frames, audio = read_frames(os.path.join(run_dir, "frames.log"))

    live_on, ref_on = first_sound(live), first_sound(ref)
    figures = {"audio": audio}
    if live_on is None or ref_on is None:
        figures["error"] = "no sound reached the sink"
        return figures
    last = max(i for i in range(len(live) - 1, -1, -1) if live[i] or i == live_on)
    # Stretches of exact silence after the first seconds of sound, up to the last sound.
    begin = live_on + int(start_seconds * RATE)
    gaps = silences(live, begin, last) if begin < last else []
    figures["gaps"] = gaps
    figures["sound_seconds"] = (last - begin) / RATE

    # Where the song's scene changes are heard: the same samples as in the headless
    # reference, found byte for byte near where they should be.
    cuts = []
    shift = 0
    for song_sample, scene in scene_changes(module_path):
        ref_at = ref_on + (song_sample - ROW)  # the first sound is the first row's
        if ref_at + 2048 > len(ref):
            break
        guess = live_on + (song_sample - ROW) + shift
        if guess > last:
            break
        if guess < begin:  # the first scene fades in from black: no cut to find
            continue
        window = ref_bytes[2 * (ref_at - 1024):2 * (ref_at + 1024)]
        lo = max(0, guess - 1024 - RATE)
        found = raw.find(window, 2 * lo, 2 * (guess + 1024 + RATE))
        exact = found >= 0 and found % 2 == 0
        live_at = found // 2 + 1024 if exact else guess
        shift = live_at - (live_on + song_sample - ROW)
        heard = zero + live_at / RATE
        seen, score = picture_cut(frames, heard)
        cuts.append((scene, heard, seen, score, exact))
    figures["cuts"] = cuts
    # Frames per second over the measured stretch.
    start = zero + begin / RATE
    end = zero + last / RATE
    shown = [t for t, _ in frames if start <= t <= end]
    figures["fps"] = (len(shown) - 1) / (shown[-1] - shown[0]) if len(shown) > 1 else 0.0
    return figures


def print_figures(figures):
    for line in figures.get("audio", []):
        print("  device      " + line)
    if "error" in figures:
        print("  ERROR       " + figures["error"])
        return
    gaps = figures["gaps"]
    total = sum(length for _, length in gaps) / RATE * 1000
    longest = max((length for _, length in gaps), default=0) / RATE * 1000
    print("  silence     %d stretches of exact silence in %.1f s, %.1f ms in all, longest %.1f ms"
          % (len(gaps), figures["sound_seconds"], total, longest))
    print("  frames/s    %.1f" % figures["fps"])
    offsets = []
    for scene, heard, seen, score, exact in figures["cuts"]:
        if seen is None:
            print("  cut to %-3d  heard %.3f, no change in the picture found" % (scene, heard))
            continue
        offsets.append((seen - heard) * 1000)
        print("  cut to %-3d  picture %+7.1f ms from the sound%s (change %.0f)"
              % (scene, offsets[-1], "" if exact else ", sound place estimated", score))
    if offsets:
        print("  cut offset  picture minus sound: mean %+.1f ms, from %+.1f to %+.1f ms over %d cuts"
              % (sum(offsets) / len(offsets), min(offsets), max(offsets), len(offsets)))


def main():
    if len(sys.argv) == 5 and sys.argv[1] == "record":
        record(sys.argv[2], sys.argv[3], sys.argv[4])
    elif len(sys.argv) == 6 and sys.argv[1] == "analyse":
        print_figures(analyse(sys.argv[2], sys.argv[3], sys.argv[4], float(sys.argv[5])))
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main()
