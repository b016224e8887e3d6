#!/usr/bin/env python3
"""Writes the help pages of the five other TEM-line calculators (square coax, slab line,
trough line, parallel wires, wire over ground) and their cross-section pictures.

The pages share make_help.py's frame, style and constants. Their worked examples are
computed here with the program's constants and checked against the values the windows show,
so the text cannot drift from the program.

Usage: python3 make_help_temlines.py [OUTPUT_FOLDER]   (default: ../files beside this script)
"""
import math
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_help import E, EPS0, MU0, PI, key, light, line_outputs, page, table  # noqa: E402

UNIT = (1 / (2 * PI)) * math.sqrt(MU0 / EPS0)   # eta0 / 2 pi, 59.9585 ohm


def z0_of(weight, argument, er):
    return weight * UNIT * math.log(argument) * er ** -0.5


def argument_of(weight, z0, er):
    return E ** (er ** 0.5 * (2 * PI / weight) * z0 * math.sqrt(EPS0 / MU0))


# --- cross-section pictures (180 x 180, the style of coax-dims.svg) ----------------------

SVG_HEAD = ('<?xml version="1.0" encoding="UTF-8"?>\n'
            '<svg xmlns="http://www.w3.org/2000/svg" version="1.2" baseProfile="tiny" '
            'width="180" height="180" viewBox="0 0 180 180">\n')
INK = "#23364D"


def label(x, y, text, size=13, colour=INK, bold=True):
    weight = ' font-weight="bold"' if bold else ""
    return (f'<text x="{x}" y="{y}" font-family="DejaVu Sans, sans-serif" font-size="{size}"'
            f'{weight} text-anchor="middle" fill="{colour}">{text}</text>\n')


def arrow_h(x1, x2, y, ticks=False):
    """A horizontal dimension line with arrow heads pointing outwards to x1 and x2."""
    out = f'<line x1="{x1}" y1="{y}" x2="{x2}" y2="{y}" stroke="{INK}" stroke-width="1.4"/>\n'
    out += f'<polygon points="{x1},{y} {x1 + 6},{y - 3} {x1 + 6},{y + 3}" fill="{INK}"/>\n'
    out += f'<polygon points="{x2},{y} {x2 - 6},{y - 3} {x2 - 6},{y + 3}" fill="{INK}"/>\n'
    if ticks:
        for x in (x1, x2):
            out += f'<line x1="{x}" y1="{y - 8}" x2="{x}" y2="{y + 8}" stroke="{INK}" stroke-width="1"/>\n'
    return out


def arrow_v(x, y1, y2, ticks=False):
    """A vertical dimension line with arrow heads pointing outwards to y1 and y2."""
    out = f'<line x1="{x}" y1="{y1}" x2="{x}" y2="{y2}" stroke="{INK}" stroke-width="1.4"/>\n'
    out += f'<polygon points="{x},{y1} {x - 3},{y1 + 6} {x + 3},{y1 + 6}" fill="{INK}"/>\n'
    out += f'<polygon points="{x},{y2} {x - 3},{y2 - 6} {x + 3},{y2 - 6}" fill="{INK}"/>\n'
    if ticks:
        for y in (y1, y2):
            out += f'<line x1="{x - 8}" y1="{y}" x2="{x + 8}" y2="{y}" stroke="{INK}" stroke-width="1"/>\n'
    return out


def rod(cx, cy, r):
    return (f'<circle cx="{cx}" cy="{cy}" r="{r}" fill="#E39A3B" stroke="#A8621A" '
            f'stroke-width="1.5"/>\n')


def metal_rect(x, y, w, h):
    return (f'<rect x="{x}" y="{y}" width="{w}" height="{h}" fill="#9AA8B8" stroke="#56677C" '
            f'stroke-width="1.5"/>\n')


def dielectric_rect(x, y, w, h):
    return f'<rect x="{x}" y="{y}" width="{w}" height="{h}" fill="#CFEBDD" stroke="none"/>\n'


def sqrcoax_svg():
    s = metal_rect(28, 22, 124, 124)
    s += dielectric_rect(36, 30, 108, 108)
    s += rod(90, 84, 22)
    s += arrow_h(68, 112, 84) + label(90, 56, "D2")
    s += arrow_h(36, 144, 160, ticks=True) + label(90, 176, "D1")
    s += label(90, 126, "Er", 12, "#3F7F50", False)
    return SVG_HEAD + s + "</svg>\n"


def slab_svg():
    s = metal_rect(14, 18, 126, 10) + metal_rect(14, 140, 126, 10)
    s += dielectric_rect(14, 28, 126, 112)
    s += rod(77, 84, 22)
    s += arrow_h(55, 99, 84) + label(77, 56, "D2")
    s += arrow_v(158, 28, 140, ticks=True) + label(170, 89, "D1")
    s += label(77, 126, "Er", 12, "#3F7F50", False)
    return SVG_HEAD + s + "</svg>\n"


def trough_svg():
    s = metal_rect(28, 30, 10, 118) + metal_rect(142, 30, 10, 118) + metal_rect(28, 138, 124, 10)
    s += dielectric_rect(38, 30, 104, 108)
    s += rod(90, 84, 22)
    s += arrow_h(68, 112, 84) + label(90, 56, "D2")
    s += arrow_h(38, 142, 162, ticks=True) + label(90, 178, "D1")
    s += label(90, 126, "Er", 12, "#3F7F50", False)
    s += label(90, 20, "open", 11, "#5B6E86", False)
    return SVG_HEAD + s + "</svg>\n"


def parallel_svg():
    s = dielectric_rect(8, 40, 164, 88)
    s += rod(50, 84, 18) + rod(130, 84, 18)
    s += f'<line x1="50" y1="84" x2="50" y2="150" stroke="{INK}" stroke-width="1" stroke-dasharray="3,3"/>\n'
    s += f'<line x1="130" y1="84" x2="130" y2="150" stroke="{INK}" stroke-width="1" stroke-dasharray="3,3"/>\n'
    s += arrow_h(50, 130, 150) + label(90, 168, "S")
    s += arrow_h(32, 68, 84) + label(50, 32, "D")
    s += label(90, 120, "Er", 12, "#3F7F50", False)
    return SVG_HEAD + s + "</svg>\n"


def wire_gnd_svg():
    s = dielectric_rect(14, 30, 152, 114)
    s += metal_rect(14, 144, 152, 12)
    s += rod(80, 72, 16)
    s += arrow_h(64, 96, 72) + label(80, 48, "D")
    s += f'<line x1="80" y1="72" x2="150" y2="72" stroke="{INK}" stroke-width="1" stroke-dasharray="3,3"/>\n'
    s += arrow_v(144, 72, 144) + label(158, 113, "S")
    s += label(80, 126, "Er", 12, "#3F7F50", False)
    s += label(90, 174, "ground plane", 11, "#5B6E86", False)
    return SVG_HEAD + s + "</svg>\n"


# --- the pages ---------------------------------------------------------------------------

RESULTS = table(["Result", "Shown as"], [
    ("Z0", "ohm, one decimal (two below 1 ohm)"),
    ("D1/D2", "three decimals"),
    ("Vp", "fraction of the speed of light, three decimals"),
    ("1.0 Wavelength", "in the window's length unit, three decimals"),
    ("Length in wavelengths", "three decimals"),
    ("Elect Length", "degrees with one decimal, or radians with two"),
], ["170", ""])

SCREEN_RULES = [
    ("D1/D2 from 1.28 to 12.2", "Normal", "grn"),
    ("D1/D2 below 1.28 or above 12.2", "High or near unity D1/D2 ratio ratio may affect accuracy", "yel"),
    ("D1/D2 below 1.09 or above 106", "Extremely high or near unity D1/D2 ratio ratio may impair accuracy", "red"),
    ("Er above 50", "High dielectric constant may affect accuracy", "yel"),
    ("Er above 200", "Extreme dielectric constant may impair accuracy", "red"),
]
SCREEN_SYNTH_RULES = [
    ("Z0 from 15 to 150 ohm", "Normal", "grn"),
    ("Z0 below 15 or above 150 ohm", "High or low Z0 may affect accuracy", "yel"),
    ("Z0 below 5 or above 280 ohm", "Extremely high or low Z0 may impair accuracy", "red"),
    ("Er above 50", "High dielectric constant may affect accuracy", "yel"),
    ("Er above 200", "Extreme dielectric constant may impair accuracy", "red"),
]
WIRE_RULES = [
    ("S/D 5 or more", "Normal", "grn"),
    ("S/D below 5", "Low S/D ratio ratio may affect accuracy", "yel"),
    ("S/D below 2", "Near unity D1/D2 ratio ratio may impair accuracy", "red"),
]
WIRE_SYNTH_RULES = [
    ("Z0 100 ohm or more", "Normal", "grn"),
    ("Z0 below 100 ohm", "Low Z0 may affect accuracy", "yel"),
    ("Z0 below 50 ohm", "Extremely low Z0 may impair accuracy", "red"),
]


def rules_table(rows):
    return table(["Condition", "Status bar", ""], [(c, t, light(k, "")) for c, t, k in rows],
                 ["190", "", "24"])


def status_of(value, rules):
    """The last rule that applies, as the window leaves it in the status bar, with its light."""
    shown = light("grn", "Normal")
    for test, text, colour in rules:
        if test(value):
            shown = light(colour, text)
    return shown


def screened_rod_page(p):
    """Square coax, slab line and trough line: a round rod in a screen that is not round."""
    a = p["A"]
    z = z0_of(1, a * 100 / 43, 1)
    vf, wl, frac, deg = line_outputs(1, 1e9, 1000)
    er, z_want = p["synth_er"], p["synth_z0"]
    ratio = argument_of(1, z_want, er) / a
    d2 = 100 / ratio
    vf2, wl2, frac2, deg2 = line_outputs(er, 1e9, 1000)
    # The worked examples as the window shows them (checked by the drive scripts too).
    assert f"{z:.1f}" == p["z_default"], z
    assert f"{d2:.3f}" == p["d2_synth"], d2

    b = ['<table cellspacing="0" cellpadding="6"><tr><td valign="top">'
         f'<img src="{p["svg"]}" width="180" height="180" alt="{p["title"]} cross-section">'
         '</td><td valign="top">']
    b.append(f"<p>The <b>{p['title']}</b> calculator works on {p['what']}</p>")
    b.append("<p>It finds the characteristic impedance from the dimensions (<b>Calculate Z0</b>, "
             + key("F4") + "), or the diameter D2 of the centre conductor that gives a wanted "
             "impedance in a given D1 (<b>Calculate D2</b>, " + key("F3") + "). Both also give "
             "the propagation velocity, the wavelength in the line and the electrical length "
             "of the length you enter at the frequency you enter.</p>")
    b.append(f"<p>Open it from the catalogue: <b>Passive Circuits &gt; {p['entry']}</b>.</p>")
    b.append("</td></tr></table>")

    b.append("<h2><a name='model'></a>The model</h2>")
    b.append(f"<p>{p['model']} The line is taken as TEM and lossless, filled with one uniform "
             "dielectric:</p>")
    b.append(f'<p class="formula">&nbsp;&nbsp;&nbsp;Z0 = (&eta;0 / 2&pi;) &middot; ln({p["A_text"]} '
             f'&middot; D1/D2) / &radic;Er &nbsp;= &nbsp;{UNIT:.4f} / &radic;Er &middot; '
             f'ln({p["A_text"]} &middot; D1/D2) &nbsp;ohm</p>')
    b.append("<p>Synthesis uses the exact inverse, so a D2 found by Calculate D2 gives back "
             "the same Z0 in Calculate Z0:</p>")
    b.append(f'<p class="formula">&nbsp;&nbsp;&nbsp;D1/D2 = exp( Z0 &middot; &radic;Er / {UNIT:.4f} ) '
             f'/ {p["A_text"]} &nbsp;&nbsp;&nbsp; D2 = D1 / (D1/D2)</p>')
    b.append(f"<p>{p['accuracy']} Velocity, wavelength and electrical length depend on the "
             "dielectric alone, as in the <a href=\"topic24.html#model\">Round Coax</a>.</p>")

    b.append("<h2><a name='inputs'></a>Inputs</h2>")
    b.append(table(["Box", "Meaning", "Default", "Allowed"], [
        ("D1", p["d1_meaning"], "100 mils", "greater than 0"),
        ("D2", "Diameter of the centre conductor; written by Calculate D2", "43 mils",
         "greater than 0; D2/D1 from 0.001 to 0.999"),
        ("Length", "Physical length of the line", "1000 mils", "greater than 0"),
        ("Frequency", "Operating frequency", "1 GHz", "greater than 0"),
        ("Er", "Relative dielectric constant (from the Dielectric list, or typed after "
               "choosing <i>-&gt; Enter custom Er value</i>)", "1 (Free Space)", "1 to 1200"),
        ("Z0", "Characteristic impedance: the result of Calculate Z0, the input of "
               "Calculate D2", "", f"{p['z0_range']} ohm (Calculate D2)"),
    ], ["90", "", "90", "150"]))
    b.append(f"<p>The lowest impedance Calculate D2 accepts, {p['z0_range'].split(' to ')[0]} ohm, "
             f"is just above {UNIT:.3f} &times; ln({p['A_text']}) = {UNIT * math.log(a):.2f} ohm, "
             "where the formula's centre conductor would fill the outer one.</p>")

    b.append("<h2><a name='results'></a>Results</h2>")
    b.append(RESULTS)
    b.append("<h2><a name='warnings'></a>Accuracy and warnings</h2>")
    b.append("<p>After Calculate Z0 the status bar judges the ratio D1/D2 and the dielectric:</p>")
    b.append(rules_table(SCREEN_RULES))
    b.append("<p>After Calculate D2 it judges the impedance and the dielectric:</p>")
    b.append(rules_table(SCREEN_SYNTH_RULES))
    b.append("<p>Later rows override earlier ones. The limits themselves count as inside: a "
             "ratio of exactly 1.28 is Normal, and exactly 1.09 gives the yellow warning, not "
             "the red one.</p>")

    b.append("<h2><a name='examples'></a>Worked examples</h2>")
    b.append("<h3>Impedance from the dimensions</h3>")
    b.append("<p>With the window's defaults (D1 = 100 mils, D2 = 43 mils, free space, 1 GHz, "
             "a length of 1000 mils) press " + key("F4") + ":</p>")
    b.append(table(["Result", "Value", "Why"], [
        ("D1/D2", f"{100 / 43:.3f}", "100 / 43"),
        ("Z0", f"{z:.1f} ohm", f"{UNIT:.4f} &times; ln({p['A_text']} &times; {100 / 43:.5f}) = {z:.3f}"),
        ("Vp", f"{vf:.3f}", "free space"),
        ("1.0 Wavelength", f"{wl:.3f} mil", "299.792458 mm at 1 GHz, in mils"),
        ("Elect Length", f"{deg:.1f} degrees", f"360 &times; 1000 / {wl:.3f}"),
    ], ["130", "140", ""]))
    b.append("<p>The status bar shows " + light("grn", "Normal") + ".</p>")
    b.append(f"<h3>Centre conductor for {z_want:g} ohm</h3>")
    b.append(f"<p>{p['synth_how']} keep D1 = 100 mils, type {z_want:g} as Z0 and press "
             + key("F3") + ":</p>")
    b.append(table(["Result", "Value"], [
        ("D1/D2", f"{ratio:.3f}"),
        ("D2", f"{d2:.3f} mil"),
        ("Vp", f"{vf2:.3f}"),
        ("1.0 Wavelength", f"{wl2:.3f} mil"),
        ("Elect Length", f"{deg2:.1f} degrees"),
    ], ["130", ""]))
    b.append(f"<p>Pressing {key('F4')} now gives back Z0 = {z_want:.1f} ohm.</p>")
    if p.get("extra"):
        b.append(p["extra"])
    b.append(MENUS.format(synth="Calculate D2"))
    return page(p["title"], "\n".join(b), f"../icons/{p['icon']}.svg")


def wire_page(p):
    """Parallel wires and wire over ground."""
    w = 2 * p["B"]
    s, d = p["S"], p["D"]
    z = z0_of(w, 2 * s / d - 1, 1)
    vf, wl, frac, deg = line_outputs(1, 1e9, 1000)
    er, z_want, d_keep = p["synth_er"], p["synth_z0"], p["synth_d"]
    s_found = d_keep / 2 + d_keep / 2 * argument_of(w, z_want, er)
    vf2, wl2, frac2, deg2 = line_outputs(er, 1e9, 1000)
    assert f"{z:.1f}" == p["z_default"], z
    assert f"{s_found:.3f}" == p["s_synth"], s_found
    wire_rules = [(lambda x: x < 5, "Low S/D ratio ratio may affect accuracy", "yel"),
                  (lambda x: x < 2, "Near unity D1/D2 ratio ratio may impair accuracy", "red")]
    z_rules = [(lambda x: x < 100, "Low Z0 may affect accuracy", "yel"),
               (lambda x: x < 50, "Extremely low Z0 may impair accuracy", "red")]
    synth = p["synth_caption"].split("  ")[0]   # the button's caption without its key

    b = ['<table cellspacing="0" cellpadding="6"><tr><td valign="top">'
         f'<img src="{p["svg"]}" width="180" height="180" alt="{p["title"]} cross-section">'
         '</td><td valign="top">']
    b.append(f"<p>The <b>{p['title']}</b> calculator works on {p['what']}</p>")
    b.append("<p>It finds the characteristic impedance from S and D (<b>Calculate Z0</b>, "
             + key("F4") + "), or the " + p["s_word"] + " S that gives a wanted impedance with "
             "a given wire (<b>" + synth + "</b>, " + key("F3") + "). Both also "
             "give the propagation velocity, the wavelength in the line and the electrical "
             "length of the length you enter at the frequency you enter." + p.get("synth_note", "")
             + "</p>")
    b.append(f"<p>Open it from the catalogue: <b>Passive Circuits &gt; {p['entry']}</b>.</p>")
    b.append("</td></tr></table>")

    b.append("<h2><a name='model'></a>The model</h2>")
    b.append(f"<p>{p['model']}</p>")
    b.append(f'<p class="formula">&nbsp;&nbsp;&nbsp;Z0 = ({p["B_text"]} / &pi;) &middot; &eta;0 &middot; '
             f'ln( (S &minus; D/2) / (D/2) ) / &radic;Er &nbsp;= &nbsp;{w * UNIT:.3f} / &radic;Er '
             f'&middot; ln(2 S/D &minus; 1) &nbsp;ohm</p>')
    b.append("<p>(S &minus; D/2)/(D/2) is the distance from the surface of one wire to the "
             "centre of the other, counted in wire radii. Synthesis uses the exact inverse:</p>")
    b.append(f'<p class="formula">&nbsp;&nbsp;&nbsp;S = D/2 + (D/2) &middot; exp( Z0 &middot; '
             f'&radic;Er / {w * UNIT:.3f} )</p>')
    b.append("<p>For wires far apart this agrees with the exact impedance, which follows "
             "arcosh(S/D): 0.1 % low at S/D = 100. As the wires close in, their charge crowds "
             "onto the facing sides and the formula reads low, about 4 % at S/D = 5 and 17 % at "
             "S/D = 2; hence the warnings below. The wire is taken to lie wholly in one uniform "
             "dielectric" + p["dielectric_note"] + ".</p>")

    b.append("<h2><a name='inputs'></a>Inputs</h2>")
    b.append(table(["Box", "Meaning", "Default", "Allowed"], [
        ("S", p["s_meaning"], f"{s:g} mils", "greater than 0; written by " + synth),
        ("D", "Wire diameter", f"{d:g} mils", "greater than 0; S/D from 1 to 1001"),
        ("Length", "Physical length of the line", "1000 mils", "greater than 0"),
        ("Frequency", "Operating frequency", "1 GHz", "greater than 0"),
        ("Er", "Relative dielectric constant (from the Dielectric list, or typed after "
               "choosing <i>-&gt; Enter custom Er value</i>)", "1 (Free Space)", "1 to 1000"),
        ("Z0", "Characteristic impedance: the result of Calculate Z0, the input of "
               + synth, "", "15 to 910 ohm (" + synth + ")"),
    ], ["90", "", "90", "150"]))
    b.append("<p>An S below D/2 would put the logarithm's argument below zero; the ratio check "
             "refuses any S/D below 1 (and touching wires, S = D) before any arithmetic.</p>")

    b.append("<h2><a name='results'></a>Results</h2>")
    b.append(RESULTS.replace("<td valign=\"top\">D1/D2</td>", "<td valign=\"top\">S/D</td>"))
    b.append("<h2><a name='warnings'></a>Accuracy and warnings</h2>")
    b.append("<p>After Calculate Z0 the status bar judges S/D; a wide spacing is harmless, so "
             "only the close side is flagged:</p>")
    b.append(rules_table(WIRE_RULES))
    b.append("<p>After " + synth + " it judges the impedance, a low one meaning "
             "close wires:</p>")
    b.append(rules_table(WIRE_SYNTH_RULES))
    b.append("<p>The tests are strict: an S/D of exactly 5 is Normal and exactly 2 gives the "
             "yellow warning, not the red one. These windows give no dielectric warnings.</p>")

    b.append("<h2><a name='examples'></a>Worked examples</h2>")
    b.append("<h3>Impedance from the dimensions</h3>")
    b.append(f"<p>With the window's defaults (S = {s:g} mils, D = {d:g} mils, free space, 1 GHz, "
             "a length of 1000 mils) press " + key("F4") + ":</p>")
    b.append(table(["Result", "Value", "Why"], [
        ("S/D", f"{s / d:.3f}", f"{s:g} / {d:g}"),
        ("Z0", f"{z:.1f} ohm", f"{w * UNIT:.3f} &times; ln({2 * s / d - 1:.3f}) = {z:.3f}"),
        ("Vp", f"{vf:.3f}", "free space"),
        ("1.0 Wavelength", f"{wl:.3f} mil", "299.792458 mm at 1 GHz, in mils"),
        ("Elect Length", f"{deg:.1f} degrees", f"360 &times; 1000 / {wl:.3f}"),
    ], ["130", "140", ""]))
    b.append("<p>The status bar shows " + status_of(s / d, wire_rules) + ".</p>")
    b.append(f"<h3>{p['s_word'].capitalize()} for {z_want:g} ohm</h3>")
    b.append(f"<p>{p['synth_how']} type D = {d_keep:g} mils and Z0 = {z_want:g}, and press "
             + key("F3") + ":</p>")
    b.append(table(["Result", "Value"], [
        ("S", f"{s_found:.3f} mil"),
        ("S/D", f"{s_found / d_keep:.3f}"),
        ("Vp", f"{vf2:.3f}"),
        ("1.0 Wavelength", f"{wl2:.3f} mil"),
        ("Elect Length", f"{deg2:.1f} degrees"),
    ], ["130", ""]))
    b.append(f"<p>The status bar shows {status_of(z_want, z_rules)}. Pressing {key('F4')} now "
             f"gives back Z0 = {z_want:.1f} ohm.</p>")
    b.append(MENUS.format(synth=synth))
    return page(p["title"], "\n".join(b), f"../icons/{p['icon']}.svg")


MENUS = ("<h2>Menus</h2>\n<p><b>Calculate &gt; Calculate ZO</b> and the second item do the same "
         "as the buttons <b>Calculate Z0</b> and <b>{synth}</b>. <b>Select Parameters</b> opens "
         "the dielectric and unit lists. <b>File &gt; Return to Main Menu</b> (<span "
         "class=\"key\">&nbsp;F8&nbsp;</span>) closes the window; <b>File &gt; Exit Korvel</b> "
         "ends the program at once.</p>\n<p>See also: <a href=\"topic24.html\">Round Coax</a>, "
         "the first of these lines, and <a href=\"topic1.html\">Korvel Help</a> for the "
         "conventions shared by all calculator windows.</p>")

SCREENED = {
    "topic26.html": dict(
        title="Square Coax", entry="Coax (Square)", icon="coax-sqr", svg="sqrcoax-dims.svg",
        A=1.0787, A_text="1.0787",
        what="a round centre conductor of diameter <b>D2</b> in the middle of a square outer "
             "conductor of inside width <b>D1</b>, the space between them filled with one "
             "dielectric of relative permittivity <b>Er</b>.",
        model="Little of the field reaches into the corners of the square, so the line "
              "behaves like a round coax whose outer diameter is 1.0787 times the square's "
              "inside width.",
        accuracy="The formula is close to the exact impedance of the square line while the "
                 "centre conductor is well clear of the walls; as it nears them the field "
                 "crowds into the four narrow gaps and the ratio warnings mark where the "
                 "result becomes doubtful.",
        d1_meaning="Inside width of the square outer conductor",
        z0_range="5.1 to 415", z_default="55.1", synth_z0=50, synth_er=2.1, d2_synth="32.216",
        synth_how="Choose <i>PTFE (Teflon&trade;)</i> in the Dielectric list (Er = 2.1),"),
    "topic67.html": dict(
        title="Slab Line", entry="Slab Line", icon="slab", svg="slab-dims.svg",
        A=4 / PI, A_text="4/&pi;",
        what="a round conductor of diameter <b>D2</b> midway between two parallel ground "
             "planes a distance <b>D1</b> apart, the planes wide enough to be taken as "
             "infinite, in a dielectric of relative permittivity <b>Er</b>.",
        model="The images of the rod in the two planes give, for a rod that is thin against "
              "the spacing, the impedance of a round coax whose outer diameter is 4/&pi; times "
              "the spacing.",
        accuracy="The thin-rod formula holds while D2 is small against D1. As the rod fills "
                 "the gap, the true impedance falls towards zero while the formula stops at "
                 + f"{UNIT:.1f} &times; ln(4/&pi;) = {UNIT * math.log(4 / PI):.1f} ohm, so it "
                 "reads high there.",
        d1_meaning="Distance between the two ground planes",
        z0_range="15 to 427", z_default="65.1", synth_z0=50, synth_er=1, d2_synth="55.303",
        synth_how="In free space,",
        extra="<h3>A check of the constant</h3><p>With D1/D2 = &pi;/4 &middot; e = 2.1349 the "
              "logarithm is ln(e) = 1, so Z0 = " + f"{UNIT:.3f}" + " / &radic;Er: type D1 = "
              "2.1349336 and D2 = 1 and press " + key("F4") + " for 60.0 ohm in free space, or "
              "30.0 ohm with Er = 4.</p>"),
    "topic66.html": dict(
        title="Trough Line", entry="Trough Line", icon="trough", svg="trough-dims.svg",
        A=1.17, A_text="1.17",
        what="a round centre conductor of diameter <b>D2</b> in a trough of width <b>D1</b>, "
             "a channel with a floor and two walls, open at the top, filled with one "
             "dielectric of relative permittivity <b>Er</b>.",
        model="Open at one side, the trough holds less field than a closed square, and the "
              "line behaves like a round coax whose outer diameter is 1.17 times the trough's "
              "width.",
        accuracy="The formula holds while the centre conductor is small against the trough "
                 "and the trough is deep enough that the field does not reach its mouth; the "
                 "ratio warnings mark where it becomes doubtful.",
        d1_meaning="Inside width of the trough",
        z0_range="10 to 422", z_default="60.0", synth_z0=75, synth_er=1, d2_synth="33.492",
        synth_how="In free space,"),
}

WIRES = {
    "topic13.html": dict(
        title="Parallel Wires", entry="Parallel Line", icon="parallel", svg="parallel-dims.svg",
        B=1.0, B_text="1", S=100, D=15, s_word="spacing", synth_caption="Calculate D2  [F3]",
        synth_note=" The second button keeps the caption <b>Calculate D2</b> of the coax "
                   "windows; here it finds the spacing S.",
        what="a balanced line of two round wires of diameter <b>D</b> whose centres are "
             "<b>S</b> apart, in a dielectric of relative permittivity <b>Er</b>.",
        model="The two wires carry equal and opposite currents; their impedance is twice that "
              "of one wire over the plane midway between them:",
        s_meaning="Spacing between the wire centres",
        dielectric_note=" (a twin-lead whose field is partly in air has a lower effective Er)",
        z_default="301.3", synth_z0=300, synth_er=1, synth_d=15, s_synth="99.027",
        synth_how="In free space,"),
    "topic22.html": dict(
        title="Wire Over Ground", entry="Wire Over Groundplane", icon="wire-gnd",
        svg="wire-gnd-dims.svg", B=0.5, B_text="0.5", S=50, D=5, s_word="height",
        synth_caption="Calculate H  [F3]",
        what="one round wire of diameter <b>D</b> whose centre is at height <b>S</b> over a "
             "ground plane, in a dielectric of relative permittivity <b>Er</b>.",
        model="The plane acts as a mirror: the wire and its image form a pair of parallel "
              "wires 2S apart, and the wire sees half of that pair's impedance:",
        s_meaning="Height of the wire's centre over the ground plane",
        dielectric_note="",
        z_default="176.5", synth_z0=50, synth_er=2.1, synth_d=5, s_synth="10.871",
        synth_how="Choose <i>PTFE (Teflon&trade;)</i> in the Dielectric list (Er = 2.1),"),
}

PICTURES = {"sqrcoax-dims.svg": sqrcoax_svg, "slab-dims.svg": slab_svg,
            "trough-dims.svg": trough_svg, "parallel-dims.svg": parallel_svg,
            "wire-gnd-dims.svg": wire_gnd_svg}


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "files")
    folder = os.path.join(out, "help")
    os.makedirs(folder, exist_ok=True)
    files = {name: screened_rod_page(p) for name, p in SCREENED.items()}
    files.update({name: wire_page(p) for name, p in WIRES.items()})
    files.update({name: draw() for name, draw in PICTURES.items()})
    for name, text in files.items():
        with open(os.path.join(folder, name), "w", encoding="utf-8") as fh:
            fh.write(text)
    print("wrote", ", ".join(files))


if __name__ == "__main__":
    main()
