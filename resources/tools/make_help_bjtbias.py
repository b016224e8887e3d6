#!/usr/bin/env python3
"""Writes the help pages of the five bipolar bias windows (help/topic31.html .. topic35.html)
and their circuit drawings (help/bjtbias1.svg .. bjtbias5.svg), which the windows show too.

The worked examples are computed here by a second, plain implementation of the networks'
equations, so the pages cannot drift from the program without the drive tests noticing.

Usage: python3 make_help_bjtbias.py [OUTPUT_FOLDER]   (default: ../files beside this script)
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_help import key, light, page, table  # noqa: E402

INK = "#23364D"
WIRE = "#23364D"
PART = "#A8621A"
NOTE = "#1F5FA6"

# ---- Drawing kit: 200 x 200 view box, wires on a coarse grid -------------------------------


def svg(body):
    return ('<?xml version="1.0" encoding="UTF-8"?>\n'
            '<svg xmlns="http://www.w3.org/2000/svg" version="1.2" baseProfile="tiny" '
            'width="200" height="200" viewBox="0 0 200 200">\n'
            '<rect x="0" y="0" width="200" height="200" fill="#FFFFFF"/>\n' + body + '</svg>\n')


def wire(*pts):
    d = " ".join(f"{x},{y}" for x, y in pts)
    return f'<polyline points="{d}" fill="none" stroke="{WIRE}" stroke-width="1.6"/>\n'


def dot(x, y):
    return f'<circle cx="{x}" cy="{y}" r="2.6" fill="{WIRE}"/>\n'


def text(x, y, s, anchor="start", size=12, colour=INK, bold=True):
    weight = ' font-weight="bold"' if bold else ""
    return (f'<text x="{x}" y="{y}" font-family="DejaVu Sans, sans-serif" font-size="{size}"'
            f'{weight} text-anchor="{anchor}" fill="{colour}">{s}</text>\n')


def zigzag(points):
    d = " ".join(f"{x:.1f},{y:.1f}" for x, y in points)
    return f'<polyline points="{d}" fill="none" stroke="{PART}" stroke-width="1.8"/>\n'


def resistor_v(x, y1, y2, name, side="right"):
    """A resistor on the vertical wire x from y1 to y2, its body 30 long in the middle."""
    mid = (y1 + y2) / 2
    a, b = mid - 15, mid + 15
    pts = [(x, a)]
    for i in range(6):
        pts.append((x + (6 if i % 2 == 0 else -6), a + 2.5 + 5 * i))
    pts.append((x, b))
    out = wire((x, y1), (x, a)) + zigzag(pts) + wire((x, b), (x, y2))
    if side == "right":
        out += text(x + 10, mid + 4, name)
    else:
        out += text(x - 10, mid + 4, name, anchor="end")
    return out


def resistor_h(x1, x2, y, name):
    """A resistor on the horizontal wire y from x1 to x2, its body 30 long in the middle."""
    mid = (x1 + x2) / 2
    a, b = mid - 15, mid + 15
    pts = [(a, y)]
    for i in range(6):
        pts.append((a + 2.5 + 5 * i, y + (-6 if i % 2 == 0 else 6)))
    pts.append((b, y))
    return wire((x1, y), (a, y)) + zigzag(pts) + wire((b, y), (x2, y)) + text(mid, y - 10, name, anchor="middle")


def ground(x, y):
    return (wire((x, y - 8), (x, y)) +
            f'<line x1="{x - 10}" y1="{y}" x2="{x + 10}" y2="{y}" stroke="{WIRE}" stroke-width="1.8"/>\n'
            f'<line x1="{x - 6}" y1="{y + 4}" x2="{x + 6}" y2="{y + 4}" stroke="{WIRE}" stroke-width="1.6"/>\n'
            f'<line x1="{x - 2}" y1="{y + 8}" x2="{x + 2}" y2="{y + 8}" stroke="{WIRE}" stroke-width="1.4"/>\n')


def rail(x1, x2, y=16):
    return (f'<line x1="{x1}" y1="{y}" x2="{x2}" y2="{y}" stroke="{WIRE}" stroke-width="2.4"/>\n'
            + text(x1 - 4, y + 4, "Vcc", anchor="end"))


# The transistor: base lead enters at (BX, BY); collector leaves upwards at (CX, CY), emitter
# downwards at (CX, EY).
BX, BY = 88, 115
CX, CY, EY = 132, 90, 140


def npn():
    bar = 108
    out = f'<circle cx="{bar + 8}" cy="{BY}" r="22" fill="#F4F7FB" stroke="{INK}" stroke-width="1.2"/>\n'
    out += wire((BX, BY), (bar, BY))
    out += f'<line x1="{bar}" y1="{BY - 13}" x2="{bar}" y2="{BY + 13}" stroke="{WIRE}" stroke-width="3"/>\n'
    out += wire((bar, BY - 6), (CX, BY - 18), (CX, CY))
    out += wire((bar, BY + 6), (CX, BY + 18), (CX, EY))
    # Emitter arrow, pointing out of the device.
    out += f'<polygon points="{CX},{BY + 18} {CX - 9},{BY + 17} {CX - 4},{BY + 10}" fill="{WIRE}"/>\n'
    return out


def network_svg(n):
    out = npn()
    if n == 1:
        out += rail(40, 170)
        out += resistor_v(60, 16, BY, "RB", side="left") + wire((60, BY), (BX, BY)) + dot(60, 16)
        out += resistor_v(CX, 16, CY, "RC") + dot(CX, 16)
        out += ground(CX, 178) + wire((CX, EY), (CX, 170))
    elif n == 2:
        out += rail(40, 170)
        out += resistor_v(CX, 16, 62, "RC") + dot(CX, 16)
        out += wire((CX, 62), (CX, CY)) + dot(CX, 62)
        out += resistor_h(60, CX, 62, "RB") + wire((60, 62), (60, BY), (BX, BY))
        out += ground(CX, 178) + wire((CX, EY), (CX, 170))
    elif n == 3:
        out += rail(40, 170)
        out += resistor_v(CX, 16, 56, "RC") + dot(CX, 16)
        out += wire((CX, 56), (CX, CY)) + dot(CX, 56)
        out += resistor_v(40, 56, BY, "RB1", side="left") + wire((40, 56), (CX, 56))
        out += dot(40, BY) + resistor_h(40, BX, BY, "RB")
        out += resistor_v(40, BY, 170, "RB2", side="left") + ground(40, 178)
        out += ground(CX, 178) + wire((CX, EY), (CX, 170))
    elif n == 4:
        out += rail(40, 170)
        out += resistor_v(CX, 16, 62, "RC") + dot(CX, 16)
        out += wire((CX, 62), (CX, CY)) + dot(CX, 62)
        out += resistor_h(60, CX, 62, "RB1") + wire((60, 62), (60, BY), (BX, BY)) + dot(60, BY)
        out += resistor_v(60, BY, 170, "RB2", side="left") + ground(60, 178)
        out += ground(CX, 178) + wire((CX, EY), (CX, 170))
    else:
        out += rail(40, 170)
        out += wire((CX, 16), (CX, CY)) + dot(CX, 16)
        out += resistor_v(60, 16, BY, "RB1", side="left") + dot(60, 16) + wire((60, BY), (BX, BY)) + dot(60, BY)
        out += resistor_v(60, BY, 170, "RB2", side="left") + ground(60, 178)
        out += resistor_v(CX, EY, 170, "Re") + ground(CX, 178)
    return svg(out)


# ---- A plain second implementation of the networks, for the worked examples -----------------

DEFAULTS = dict(vcc=2.7, ic=0.005, vce=2.0, hfe=(50.0, 80.0, 150.0), icbo=0.1e-6, theta=300.0,
                tc=(-25.0, 25.0, 65.0), vbe=0.78, hfetc=0.5, vbetc=-2.0, factor=2.0, vmult=0.75,
                imult=0.1)


def f32(x):
    import struct
    return struct.unpack("f", struct.pack("f", x))[0]


def drive(p, h):
    ib = (p["ic"] - (1 + h) * p["icbo"]) / h
    rbe = 1 / (40 * ib)
    return ib, rbe, p["vbe"] - rbe * ib


def design(n, p):
    h = p["hfe"][1]
    ib, rbe, vbp = drive(p, h)
    vcc, vce, ic, vbe, icbo = p["vcc"], p["vce"], p["ic"], p["vbe"], p["icbo"]
    r = dict(rb=0.0, rc=0.0, rb1=0.0, rb2=0.0, re=0.0)
    extra = {}
    if n == 1:
        r["rb"] = f32((h * (vcc - vbp) + rbe * (h * icbo - ic)) / (ic - (1 + h) * icbo))
        r["rc"] = f32((vcc - vce) / ic)
    elif n == 2:
        r["rb"] = f32((vce - vbe) / ib)
        r["rc"] = f32((vcc - vce) / (ib + ic))
    elif n == 3:
        v2, i2 = p["vmult"] * vce, p["imult"] * ic
        extra = dict(v2=v2, i2=i2)
        r["rb2"] = f32(v2 / i2)
        r["rc"] = f32((vcc - vce) / (ic + i2 + ib))
        r["rb1"] = f32((vce - v2) / (ib + i2))
        r["rb"] = f32((v2 - vbe) / ib)
    elif n == 4:
        i2 = p["imult"] * ic
        extra = dict(i2=i2)
        r["rb2"] = f32(vbe / i2)
        r["rb1"] = f32((vce - r["rb2"] * i2) / (ib + i2))
        r["rc"] = f32((vcc - vce) / (ic + i2 + ib))
    else:
        i2 = p["imult"] * ic
        extra = dict(i2=i2)
        r["re"] = f32((vcc - vce) / (ib + ic))
        r["rb2"] = f32(((ib + ic) * r["re"] + vbe) / i2)
        r["rb1"] = f32((vcc - r["rb2"] * i2) / (ib + i2))
    return dict(ib=ib, rbe=rbe, vbp=vbp, r=r, **extra)


def current(n, p, r, h, rbe, vbp):
    vcc, icbo = p["vcc"], p["icbo"]
    rb, rc, rb1, rb2, re = r["rb"], r["rc"], r["rb1"], r["rb2"], r["re"]
    if n == 1:
        return h * (vcc - vbp) / (rb + rbe) + (1 + h) * icbo
    if n == 2:
        return (h * (vcc - vbp) + (rc + rb + rbe) * (1 + h) * icbo) / ((1 + h) * rc + rb + rbe)
    if n == 3:
        sig = rb1 + rb2 + rc
        ib3 = (rb2 * (vcc - (1 + h) * icbo * rc) - vbp * sig) / (sig * (rb + rbe) + rb2 * (rb1 + (1 + h) * rc))
        return h * ib3 + (1 + h) * icbo
    if n == 4:
        x = rc + rb1 + rbe + (rc + rb1) * rbe / rb2
        return (vcc - vbp * (1 + (rc + rb1) / rb2) + icbo * (1 + 1 / h) * x) / (rc + x / h)
    y = rbe + re + rb1 + rb1 * (rbe + re) / rb2
    return (vcc - vbp * (1 + rb1 / rb2) + icbo * (1 + 1 / h) * y) / (re * (1 + rb1 / rb2) + y / h)


def derivative(f, x, step):
    return (f(x + step) - f(x - step)) / (2 * step)


def analyse(n, p, d, r):
    """The spread table; the sensitivities here are numerical derivatives of the closed form."""
    h = p["hfe"][1]
    rbe, vbp = d["rbe"], d["vbp"]
    s_icbo = derivative(lambda v: current(n, dict(p, icbo=v), r, h, rbe, vbp), p["icbo"], 1e-10)
    s_vbe = derivative(lambda v: current(n, p, r, h, rbe, v), vbp, 1e-5)
    s_hfe = derivative(lambda v: current(n, p, r, v, rbe, vbp), h, 1e-4)
    grid = []
    tjmax = None
    for t in p["tc"]:
        tj = p["theta"] * p["ic"] * p["vce"] + t + 273
        rise = tj - 298
        row = []
        for hk in p["hfe"]:
            _, rbe_k, vbp_k = drive(p, hk)
            ic = (current(n, p, r, hk, rbe_k, vbp_k) + s_icbo * (p["icbo"] * p["factor"] ** (rise / 10) - p["icbo"])
                  + s_vbe * rise * p["vbetc"] / 1000 + s_hfe * p["hfetc"] / 100 * rise * hk)
            row.append(ic)
            tjc = t + p["theta"] * ic * p["vce"]
            tjmax = tjc if tjmax is None or tjc > tjmax else tjmax
        grid.append(row)
    return dict(grid=grid, tjmax=tjmax, s=(s_icbo, s_vbe, s_hfe))


def fmt(v, places):
    return f"{v:.{places}f}"


# ---- The pages -------------------------------------------------------------------------------

NETWORKS = {
    1: dict(title="Base Bias Network", window="Base Bias Network (non-stabilized)",
            entry="Bipolar Xstr:  Base Bias", icon="Bias1a",
            what="the simplest bias: one resistor <b>RB</b> from the supply feeds the base, and "
                 "<b>RC</b> drops the supply to the wanted collector voltage. Nothing feeds the "
                 "collector current back, so the collector current follows hFE almost in "
                 "proportion: the network is the reference the other four are measured against.",
            design=["RB = [h&middot;(Vcc &minus; Vbe') + rbe&middot;(h&middot;Icbo &minus; Ic)] / (Ic &minus; (1 + h)&middot;Icbo)",
                    "RC = (Vcc &minus; Vce) / Ic"],
            current=["Ic(h) = h&middot;(Vcc &minus; Vbe') / (RB + rbe) + (1 + h)&middot;Icbo"],
            supply="the current in RB plus the collector current of the table at 25 &deg;C and typical hFE",
            res=[("RB", "rb"), ("RC", "rc")]),
    2: dict(title="Collector Feedback Bias Network", window="Collector Feedback Bias Network",
            entry="Bipolar Xstr: Collector FB", icon="Bias2",
            what="<b>RB</b> takes the base current from the collector instead of the supply. "
                 "When the collector current rises, the drop across <b>RC</b> grows, the "
                 "collector voltage falls and so does the base current: the stage regulates "
                 "itself. It costs one resistor and some gain (RB also feeds the output back to "
                 "the input at signal frequencies).",
            design=["RB = (Vce &minus; Vbe) / Ib", "RC = (Vcc &minus; Vce) / (Ib + Ic)"],
            current=["Ic(h) = [h&middot;(Vcc &minus; Vbe') + (RC + RB + rbe)&middot;(1 + h)&middot;Icbo] / "
                     "[(1 + h)&middot;RC + RB + rbe]"],
            supply="the current in RC, (Vcc &minus; Vce)/RC",
            res=[("RB", "rb"), ("RC", "rc")]),
    3: dict(title="V Feedback, Constant I Source Bias Network",
            window="V Feedback, Constant I Source Bias Network",
            entry="Bipolar Xstr: V-FB/I-Source", icon="Bias3",
            what="collector feedback through a divider: <b>RB1</b> from the collector to a "
                 "divider node, <b>RB2</b> from the node to ground, and <b>RB</b> from the node "
                 "into the base. The node voltage is a set fraction of Vce and the divider "
                 "carries a set multiple of Ic, so RB works almost as a current source into the "
                 "base while the collector still regulates the node.",
            design=["V(RB2) = VRB2Mult&middot;Vce, &nbsp; I(RB2) = IRB2Mult&middot;Ic",
                    "RB2 = V(RB2) / I(RB2)",
                    "RC = (Vcc &minus; Vce) / (Ic + I(RB2) + Ib)",
                    "RB1 = (Vce &minus; V(RB2)) / (Ib + I(RB2))",
                    "RB = (V(RB2) &minus; Vbe) / Ib"],
            current=["&Sigma; = RB1 + RB2 + RC",
                     "Ib = [RB2&middot;(Vcc &minus; (1 + h)&middot;Icbo&middot;RC) &minus; Vbe'&middot;&Sigma;] / "
                     "[&Sigma;&middot;(RB + rbe) + RB2&middot;(RB1 + (1 + h)&middot;RC)]",
                     "Ic(h) = h&middot;Ib + (1 + h)&middot;Icbo"],
            supply="the current in RC, (Vcc &minus; Vce)/RC",
            res=[("RC", "rc"), ("RB1", "rb1"), ("RB2", "rb2"), ("RB", "rb")]),
    4: dict(title="Voltage Feedback Bias Network", window="Voltage Feedback Bias Network",
            entry="Bipolar Xstr: Voltage FB", icon="Bias4",
            what="<b>RB1</b> from the collector to the base and <b>RB2</b> from the base to "
                 "ground. The divider current, a set multiple of Ic, is much larger than the "
                 "base current, so the base voltage is held by the collector voltage rather than "
                 "by hFE: the stage is stiff against gain spread, less so against Vbe drift.",
            design=["I(RB2) = IRB2Mult&middot;Ic", "RB2 = Vbe / I(RB2)",
                    "RB1 = (Vce &minus; RB2&middot;I(RB2)) / (Ib + I(RB2))",
                    "RC = (Vcc &minus; Vce) / (Ic + I(RB2) + Ib)"],
            current=["X = RC + RB1 + rbe + (RC + RB1)&middot;rbe/RB2",
                     "Ic(h) = [Vcc &minus; Vbe'&middot;(1 + (RC + RB1)/RB2) + Icbo&middot;(1 + 1/h)&middot;X] / [RC + X/h]"],
            supply="the current in RC, (Vcc &minus; Vce)/RC",
            res=[("RC", "rc"), ("RB1", "rb1"), ("RB2", "rb2")]),
    5: dict(title="Emitter Feedback Bias Network", window="Emitter Feedback Bias Network",
            entry="Bipolar Xstr: Emitter FB", icon="Bias5a",
            what="the collector sits on the supply, the emitter goes to ground through "
                 "<b>Re</b>, and the divider <b>RB1</b>/<b>RB2</b> holds the base. A rising "
                 "current raises the emitter and closes the base-emitter junction: the classic "
                 "stable bias, and the flattest collector-current table of the five.",
            design=["I(RB2) = IRB2Mult&middot;Ic", "Re = (Vcc &minus; Vce) / (Ib + Ic)",
                    "RB2 = ((Ib + Ic)&middot;Re + Vbe) / I(RB2)",
                    "RB1 = (Vcc &minus; RB2&middot;I(RB2)) / (Ib + I(RB2))"],
            current=["Y = rbe + Re + RB1 + RB1&middot;(rbe + Re)/RB2",
                     "Ic(h) = [Vcc &minus; Vbe'&middot;(1 + RB1/RB2) + Icbo&middot;(1 + 1/h)&middot;Y] / [Re&middot;(1 + RB1/RB2) + Y/h]"],
            supply="the divider current plus the base current, and the collector current of the table at 25 &deg;C and typical hFE",
            res=[("Re", "re"), ("RB1", "rb1"), ("RB2", "rb2")]),
}


def formulas(lines):
    return '<p class="formula">' + "<br>".join("&nbsp;&nbsp;&nbsp;" + x for x in lines) + "</p>"


def topic(n):
    net = NETWORKS[n]
    p = DEFAULTS
    d = design(n, p)
    a = analyse(n, p, d, d["r"])
    g = a["grid"]
    b = []
    b.append('<table cellspacing="0" cellpadding="6"><tr><td valign="top">'
             f'<img src="bjtbias{n}.svg" width="200" height="200" alt="Circuit"></td><td valign="top">')
    b.append(f"<p>The <b>{net['window']}</b> window designs the DC bias resistors of a bipolar "
             f"transistor stage for the operating point you ask for, and then tells you how far the "
             f"collector current of the finished circuit will wander over the spread of hFE and "
             f"over case temperature. This network is {net['what']}</p>")
    b.append(f"<p>Open it from the catalogue: <b>Active Circuits &gt; {net['entry'].strip()}</b>. "
             f"Press {key('F4')} (or <b>Calculate [F4]</b>) to design and analyse in one go.</p>")
    b.append("</td></tr></table>")

    b.append("<h2><a name='model'></a>The model</h2>")
    b.append("<p>The transistor is a base-emitter diode with its small-signal resistance and a "
             "leakage current. At the design point, with the typical hFE h:</p>")
    b.append(formulas(["Ib = (Ic &minus; (1 + h)&middot;Icbo) / h",
                       "rbe = 1 / (40&middot;Ib) &nbsp;&nbsp;(q/kT &asymp; 40 per volt)",
                       "Vbe' = Vbe &minus; rbe&middot;Ib = Vbe &minus; 25 mV"]))
    b.append("<p>The resistors follow from the operating point:</p>")
    b.append(formulas(net["design"]))
    b.append("<p>The built circuit's collector current, for any hFE h (rbe and Vbe' recomputed "
             "for that h), is the closed-form solution of the circuit:</p>")
    b.append(formulas(net["current"]))
    b.append("<p>The <b>stability factors</b> are the partial derivatives of that current with "
             "respect to Icbo, Vbe and hFE at the typical hFE; a small factor means a stage that "
             "shrugs off that parameter. Over temperature the junction runs at "
             "Tj = Tcase + &theta;jc&middot;Ic&middot;Vce (self-heating at the design point), and the three "
             "drifts from 25 &deg;C are added through the stability factors:</p>")
    b.append(formulas(["&Delta;Icbo = Icbo&middot;F<sup>(Tj &minus; 298)/10</sup> &minus; Icbo",
                       "&Delta;Vbe = (Tj &minus; 298)&middot;VbeTC",
                       "&Delta;hFE = hFETC&middot;(Tj &minus; 298)&middot;h",
                       "Ic(T, h) = Ic(h) + S<sub>Icbo</sub>&middot;&Delta;Icbo + S<sub>Vbe</sub>&middot;&Delta;Vbe + S<sub>hFE</sub>&middot;&Delta;hFE"]))
    b.append("<p><b>Accuracy.</b> The drifts are added linearly, so the table is good while each "
             "change is small against the operating point: a few tens of degrees and hFE within a "
             "factor of two or three of the typical value. Far outside that (a very steep hFE "
             "coefficient, a case at &minus;200 &deg;C) the sum can even turn negative, which the "
             "status bar reports as out of regulation. Temperatures are taken in kelvin as "
             "&deg;C + 273, and all coefficients are referred to 25 &deg;C (298 K).</p>")

    b.append("<h2><a name='inputs'></a>Inputs</h2>")
    rows = [["Vcc", "Collector supply voltage", "2.7 V", "above 0, up to 1000 V"],
            ["Ic", "Desired collector current", "5 mA", "above 0, up to 5000 mA"],
            ["Vce", "Desired collector-emitter voltage", "2 V", "above 0, below Vcc &minus; 0.001 V"],
            ["hFE min / typ / max", "Current gain spread", "50 / 80 / 150",
             "1 to 10000; typ between min and max"],
            ["Icbo", "Collector cut-off current at 25 &deg;C", "0.1 &micro;A", "above 0, up to 10<sup>6</sup> &micro;A"],
            ["&theta;jc", "Thermal resistance, junction to case", "300 &deg;C/W", "above 0, up to 5000"],
            ["Tcase", "Lowest and highest case temperature (the middle one is 25 &deg;C)", "&minus;25 / 65 &deg;C",
             "&minus;273 to 25 and 25 to 200; not 0"],
            ["Vbe", "Base-emitter voltage at 25 &deg;C", "0.78 V", "above 0, up to 5 V"],
            ["hFE TC", "Temperature coefficient of hFE", "0.5 %/&deg;C", "&minus;1000 to 1000, not 0"],
            ["Vbe TC", "Temperature coefficient of Vbe", "&minus;2 mV/&deg;C", "&minus;10000 to 10000, not 0"],
            ["Icbo x", "Icbo multiplier for every 10 &deg;C", "2", "above 0, up to 500"]]
    if n == 3:
        rows.append(["V(RB2)", "Divider node voltage as a fraction of Vce", "0.75", "above 0, up to 1"])
    if n >= 3:
        rows.append(["I(RB2)", "Divider current as a multiple of Ic", "0.1", "above 0, up to 100"])
    b.append(table(["Box", "Meaning", "Default", "Allowed"], rows, ["110", "", "110", "190"]))
    b.append("<p>The boxes are checked in the order of the form; the first one refused is marked "
             "yellow and nothing is calculated.</p>")

    b.append("<h2><a name='results'></a>Results</h2>")
    b.append(table(["Result", "Shown as"], [
        [", ".join(r for r, _ in net["res"]), "ohm: the exact value (\"Math Correct\") or the nearest standard value "
         "of the tolerance series chosen in <b>Options &gt; Preferences</b>"],
        ["Icc", f"supply current, mA: {net['supply']}"],
        ["Tj max", "hottest junction of the nine cases, &deg;C"],
        ["Ic max / Ic min", "current at the highest case temperature and maximum hFE over the one at the "
                            "lowest temperature and minimum hFE"],
        ["Stability Analysis", "the three stability factors, and the current change each drift causes at "
                               "typical hFE and the highest case temperature, with their total (mA)"],
        ["Collector Current", "the nine collector currents, mA: a row per case temperature, a column per hFE"]],
        ["150", ""]))
    b.append("<p>With standard values on, the rounded resistors are the ones analysed: the table "
             "shows the circuit you would actually build.</p>")

    b.append("<h2><a name='warnings'></a>Status bar</h2>")
    b.append(table(["Condition", "Status bar"], [
        ["all well", light("grn", "Normal")],
        ["Tj max not below the limit of <b>Preferences &gt; Device Max Temp Warning</b> (150 &deg;C)",
         light("yel", "Caution: Tj &gt; 150 &deg;C.")],
        ["the last analysed case ends with zero or negative current",
         light("orn", "Out of regulation condition, negative or zero Ic")],
        ["the arithmetic fails, typically when (1 + hFE)&middot;Icbo reaches Ic and no base current is left",
         light("red", "Bias calculation error - ...") + " (with the laser sound)"]], ["330", ""]))

    b.append("<h2><a name='examples'></a>Worked example</h2>")
    b.append(f"<p>With the window's defaults and <b>Math Correct</b> values chosen in the preferences, "
             f"Ib = {d['ib'] * 1e6:.2f} &micro;A and rbe = {d['rbe']:.1f} ohm; press {key('F4')}:</p>")
    b.append(table(["Resistor", "Value"], [[name, f"{d['r'][k]:.0f} ohm"] for name, k in net["res"]],
                   ["130", ""]))
    trows = []
    for t, row in zip(("&minus;25 &deg;C", "25 &deg;C", "65 &deg;C"), g):
        trows.append([t] + [fmt(x * 1000, 2) for x in row])
    b.append("<p>Collector current, mA:</p>")
    b.append(table(["Tcase", "hFE 50", "hFE 80", "hFE 150"], trows, ["100", "", "", ""]))
    ratio = round(g[2][2] * 1000, 2) / round(g[0][0] * 1000, 2)
    b.append(f"<p>Tj max = {fmt(a['tjmax'], 1)} &deg;C and Ic max / Ic min = {fmt(ratio, 1)}. The "
             "typical current at 25 &deg;C lies a little above the 5 mA asked for because the "
             "junction runs &theta;jc&middot;Ic&middot;Vce = 3 &deg;C above the case. The status bar shows "
             f"{light('grn', 'Normal')}.</p>")
    others = ", ".join(f'<a href="topic{30 + k}.html">{NETWORKS[k]["title"]}</a>' for k in NETWORKS if k != n)
    b.append(f"<p>See also the other bias networks: {others}; and <a href=\"topic1.html\">Korvel Help</a> "
             "for the conventions shared by all calculator windows.</p>")
    return page(net["title"], "\n".join(b), f"../icons/{net['icon']}.svg")


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "files")
    folder = os.path.join(out, "help")
    os.makedirs(folder, exist_ok=True)
    files = {}
    for n in NETWORKS:
        files[f"topic{30 + n}.html"] = topic(n)
        files[f"bjtbias{n}.svg"] = network_svg(n)
    for name, body in files.items():
        with open(os.path.join(folder, name), "w", encoding="utf-8") as fh:
            fh.write(body)
    print("wrote", ", ".join(files))


if __name__ == "__main__":
    main()
