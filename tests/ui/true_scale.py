"""Finds the example curve's known features in a rendered page and gives their
places in millimetres, so that a copy, a file or a printout can be checked for
true scale from what it shows. Usage: true_scale.py FILE [DPI]"""
import os
import re
import subprocess
import sys
import tempfile

MM_PER_INCH = 25.4


def gray_pixels(path, dpi):
    """The page rendered at dpi as rows of 8-bit gray values."""
    with tempfile.TemporaryDirectory() as folder:
        page = os.path.join(folder, "page")
        if path.endswith(".pdf"):
            command = ["pdftoppm", "-r", str(dpi), "-gray", "-singlefile", path, page]
        else:  # an SVG is drawn at the density; a PNG keeps its own pixels
            command = ["convert", "-density", str(dpi), path, "-colorspace", "gray", "-depth", "8", page + ".pgm"]
        subprocess.run(command, capture_output=True, check=True, timeout=60)
        with open(page + ".pgm", "rb") as pgm:
            data = pgm.read()
    header = data[:32].split(maxsplit=4)  # P5, width, height, 255, then one blank before the pixels
    assert header[0] == b"P5" and header[3] == b"255", header
    width, height = int(header[1]), int(header[2])
    start = len(data) - width * height
    return [data[start + y * width:start + (y + 1) * width] for y in range(height)]


def page_mm(path):
    """The page's width and height in millimetres, as the file states them."""
    if path.endswith(".pdf"):
        info = subprocess.run(["pdfinfo", path], capture_output=True, text=True, check=True).stdout
        points = re.search(r"Page size:\s+([\d.]+) x ([\d.]+) pts", info).groups()
        return tuple(round(float(p) / 72 * MM_PER_INCH, 2) for p in points)
    if path.endswith(".svg"):
        head = open(path, encoding="utf-8").read(400)
        return tuple(float(re.search(rf'{side}="([\d.]+)mm"', head).group(1)) for side in ("width", "height"))
    size = subprocess.run(["identify", "-units", "PixelsPerInch", "-format", "%w %h %x %y", path],
                          capture_output=True, text=True, check=True).stdout.split()
    return round(int(size[0]) / float(size[2]) * MM_PER_INCH, 2), round(int(size[1]) / float(size[3]) * MM_PER_INCH, 2)


def centre_of_runs(counts, least):
    """The middle of the indexes whose count reaches least."""
    hits = [i for i, n in enumerate(counts) if n >= least]
    return (hits[0] + hits[-1] + 1) / 2 if hits else None


def measure(path, dpi):
    rows = gray_pixels(path, dpi)
    height, width = len(rows), len(rows[0])
    dark = [[v < 128 for v in row] for row in rows]
    mm = MM_PER_INCH / dpi
    cm = round(10 / mm)
    # The axes are the lines that cross most of the page.
    per_row = [sum(row) for row in dark]
    per_column = [sum(dark[y][x] for y in range(height)) for x in range(width)]
    across = centre_of_runs(per_row, max(per_row) * 0.9)
    down = centre_of_runs(per_column, max(per_column) * 0.9)
    gap = round(0.3 / mm) + 2  # clear of an axis line

    def extreme(columns, rows_from, rows_to, lowest):
        """The centre of the curve's lowest (or highest) dot among the columns."""
        ys = range(rows_to - 1, rows_from - 1, -1) if lowest else range(rows_from, rows_to)
        for y in ys:
            xs = [x for x in columns if dark[y][x]]
            if xs:
                dot = round(MM_PER_INCH / 96 / mm)  # a dot is 1/96 inch
                return (sum(xs) / len(xs) + 0.5, y + 0.5 + (-dot / 2 + 0.5 if lowest else dot / 2 - 0.5))
        return None

    x0, y0 = int(down), int(across)
    below = int(across) + round(0.6 * cm)  # under the tick labels
    left_low = extreme(range(x0 - 3 * cm, x0 - cm), below, height, True)
    right_low = extreme(range(x0 + cm, x0 + 3 * cm), below, height, True)
    near = [x for x in range(x0 - cm // 2, x0 + cm // 2) if abs(x - down) > gap]
    peak = extreme(near, y0 - round(2.5 * cm), y0 - gap, False)  # under the tick label 3

    def offset(point):
        return None if point is None else (round((point[0] - down) * mm, 2), round((across - point[1]) * mm, 2))

    return {
        "page": page_mm(path),
        "crossing": (round(down * mm, 2), round(across * mm, 2)),
        "left minimum": offset(left_low),
        "right minimum": offset(right_low),
        "peak": offset(peak),
    }


def check(path, dpi, page=(139.7, 105.83), page_tolerance=0.1):
    """Fails unless the page has the given size and the features lie where 1 cm is 1 cm."""
    found = measure(path, dpi)
    expected = {"left minimum": (-20, -20), "right minimum": (20, -20), "peak": (0, 20)}
    problems = [f"page {found['page']} mm, not {page}" for got, want in zip(found["page"], page) if abs(got - want) > page_tolerance]
    centre = (page[0] / 2, page[1] / 2)
    problems += [f"crossing at {found['crossing']} mm, not the centre {centre}"
                 for got, want in zip(found["crossing"], centre) if abs(got - want) > 0.2]
    for name, want in expected.items():
        got = found[name]
        if got is None or max(abs(g - w) for g, w in zip(got, want)) > 0.2:
            problems.append(f"{name} at {got} mm from the crossing, not {want}")
    assert not problems, f"{path}: " + "; ".join(problems)
    return found


if __name__ == "__main__":
    print(measure(sys.argv[1], int(sys.argv[2]) if len(sys.argv) > 2 else 254))
