#!/usr/bin/env python3
"""Writes Korvel's help pages (help/topic<N>.html, help/topicindex.html) and their pictures.

The pages use only what the help viewer's rich-text engine renders well: headings,
paragraphs, lists, tables with cell padding, inline images and a small style block.
The numbers of the worked examples are computed here with the same constants the
calculator uses, so the text cannot drift from the program.

Usage: python3 make_help.py [OUTPUT_FOLDER]   (default: ../files beside this script)
"""
import html
import math
import os
import re
import sys

# The line calculators' constants, kept as the literals the program uses.
MU0 = 1.25663706143592e-6
EPS0 = 8.85418781761e-12
PI = 3.14159265358979
C0 = 299792458.0
E = 2.71828182845905
MIL = 25.4e-6

STYLE = """
body { font-family: "DejaVu Sans", "Noto Sans", sans-serif; font-size: 10pt; color: #23364D;
       background-color: #FFFFFF; }
h1 { font-size: 16pt; color: #FFFFFF; margin: 0px; }
h2 { font-size: 12.5pt; color: #1F5FA6; margin-top: 14px; margin-bottom: 4px; }
h3 { font-size: 10.5pt; color: #23364D; margin-top: 10px; margin-bottom: 2px; }
p { margin-top: 4px; margin-bottom: 6px; }
a { color: #1F6FC5; }
code { font-family: "DejaVu Sans Mono", monospace; color: #3B2A0E; }
.formula { font-family: "DejaVu Serif", serif; font-size: 11pt; color: #1C3557; }
.note { color: #5B6E86; }
.key { font-family: "DejaVu Sans Mono", monospace; font-weight: bold; background-color: #E6EDF6;
       color: #1C3557; }
th { background-color: #DCE7F4; color: #1C3557; text-align: left; }
"""


def page(title, body, icon="../korvel.svg"):
    nav = ('<a href="topic1.html">Contents</a> &nbsp;|&nbsp; '
           '<a href="topicindex.html">Index</a>')
    return f"""<!DOCTYPE html>
<html>
<head>
<meta charset="utf-8">
<title>{html.escape(title)}</title>
<style type="text/css">{STYLE}</style>
</head>
<body>
<table width="100%" cellspacing="0" cellpadding="8" bgcolor="#1F5FA6">
<tr><td width="40" valign="middle"><img src="{icon}" width="32" height="32" alt=""></td>
<td valign="middle"><h1>{html.escape(title)}</h1></td></tr>
</table>
<table width="100%" cellspacing="0" cellpadding="0" bgcolor="#F2B230"><tr><td height="3"></td></tr></table>
<p align="right" class="note">{nav}</p>
{body}
<hr>
<p class="note">Korvel RF design calculators &nbsp;&middot;&nbsp; {nav}</p>
</body>
</html>
"""


def table(header, rows, widths=None):
    out = ['<table cellspacing="0" cellpadding="4" border="1" style="border-collapse: collapse; '
           'border-color: #B8C7D9;" width="100%">']
    if header:
        cells = "".join(
            f'<th{" width=" + chr(34) + widths[i] + chr(34) if widths else ""}>{h}</th>'
            for i, h in enumerate(header))
        out.append(f"<tr>{cells}</tr>")
    for row in rows:
        out.append("<tr>" + "".join(f"<td valign=\"top\">{c}</td>" for c in row) + "</tr>")
    out.append("</table>")
    return "\n".join(out)


def key(k):
    return f'<span class="key">&nbsp;{k}&nbsp;</span>'


def light(k, label):
    return f'<img src="../status/{k}.svg" width="16" height="16" alt="{label}"> {label}'


def icon(k, size=32):
    return f'<img src="../icons/{k}.svg" width="{size}" height="{size}" alt="">'


# --- topic 1: contents ------------------------------------------------------------------

CATALOGUE = [
    ("Velmar", "Tolvane2",
     "Tolvane Guide, Design Data on the Web, Velmar RF Semiconductors, Contacting Velmar and "
     "About Korvel. These pages open over the catalogue, which stays in place."),
    ("Circuit Design", "sparam",
     "Everything S-Parameters: reads one- and two-port Touchstone files (.s1p, .s2p) into three "
     "data sets and shows gain, stability, matching and noise as text, tables and rectangular, "
     "polar and Smith charts."),
    ("Active Circuits", "Bias1a",
     "Voltage- and current-biased RFIC bias networks, large- and small-signal Schottky "
     "detectors, FET source-resistor bias, five bipolar transistor bias networks (base bias, "
     "collector feedback, V-FB/I-source, voltage feedback, emitter feedback) and amplifier "
     "efficiency."),
    ("Passive Circuits", "mstrip",
     "Balun, microstrip, coplanar waveguide, stripline, parallel line, wire over groundplane, "
     "round and square coax, trough line and slab line."),
    ("Signals-Systems", "rho2",
     "Reflection calculator, cascaded noise figure and gain (NoiseCalc), mixer spurs and "
     "intercept point."),
    ("Reliability", "thermo", "Device thermal calculator and the SPCS information pages."),
    ("Engr Tools", "complex1",
     "Complex math RF calculator (reverse Polish), standard component values and engineering "
     "constants."),
]


def topic1():
    b = []
    b.append("<p>Korvel is a suite of radio-frequency and microwave design calculators. Type "
             "plain numbers, choose their units, press a key, and read the result together "
             "with an indication of how far the model behind it can be trusted.</p>")
    b.append("<h2><a name='catalogue'></a>The catalogue</h2>")
    b.append("<p>The catalogue bar runs down the left edge of the main window. It holds the "
             "calculators in groups: click a group's caption to open the group, then click an "
             "icon to open that calculator. While a calculator is open the catalogue bar and "
             "the catalogue page step aside; <b>Main Menu</b>, the key " + key("F8") +
             " or <b>File &gt; Return to Main Menu</b> closes the calculator and brings them "
             "back. A calculator keeps nothing when it closes: the next opening starts from "
             "its default values.</p>")
    b.append(table(["", "Group", "What it holds"],
                   [(icon(k), f"<b>{g}</b>", t) for g, k, t in CATALOGUE], ["40", "120", ""]))
    b.append("<h2><a name='windows'></a>Calculator windows</h2>")
    b.append("<p>All calculators share one way of working.</p>")
    b.append("<h3><a name='units'></a>Inputs and units</h3>")
    b.append("<p>Every input box takes a plain number such as <code>100</code>, "
             "<code>0.43</code> or <code>2.5e-3</code>, without a unit. Its unit comes from "
             "the selector beside it: frequency in GHz, MHz, kHz or Hz, length in mils, "
             "inches, meters, cm, mm or um, angles in degrees or radians. Korvel converts "
             "everything to SI base units, calculates, and shows the results in the units "
             "you chose.</p>")
    b.append("<ul><li>Changing a unit does not recalculate: the results keep their values, in "
             "the old unit, until you calculate again.</li>"
             "<li>In an open list, " + key("Enter") + " takes the highlighted entry and " +
             key("Esc") + " puts back the entry that was selected when the list opened.</li>"
             "<li>When a list closes, the Calculate button has the focus, so " + key("Enter") +
             " calculates at once.</li>"
             "<li>The <b>Select Parameters</b> menu opens the dielectric, frequency, length "
             "and angle lists from the keyboard.</li>"
             "<li>Typing in a box only clears its yellow error marking; nothing is "
             "recalculated until you ask.</li></ul>")
    b.append("<h3><a name='keys'></a>Keys</h3>")
    b.append(table(["Key", "Action"], [
        (key("F4"), "The window's main calculation, for example <b>Calculate Z0</b> in the "
                    "line calculators."),
        (key("F3"), "The second calculation where the window has one, for example "
                    "<b>Calculate D2</b> or <b>Synthesize W</b>: the dimension that gives a "
                    "wanted impedance."),
        (key("F8"), "Close the calculator and return to the catalogue (<b>Main Menu</b>)."),
        (key("F1"), "Help for the window you are in; the window's own item in the Help menu "
                    "does the same."),
    ], ["60", ""]))
    b.append("<h3><a name='checks'></a>Checking the inputs</h3>")
    b.append("<p>Inputs are checked only when a calculation is asked for, one box after the "
             "other. The first box that is empty, not a number or out of range is marked "
             "yellow, a short sound plays and a message says what is wrong; the calculation "
             "stops and the previous results stay on screen.</p>")
    b.append("<h3><a name='status'></a>The status bar</h3>")
    b.append("<p>After every calculation the status bar at the bottom of the window says how "
             "far the result can be trusted:</p>")
    b.append(table(["Light", "Meaning"], [
        (light("grn", "Normal"), "The inputs lie where the model is accurate."),
        (light("yel", "Warning"), "The inputs are near the edge of the model's range; the "
                                  "result may be less accurate. A short sound plays."),
        (light("red", "Severe warning"), "The inputs are far outside the model's range, or "
                                         "the arithmetic could not be completed; treat the "
                                         "result with great care."),
    ], ["150", ""]))
    b.append("<p>A warning never withholds a result. The active-circuit windows use more "
             "panels: a yellow caution when the junction temperature passes the limit set in "
             "the preferences, an orange light for an operating-point warning (a transistor "
             "out of regulation, for example) and a red light with its own sound when a "
             "calculation fault was caught.</p>")
    b.append("<h3><a name='weblink'></a>The web link</h3>")
    b.append("<p>A moment after a calculator opens, a link to Velmar's design data appears "
             "near the bottom of the window. Click it to open the Velmar web pages in your "
             "browser (see <a href=\"topic5.html\">Velmar on the Web</a>). The link is hidden "
             "while the status bar shows a warning.</p>")
    b.append("<h2><a name='preferences'></a>Preferences</h2>")
    b.append("<p><b>Options &gt; Preferences ...</b> opens the preferences. Every change takes "
             "effect at once and lasts for the session; Korvel writes nothing to disk, so the "
             "next start begins with the defaults again.</p>")
    b.append(table(["Setting", "Default", "What it does"], [
        ("Tolerance", "5 %", "The standard-value series for component values: 0.1 % (E192), "
                             "1 % (E96), 5 % (E24), 10 % (E12) or 20 % (E6)."),
        ("Display", "Standard Value", "Show component values rounded to the nearest standard "
                                      "value (and use the rounded value afterwards), or show "
                                      "the exact value (Math Correct)."),
        ("Sound", "On", "The start-up chime, the group sound and the warning sounds."),
        ("Intelligent Format, Sig Figs", "On, 3", "The number of significant figures "
                                                  "preferred for results; with Intelligent "
                                                  "Format on, each window chooses its own "
                                                  "format."),
        ("System Z0 : Xc ratio", "200 : 1", "How small a bypass capacitor's reactance must be "
                                            "compared with the system impedance."),
        ("Device Max Temp Warning", "150 &deg;C", "The junction temperature above which the "
                                                  "active-circuit windows show a caution."),
    ], ["150", "90", ""]))
    b.append("<h2><a name='drive'></a>Drive mode</h2>")
    b.append("<p>For testing and for repeating a calculation exactly, Korvel can be run from a "
             "script instead of the mouse:</p>")
    b.append("<p><code>korvel --drive FILE</code></p>")
    b.append("<p>The script's commands are run against the real windows, and Korvel prints "
             "one JSON object per line with what happened, including the messages and sounds "
             "that would otherwise appear on screen. Use <code>-</code> as the file name to "
             "read the script from standard input. The exit status is 0, or 2 after an "
             "unknown window, control or command.</p>")
    b.append("<h2>More help</h2>")
    b.append("<ul><li><a href=\"topic24.html\">Round Coax</a>: impedance, velocity and "
             "electrical length of a coaxial line, and the inner diameter for a wanted "
             "impedance.</li>"
             "<li><a href=\"topic5.html\">Velmar on the Web</a>: application notes, models, "
             "design tips, data sheets and S-parameters.</li>"
             "<li><a href=\"topicindex.html\">Index</a> of all help topics.</li></ul>")
    return page("Korvel Help", "\n".join(b), "../icons/korvel6.svg")


# --- topic 5: Velmar on the Web -----------------------------------------------------------

def topic5():
    b = []
    b.append("<p>Velmar's web pages carry the design data that goes with its RF "
             "semiconductors. Korvel reaches them in three ways: the web link at the bottom of "
             "each calculator, the <b>Design Data on the Web</b> entry of the Velmar group in "
             "the catalogue, and <b>Help &gt; Velmar on the Web</b>. The pages open in your "
             "web browser.</p>")
    b.append(table(["What", "What you find there"], [
        ("<b>Application notes</b>", "Worked designs and measurements: biasing, matching, "
                                     "detectors, mixers, layout and thermal design."),
        ("<b>Models</b>", "Device models in S-parameter, equivalent-circuit, Spice and "
                          "circuit-simulator formats, ready to drop into a simulation."),
        ("<b>Design tips</b>", "Short notes on the pitfalls that cost a board spin: bypassing, "
                               "grounding, stability and bias-network choices."),
        ("<b>Data sheets</b>", "Electrical ratings, typical curves and package drawings for "
                               "every part, arranged by product category."),
        ("<b>S-parameters</b>", "Measured two-port data as Touchstone files, which the "
                                "<b>Everything S-Parameters</b> calculator reads directly."),
        ("<b>Reliability</b>", "Qualification and reliability literature, and the data "
                               "behind the thermal limits."),
    ], ["150", ""]))
    b.append("<h2><a name='using'></a>Using the data with Korvel</h2>")
    b.append("<ul><li>Save a Touchstone file (<code>.s1p</code> or <code>.s2p</code>) from the "
             "S-parameter pages and open it in <b>Everything S-Parameters</b> to see gain, "
             "stability and matching at your own frequencies.</li>"
             "<li>Take the diode parameters of a data sheet into the <b>Small Signal "
             "Detector</b> and <b>Large Signal Detector</b> calculators.</li>"
             "<li>Take the thermal resistance and the maximum junction temperature into the "
             "<b>Device Thermal Calculator</b>, and set the temperature limit in the "
             "preferences.</li></ul>")
    b.append("<p class=\"note\">Korvel itself works without a network connection; only the "
             "web pages need one.</p>")
    return page("Velmar on the Web", "\n".join(b), "../icons/world3.svg")


# --- topic 24: Round Coax -------------------------------------------------------------------

def coax_z0(ratio, er):
    return (1 / (2 * PI)) * math.sqrt(MU0 / EPS0) * math.log(ratio) * er ** -0.5


def coax_ratio(z0, er):
    return E ** (er ** 0.5 * (2 * PI) * z0 * math.sqrt(EPS0 / MU0))


def line_outputs(er, f_hz, length_mil):
    vf = 1 / er ** 0.5
    wl_mil = C0 / f_hz * vf / MIL
    frac = length_mil / wl_mil
    return vf, wl_mil, frac, 360 * frac


def topic24():
    k = (1 / (2 * PI)) * math.sqrt(MU0 / EPS0)
    z = coax_z0(100 / 43, 1)
    vf, wl, frac, deg = line_outputs(1, 1e9, 1000)
    r2 = coax_ratio(50, 2.1)
    d2 = 100 / r2
    vf2, wl2, frac2, deg2 = line_outputs(2.1, 1e9, 1000)
    # The worked examples must agree with the program's own results as it shows them.
    assert f"{z:.1f}" == "50.6" and f"{100 / 43:.3f}" == "2.326"
    assert f"{wl:.3f}" == "11802.853" and f"{frac:.3f}" == "0.085" and f"{deg:.1f}" == "30.5"
    assert f"{d2:.3f}" == "29.866"

    b = []
    b.append('<table cellspacing="0" cellpadding="6"><tr><td valign="top">'
             '<img src="coax-dims.svg" width="180" height="180" alt="Coax cross-section">'
             '</td><td valign="top">')
    b.append("<p>The <b>Round Coax</b> calculator works on a coaxial line: a round inner "
             "conductor of diameter <b>D2</b> centred in a round outer conductor of inside "
             "diameter <b>D1</b>, the space between them filled with one dielectric of "
             "relative permittivity <b>Er</b>.</p>")
    b.append("<p>It finds the characteristic impedance from the diameters "
             "(<b>Calculate Z0</b>, " + key("F4") + "), or the inner diameter that gives a "
             "wanted impedance (<b>Calculate D2</b>, " + key("F3") + "). Both also give the "
             "propagation velocity, the wavelength in the line and the electrical length of "
             "the length you enter at the frequency you enter.</p>")
    b.append("<p>Open it from the catalogue: <b>Passive Circuits &gt; Coax (Round)</b>.</p>")
    b.append("</td></tr></table>")

    b.append("<h2><a name='model'></a>The model</h2>")
    b.append("<p>The line is treated as an ideal TEM line: perfectly round, perfectly "
             "concentric conductors and a uniform, lossless dielectric. For that line the "
             "impedance is exact:</p>")
    b.append(f'<p class="formula">&nbsp;&nbsp;&nbsp;Z0 = (&eta;0 / 2&pi;) &middot; ln(D1/D2) / '
             f'&radic;Er &nbsp;= &nbsp;{k:.4f} / &radic;Er &middot; ln(D1/D2) &nbsp;ohm</p>')
    b.append("<p>where &eta;0 = &radic;(&mu;0/&epsilon;0) is the impedance of free space. "
             "Synthesis uses the exact inverse:</p>")
    b.append(f'<p class="formula">&nbsp;&nbsp;&nbsp;D1/D2 = exp( Z0 &middot; &radic;Er / '
             f'{k:.4f} ) &nbsp;&nbsp;&nbsp; D2 = D1 / (D1/D2)</p>')
    b.append("<p>The wave travels at a fraction of the speed of light set by the dielectric "
             "alone, and the wavelength and electrical length follow from it:</p>")
    b.append('<p class="formula">&nbsp;&nbsp;&nbsp;Vp = 1 / &radic;Er &nbsp;(fraction of c)'
             '<br>&nbsp;&nbsp;&nbsp;&lambda; = c &middot; Vp / f'
             '<br>&nbsp;&nbsp;&nbsp;electrical length = 360&deg; &middot; length / &lambda; '
             '&nbsp;= 2&pi; &middot; length / &lambda; rad</p>')
    b.append("<p>Loss is not calculated: the line is taken as lossless.</p>")

    b.append("<h2><a name='inputs'></a>Inputs</h2>")
    b.append(table(["Box", "Meaning", "Default", "Allowed"], [
        ("D1", "Outer conductor, inside diameter", "100 mils", "greater than 0"),
        ("D2", "Inner conductor diameter; written by Calculate D2", "43 mils",
         "greater than 0; D2/D1 from 0.001 to 0.999"),
        ("Length", "Physical length of the line", "1000 mils", "greater than 0"),
        ("Frequency", "Operating frequency", "1 GHz", "greater than 0"),
        ("Er", "Relative dielectric constant (from the Dielectric list, or typed after "
               "choosing <i>-&gt; Enter custom Er value</i>)", "1 (Free Space)", "1 to 1200"),
        ("Z0", "Characteristic impedance: the result of Calculate Z0, the input of "
               "Calculate D2", "", "0.2 to 413 ohm (Calculate D2)"),
    ], ["90", "", "90", "150"]))
    b.append("<p>D1, D2 and Length share the window's length unit; Frequency has its own "
             "unit list, and the electrical length is shown in degrees or radians. Because "
             "D2 must be the smaller diameter, two equal diameters are refused before any "
             "arithmetic is done.</p>")

    b.append("<h2><a name='results'></a>Results</h2>")
    b.append(table(["Result", "Shown as"], [
        ("Z0", "ohm, one decimal (two below 1 ohm)"),
        ("D1/D2", "three decimals"),
        ("Vp", "fraction of the speed of light, three decimals"),
        ("1.0 Wavelength", "in the window's length unit, three decimals"),
        ("Length in wavelengths", "three decimals"),
        ("Elect Length", "degrees with one decimal, or radians with two"),
    ], ["170", ""]))

    b.append("<h2><a name='warnings'></a>Accuracy and warnings</h2>")
    b.append("<p>The formula itself holds for any ratio, but real lines drift away from it: "
             "with a ratio near 1 the gap is so thin that a small eccentricity or tolerance "
             "moves the impedance a lot, and with a very large ratio the thin inner wire, "
             "its support and higher-order modes matter. Very high dielectric constants are "
             "rarely uniform or lossless. The status bar says so:</p>")
    b.append(table(["Condition", "Status bar", ""], [
        ("D1/D2 from 1.28 to 12.2", "Normal", light("grn", "")),
        ("D1/D2 below 1.28 or above 12.2",
         "High or near unity D1/D2 ratio ratio may affect accuracy", light("yel", "")),
        ("D1/D2 below 1.09 or above 106",
         "Extremely high or near unity D1/D2 ratio ratio may impair accuracy", light("red", "")),
        ("Er above 50", "High dielectric constant may affect accuracy", light("yel", "")),
        ("Er above 200", "Extreme dielectric constant may impair accuracy", light("red", "")),
    ], ["190", "", "24"]))
    b.append("<p>When Calculate D2 is used, the impedance takes the place of the ratio:</p>")
    b.append(table(["Condition", "Status bar", ""], [
        ("Z0 from 15 to 150 ohm", "Normal", light("grn", "")),
        ("Z0 below 15 or above 150 ohm", "High or low Z0 may affect accuracy",
         light("yel", "")),
        ("Z0 below 5 or above 280 ohm", "Extremely high or low Z0 may impair accuracy",
         light("red", "")),
    ], ["190", "", "24"]))
    b.append("<p>The dielectric warnings apply to both calculations and are checked last, so "
             "they take precedence. The limits themselves count as inside: a ratio of "
             "exactly 1.28 is Normal, and a ratio of exactly 1.09 gives the yellow warning, "
             "not the red one. A combination of Er and ratio (or Er and Z0) so extreme that "
             "the arithmetic overflows is reported in red as an unexpected math error.</p>")

    b.append("<h2><a name='examples'></a>Worked examples</h2>")
    b.append("<h3>Impedance from the dimensions</h3>")
    b.append("<p>With the window's defaults (D1 = 100 mils, D2 = 43 mils, free space, 1 GHz, "
             "a length of 1000 mils) press " + key("F4") + ":</p>")
    b.append(table(["Result", "Value", "Why"], [
        ("D1/D2", f"{100 / 43:.3f}", "100 / 43"),
        ("Z0", f"{z:.1f} ohm", f"{k:.4f} &times; ln({100 / 43:.5f}) = {z:.3f}"),
        ("Vp", f"{vf:.3f}", "free space"),
        ("1.0 Wavelength", f"{wl:.3f} mil", "299.792458 mm at 1 GHz, in mils"),
        ("Length", f"{frac:.3f} wavelength", f"1000 / {wl:.3f}"),
        ("Elect Length", f"{deg:.1f} degrees", f"360 &times; {frac:.5f}"),
    ], ["130", "140", ""]))
    b.append("<p>The status bar shows " + light("grn", "Normal") + ".</p>")
    b.append("<h3>Inner diameter for 50 ohm in PTFE</h3>")
    b.append("<p>Choose <i>PTFE (Teflon&trade;)</i> in the Dielectric list (Er = 2.1), keep "
             "D1 = 100 mils, type 50 as Z0 and press " + key("F3") + ":</p>")
    b.append(table(["Result", "Value"], [
        ("D1/D2", f"{r2:.3f}"),
        ("D2", f"{d2:.3f} mil"),
        ("Vp", f"{vf2:.3f}"),
        ("1.0 Wavelength", f"{wl2:.3f} mil"),
        ("Length", f"{frac2:.3f} wavelength"),
        ("Elect Length", f"{deg2:.1f} degrees"),
    ], ["130", ""]))
    b.append("<p>50 ohm lies between 15 and 150 ohm and Er is below 50, so the status is "
             "Normal.</p>")

    b.append("<h2>Menus</h2>")
    b.append("<p><b>Calculate &gt; Calculate ZO</b> and <b>Calculate D2</b> do the same as the "
             "buttons. <b>Select Parameters</b> opens the dielectric and unit lists. "
             "<b>File &gt; Return to Main Menu</b> (" + key("F8") + ") closes the window; "
             "<b>File &gt; Exit Korvel</b> ends the program at once.</p>")
    b.append("<p>See also: <a href=\"topic1.html\">Korvel Help</a> for the conventions shared "
             "by all calculator windows.</p>")
    return page("Round Coax", "\n".join(b), "../icons/coax-rnd.svg")


def topicindex(folder):
    """The index of every help page in the folder, so that a page added by any generator is
    listed without this script knowing about it. Run after the other help generators."""
    topics = []
    for name in os.listdir(folder):
        m = re.fullmatch(r"topic(\d+)\.html", name)
        if not m:
            continue
        with open(os.path.join(folder, name), encoding="utf-8") as fh:
            t = re.search(r"<title>(.*?)</title>", fh.read(), re.S)
        topics.append((int(m.group(1)), name, t.group(1).strip() if t else name))
    topics.sort()
    b = ["<h2>Topics</h2>"]
    b.append(table(None, [(str(n), f'<a href="{h}"><b>{t}</b></a>') for n, h, t in topics],
                   ["40", ""]))
    words = [
        ("Catalogue", "topic1.html#catalogue"), ("Data sheets", "topic5.html"),
        ("Drive mode", "topic1.html#drive"), ("F1, F3, F4, F8 keys", "topic1.html#keys"),
        ("Input checks", "topic1.html#checks"), ("Models", "topic5.html"),
        ("Preferences", "topic1.html#preferences"),
        ("S-parameters on the web", "topic5.html#using"), ("Sound", "topic1.html#preferences"),
        ("Status bar", "topic1.html#status"), ("Units", "topic1.html#units"),
        ("Web link", "topic1.html#weblink"),
    ]
    b.append("<h2>Index</h2>")
    b.append("<ul>" + "".join(f'<li><a href="{h}">{w}</a></li>' for w, h in words) + "</ul>")
    return page("Help Index", "\n".join(b), "../korvel.svg")


def coax_dims_svg():
    """Cross-section of a coax with the two diameters marked."""
    return """<?xml version="1.0" encoding="UTF-8"?>
<svg xmlns="http://www.w3.org/2000/svg" version="1.2" baseProfile="tiny" width="180" height="180" viewBox="0 0 180 180">
<circle cx="90" cy="84" r="62" fill="#9AA8B8" stroke="#56677C" stroke-width="2"/>
<circle cx="90" cy="84" r="54" fill="#CFEBDD" stroke="#7FB59A" stroke-width="1"/>
<circle cx="90" cy="84" r="23" fill="#E39A3B" stroke="#A8621A" stroke-width="1.5"/>
<line x1="67" y1="84" x2="113" y2="84" stroke="#23364D" stroke-width="1.4"/>
<polygon points="67,84 73,81 73,87" fill="#23364D"/>
<polygon points="113,84 107,81 107,87" fill="#23364D"/>
<text x="90" y="52" font-family="DejaVu Sans, sans-serif" font-size="13" font-weight="bold" text-anchor="middle" fill="#23364D">D2</text>
<line x1="36" y1="160" x2="144" y2="160" stroke="#23364D" stroke-width="1.4"/>
<line x1="36" y1="152" x2="36" y2="168" stroke="#23364D" stroke-width="1"/>
<line x1="144" y1="152" x2="144" y2="168" stroke="#23364D" stroke-width="1"/>
<polygon points="36,160 42,157 42,163" fill="#23364D"/>
<polygon points="144,160 138,157 138,163" fill="#23364D"/>
<text x="90" y="176" font-family="DejaVu Sans, sans-serif" font-size="13" font-weight="bold" text-anchor="middle" fill="#23364D">D1</text>
<text x="90" y="124" font-family="DejaVu Sans, sans-serif" font-size="12" text-anchor="middle" fill="#3F7F50">Er</text>
</svg>
"""


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "files")
    folder = os.path.join(out, "help")
    os.makedirs(folder, exist_ok=True)
    if "--index" in sys.argv[2:]:
        pages = {"topicindex.html": topicindex(folder)}
    else:
        pages = {"topic1.html": topic1(), "topic5.html": topic5(), "topic24.html": topic24(),
                 "coax-dims.svg": coax_dims_svg()}
    for name, text in pages.items():
        with open(os.path.join(folder, name), "w", encoding="utf-8") as fh:
            fh.write(text)
    print("wrote", ", ".join(pages))


if __name__ == "__main__":
    main()
