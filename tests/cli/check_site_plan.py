"""Plans on the command line: a plan of three poles answers as its records
do, with each pole's name last; a bad pole is refused by name and field; the
site report has its summary and a page or sheet per pole (pdftotext,
openpyxl). Usage: check_site_plan.py PATH_TO_FENWARDE_CALC"""

import json
import os
import subprocess
import sys
import tempfile

import openpyxl

BASE = {"horizontalMount": False, "scenario": 1, "plateType": 1, "pitchAngle": 10,
        "horizontalAngle": 0, "minPixels": 120, "maxPixels": 320, "resolutionWidth": 3840,
        "resolutionHeight": 2160, "lanesNum": 1, "lanesWidth": 3.75, "focalLength": 12,
        "targetHeight": 1.6, "sensorHeight": 3.6, "sensorWidth": 4.8, "ipcHeight": 2.5,
        "captureDistance": 40}
POLES = [("Gate “A”", {}),
         ("Lane 2", {"scenario": 2, "horizontalMount": True, "horizontalAngle": 10,
                     "pitchAngle": 15, "focalLength": 8, "ipcHeight": 6, "maxPixels": 400,
                     "resolutionWidth": 1920, "resolutionHeight": 1080, "lanesNum": 2}),
         ("Exit", {"scenario": 3, "plateType": 2, "pitchAngle": 15, "focalLength": 8,
                   "ipcHeight": 6, "captureDistance": 12, "sensorWidth": 5.1,
                   "sensorHeight": 3.82})]


def run(tool, arguments, stdin=b""):
    return subprocess.run([tool] + arguments, input=stdin, capture_output=True, timeout=120)


def check(tool, folder):
    records = [dict(BASE, **changes) for _, changes in POLES]
    poles = [dict({"name": name, "note": ""}, **record) for (name, _), record in zip(POLES, records)]
    plan = os.path.join(folder, "site.fenwarde")
    with open(plan, "w", encoding="utf-8") as out:
        json.dump({"version": 1, "site": {"name": "North gate"}, "poles": poles}, out)
    alone = run(tool, [], "".join(json.dumps(r) + "\n" for r in records).encode())
    answered = run(tool, ["--plan", plan])
    assert answered.returncode == 0, answered.stderr
    assert len(answered.stdout.splitlines()) == len(alone.stdout.splitlines()) == 3
    for line, record_line, (name, _) in zip(answered.stdout.splitlines(),
                                            alone.stdout.splitlines(), POLES):
        assert line == record_line[:-1] + b',"pole":' + json.dumps(name, ensure_ascii=False).encode() + b"}", line

    poles[1]["lanesNum"] = 5
    with open(plan, "w", encoding="utf-8") as out:
        json.dump({"version": 1, "poles": poles}, out)
    refused = run(tool, ["--plan", plan])
    assert refused.returncode == 1 and not refused.stdout, refused
    assert b'pole 2 ("Lane 2"): "lanesNum" must be from 1 to 4' in refused.stderr, refused.stderr

    poles[1]["lanesNum"] = 2
    with open(plan, "w", encoding="utf-8") as out:
        json.dump({"version": 1, "site": {"name": "North gate"}, "poles": poles}, out)
    for suffix in ("pdf", "xlsx"):
        written = run(tool, ["--plan", plan, "--report", os.path.join(folder, "site." + suffix)])
        assert written.returncode == 0, written.stderr
    pages = subprocess.run(["pdftotext", "-layout", os.path.join(folder, "site.pdf"), "-"],
                           capture_output=True, text=True).stdout.split("\f")
    assert len([p for p in pages if p.strip()]) == 4, pages
    assert "Site Plan" in pages[0] and "North gate" in pages[0]
    for page, (name, _) in zip(pages[1:], POLES):
        assert name in pages[0] and "Camera Installation Plan: " + name in page, page
    assert "Capture point" in pages[0] and "Plate:" in pages[0], pages[0]

    book = openpyxl.load_workbook(os.path.join(folder, "site.xlsx"))
    assert book.sheetnames == ["Summary"] + [name for name, _ in POLES], book.sheetnames
    summary = book["Summary"]
    assert [summary.cell(row=6 + i, column=1).value for i in range(3)] == \
        [name for name, _ in POLES]
    for name, _ in POLES:
        assert book[name]["A1"].value == "Camera Installation Plan: " + name


def main():
    if len(sys.argv) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    with tempfile.TemporaryDirectory() as folder:
        check(sys.argv[1], folder)
    print("plans answer as their records, and the site report is whole")
    return 0


if __name__ == "__main__":
    sys.exit(main())
