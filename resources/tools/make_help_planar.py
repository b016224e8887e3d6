#!/usr/bin/env python3
"""Writes the help pages of the planar-line calculators (microstrip topic 2, coplanar
waveguide topic 7, stripline topic 11) and their cross-section pictures.

The pages share make_help.py's frame and style. Their worked examples are computed here by a
second, independent transcription of the three models with the program's constants, and are
checked against the values the windows show (the drive scripts pin the same numbers), so the
text cannot drift from the program.

Usage: python3 make_help_planar.py [OUTPUT_FOLDER]   (default: ../files beside this script)
"""
import math
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_help import C0, EPS0, MIL, MU0, PI, key, light, page, table  # noqa: E402

ETA0 = math.sqrt(MU0 / EPS0)


# --- the models ---------------------------------------------------------------------------

def coth(x):
    return (math.exp(x) + math.exp(-x)) / (math.exp(x) - math.exp(-x))


def z01(u):
    f = 6 + (2 * PI - 6) * math.exp(-(30.666 / u) ** 0.7528)
    return ETA0 / (2 * PI) * math.log(f / u + math.sqrt(1 + (2 / u) ** 2))


def microstrip(w, h, t, er, f):
    """Z0 and effective Er; lengths in metres, f in Hz."""
    u0 = w / h
    dw1 = dwr = 0.0
    if t > 0:
        dw1 = (t / PI) * math.log(4 * math.e / ((t / h) * coth(math.sqrt(6.517 * u0)) ** 2))
        dwr = 0.5 * (1 + 1 / math.cosh(math.sqrt(er - 1))) * dw1
    u1, u = (w + dw1) / h, (w + dwr) / h
    a = 1 + math.log((u ** 4 + (u / 52) ** 2) / (u ** 4 + 0.432)) / 49 + math.log(1 + (u / 18.1) ** 3) / 18.7
    b = 0.564 * ((er - 0.9) / (er + 3)) ** 0.053
    ee = (er + 1) / 2 + (er - 1) / 2 * (1 + 10 / u) ** (-a * b)
    z0s = z01(u) / math.sqrt(ee)
    fn = f * h * 1e-6
    p1 = 0.27488 + (0.6315 + 0.525 / (1 + 0.0157 * fn) ** 20) * u - 0.065683 * math.exp(-8.7513 * u)
    p2 = 0.33622 * (1 - math.exp(-0.03442 * er))
    p3 = 0.0363 * math.exp(-4.6 * u) * (1 - math.exp(-(fn / 38.7) ** 4.97))
    p4 = 1 + 2.751 * (1 - math.exp(-(er / 15.916) ** 8))
    p = p1 * p2 * ((0.1844 + p3 * p4) * fn) ** 1.5763
    ef = er - (er - ee) / (1 + p)
    r1 = 0.03891 * er ** 1.4
    r2 = 0.267 * u ** 7
    r3 = 4.766 * math.exp(-3.228 * u ** 0.641)
    r4 = 0.016 + (0.0514 * er) ** 4.524
    r5 = (fn / 28.843) ** 12
    r6 = 22.2 * u ** 1.92
    r7 = 1.206 - 0.3144 * math.exp(-r1) * (1 - math.exp(-r2))
    r8 = 1 + 1.275 * (1 - math.exp(-0.004625 * r3 * er ** 1.674 * (fn / 18.365) ** 2.745))
    r9 = (5.086 * r4 * (r5 / (0.3838 + 0.386 * r4)) * (math.exp(-r6) / (1 + 1.2992 * r5))
          * ((er - 1) ** 6 / (1 + 10 * (er - 1) ** 6)))
    r10 = 0.00044 * er ** 2.136 + 0.0184
    r11 = (fn / 19.47) ** 6 / (1 + 0.0962 * (fn / 19.47) ** 6)
    r12 = 1 / (1 + 0.00245 * u ** 2)
    r13 = 0.9408 * ef ** r8 - 0.9603
    r14 = (0.9408 - r9) * ee ** r8 - 0.9603
    r15 = 0.707 * r10 * (fn / 12.3) ** 1.097
    r16 = 1 + 0.0503 * er ** 2 * r11 * (1 - math.exp(-(u / 15) ** 6))
    r17 = r7 * (1 - 1.1241 * (r12 / r16) * math.exp(-0.026 * fn ** 1.15656 - r15))
    z0 = z0s * (r13 / r14) ** r17
    return z0, ef * (z01(u1) / z01(u)) ** 2


def stripline(w, h, t, er):
    r, tt = w / h, t / h
    m = 2 / (1 + (2 / 3) * tt / (1 - tt))
    dw = 0.0
    if tt > 0:
        dw = tt / (PI * (1 - tt)) * (1 - 0.5 * math.log((tt / (2 - tt)) ** 2 + 0.0796 * tt / (r + 1.1 * tt) ** m))
    k = w / (h - t) + dw
    a = 8 / (PI * k)
    return 30 / math.sqrt(er) * math.log(1 + 4 / (PI * k) * (a + math.sqrt(a * a + 6.27)))


def hilberg(q, qc, test):
    if test <= 0.707:
        return PI / math.log(2 * (1 + math.sqrt(qc)) / (1 - math.sqrt(qc)))
    return math.log(2 * (1 + math.sqrt(q)) / (1 - math.sqrt(q))) / PI


def cpw(w, g, t, h, er, ground):
    """Z0, effective Er and the shape factor ke."""
    k = w / (w + 2 * g)
    s = math.tanh if ground else math.sinh
    k1 = s(PI * w / (4 * h)) / s(PI * (w + 2 * g) / (4 * h))
    d = (1.25 * t / PI) * (1 + math.log(4 * PI * w / t))
    ke = (w + d) / (w + d + 2 * (g - d))
    kc, k1c, kec = (math.sqrt(1 - x * x) for x in (k, k1, ke))
    r0, r1, re = hilberg(k, kc, k), hilberg(k1, k1c, k1), hilberg(ke, kec, kec)
    e0 = (re + er * r1) / (re + r1) if ground else 1 + (er - 1) / 2 * r1 / r0
    eeff = e0 - (e0 - 1) / (w * r0 / (0.7 * t) + 1)
    z0 = 60 * PI / (math.sqrt(eeff) * (re + r1)) if ground else 30 * PI / (math.sqrt(eeff) * re)
    return z0, eeff, ke


def wave(eeff, f_hz, length_m):
    vf = 1 / math.sqrt(eeff)
    wl = C0 / f_hz * vf
    frac = length_m / wl
    return vf, wl, frac, 360 * frac


# --- cross-section pictures (240 x 160) ---------------------------------------------------

INK = "#23364D"
SVG_HEAD = ('<?xml version="1.0" encoding="UTF-8"?>\n'
            '<svg xmlns="http://www.w3.org/2000/svg" version="1.2" baseProfile="tiny" '
            'width="240" height="160" viewBox="0 0 240 160">\n')


def label(x, y, text, size=13, colour=INK, bold=True):
    weight = ' font-weight="bold"' if bold else ""
    return (f'<text x="{x}" y="{y}" font-family="DejaVu Sans, sans-serif" font-size="{size}"'
            f'{weight} text-anchor="middle" fill="{colour}">{text}</text>\n')


def arrow_h(x1, x2, y):
    out = f'<line x1="{x1}" y1="{y}" x2="{x2}" y2="{y}" stroke="{INK}" stroke-width="1.2"/>\n'
    out += f'<polygon points="{x1},{y} {x1 + 5},{y - 2.5} {x1 + 5},{y + 2.5}" fill="{INK}"/>\n'
    out += f'<polygon points="{x2},{y} {x2 - 5},{y - 2.5} {x2 - 5},{y + 2.5}" fill="{INK}"/>\n'
    return out


def arrow_v(x, y1, y2):
    out = f'<line x1="{x}" y1="{y1}" x2="{x}" y2="{y2}" stroke="{INK}" stroke-width="1.2"/>\n'
    out += f'<polygon points="{x},{y1} {x - 2.5},{y1 + 5} {x + 2.5},{y1 + 5}" fill="{INK}"/>\n'
    out += f'<polygon points="{x},{y2} {x - 2.5},{y2 - 5} {x + 2.5},{y2 - 5}" fill="{INK}"/>\n'
    return out


def extension(x, y1, y2):
    return (f'<line x1="{x}" y1="{y1}" x2="{x}" y2="{y2}" stroke="{INK}" stroke-width="0.7" '
            'stroke-dasharray="3,2"/>\n')


def metal(x, y, w, h):
    return f'<rect x="{x}" y="{y}" width="{w}" height="{h}" fill="#9AA8B8" stroke="#56677C" stroke-width="1"/>\n'


def strip(x, y, w, h):
    return f'<rect x="{x}" y="{y}" width="{w}" height="{h}" fill="#E39A3B" stroke="#A8621A" stroke-width="1"/>\n'


def substrate(x, y, w, h):
    return f'<rect x="{x}" y="{y}" width="{w}" height="{h}" fill="#CFEBDD" stroke="none"/>\n'


def note(x, y, text):
    return label(x, y, text, 11, "#5B6E86", False)


def microstrip_svg():
    top, bottom = 66, 126
    s = substrate(40, top, 180, bottom - top) + metal(40, bottom, 180, 10)
    s += strip(105, top - 8, 50, 8)
    s += extension(105, top - 8, 30) + extension(155, top - 8, 30)
    s += arrow_h(105, 155, 34) + label(130, 24, "W")
    s += arrow_v(26, top, bottom) + label(14, (top + bottom) / 2 + 5, "H")
    s += label(168, top - 1, "T", 12)
    s += label(130, 101, "Er", 12, "#3F7F50", False)
    s += note(130, 154, "ground plane")
    return SVG_HEAD + s + "</svg>\n"


def stripline_svg():
    top, bottom = 24, 130
    mid = (top + bottom) / 2
    s = metal(40, top - 10, 180, 10) + metal(40, bottom, 180, 10) + substrate(40, top, 180, bottom - top)
    s += strip(105, mid - 4, 50, 8)
    s += arrow_h(105, 155, mid - 20) + label(130, mid - 27, "W")
    s += arrow_v(26, top, bottom) + label(14, mid + 5, "H")
    s += label(168, mid + 5, "T", 12)
    s += label(130, mid + 32, "Er", 12, "#3F7F50", False)
    s += note(130, 156, "two ground planes")
    return SVG_HEAD + s + "</svg>\n"


def cpw_svg():
    top, bottom = 72, 124
    left, right, gap = 110, 150, 20
    s = substrate(40, top, 180, bottom - top) + metal(40, bottom, 180, 10)
    s += metal(40, top - 7, left - gap - 40, 7) + metal(right + gap, top - 7, 220 - right - gap, 7)
    s += strip(left, top - 7, right - left, 7)
    for x in (left - gap, left, right):
        s += extension(x, top - 7, 28)
    s += arrow_h(left, right, 32) + label((left + right) / 2, 22, "W")
    s += arrow_h(left - gap, left, 50) + label(left - gap / 2, 44, "G", 12)
    s += arrow_v(26, top, bottom) + label(14, (top + bottom) / 2 + 5, "H")
    s += label(206, top - 12, "T", 12)
    s += label(130, (top + bottom) / 2 + 6, "Er", 12, "#3F7F50", False)
    s += note(130, 152, "optional ground plane")
    return SVG_HEAD + s + "</svg>\n"


# --- the pages ----------------------------------------------------------------------------

def rules_table(rows):
    return table(["Condition", "Status bar", ""], [(c, t, light(k, "")) for c, t, k in rows],
                 ["190", "", "24"])


def intro(svg, alt, paragraphs):
    b = ['<table cellspacing="0" cellpadding="6"><tr><td valign="top">'
         f'<img src="{svg}" width="240" height="160" alt="{alt}"></td><td valign="top">']
    b += [f"<p>{p}</p>" for p in paragraphs]
    b.append("</td></tr></table>")
    return b


WAVE_NOTE = ("Velocity, wavelength and electrical length follow from the effective dielectric "
             "constant: Vp = 1 / &radic;Eeff (fraction of c), &lambda; = c &middot; Vp / f, and the "
             "electrical length is 360&deg; &middot; length / &lambda;.")

def menus(finds, extra=""):
    """The Menus section; `finds` says what Synthesize Width solves for, `extra` adds to it."""
    return ("<h2>Menus</h2><p><b>Calculate &gt; Calculate ZO</b> does the same as the button and "
            + key("F4") + ". <b>Calculate &gt; Synthesize Width</b> does the same as the "
            "<b>Synthesize W</b> button and " + key("F3") + ": it finds " + finds + " that "
            "gives the <b>Target Z0</b> with the other inputs, writes it into Width in the "
            "chosen length unit and calculates again, so that Z0 shows the target." + extra
            + " A target that " + ("nothing" if "gap" in finds else "no width") + " from 0.001 "
            "to 1000 times H reaches is refused, with the range of Z0 the line can reach. The "
            "table and the plot items are not available. <b>Select Parameters</b> opens the "
            "dielectric and unit lists. <b>File &gt; Return to Main Menu</b> (" + key("F8")
            + ") closes the window.</p><p>See also: <a href=\"topic1.html\">Korvel Help</a> for "
            "the conventions shared by all calculator windows.</p>")


def topic2():
    z_def, e_def = microstrip(12 * MIL, 6 * MIL, 2.1 * MIL, 1, 1e9)
    z_t0, _ = microstrip(12 * MIL, 6 * MIL, 0, 1, 1e9)
    z_fr4, e_fr4 = microstrip(23 * MIL, 12.5 * MIL, 1.4 * MIL, 4.6, 1e9)
    vf, wl, frac, deg = wave(e_fr4, 1e9, 1000 * MIL)
    z_hi, e_hi = microstrip(23 * MIL, 12.5 * MIL, 1.4 * MIL, 4.6, 20e9)
    # The windows show exactly these (tests/drive/microstrip_worked).
    assert f"{z_def:.2f}" == "80.42" and f"{z_t0:.2f}" == "89.03", (z_def, z_t0)
    assert f"{z_fr4:.2f}" == "48.52" and f"{e_fr4:.3f}" == "3.362", (z_fr4, e_fr4)
    assert f"{wl / MIL:.3f}" == "6437.460" and f"{deg:.1f}" == "55.9", (wl, deg)

    b = intro("microstrip-dims.svg", "Microstrip cross-section", [
        "The <b>Microstrip</b> calculator works on a strip of width <b>W</b> and thickness "
        "<b>T</b> on a dielectric substrate of height <b>H</b> and relative dielectric "
        "constant <b>Er</b>, with a ground plane under the substrate.",
        "From the dimensions and the frequency it finds the characteristic impedance Z0 and "
        "the effective dielectric constant (<b>Calculate Z0</b>, " + key("F4") + "), and from "
        "them the propagation velocity, the wavelength on the line and the electrical length "
        "of the length you enter.",
        "Open it from the catalogue: <b>Passive Circuits &gt; Microstrip</b>."])
    b.append("<h2><a name='model'></a>The model</h2>")
    b.append("<p>Part of the field runs in the substrate and part in the air above it, so the "
             "wave sees an <i>effective</i> dielectric constant between 1 and Er. The calculator "
             "uses three closed-form models, each fitted to accurate field solutions:</p>")
    b.append("<ul><li><b>Static impedance and effective Er</b>: Hammerstad and Jensen (1980). "
             "The strip of finite thickness is replaced by a wider strip of no thickness: it "
             "widens by &Delta;W1 = (T/&pi;) ln(4e / ((T/H) coth&sup2;&radic;(6.517 W/H))) in air, "
             "and by &frac12;(1 + 1/cosh&radic;(Er&minus;1)) times that in the substrate. Their accuracy against field solutions is better than 0.2 % for "
             "0.01 &le; W/H &le; 100 and Er up to 128.</li>"
             "<li><b>Dispersion of the effective Er</b>: Kirschning and Jansen (1982). As the "
             "frequency rises the field draws into the substrate and Eeff climbs towards Er; "
             "the fit is within 0.6 % up to f&middot;H = 25 GHz&middot;mm for Er from 1 to 20 "
             "and W/H from 0.1 to 100.</li>"
             "<li><b>Dispersion of the impedance</b>: Jansen and Kirschning (1983), over the "
             "same range.</li></ul>")
    b.append(f'<p class="formula">&nbsp;&nbsp;&nbsp;Z0(u) in air = (&eta;0 / 2&pi;) ln( F(u)/u + '
             f'&radic;(1 + (2/u)&sup2;) ), &nbsp; F(u) = 6 + (2&pi; &minus; 6) exp(&minus;(30.666/u)'
             '<sup>0.7528</sup>)</p>')
    b.append(f"<p>{WAVE_NOTE} Loss is not calculated.</p>")
    b.append("<h2><a name='inputs'></a>Inputs</h2>")
    b.append(table(["Box", "Meaning", "Default", "Allowed"], [
        ("Width (W)", "Strip width", "12 mils", "greater than 0; W/H from 0.001 to 1000"),
        ("Height (H)", "Substrate height", "6 mils", "greater than 0"),
        ("Thickness (T)", "Strip thickness", "2.1 mils", "0 or more (0 is a strip of no thickness)"),
        ("Length", "Physical length of the line", "1000 mils", "greater than 0"),
        ("Freq", "Operating frequency", "1 GHz", "greater than 0"),
        ("Er", "Substrate dielectric constant, from the Dielectric list (132 substrates) or "
               "typed after choosing <i>-&gt; Enter custom Er value</i>", "1 (Free Space)", "1 to 1000"),
    ], ["100", "", "90", "170"]))
    b.append("<h2><a name='results'></a>Results</h2>")
    b.append(table(["Result", "Shown as"], [
        ("Z0", "ohm, two decimals (whole ohms above 1000 ohm)"),
        ("Eeff", "effective dielectric constant at the frequency, three decimals"),
        ("Vp", "fraction of the speed of light, three decimals"),
        ("W/H", "width over height as typed, three decimals"),
        ("1.0 Wavelength", "in the window's length unit, three decimals"),
        ("Length", "in wavelengths, three decimals"),
        ("Elect Length", "degrees with one decimal, or radians with two"),
    ], ["170", ""]))
    b.append("<h2><a name='warnings'></a>Accuracy and warnings</h2>")
    b.append(rules_table([
        ("W/H from 0.05 to 20, Er up to 50", "Normal", "grn"),
        ("W/H below 0.05 or above 20", "Very high or very low Width/Height ratio may affect accuracy", "yel"),
        ("W/H below 0.01 or above 100", "Extreme Width/Height ratio may impair accuracy", "red"),
        ("Er above 50", "High dielectric constant may affect accuracy", "yel"),
        ("Er above 200", "Extreme dielectric constant may impair accuracy", "red"),
    ]))
    b.append("<p>Later rows override earlier ones; the limits themselves count as inside (W/H of "
             "exactly 0.05 is Normal, exactly 0.01 is yellow). A combination so extreme that "
             "the formulas fail (for instance a strip far thicker than it is wide, whose "
             "thickness correction would make it narrower than nothing) is reported in red as "
             "<i>Unexpected math error (B01). Combination of Er and W/H out of range.</i></p>")
    b.append("<h2><a name='examples'></a>Worked examples</h2>")
    b.append("<h3>The defaults</h3>")
    b.append(f"<p>W = 12 mils, H = 6 mils, T = 2.1 mils in free space at 1 GHz: press {key('F4')}. "
             f"Z0 = <b>{z_def:.2f} ohm</b>, Eeff = {e_def:.3f}, Vp = 1.000, W/H = 2.000. With "
             f"T = 0 the strip is narrower in effect and Z0 rises to <b>{z_t0:.2f} ohm</b>.</p>")
    b.append("<h3>Fifty ohms on FR-4</h3>")
    b.append("<p>Choose <i>FR-4</i> in the Dielectric list (Er = 4.6), type W = 23, H = 12.5 and "
             f"T = 1.4 (mils) and press {key('F4')}:</p>")
    b.append(table(["Result", "Value"], [
        ("Z0", f"{z_fr4:.2f} ohm"), ("Eeff", f"{e_fr4:.3f}"), ("Vp", f"{vf:.3f}"),
        ("W/H", f"{23 / 12.5:.3f}"), ("1.0 Wavelength", f"{wl / MIL:.3f} mil"),
        ("Length", f"{frac:.3f} wavelength"), ("Elect Length", f"{deg:.1f} degrees"),
    ], ["130", ""]))
    b.append(f"<p>At 20 GHz the same line has Eeff = {e_hi:.3f} and Z0 = {z_hi:.2f} ohm: "
             "dispersion.</p>")
    b.append(menus("the width", " For 50 ohm on 1.6 mm FR-4 (Er 4.4 custom, T = 0.035 mm) "
                   "it gives W = 3.01482 mm."))
    return page("Microstrip", "\n".join(b), icon="../icons/mstrip.svg")


def topic11():
    z_def = stripline(3 * MIL, 7 * MIL, 0.01 * MIL, 1)
    z_t0 = stripline(3 * MIL, 7 * MIL, 0, 1)
    z_22 = stripline(95 * MIL, 125 * MIL, 1.4 * MIL, 2.2)
    assert f"{z_def:.1f}" == "108.6" and f"{z_t0:.1f}" == "109.0", (z_def, z_t0)
    assert f"{z_22:.1f}" == "51.8", z_22
    vf, wl, frac, deg = wave(2.2, 1e9, 1000 * MIL)

    b = intro("stripline-dims.svg", "Stripline cross-section", [
        "The <b>Stripline</b> calculator works on a strip of width <b>W</b> and thickness "
        "<b>T</b> centred between two ground planes <b>H</b> apart, the whole space filled "
        "with one dielectric of relative dielectric constant <b>Er</b>.",
        "It finds the characteristic impedance (<b>Calculate Z0</b>, " + key("F4") + "), the "
        "propagation velocity, the wavelength on the line and the electrical length of the "
        "length you enter.",
        "Open it from the catalogue: <b>Passive Circuits &gt; Stripline</b>."])
    b.append("<h2><a name='model'></a>The model</h2>")
    b.append("<p>Because one dielectric fills the whole cross-section, the wave is TEM: the "
             "effective dielectric constant is Er itself at every frequency and there is no "
             "dispersion. The impedance is Wheeler's closed form. A strip of thickness T "
             "behaves like a wider strip of no thickness, its width over the reduced spacing "
             "H &minus; T increased by</p>")
    b.append('<p class="formula">&nbsp;&nbsp;&nbsp;&Delta;W = t / (&pi;(1 &minus; t)) &middot; '
             '(1 &minus; &frac12; ln( (t/(2 &minus; t))&sup2; + 0.0796 t / (W/H + 1.1 t)<sup>m</sup> )), '
             '&nbsp; t = T/H, &nbsp; m = 2 / (1 + &#8532; t/(1 &minus; t))</p>')
    b.append('<p class="formula">&nbsp;&nbsp;&nbsp;k = W/(H &minus; T) + &Delta;W, &nbsp; '
             'Z0 = (30/&radic;Er) ln( 1 + (4/&pi;k) ( 8/&pi;k + &radic;((8/&pi;k)&sup2; + 6.27) ) )</p>')
    b.append("<p>For a strip of no thickness Wheeler's form is within about 0.5 % of the exact "
             "conformal-map value 30&pi;/&radic;Er &middot; K(k')/K(k), k = sech(&pi;W/2H), over "
             "the usual range of widths; the thickness correction assumes T/H well below "
             "0.25. " + WAVE_NOTE + " Loss is not calculated.</p>")
    b.append("<h2><a name='inputs'></a>Inputs</h2>")
    b.append(table(["Box", "Meaning", "Default", "Allowed"], [
        ("Width (W)", "Strip width", "3 mils", "greater than 0; W/H from 0.001 to 1000"),
        ("Height (H)", "Spacing of the two ground planes", "7 mils", "greater than 0"),
        ("Thickness (T)", "Strip thickness", "0.01 mils", "0 or more; T/H up to 0.99"),
        ("Length", "Physical length of the line", "1000 mils", "greater than 0"),
        ("Freq", "Operating frequency", "1 GHz", "greater than 0"),
        ("Er", "Dielectric constant, from the Dielectric list or typed after choosing "
               "<i>-&gt; Enter custom Er value</i>", "1 (Free Space)", "1 to 1000"),
    ], ["100", "", "90", "170"]))
    b.append("<h2><a name='results'></a>Results</h2>")
    b.append(table(["Result", "Shown as"], [
        ("Z0", "ohm, one decimal"),
        ("Eeff", "equal to Er, two decimals"),
        ("Vp", "1/&radic;Er, fraction of the speed of light, three decimals"),
        ("W/H", "three decimals"),
        ("1.0 Wavelength, Length, Elect Length", "as in the other line calculators"),
    ], ["220", ""]))
    b.append("<h2><a name='warnings'></a>Accuracy and warnings</h2>")
    b.append(rules_table([
        ("W/H from 0.05 to 0.5, T/H up to 0.25", "Normal", "grn"),
        ("W/H below 0.05 or above 0.5", "Very high or very low Width/Height ratio may affect accuracy", "yel"),
        ("W/H below 0.01 or above 5", "Extreme Width/Height ratio may impair accuracy", "red"),
        ("T/H above 0.25", "High T/H ratio may affect accuracy", "yel"),
    ]))
    b.append("<p>Later rows override earlier ones and the limits count as inside. There is no "
             "warning on the dielectric constant here.</p>")
    b.append("<h2><a name='examples'></a>Worked examples</h2>")
    b.append(f"<p>The defaults (W = 3 mils, H = 7 mils, T = 0.01 mils, free space, 1 GHz) give "
             f"Z0 = <b>{z_def:.1f} ohm</b>; with T = 0, {z_t0:.1f} ohm.</p>")
    b.append("<p>Choose <i>RT/duroid&reg; 5880</i> (Er = 2.2) and type W = 95, H = 125, "
             f"T = 1.4 (mils): Z0 = <b>{z_22:.1f} ohm</b>, Eeff = 2.20, Vp = {vf:.3f}, one "
             f"wavelength at 1 GHz = {wl / MIL:.3f} mil. W/H = 0.760 is above 0.5, so the "
             "status bar shows the yellow width warning.</p>")
    b.append(menus("the width"))
    return page("Stripline", "\n".join(b), icon="../icons/strip.svg")


def topic7():
    z_g, e_g, ke = cpw(10 * MIL, 5 * MIL, 0.1 * MIL, 25 * MIL, 1, True)
    z_o, e_o, _ = cpw(10 * MIL, 5 * MIL, 0.1 * MIL, 25 * MIL, 1, False)
    mm = 1e-3
    z_fr, e_fr, ke_fr = cpw(0.5 * mm, 0.3 * mm, 0.035 * mm, 0.8 * mm, 4.4, False)
    z_frg, e_frg, _ = cpw(0.5 * mm, 0.3 * mm, 0.035 * mm, 0.8 * mm, 4.4, True)
    # The windows show exactly these (tests/drive/cpw_worked).
    assert f"{z_g:.1f}" == "115.7" and f"{z_o:.1f}" == "117.2" and f"{ke:.3f}" == "0.525", (z_g, z_o, ke)
    assert f"{z_fr:.1f}" == "69.9" and f"{e_fr:.2f}" == "2.48" and f"{z_frg:.1f}" == "68.6", (z_fr, e_fr, z_frg)

    b = intro("cpw-dims.svg", "Coplanar waveguide cross-section", [
        "The <b>Coplanar Waveguide</b> calculator works on a centre strip of width <b>W</b> "
        "with a ground conductor on each side a gap <b>G</b> away, all of thickness <b>T</b>, "
        "on a substrate of height <b>H</b> and dielectric constant <b>Er</b>, either alone "
        "(<i>No Groundplane</i>) or with a ground plane under the substrate (<i>With "
        "Groundplane</i>, the default).",
        "It finds Z0, the effective dielectric constant and the shape factor (<b>Calculate "
        "Z0</b>, " + key("F4") + "), with the velocity, wavelength and electrical length.",
        "Open it from the catalogue: <b>Passive Circuits &gt; Coplanar Waveguide</b>."])
    b.append("<h2><a name='model'></a>The model</h2>")
    b.append("<p>Conformal mapping turns the cross-section into parallel-plate capacitors; "
             "each capacitance is a ratio of complete elliptic integrals K(k)/K(k') of a "
             "modulus fixed by the geometry:</p>")
    b.append('<p class="formula">&nbsp;&nbsp;&nbsp;k = W / (W + 2G), &nbsp; k1 = s(&pi;W/4H) / '
             's(&pi;(W + 2G)/4H)</p>')
    b.append("<p>with s = sinh for the substrate alone and s = tanh with the lower ground "
             "plane. The ratios are taken from Hilberg's closed forms, accurate to a few parts "
             "per million. Conductors of thickness T widen the strip and narrow each gap by "
             "d = (1.25T/&pi;)(1 + ln(4&pi;W/T)), giving the shape factor ke = (W + d) / (W + d "
             "+ 2(G &minus; d)), and move some field into the air of the gaps:</p>")
    b.append('<p class="formula">&nbsp;&nbsp;&nbsp;Eeff = e0 &minus; (e0 &minus; 1) / '
             '( W&middot;K(k)/K(k\') / 0.7T + 1 )</p>')
    b.append('<p class="formula">&nbsp;&nbsp;&nbsp;no ground plane: e0 = 1 + (Er &minus; 1)/2 '
             '&middot; R1/R0, &nbsp; Z0 = 30&pi; / (&radic;Eeff &middot; Re)<br>'
             '&nbsp;&nbsp;&nbsp;with ground plane: e0 = (Re + Er R1)/(Re + R1), &nbsp; '
             'Z0 = 60&pi; / (&radic;Eeff &middot; (Re + R1))</p>')
    b.append("<p>where R0, R1 and Re are K/K' of k, k1 and ke. There is no dispersion: the "
             "frequency sets only the wavelength. The thickness correction is a strong one: "
             "for thick conductors in narrow gaps this calculator gives a few per cent less "
             "impedance than tools with a milder correction (see the example below). "
             + WAVE_NOTE + "</p>")
    b.append("<h2><a name='inputs'></a>Inputs</h2>")
    b.append(table(["Box", "Meaning", "Default", "Allowed"], [
        ("Gap (G)", "Spacing between the centre strip and each ground", "5 mils", "greater than 0"),
        ("Width (W)", "Centre strip width", "10 mils", "greater than 0"),
        ("Thickness (T)", "Conductor thickness", "0.1 mils", "greater than 0"),
        ("Height (H)", "Substrate height", "25 mils", "greater than 0"),
        ("Length", "Physical length of the line", "1000 mils", "greater than 0"),
        ("Freq", "Operating frequency", "1 GHz", "greater than 0"),
        ("Er", "Substrate dielectric constant", "1 (Free Space)", "1 to 1000"),
    ], ["100", "", "90", "130"]))
    b.append("<h2><a name='results'></a>Results and messages</h2>")
    b.append(table(["Result", "Shown as"], [
        ("Z0", "ohm, one decimal"), ("Eeff", "two decimals"),
        ("Vp", "fraction of the speed of light, three decimals"),
        ("Shape factor", "the thickness-corrected modulus ke, three decimals"),
        ("1.0 Wavelength, Length, Elect Length", "as in the other line calculators"),
    ], ["220", ""]))
    b.append("<p>This calculator has no accuracy warnings; the status bar shows "
             + light("grn", "Normal") + ". When a modulus leaves the range 0 to 1 (for "
             "instance a gap narrower than the thickness allowance d) a message says "
             "<i>Width, Gap, Height, Thickness, or Er out of range.</i> and Z0 is shown as 0. "
             "A substrate so thin against the strip that the arithmetic overflows is reported "
             "in red as an unexpected math error.</p>")
    b.append("<h2><a name='examples'></a>Worked examples</h2>")
    b.append(f"<p>The defaults (G = 5, W = 10, T = 0.1, H = 25 mils, free space, 1 GHz): with "
             f"the ground plane Z0 = <b>{z_g:.1f} ohm</b>, without it {z_o:.1f} ohm; Eeff = "
             f"1.00 and the shape factor {ke:.3f} in both.</p>")
    b.append("<p>An FR-4 type board without lower ground: Er = 4.4 (custom), lengths in mm: "
             f"G = 0.3, W = 0.5, T = 0.035, H = 0.8, at 1 GHz. Z0 = <b>{z_fr:.1f} ohm</b>, Eeff = "
             f"{e_fr:.2f}, shape factor {ke_fr:.3f}. With the ground plane 0.8 mm below, Z0 falls "
             f"to {z_frg:.1f} ohm. (Tools with a milder thickness correction publish 72.3 ohm "
             "for the open line; for T = 0 the conformal map alone gives about 79 ohm.)</p>")
    b.append(menus("the width for the gap typed", " With <b>Gap</b> chosen beside the button "
                   "(which then reads <b>Synthesize G</b>) it finds the gap for the width typed "
                   "instead."))
    return page("Coplanar Waveguide", "\n".join(b), icon="../icons/cpw-gnd1.svg")


FILES = {"topic2.html": topic2, "topic7.html": topic7, "topic11.html": topic11,
         "microstrip-dims.svg": microstrip_svg, "stripline-dims.svg": stripline_svg,
         "cpw-dims.svg": cpw_svg}


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "files")
    folder = os.path.join(out, "help")
    os.makedirs(folder, exist_ok=True)
    for name, make in FILES.items():
        with open(os.path.join(folder, name), "w", encoding="utf-8") as fh:
            fh.write(make())
    print("wrote", ", ".join(FILES))


if __name__ == "__main__":
    main()
