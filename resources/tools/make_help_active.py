#!/usr/bin/env python3
"""Writes the help pages of the Schottky detectors, amplifier efficiency and device thermal
calculators (help/topic45.html to help/topic48.html) and the two detector circuits
(help/detector-small.svg, help/detector-large.svg).

The pages share make_help.py's frame and style. The efficiency and thermal examples are
computed here with the program's formulas; the detector examples quote the values the
windows show for their defaults (the solver lives in the program, not here).

Usage: python3 make_help_active.py [OUTPUT_FOLDER]   (default: ../files beside this script)
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_help import key, light, page, table  # noqa: E402

INK = "#23364D"
WIRE = "#1C3557"


def dbm_to_mw(dbm):
    return 10 ** (dbm / 10)


# --- detector circuits (420 x 190) -------------------------------------------------------

def text(x, y, s, size=12, anchor="middle", bold=False, italic=False):
    weight = ' font-weight="bold"' if bold else ""
    style = ' font-style="italic"' if italic else ""
    return (f'<text x="{x}" y="{y}" font-family="DejaVu Sans, sans-serif" font-size="{size}"'
            f'{weight}{style} text-anchor="{anchor}" fill="{INK}">{s}</text>\n')


def line(x1, y1, x2, y2, w=1.6):
    return f'<line x1="{x1}" y1="{y1}" x2="{x2}" y2="{y2}" stroke="{WIRE}" stroke-width="{w}"/>\n'


def resistor_h(x, y, length=44, h=12):
    """A horizontal resistor body from x to x + length centred on y."""
    return (f'<rect x="{x}" y="{y - h / 2}" width="{length}" height="{h}" fill="#FFFFFF" '
            f'stroke="{WIRE}" stroke-width="1.6"/>\n')


def resistor_v(x, y, length=44, w=12):
    return (f'<rect x="{x - w / 2}" y="{y}" width="{w}" height="{length}" fill="#FFFFFF" '
            f'stroke="{WIRE}" stroke-width="1.6"/>\n')


def ground(x, y):
    return (line(x - 10, y, x + 10, y) + line(x - 6, y + 4, x + 6, y + 4)
            + line(x - 2, y + 8, x + 2, y + 8))


def dot(x, y):
    return f'<circle cx="{x}" cy="{y}" r="3" fill="{WIRE}"/>\n'


def detector_svg(large):
    top, bottom = 50, 150
    s = ('<?xml version="1.0" encoding="UTF-8"?>\n'
         '<svg xmlns="http://www.w3.org/2000/svg" version="1.2" baseProfile="tiny" '
         'width="420" height="190" viewBox="0 0 420 190">\n'
         '<rect x="0" y="0" width="420" height="190" fill="#FFFFFF"/>\n')
    # RF source with its internal resistance Z0.
    s += f'<circle cx="40" cy="100" r="18" fill="#EAF2FB" stroke="{WIRE}" stroke-width="1.6"/>\n'
    s += (f'<path d="M 30 100 q 5 -9 10 0 t 10 0" fill="none" stroke="{WIRE}" '
          f'stroke-width="1.6"/>\n')
    s += text(40, 136, "Pin", 11, italic=True)
    s += line(40, 82, 40, top) + line(40, top, 70, top)
    s += resistor_h(70, top) + text(92, top - 12, "Z0")
    s += line(40, 118, 40, bottom) + line(40, bottom, 360, bottom)
    s += ground(200, bottom)
    s += line(114, top, 170, top)
    if large:
        # Matching / DC-return resistor across the source.
        s += dot(140, top) + line(140, top, 140, 78) + resistor_v(140, 78) + line(140, 122, 140, bottom)
        s += dot(140, bottom) + text(158, 104, "Rm", anchor="start")
    # The diode, anode to the source: it rectifies the positive half-cycles.
    s += f'<polygon points="170,{top - 12} 170,{top + 12} 194,{top}" fill="#E39A3B" stroke="{WIRE}" stroke-width="1.6"/>\n'
    s += line(194, top - 12, 194, top + 12, 2.2)
    s += text(182, top - 18, "D: n, Is, Rs")
    s += line(194, top, 260, top) + dot(260, top)
    # The bias current flows forward through the diode and is drawn out at the output node.
    s += (f'<path d="M 204 {top + 14} l 16 0 m 0 0 l -5 -3 m 5 3 l -5 3" fill="none" '
          f'stroke="#A8621A" stroke-width="1.4"/>\n')
    s += text(224, top + 30, "Io", 11, anchor="start", italic=True)
    # Video filter capacitor and load.
    s += line(260, top, 260, 92) + line(248, 92, 272, 92, 2.2) + line(248, 100, 272, 100, 2.2)
    s += line(260, 100, 260, bottom) + dot(260, bottom) + text(276, 100, "C", anchor="start")
    s += line(260, top, 320, top) + dot(320, top) + line(320, top, 320, 78) + resistor_v(320, 78)
    s += line(320, 122, 320, bottom) + dot(320, bottom) + text(336, 104, "RL", anchor="start")
    s += line(320, top, 370, top) + f'<circle cx="374" cy="{top}" r="4" fill="#FFFFFF" stroke="{WIRE}" stroke-width="1.6"/>\n'
    s += line(360, bottom, 370, bottom) + f'<circle cx="374" cy="{bottom}" r="4" fill="#FFFFFF" stroke="{WIRE}" stroke-width="1.6"/>\n'
    s += text(374, top - 12, "+") + text(374, bottom + 20, "&#8722;")
    s += text(396, 104, "Vout", 12, bold=True)
    s += "</svg>\n"
    return s


# --- pages -------------------------------------------------------------------------------

DETECTOR_MODEL = (
    "<p>The diode is an exponential junction with ideality factor <b>n</b>, series resistance "
    "<b>Rs</b> and a saturation current that rises steeply with temperature:</p>"
    "<p class=\"formula\">&nbsp;&nbsp;&nbsp;Is(T) = Iso &middot; (T/298.15)<sup>2/n</sup> "
    "&middot; exp(&minus;12000 &middot; Eg &middot; (1/T &minus; 1/298.15))</p>"
    "<p>An RF source of resistance Rg delivering its available power P has a peak open-circuit "
    "voltage &radic;(8&middot;Rg&middot;P). Averaged over one RF cycle, the exponential of a "
    "sine becomes the modified Bessel function I0, and the DC output V across the load RL is "
    "the root of</p>"
    "<p class=\"formula\">&nbsp;&nbsp;&nbsp;(1 + Io/Is + (V + Vo)/(RL&middot;Is)) &middot; "
    "exp(a&middot;(V + Vo) + b) = I0(x), &nbsp;&nbsp;x = (&Lambda;/n)&middot;&radic;(8&middot;Rg&middot;P)</p>"
    "<p>with &Lambda; = q/(k&middot;T), a = (1 + (Rg + Rs)/RL)&middot;&Lambda;/n and "
    "b = (&Lambda;/n)&middot;Rs&middot;Io. <b>Vo(0)</b> is the output with no RF at all (the "
    "same equation with I0 = 1); it is zero without bias and negative with a bias current. "
    "The sensitivity is V/P in mV/&micro;W, and the video resistance "
    "Rv = 8.33&times;10<sup>&minus;5</sup>&middot;n&middot;T/(Io + Is) is the diode's "
    "small-signal resistance at its bias point.</p>"
    "<p>The equation is solved at every power step by Brent's method (bisection with secant "
    "and inverse quadratic steps), which cannot lose a root once it is bracketed. At small "
    "signals the output is proportional to power (the square-law region, where the "
    "sensitivity is flat); at large signals it follows the peak RF voltage and the "
    "sensitivity falls.</p>")


def detector_page(large):
    b = []
    if large:
        b.append('<table cellspacing="0" cellpadding="6"><tr><td valign="top"><img src="detector-large.svg" '
                 'width="420" height="190" alt="Large-signal detector circuit"></td></tr></table>')
        b.append("<p>The <b>Large Signal Detector</b> predicts the DC output of a Schottky diode "
                 "detector driven hard, typically biased and with a resistor <b>Rm</b> across its "
                 "input for matching and DC return. The diode sees the source through Rm in "
                 "parallel with Z0:</p>"
                 "<p class=\"formula\">&nbsp;&nbsp;&nbsp;Rg = Rm&middot;Z0/(Rm + Z0)</p>"
                 "<p>which takes the place of Z0 everywhere in the model below.</p>")
    else:
        b.append('<table cellspacing="0" cellpadding="6"><tr><td valign="top"><img src="detector-small.svg" '
                 'width="420" height="190" alt="Small-signal detector circuit"></td></tr></table>')
        b.append("<p>The <b>Small Signal Detector</b> predicts the DC output voltage and the "
                 "voltage sensitivity of a Schottky diode detector fed from an RF source of "
                 "impedance Z0, over a range of input powers. The diode rectifies the RF, the "
                 "capacitor C holds the peak and the load RL takes the DC output.</p>")
    b.append(f"<p>Enter the diode, the circuit and the power range, press {key('F4')}, and "
             "read the results, the table and the charts of output voltage (<b>Plot Vout vs. "
             "Pin</b>) or sensitivity (<b>Plot Gamma vs. Pin</b>).</p>")
    b.append("<h2><a name='model'></a>The model</h2>")
    b.append(DETECTOR_MODEL)
    b.append("<h2><a name='inputs'></a>Inputs</h2>")
    rows = [
        ("n", "Ideality factor", "1.08" if large else "1.15", "0.8 or more"),
        ("Iso", "Saturation current at 25 &deg;C, &micro;A", "0.03" if large else "0.06", "greater than 0"),
        ("Eg", "Energy gap, eV", "0.69" if large else "0.35", "0 or more"),
        ("Rs", "Series resistance, &Omega;", "9" if large else "6", "0 or more"),
        ("Io", "External bias current, &micro;A", "500" if large else "0", "0 or more"),
        ("Temp", "Operating temperature, &deg;C", "25", "&minus;55 to 300"),
        ("Z0", "Source impedance, &Omega;", "50", "greater than 0"),
    ]
    if large:
        rows.append(("Rm", "Matching / DC-return resistor, &Omega;", "68", "greater than 0"))
    rows += [
        ("RL", "Load resistance, &Omega;", "5000" if large else "100000", "100 or more"),
        ("Pin Start", "Lowest input power, dBm", "&minus;20" if large else "&minus;50", "&minus;100 to Pin Stop"),
        ("Pin Stop", "Highest input power, dBm", "30" if large else "0", "Pin Start to 40"),
        ("Pin Step", "Power step, dB", "5" if large else "2", "0.001 to the span"),
    ]
    b.append(table(["Box", "Meaning", "Default", "Allowed"], rows, ["80", "", "80", "150"]))
    b.append("<p>The boxes are checked in the order Temp, Io, Iso, Rs, Eg, n, Z0, "
             + ("Rm, " if large else "") + "RL, Pin Start, Pin Stop, Pin Step; the first one "
             "refused is marked yellow and nothing is calculated. Equal Pin Start and Pin Stop "
             "leave no span for any step and are refused on the step.</p>")
    b.append("<h2><a name='results'></a>Results and status</h2>")
    b.append(table(["Result", "Shown as"], [
        ("Is", "saturation current at the operating temperature, &micro;A, four decimals"),
        ("&Lambda;", "q/(kT), 1/V, three decimals"),
        ("Vo(0)", "output with no RF, volts, scientific notation"),
        ("Rv", "video resistance, &Omega;, three decimals"),
    ] + ([("Rg", "source resistance seen by the diode, &Omega;, two decimals")] if large else []) + [
        ("Table", "input power (dBm), output voltage (V, " + ("three" if large else "six")
         + " decimals) and sensitivity (mV/&micro;W, three decimals), one row per step"),
    ], ["110", ""]))
    top = "14" if large else "15"
    b.append(f"<p>The output voltage is sought between 0 and {top} V. When a step's output lies "
             f"above that, or the solver does not settle within 200 iterations, the status bar "
             f"shows {light('red', 'Error LS06 Root extraction exceeded maximum iterations')} "
             "(LS07 for the no-signal solve); the table still shows every step, the failed ones "
             "with the solver's last estimate, and the charts stay closed until a calculation "
             f"succeeds. Otherwise the status is {light('grn', 'Normal')}.</p>")
    b.append("<h2><a name='examples'></a>Worked example</h2>")
    if large:
        b.append(f"<p>With the defaults, press {key('F4')}: Rg = 68&middot;50/118 = 28.81 &Omega;, "
                 "Rv = 8.33&times;10<sup>&minus;5</sup>&middot;1.08&middot;298.15/(500.03 &micro;A) "
                 "= 53.642 &Omega; and Vo(0) = &minus;0.269 V (the bias current through the load). "
                 "The table has 11 rows, from 0.017 V at &minus;20 dBm to 8.327 V at +25 dBm. At "
                 "+30 dBm the peak RF voltage, about 15 V, would give an output near 14.9 V, beyond "
                 "the 14 V searched, and the status bar says so; set Pin Stop to 25 for a complete "
                 "sweep and its charts.</p>")
    else:
        b.append(f"<p>With the defaults, press {key('F4')}: at 25 &deg;C Is equals Iso, 0.0600 "
                 "&micro;A; &Lambda; = 38.922; Vo(0) is zero (2.86E-21 V, the solver's residue); "
                 "Rv = 8.33&times;10<sup>&minus;5</sup>&middot;1.15&middot;298.15/0.06 &micro;A "
                 "= 476021.321 &Omega;. The table has 26 rows:</p>")
        b.append(table(["Input Power (dBm)", "Output Voltage (V)", "Sensitivity (mV/uW)"], [
            ("&minus;50.0", "0.000006", "0.571"), ("&minus;30.0", "0.000577", "0.577"),
            ("&minus;10.0", "0.070096", "0.701"), ("0.0", "0.433133", "0.433")], ["140", "140", ""]))
        b.append("<p>Below about &minus;30 dBm the sensitivity stays at 0.571 mV/&micro;W: the "
                 "square-law region. With Io = 100 &micro;A, Rv falls to 285.442 &Omega;, as "
                 "1/(Io + Is).</p>")
    b.append("<h2>Charts</h2>")
    b.append("<p><b>Plot Vout vs. Pin</b> shows <i>Output Voltage vs. Input Power</i>; <b>Plot "
             "Gamma vs. Pin</b> shows <i>Voltage Sensitivity vs. Input Power</i>. The button "
             "under the chart switches to the other one, and <b>Close Plot</b> brings the "
             "inputs back.</p>")
    b.append('<p>See also: <a href="topic1.html">Korvel Help</a> for the conventions shared by '
             "all calculator windows.</p>")
    return page("Large Signal Detector" if large else "Small Signal Detector", "\n".join(b),
                "../icons/lgsig2.svg" if large else "../icons/smsig2.svg")


def efficiency_page():
    pin, po = dbm_to_mw(4), dbm_to_mw(22.4)
    pdc = 3 * 152
    pdiss = pdc + pin - po
    eff, pae = po / pdc, (po - pin) / pdc
    tj = 85 + 175 * pdiss / 1000
    b = []
    b.append("<p>The <b>Amplifier Efficiency</b> calculator works out, for a CW or pulsed "
             "amplifier with up to two DC supplies, the DC input power, the power left as heat, "
             "the drain (or collector) efficiency, the power-added efficiency and the junction "
             "temperature that heat produces.</p>")
    b.append("<h2><a name='model'></a>The model</h2>")
    b.append("<p>Choose which two of output power Po, input power Pi and gain you know; the "
             "third follows from Po = Pi + Gain (dB). The supply currents are the average "
             "currents a meter reads, so the DC power is not scaled by the duty cycle; the RF "
             "powers are peak values and are:</p>"
             "<p class=\"formula\">&nbsp;&nbsp;&nbsp;D = pulse width / pulse period<br>"
             "&nbsp;&nbsp;&nbsp;Pdc = |V1|&middot;|I1| + |V2|&middot;|I2|<br>"
             "&nbsp;&nbsp;&nbsp;Pdiss = Pdc + D&middot;Pi &minus; D&middot;Po<br>"
             "&nbsp;&nbsp;&nbsp;efficiency = D&middot;Po / Pdc &nbsp;&nbsp; PAE = D&middot;(Po &minus; Pi) / Pdc<br>"
             "&nbsp;&nbsp;&nbsp;Tj = Tcase + &theta;&middot;Pdiss</p>"
             "<p>For CW operation make the pulse width equal to the period. The time unit only "
             "labels the two boxes.</p>")
    b.append("<h2>Status</h2>")
    b.append(table(["Condition", "Status bar"], [
        ("Tj above the limit of <b>Preferences</b> (150 &deg;C unless changed)",
         light("yel", "Caution: Tj &gt; 150 &deg;C.")),
        ("Po above Pdc + Pi", light("orn", "Mathematically correct, but violates conservation of energy.")),
        ("No DC power, or a result beyond the range of numbers", light("red", "Unexpected result - check input data")),
        ("Otherwise", light("grn", "Normal")),
    ], ["260", ""]))
    b.append("<h2><a name='examples'></a>Worked example</h2>")
    b.append(f"<p>The defaults describe a CW amplifier: Po = 22.4 dBm, Pi = 4 dBm, 3 V at 152 mA, "
             f"case at 85 &deg;C and &theta; = 175 &deg;C/W. Press {key('F4')}:</p>")
    b.append(table(["Result", "Value", "Why"], [
        ("Gain", "18.40 dB", "22.4 &minus; 4"),
        ("Pdc", f"{pdc:.2f} mW", "3 V &times; 152 mA"),
        ("Pdiss", f"{pdiss:.2f} mW", f"{pdc} + {pin:.2f} &minus; {po:.2f}"),
        ("Efficiency", f"{eff * 100:.1f}%", f"{po:.2f} / {pdc}"),
        ("PAE", f"{pae * 100:.1f}%", f"({po:.2f} &minus; {pin:.2f}) / {pdc}"),
        ("Tj", f"{tj:.0f}. &deg;C", f"85 + 175 &times; {pdiss / 1000:.5f} = {tj:.1f}"),
    ], ["110", "110", ""]))
    b.append("<p>With a 10 % duty cycle (width 1, period 10) the RF powers fall tenfold while "
             "Pdc stays: the dissipation rises to 438.87 mW and Tj to 162 &deg;C, above the "
             "150 &deg;C caution.</p>")
    return page("Amplifier Efficiency", "\n".join(b), "../icons/ampeff3.svg")


def thermal_page():
    pdc = 3 * 42
    pin, po = dbm_to_mw(2.1), dbm_to_mw(14.2)
    pdiss = pdc + pin - po
    tcase = 25 + 22 * pdiss / 1000
    tj = tcase + 220 * pdiss / 1000
    b = []
    b.append("<p>The <b>Device Thermal Calculator</b> works out how much power an RF device turns "
             "into heat and the temperatures of its junction, its case and the heatsink, from "
             "whichever one of the three you know.</p>")
    b.append("<h2><a name='model'></a>The model</h2>")
    b.append("<p>DC power and RF input power go in, RF output power comes out, and the rest is "
             "heat. The heat flows from the junction through the package (&theta;jc) and the "
             "board or heatsink interface (&theta;ca):</p>"
             "<p class=\"formula\">&nbsp;&nbsp;&nbsp;Pdc = |Vin|&middot;|Iin| &nbsp;&nbsp; "
             "Prf = Pout &minus; Pin &nbsp;&nbsp; Pdiss = Pdc + Pin &minus; Pout<br>"
             "&nbsp;&nbsp;&nbsp;Tcase = Ta + &theta;ca&middot;Pdiss &nbsp;&nbsp; "
             "Tj = Tcase + &theta;jc&middot;Pdiss</p>"
             "<p>A blank thermal resistance counts as 0. Type one temperature and press "
             f"{key('Enter')} in its box; the other two are written back, rounded to whole "
             "degrees.</p>")
    b.append("<h2>Status</h2>")
    b.append(table(["Condition", "Panel"], [
        ("Tj above the limit of <b>Preferences</b>", "first: " + light("yel", "Caution: Tj &gt; 150 &deg;C.")),
        ("Pout above Pdc + Pin", "second: " + light("orn", "Mathematically correct, but violates conservation of energy.")),
        ("A result beyond the range of numbers", "third: " + light("red", "Unexpected result - check input data")),
    ], ["220", ""]))
    b.append("<h2><a name='examples'></a>Worked example</h2>")
    b.append(f"<p>With the defaults (3 V, 42 mA, 2.1 dBm in, 14.2 dBm out, &theta;jc = 220 and "
             f"&theta;ca = 22 &deg;C/W) type 25 in Ta and press {key('Enter')}:</p>")
    b.append(table(["Result", "Value", "Why"], [
        ("Pdc", f"{pdc} mW", "3 V &times; 42 mA"),
        ("Prf", f"{po - pin:.1f} mW", f"{po:.2f} &minus; {pin:.2f}"),
        ("Pdiss", f"{pdiss:.1f} mW", f"{pdc} + {pin:.2f} &minus; {po:.2f}"),
        ("Tcase", f"{tcase:.0f}. &deg;C", f"25 + 22 &times; {pdiss / 1000:.5f} = {tcase:.1f}"),
        ("Tj", f"{tj:.0f}. &deg;C", f"{tcase:.1f} + 220 &times; {pdiss / 1000:.5f} = {tj:.1f}"),
    ], ["110", "110", ""]))
    return page("Device Thermal Calculator", "\n".join(b), "../icons/thermo.svg")


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "files")
    folder = os.path.join(out, "help")
    os.makedirs(folder, exist_ok=True)
    files = {
        "topic45.html": detector_page(False),
        "topic46.html": detector_page(True),
        "topic47.html": efficiency_page(),
        "topic48.html": thermal_page(),
        "detector-small.svg": detector_svg(False),
        "detector-large.svg": detector_svg(True),
    }
    for name, content in files.items():
        with open(os.path.join(folder, name), "w", encoding="utf-8") as fh:
            fh.write(content)
    print("wrote", ", ".join(files))


if __name__ == "__main__":
    main()
