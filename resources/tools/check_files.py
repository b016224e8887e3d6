#!/usr/bin/env python3
"""Checks the generated program files without playing or showing anything.

Sounds: format, length, size, level, silent ends (a non-zero first or last sample clicks).
SVG: well-formed, the expected view box, every catalogue key present, only elements the
SVG Tiny renderer draws, every url(#id) defined. Bitmaps: headers agree with the data.
PDF: every cross-reference offset lands on its object. Help: every link and picture
resolves, anchors included. Exit status 1 when anything is wrong.

Usage: python3 check_files.py [FOLDER]   (default: ../files beside this script)
"""
import html.parser
import math
import os
import re
import struct
import sys
import wave
import xml.etree.ElementTree as ET
import zlib

ICON_KEYS = ["Tolvane2", "world3", "prod3", "phone2", "korvel6", "sparam", "vbias3", "ibias3",
             "lgsig2", "smsig2", "fetbias", "Bias1a", "Bias2", "Bias3", "Bias4", "Bias5a",
             "ampeff3", "balun", "mstrip", "cpw-gnd1", "strip", "parallel", "wire-gnd",
             "coax-rnd", "coax-sqr", "trough", "slab", "rho2", "cascade1", "SpurFind", "ip3",
             "thermo", "scroll", "complex1", "std-val", "const"]
STATUS_KEYS = ["grn", "yel", "red", "orn", "blu"]
SOUNDS = {"korvel.wav": (0.8, 1.3), "whoosh.wav": (0.25, 0.45), "ding.wav": (0.3, 0.5),
          "laser.wav": (0.2, 0.4)}
ALLOWED_SVG = {"svg", "defs", "g", "path", "rect", "circle", "ellipse", "line", "polyline",
               "polygon", "linearGradient", "radialGradient", "stop", "text", "title", "desc"}

problems = []


def fail(msg):
    problems.append(msg)


def check_wav(folder):
    for name, (lo, hi) in SOUNDS.items():
        p = os.path.join(folder, name)
        try:
            w = wave.open(p)
        except Exception as e:  # a missing or broken file is a failure, not a crash
            fail(f"{name}: {e}")
            continue
        n = w.getnframes()
        rate = w.getframerate()
        data = struct.unpack("<%dh" % n, w.readframes(n))
        dur = n / rate
        peak = max(abs(s) for s in data)
        peak_db = 20 * math.log10(peak / 32768) if peak else -200
        mean = sum(data) / n
        if w.getnchannels() != 1 or w.getsampwidth() != 2 or rate not in (22050, 44100):
            fail(f"{name}: not 16-bit mono at 22050/44100 Hz")
        if not lo <= dur <= hi:
            fail(f"{name}: {dur:.3f} s outside {lo}..{hi} s")
        if os.path.getsize(p) > 60000:
            fail(f"{name}: {os.path.getsize(p)} bytes, over 60 KB")
        if not -12 <= peak_db <= -0.5:
            fail(f"{name}: peak {peak_db:.1f} dBFS")
        if abs(data[0]) > 64 or abs(data[-1]) > 64:
            fail(f"{name}: does not start and end at silence")
        if abs(mean) > 100:
            fail(f"{name}: DC offset {mean:.0f}")
        print(f"  {name}: {dur:.3f} s, {rate} Hz, peak {peak_db:.1f} dBFS, "
              f"{os.path.getsize(p)} bytes")


def check_svg(path, size):
    try:
        root = ET.parse(path).getroot()
    except Exception as e:
        fail(f"{path}: {e}")
        return
    if root.get("viewBox") != f"0 0 {size} {size}":
        fail(f"{path}: view box {root.get('viewBox')}, expected 0 0 {size} {size}")
    ids, refs = set(), set()
    for el in root.iter():
        tag = el.tag.split("}")[-1]
        if tag not in ALLOWED_SVG:
            fail(f"{path}: element <{tag}> is not drawn by the SVG Tiny renderer")
        if el.get("id"):
            ids.add(el.get("id"))
        for v in el.attrib.values():
            refs.update(re.findall(r"url\(#([^)]+)\)", v))
    if refs - ids:
        fail(f"{path}: undefined references {sorted(refs - ids)}")


def check_bmp(path):
    d = open(path, "rb").read()
    magic, fsize, _, _, off = struct.unpack_from("<2sIHHI", d, 0)
    hs, w, h, planes, bpp, comp = struct.unpack_from("<IiiHHI", d, 14)
    stride = (w * 3 + 3) & ~3
    if magic != b"BM" or fsize != len(d) or bpp != 24 or comp != 0 or off + stride * abs(h) != len(d):
        fail(f"{path}: inconsistent BMP header")
    print(f"  velmarblue.bmp: {w} x {h}, {bpp}-bit, {len(d)} bytes")


def check_ico(path):
    d = open(path, "rb").read()
    res, typ, count = struct.unpack_from("<HHH", d, 0)
    w, h, _, _, planes, bpp, size, off = struct.unpack_from("<BBBBHHII", d, 6)
    hs, bw, bh, _, bbpp = struct.unpack_from("<IiiHH", d, off)
    expect = 40 + 32 * 32 * 4 + 32 * 4
    if (res, typ, count) != (0, 1, 1) or (w, h, bpp) != (32, 32, 32) or off + size != len(d) \
            or (hs, bw, bh, bbpp) != (40, 32, 64, 32) or size != expect:
        fail(f"{path}: inconsistent ICO structure")
    print(f"  0rcvr1.ico: {w} x {h}, {bpp}-bit, {len(d)} bytes")


def check_png(path, hotspot=(5, 0)):
    d = open(path, "rb").read()
    if d[:8] != b"\x89PNG\r\n\x1a\n":
        fail(f"{path}: not PNG content")
        return
    pos, idat, ihdr = 8, b"", None
    while pos < len(d):
        n, = struct.unpack_from(">I", d, pos)
        kind = d[pos + 4:pos + 8]
        body = d[pos + 8:pos + 8 + n]
        crc, = struct.unpack_from(">I", d, pos + 8 + n)
        if zlib.crc32(kind + body) & 0xFFFFFFFF != crc:
            fail(f"{path}: bad CRC in {kind!r}")
        if kind == b"IHDR":
            ihdr = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat += body
        pos += 12 + n
    w, h, depth, ctype = ihdr[:4]
    raw = zlib.decompress(idat)
    if (w, h, depth, ctype) != (32, 32, 8, 6) or len(raw) != h * (1 + 4 * w):
        fail(f"{path}: expected 32 x 32 RGBA")
        return
    x, y = hotspot
    alpha = raw[y * (1 + 4 * w) + 1 + 4 * x + 3]
    if alpha != 255:
        fail(f"{path}: hot spot ({x}, {y}) is not on the glyph")
    print(f"  {os.path.basename(path)}: PNG {w} x {h} RGBA, hot spot {hotspot}")


def check_pdf(path):
    d = open(path, "rb").read()
    if not d.startswith(b"%PDF-1.") or not d.rstrip().endswith(b"%%EOF"):
        fail(f"{path}: missing PDF header or trailer")
        return
    start = int(re.search(rb"startxref\s+(\d+)", d).group(1))
    if not d[start:].startswith(b"xref"):
        fail(f"{path}: startxref does not point at the table")
        return
    m = re.match(rb"xref\s+0 (\d+)\s+", d[start:])
    count = int(m.group(1))
    table = d[start + m.end():start + m.end() + 20 * count]
    for i in range(1, count):
        off = int(table[20 * i:20 * i + 10])
        if not d[off:].startswith(b"%d 0 obj" % i):
            fail(f"{path}: xref entry {i} is off")
    pages = len(re.findall(rb"/Type /Page\b", d))
    print(f"  TolvaneGuide.pdf: {pages} pages, {count - 1} objects, {len(d)} bytes")


class Links(html.parser.HTMLParser):
    def __init__(self):
        super().__init__()
        self.targets, self.names = [], set()

    def handle_starttag(self, tag, attrs):
        a = dict(attrs)
        if tag == "a" and a.get("href"):
            self.targets.append(a["href"])
        if tag == "a" and a.get("name"):
            self.names.add(a["name"])
        if tag == "img":
            self.targets.append(a.get("src", ""))


def check_help(folder):
    hdir = os.path.join(folder, "help")
    parsed = {}
    for name in sorted(os.listdir(hdir)):
        if name.endswith(".html"):
            p = Links()
            p.feed(open(os.path.join(hdir, name), encoding="utf-8").read())
            parsed[name] = p
    for name, p in parsed.items():
        for t in p.targets:
            if re.match(r"^[a-z]+:", t):
                continue
            file, _, anchor = t.partition("#")
            full = os.path.normpath(os.path.join(hdir, file))
            if not os.path.exists(full):
                fail(f"help/{name}: link to missing {t}")
            elif anchor and parsed.get(file) and anchor not in parsed[file].names:
                fail(f"help/{name}: missing anchor {t}")
    for need in ("topic1.html", "topic5.html", "topic24.html", "topicindex.html"):
        if need not in parsed:
            fail(f"help/{need} missing")
    print(f"  help: {len(parsed)} pages, all links resolve" if not problems else "  help checked")


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "files")
    check_wav(folder)
    for k in ICON_KEYS:
        p = os.path.join(folder, "icons", k + ".svg")
        if not os.path.exists(p):
            fail(f"icon {k} missing")
        else:
            check_svg(p, 48)
    extra = set(os.listdir(os.path.join(folder, "icons"))) - {k + ".svg" for k in ICON_KEYS}
    if extra:
        fail(f"icons without a catalogue key: {sorted(extra)}")
    for k in STATUS_KEYS:
        check_svg(os.path.join(folder, "status", k + ".svg"), 16)
    check_svg(os.path.join(folder, "korvel.svg"), 48)
    check_svg(os.path.join(folder, "help", "coax-dims.svg"), 180)
    print(f"  svg: {len(ICON_KEYS)} icons, {len(STATUS_KEYS)} status lights, korvel.svg")
    check_bmp(os.path.join(folder, "velmarblue.bmp"))
    check_ico(os.path.join(folder, "0rcvr1.ico"))
    check_png(os.path.join(folder, "link.cur"))
    if os.path.exists(os.path.join(folder, "korvel.png")):
        d = open(os.path.join(folder, "korvel.png"), "rb").read(24)
        if d[:8] != b"\x89PNG\r\n\x1a\n" or struct.unpack(">II", d[16:24]) != (256, 256):
            fail("korvel.png is not a 256 x 256 PNG")
    check_pdf(os.path.join(folder, "TolvaneGuide.pdf"))
    check_help(folder)
    total = sum(os.path.getsize(os.path.join(r, f)) for r, _, fs in os.walk(folder) for f in fs)
    print(f"  total: {total} bytes")
    if total > 2 * 1024 * 1024:
        fail(f"files total {total} bytes, over 2 MB")
    for p in problems:
        print("PROBLEM:", p)
    print("all files check out" if not problems else f"{len(problems)} problem(s)")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
