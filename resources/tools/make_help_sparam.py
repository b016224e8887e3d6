#!/usr/bin/env python3
"""Writes the help pages of the S-parameter window (topics 90 to 94) and its two-port picture
into files/help/. The pages share the look of the other help topics.

Run from anywhere: python3 resources/tools/make_help_sparam.py
"""
import os

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "..", "files", "help")

HEAD = """<!DOCTYPE html>
<html>
<head>
<meta charset="utf-8">
<title>{title}</title>
<style type="text/css">
body {{ font-family: "DejaVu Sans", "Noto Sans", sans-serif; font-size: 10pt; color: #23364D;
       background-color: #FFFFFF; }}
h1 {{ font-size: 16pt; color: #FFFFFF; margin: 0px; }}
h2 {{ font-size: 12.5pt; color: #1F5FA6; margin-top: 14px; margin-bottom: 4px; }}
h3 {{ font-size: 10.5pt; color: #23364D; margin-top: 10px; margin-bottom: 2px; }}
p {{ margin-top: 4px; margin-bottom: 6px; }}
a {{ color: #1F6FC5; }}
code {{ font-family: "DejaVu Sans Mono", monospace; color: #3B2A0E; }}
pre {{ font-family: "DejaVu Sans Mono", monospace; color: #3B2A0E; background-color: #F4F7FB; }}
.formula {{ font-family: "DejaVu Serif", serif; font-size: 11pt; color: #1C3557; }}
.note {{ color: #5B6E86; }}
.key {{ font-family: "DejaVu Sans Mono", monospace; font-weight: bold; background-color: #E6EDF6;
       color: #1C3557; }}
th {{ background-color: #DCE7F4; color: #1C3557; text-align: left; }}
</style>
</head>
<body>
<table width="100%" cellspacing="0" cellpadding="8" bgcolor="#1F5FA6">
<tr><td width="40" valign="middle"><img src="../icons/sparam.svg" width="32" height="32" alt=""></td>
<td valign="middle"><h1>{title}</h1></td></tr>
</table>
<table width="100%" cellspacing="0" cellpadding="0" bgcolor="#F2B230"><tr><td height="3"></td></tr></table>
<p align="right" class="note"><a href="topic90.html">S-Parameters</a> &nbsp;|&nbsp; <a href="topic91.html">Definitions</a> &nbsp;|&nbsp; <a href="topic92.html">Stability</a> &nbsp;|&nbsp; <a href="topic93.html">File format</a> &nbsp;|&nbsp; <a href="topic94.html">Designing</a> &nbsp;|&nbsp; <a href="topic1.html">Contents</a></p>
"""

FOOT = """<p class="note">Korvel RF design calculators &nbsp;&middot;&nbsp; <a href="topic1.html">Contents</a> &nbsp;|&nbsp; <a href="topicindex.html">Index</a></p>
</body>
</html>
"""


def table(header, rows):
    out = ['<table cellspacing="0" cellpadding="4" border="1" style="border-collapse: collapse; '
           'border-color: #B8C7D9;" width="100%">']
    out.append("<tr>" + "".join("<th>%s</th>" % h for h in header) + "</tr>")
    for r in rows:
        out.append("<tr>" + "".join('<td valign="top">%s</td>' % c for c in r) + "</tr>")
    out.append("</table>")
    return "\n".join(out)


PAGES = {}

PAGES[90] = ("Everything S-Parameters", """
<p>The <b>S-parameter</b> window compares up to three measured or simulated devices. Each is a
Touchstone file (<code>.s1p</code> for a one-port, <code>.s2p</code> for a two-port) loaded into one of
three data sets with the <b>Open 1</b>, <b>Open 2</b> and <b>Open 3</b> tools, or by dropping files onto
the window (the first free data set takes a dropped file; when all three are full, data set 1 is
replaced). Every data set is evaluated on one frequency grid of your choice, and from its S-parameters
the window derives gains, return loss, VSWR, stability factors, noise figure, phase and group delay.</p>
<p>Open it from the catalogue: <b>Circuit Design &gt; Everything S-Parameters</b>.</p>
<h2><a name="use"></a>Using the window</h2>
<p>1. Load one to three files and tick the data sets to show under <b>Select or Compare</b>.<br>
2. Pick a <b>Display Type</b>: Text (the file as written), Tabular, Rectangular, Smith, Polar or
SmithCircles. The tree <b>Select Parameters to Display</b> then lists what that display can show;
click a parameter to tick or untick it.<br>
3. Set the frequency grid in MHz: <b>Start-Stop</b> (start, stop, step; the stop frequency is added
when the steps do not land on it), <b>Center-Span</b> (center, bandwidth and an odd number of points:
an even number is raised by one so the center is a grid point) or <b>Single</b> (one frequency).
SmithCircles always uses the first box as its frequency.<br>
4. Press <b>Calculate</b> or <span class="key">&nbsp;F4&nbsp;</span>.</p>
<p>A rectangular plot shows one category of parameters (one y axis), at most 60 curves (data sets
times parameters) are drawn at once, and data sets with different reference impedances are not
compared. Drag a rectangle on a rectangular plot to zoom; <b>Undo Zoom</b> returns. <b>Copy</b> puts the
chart on the clipboard as a picture, or the table as tab-separated text for a spreadsheet.
<span class="key">&nbsp;F9&nbsp;</span> gives the display the whole window. Move the mouse over a Smith
chart to read the reflection coefficient, normalised impedance and admittance under it.</p>
<h2><a name="model"></a>Model and accuracy</h2>
<p>Between file frequencies the S-parameters are interpolated linearly in the file's own form:
magnitude and angle for MA and DB files (angles the short way round the &plusmn;180&deg; wrap), real and
imaginary parts for RI files. Outside the file's range the end values are held, not extrapolated.
Interpolation is exact at the file's frequencies; between them it is as good as the file's frequency
step is fine compared with the device's resonances. Noise parameters are interpolated on their own
frequency list the same way.</p>
<h2><a name="example"></a>Worked example</h2>
<p>A stage measured at 2000 MHz with S11 = 0.55&ang;&minus;150&deg;, S21 = 5.0&ang;90&deg;,
S12 = 0.07&ang;30&deg; and S22 = 0.45&ang;&minus;60&deg; (50 ohms):</p>
<p class="formula">&nbsp;&nbsp;&nbsp;Gt = 20 log10 |S21| = 13.98 dB<br>
&nbsp;&nbsp;&nbsp;&Delta; = S11 S22 &minus; S12 S21 = 0.184&ang;&minus;102.4&deg;<br>
&nbsp;&nbsp;&nbsp;K = (1 &minus; |S11|&sup2; &minus; |S22|&sup2; + |&Delta;|&sup2;) / (2 |S12 S21|) = 0.755<br>
&nbsp;&nbsp;&nbsp;MSG = 10 log10 (|S21| / |S12|) = 18.54 dB</p>
<p>K is below 1, so the stage is potentially unstable: the table shows no MAG at this frequency, and the
SmithCircles display draws its stability circles. The Tabular display of Gt, MSG and K at 2000 MHz
shows 13.98, 18.54 and 0.755.</p>
<h2><a name="examples"></a>Examples</h2>
<p>The <b>Examples</b> tool loads example files from the <code>examples</code> folder beside the program
and sets up a display: a Smith chart of &Gamma;opt, noise and gain circles, the differential impedance of
a balanced feed, a stability analysis, one transistor at three bias currents, and the file viewer.</p>
""")

PAGES[91] = ("S-Parameter Definitions", """
<table cellspacing="0" cellpadding="6"><tr><td valign="top"><img src="sparam-twoport.svg" width="300" height="150" alt="Two-port with incident and reflected waves"></td><td valign="top">
<p>A two-port is described by the waves travelling into it (a1, a2) and out of it (b1, b2), each
normalised to the reference impedance Z0 of the measurement (usually 50 ohms):</p>
<p class="formula">&nbsp;&nbsp;&nbsp;b1 = S11 a1 + S12 a2<br>&nbsp;&nbsp;&nbsp;b2 = S21 a1 + S22 a2</p>
<p>S11 and S22 are the reflection coefficients of each port with the other terminated in Z0; S21 is
the forward and S12 the reverse transmission.</p>
</td></tr></table>
<h2>Quantities</h2>
""" + table(["Name", "Meaning"], [
    ["Gt [S21]", "transducer gain between Z0 terminations, 20 log10 |S21| dB"],
    ["MAG", "maximum available gain, with both ports conjugately matched; exists only where the "
            "device is unconditionally stable"],
    ["MSG", "maximum stable gain |S21|/|S12| (dB), the limit of MAG as K approaches 1"],
    ["Gtumax", "maximum unilateral transducer gain |S21|&sup2; / ((1&minus;|S11|&sup2;)(1&minus;|S22|&sup2;))"],
    ["U", "Mason's unilateral gain, invariant under lossless feedback"],
    ["Isol [S12]", "reverse isolation 20 log10 |S12| dB"],
    ["MM Gain In / Out", "the gain lost to the port's mismatch, 10 log10 (1 &minus; |S11|&sup2;)"],
    ["RL In / Out", "return loss &minus;20 log10 |S11| (or S22) dB"],
    ["VSWR In / Out", "(1 + |S11|)/(1 &minus; |S11|); above 1000 it is drawn as 1000"],
    ["Gamma Ms, Gamma Ml", "the source and load reflections of the simultaneous conjugate match"],
    ['K, B1, u1, u2', 'stability factors (see <a href="topic92.html">Stability</a>)'],
    ["NFopt, NF Zo", "minimum noise figure, and the noise figure with a Z0 source"],
    ["rn, Rn", "equivalent noise resistance, normalised and in ohms"],
    ["Gamma Opt", "the source reflection that gives the minimum noise figure"],
    ["Phase, Group Delay", "angle of S21 or S12, and &minus;d&phi;/d&omega; between neighbouring points"],
    ["Diff Z", "the impedance between the two ports driven in anti-phase, Z11 &minus; Z12 &minus; Z21 + Z22"],
]) + """
<p>Where a quantity does not exist at a frequency (the gain through a dead path, the VSWR of a total
reflection) it is left out of the table and the charts.</p>
""")

PAGES[92] = ("Commentary on Stability", """
<p>An amplifier oscillates when some passive source or load makes the reflection at the other port
larger than one. A two-port that stays stable with <i>every</i> passive source and load is
<b>unconditionally stable</b>; the tests are</p>
<p class="formula">&nbsp;&nbsp;&nbsp;K = (1 &minus; |S11|&sup2; &minus; |S22|&sup2; + |&Delta;|&sup2;) / (2 |S12 S21|) &gt; 1 &nbsp; and &nbsp; B1 = 1 + |S11|&sup2; &minus; |S22|&sup2; &minus; |&Delta;|&sup2; &gt; 0</p>
<p>or, as a single number, the geometric stability factor</p>
<p class="formula">&nbsp;&nbsp;&nbsp;&mu;1 = (1 &minus; |S11|&sup2;) / (|S22 &minus; &Delta; S11*| + |S12 S21|) &gt; 1</p>
<p>&mu;1 is the distance from the centre of the Smith chart to the nearest unstable load; the larger it is,
the more margin the design has. The rectangular plot of K, u1 and u2 draws a reference line at 1.</p>
<h2>Stability circles</h2>
<p>Where a device is only conditionally stable, the SmithCircles display draws the input and output
stability circles: the boundary between the loads (or sources) that keep the other port's reflection
below one and those that do not. The label says which side is stable. A data set that is
unconditionally stable at the frequency has no circle to draw; it is listed above the chart instead.</p>
<h2>What to do about it</h2>
<p>Resistive loading at the output, a little series resistance at the input, or lossy bias feeds lower
the gain where the device is unstable (often far below the operating band) and raise K. Check stability
over the device's whole measured range, not just the operating band.</p>
""")

PAGES[93] = ("S-Parameter File Format", """
<p>A Touchstone file holds the S-parameters of a one-port (<code>.s1p</code>) or two-port
(<code>.s2p</code>) at a list of frequencies. The extension gives the number of ports.</p>
<h2>The option line</h2>
<pre>
# GHz S MA R 50
</pre>
<p>Five fields, in this order: the frequency unit (Hz, kHz, MHz or GHz, any letter case), the parameter
type (S), the number format (RI real-imaginary, MA magnitude-angle, DB dB-angle), the letter R and the
reference impedance in ohms. All five must be given.</p>
<h2>Comments and data</h2>
<p>Text after <code>!</code> is a comment. Each data line starts with its frequency, followed by the pairs of
S11 (one-port) or S11, S21, S12, S22 (two-port). Blanks, tabs and commas all separate numbers.</p>
<pre>
! freq   |S11|  ang    |S21|  ang    |S12|  ang    |S22|  ang
1.0    0.60 -100.0  8.00  120.0  0.050  40.0  0.55  -40.0
2.0    0.55 -150.0  5.00   90.0  0.070  30.0  0.45  -60.0
</pre>
<h2>Noise data</h2>
<p>A two-port file may carry noise parameters after its S-parameters: the frequency starts again from
a lower value and each line gives frequency, minimum noise figure (dB), magnitude and angle of
&Gamma;opt, and the noise resistance normalised to the reference impedance.</p>
<pre>
1.0   0.40   0.70   30.0   0.30
</pre>
<p>A file that cannot be read is refused with a message saying which line and what is wrong; the data
set stays empty.</p>
""")

PAGES[94] = ("Designing with S-Parameters", """
<p>S-parameters describe a device in the terms it was measured in, at its bias, in its package. A
design with them follows a few steps, each one a display of this window.</p>
<h3>1. Check stability</h3>
<p>Plot K and u1 over the whole file (Rectangular, Stability). Where K &lt; 1, look at the stability
circles at that frequency (SmithCircles) and keep the source and load away from the unstable side.</p>
<h3>2. Choose the source for noise</h3>
<p>For a low-noise stage, plot Gamma Opt on the Smith chart and the noise circles with the input gain
circles at the centre frequency. The source is a compromise between the NFmin point and the MAG or
MSG point; noise figure rises slowly near &Gamma;opt, so a small step toward the gain maximum costs
little noise.</p>
<h3>3. Match the output</h3>
<p>With the source chosen, the load for maximum gain is the conjugate of the output reflection. Where
the device is unconditionally stable, Gamma Ml gives it for the simultaneous conjugate match.</p>
<h3>4. Compare</h3>
<p>Load the same device at several bias points (or several devices) and compare gain flatness, noise
and return loss on one grid. The tabular display copies into a spreadsheet.</p>
<p class="note">Example: the <b>Noise and Gain circles</b> example of the Examples tool sets up step 2 for
a low-noise PHEMT at 2400 MHz.</p>
""")

SVG = """<?xml version="1.0" encoding="UTF-8"?>
<svg xmlns="http://www.w3.org/2000/svg" width="300" height="150" viewBox="0 0 300 150">
  <rect x="0" y="0" width="300" height="150" fill="#FFFFFF"/>
  <rect x="110" y="35" width="80" height="80" fill="#E6EDF6" stroke="#1C3557" stroke-width="2"/>
  <text x="150" y="80" font-family="DejaVu Sans, sans-serif" font-size="16" text-anchor="middle" fill="#1C3557">[S]</text>
  <line x1="20" y1="55" x2="110" y2="55" stroke="#1C3557" stroke-width="1.5"/>
  <line x1="20" y1="95" x2="110" y2="95" stroke="#1C3557" stroke-width="1.5"/>
  <line x1="190" y1="55" x2="280" y2="55" stroke="#1C3557" stroke-width="1.5"/>
  <line x1="190" y1="95" x2="280" y2="95" stroke="#1C3557" stroke-width="1.5"/>
  <path d="M40 45 L90 45" stroke="#1F5FA6" stroke-width="2" marker-end="url(#ar)"/>
  <path d="M90 107 L40 107" stroke="#C0392B" stroke-width="2" marker-end="url(#ar2)"/>
  <path d="M260 45 L210 45" stroke="#1F5FA6" stroke-width="2" marker-end="url(#ar)"/>
  <path d="M210 107 L260 107" stroke="#C0392B" stroke-width="2" marker-end="url(#ar2)"/>
  <defs>
    <marker id="ar" markerWidth="8" markerHeight="8" refX="6" refY="4" orient="auto"><path d="M0,0 L8,4 L0,8 z" fill="#1F5FA6"/></marker>
    <marker id="ar2" markerWidth="8" markerHeight="8" refX="6" refY="4" orient="auto"><path d="M0,0 L8,4 L0,8 z" fill="#C0392B"/></marker>
  </defs>
  <g font-family="DejaVu Sans, sans-serif" font-size="13" fill="#1C3557">
    <text x="58" y="38">a1</text><text x="58" y="127">b1</text>
    <text x="228" y="38">a2</text><text x="228" y="127">b2</text>
    <text x="14" y="80">Port 1</text><text x="238" y="80">Port 2</text>
  </g>
</svg>
"""


def main():
    for number, (title, body) in PAGES.items():
        with open(os.path.join(OUT, "topic%d.html" % number), "w", encoding="utf-8") as f:
            f.write(HEAD.format(title=title) + body.strip() + "\n" + FOOT)
    with open(os.path.join(OUT, "sparam-twoport.svg"), "w", encoding="utf-8") as f:
        f.write(SVG)


if __name__ == "__main__":
    main()
