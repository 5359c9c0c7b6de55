"""Writes reports of several contents with report-sample and reads them back:
the spreadsheet with openpyxl and its drawing part, the PDF with poppler's
pdftotext, pdfinfo, pdffonts and pdfimages.

Usage: check_reports.py REPORT_SAMPLE
"""

import json
import os
import re
import struct
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET
import zipfile

import openpyxl
from openpyxl.utils.cell import range_boundaries

# name: (caption, value, the value as the PDF prints it)
ENGLISH = {
    "model": ("Mode:", "Person / face detection", None),
    "sensor": ("Sensor format:", "1/2.8''", None),
    "poleHeight": ("Pole height (m)", 2.5, "2.5"),
    "focalLength": ("Focal length (mm)", 12.0, "12"),
    "pitch": ("Pitch (°)", "15", None),
    "resolution": ("Resolution:", "2592 * 1944", None),
    "targetHeight": ("Target height (m)", 1.6, "1.6"),
    "minPixels": ("Minimum face pixels:", "120", None),
    "maxPixels": ("Maximum face pixels:", "320", None),
    "installMode": ("Install mode:", "Roadside, with horizontal angle", None),
    "horizontalAngle": ("Horizontal angle (keep below 20°):", "10", None),
    "lanesNum": ("Number of lanes:", "2", None),
    "lanesWidth": ("Lane width (m):", 3.75, "3.75"),
    "plateType": ("Plate type:", "Plate 0.305 m wide", None),
    "captureDistance": ("Capture point distance (L3):", 40.0, "40"),
    "detectionWidth": ("Detection width (W2-W3):", "3.25m", None),
    "detectionRange": ("Detection distance (L2-L3):", "4.41m - 11.76m", None),
    "nearEdge": ("Pole to lower picture edge (L1):", "2.63m", None),
    "pictureWidth": ("Picture width (W1-W2):", "1.05m - 25.10m", None),
    "farEdge": ("Pole to upper picture edge (L2):", "∞", None),
    "platePixels": ("Plate pixels:", "118 - 560", None),
    "vehiclePixels": ("Vehicle pixels:", "301 - 1400", None),
    "facePixels": ("Face pixels:", "41 - 210", None),
    "personPixels": ("Whole-person pixels:", "297 - 1500", None),
}

CHINESE = dict(ENGLISH)
CHINESE.update({
    "model": ("模式:", "抓拍点", None),
    "plateType": ("车牌类型:", "车牌宽0.52m", None),
    "nearEdge": ("画面下边缘与架杆水平距离(L1):", "2.63m", None),
    "pictureWidth": ("摄像机画面宽度范围(W1-W2):", "1.05m - 25.10m", None),
    "personPixels": ("目标整体像素值范围:", "297 - 1500", None),
})

# Caption cells; each value sits one column to the right.
COMMON_CELLS = [("A2", "model"), ("C2", "sensor"), ("G2", "poleHeight"),
                ("A3", "focalLength"), ("C3", "pitch"), ("A4", "resolution")]
SCENARIO_CELLS = {
    1: [("E2", "targetHeight"), ("E3", "minPixels"), ("G3", "maxPixels"),
        ("A5", "detectionWidth"), ("C5", "detectionRange"), ("E5", "nearEdge")],
    2: [("E2", "installMode"), ("G5", "plateType"), ("E3", "horizontalAngle"),
        ("G3", "minPixels"), ("G4", "maxPixels"), ("C4", "lanesNum"), ("E4", "lanesWidth"),
        ("A5", "detectionWidth"), ("C5", "detectionRange"), ("E5", "nearEdge")],
    3: [("E2", "targetHeight"), ("E3", "pictureWidth"), ("G3", "captureDistance"),
        ("C4", "platePixels"), ("E4", "farEdge"), ("G4", "vehiclePixels"),
        ("A5", "plateType"), ("C5", "facePixels"), ("E5", "nearEdge"),
        ("G5", "personPixels")],
}
TITLE_MERGE = {1: "A1:H1", 2: "A1:J1", 3: "A1:H1"}
# Widths as Excel shows them, in characters.
COLUMN_WIDTHS = {"A": 35, "B": 30, "C": 35, "D": 20, "E": 70, "F": 20, "G": 35, "H": 25}

# PDF rows: item pairs of the first table, items of the second.
COMMON_ROWS = [("model", "sensor"), ("poleHeight", "focalLength"), ("pitch", "resolution")]
FIRST_ROWS = {
    1: [("targetHeight", "minPixels"), ("maxPixels", "detectionWidth"),
        ("detectionRange", None)],
    2: [("installMode", "plateType"), ("horizontalAngle", "minPixels"),
        ("maxPixels", "lanesNum"), ("lanesWidth", "detectionWidth"),
        ("detectionRange", None)],
    3: [("targetHeight", "plateType"), ("platePixels", "vehiclePixels"),
        ("captureDistance", "facePixels")],
}
SECOND_ROWS = {3: ["personPixels", "pictureWidth", "farEdge"]}

A4_WIDTH_PT = 595.276
SIDE_MARGINS_PT = 40
PDF_DPI = 300
EMU_PER_PIXEL = 9525
DEFAULT_ROW_PIXELS = 20
MAX_DIGIT_WIDTH = 7

CASES = [
    # name, scenario, items, picture (width, height, device pixel ratio)
    ("person", 1, ENGLISH, (400, 120, 1)),
    ("lanes", 2, ENGLISH, (500, 300, 2)),
    ("capture", 3, ENGLISH, (1000, 560, 1)),
    ("capture-chinese", 3, CHINESE, (1000, 560, 1)),
    ("unknown-scenario", 7, ENGLISH, (300, 200, 1)),
    ("tall-scene", 3, ENGLISH, (600, 900, 1)),
]

errors = []


def expect(condition, case, message):
    if not condition:
        errors.append(f"{case}: {message}")


def run(*command):
    return subprocess.run(command, check=True, capture_output=True).stdout.decode("utf-8")


def excel_shown_width(stored):
    """The width Excel shows for a stored width (ECMA-376, col width)."""
    pixels = int((256 * stored + int(128 / MAX_DIGIT_WIDTH)) / 256 * MAX_DIGIT_WIDTH)
    return int((pixels - 5) / MAX_DIGIT_WIDTH * 100 + 0.5) / 100, pixels


def check_xlsx(case, path, scenario, items, title, picture):
    book = openpyxl.load_workbook(path)
    expect(len(book.worksheets) == 1, case, f"sheets {book.sheetnames}")
    sheet = book.worksheets[0]

    title_cell = sheet["A1"]
    expect(title_cell.value == title, case, f"A1 holds {title_cell.value!r}")
    expect(title_cell.alignment.horizontal == "center", case, "title not centred")
    expect(title_cell.fill.fill_type is None and title_cell.border.left.style is None, case,
           "title has a fill or border")
    merges = sorted(str(r) for r in sheet.merged_cells.ranges)
    want_merges = [TITLE_MERGE[scenario]] if scenario in TITLE_MERGE else []
    expect(merges == want_merges, case, f"merges {merges}, expected {want_merges}")

    cells = {"A1"}
    for caption_ref, name in COMMON_CELLS + SCENARIO_CELLS.get(scenario, []):
        caption, value, _ = items[name]
        caption_cell = sheet[caption_ref]
        value_cell = caption_cell.offset(column=1)
        cells |= {caption_cell.coordinate, value_cell.coordinate}
        expect(caption_cell.value == caption, case,
               f"{caption_ref} holds {caption_cell.value!r}, expected {caption!r}")
        numeric = isinstance(value, float)
        got = value_cell.value
        expect(got == value and isinstance(got, (int, float)) == numeric, case,
               f"{value_cell.coordinate} holds {got!r}, expected {value!r}")
        expect(caption_cell.fill.fill_type == "solid"
               and caption_cell.fill.fgColor.rgb == "FF6495ED", case,
               f"{caption_ref} fill {caption_cell.fill.fill_type} {caption_cell.fill.fgColor.rgb}")
        expect(value_cell.fill.fill_type is None, case, f"{value_cell.coordinate} is filled")
        for cell in (caption_cell, value_cell):
            sides = [cell.border.left, cell.border.right, cell.border.top, cell.border.bottom]
            expect(all(side.style == "thin" for side in sides), case,
                   f"{cell.coordinate} border {[side.style for side in sides]}")
            expect(cell.alignment.horizontal == "left", case,
                   f"{cell.coordinate} aligned {cell.alignment.horizontal}")
    written = {c.coordinate for row in sheet.iter_rows() for c in row if c.value is not None}
    expect(written == cells, case, f"unexpected cells {sorted(written ^ cells)}")

    column_pixels = []
    for letter in "ABCDEFGHIJ":
        dimension = sheet.column_dimensions.get(letter)
        stored = dimension.width if dimension is not None and dimension.customWidth else None
        if letter in COLUMN_WIDTHS:
            shown, pixels = excel_shown_width(stored or 0)
            expect(shown == COLUMN_WIDTHS[letter], case,
                   f"column {letter} shows {shown}, expected {COLUMN_WIDTHS[letter]}")
            column_pixels.append(pixels)
        else:
            expect(stored is None, case, f"column {letter} width {stored}")
    far_column, far_row = check_xlsx_picture(case, path, picture, column_pixels)

    # Everything written and the whole picture print on one A4 page.
    setup = sheet.page_setup
    expect(setup.paperSize == 9 and setup.orientation and (setup.fitToWidth or 1) == 1
           and (setup.fitToHeight or 1) == 1 and sheet.sheet_properties.pageSetUpPr.fitToPage,
           case, f"page setup {setup.paperSize} {setup.fitToWidth} {setup.fitToHeight}")
    area = range_boundaries(sheet.print_area[0].replace("$", ""))
    used = [range_boundaries(c)[2:] for c in cells | set(merges)] + [(far_column, far_row)]
    outside = [(c, r) for c, r in used if c > area[2] or r > area[3]]
    expect(area[:2] == (1, 1) and not outside, case,
           f"print area {sheet.print_area} leaves out {outside}")


def check_xlsx_picture(case, path, picture, column_pixels):
    width, height, _ = picture
    ns = {"xdr": "http://schemas.openxmlformats.org/drawingml/2006/spreadsheetDrawing",
          "a": "http://schemas.openxmlformats.org/drawingml/2006/main"}
    with zipfile.ZipFile(path) as archive:
        media = [n for n in archive.namelist() if n.startswith("xl/media/")]
        drawings = [n for n in archive.namelist() if re.match(r"xl/drawings/drawing\d+\.xml$", n)]
        expect(len(media) == 1 and len(drawings) == 1, case, f"pictures {media} {drawings}")
        if len(media) != 1 or len(drawings) != 1:
            return 0, 0
        png = archive.read(media[0])
        expect(png[:8] == b"\x89PNG\r\n\x1a\n"
               and struct.unpack(">II", png[16:24]) == (width, height), case,
               "stored picture is not the scene at its pixel size")
        anchor = ET.fromstring(archive.read(drawings[0]))[0]

    def corner(tag):
        element = anchor.find(f"xdr:{tag}", ns)
        return [int(element.find(f"xdr:{field}", ns).text)
                for field in ("col", "colOff", "row", "rowOff")]

    expect(corner("from") == [0, 0, 6, 0], case, f"picture starts at {corner('from')}")
    extent = anchor.find(".//a:xfrm/a:ext", ns)
    expect((int(extent.get("cx")), int(extent.get("cy")))
           == (width * EMU_PER_PIXEL, height * EMU_PER_PIXEL), case,
           f"picture extent {extent.attrib}")
    # The far corner, in screen pixels from A7, is where Excel stretches the
    # picture to.
    col, col_off, row, row_off = corner("to")
    right = sum(column_pixels[:col]) + col_off / EMU_PER_PIXEL
    bottom = (row - 6) * DEFAULT_ROW_PIXELS + row_off / EMU_PER_PIXEL
    expect((right, bottom) == (width, height), case,
           f"picture spans {right} x {bottom} pixels, expected {width} x {height}")
    # The last column and row the picture reaches into, counted from 1.
    return col + (col_off > 0), row + (row_off > 0)


def text_of(items, name):
    if name is None:
        return []
    caption, value, printed = items[name]
    return [caption, printed if printed is not None else value]


def check_pdf(case, path, scenario, items, title, picture):
    info = run("pdfinfo", path)
    expect(re.search(r"^Pages:\s+1$", info, re.M), case, "not one page")
    expect(re.search(r"^Page size:.*\(A4\)$", info, re.M), case, "not A4")

    rows = [text_of(items, left) + text_of(items, right)
            for left, right in COMMON_ROWS + FIRST_ROWS.get(scenario, [])]
    rows += [text_of(items, name) for name in SECOND_ROWS.get(scenario, []) + ["nearEdge"]]
    want = [title] + [" ".join(row) for row in rows]
    # Text pushed off the page is left out, so missing rows show here too.
    text = run("pdftotext", "-layout", path, "-")
    lines = [" ".join(line.split()) for line in text.splitlines() if line.strip()]
    expect(lines == [" ".join(w.split()) for w in want], case,
           "page text differs:\n  " + "\n  ".join(lines) + "\nexpected:\n  " + "\n  ".join(want))

    fonts = run("pdffonts", path).splitlines()[2:]
    expect(fonts and all(line.split()[-5] == "yes" for line in fonts), case,
           "fonts not embedded:\n" + "\n".join(fonts))

    images = run("pdfimages", "-list", path).splitlines()[2:]
    expect(len(images) == 1, case, f"{len(images)} pictures")
    if len(images) == 1:
        fields = images[0].split()
        shown_width, shown_height = int(fields[3]), int(fields[4])
        # Drawn at 300 dpi without further scaling, the picture's own aspect kept.
        expect(fields[12:14] == ["300", "300"], case, f"picture drawn at {fields[12:14]} ppi")
        width, height, _ = picture
        expect(abs(shown_height - shown_width * height / width) <= 1, case,
               f"picture {shown_width} x {shown_height} has not the scene's aspect")
        full_width = abs(shown_width * 72 / PDF_DPI - (A4_WIDTH_PT - SIDE_MARGINS_PT)) < 0.5
        expect(full_width == (case != "tall-scene"), case,
               f"picture {shown_width} pixels wide")


def main():
    sample = sys.argv[1]
    with tempfile.TemporaryDirectory() as folder:
        for case, scenario, items, picture in CASES:
            title = "报告 Camera Installation Plan" if items is CHINESE else "Plan " + case
            content = {
                "scenario": scenario,
                "title": title,
                "picture": dict(zip(("width", "height", "ratio"), picture)),
                "items": {name: [caption, value] for name, (caption, value, _) in items.items()},
            }
            json_path = os.path.join(folder, case + ".json")
            with open(json_path, "w", encoding="utf-8") as f:
                json.dump(content, f, ensure_ascii=False)
            xlsx = os.path.join(folder, case + ".xlsx")
            pdf = os.path.join(folder, case + ".pdf")
            written = subprocess.run([sample, json_path, xlsx, pdf], capture_output=True)
            expect(written.returncode == 0, case, "writing failed: " + written.stderr.decode())
            if written.returncode != 0:
                continue
            check_xlsx(case, xlsx, scenario, items, title, picture)
            check_pdf(case, pdf, scenario, items, title, picture)
    for error in errors:
        print(error)
    print(f"{len(CASES)} cases, {len(errors)} failures")
    return 1 if errors else 0


if __name__ == "__main__":
    sys.exit(main())
