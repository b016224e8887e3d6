#!/usr/bin/env python3
"""Writes the help pages of the reflection calculator (topic 51) and the intercept point
window (topic 53), with their pictures.

The pages share make_help.py's frame and style. The numbers of the worked examples are
computed here with the formulas the windows use and written with the windows' formats, so
the text cannot drift from the program.

Usage: python3 make_help_reflection_ip3.py [OUTPUT_FOLDER]   (default: ../files beside this script)
"""
import math
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_help import key, light, page, table  # noqa: E402

INK = "#23364D"
BLUE = "#1F5FA6"
RED = "#C83C28"
GREEN = "#288C3C"


def log10(x):
    return math.log(x) / math.log(10.0)


def fmt(x, decimals):
    return f"{x:.{decimals}f}"


# --- reflection -----------------------------------------------------------------------------

def reflection_from_rho(rho, z0=50.0):
    """Every quantity of the reflection group from rho, as the window writes it."""
    t = 1 - rho * rho
    r = z0 * (1 + rho) / (1 - rho)
    return {
        "rho": fmt(rho, 3),
        "Zload": fmt(r, 3),
        "Yload": fmt(1 / r, 5),
        "SWR": fmt((1 + rho) / (1 - rho), 2),
        "RL": fmt(-20 * log10(rho), 3),
        "ML": fmt(-10 * log10(t), 3),
        "T": fmt(t, 3),
        "TdB": fmt(-10 * log10(t), 3),
    }


def line_svg():
    """A source, a line of impedance Z0 and a resistive load, with the incident, reflected
    and transmitted waves."""
    return f"""<?xml version="1.0" encoding="UTF-8"?>
<svg xmlns="http://www.w3.org/2000/svg" version="1.2" baseProfile="tiny" width="360" height="150" viewBox="0 0 360 150">
<rect x="0" y="0" width="360" height="150" fill="#FFFFFF"/>
<circle cx="36" cy="75" r="18" fill="none" stroke="{INK}" stroke-width="2"/>
<path d="M 26 75 Q 31 63 36 75 Q 41 87 46 75" fill="none" stroke="{INK}" stroke-width="2"/>
<line x1="36" y1="57" x2="36" y2="40" stroke="{INK}" stroke-width="2"/>
<line x1="36" y1="93" x2="36" y2="110" stroke="{INK}" stroke-width="2"/>
<line x1="36" y1="40" x2="80" y2="40" stroke="{INK}" stroke-width="2"/>
<line x1="36" y1="110" x2="80" y2="110" stroke="{INK}" stroke-width="2"/>
<rect x="80" y="34" width="180" height="12" fill="#DCE7F4" stroke="{INK}" stroke-width="1.5"/>
<rect x="80" y="104" width="180" height="12" fill="#DCE7F4" stroke="{INK}" stroke-width="1.5"/>
<text x="170" y="80" font-family="DejaVu Sans, sans-serif" font-size="14" font-weight="bold" text-anchor="middle" fill="{INK}">Z0</text>
<line x1="260" y1="40" x2="310" y2="40" stroke="{INK}" stroke-width="2"/>
<line x1="260" y1="110" x2="310" y2="110" stroke="{INK}" stroke-width="2"/>
<line x1="310" y1="40" x2="310" y2="52" stroke="{INK}" stroke-width="2"/>
<line x1="310" y1="98" x2="310" y2="110" stroke="{INK}" stroke-width="2"/>
<rect x="300" y="52" width="20" height="46" fill="#FFFFFF" stroke="{INK}" stroke-width="2"/>
<text x="336" y="80" font-family="DejaVu Sans, sans-serif" font-size="13" font-weight="bold" text-anchor="start" fill="{INK}">R</text>
<line x1="100" y1="20" x2="230" y2="20" stroke="{BLUE}" stroke-width="2"/>
<polygon points="230,15 240,20 230,25" fill="{BLUE}"/>
<text x="170" y="14" font-family="DejaVu Sans, sans-serif" font-size="11" text-anchor="middle" fill="{BLUE}">incident</text>
<line x1="110" y1="132" x2="240" y2="132" stroke="{RED}" stroke-width="2"/>
<polygon points="110,127 100,132 110,137" fill="{RED}"/>
<text x="170" y="147" font-family="DejaVu Sans, sans-serif" font-size="11" text-anchor="middle" fill="{RED}">reflected: rho</text>
<line x1="272" y1="75" x2="292" y2="75" stroke="{GREEN}" stroke-width="2"/>
<polygon points="292,70 300,75 292,80" fill="{GREEN}"/>
<text x="282" y="66" font-family="DejaVu Sans, sans-serif" font-size="11" text-anchor="middle" fill="{GREEN}">T</text>
</svg>
"""


def topic51():
    a = reflection_from_rho(0.5)
    b = reflection_from_rho(1 / 3)
    rl20 = reflection_from_rho(0.1)
    pinc_dbm = 0.0
    p_w = 10 ** (pinc_dbm / 10) / 1000
    prefl = fmt(10 * log10(p_w * 0.25 * 1000), 3)
    ptran = fmt(10 * log10(p_w * 0.75 * 1000), 3)

    body = []
    body.append('<table cellspacing="0" cellpadding="6"><tr><td valign="top">'
                '<img src="reflection-line.svg" width="360" height="150" alt="Line and load"></td>'
                '<td valign="top">')
    body.append("<p>The <b>Reflection Calculator</b> converts between the equivalent ways of "
                "saying how well a load matches a line of reference impedance <b>Z0</b>: the "
                "magnitude of the reflection coefficient <b>rho</b>, the voltage standing-wave "
                "ratio, return loss, mismatch loss, the power transmission coefficient (as a "
                "ratio and in dB), and a purely resistive load given as a resistance or a "
                "conductance.</p>")
    body.append("<p>Every box is both an input and a result: type a value into any one of them "
                "and press " + key("Enter") + "; all the others follow. A second group splits a "
                "power into its incident, reflected and transmitted parts.</p>")
    body.append("<p>Open it from the catalogue: <b>Signals-Systems &gt; Reflection "
                "Calculator</b>.</p></td></tr></table>")

    body.append("<h2><a name='model'></a>The model</h2>")
    body.append("<p>All the quantities describe one number, the magnitude of the reflection "
                "coefficient, and are exact for a lossless line:</p>")
    body.append('<p class="formula">&nbsp;&nbsp;&nbsp;VSWR = (1 + rho) / (1 &minus; rho)'
                '<br>&nbsp;&nbsp;&nbsp;Return loss = &minus;20 log10(rho) &nbsp;dB'
                '<br>&nbsp;&nbsp;&nbsp;T = 1 &minus; rho&sup2;'
                '<br>&nbsp;&nbsp;&nbsp;Mismatch loss = T in dB = &minus;10 log10(1 &minus; rho&sup2;) &nbsp;dB'
                '<br>&nbsp;&nbsp;&nbsp;rho = |R &minus; Z0| / (R + Z0) &nbsp;&nbsp;&nbsp; G = 1 / R</p>')
    body.append("<p>A magnitude cannot tell a load below Z0 from one above it: from rho the "
                "window always gives the resistance at or above Z0, R = Z0 (1 + rho) / "
                "(1 &minus; rho). Enter a resistance below Z0 and the conductance beside it is "
                "1/R of what you typed; enter the conductance of that same load and the "
                "resistance shown is the one above Z0 with the same rho.</p>")
    body.append("<p>A change of Z0 is used from the next entry on; it recomputes nothing by "
                "itself. Z0 is checked when you leave its box or press " + key("Enter") +
                " in it.</p>")

    body.append("<h2><a name='inputs'></a>Boxes</h2>")
    body.append(table(
        ["Box", "Quantity", "Shown as", "Accepted when typed"],
        [("rho", "magnitude of the reflection coefficient", "0.000", "0 to 1"),
         ("VSWR", "voltage standing-wave ratio", "0.00", "1 or more"),
         ("Return Loss", "dB", "0.000", "above 0"),
         ("Mismatch Loss", "dB", "0.000", "above 0"),
         ("Transmission Coeff (T)", "power ratio 1 &minus; rho&sup2;", "0.000", "above 0, up to 1"),
         ("Transmission Coeff (T)", "the same in dB, as a loss", "0.000", "above 0"),
         ("Load Resistance", "ohms", "0.000", "0 or more"),
         ("Load Conductance", "siemens", "0.00000", "0 or more"),
         ("Reference Z0", "ohms; input only", "as typed", "above 0")],
        ["150", "", "80", "140"]))
    body.append("<p>A box that reaches infinity shows <b>Infinite</b>; the transmission loss "
                "of a total reflection shows <b>Undefined</b>. A short (load 0 ohm) or an open "
                "(conductance 0) writes the fixed texts of a total reflection.</p>")

    body.append("<h2><a name='power'></a>Power split</h2>")
    body.append("<p>Type the incident, reflected or transmitted power and press " + key("Enter") +
                ": the other two follow from the transmission coefficient T of the last "
                "reflection entry (a later change of rho does not update them). The unit list "
                "holds dBm, dBW, dBmV (referred to 75 ohm), pW, nW, uW, mW, W and kW; choosing a "
                "unit relabels the boxes without converting what they hold.</p>")
    body.append(table(
        ["Case", "What happens"],
        [("matched load (T = 1), logarithmic unit, incident power entered",
          "reflected power <b>Undefined</b>, transmitted power = the incident text"),
         ("total reflection (T = 0), logarithmic unit, reflected power entered",
          "transmitted power 0, incident power = the reflected text"),
         ("total reflection, transmitted power entered", "incident and reflected <b>Undefined</b>, "
          "with the yellow warning"),
         ("total reflection, incident power entered in a logarithmic unit",
          "the transmitted power of 0 W has no level in dB: the unit conversion reports a math "
          "error and the box shows 0.000"),
         ("matched load, reflected power entered in a linear unit",
          "no incident power can be found: the yellow warning, the other boxes unchanged")],
        ["300", ""]))
    body.append("<p>Linear powers are accepted from 0 to 1E+300, logarithmic ones from "
                "&minus;1000 to 1000.</p>")

    body.append("<h2><a name='warnings'></a>Status bar</h2>")
    body.append(table(
        ["Condition", "Status bar"],
        [("an ordinary result", light("grn", "Normal")),
         ("rho exactly 0 or 1, a short or an open, a load typed exactly as Z0, a power "
          "that cannot be found, or an arithmetic overflow",
          light("yel", "Mathematically correct but extreme values or undefined results."))],
        ["300", ""]))
    body.append("<p>Out-of-range entries are refused with a message and the box marked yellow; "
                "nothing else changes.</p>")

    body.append("<h2><a name='examples'></a>Worked examples</h2>")
    body.append("<h3>rho = 0.5 on a 50 ohm line</h3>")
    body.append("<p>With the defaults, press " + key("Enter") + " in the rho box:</p>")
    body.append(table(
        ["Result", "Value", "Why"],
        [("Load Resistance", a["Zload"] + " ohm", "50 &times; 1.5 / 0.5"),
         ("Load Conductance", a["Yload"] + " S", "1 / 150"),
         ("VSWR", a["SWR"], "1.5 / 0.5"),
         ("Return Loss", a["RL"] + " dB", "&minus;20 log10(0.5)"),
         ("Mismatch Loss", a["ML"] + " dB", "&minus;10 log10(0.75)"),
         ("Transmission Coeff", a["T"] + " = " + a["TdB"] + " dB", "1 &minus; 0.25")],
        ["140", "140", ""]))
    body.append(f"<p>Then press {key('Enter')} in Incident Power (0 dBm): the reflected power is "
                f"{prefl} dBm and the transmitted power {ptran} dBm, a quarter and three "
                "quarters of 1 mW.</p>")
    body.append("<h3>A 25 ohm load</h3>")
    body.append(f"<p>Type 25 as Load Resistance and press {key('Enter')}: rho = {b['rho']}, "
                f"Load Conductance 0.04000 S (1/25), VSWR {b['SWR']}, return loss {b['RL']} dB. "
                f"Type 0.04 as Load Conductance instead: rho is again {b['rho']}, but the "
                f"resistance shown is {b['Zload']} ohm, the load above Z0 that reflects as "
                "much.</p>")
    body.append("<h3>A 20 dB return loss</h3>")
    body.append(f"<p>rho = {rl20['rho']}, VSWR {rl20['SWR']}, mismatch loss {rl20['ML']} dB: "
                f"{rl20['T']} of the power reaches the load.</p>")
    body.append("<p>See also: <a href='topic1.html'>Korvel Help</a> for the conventions shared "
                "by all calculator windows.</p>")
    return page("Reflection Calculator", "\n".join(body), icon="../icons/rho2.svg")


# --- intercept point ----------------------------------------------------------------------

def ip3_svg():
    """The intercept diagram: output level against input level, slope 1 and slope 3."""
    # Axes: input -40..+20 dBm across 60..330 px; output -80..+40 across 200..20 px (G = 10).
    def X(x):
        return 60 + (x + 40) * (270 / 60)

    def Y(y):
        return 200 - (y + 80) * (180 / 120)

    g, iip3, tone = 10.0, 10.0, -10.0
    oip3 = iip3 + g
    lines = []
    lines.append(f'<rect x="60" y="20" width="270" height="180" fill="#FFFFFF" stroke="#A0A0A0"/>')
    for x in range(-40, 21, 10):
        lines.append(f'<line x1="{X(x):.1f}" y1="20" x2="{X(x):.1f}" y2="200" stroke="#E1E1E1"/>')
        lines.append(f'<text x="{X(x):.1f}" y="214" font-family="DejaVu Sans, sans-serif" '
                     f'font-size="10" text-anchor="middle" fill="{INK}">{x}</text>')
    for y in range(-80, 41, 20):
        lines.append(f'<line x1="60" y1="{Y(y):.1f}" x2="330" y2="{Y(y):.1f}" stroke="#E1E1E1"/>')
        lines.append(f'<text x="54" y="{Y(y) + 3:.1f}" font-family="DejaVu Sans, sans-serif" '
                     f'font-size="10" text-anchor="end" fill="{INK}">{y}</text>')
    # Fundamental from -40 to +20 dBm input; product clipped to the frame.
    lines.append(f'<line x1="{X(-40):.1f}" y1="{Y(-40 + g):.1f}" x2="{X(20):.1f}" y2="{Y(20 + g):.1f}" '
                 f'stroke="{BLUE}" stroke-width="2"/>')
    x_lo = (-80 - g + 2 * iip3) / 3
    x_hi = (40 - g + 2 * iip3) / 3
    lines.append(f'<line x1="{X(x_lo):.1f}" y1="{Y(-80):.1f}" x2="{X(x_hi):.1f}" y2="{Y(40):.1f}" '
                 f'stroke="{RED}" stroke-width="2"/>')
    lines.append(f'<line x1="{X(iip3):.1f}" y1="{Y(oip3):.1f}" x2="{X(iip3):.1f}" y2="200" '
                 f'stroke="#5A5A5A" stroke-dasharray="4,3"/>')
    lines.append(f'<line x1="60" y1="{Y(oip3):.1f}" x2="{X(iip3):.1f}" y2="{Y(oip3):.1f}" '
                 f'stroke="#5A5A5A" stroke-dasharray="4,3"/>')
    im = 3 * tone - 2 * iip3 + g
    lines.append(f'<line x1="{X(tone):.1f}" y1="{Y(tone + g):.1f}" x2="{X(tone):.1f}" y2="{Y(im):.1f}" '
                 f'stroke="{GREEN}" stroke-dasharray="2,2"/>')
    lines.append(f'<circle cx="{X(tone):.1f}" cy="{Y(tone + g):.1f}" r="4" fill="{BLUE}"/>')
    lines.append(f'<circle cx="{X(tone):.1f}" cy="{Y(im):.1f}" r="4" fill="{RED}"/>')
    lines.append(f'<circle cx="{X(iip3):.1f}" cy="{Y(oip3):.1f}" r="4" fill="#000000"/>')
    lines.append(f'<text x="{X(tone) + 6:.1f}" y="{(Y(tone + g) + Y(im)) / 2:.1f}" '
                 f'font-family="DejaVu Sans, sans-serif" font-size="10" fill="{GREEN}">40 dBc</text>')
    lines.append(f'<text x="{X(iip3) - 6:.1f}" y="{Y(oip3) - 8:.1f}" font-family="DejaVu Sans, sans-serif" '
                 f'font-size="10" text-anchor="end" fill="{INK}">IP3</text>')
    lines.append(f'<text x="66" y="34" font-family="DejaVu Sans, sans-serif" font-size="10" '
                 f'fill="{BLUE}">fundamental (1:1)</text>')
    lines.append(f'<text x="66" y="47" font-family="DejaVu Sans, sans-serif" font-size="10" '
                 f'fill="{RED}">3rd-order IM (3:1)</text>')
    lines.append(f'<text x="195" y="232" font-family="DejaVu Sans, sans-serif" font-size="11" '
                 f'text-anchor="middle" fill="{INK}">input tone level (dBm)</text>')
    lines.append(f'<text x="14" y="110" font-family="DejaVu Sans, sans-serif" font-size="11" '
                 f'text-anchor="middle" fill="{INK}" transform="rotate(-90 14 110)">output level (dBm)</text>')
    return ('<?xml version="1.0" encoding="UTF-8"?>\n'
            '<svg xmlns="http://www.w3.org/2000/svg" version="1.2" baseProfile="tiny" '
            'width="340" height="240" viewBox="0 0 340 240">\n'
            '<rect x="0" y="0" width="340" height="240" fill="#FFFFFF"/>\n'
            + "\n".join(lines) + "\n</svg>\n")


def plain(x):
    """A result as the window writes it: the number in full, no fixed format."""
    text = f"{x:.15g}"
    return text


def topic53():
    g, oip3, tone_out = 10.0, 20.0, 0.0
    im_out = 3 * tone_out - 2 * oip3
    iip3 = oip3 - g
    tone_in = tone_out - g
    im_in = im_out - g
    big_tone, big_ip3 = 30.0, 20.0
    big_im = 3 * big_tone - 2 * big_ip3

    body = []
    body.append('<table cellspacing="0" cellpadding="6"><tr><td valign="top">'
                '<img src="ip3-diagram.svg" width="340" height="240" alt="Intercept diagram"></td>'
                '<td valign="top">')
    body.append("<p>The <b>Intercept Point</b> window relates, for a device of gain <b>G</b> "
                "driven by two tones of equal level, the <b>third-order intercept point</b> "
                "(IP3), the <b>tone level</b> and the level of the <b>third-order "
                "intermodulation products</b> (at 2f1 &minus; f2 and 2f2 &minus; f1).</p>")
    body.append("<p>Choose which of the three to calculate, give the other two at the device "
                "input or output, and press " + key("F4") + " or <b>Calculate</b>. The result "
                "is shown at both input and output, and the values are drawn on the intercept "
                "diagram.</p>")
    body.append("<p>Open it from the catalogue: <b>Signals-Systems &gt; Intercept "
                "Point</b>.</p></td></tr></table>")

    body.append("<h2><a name='model'></a>The model</h2>")
    body.append("<p>Well below compression, each output tone rises 1 dB per dB of drive and "
                "each third-order product 3 dB per dB. On a dB scale both are straight lines; "
                "they meet, extended, at the intercept point. Any two of the three levels give "
                "the third (all output-referred, in dBm):</p>")
    body.append('<p class="formula">&nbsp;&nbsp;&nbsp;IM = 3 Psig &minus; 2 IP3'
                '<br>&nbsp;&nbsp;&nbsp;Psig = (2 IP3 + IM) / 3'
                '<br>&nbsp;&nbsp;&nbsp;IP3 = (3 Psig &minus; IM) / 2</p>')
    body.append("<p>Input- and output-referred levels differ by the gain: OIP3 = IIP3 + G, and "
                "likewise for the tones and the products. The products lie 2 (IP3 &minus; Psig) "
                "dB below the tones: every dB the tones drop buys 2 dB of distance.</p>")
    body.append("<p>The model is the small-signal asymptote. Near or above the 1 dB compression "
                "point (typically 10 dB under OIP3 for an amplifier) real products deviate "
                "from the slope of 3, and the window warns when the figures leave the region "
                "where the lines mean anything.</p>")

    body.append("<h2><a name='inputs'></a>Boxes</h2>")
    body.append(table(
        ["Row", "Input", "Output", "Meaning"],
        [("Gain", "G", "", "device gain, dB"),
         ("IP3", "IIP3", "OIP3", "third-order intercept, dBm"),
         ("Tone 1", "Psig in", "Psig out", "level of each of the two equal tones, dBm"),
         ("IM 1", "IM in", "IM out", "level of each third-order product, dBm"),
         ("Tone 2, IM 2", "", "", "the second tone and product: equal to the first, shown for "
          "reference")],
        ["90", "80", "80", ""]))
    body.append("<p>For each known quantity the <b>Given at</b> option picks the box you type "
                "into; the other box of the pair is written. The calculated quantity's boxes "
                "are both results. Every typed value is checked: filled, numeric, from "
                "&minus;300 to 300. Results are written in full, without rounding.</p>")
    body.append("<p>The diagram boxes show the intercept, the tone, the product (dBm) and the "
                "tone above the product (dBc), referred to the input or output as chosen under "
                "the diagram.</p>")

    body.append("<h2><a name='warnings'></a>Status bar</h2>")
    body.append(table(
        ["Condition", "Status bar"],
        [("tones below the intercept, products below the tones", light("grn", "Normal")),
         ("tone level above the intercept", light("yel", "Math correct but Signal level is &gt; "
                                                  "Intercept Point.")),
         ("product level not below the tone level", light("yel", "Math correct but IM level &gt; "
                                                          "Signal level."))],
        ["300", ""]))
    body.append("<p>When both apply the second one stays in the status bar. The results stay in "
                "place either way.</p>")

    body.append("<h2><a name='examples'></a>Worked examples</h2>")
    body.append("<h3>Product level of an amplifier</h3>")
    body.append(f"<p>G = {plain(g)} dB, OIP3 = +{plain(oip3)} dBm, tones {plain(tone_out)} dBm "
                f"at the output (the window's defaults), calculate <i>IM product level</i>:</p>")
    body.append(table(
        ["Result", "Value", "Why"],
        [("IM out", plain(im_out) + " dBm", f"3 &times; {plain(tone_out)} &minus; 2 &times; {plain(oip3)}"),
         ("IM in", plain(im_in) + " dBm", f"{plain(im_out)} &minus; {plain(g)}"),
         ("IIP3", plain(iip3) + " dBm", f"{plain(oip3)} &minus; {plain(g)}"),
         ("Tone in", plain(tone_in) + " dBm", f"{plain(tone_out)} &minus; {plain(g)}"),
         ("IM (dBc)", plain(tone_out - im_out) + " dBc", "2 &times; (IP3 &minus; Psig)")],
        ["110", "110", ""]))
    body.append(f"<p>Stated at the input instead (IIP3 {plain(iip3)} dBm, tones {plain(tone_in)} "
                f"dBm, both given at <i>Input</i>), the same device gives the same figures.</p>")
    body.append("<h3>Intercept from a measurement</h3>")
    body.append(f"<p>Tones of {plain(tone_in)} dBm at the input give products of {plain(im_in)} "
                f"dBm at the input: calculate <i>Intercept point</i> to find IIP3 = "
                f"{plain((3 * tone_in - im_in) / 2)} dBm, OIP3 = "
                f"{plain((3 * tone_in - im_in) / 2 + g)} dBm.</p>")
    body.append("<h3>Beyond the intercept</h3>")
    body.append(f"<p>Tones of {plain(big_tone)} dBm against an OIP3 of {plain(big_ip3)} dBm "
                f"give products of {plain(big_im)} dBm, stronger than the tones. Both warnings "
                "sound; the arithmetic is right but no device behaves like this.</p>")
    body.append("<p>See also: <a href='topic1.html'>Korvel Help</a> for the conventions shared "
                "by all calculator windows.</p>")
    return page("Intercept Point", "\n".join(body), icon="../icons/ip3.svg")


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "files")
    folder = os.path.join(out, "help")
    os.makedirs(folder, exist_ok=True)
    files = {
        "topic51.html": topic51(),
        "topic53.html": topic53(),
        "reflection-line.svg": line_svg(),
        "ip3-diagram.svg": ip3_svg(),
    }
    for name, text in files.items():
        with open(os.path.join(folder, name), "w", encoding="utf-8") as fh:
            fh.write(text)
    print("wrote", ", ".join(files))


if __name__ == "__main__":
    main()
