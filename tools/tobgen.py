"""Small helpers shared by the data generators: deterministic seeds, atomic writes, catalogues."""

import csv
import os
import tempfile
import zlib


def seed_of(*parts):
    """A stable 32-bit seed from names (Python's hash() changes between runs)."""
    return zlib.crc32("/".join(str(p) for p in parts).encode("utf-8")) & 0xFFFFFFFF


def write_if_changed(path, data):
    """Writes bytes or text atomically, and only when the content differs, so that a rerun
    leaves timestamps (and the builds that watch them) alone. Returns True when written."""
    if isinstance(data, str):
        data = data.encode("utf-8")
    try:
        with open(path, "rb") as f:
            if f.read() == data:
                return False
    except OSError:
        pass
    folder = os.path.dirname(os.path.abspath(path))
    os.makedirs(folder, exist_ok=True)
    fd, tmp = tempfile.mkstemp(dir=folder, prefix=".tmp-")
    try:
        with os.fdopen(fd, "wb") as f:
            f.write(data)
        os.chmod(tmp, 0o644)
        os.replace(tmp, path)
    except BaseException:
        if os.path.exists(tmp):
            os.unlink(tmp)
        raise
    return True


def image_bytes(img, fmt, **options):
    import io
    buf = io.BytesIO()
    img.save(buf, fmt, **options)
    return buf.getvalue()


def save_image(img, path, **options):
    """Saves a PIL image by the file's extension (png, jpg, tga), atomically."""
    ext = os.path.splitext(path)[1].lower()
    fmt = {".png": "PNG", ".jpg": "JPEG", ".jpeg": "JPEG", ".tga": "TGA"}[ext]
    if fmt == "JPEG":
        img = img.convert("RGB")
        options.setdefault("quality", 88)
    if fmt == "PNG":
        options.setdefault("optimize", True)
    if fmt == "TGA":
        options.setdefault("compression", None)
    return write_if_changed(path, image_bytes(img, fmt, **options))


def read_catalogue(path):
    """Reads a catalogue: CSV with a header row; blank lines and lines starting with '#' are
    comments. Returns a list of dicts; the 'params' column, when present, is parsed from
    'key=value' pairs separated by blanks into the dict under 'p'."""
    rows = []
    with open(path, newline="", encoding="utf-8") as f:
        lines = [ln for ln in f if ln.strip() and not ln.lstrip().startswith("#")]
    for n, row in enumerate(csv.DictReader(lines)):
        row = {k.strip(): (v or "").strip() for k, v in row.items() if k is not None}
        if "params" in row:
            row["p"] = parse_params(row["params"], path, n)
        rows.append(row)
    return rows


def parse_params(text, path="", n=0):
    out = {}
    for item in text.split():
        if "=" not in item:
            raise ValueError("%s row %d: parameter '%s' is not key=value" % (path, n + 1, item))
        k, v = item.split("=", 1)
        out[k] = v
    return out
