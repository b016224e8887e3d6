#!/usr/bin/env python3
"""Writes the catalogue icons, the status indicator lights and the application icon as SVG.

All pictures share one flat style: a soft light tile with a rounded edge, dark slate
line work, copper for conductors, grey for ground metal, green for circuit-board
substrate and a pale mint for other dielectrics, with blue and red as the two signal
colours. Only plain shapes, strokes, fills and gradients are used, so the pictures
look the same in every SVG Tiny renderer, including the one in Qt.

Usage: python3 make_icons.py [OUTPUT_FOLDER]   (default: ../files beside this script)
Writes OUTPUT/icons/<key>.svg, OUTPUT/status/<key>.svg and OUTPUT/korvel.svg.
"""
import math
import os
import sys

INK = "#23364D"
INK_SOFT = "#5B6E86"
COPPER = "#E39A3B"
COPPER_DK = "#A8621A"
METAL = "#9AA8B8"
METAL_DK = "#56677C"
DIEL = "#CFEBDD"
DIEL_DK = "#7FB59A"
SUBSTRATE = "#86C495"
SUB_DK = "#3F7F50"
BLUE = "#2F7DD1"
BLUE_DK = "#1C5597"
BLUE_LT = "#BBD7F5"
RED = "#D8483B"
GREEN = "#35A05A"
AMBER = "#F2B230"
AMBER_DK = "#B57A0E"
WHITE = "#FFFFFF"


def svg(body, defs="", size=48):
    return ('<?xml version="1.0" encoding="UTF-8"?>\n'
            f'<svg xmlns="http://www.w3.org/2000/svg" version="1.2" baseProfile="tiny" '
            f'width="{size}" height="{size}" viewBox="0 0 {size} {size}">\n'
            f'<defs>\n{defs}</defs>\n{body}</svg>\n')


def lingrad(gid, top, bottom, x2="0", y2="1"):
    return (f'<linearGradient id="{gid}" x1="0" y1="0" x2="{x2}" y2="{y2}">'
            f'<stop offset="0" stop-color="{top}"/><stop offset="1" stop-color="{bottom}"/>'
            '</linearGradient>\n')


TILE_DEFS = lingrad("tile", "#FFFFFF", "#DDE7F3")
TILE = ('<rect x="2.5" y="2.5" width="43" height="43" rx="8" ry="8" fill="url(#tile)" '
        'stroke="#8DA3BD" stroke-width="1"/>\n')


def f(v):
    """Short number text: 12 rather than 12.0, 3.5 rather than 3.5000001."""
    s = f"{v:.2f}".rstrip("0").rstrip(".")
    return "0" if s == "-0" else s


def line(x1, y1, x2, y2, color=INK, w=1.5, extra=""):
    return (f'<line x1="{f(x1)}" y1="{f(y1)}" x2="{f(x2)}" y2="{f(y2)}" stroke="{color}" '
            f'stroke-width="{f(w)}" stroke-linecap="round"{extra}/>\n')


def wire(*pts, color=INK, w=1.5, extra=""):
    d = "M" + " L".join(f"{f(x)} {f(y)}" for x, y in pts)
    return (f'<path d="{d}" fill="none" stroke="{color}" stroke-width="{f(w)}" '
            f'stroke-linecap="round" stroke-linejoin="round"{extra}/>\n')


def path(d, fill="none", stroke=INK, w=1.5, extra=""):
    s = f' stroke="{stroke}" stroke-width="{f(w)}"' if stroke != "none" else ""
    return (f'<path d="{d}" fill="{fill}"{s} stroke-linecap="round" '
            f'stroke-linejoin="round"{extra}/>\n')


def rect(x, y, w, h, fill, stroke="none", sw=1.0, r=0, extra=""):
    s = f' stroke="{stroke}" stroke-width="{f(sw)}"' if stroke != "none" else ""
    rr = f' rx="{f(r)}" ry="{f(r)}"' if r else ""
    return (f'<rect x="{f(x)}" y="{f(y)}" width="{f(w)}" height="{f(h)}"{rr} '
            f'fill="{fill}"{s}{extra}/>\n')


def circle(cx, cy, r, fill, stroke="none", sw=1.0, extra=""):
    s = f' stroke="{stroke}" stroke-width="{f(sw)}"' if stroke != "none" else ""
    return f'<circle cx="{f(cx)}" cy="{f(cy)}" r="{f(r)}" fill="{fill}"{s}{extra}/>\n'


def poly(pts, fill, stroke="none", sw=1.0, extra=""):
    p = " ".join(f"{f(x)},{f(y)}" for x, y in pts)
    s = f' stroke="{stroke}" stroke-width="{f(sw)}" stroke-linejoin="round"' if stroke != "none" else ""
    return f'<polygon points="{p}" fill="{fill}"{s}{extra}/>\n'


def arrowhead(x, y, angle_deg, size=3.2, color=INK):
    """Filled arrow tip with its point at (x, y), pointing along angle_deg (0 = right)."""
    a = math.radians(angle_deg)
    bx, by = x - size * math.cos(a), y - size * math.sin(a)
    nx, ny = -math.sin(a) * size * 0.6, math.cos(a) * size * 0.6
    return poly([(x, y), (bx + nx, by + ny), (bx - nx, by - ny)], color)


# --- circuit symbols ------------------------------------------------------------------

def resistor_v(x, y1, y2, w=1.5):
    """Vertical resistor between (x, y1) and (x, y2): leads and a small box."""
    h = y2 - y1
    b0, b1 = y1 + h * 0.18, y2 - h * 0.18
    return (line(x, y1, x, b0, w=w) + line(x, b1, x, y2, w=w)
            + rect(x - 2.6, b0, 5.2, b1 - b0, WHITE, INK, w, r=0.8))


def resistor_h(x1, x2, y, w=1.5):
    L = x2 - x1
    b0, b1 = x1 + L * 0.18, x2 - L * 0.18
    return (line(x1, y, b0, y, w=w) + line(b1, y, x2, y, w=w)
            + rect(b0, y - 2.6, b1 - b0, 5.2, WHITE, INK, w, r=0.8))


def ground(x, y, w=1.5):
    """Ground symbol hanging from (x, y)."""
    return (line(x, y, x, y + 2, w=w) + line(x - 4, y + 2, x + 4, y + 2, w=w)
            + line(x - 2.6, y + 4, x + 2.6, y + 4, w=w) + line(x - 1.2, y + 6, x + 1.2, y + 6, w=w))


def ground_short(x, y, w=1.4):
    return (line(x - 3.5, y, x + 3.5, y, w=w) + line(x - 2.2, y + 1.8, x + 2.2, y + 1.8, w=w)
            + line(x - 0.9, y + 3.6, x + 0.9, y + 3.6, w=w))


def capacitor_v(x, y1, y2, w=1.5):
    m = (y1 + y2) / 2
    return (line(x, y1, x, m - 1.3, w=w) + line(x, m + 1.3, x, y2, w=w)
            + line(x - 3.5, m - 1.3, x + 3.5, m - 1.3, w=w + 0.3)
            + line(x - 3.5, m + 1.3, x + 3.5, m + 1.3, w=w + 0.3))


def rail(x1, x2, y):
    """Supply rail with a small terminal circle at its left end."""
    return line(x1 + 1.6, y, x2, y, w=1.5) + circle(x1, y, 1.6, WHITE, INK, 1.2)


def dot(x, y):
    return circle(x, y, 1.5, INK)


def npn(cx, cy):
    """NPN transistor in a circle; returns (svg, base_x, collector_top, emitter_bottom)."""
    bx = cx - 3
    out = circle(cx, cy, 8, WHITE, INK, 1.4)
    out += line(bx, cy - 5, bx, cy + 5, w=2.2)
    out += wire((bx, cy - 2.3), (cx + 3.5, cy - 6.5), (cx + 3.5, cy - 9))
    out += wire((bx, cy + 2.3), (cx + 3.5, cy + 6.5), (cx + 3.5, cy + 9))
    out += arrowhead(cx + 3.2, cy + 6.2, 40, 3.4)
    out += line(cx - 11, cy, bx, cy)
    return out, (cx - 11, cy), (cx + 3.5, cy - 9), (cx + 3.5, cy + 9)


def current_source_v(x, y1, y2):
    m = (y1 + y2) / 2
    r = 4.2
    return (line(x, y1, x, m - r) + line(x, m + r, x, y2) + circle(x, m, r, WHITE, INK, 1.4)
            + line(x, m + 2.4, x, m - 1.0, w=1.3) + arrowhead(x, m - 2.8, -90, 2.6))


def voltage_source_v(x, y1, y2):
    m = (y1 + y2) / 2
    r = 4.6
    return (line(x, y1, x, m - r) + line(x, m + r, x, y2) + circle(x, m, r, WHITE, INK, 1.4)
            + line(x - 1.6, m - 1.9, x + 1.6, m - 1.9, w=1.1) + line(x, m - 3.5, x, m - 0.3, w=1.1)
            + line(x - 1.6, m + 2.1, x + 1.6, m + 2.1, w=1.1))


def sine(x0, x1, yc, amp, cycles, color, w=1.6, steps=40):
    pts = []
    for i in range(steps + 1):
        t = i / steps
        pts.append((x0 + (x1 - x0) * t, yc - amp * math.sin(2 * math.pi * cycles * t)))
    return wire(*pts, color=color, w=w)


def field(d, color=BLUE, w=0.9, opacity=0.75):
    return path(d, stroke=color, w=w, extra=f' stroke-opacity="{opacity}"')


# --- the icons --------------------------------------------------------------------------

def icon_coax_rnd():
    out = circle(24, 24, 16.5, METAL, METAL_DK, 1.5)
    out += circle(24, 24, 13.2, DIEL, DIEL_DK, 0.8)
    for k in range(8):
        a = math.radians(22.5 + 45 * k)
        out += line(24 + 7.2 * math.cos(a), 24 + 7.2 * math.sin(a),
                    24 + 11.8 * math.cos(a), 24 + 11.8 * math.sin(a), BLUE, 1.0,
                    ' stroke-opacity="0.7"')
    out += circle(24, 24, 5.2, COPPER, COPPER_DK, 1.2)
    out += circle(22.6, 22.6, 1.6, WHITE, extra=' fill-opacity="0.55"')
    return out


def icon_coax_sqr():
    out = rect(7.5, 7.5, 33, 33, METAL, METAL_DK, 1.5, r=2)
    out += rect(11, 11, 26, 26, DIEL, DIEL_DK, 0.8, r=0.5)
    for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)):
        out += line(24 + 7.2 * dx, 24 + 7.2 * dy, 24 + 11.8 * dx, 24 + 11.8 * dy, BLUE, 1.0,
                    ' stroke-opacity="0.7"')
    for dx, dy in ((1, 1), (-1, 1), (1, -1), (-1, -1)):
        out += line(24 + 5.2 * dx, 24 + 5.2 * dy, 24 + 11.2 * dx, 24 + 11.2 * dy, BLUE, 1.0,
                    ' stroke-opacity="0.7"')
    out += circle(24, 24, 5.2, COPPER, COPPER_DK, 1.2)
    out += circle(22.6, 22.6, 1.6, WHITE, extra=' fill-opacity="0.55"')
    return out


def icon_slab():
    out = rect(6, 8, 36, 5, METAL, METAL_DK, 1.2, r=1)
    out += rect(6, 35, 36, 5, METAL, METAL_DK, 1.2, r=1)
    for x in (18, 24, 30):
        out += line(x, 14.5, x, 17.5 if x == 24 else 19, BLUE, 1.0, ' stroke-opacity="0.7"')
        out += line(x, 33.5, x, 30.5 if x == 24 else 29, BLUE, 1.0, ' stroke-opacity="0.7"')
    out += field("M12 14.5 Q13 21 19 22.5", w=1.0)
    out += field("M36 14.5 Q35 21 29 22.5", w=1.0)
    out += field("M12 33.5 Q13 27 19 25.5", w=1.0)
    out += field("M36 33.5 Q35 27 29 25.5", w=1.0)
    out += circle(24, 24, 5.4, COPPER, COPPER_DK, 1.2)
    out += circle(22.5, 22.5, 1.6, WHITE, extra=' fill-opacity="0.55"')
    return out


def icon_trough():
    out = path("M7 9 L13 9 L13 33 L35 33 L35 9 L41 9 L41 39 L7 39 Z", METAL, METAL_DK, 1.2)
    out += rect(13, 12, 22, 21, DIEL, extra=' fill-opacity="0.6"')
    out += line(24, 29.5, 24, 32, BLUE, 1.0, ' stroke-opacity="0.7"')
    out += field("M13.5 21 Q16 21 18.6 21")
    out += field("M34.5 21 Q32 21 29.4 21")
    out += field("M14 31.5 Q17 27 19.5 25")
    out += field("M34 31.5 Q31 27 28.5 25")
    out += circle(24, 21, 5.4, COPPER, COPPER_DK, 1.2)
    out += circle(22.5, 19.5, 1.6, WHITE, extra=' fill-opacity="0.55"')
    return out


def icon_parallel():
    out = path("M15 17.5 L33 17.5 A6.5 6.5 0 0 1 33 30.5 L15 30.5 A6.5 6.5 0 0 1 15 17.5 Z",
               DIEL, DIEL_DK, 0.8)
    for d in ("M20 21.5 Q24 19.5 28 21.5", "M20 26.5 Q24 28.5 28 26.5",
              "M16 18.5 Q24 8 32 18.5", "M16 29.5 Q24 40 32 29.5",
              "M11.5 20 Q24 0 36.5 20", "M11.5 28 Q24 48 36.5 28"):
        out += field(d)
    out += circle(15, 24, 4.6, COPPER, COPPER_DK, 1.2)
    out += circle(33, 24, 4.6, COPPER, COPPER_DK, 1.2)
    out += circle(13.8, 22.8, 1.3, WHITE, extra=' fill-opacity="0.55"')
    out += circle(31.8, 22.8, 1.3, WHITE, extra=' fill-opacity="0.55"')
    return out


def icon_wire_gnd():
    out = rect(6, 34, 36, 4, METAL, METAL_DK, 1.2, r=0.8)
    for x in range(8, 42, 4):
        out += line(x, 39.5, x - 2.5, 42, METAL_DK, 1.0)
    out += line(24, 24.5, 24, 33, BLUE, 1.0, ' stroke-opacity="0.7"')
    for d in ("M20.5 22 Q17 29 16 33", "M27.5 22 Q31 29 32 33",
              "M19 17.5 Q9 22 9 33", "M29 17.5 Q39 22 39 33"):
        out += field(d)
    out += circle(24, 18, 5.6, COPPER, COPPER_DK, 1.2)
    out += circle(22.4, 16.4, 1.6, WHITE, extra=' fill-opacity="0.55"')
    return out


def icon_mstrip():
    out = rect(6, 33.5, 36, 4, METAL, METAL_DK, 1.2, r=0.8)
    out += rect(6, 24, 36, 9.5, SUBSTRATE, SUB_DK, 1.0)
    for d in ("M17.5 23 Q11 23 9.5 33", "M30.5 23 Q37 23 38.5 33",
              "M18 24 Q15.5 27 15 33", "M30 24 Q32.5 27 33 33",
              "M21 24.5 L21 33", "M27 24.5 L27 33", "M24 24.5 L24 33"):
        out += field(d, color=BLUE_DK, opacity=0.65)
    out += rect(17, 19.5, 14, 4.5, COPPER, COPPER_DK, 1.1, r=0.6)
    out += rect(18, 20.3, 12, 1.2, WHITE, extra=' fill-opacity="0.45"')
    return out


def icon_strip():
    out = rect(6, 9, 36, 4, METAL, METAL_DK, 1.2, r=0.8)
    out += rect(6, 35, 36, 4, METAL, METAL_DK, 1.2, r=0.8)
    out += rect(6, 13, 36, 22, SUBSTRATE, SUB_DK, 1.0)
    for x in (20, 24, 28):
        out += field(f"M{x} 22 L{x} 13.8", color=BLUE_DK, opacity=0.65)
        out += field(f"M{x} 26 L{x} 34.2", color=BLUE_DK, opacity=0.65)
    for d in ("M16.5 22.5 Q12 20 11 13.8", "M31.5 22.5 Q36 20 37 13.8",
              "M16.5 25.5 Q12 28 11 34.2", "M31.5 25.5 Q36 28 37 34.2"):
        out += field(d, color=BLUE_DK, opacity=0.65)
    out += rect(16.5, 21.8, 15, 4.4, COPPER, COPPER_DK, 1.1, r=0.6)
    return out


def icon_cpw():
    out = rect(6, 34, 36, 4, METAL, METAL_DK, 1.2, r=0.8)
    out += rect(6, 24, 36, 10, SUBSTRATE, SUB_DK, 1.0)
    for d in ("M20.5 21 Q18.2 18.5 15.8 21", "M27.5 21 Q29.8 18.5 32.2 21",
              "M20.5 21.5 Q18 15 13.5 20.5", "M27.5 21.5 Q30 15 34.5 20.5",
              "M24 24.5 L24 33.5", "M21.5 24.5 Q21 30 20 33.5", "M26.5 24.5 Q27 30 28 33.5"):
        out += field(d, color=BLUE_DK, opacity=0.7)
    out += rect(6, 20, 10, 4, COPPER, COPPER_DK, 1.1, r=0.5)
    out += rect(20, 20, 8, 4, COPPER, COPPER_DK, 1.1, r=0.5)
    out += rect(32, 20, 10, 4, COPPER, COPPER_DK, 1.1, r=0.5)
    return out


def icon_balun():
    out = ""
    # Primary winding, bulging right; secondary bulging left; the core between them.
    d1 = "M18 12.5" + "".join(" A2.9 2.9 0 0 1 18 %s" % f(12.5 + 5.8 * (k + 1)) for k in range(4))
    d2 = "M30 12.5" + "".join(" A2.9 2.9 0 0 0 30 %s" % f(12.5 + 5.8 * (k + 1)) for k in range(4))
    out += path(d1, stroke=COPPER_DK, w=1.8)
    out += path(d2, stroke=COPPER_DK, w=1.8)
    out += line(23, 11, 23, 37, INK, 1.3) + line(25, 11, 25, 37, INK, 1.3)
    out += wire((18, 12.5), (9.6, 12.5))
    out += circle(8, 12.5, 1.6, WHITE, INK, 1.2)
    out += wire((18, 35.7), (12, 35.7), (12, 37))
    out += ground_short(12, 37.2)
    out += wire((30, 12.5), (38.4, 12.5))
    out += wire((30, 35.7), (38.4, 35.7))
    out += circle(40, 12.5, 1.6, WHITE, INK, 1.2)
    out += circle(40, 35.7, 1.6, WHITE, INK, 1.2)
    out += sine(5, 13, 19.5, 2.2, 1, BLUE, 1.3)
    out += sine(35, 43, 20.5, 2.2, 1, BLUE, 1.3) + sine(35, 43, 27.5, -2.2, 1, RED, 1.3)
    return out


def icon_sparam():
    cx, cy, R = 24.0, 24.0, 16.5
    out = circle(cx, cy, R, WHITE, INK, 1.5)
    grid = ' stroke-opacity="0.75"'
    out += line(cx - R, cy, cx + R, cy, BLUE_LT, 1.0)
    for r in (1 / 3, 1.0, 3.0):
        rr = R / (1 + r)
        out += circle(cx + R - rr, cy, rr, "none", BLUE, 0.9, grid)
    for x in (0.5, 1.0, 2.0):
        gx = (x * x - 1) / (x * x + 1)
        gy = 2 * x / (x * x + 1)
        px, py = cx + R * gx, cy - R * gy
        rr = R / x
        out += path(f"M{f(px)} {f(py)} A{f(rr)} {f(rr)} 0 0 0 {f(cx + R)} {f(cy)}",
                    stroke=BLUE, w=0.9, extra=grid)
        out += path(f"M{f(px)} {f(2 * cy - py)} A{f(rr)} {f(rr)} 0 0 1 {f(cx + R)} {f(cy)}",
                    stroke=BLUE, w=0.9, extra=grid)
    # A measured reflection trace sweeping clockwise with frequency.
    out += path("M17 31 Q11 22 19 15.5 Q27 10.5 31 17 Q34 23 28 26", stroke=RED, w=2.0)
    out += circle(28, 26, 2.0, RED, WHITE, 0.8)
    return out


def icon_bias1a():
    t, b, c, e = npn(29, 27)
    out = rail(10, c[0], 8)
    out += resistor_v(c[0], 8, c[1])
    out += resistor_v(14, 8, 27) + dot(14, 8)
    out += line(14, 27, b[0], 27)
    out += t + wire(e, (e[0], 36)) + ground(e[0], 36)
    return out


def collector_feedback(top_part, base_leg=False):
    """Collector-to-base feedback: the feedback resistor runs above the transistor from
    the collector node back down to the base."""
    t, b, c, e = npn(30, 28)
    out = rail(10, c[0], 7)
    out += top_part(c[0], 7, 16)
    out += line(c[0], 16, c[0], c[1]) + dot(c[0], 16)
    out += resistor_h(12, 27, 16) + line(27, 16, c[0], 16)
    out += wire((12, 16), (12, 28), b)
    if base_leg:
        out += dot(12, 28) + resistor_v(12, 28, 37) + ground(12, 37)
    out += t + wire(e, (e[0], 37)) + ground(e[0], 37)
    return out


def icon_bias2():
    return collector_feedback(resistor_v)


def icon_bias3():
    return collector_feedback(current_source_v)


def icon_bias4():
    return collector_feedback(resistor_v, base_leg=True)


def icon_bias5a():
    t, b, c, e = npn(30, 23)
    out = rail(10, c[0], 6)
    out += resistor_v(c[0], 6, c[1])
    out += resistor_v(13, 6, 23) + dot(13, 6) + dot(13, 23)
    out += line(13, 23, b[0], 23)
    out += resistor_v(13, 23, 38.5) + ground_short(13, 38.5)
    out += t
    out += resistor_v(e[0], e[1], 38.5) + ground_short(e[0], 38.5)
    return out


def icon_fetbias():
    out = ""
    out += line(20, 12, 20, 27, w=2.2)                     # channel
    out += wire((20, 14), (27, 14), (27, 7.6))             # drain
    out += circle(27, 6, 1.6, WHITE, INK, 1.2)
    out += wire((20, 25), (27, 25), (27, 27))              # source
    out += wire((8, 19.5), (20, 19.5))                     # gate
    out += arrowhead(19.6, 19.5, 0, 3.4)
    out += circle(6.4, 19.5, 1.6, WHITE, INK, 1.2)
    out += resistor_v(27, 27, 38) + dot(27, 27) + dot(27, 38)
    out += wire((27, 27), (36, 27), (36, 29.5))
    out += capacitor_v(36, 29.5, 35.5)
    out += wire((36, 35.5), (36, 38), (27, 38))
    out += ground(31.5, 38)
    return out


def ic_block(x, y, w, h):
    out = ""
    for k in range(2):
        py = y + h * (0.3 + 0.4 * k)
        out += line(x - 3, py, x, py, INK_SOFT, 1.4) + line(x + w, py, x + w + 3, py, INK_SOFT, 1.4)
    out += rect(x, y, w, h, INK, r=1.6)
    out += circle(x + 2.6, y + 2.6, 1.0, WHITE, extra=' fill-opacity="0.8"')
    out += sine(x + 3, x + w - 3, y + h * 0.6, 2.2, 1, AMBER, 1.3)
    return out


def icon_rfic_bias(source):
    out = rail(9, 25, 8)
    out += wire((11, 8), (11, 16))
    out += source(11, 16, 30)
    out += wire((11, 30), (11, 32)) + ground(11, 32)
    out += resistor_v(25, 8, 23)
    out += ic_block(19, 23, 14, 13)
    return out


def icon_vbias3():
    return icon_rfic_bias(voltage_source_v)


def icon_ibias3():
    return icon_rfic_bias(current_source_v)


def detector(amp, color):
    out = sine(5, 16, 21, amp, 1.5, color, 1.7)
    out += line(16, 21, 19, 21)
    out += poly([(19, 15.5), (19, 26.5), (28, 21)], BLUE_LT, INK, 1.4)
    out += line(28, 15.5, 28, 26.5, w=2.0)
    out += wire((28, 21), (38, 21)) + dot(33, 21)
    out += capacitor_v(33, 21, 31) + ground(33, 31)
    out += circle(39.6, 21, 1.6, WHITE, INK, 1.2)
    # The rectified output: the usual sign for direct voltage above the output terminal.
    out += line(35, 11.5, 43, 11.5, INK, 1.5) + line(35, 14.5, 43, 14.5, INK, 1.2, ' stroke-dasharray="2,1.5"')
    return out


def icon_lgsig2():
    return detector(6.5, RED)


def icon_smsig2():
    return detector(2.2, BLUE)


def icon_ampeff3():
    out = line(5.5, 27, 10, 27)
    out += sine(5.5, 10, 22, 1.6, 1, BLUE, 1.2)
    out += poly([(10, 16), (10, 38), (30, 27)], BLUE_LT, BLUE_DK, 1.6)
    out += line(30, 27, 35, 27)
    out += sine(32, 42, 34, 3.6, 1.5, RED, 1.6)
    # DC power fed in from above: the other half of the efficiency ratio.
    out += line(20, 10.5, 20, 21.3, INK, 1.4)
    out += poly([(21.5, 4.5), (15.5, 12), (19.5, 12), (17.5, 17.5), (24, 9), (20, 9)],
                AMBER, AMBER_DK, 1.0)
    out += path("M31.5 17 A5.5 5.5 0 0 1 42.5 17", stroke=INK_SOFT, w=1.4)
    out += line(37, 17, 40, 13, RED, 1.5)
    out += circle(37, 17, 1.3, INK)
    return out


def icon_rho2():
    out = line(6, 34, 33, 34, INK, 2.2) + line(6, 39, 33, 39, INK_SOFT, 1.4)
    out += rect(33, 29, 7, 14, AMBER, AMBER_DK, 1.2, r=1)
    out += sine(7, 28, 13, 3.2, 2, BLUE, 1.9) + arrowhead(33, 13, 0, 4.6, BLUE)
    out += sine(14, 32, 25, 1.8, 1.7, RED, 1.6) + arrowhead(9.5, 25, 180, 4.2, RED)
    return out


def icon_cascade1():
    out = line(4, 16, 44, 16, INK, 1.3)
    out += poly([(6, 9), (6, 23), (16, 16)], BLUE_LT, BLUE_DK, 1.3)
    out += rect(19, 10, 10, 12, WHITE, INK, 1.3, r=1.2)
    out += path("M20.5 19.5 Q22.5 19.5 23 16 Q24 11.5 25 16 Q25.5 19.5 27.5 19.5", stroke=GREEN, w=1.2)
    out += poly([(32, 9), (32, 23), (42, 16)], BLUE_LT, BLUE_DK, 1.3)
    # Running total of gain along the chain: it rises, dips at the filter and rises again.
    out += line(6, 41, 42, 41, INK_SOFT, 1.0) + line(6, 41, 6, 28, INK_SOFT, 1.0)
    out += wire((6, 38), (11, 38), (11, 33), (24, 33), (24, 35), (37, 35), (37, 29), (42, 29),
                color=GREEN, w=1.7)
    return out


def icon_spurfind():
    out = circle(16, 13, 6.2, WHITE, INK, 1.4)
    out += line(11.6, 8.6, 20.4, 17.4, INK, 1.3) + line(20.4, 8.6, 11.6, 17.4, INK, 1.3)
    out += line(4, 13, 9.8, 13) + line(22.2, 13, 30, 13) + arrowhead(32, 13, 0, 3.2)
    out += line(16, 19.2, 16, 23) + sine(12, 20, 25.5, 1.5, 1, BLUE, 1.0)
    out += line(5, 41, 43, 41, INK, 1.4)
    for x, h, c in ((9, 4, RED), (13.5, 6, RED), (18, 5, RED), (23, 10, RED), (27.5, 22, BLUE),
                    (32, 13, AMBER_DK), (36.5, 6, RED), (40.5, 3, RED)):
        out += line(x, 40.3, x, 40.3 - h, c, 2.0 if c == BLUE else 1.6)
        out += circle(x, 40.3 - h, 1.1, c)
    return out


def icon_ip3():
    out = wire((8, 6), (8, 40), (42, 40), color=INK, w=1.5)
    out += arrowhead(8, 5, -90, 3.0) + arrowhead(43, 40, 0, 3.0)
    # Fundamental (slope 1) and third-order product (slope 3) meet at the intercept point.
    px, py = 34.0, 12.0
    out += line(22, 24, px + 3, py - 3, BLUE, 1.1, ' stroke-dasharray="2,1.6"')
    out += line(28.5, 28.5, px + 1.2, py - 3.6, RED, 1.1, ' stroke-dasharray="2,1.6"')
    out += path("M9 37 L22 24 Q27 19 41 18", stroke=BLUE, w=1.9)
    out += path(f"M{f(px - 10.8)} 40 L28.5 28.5 Q31 23 41 21.5", stroke=RED, w=1.9)
    out += circle(px, py, 2.6, WHITE, INK, 1.3) + circle(px, py, 1.0, INK)
    return out


def icon_thermo():
    out = rect(19.5, 5, 9, 31, WHITE, INK, 1.5, r=4.5)
    out += circle(24, 36.5, 6.8, WHITE, INK, 1.5)
    out += rect(21, 6.5, 6, 29, WHITE, r=3)
    out += rect(22.4, 15, 3.2, 21, RED, r=1.6)
    out += circle(24, 36.5, 4.6, RED)
    out += circle(22.3, 34.8, 1.3, WHITE, extra=' fill-opacity="0.6"')
    for k, y in enumerate(range(9, 32, 4)):
        out += line(29.5, y, 33 if k % 2 == 0 else 31.5, y, INK_SOFT, 1.1)
    return out


def icon_scroll():
    paper, edge, ink = "#F7EACB", "#A67C3D", "#B8955C"
    out = rect(12, 9, 24, 30, paper, edge, 1.2)
    out += rect(9, 6, 30, 6, "url(#roll)", edge, 1.2, r=3)
    out += rect(9, 36, 30, 6, "url(#roll)", edge, 1.2, r=3)
    for y, x2 in ((17, 32), (21, 30), (25, 32), (29, 27)):
        out += line(16, y, x2, y, ink, 1.3)
    out += circle(31, 32, 2.6, RED, "#8E2219", 0.8)
    return out


SCROLL_DEFS = lingrad("roll", "#FFF6DF", "#D9B77A")


def icon_complex1():
    out = rect(10.5, 4.5, 27, 39, "url(#calc)", INK, 1.3, r=3.5)
    out += rect(13.5, 7.5, 21, 11, "#D5EBD9", "#4E6B57", 0.9, r=1.2)
    out += line(15, 15.5, 33, 15.5, "#6C8A74", 0.7) + line(19, 8.5, 19, 17.5, "#6C8A74", 0.7)
    out += line(19, 15.5, 28, 10.5, RED, 1.3) + arrowhead(29, 10, -29, 2.4, RED)
    colours = [WHITE] * 12
    colours[3] = AMBER
    colours[11] = "#7DB3EE"
    k = 0
    for row in range(4):
        for col in range(3):
            x = 13.5 + col * 7.3
            y = 21.5 + row * 5.3
            out += rect(x, y, 6, 4, colours[k], extra=' fill-opacity="0.92"', r=0.9)
            k += 1
    return out


CALC_DEFS = lingrad("calc", "#3E5674", "#1E2F44")


def icon_std_val():
    out = line(3.5, 20, 12, 20, METAL_DK, 1.8) + line(36, 20, 44.5, 20, METAL_DK, 1.8)
    out += path("M15 13 L33 13 Q37 13 37 17 L37 23 Q37 27 33 27 L15 27 Q11 27 11 23 L11 17 Q11 13 15 13 Z",
                "url(#body)", "#9C7B4A", 1.2)
    for x, c in ((16, "#E8C000"), (20.5, "#7E3FA3"), (25, RED), (31.5, "#C9A227")):
        out += rect(x, 13.6, 2.6, 12.8, c)
    # A logarithmic scale with the six values of the coarsest series.
    out += line(7, 38, 41, 38, INK, 1.2)
    for v in (1.0, 1.5, 2.2, 3.3, 4.7, 6.8, 10.0):
        x = 7 + 34 * math.log10(v)
        out += line(x, 38, x, 34.5 if v in (1.0, 10.0) else 35.5, INK, 1.2)
        out += circle(x, 38, 1.0, BLUE if v not in (1.0, 10.0) else INK)
    return out


RESISTOR_DEFS = lingrad("body", "#F6E6C4", "#D8BE8E")


def icon_const():
    out = circle(24, 24, 16, BLUE_LT, extra=' fill-opacity="0.5"')
    out += path("M11 17.5 Q12.5 13 17.5 13 L37 13", stroke=INK, w=3.6)
    out += path("M19.5 13.5 Q19.5 27 14 35", stroke=INK, w=3.6)
    out += path("M30 13.5 L30 31 Q30 35.5 34.5 35 Q36.5 34.6 37.2 32.5", stroke=INK, w=3.6)
    return out


def icon_world3():
    out = circle(24, 24, 17, "url(#sea)", BLUE_DK, 1.3)
    land = ' fill-opacity="0.9"'
    out += path("M13 14 Q17 10 22 11 Q24 14 21 16 Q19 19 21 22 Q18 25 15 22 Q12 19 13 14 Z",
                "#7CC58C", extra=land, stroke="none")
    out += path("M26 20 Q31 18 34 21 Q36 26 32 30 Q30 35 27 34 Q26 29 27 26 Q25 23 26 20 Z",
                "#7CC58C", extra=land, stroke="none")
    out += path("M30 10.5 Q34 11 36 14 Q33 15 30 13.5 Z", "#7CC58C", extra=land, stroke="none")
    g = ' stroke-opacity="0.85"'
    out += f'<ellipse cx="24" cy="24" rx="7.5" ry="17" fill="none" stroke="{WHITE}" stroke-width="1"{g}/>\n'
    out += line(24, 7, 24, 41, WHITE, 1.0, g) + line(7, 24, 41, 24, WHITE, 1.0, g)
    for y in (15, 33):
        h = math.sqrt(17 ** 2 - (y - 24) ** 2)
        out += line(24 - h, y, 24 + h, y, WHITE, 1.0, g)
    out += circle(24, 24, 17, "none", BLUE_DK, 1.3)
    return out


WORLD_DEFS = lingrad("sea", "#6FB1F0", "#2468B8")


def icon_prod3():
    out = poly([(24, 7), (41, 15), (24, 23), (7, 15)], "#F4CE93", "#9C6B27", 1.2)
    out += poly([(7, 15), (24, 23), (24, 42), (7, 34)], "#DDA760", "#9C6B27", 1.2)
    out += poly([(24, 23), (41, 15), (41, 34), (24, 42)], "#C58B43", "#9C6B27", 1.2)
    out += poly([(15.5, 11), (32.5, 19), (32.5, 22.5), (15.5, 14.5)], "#E9B877",
                extra=' fill-opacity="0.9"')
    # The maker's label on the side of the box: a white tag with a sine wave.
    out += '<g transform="matrix(1 0.47 0 1 0 0)">\n'
    out += rect(10, 19.5, 11, 8, WHITE, "#9C6B27", 0.8, r=1)
    out += sine(11.5, 19.5, 23.5, 2.0, 1, BLUE, 1.3)
    out += '</g>\n'
    return out


def icon_phone2():
    # A desk telephone: handset resting on a base with a dial, and a ringing signal.
    out = path("M13 40.5 L16.5 28 Q17 26.5 18.5 26.5 L29.5 26.5 Q31 26.5 31.5 28 L35 40.5 Z",
               "url(#base)", INK, 1.3)
    out += circle(24, 34.2, 4.4, WHITE, INK, 1.0)
    for k in range(6):
        a = math.radians(200 + 28 * k)
        out += circle(24 + 2.9 * math.cos(a), 34.2 + 2.9 * math.sin(a), 0.7, INK)
    out += path("M12.5 20.5 Q13 11.5 24 11.5 Q35 11.5 35.5 20.5", stroke=INK, w=4.6)
    out += path("M6.5 19.5 Q6.5 17 9 17 L16 17 Q18.5 17 18.5 19.5 L18.5 21.5 Q18.5 24 16 24 "
                "L9 24 Q6.5 24 6.5 21.5 Z", INK, INK, 1.0)
    out += path("M29.5 19.5 Q29.5 17 32 17 L39 17 Q41.5 17 41.5 19.5 L41.5 21.5 Q41.5 24 39 24 "
                "L32 24 Q29.5 24 29.5 21.5 Z", INK, INK, 1.0)
    for r in (3.5, 6.5):
        out += path(f"M{f(37 + r * 0.5)} {f(9 - r * 0.87)} A{r} {r} 0 0 1 {f(37 + r)} 9",
                    stroke=BLUE, w=1.5)
    return out


PHONE_DEFS = lingrad("base", "#5B7594", "#2C425C")


def icon_tolvane2():
    out = rect(12, 6, 25, 36, "url(#cover)", BLUE_DK, 1.3, r=2)
    out += rect(35, 8, 3.5, 32, WHITE, "#9AB", 0.8, r=0.8)
    out += rect(12, 6, 4, 36, BLUE_DK, r=1.5)
    out += rect(19.5, 11, 13, 6.5, WHITE, r=1)
    out += line(21.5, 13.3, 30.5, 13.3, INK_SOFT, 1.0) + line(21.5, 15.3, 28, 15.3, INK_SOFT, 1.0)
    # A compass rose: the guide that points the way to the right part.
    out += circle(26, 29, 7.2, WHITE, BLUE_LT, 1.0)
    out += poly([(26, 22.5), (28, 29), (26, 35.5), (24, 29)], WHITE, INK, 0.8)
    out += poly([(26, 22.5), (28, 29), (24, 29)], RED)
    out += circle(26, 29, 1.0, INK)
    return out


BOOK_DEFS = lingrad("cover", "#3B8FE0", "#1F5FA6")


def k_glyph(x, y, s, color):
    """The Korvel 'K': a stem and two arms, drawn as polygons so no font is needed."""
    def p(px, py):
        return (x + px * s, y + py * s)
    out = poly([p(0, 0), p(5.2, 0), p(5.2, 22), p(0, 22)], color)
    out += poly([p(4.2, 11.6), p(12.6, 0), p(19, 0), p(8.6, 13.2)], color)
    out += poly([p(7.4, 9.6), p(19.4, 22), p(12.8, 22), p(4.2, 13.4)], color)
    return out


def icon_korvel6():
    out = circle(24, 23, 17, "url(#logo)", BLUE_DK, 1.2)
    out += path("M8.5 23 A15.5 15.5 0 0 1 39.5 23", stroke=WHITE, w=1.0,
                extra=' stroke-opacity="0.35"')
    out += k_glyph(15.5, 12, 0.92, WHITE)
    out += circle(37, 37, 6.5, AMBER, AMBER_DK, 1.2)
    out += rect(35.9, 35.6, 2.2, 5.4, WHITE, r=0.6)
    out += circle(37, 33.5, 1.3, WHITE)
    return out


LOGO_DEFS = lingrad("logo", "#4A9AE8", "#1C4F92")

ICONS = {
    "Tolvane2": (icon_tolvane2, BOOK_DEFS),
    "world3": (icon_world3, WORLD_DEFS),
    "prod3": (icon_prod3, ""),
    "phone2": (icon_phone2, PHONE_DEFS),
    "korvel6": (icon_korvel6, LOGO_DEFS),
    "sparam": (icon_sparam, ""),
    "vbias3": (icon_vbias3, ""),
    "ibias3": (icon_ibias3, ""),
    "lgsig2": (icon_lgsig2, ""),
    "smsig2": (icon_smsig2, ""),
    "fetbias": (icon_fetbias, ""),
    "Bias1a": (icon_bias1a, ""),
    "Bias2": (icon_bias2, ""),
    "Bias3": (icon_bias3, ""),
    "Bias4": (icon_bias4, ""),
    "Bias5a": (icon_bias5a, ""),
    "ampeff3": (icon_ampeff3, ""),
    "balun": (icon_balun, ""),
    "mstrip": (icon_mstrip, ""),
    "cpw-gnd1": (icon_cpw, ""),
    "strip": (icon_strip, ""),
    "parallel": (icon_parallel, ""),
    "wire-gnd": (icon_wire_gnd, ""),
    "coax-rnd": (icon_coax_rnd, ""),
    "coax-sqr": (icon_coax_sqr, ""),
    "trough": (icon_trough, ""),
    "slab": (icon_slab, ""),
    "rho2": (icon_rho2, ""),
    "cascade1": (icon_cascade1, ""),
    "SpurFind": (icon_spurfind, ""),
    "ip3": (icon_ip3, ""),
    "thermo": (icon_thermo, ""),
    "scroll": (icon_scroll, SCROLL_DEFS),
    "complex1": (icon_complex1, CALC_DEFS),
    "std-val": (icon_std_val, RESISTOR_DEFS),
    "const": (icon_const, ""),
}

# --- status lights ---------------------------------------------------------------------

STATUS = {
    # key: (light centre, body, rim)
    "grn": ("#9BF2AE", "#2DB150", "#17702F"),
    "yel": ("#FFF3A0", "#F2C400", "#A88400"),
    "red": ("#FFA497", "#E0352B", "#981A13"),
    "orn": ("#FFD08F", "#F08A1C", "#A95A06"),
    "blu": ("#A8D2FF", "#2F7FE0", "#1A4C91"),
}


def status_light(light, body, rim):
    defs = (f'<radialGradient id="lamp" cx="0.42" cy="0.38" r="0.62" fx="0.38" fy="0.32">'
            f'<stop offset="0" stop-color="{light}"/><stop offset="0.55" stop-color="{body}"/>'
            f'<stop offset="1" stop-color="{rim}"/></radialGradient>\n')
    body_svg = circle(8, 8, 6.6, "url(#lamp)", rim, 1.0)
    body_svg += f'<ellipse cx="6.6" cy="5.3" rx="3.1" ry="1.9" fill="#FFFFFF" fill-opacity="0.65"/>\n'
    return svg(body_svg, defs, size=16)


# --- application icon ------------------------------------------------------------------

def app_icon():
    defs = lingrad("bg", "#3B86D8", "#143A70")
    body = rect(2, 2, 44, 44, "url(#bg)", "#0F2D57", 1.0, r=10)
    g = ' stroke-opacity="0.22"'
    body += circle(24, 24, 17, "none", WHITE, 1.0, g)
    body += circle(32.5, 24, 8.5, "none", WHITE, 1.0, g)
    body += circle(28, 24, 13, "none", WHITE, 1.0, g)
    body += line(7, 24, 41, 24, WHITE, 1.0, g)
    body += path("M24 7 A17 17 0 0 0 41 24", stroke=WHITE, w=1.0, extra=g)
    body += path("M24 41 A17 17 0 0 1 41 24", stroke=WHITE, w=1.0, extra=g)
    body += k_glyph(13.5, 11.5, 1.15, WHITE)
    body += sine(8, 40, 39.5, 2.4, 2, AMBER, 2.0)
    return svg(body, defs)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "files")
    os.makedirs(os.path.join(out, "icons"), exist_ok=True)
    os.makedirs(os.path.join(out, "status"), exist_ok=True)
    for key, (fn, defs) in ICONS.items():
        with open(os.path.join(out, "icons", key + ".svg"), "w", encoding="utf-8") as fh:
            fh.write(svg(TILE + fn(), TILE_DEFS + defs))
    for key, colours in STATUS.items():
        with open(os.path.join(out, "status", key + ".svg"), "w", encoding="utf-8") as fh:
            fh.write(status_light(*colours))
    with open(os.path.join(out, "korvel.svg"), "w", encoding="utf-8") as fh:
        fh.write(app_icon())
    print(f"wrote {len(ICONS)} icons, {len(STATUS)} status lights and korvel.svg")


if __name__ == "__main__":
    main()
