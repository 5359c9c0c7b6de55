"""Runs fenwarde-calc on thousands of random records within the ranges of
the planning panel's controls (plus a few degenerate records) and checks every
field against reference_calc. Usage: compare_reference.py PATH_TO_FENWARDE_CALC
"""

import json
import math
import os
import random
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import reference_calc  # noqa: E402

SENSORS = [(4.8, 3.6), (5.1, 3.82), (5.38, 4.03), (7.18, 5.32)]
RESOLUTIONS = [(3840, 2160), (3072, 1728), (2880, 1620), (2592, 1944), (2560, 1440),
               (2304, 1296), (2048, 1536), (1920, 1080), (1280, 720)]
RECORDS = 5000
SEED = 20261207
RELATIVE = 1e-9

INT_KEYS = ["nearPixels", "farPixels", "errorIndex", "plateAtCapture", "plateAtL1",
            "plateAtL4", "faceAtCapture", "faceAtL1", "faceAtL4"]
DOUBLE_KEYS = ["L1", "W1", "L2", "W2", "L3", "W3", "L4", "W4", "drawDepth", "drawWidth",
               "farDistance", "farWidth", "lateralScale"]


def step(rng, low, high, decimals):
    """A value a spin box with this many decimals can hold."""
    return round(rng.uniform(low, high), decimals)


def random_record(rng):
    sw, sh = rng.choice(SENSORS)
    res_w, res_h = rng.choice(RESOLUTIONS)
    # Short lenses, low poles and equal heights are where the cases change,
    # so they are drawn more often than a flat spread would.
    # Half the records look like real installations; the rest spread over the
    # whole ranges, with the equal heights and zero pole where cases change.
    if rng.random() < 0.5:
        focal = step(rng, 2.8, 50, 1)
        pole = step(rng, 1.5, 12, 2)
        target = step(rng, 1.2, 2, 2)
    else:
        focal = step(rng, 1, 20, 1) if rng.random() < 0.5 else step(rng, 1, 400, 1)
        pole = rng.choice([0.0, step(rng, 0, 10, 2), step(rng, 0, 99.99, 2)])
        target = rng.choice([pole, step(rng, 0, 3, 2), step(rng, 0, 99.99, 2)])
    return {
        "horizontalMount": rng.random() < 0.5,
        "scenario": rng.randint(1, 3),
        "plateType": rng.randint(1, 3),
        "pitchAngle": rng.randint(0, 45),
        "horizontalAngle": rng.randint(0, 45),
        "minPixels": rng.randint(80, 1080),
        "maxPixels": rng.randint(320, 1080),
        "resolutionWidth": res_w,
        "resolutionHeight": res_h,
        "lanesNum": rng.randint(1, 4),
        "lanesWidth": step(rng, 1, 6, 2),
        "focalLength": focal,
        "targetHeight": target,
        "sensorHeight": sh,
        "sensorWidth": sw,
        "ipcHeight": pole,
        "captureDistance": step(rng, 1, 500, 1) if rng.random() < 0.5 else step(rng, 1, 60, 1),
    }


DEGENERATE = [
    {},
    {"scenario": 2, "ipcHeight": 6.0},
    {"scenario": 1, "ipcHeight": 3.0, "focalLength": 8.0},
    {"scenario": 3, "ipcHeight": 0.0, "focalLength": 8.0, "sensorWidth": 4.8,
     "sensorHeight": 3.6, "resolutionWidth": 1920, "captureDistance": 12.0, "pitchAngle": 15},
    {"scenario": 2, "ipcHeight": 6.0, "focalLength": 8.0, "sensorWidth": 4.8,
     "sensorHeight": 3.6, "resolutionWidth": 1920, "minPixels": 0, "maxPixels": 0},
    # Without a scenario the record keeps the new widget's code 0, which
    # takes the branch of an unknown code.
    {"ipcHeight": 6.0, "focalLength": 8.0, "sensorWidth": 4.8, "sensorHeight": 3.6,
     "pitchAngle": 20},
    # Beyond the window's ranges but still meaningful: a long lens, a steep
    # pitch, a tall pole, a far capture point.
    {"scenario": 2, "ipcHeight": 6.0, "focalLength": 600.0, "sensorWidth": 4.8,
     "sensorHeight": 3.6, "pitchAngle": 15, "resolutionWidth": 1920, "minPixels": 100,
     "maxPixels": 200},
    {"scenario": 1, "ipcHeight": 8.0, "targetHeight": 1.7, "focalLength": 4.0,
     "sensorWidth": 4.8, "sensorHeight": 3.6, "pitchAngle": 60, "resolutionWidth": 1920,
     "minPixels": 80, "maxPixels": 400},
    {"scenario": 3, "ipcHeight": 150.0, "focalLength": 12.0, "sensorWidth": 4.8,
     "sensorHeight": 3.6, "pitchAngle": 30, "resolutionWidth": 3840, "captureDistance": 900.0,
     "targetHeight": 1.7},
]


def same_double(a, b):
    if a is None or b is None:
        return a is None and b is None
    if a == b:
        return True
    return abs(a - b) <= RELATIVE * max(abs(a), abs(b), 1e-300)


def outcome(record, result):
    """The branch of the calculation a record ends in, for the mix."""
    scenario = record["scenario"]
    error = result["errorIndex"]
    if error == 53:
        near = result["L2"] == result["L1"]
        far = result["L3"] == result["L4"]
        kind = "cut both" if near and far else "cut near" if near else "cut far"
    elif error == 0:
        kind = "ordinary"
    else:
        kind = "error %d" % error
    return "scenario %d %s" % (scenario, kind)


# Every branch each scenario can reach. Scenario 3 has no band to cut: its
# capture point is either in the picture or not.
OUTCOMES = (["scenario %d %s" % (s, k) for s in (1, 2)
             for k in ("ordinary", "cut near", "cut far", "cut both", "error 51")]
            + ["scenario 2 error 52", "scenario 3 ordinary", "scenario 3 error 54"])


def draw_records(rng):
    """RECORDS random records with every outcome about equally common: a flat
    draw would spend most of them on the 'no band' error."""
    quota = RECORDS // len(OUTCOMES)
    buckets = {name: [] for name in OUTCOMES}
    for _ in range(RECORDS * 200):
        record = random_record(rng)
        name = outcome(record, reference_calc.compute(record))
        bucket = buckets.get(name)
        if bucket is not None and len(bucket) < quota:
            bucket.append(record)
            if all(len(b) >= quota for b in buckets.values()):
                break
    short = [name for name, b in buckets.items() if len(b) < quota]
    if short:
        raise SystemExit("could not draw enough records for: %s" % ", ".join(short))
    return [record for name in OUTCOMES for record in buckets[name]]


def main():
    if len(sys.argv) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    rng = random.Random(SEED)
    records = DEGENERATE + draw_records(rng)
    text = "".join(json.dumps(r) + "\n" for r in records)
    run = subprocess.run([sys.argv[1]], input=text.encode(), stdout=subprocess.PIPE,
                         timeout=300)
    if run.returncode != 0:
        print("fenwarde-calc exited with %d" % run.returncode)
        return 1
    lines = run.stdout.decode().splitlines()
    if len(lines) != len(records):
        print("expected %d result lines, got %d" % (len(records), len(lines)))
        return 1

    failures = 0
    mix = {}
    for number, (record, line) in enumerate(zip(records, lines), start=1):
        got = json.loads(line)
        want = reference_calc.compute(record)
        name = outcome(dict(reference_calc.DEFAULTS, **record), want)
        mix[name] = mix.get(name, 0) + 1
        problems = []
        for key in INT_KEYS:
            if got[key] != want[key]:
                problems.append("%s %r != %r" % (key, got[key], want[key]))
        for key in DOUBLE_KEYS:
            value = got[key]
            if value is None or not math.isfinite(value):
                problems.append("%s is not a finite number" % key)
            elif not same_double(value, want[key]):
                problems.append("%s %r != %r" % (key, value, want[key]))
        for key, value in want["pxPerMetre"].items():
            if not same_double(got["pxPerMetre"][key], value):
                problems.append("pxPerMetre %s %r != %r" % (key, got["pxPerMetre"][key], value))
        for name, stretch in want["densityClasses"].items():
            have = got["densityClasses"][name]
            if (have is None) != (stretch is None) or (
                    stretch and not all(same_double(have[k], stretch[k]) for k in stretch)):
                problems.append("densityClasses %s %r != %r" % (name, have, stretch))
        if got["rangeEmitted"] != want["rangeEmitted"]:
            problems.append("rangeEmitted differs")
        if got["identification"] != want["identification"]:
            problems.append("identification %r != %r"
                            % (got["identification"], want["identification"]))
        if problems:
            failures += 1
            if failures <= 10:
                print("record %d %s:\n  %s" % (number, json.dumps(record),
                                               "\n  ".join(problems)))
    print("%d records, %d differ; mix:" % (len(records), failures))
    for name in sorted(mix):
        print("  %-26s %5d" % (name, mix[name]))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
