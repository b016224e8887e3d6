#!/usr/bin/env python3
"""Writes TolvaneGuide.pdf, the short printed guide opened from the "Tolvane Guide" page.

The PDF is written by hand: four pages of text and simple vector drawings in the
standard Helvetica fonts (which every PDF reader carries, so nothing is embedded).
A cross-reference table with exact byte offsets makes the file valid for strict readers.

Usage: python3 make_guide_pdf.py [OUTPUT_FOLDER]   (default: ../files beside this script)
"""
import math
import os
import sys
import textwrap

W, H = 612, 792           # US Letter in points
MARGIN = 72
BLUE = (0.18, 0.49, 0.82)
DARK = (0.14, 0.21, 0.30)
SOFT = (0.36, 0.43, 0.53)
AMBER = (0.95, 0.70, 0.19)


def esc(text):
    return text.replace("\\", "\\\\").replace("(", "\\(").replace(")", "\\)")


def rgb(c, stroke=False):
    return "%.3f %.3f %.3f %s" % (c[0], c[1], c[2], "RG" if stroke else "rg")


class Page:
    def __init__(self, number=None, title=None):
        self.ops = []
        self.y = H - MARGIN
        self.number = number
        if title:
            self.band(title)

    def text(self, x, y, s, size=11, font="F1", color=DARK):
        self.ops.append(f"BT /{font} {size} Tf {rgb(color)} {x:.1f} {y:.1f} Td ({esc(s)}) Tj ET")

    def band(self, title):
        # A blue title band across the top of each content page.
        self.ops.append(f"{rgb(BLUE)} 0 {H - 96} {W} 96 re f")
        self.ops.append(f"{rgb(AMBER)} 0 {H - 100} {W} 4 re f")
        self.text(MARGIN, H - 60, title, 24, "F2", (1, 1, 1))
        self.y = H - 140

    def heading(self, s):
        self.y -= 8
        self.text(MARGIN, self.y, s, 14, "F2", BLUE)
        self.y -= 20

    def para(self, s, size=11, indent=0, width=84):
        for line in textwrap.wrap(s, width - indent // 6):
            self.text(MARGIN + indent, self.y, line, size)
            self.y -= size * 1.45
        self.y -= 6

    def bullets(self, items, size=11):
        for item in items:
            lines = textwrap.wrap(item, 78)
            self.ops.append(f"{rgb(BLUE)} {MARGIN + 4:.1f} {self.y + 2.5:.1f} 4 4 re f")
            for line in lines:
                self.text(MARGIN + 16, self.y, line, size)
                self.y -= size * 1.45
            self.y -= 3
        self.y -= 6

    def pairs(self, rows, key_width=150, size=11, bold_keys=True):
        for key, value in rows:
            lines = textwrap.wrap(value, 58)
            self.text(MARGIN, self.y, key, size, "F2" if bold_keys else "F1", DARK)
            for line in lines:
                self.text(MARGIN + key_width, self.y, line, size)
                self.y -= size * 1.45
            self.y -= 4
        self.y -= 6

    def keycap(self, label, desc_lines):
        # A drawn key top with its label, and the description to its right.
        x, y = MARGIN, self.y - 6
        self.ops.append(f"{rgb((0.90, 0.93, 0.97))} {x} {y} 44 26 re f")
        self.ops.append(f"{rgb(SOFT, True)} 1 w {x} {y} 44 26 re S")
        self.ops.append(f"{rgb((0.75, 0.80, 0.87))} {x} {y} 44 3 re f")
        self.text(x + 22 - 3.3 * len(label), y + 9, label, 12, "F2")
        yy = self.y + 6
        for k, line in enumerate(desc_lines):
            self.text(MARGIN + 60, yy, line, 12 if k == 0 else 11, "F2" if k == 0 else "F1")
            yy -= 15
        self.y = min(yy, y) - 14

    def footer(self):
        if self.number is not None:
            self.ops.append(f"{rgb((0.80, 0.84, 0.90), True)} 0.8 w {MARGIN} 54 m {W - MARGIN} 54 l S")
            self.text(MARGIN, 40, "Tolvane Guide", 9, "F1", SOFT)
            self.text(W - MARGIN - 36, 40, f"Page {self.number}", 9, "F1", SOFT)

    def stream(self):
        self.footer()
        return "\n".join(self.ops).encode("latin-1")


def circle_path(cx, cy, r):
    """Four Bezier quarter arcs approximating a circle."""
    k = 0.5523 * r
    return (f"{cx + r:.2f} {cy:.2f} m "
            f"{cx + r:.2f} {cy + k:.2f} {cx + k:.2f} {cy + r:.2f} {cx:.2f} {cy + r:.2f} c "
            f"{cx - k:.2f} {cy + r:.2f} {cx - r:.2f} {cy + k:.2f} {cx - r:.2f} {cy:.2f} c "
            f"{cx - r:.2f} {cy - k:.2f} {cx - k:.2f} {cy - r:.2f} {cx:.2f} {cy - r:.2f} c "
            f"{cx + k:.2f} {cy - r:.2f} {cx + r:.2f} {cy - k:.2f} {cx + r:.2f} {cy:.2f} c")


def title_page():
    p = Page()
    p.ops.append(f"{rgb((0.08, 0.23, 0.44))} 0 0 {W} {H} re f")
    # A faint impedance chart: the constant-resistance circles of a reflection chart.
    cx, cy, R = 306, 420, 190
    p.ops.append(f"{rgb((0.35, 0.55, 0.80), True)} 1.2 w")
    for r in (0.0, 0.33, 1.0, 3.0):
        rr = R / (1 + r)
        p.ops.append(circle_path(cx + R - rr, cy, rr) + " S")
    p.ops.append(f"{cx - R} {cy} m {cx + R} {cy} l S")
    # An amber sine wave under the title.
    pts = [(110 + 392 * i / 120, 300 + 14 * math.sin(2 * math.pi * 3 * i / 120)) for i in range(121)]
    p.ops.append(f"{rgb(AMBER, True)} 3 w 1 J " + f"{pts[0][0]:.1f} {pts[0][1]:.1f} m "
                 + " ".join(f"{x:.1f} {y:.1f} l" for x, y in pts[1:]) + " S")
    p.text(150, 560, "Tolvane Guide", 46, "F2", (1, 1, 1))
    p.text(150, 526, "Choosing and using the Korvel RF design calculators", 14, "F1", (0.80, 0.88, 0.98))
    p.text(150, 200, "Velmar RF Semiconductors", 14, "F2", (1, 1, 1))
    p.text(150, 182, "Korvel for Linux", 11, "F1", (0.80, 0.88, 0.98))
    return p


def choosing_page():
    p = Page(2, "Choosing a calculator")
    p.para("The catalogue runs down the left edge of the Korvel main window. It is divided into "
           "groups: click a group's caption to open it, then click an icon to open that "
           "calculator. While a calculator is open the catalogue steps aside; the Main Menu "
           "button or the F8 key closes the calculator and brings the catalogue back.")
    p.heading("The groups")
    p.pairs([
        ("Velmar", "This guide, design data on the web, Velmar RF semiconductors, how to "
                   "contact Velmar, and the About Korvel page."),
        ("Circuit Design", "Everything S-Parameters: reads .s1p and .s2p files and shows gain, "
                           "stability, matching and noise as tables and rectangular, polar and "
                           "Smith charts."),
        ("Active Circuits", "Voltage- and current-biased RFIC bias, large- and small-signal "
                            "Schottky detectors, FET source-resistor bias, five bipolar "
                            "transistor bias networks and amplifier efficiency."),
        ("Passive Circuits", "Balun, microstrip, coplanar waveguide, stripline, parallel line, "
                             "wire over groundplane, round and square coax, trough line and slab "
                             "line."),
        ("Signals-Systems", "Reflection calculator, cascaded noise figure and gain (NoiseCalc), "
                            "mixer spurs and intercept point."),
        ("Reliability", "Device thermal calculator and the SPCS information pages."),
        ("Engr Tools", "Complex math RF calculator, standard component values and engineering "
                       "constants."),
    ], key_width=120)
    p.heading("Which one do I need?")
    p.pairs([
        ("Impedance of a line", "Open the calculator for its cross-section and press F4."),
        ("Size for an impedance", "The coax family (round, square, slab and trough) and the two "
                                  "wire lines find a dimension from Z0: press F3."),
        ("Return loss or VSWR", "Reflection Calculator: type any one quantity, press Enter."),
        ("Receiver sensitivity", "NoiseCalc: cascaded noise figure, gain and intercept point."),
        ("Bias resistor values", "The bipolar, FET and RFIC bias calculators."),
        ("Is the part too hot?", "Device Thermal Calculator."),
    ], key_width=150, bold_keys=False)
    return p


def units_page():
    p = Page(3, "Units")
    p.para("Every value is typed as a plain number such as 100, 0.43 or 2.5e-3, never with a "
           "unit after it. Its unit comes from the selector that belongs to the box:")
    p.pairs([
        ("Frequency", "GHz, MHz, kHz, Hz"),
        ("Length", "mils, inches, meters, cm, mm, um  (1 mil = 0.001 inch = 25.4 um)"),
        ("Angle", "degrees, radians"),
    ], key_width=100)
    p.para("Korvel converts every input to SI base units (hertz, metres, radians), computes in "
           "double precision and converts the results back into the units you have chosen. "
           "Wavelength, for example, is shown in the length unit of the window.")
    p.heading("Changing a unit")
    p.bullets([
        "Changing a unit never recalculates. The results keep their values, in the old unit, "
        "until you calculate again.",
        "Open a selector with the mouse or from the Select Parameters menu. Enter takes the "
        "highlighted entry; Escape puts back the entry that was selected when the list opened.",
        "When the list closes, the Calculate button has the focus, so Enter calculates at once.",
    ])
    p.heading("Reading the results")
    p.para("The status bar at the bottom of the window says how far to trust the answer:")
    p.pairs([
        ("Green", "Normal: the inputs lie where the model is accurate."),
        ("Yellow", "The inputs are near the edge of the model; the result may be less accurate."),
        ("Red", "The inputs are far outside the model's range; treat the result with care."),
    ], key_width=100)
    p.para("A warning never withholds a result: the numbers are shown and the status bar "
           "carries the warning. An input that cannot be used is marked in yellow and a "
           "message says what is wrong.")
    return p


def keys_page():
    p = Page(4, "Keyboard keys")
    p.para("The function keys work in every calculator window, wherever the cursor is:")
    p.y -= 6
    p.keycap("F1", ["Help", "Opens the help page of the window you are in."])
    p.keycap("F3", ["Second calculation", "Where a window has one: the synthesis, such as",
                    "Calculate D2 in Round Coax (a dimension from Z0)."])
    p.keycap("F4", ["Calculate", "The window's main calculation, such as Calculate Z0",
                    "(impedance from the dimensions)."])
    p.keycap("F8", ["Main Menu", "Closes the calculator and returns to the catalogue.",
                    "Nothing is kept: the next opening starts from the defaults."])
    p.heading("A worked example")
    p.para("Open Coax (Round) in the Passive Circuits group. The window starts with an outer "
           "diameter of 100 mils, an inner diameter of 43 mils, free space (Er = 1), 1 GHz and "
           "a length of 1000 mils. Press F4: Z0 = 50.6 ohms, D1/D2 = 2.326, a wavelength of "
           "11802.853 mils and an electrical length of 30.5 degrees, with a green Normal status.")
    p.para("Now choose PTFE (Er = 2.1) or type 2.1 as a custom dielectric, enter 50 as Z0 and "
           "press F3: the inner diameter becomes 29.866 mils.")
    return p


def build_pdf(pages):
    objects = []

    def add(body):
        objects.append(body)
        return len(objects)

    catalog = add(None)
    pages_obj = add(None)
    f1 = add(b"<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica /Encoding /WinAnsiEncoding >>")
    f2 = add(b"<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica-Bold /Encoding /WinAnsiEncoding >>")
    kids = []
    for page in pages:
        data = page.stream()
        content = add(b"<< /Length %d >>\nstream\n" % len(data) + data + b"\nendstream")
        kids.append(add(("<< /Type /Page /Parent %d 0 R /MediaBox [0 0 %d %d] "
                         "/Resources << /Font << /F1 %d 0 R /F2 %d 0 R >> >> /Contents %d 0 R >>"
                         % (pages_obj, W, H, f1, f2, content)).encode()))
    objects[catalog - 1] = b"<< /Type /Catalog /Pages %d 0 R >>" % pages_obj
    objects[pages_obj - 1] = ("<< /Type /Pages /Kids [%s] /Count %d >>"
                              % (" ".join("%d 0 R" % k for k in kids), len(kids))).encode()
    info = add(b"<< /Title (Tolvane Guide) /Author (Velmar RF Semiconductors) "
               b"/Subject (Choosing and using the Korvel RF design calculators) /Creator (Korvel) >>")

    out = bytearray(b"%PDF-1.4\n%\xe2\xe3\xcf\xd3\n")
    offsets = []
    for n, body in enumerate(objects, start=1):
        offsets.append(len(out))
        out += b"%d 0 obj\n" % n + body + b"\nendobj\n"
    xref = len(out)
    out += b"xref\n0 %d\n" % (len(objects) + 1)
    out += b"0000000000 65535 f \n"
    for off in offsets:
        out += b"%010d 00000 n \n" % off
    out += (b"trailer\n<< /Size %d /Root %d 0 R /Info %d 0 R >>\nstartxref\n%d\n%%%%EOF\n"
            % (len(objects) + 1, catalog, info, xref))
    return bytes(out)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "files")
    os.makedirs(out, exist_ok=True)
    pdf = build_pdf([title_page(), choosing_page(), units_page(), keys_page()])
    with open(os.path.join(out, "TolvaneGuide.pdf"), "wb") as fh:
        fh.write(pdf)
    print("wrote TolvaneGuide.pdf (%d bytes)" % len(pdf))


if __name__ == "__main__":
    main()
