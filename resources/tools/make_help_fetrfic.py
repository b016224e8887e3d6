#!/usr/bin/env python3
"""Writes the circuit drawings and help pages of the FET self-bias window (topic 36) and of
the voltage- and current-biased RFIC windows (topics 37 and 38).

Each circuit is drawn once here and used twice: the windows show the drawing (with the
part the user can take out drawn in or out), and the help page shows the same file. The
worked examples on the pages are computed here with the program's formulas and agree with
what the windows show for their defaults (the drive scripts check the windows).

Usage: python3 make_help_fetrfic.py [OUTPUT_FOLDER]   (default: ../files beside this script)
"""
import math
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_help import PI, key, light, page, table  # noqa: E402

INK = "#23364D"
COPPER = "#E39A3B"
SIGNAL = "#2F7DD1"
GHOST = "#9AA8B8"
FONT = 'font-family="DejaVu Sans, sans-serif"'


# --- a small schematic vocabulary ----------------------------------------------------------

class Sheet:
    def __init__(self, width, height):
        self.w, self.h = width, height
        self.parts = []

    def add(self, text):
        self.parts.append(text)

    def wire(self, *points, colour=INK, width=1.6, dash=False):
        pts = " ".join(f"{x},{y}" for x, y in points)
        extra = ' stroke-dasharray="4,3"' if dash else ""
        self.add(f'<polyline points="{pts}" fill="none" stroke="{colour}" stroke-width="{width}"'
                 f' stroke-linejoin="round"{extra}/>')

    def dot(self, x, y):
        self.add(f'<circle cx="{x}" cy="{y}" r="2.6" fill="{INK}"/>')

    def text(self, x, y, s, size=12, anchor="middle", bold=False, colour=INK):
        weight = ' font-weight="bold"' if bold else ""
        self.add(f'<text x="{x}" y="{y}" {FONT} font-size="{size}"{weight} text-anchor="{anchor}"'
                 f' fill="{colour}">{s}</text>')

    def resistor_v(self, x, y1, y2, name=None, colour=INK):
        """A vertical zigzag resistor between y1 and y2 (leads of 8 units at each end)."""
        top, bottom = y1 + 8, y2 - 8
        step = (bottom - top) / 6
        pts = [(x, y1), (x, top)]
        for i in range(6):
            pts.append((x + (7 if i % 2 == 0 else -7), top + step * (i + 0.5)))
        pts += [(x, bottom), (x, y2)]
        self.wire(*pts, colour=colour)
        if name:
            self.text(x + 13, (y1 + y2) / 2 + 4, name, anchor="start", bold=True, colour=colour)

    def resistor_h(self, x1, x2, y, name=None):
        left, right = x1 + 8, x2 - 8
        step = (right - left) / 6
        pts = [(x1, y), (left, y)]
        for i in range(6):
            pts.append((left + step * (i + 0.5), y + (7 if i % 2 == 0 else -7)))
        pts += [(right, y), (x2, y)]
        self.wire(*pts)
        if name:
            self.text((x1 + x2) / 2, y - 12, name, bold=True)

    def capacitor_h(self, x1, x2, y, name=None, out=False):
        """A series capacitor between x1 and x2; taken out it is a plain wire with a ghost."""
        mid = (x1 + x2) / 2
        if out:
            self.wire((x1, y), (x2, y))
            self.add(f'<rect x="{mid - 9}" y="{y - 12}" width="18" height="24" fill="none" '
                     f'stroke="{GHOST}" stroke-width="1" stroke-dasharray="3,2"/>')
            if name:
                self.text(mid, y - 17, name + " (out)", size=10, colour=GHOST)
            return
        self.wire((x1, y), (mid - 3, y))
        self.wire((mid + 3, y), (x2, y))
        self.wire((mid - 3, y - 11), (mid - 3, y + 11), width=2.4, colour=COPPER)
        self.wire((mid + 3, y - 11), (mid + 3, y + 11), width=2.4, colour=COPPER)
        if name:
            self.text(mid, y - 17, name, bold=True)

    def capacitor_v(self, x, y1, y2, name=None):
        mid = (y1 + y2) / 2
        self.wire((x, y1), (x, mid - 3))
        self.wire((x, mid + 3), (x, y2))
        self.wire((x - 11, mid - 3), (x + 11, mid - 3), width=2.4, colour=COPPER)
        self.wire((x - 11, mid + 3), (x + 11, mid + 3), width=2.4, colour=COPPER)
        if name:
            self.text(x + 15, mid + 4, name, anchor="start", bold=True)

    def inductor_v(self, x, y1, y2, name=None):
        """A vertical coil of four turns drawn with cubic curves."""
        top, bottom = y1 + 6, y2 - 6
        turn = (bottom - top) / 4
        d = f"M {x} {y1} L {x} {top} "
        for i in range(4):
            y = top + turn * i
            d += f"C {x + 11} {y} {x + 11} {y + turn} {x} {y + turn} "
        d += f"L {x} {y2}"
        self.add(f'<path d="{d}" fill="none" stroke="{INK}" stroke-width="1.6"/>')
        if name:
            self.text(x + 16, (y1 + y2) / 2 + 4, name, anchor="start", bold=True)

    def ground(self, x, y):
        self.wire((x, y - 8), (x, y))
        for i, half in enumerate((10, 6.5, 3)):
            self.wire((x - half, y + i * 3.5), (x + half, y + i * 3.5), width=1.4)

    def terminal(self, x, y, name, anchor="end"):
        self.add(f'<circle cx="{x}" cy="{y}" r="3.2" fill="#FFFFFF" stroke="{SIGNAL}" stroke-width="1.6"/>')
        dx = -7 if anchor == "end" else 7
        self.text(x + dx, y + 4, name, anchor=anchor, colour=SIGNAL, bold=True)

    def supply(self, x, y, name):
        self.wire((x - 10, y), (x + 10, y), width=2)
        self.text(x, y - 6, name, bold=True)

    def svg(self):
        head = ('<?xml version="1.0" encoding="UTF-8"?>\n'
                '<svg xmlns="http://www.w3.org/2000/svg" version="1.2" baseProfile="tiny" '
                f'width="{self.w}" height="{self.h}" viewBox="0 0 {self.w} {self.h}">\n'
                f'<rect x="0" y="0" width="{self.w}" height="{self.h}" fill="#FFFFFF"/>\n')
        return head + "\n".join(self.parts) + "\n</svg>\n"


# --- FET self-bias -------------------------------------------------------------------------

# Where Rd sits (the window places its click spot there): x 160..200, y 20..90.
def fet_svg(rd_in):
    s = Sheet(300, 240)
    xd = 180
    s.supply(xd, 14, "Vdd")
    if rd_in:
        s.resistor_v(xd, 14, 92, "Rd")
    else:
        s.wire((xd, 14), (xd, 92))
        s.add(f'<rect x="{xd - 14}" y="28" width="28" height="50" fill="none" stroke="{GHOST}" '
              'stroke-width="1" stroke-dasharray="3,2"/>')
        s.text(xd + 20, 58, "Rd (out)", size=10, anchor="start", colour=GHOST)
    # The FET: channel bar, drain and source leads, gate with its arrow pointing in (N channel).
    s.wire((xd, 92), (xd, 108), (xd - 10, 108))
    s.wire((xd - 10, 108), (xd - 10, 140), width=3)
    s.wire((xd - 10, 140), (xd, 140), (xd, 160))
    s.wire((xd - 48, 124), (xd - 10, 124))
    s.add(f'<polygon points="{xd - 11},124 {xd - 19},120 {xd - 19},128" fill="{INK}"/>')
    s.text(xd + 8, 112, "D", size=10, anchor="start")
    s.text(xd + 8, 146, "S", size=10, anchor="start")
    s.text(xd - 30, 118, "G", size=10)
    s.dot(xd, 100)
    # Drain to the RF output through its blocking capacitor.
    s.wire((xd, 100), (232, 100))
    s.capacitor_h(232, 262, 100)
    s.wire((262, 100), (272, 100))
    s.terminal(276, 100, "")
    s.text(290, 122, "RF out", size=11, anchor="end", colour=SIGNAL, bold=True)
    # Source resistor with its RF bypass capacitor.
    s.dot(xd, 160)
    s.resistor_v(xd, 160, 214, "Rs")
    s.wire((xd, 160), (232, 160), (232, 176))
    s.capacitor_v(232, 176, 200)
    s.wire((232, 200), (232, 214), (xd, 214))
    s.dot(xd, 214)
    s.ground(xd, 226)
    s.wire((xd, 214), (xd, 218))
    # Gate: RF input through a blocking capacitor, DC return to ground through Rg.
    s.dot(xd - 48, 124)
    s.resistor_v(xd - 48, 124, 206, "Rg")
    s.ground(xd - 48, 218)
    s.wire((xd - 48, 206), (xd - 48, 210))
    s.capacitor_h(60, 96, 124)
    s.wire((96, 124), (xd - 48, 124))
    s.wire((28, 124), (60, 124))
    s.terminal(24, 124, "")
    s.text(24, 146, "RF in", size=11, colour=SIGNAL, bold=True)
    # Currents and voltages the window talks about.
    s.text(xd - 62, 168, "Vgs = -Id Rs", size=10, anchor="end", colour=SIGNAL)
    s.add(f'<polygon points="{xd - 24},76 {xd - 28},66 {xd - 20},66" fill="{SIGNAL}"/>')
    s.wire((xd - 24, 40), (xd - 24, 68), colour=SIGNAL, width=1.2)
    s.text(xd - 30, 50, "Id", size=11, anchor="end", colour=SIGNAL, bold=True)
    return s.svg()


# --- RFIC bias ----------------------------------------------------------------------------

# The click spots of the windows over Cin and Cout (view-box units): x 34..74 and 226..266,
# y 128..172, in both drawings.
def rfic_svg(current_biased, cin_in, cout_in):
    s = Sheet(300, 240)
    y = 150
    # The RFIC: an amplifier triangle in a box, its supply taken at the output pin.
    s.add(f'<rect x="112" y="{y - 30}" width="74" height="60" rx="6" fill="#EEF3F9" stroke="{INK}" '
          'stroke-width="1.4"/>')
    s.add(f'<polygon points="128,{y - 20} 128,{y + 20} 166,{y}" fill="#FFFFFF" stroke="{INK}" '
          'stroke-width="1.6"/>')
    s.text(142, y + 48, "RFIC", size=11, bold=True, anchor="end")
    s.wire((18, y), (34, y))
    s.terminal(14, y, "")
    s.text(10, y + 26, "RF in", size=11, colour=SIGNAL, bold=True, anchor="start")
    s.capacitor_h(34, 74, y, "Cin", out=not cin_in)
    s.wire((74, y), (128, y))
    s.wire((166, y), (226, y))
    s.capacitor_h(226, 266, y, "Cout", out=not cout_in)
    s.wire((266, y), (282, y))
    s.terminal(286, y, "")
    s.text(292, y + 26, "RF out", size=11, colour=SIGNAL, bold=True, anchor="end")
    # DC feed to the output pin through the choke; Cb returns RF to ground at its top.
    xf = 204
    top = 74
    s.dot(xf, y)
    s.inductor_v(xf, top, y)
    s.text(xf - 8, 118, "RFC", anchor="end", bold=True)
    s.dot(xf, top)
    if current_biased:
        s.resistor_v(xf, 16, top)
        s.text(xf - 14, 50, "Rbias", anchor="end", bold=True)
        s.supply(xf, 16, "")
        s.text(xf + 16, 20, "Vs", anchor="start", bold=True)
        s.text(10, 232, "Id = (Vs - Vd) / Rbias", size=11, colour=SIGNAL, anchor="start")
    else:
        s.wire((xf, top), (xf, 28))
        s.supply(xf, 28, "Vcc")
    s.wire((xf, top), (254, top), (254, 80))
    s.capacitor_v(254, 80, 104, "Cb")
    s.wire((254, 104), (254, 108))
    s.ground(254, 116)
    # The device's ground.
    s.wire((149, y + 30), (149, 208))
    s.ground(149, 216)
    return s.svg()

# --- the formulas, for the worked examples ----------------------------------------------

E24 = [1.0, 1.1, 1.2, 1.3, 1.5, 1.6, 1.8, 2.0, 2.2, 2.4, 2.7, 3.0, 3.3, 3.6, 3.9, 4.3, 4.7, 5.1,
       5.6, 6.2, 6.8, 7.5, 8.2, 9.1, 10.0]


def e24(value):
    """Nearest E24 value, arithmetic midpoints rounding up (the program's rule)."""
    e = math.floor(math.log10(value))
    m = value / 10 ** e
    for k in range(len(E24) - 1):
        if m < (E24[k] + E24[k + 1]) / 2:
            return E24[k] * 10 ** e
    return 10.0 * 10 ** e


def fet_id(idss, vp, rs):
    a = rs / -vp
    return ((2 * a + 1 / idss) - math.sqrt(1 / idss ** 2 + 4 * a / idss)) * vp * vp / (2 * rs * rs)


def fet_example(standard):
    vp = -0.5 / (1 - math.sqrt(0.1))
    rs_exact = -vp * (1 - math.sqrt(0.020 / 0.065)) / 0.020
    rs = e24(rs_exact) if standard else rs_exact
    i = fet_id(0.065, vp, rs)
    vgs = -i * rs
    rd_exact = (3 + vgs - 2) / 0.020
    rd = e24(rd_exact) if standard else rd_exact
    cols = []
    for t in (-25.0, 25.0, 65.0):
        it = fet_id(0.065 * (1 - 0.0013 * (t - 25)), vp, rs)
        pd = it * (3 - it * (rs + rd))
        cols.append((t, it, pd, t + 300 * pd))
    return dict(vp=vp, rs_exact=rs_exact, rs=rs, id=i, vgs=vgs, rd_exact=rd_exact, rd=rd,
                vds=3 + vgs - rd * i, cols=cols)


def series_x(loss, z0):
    return 2 * z0 * math.sqrt(10 ** (loss / 10) - 1)


def shunt_x(loss, z0):
    return z0 / (2 * math.sqrt(10 ** (loss / 10) - 1))


def loss_db(a, b):
    return 10 * math.log10(1 + (a / b) ** 2 / 4)


# --- topic 36: FET self-bias --------------------------------------------------------------

def fmt(v, d):
    return f"{v:.{d}f}".replace("-", "&minus;")


def topic36():
    ex = fet_example(False)
    st = fet_example(True)
    b = []
    b.append('<table cellspacing="0" cellpadding="6"><tr><td valign="top">'
             '<img src="fetbias-rd.svg" width="300" height="240" alt="FET self-bias circuit"></td>'
             '<td valign="top">')
    b.append("<p>The <b>FET Bias</b> calculator designs the self-bias network of a depletion-mode "
             "FET (a JFET or GaAs MESFET): a source resistor <b>Rs</b> that sets the wanted drain "
             "current, and a drain resistor <b>Rd</b> that drops the supply <b>Vdd</b> to the wanted "
             "drain&ndash;source voltage. The gate returns to ground through Rg, so the voltage across "
             "Rs is the gate&ndash;source bias: Vgs = &minus;Id&middot;Rs.</p>")
    b.append("<p>It then analyses the finished circuit over the spread of Idss and of the pinch-off "
             "voltage and over case temperature, with the device's own heating, and reports how "
             "much each spread moves the current and the drain voltage.</p>")
    b.append("<p>Open it from the catalogue: <b>Active Circuits &gt; FET Bias: Source R</b>. "
             "Click Rd in the drawing (or <b>Select Parameters &gt; Remove Rd</b>) to tie the drain "
             "straight to Vdd.</p></td></tr></table>")
    b.append("<h2><a name='model'></a>The model</h2>")
    b.append("<p>The drain current follows the square law of a depletion FET in saturation:</p>")
    b.append('<p class="formula">&nbsp;&nbsp;&nbsp;Id = Idss &middot; (1 &minus; Vgs/Vp)&sup2;</p>')
    b.append("<p>Data sheets give <b>V'p</b>, the gate voltage at which the current has fallen to a "
             "small reference current (a percentage of Idss, or a current in mA), rather than Vp "
             "itself. The same law gives Vp from it:</p>")
    b.append('<p class="formula">&nbsp;&nbsp;&nbsp;Vp = V\'p / (1 &minus; &radic;(Ispec/Idss))</p>')
    b.append("<p>The source resistor for the target current, from the typical device at the nominal "
             "temperature, and the drain resistor:</p>")
    b.append('<p class="formula">&nbsp;&nbsp;&nbsp;Rs = &minus;Vp &middot; (1 &minus; &radic;(Id/Idss)) / Id'
             '<br>&nbsp;&nbsp;&nbsp;Rd = (Vdd + Vgs &minus; Vds) / Id</p>')
    b.append("<p>The current of a built circuit is the smaller root of Id = Idss&middot;(1 &minus; "
             "Id&middot;Rs/(&minus;Vp))&sup2;, the one below pinch-off:</p>")
    b.append('<p class="formula">&nbsp;&nbsp;&nbsp;Id = [(2Rs/(&minus;Vp) + 1/Idss) &minus; '
             '&radic;(1/Idss&sup2; + 4Rs/(&minus;Vp&middot;Idss))] &middot; Vp&sup2; / (2Rs&sup2;)</p>')
    b.append("<p>Over temperature Idss changes by its coefficient in %/&deg;C and Vp by its "
             "coefficient in mV/&deg;C, both from the nominal case temperature. The dissipation is "
             "Pd = |Vds&middot;Id| with Vds = Vdd &minus; Id&middot;(Rs + Rd), and the junction runs "
             "at Tj = Tc + &theta;&middot;Pd.</p>")
    b.append("<p>The square law is a good description of JFETs and of GaAs MESFETs at low and "
             "moderate currents; near Idss and near pinch-off real devices depart from it, so keep "
             "the target between about 10 % and 90 % of Idss. The analysis takes &theta; as constant "
             "and does not feed the junction temperature back into Idss and Vp.</p>")
    b.append("<h2><a name='inputs'></a>Inputs</h2>")
    b.append(table(["Box", "Meaning", "Default"], [
        ["Vdd", "drain supply voltage", "3 V"],
        ["Id", "wanted drain current (below 0.9999 &times; typical Idss)", "20 mA"],
        ["Vds", "wanted drain&ndash;source voltage", "2 V"],
        ["Idss min, typ, max", "saturated drain current at Vgs = 0, nominal temperature", "58, 65, 72 mA"],
        ["V'p min, typ, max", "gate voltage at the reference current", "&minus;0.65, &minus;0.5, &minus;0.35 V"],
        ["V'p spec", "where V'p is specified: % of Idss, or mA (the button toggles)", "10 % Idss"],
        ["Vp tempco", "temperature coefficient of Vp", "0 mV/&deg;C"],
        ["Idss tempco", "temperature coefficient of Idss", "&minus;0.13 %/&deg;C"],
        ["&theta;", "thermal resistance, junction to case", "300 &deg;C/W"],
        ["Low, Nominal, High", "case temperatures of the analysis", "&minus;25, 25, 65 &deg;C"],
    ], ["120", "", "150"]))
    b.append("<p><b>Nominal</b> analyses the typical device; <b>Statistical distribution</b> "
             "analyses all nine combinations of minimum, typical and maximum Idss and V'p and shows "
             "the smallest and largest current at each temperature.</p>")
    b.append("<h2><a name='results'></a>Results</h2>")
    b.append(table(["Result", "Meaning"], [
        ["Rs, Rd", "the designed resistors: exact, or the nearest standard value of the tolerance "
                   "series chosen in Preferences, which the analysis then uses"],
        ["Vgs, Vds, Id (calc)", "operating point of the typical device in the circuit as built"],
        ["Vp (calc)", "pinch-off voltages derived from V'p min, typ, max"],
        ["Vds (min/max)", "the smallest and largest drain voltage of the cases analysed"],
        ["Bias Analysis", "Id (mA), Pd (mW) and Tj (&deg;C) at each case temperature; in the "
                          "statistical analysis Id as min / max, Pd the largest and Tj at that Pd"],
        ["Sensitivity Analysis", "the change of Id and Vds over the whole range of V'p, of Idss and "
                                 "of temperature; the Rs row is the current lost (and the change of "
                                 "the voltage drop) when a standard Rs sits at the top of its "
                                 "tolerance band, 0 with exact values"],
    ], ["150", ""]))
    b.append("<h2><a name='warnings'></a>Status messages</h2>")
    b.append(table(["Condition", "Status bar"], [
        ["everything in order", light("grn", "Normal")],
        ["hottest junction at or above the limit of Preferences", light("yel", "Caution: Tj &gt; 150 &deg;C.")],
        ["Vdd + Vgs below the wanted Vds", light("yel", "Vdd too low, cannot meet Vds target; setting Rd = 0")],
        ["Rd out and Vdd + Vgs &le; 0", light("yel", "Vds is zero or negative - Vdd too low")],
        ["positive V'p (wrong sign of the data)", light("yel", "Data error: Vgs &gt; 0")],
        ["statistical analysis with standard values, Vds more than 20 % from the target",
         light("yel", "Vds is 20% &gt; or &lt; target Vds due to standard values tolerance ...")],
        ["Vdd + Vgs &le; 0 with Rd in", light("orn", "Vds is zero or negative - Vdd too low; setting Rd = 0")],
        ["a case leaves Vds below zero", light("orn", "Error: Vds min/max negative value - ...")],
        ["an arithmetic fault (data that make no circuit)", light("red", "Error in FET bias calculation ...")],
    ], ["260", ""]))
    b.append("<h2><a name='examples'></a>Worked example</h2>")
    b.append(f"<p>The defaults with exact values (Preferences: <i>Math Correct</i>): Vp = &minus;0.5 / "
             f"(1 &minus; &radic;0.1) = {fmt(ex['vp'], 3)} V; Rs = {fmt(-ex['vp'], 3)} &middot; (1 &minus; "
             f"&radic;(20/65)) / 0.020 = {fmt(ex['rs_exact'], 2)} &Omega;; Vgs = {fmt(ex['vgs'], 3)} V; "
             f"Rd = (3 &minus; {fmt(-ex['vgs'], 3)} &minus; 2) / 0.020 = {fmt(ex['rd_exact'], 2)} &Omega;. "
             f"The circuit meets its targets, 20.0 mA at 2.00 V, so it dissipates 40 mW and the "
             f"junction runs 300 &times; 0.040 = 12 &deg;C above the case.</p>")
    b.append(f"<p>With the start-up preferences (standard values, 5 %) Rs is built as "
             f"{st['rs']:.0f} &Omega; and Rd as {st['rd']:.0f} &Omega;; the smaller Rs lets the "
             f"typical device draw {st['id'] * 1000:.1f} mA at Vgs = {fmt(st['vgs'], 3)} V and "
             f"Vds = {st['vds']:.2f} V:</p>")
    rows = [["Id (mA)"] + [f"{c[1] * 1000:.1f}" for c in st["cols"]],
            ["Pd (mW)"] + [f"{c[2] * 1000:.0f}" for c in st["cols"]],
            ["Tj (&deg;C)"] + [fmt(c[3], 0) for c in st["cols"]]]
    b.append(table([""] + [f"Tc = {fmt(c[0], 0)} &deg;C" for c in st["cols"]], rows, ["90", "", "", ""]))
    b.append("<p>Idss falls by 0.13 %/&deg;C, so the current falls as the case warms; the hottest "
             "junction is well below the 150 &deg;C limit and the status shows Normal.</p>")
    b.append("<p>See also: <a href=\"topic1.html\">Korvel Help</a> for the conventions shared by all "
             "calculator windows.</p>")
    return page("FET Bias", "\n".join(b), "../icons/fetbias.svg")


# --- topics 37 and 38: RFIC bias ----------------------------------------------------------

def rfic_common_model():
    return [
        "<h2><a name='model'></a>The model</h2>",
        "<p>Each part is chosen so that, at the lowest operating frequency, it costs no more than "
        "the loss of the design rule. A lossless reactance X in series with a Z0 line, or across "
        "it, has the insertion loss</p>",
        '<p class="formula">&nbsp;&nbsp;&nbsp;series: L = 10&middot;log10(1 + (X / 2Z0)&sup2;)'
        '<br>&nbsp;&nbsp;&nbsp;shunt: &nbsp;L = 10&middot;log10(1 + (Z0 / 2X)&sup2;)</p>',
        "<p>so the largest series reactance and the smallest shunt reactance the rule allows are</p>",
        '<p class="formula">&nbsp;&nbsp;&nbsp;Xs = 2&middot;Z0&middot;&radic;(10^(L/10) &minus; 1)'
        '<br>&nbsp;&nbsp;&nbsp;Xp = Z0 / (2&middot;&radic;(10^(L/10) &minus; 1))</p>',
        "<p>and, with &omega; = 2&pi;f at the lowest frequency, Cin = Cout = 1/(&omega;&middot;Xs) and "
        "RFC = Xp/&omega;. The bypass capacitor Cb at the cold end of the choke is the bypass ratio "
        "of Preferences (Z0 : Xc, 200 : 1 by default) times Cin, so that its reactance is small "
        "against everything around it. With standard values on, Cin, Cout and the choke are rounded "
        "to the tolerance series before the losses are worked out, and Cb is shown rounded.</p>",
        "<p>The parts are taken as ideal: no series resistance, no self-resonance. Choose real "
        "capacitors and chokes whose self-resonant frequency lies well above the highest operating "
        "frequency; a choke used above its resonance becomes a capacitor. <b>Cb Read Me</b> explains "
        "why more bypassing may still help the intercept point.</p>",
    ]


def topic37():
    xs, xp = series_x(0.1, 50), shunt_x(0.1, 50)
    w1, w2 = 2 * PI * 834e6, 2 * PI * 1910e6
    cin = 1 / (w1 * xs)
    rfc = xp / w1
    cap2 = 2 * loss_db(1 / (w2 * cin), 50)
    rfc2 = loss_db(50, w2 * rfc)
    f3 = shunt_x(3, 50) / (2 * PI * rfc)
    b = []
    b.append('<table cellspacing="0" cellpadding="6"><tr><td valign="top">'
             '<img src="vbias-cin-cout.svg" width="300" height="240" alt="Voltage-biased RFIC circuit">'
             '</td><td valign="top">')
    b.append("<p>The <b>Voltage-Biased RFIC</b> calculator sizes the parts around an RF integrated "
             "amplifier that is fed straight from its supply: the DC-blocking capacitors <b>Cin</b> "
             "and <b>Cout</b>, the RF choke <b>RFC</b> that feeds DC to the output pin, and the "
             "bypass capacitor <b>Cb</b> at the supply end of the choke.</p>")
    b.append("<p>It then shows what the parts cost in two bands, at the lowest frequency F1 and at "
             "the highest frequency F2 (or the two ends of a dual-band system): the loss of the "
             "capacitors, of the choke, the total and the gain that is left of the stage.</p>")
    b.append("<p>Open it from the catalogue: <b>Active Circuits &gt; Voltage Biased RFIC "
             "Circuits</b>. Click Cin or Cout in the drawing (or use <b>Select Parameters</b>) to "
             "take a capacitor out, for a device with internal blocking.</p></td></tr></table>")
    b += rfic_common_model()
    b.append("<p>In each band the capacitor loss is the series loss of Cin plus that of Cout (each "
             "only if it is in the circuit), the choke loss the shunt loss of the RFC; the total is "
             "their sum and the overall gain the stage gain less the total. With both capacitors out "
             "the low end is set by the choke alone; <b>f -3dB</b> is the frequency at which it "
             "costs 3 dB.</p>")
    b.append("<h2><a name='inputs'></a>Inputs</h2>")
    b.append(table(["Box", "Meaning", "Default"], [
        ["F1", "lowest operating frequency, or low end of a dual-band system", "834 MHz"],
        ["F2", "highest operating frequency, or high end of a dual-band system", "1910 MHz"],
        ["Z0", "source and load impedance", "50 &Omega;"],
        ["Stage gain", "gain (or loss) of the device", "17 dB"],
        ["Design Rule", "loss allowed per element: 0.1, 0.25, 0.5 or 0.01 dB", "0.1 dB"],
    ], ["110", "", "110"]))
    b.append("<h2><a name='examples'></a>Worked example</h2>")
    b.append(f"<p>The defaults with exact values: Xs = 2&middot;50&middot;&radic;(10^0.01 &minus; 1) = "
             f"{xs:.2f} &Omega;, so Cin = Cout = 1/(2&pi;&middot;834 MHz&middot;{xs:.2f} &Omega;) = "
             f"{cin * 1e12:.2f} pF; Xp = 50/(2&middot;{math.sqrt(10 ** 0.01 - 1):.4f}) = {xp:.1f} &Omega;, "
             f"so RFC = {rfc * 1e9:.2f} nH; Cb = 200 &times; Cin = {200 * cin * 1e9:.2f} nF.</p>")
    b.append(table(["", "at F1 = 834 MHz", "at F2 = 1910 MHz"], [
        ["Loss due to Caps", "0.20 dB", f"{cap2:.2f} dB"],
        ["Loss due to RFC + Cb", "0.10 dB", f"{rfc2:.2f} dB"],
        ["Total Loss", "0.30 dB", f"{cap2 + rfc2:.2f} dB"],
        ["Overall Gain", "16.70 dB", f"{17 - cap2 - rfc2:.2f} dB"],
    ], ["170", "", ""]))
    b.append(f"<p>At F1 each of the three elements costs exactly the 0.1 dB of the rule; at F2 the "
             f"capacitors' reactance is smaller and the choke's larger, so both losses fall. With "
             f"Cin and Cout both out, f -3dB = {f3 / 1e6:.2f} MHz.</p>")
    b.append("<p>See also: <a href=\"topic38.html\">Current-Biased RFIC</a>, "
             "<a href=\"topic1.html\">Korvel Help</a>.</p>")
    return page("Voltage-Biased RFIC", "\n".join(b), "../icons/vbias3.svg")


def topic38():
    rb = (12 - 5.5) / 0.060
    x = 2 * PI * 450e6 * 350e-9
    mag2 = rb * rb + x * x
    bias_loss = 10 * math.log10((1 + 50 * rb / (2 * mag2)) ** 2 + (50 * x / (2 * mag2)) ** 2)
    cols = []
    for t in (-25.0, 25.0, 85.0):
        shift = (25 - t) * -0.008
        ids = [(12 - vd + shift) / rb for vd in (4.4, 5.5, 6.6)]
        pd = ids[1] * 5.5
        cols.append((t, ids, pd, t + 125 * pd))
    pdr = max((12 - (5.5 - (25 - t) * -0.008)) ** 2 / rb for t in (-25.0, 25.0, 85.0))
    b = []
    b.append('<table cellspacing="0" cellpadding="6"><tr><td valign="top">'
             '<img src="ibias-cin-cout.svg" width="300" height="240" alt="Current-biased RFIC circuit">'
             '</td><td valign="top">')
    b.append("<p>The <b>Current-Biased RFIC</b> calculator is for devices that are fed through a "
             "bias resistor: <b>Rbias</b> in series with the RF choke sets the device current "
             "against the device's own voltage Vd, much as a resistor sets the current of a zener "
             "diode. It designs Rbias for the target current, sizes Cin, Cout and Cb as the "
             "voltage-biased window does, and reports the loss of the bias branch.</p>")
    b.append("<p>It then analyses the device current over the spread of Vd (minimum, typical, "
             "maximum) and over case temperature, with the device's dissipation and junction "
             "temperature.</p>")
    b.append("<p>Open it from the catalogue: <b>Active Circuits &gt; Current Biased RFIC "
             "Circuits</b>.</p></td></tr></table>")
    b += rfic_common_model()
    b.append("<p>The bias resistor and the current it gives:</p>")
    b.append('<p class="formula">&nbsp;&nbsp;&nbsp;Rbias = (Vs &minus; Vd,typ) / Id'
             '<br>&nbsp;&nbsp;&nbsp;Id(T) = (Vs &minus; Vd &minus; (T &minus; 25)&middot;dVd/dT) / Rbias</p>')
    b.append("<p>The lowest Vd gives the largest current. The dissipation is that of the typical "
             "device, Pd = Id,typ(T)&middot;Vd,typ, and Tj = T + &theta;&middot;Pd. The bias branch "
             "Rbias + jX (X = 2&pi;F&middot;RFC, the choke seen from the line) hangs across the line "
             "and costs</p>")
    b.append('<p class="formula">&nbsp;&nbsp;&nbsp;L = 10&middot;log10[(1 + Z0&middot;Rbias/(2(Rbias&sup2; '
             '+ X&sup2;)))&sup2; + (Z0&middot;X/(2(Rbias&sup2; + X&sup2;)))&sup2;]</p>')
    b.append("<p>A supply at or below the typical device voltage leaves no room for a resistor: "
             "no current flows and the status bar shows the out-of-regulation warning. The same "
             "warning appears when any device of the spread would starve at any temperature.</p>")
    b.append("<h2><a name='inputs'></a>Inputs</h2>")
    b.append(table(["Box", "Meaning", "Default"], [
        ["F (low)", "lowest operating frequency", "450 MHz"],
        ["Z0", "source and load impedance", "50 &Omega;"],
        ["Vs", "supply voltage", "12 V"],
        ["Vd min, typ, max", "device voltage at 25 &deg;C", "4.4, 5.5, 6.6 V"],
        ["Id at 25 &deg;C", "target device current", "60 mA"],
        ["dVd/dT", "temperature coefficient of Vd", "&minus;8 mV/&deg;C"],
        ["&theta;", "device thermal resistance", "125 &deg;C/W"],
        ["Tcase", "lowest and highest case temperature (the middle one is 25 &deg;C)", "&minus;25, 85 &deg;C"],
        ["RFC", "the choke in series with Rbias, 0 if none", "350 nH"],
    ], ["110", "", "120"]))
    b.append("<h2><a name='warnings'></a>Status messages</h2>")
    b.append(table(["Condition", "Status bar"], [
        ["everything in order", light("grn", "Normal")],
        ["hottest junction above the limit of Preferences", light("yel", "Caution: Tj &gt; 150 &deg;C.")],
        ["a current at or below zero", light("orn", "Out of regulation condition - zero Id")],
    ], ["260", ""]))
    b.append("<h2><a name='examples'></a>Worked example</h2>")
    b.append(f"<p>The defaults with exact values: Rbias = (12 &minus; 5.5)/0.060 = {rb:.1f} &Omega;; "
             f"the choke's 350 nH is {x:.0f} &Omega; at 450 MHz, so the bias branch costs "
             f"{bias_loss:.2f} dB. At 85 &deg;C the device voltage is 60 &times; 8 mV = 0.48 V lower, "
             f"which raises the current:</p>")
    rows = [["Id max (mA)"] + [f"{c[1][0] * 1000:.1f}" for c in cols],
            ["Id typ (mA)"] + [f"{c[1][1] * 1000:.1f}" for c in cols],
            ["Id min (mA)"] + [f"{c[1][2] * 1000:.1f}" for c in cols],
            ["Pd (mW)"] + [f"{c[2] * 1000:.1f}" for c in cols],
            ["Tj (&deg;C)"] + [f"{c[3]:.1f}" for c in cols]]
    b.append(table(["Tcase"] + [f"{fmt(c[0], 0)} &deg;C" for c in cols], rows, ["110", "", "", ""]))
    b.append(f"<p>Rbias dissipates up to {pdr * 1000:.1f} mW, at the hottest case where the device "
             f"voltage is lowest. The hottest junction ({cols[2][3]:.1f} &deg;C) is below the "
             f"150 &deg;C limit, so the status shows Normal.</p>")
    b.append("<p>See also: <a href=\"topic37.html\">Voltage-Biased RFIC</a>, "
             "<a href=\"topic1.html\">Korvel Help</a>.</p>")
    return page("Current-Biased RFIC", "\n".join(b), "../icons/ibias3.svg")


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "files")
    folder = os.path.join(out, "help")
    os.makedirs(folder, exist_ok=True)
    files = {"fetbias-rd.svg": fet_svg(True), "fetbias-short.svg": fet_svg(False)}
    for prefix, current in (("vbias", False), ("ibias", True)):
        for cin in (True, False):
            for cout in (True, False):
                name = f"{prefix}-{'cin' if cin else 'nocin'}-{'cout' if cout else 'nocout'}.svg"
                files[name] = rfic_svg(current, cin, cout)
    files["topic36.html"] = topic36()
    files["topic37.html"] = topic37()
    files["topic38.html"] = topic38()
    for name, text in files.items():
        with open(os.path.join(folder, name), "w", encoding="utf-8") as fh:
            fh.write(text)
    print("wrote", ", ".join(files))


if __name__ == "__main__":
    main()
