#!/usr/bin/env python3
"""Help pages and pictures of the circuit tools.

Writes into <files>/help/: topic61.html (Complex Math Calculator), topic62.html (Standard
Component Values), topic63.html (Engineering Constants), topic18.html (Lumped Element
Balun), topic19.html (balun applications), the equivalent-circuit drawings the calculator
shows (complex-R.svg, complex-R-L.svg, complex-R-C.svg, complex-Y-R-L.svg,
complex-Y-R-C.svg) and the balun's drawings (balun-circuit.svg, balun-cap.svg,
balun-ind.svg).
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_help import page  # noqa: E402

INK = "#23364D"
SIGNAL = "#2F7DD1"
GHOST = "#9AA8B8"

# --- equivalent circuits ------------------------------------------------------------------

W, H = 180, 100


def svg(width, height, body, labels):
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{width}" height="{height}" '
            f'viewBox="0 0 {width} {height}">\n'
            f'<rect width="{width}" height="{height}" fill="white"/>\n'
            f'<g fill="none" stroke="{INK}" stroke-width="2" stroke-linecap="round" '
            f'stroke-linejoin="round">\n{body}</g>\n'
            f'<g font-family="sans-serif" font-size="13" fill="{INK}">\n{labels}</g>\n</svg>\n')


def terminals():
    return ('<circle cx="12" cy="25" r="4" fill="white"/>\n'
            '<circle cx="12" cy="80" r="4" fill="white"/>\n')


def zigzag(points):
    return '<polyline points="' + " ".join(f"{a:.1f},{b:.1f}" for a, b in points) + '"/>\n'


def res_h(x, y, length=40):
    step = length / 6
    pts = [(x, y)] + [(x + step * (i + 0.5), y + (-7 if i % 2 == 0 else 7)) for i in range(6)]
    return zigzag(pts + [(x + length, y)])


def res_v(x, y, length=40):
    step = length / 6
    pts = [(x, y)] + [(x + (-7 if i % 2 == 0 else 7), y + step * (i + 0.5)) for i in range(6)]
    return zigzag(pts + [(x, y + length)])


def ind_h(x, y, length=40):
    r = length / 8
    return f'<path d="M{x},{y} ' + f"a{r},{r} 0 0 1 {2 * r},0 " * 4 + '"/>\n'


def ind_v(x, y, length=40):
    r = length / 8
    return f'<path d="M{x},{y} ' + f"a{r},{r} 0 0 1 0,{2 * r} " * 4 + '"/>\n'


def cap_h(x, y, length=40):
    m = x + length / 2
    return (f'<line x1="{x}" y1="{y}" x2="{m - 4}" y2="{y}"/>\n'
            f'<line x1="{m + 4}" y1="{y}" x2="{x + length}" y2="{y}"/>\n'
            f'<line x1="{m - 4}" y1="{y - 11}" x2="{m - 4}" y2="{y + 11}"/>\n'
            f'<line x1="{m + 4}" y1="{y - 11}" x2="{m + 4}" y2="{y + 11}"/>\n')


def cap_v(x, y, length=40):
    m = y + length / 2
    return (f'<line x1="{x}" y1="{y}" x2="{x}" y2="{m - 4}"/>\n'
            f'<line x1="{x}" y1="{m + 4}" x2="{x}" y2="{y + length}"/>\n'
            f'<line x1="{x - 11}" y1="{m - 4}" x2="{x + 11}" y2="{m - 4}"/>\n'
            f'<line x1="{x - 11}" y1="{m + 4}" x2="{x + 11}" y2="{m + 4}"/>\n')


def label(x, y, t, colour=INK):
    return f'<text x="{x}" y="{y}" fill="{colour}">{t}</text>\n'


def r_alone():
    body = (terminals() + '<line x1="16" y1="25" x2="110" y2="25"/>\n' + res_v(110, 25, 55)
            + '<line x1="16" y1="80" x2="110" y2="80"/>\n')
    return svg(W, H, body, label(124, 57, "R") + label(24, 57, "Z", SIGNAL))


def series(second, letter):
    body = (terminals() + '<line x1="16" y1="25" x2="40" y2="25"/>\n' + res_h(40, 25)
            + '<line x1="80" y1="25" x2="95" y2="25"/>\n' + second(95, 25)
            + '<line x1="135" y1="25" x2="160" y2="25"/>\n<line x1="160" y1="25" x2="160" y2="80"/>\n'
            '<line x1="16" y1="80" x2="160" y2="80"/>\n')
    return svg(W, H, body, label(55, 12, "R") + label(110, 12, letter) + label(24, 57, "Z", SIGNAL))


def parallel(second, letter):
    body = (terminals() + '<line x1="16" y1="25" x2="150" y2="25"/>\n<line x1="16" y1="80" x2="150" y2="80"/>\n'
            '<line x1="80" y1="25" x2="80" y2="32"/>\n' + res_v(80, 32)
            + '<line x1="80" y1="72" x2="80" y2="80"/>\n<line x1="150" y1="25" x2="150" y2="32"/>\n'
            + second(150, 32) + '<line x1="150" y1="72" x2="150" y2="80"/>\n'
            f'<circle cx="80" cy="25" r="2" fill="{INK}"/>\n<circle cx="80" cy="80" r="2" fill="{INK}"/>\n')
    return svg(W, H, body, label(94, 57, "R") + label(164, 57, letter) + label(24, 57, "Y", SIGNAL))


# --- balun ----------------------------------------------------------------------------------

def balun_cap():
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="28" height="28" viewBox="0 0 28 28">\n'
            f'<g fill="none" stroke="{INK}" stroke-width="2" stroke-linecap="round">\n'
            '<line x1="14" y1="1" x2="14" y2="11"/><line x1="14" y1="17" x2="14" y2="27"/>\n'
            '<line x1="5" y1="11" x2="23" y2="11"/><line x1="5" y1="17" x2="23" y2="17"/>\n'
            '</g></svg>\n')


def balun_ind():
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="28" height="28" viewBox="0 0 28 28">\n'
            f'<g fill="none" stroke="{INK}" stroke-width="2" stroke-linecap="round">\n'
            '<path d="M14,1 L14,4 a4,3 0 0 1 0,6 a4,3 0 0 1 0,6 a4,3 0 0 1 0,6 L14,27"/>\n'
            '</g></svg>\n')


def balun_circuit():
    body = f"""  <circle cx="30" cy="95" r="14"/>
  <path d="M22,95 q4,-8 8,0 q4,8 8,0" stroke="{SIGNAL}"/>
  <line x1="30" y1="81" x2="30" y2="45"/>
  <line x1="30" y1="45" x2="45" y2="45"/>
  <polyline points="45,45 49,38 57,52 65,38 73,52 81,38 85,45"/>
  <line x1="85" y1="45" x2="120" y2="45"/>
  <line x1="30" y1="109" x2="30" y2="145"/>
  <line x1="30" y1="145" x2="120" y2="145"/>
  <line x1="18" y1="152" x2="42" y2="152"/><line x1="23" y1="157" x2="37" y2="157"/><line x1="28" y1="162" x2="32" y2="162"/>
  <line x1="30" y1="145" x2="30" y2="152"/>
  <rect x="120" y="30" width="110" height="130" rx="4"/>
  <line x1="230" y1="45" x2="440" y2="45"/>
  <line x1="230" y1="145" x2="440" y2="145"/>
  <circle cx="250" cy="45" r="3" fill="white"/><circle cx="250" cy="145" r="3" fill="white"/>
  <line x1="290" y1="45" x2="290" y2="75"/><line x1="290" y1="115" x2="290" y2="145"/>
  <rect x="280" y="75" width="20" height="40" stroke-dasharray="4,3"/>
  <line x1="340" y1="45" x2="340" y2="90"/><line x1="340" y1="100" x2="340" y2="145"/>
  <line x1="328" y1="90" x2="352" y2="90"/><line x1="328" y1="100" x2="352" y2="100"/>
  <line x1="385" y1="45" x2="385" y2="75"/><line x1="385" y1="115" x2="385" y2="145"/>
  <rect x="375" y="75" width="20" height="40" stroke-dasharray="4,3"/>
  <polyline points="430,45 430,70 422,74 438,82 422,90 438,98 422,106 438,114 430,118 430,145"/>
  <rect x="365" y="20" width="85" height="142" stroke="{GHOST}" stroke-width="1" stroke-dasharray="2,3"/>
"""
    labels = """  <text x="52" y="32">Rg</text>
  <text x="175" y="70" text-anchor="middle">Lattice</text>
  <text x="175" y="95" text-anchor="middle">L1, L2</text>
  <text x="175" y="115" text-anchor="middle">C1 - C4</text>
  <text x="258" y="100" font-size="11">res.</text>
  <text x="356" y="99" font-size="11">Cp</text>
  <text x="399" y="99" font-size="11">X</text>
  <text x="440" y="76" font-size="11">Rp</text>
  <text x="385" y="15" text-anchor="middle" font-size="11">load (parallel form)</text>
  <text x="255" y="38" font-size="12">+</text><text x="255" y="163" font-size="12">-</text>
"""
    return svg(460, 170, body, labels)


# --- pages ----------------------------------------------------------------------------------
# Worked numbers in the pages are the ones the windows show (checked by the drive scripts).


def topic61():
    body = """<p>The <b>Complex Math Calculator</b> is a reverse-Polish (RPN) calculator for complex numbers, used like a hand-held: a number is typed into <b>x</b>, <span class="key">&nbsp;Enter&nbsp;</span> pushes it up the stack, and each operation takes its operands from the bottom of the stack. It adds the tools an RF designer needs with complex numbers: normalising impedances and admittances to a reference Zo, converting between impedance and reflection coefficient, and turning an impedance or admittance into an equivalent series or parallel R-L or R-C circuit at a frequency, and back.</p>
<p>Open it from the catalogue: <b>Engr Tools &gt; Complex Math RF Calculator</b>.</p>
<h2>The stack</h2>
<p>Seven registers hold complex numbers, each shown as its real and imaginary part. The bottom one is <b>x</b>, the one above it <b>y</b>, then R2 to R6. All start at 0 + j0. The number of decimals shown is set in <b>Decimal places</b> (0 to 9; a larger number is set back to 9).</p>
<table cellspacing="0" cellpadding="4" border="1" style="border-collapse: collapse; border-color: #B8C7D9;" width="100%">
<tr><th>Key</th><th>What it does</th></tr>
<tr><td valign="top">Enter, <span class="key">&nbsp;Enter&nbsp;</span>, <span class="key">&nbsp;Page Up&nbsp;</span></td><td valign="top">Lifts the stack: every register moves up one place (R6 is lost), x keeps its value and its copy is ready to be typed over.</td></tr>
<tr><td valign="top">Drop, <span class="key">&nbsp;Page Down&nbsp;</span></td><td valign="top">Every register moves down one place; x is lost and R6 becomes 0.</td></tr>
<tr><td valign="top">Swap x&lt;&gt;y</td><td valign="top">Exchanges x and y.</td></tr>
<tr><td valign="top">Clear x / Clear All</td><td valign="top">Empties x / every register, the memories A to F and the equivalent circuit.</td></tr>
<tr><td valign="top">Undo</td><td valign="top">Puts the whole stack back as it was before the last operation. A second Undo restores the same stack again.</td></tr>
<tr><td valign="top">STO A ... F, RCL A ... F</td><td valign="top">Stores x in a memory (the stack stays as it is) / lifts and recalls a memory into x.</td></tr>
<tr><td valign="top">RCL Zo to x, RCL Yo to x, pi, e</td><td valign="top">Lift and put Zo, Yo = 1/Zo, &pi; or e into x.</td></tr>
</table>
<h2>Operations</h2>
<p>Two-operand keys work on y and x, leave the result in x and move everything above y down one place: <b>y + x</b> <span class="key">&nbsp;+&nbsp;</span>, <b>y - x</b> <span class="key">&nbsp;-&nbsp;</span>, <b>y * x</b> <span class="key">&nbsp;*&nbsp;</span>, <b>y / x</b> <span class="key">&nbsp;/&nbsp;</span>, <b>y ^ x</b> <span class="key">&nbsp;^&nbsp;</span>. A <b>-</b> or <b>+</b> typed at the start of a number or after its exponent letter is the number's sign, not an operation.</p>
<p>One-operand keys replace x: x<sup>2</sup>, 1/x, square root (the root with a non-negative real part), LN (natural logarithm, principal value), e<sup>x</sup>, LOG (base 10), |x|, Conjugate, the trigonometric and hyperbolic functions and their inverses, and <b>R to P (deg)</b> / <b>P (deg) to R</b>, which turn x into magnitude and angle in degrees (shown in the real and imaginary columns) and back.</p>
<p>An operation that has no value is refused with a message and leaves the stack alone: division by 0 + j0, 1/x, LN and LOG of 0 + j0.</p>
<h2>Reference impedance</h2>
<p class="formula">&nbsp;&nbsp;&nbsp;z = Z / Zo &nbsp;&nbsp; y = Y / Yo = Y &middot; Zo &nbsp;&nbsp; &Gamma; = (Z - Zo) / (Z + Zo) &nbsp;&nbsp; Z = Zo (1 + &Gamma;) / (1 - &Gamma;)</p>
<p>Type the reference impedance in <b>Zo</b> (it cannot be zero); Yo follows. <b>Z to Gamma</b> accepts a short circuit (x = 0 gives &Gamma; = -1); <b>Gamma to Z</b> refuses x = 0 + j0.</p>
<h2>Equivalent circuits</h2>
<table cellspacing="0" cellpadding="6"><tr>
<td align="center"><img src="complex-R-L.svg" width="180" height="100" alt="series R-L"><br>series R-L</td>
<td align="center"><img src="complex-R-C.svg" width="180" height="100" alt="series R-C"><br>series R-C</td>
<td align="center"><img src="complex-Y-R-L.svg" width="180" height="100" alt="parallel R-L"><br>parallel R-L</td>
<td align="center"><img src="complex-Y-R-C.svg" width="180" height="100" alt="parallel R-C"><br>parallel R-C</td></tr></table>
<p>At the frequency in <b>Freq</b> (10<sup>-6</sup> to 10<sup>6</sup> in its unit):</p>
<p class="formula">&nbsp;&nbsp;&nbsp;series: Z = R + jX, &nbsp; L = X / (2&pi;f) for X &gt; 0, &nbsp; C = -1 / (2&pi;f X) for X &lt; 0<br>&nbsp;&nbsp;&nbsp;parallel: Y = G + jB, &nbsp; R = 1/G, &nbsp; C = B / (2&pi;f) for B &gt; 0, &nbsp; L = -1 / (2&pi;f B) for B &lt; 0</p>
<p><b>From Z in x</b> treats x as an impedance, <b>From Y in x</b> as an admittance; either gives the series or the parallel circuit. The circuit picture, its values in engineering notation, and the element values in the boxes (R in ohm, L in nH, C in pF) show the result. A parallel circuit with no conductance has an infinite R. <b>Select Equivalent Circuit</b> cycles through R alone, series R-L, series R-C, parallel R-L and parallel R-C; <b>Enter Z from Circuit Values</b> and <b>Enter Y from Circuit Values</b> put the impedance or admittance of the chosen circuit into x (without lifting). The circuit is an ideal lumped one: the values hold at the one frequency only.</p>
<h2>Worked example</h2>
<p>A load of 25 + j25.13 ohm at 1000 MHz: type 25 in x real, 25.1327 in x imaginary and click <b>Equivalent Series Circuit</b> under <b>From Z in x</b>: R = 25.00 Ohm in series with L = 4.00 nH. <b>Equivalent Parallel Circuit</b> gives R = 50.27 Ohm in parallel with L = 7.96 nH. With Zo = 50, <b>Z to Gamma</b> on 50 + j50 gives 0.200 + j0.400, and <b>Gamma to Z</b> brings back 50 + j50.</p>
<p>A keyboard example: 9 <span class="key">&nbsp;Enter&nbsp;</span> 3 <span class="key">&nbsp;Enter&nbsp;</span> 4 <span class="key">&nbsp;-&nbsp;</span> leaves -1 in x (3 - 4) and 9 in y.</p>

<p>See also: <a href="topic1.html">Korvel Help</a> for the conventions shared by all calculator windows.</p>
"""
    return page("Complex Math Calculator", body, icon="../icons/complex1.svg")


def topic62():
    body = """<p>The <b>Standard Component Values</b> window finds the standard (preferred) value nearest to a value you type, for a resistor, capacitor or inductor, in the series of the tolerance you choose, and shows how far it lies from your value.</p>
<p>Open it from the catalogue: <b>Engr Tools &gt; Component Values</b>.</p>
<h2>Use</h2>
<p>Type the value in ohms, farads or henries (plain number, exponent allowed: 4.7E-9), choose the tolerance, and click <b>Resistor</b>, <b>Capacitor</b> or <b>Inductor</b> (or use the <b>Component</b> menu, or <span class="key">&nbsp;F4&nbsp;</span> for the component last chosen). The chosen component's button is shown in green.</p>
<table cellspacing="0" cellpadding="4" border="1" style="border-collapse: collapse; border-color: #B8C7D9;" width="100%">
<tr><th>Tolerance</th><th>Series</th><th>Values per decade</th></tr>
<tr><td valign="top">0.1 %</td><td valign="top">E192</td><td valign="top">192</td></tr>
<tr><td valign="top">1 %</td><td valign="top">E96</td><td valign="top">96</td></tr>
<tr><td valign="top">5 %</td><td valign="top">E24</td><td valign="top">24</td></tr>
<tr><td valign="top">10 %</td><td valign="top">E12</td><td valign="top">12</td></tr>
<tr><td valign="top">20 %</td><td valign="top">E6</td><td valign="top">6</td></tr>
</table>
<p>The window opens on the tolerance set in the preferences. The nearest value is the series member closest on a linear scale; a value exactly half-way between two members rounds up.</p>
<h2>Results</h2>
<p><b>Standard value</b> is shown with its SI-prefixed unit and the unit's name (capacitors are given in microfarads, never millifarads). <b>Value - standard</b> is your value minus the standard value in ohms, farads or henries; <b>Difference</b> is that difference as a percentage of your value.</p>
<h2>Worked example</h2>
<p>612E-5 (ohm) at 5 %: the nearest E24 value is <b>6.2 mOhm</b> (milliohm); the difference is -8.00E-05 ohm, <b>-1.31%</b>. The value 0.0047 as a capacitor at 10 % is shown as <b>4700 uF</b>.</p>

<p>See also: <a href="topic1.html">Korvel Help</a> for the conventions shared by all calculator windows.</p>
"""
    return page("Standard Component Values", body, icon="../icons/std-val.svg")


def topic63():
    body = """<p>The <b>Engineering Constants</b> window is a reference list of physical and mathematical constants. Pick a constant in the list (with the mouse or the arrow keys) to see its value, unit, symbol and a comment; <b>Copy to Clipboard</b> (or <b>Edit &gt; Copy value</b>) puts the value on the clipboard, ready to paste into the calculators.</p>
<p>Open it from the catalogue: <b>Engr Tools &gt; Engineering Constants</b>.</p>
<h2>Values</h2>
<p>The values are those long quoted in engineering handbooks; the permeability and permittivity of free space and &pi; are the same literals the calculators use (&mu;0 = 1.25663706143592E-06 H/m, &epsilon;0 = 8.85418781761E-12 F/m), so a copied value matches the program's own arithmetic. Values are shown with up to 15 significant digits, very large and very small ones in exponent form (1.6605402E-27).</p>
<h2>Example</h2>
<p>Select <b>Velocity of light in free space</b>: the value is 299792458 m/s; click <b>Copy to Clipboard</b> and paste it where you need it.</p>

<p>See also: <a href="topic1.html">Korvel Help</a> for the conventions shared by all calculator windows.</p>
"""
    return page("Engineering Constants", body, icon="../icons/const.svg")


def topic18():
    body = """<table cellspacing="0" cellpadding="6"><tr><td valign="top"><img src="balun-circuit.svg" width="460" height="170" alt="Balun and load"></td></tr></table>
<p>The <b>Lumped Element Balun</b> designs a lattice balun of two inductors and four capacitors that feeds a balanced (differential) load Zload = Rload + j Xload from an unbalanced source of resistance Rg, at one frequency. The load's reactance and a stray capacitance across the load are absorbed by one resonating element placed across the balanced port.</p>
<p>Open it from the catalogue: <b>Passive Circuits &gt; Balun</b>. Calculate with the button, <span class="key">&nbsp;F4&nbsp;</span> or <b>Calculate &gt; Calculate values</b>.</p>
<h2>The model</h2>
<p class="formula">&nbsp;&nbsp;&nbsp;Y = 1 / (Rload + j Xload) = G + jB, &nbsp;&nbsp; Rp = 1 / G<br>
&nbsp;&nbsp;&nbsp;load element: C = B / &omega; (B &gt; 0) &nbsp; or &nbsp; L = -1 / (&omega; B) (B &lt; 0)<br>
&nbsp;&nbsp;&nbsp;Bt = B + &omega; Cstray; &nbsp; resonating element: L = 1 / (&omega; Bt) (Bt &gt; 0) &nbsp; or &nbsp; C = -Bt / &omega; (Bt &lt; 0)<br>
&nbsp;&nbsp;&nbsp;Zm = &radic;(Rg Rp), &nbsp;&nbsp; L1 = L2 = Zm / &omega;, &nbsp;&nbsp; C1 = C2 = C3 = C4 = 1 / (&omega; Zm)</p>
<p>The load is turned into its parallel form; the resonating element cancels the total shunt susceptance so that the lattice sees the pure resistance Rp, and the lattice, whose elements all have the reactance Zm at the design frequency, transforms Rg to Rp. The elements are ideal and lossless and the match holds at the one frequency; the bandwidth is roughly that of a single L-section of the same ratio, so large ratios Rp / Rg give narrow baluns, and real components' self-resonance and loss must be checked at high frequencies.</p>
<h2>Inputs</h2>
<table cellspacing="0" cellpadding="4" border="1" style="border-collapse: collapse; border-color: #B8C7D9;" width="100%">
<tr><th>Box</th><th>Meaning</th><th>Allowed</th></tr>
<tr><td valign="top">Rg</td><td valign="top">source resistance, ohm</td><td valign="top">1E-4 to 1E6, not 0</td></tr>
<tr><td valign="top">Freq</td><td valign="top">frequency, MHz</td><td valign="top">1E-6 to 1E6, not 0</td></tr>
<tr><td valign="top">Rload</td><td valign="top">load resistance (series form), ohm</td><td valign="top">1E-5 to 1E6, not 0</td></tr>
<tr><td valign="top">Xload</td><td valign="top">load reactance (series form), ohm</td><td valign="top">-1E6 to 1E6, 0 allowed</td></tr>
<tr><td valign="top">Cstray</td><td valign="top">stray capacitance across the load, pF</td><td valign="top">0 to 1E6</td></tr>
</table>
<p>The <b>Note</b> box and the date are for printouts of the window: printing is done by copying the window with Alt+Print Screen into a paint program.</p>
<h2>Worked examples</h2>
<p><b>Examples &gt; Example 2</b>: Rg = 50 ohm, 210 MHz, Zload = 200 + j0 ohm, no stray capacitance. Rp = 200 ohm, no load element and no resonating element; Zm = 100 ohm, L1 = L2 = 100 / (2&pi; &middot; 210 MHz) = <b>75.8 nH</b>, each C = <b>7.6 pF</b>.</p>
<p><b>Examples &gt; Example 1</b>: a 50 ohm oscillator drives a differential mixer input of 66 - j133 ohm with 0.5 pF stray capacitance at 1750 MHz. Rp = 334.0 ohm with a parallel load capacitance of 0.55 pF; with the stray capacitance the total is about 1.05 pF, resonated by 7.9 nH; Zm = 129.2 ohm, L1 = L2 = 11.8 nH and each C = 0.7 pF.</p>

<p>See also: <a href="topic1.html">Korvel Help</a> for the conventions shared by all calculator windows.</p>
"""
    return page("Lumped Element Balun", body, icon="../icons/balun.svg")


def topic19():
    body = """<p>A balun joins an unbalanced circuit (a coaxial line, a single-ended amplifier or oscillator) to a balanced one (a differential mixer or amplifier input, a dipole, a twin line). The lumped lattice balun of the <a href="topic18.html">Lumped Element Balun</a> window does this with two inductors and four capacitors and also transforms the impedance, so one network both splits the signal into equal and opposite halves and matches.</p>
<h2>Where it fits</h2>
<ul><li>Single-ended oscillator or LO amplifier into the differential LO port of a Gilbert-cell mixer: enter the mixer's port impedance (series form) as Rload + j Xload and the pad and package capacitance as Cstray (Example 1).</li>
<li>50 ohm to 200 ohm transformation for a push-pull stage or a folded dipole (Example 2).</li>
<li>Differential ADC or receiver inputs fed from a 50 ohm test port.</li></ul>
<h2>Practical notes</h2>
<p>Use the nearest standard values (see <a href="topic62.html">Standard Component Values</a>) and check the result with the real parts' parasitics: at hundreds of MHz and above, the capacitors' series inductance and the inductors' self-capacitance shift the balance. The match is exact only at the design frequency; keep the lattice symmetric in layout so that the two outputs stay 180 degrees apart.</p>

<p>See also: <a href="topic1.html">Korvel Help</a> for the conventions shared by all calculator windows.</p>
"""
    return page("Balun Applications", body, icon="../icons/balun.svg")


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "files")
    folder = os.path.join(out, "help")
    os.makedirs(folder, exist_ok=True)
    files = {
        "complex-R.svg": r_alone(),
        "complex-R-L.svg": series(ind_h, "L"),
        "complex-R-C.svg": series(cap_h, "C"),
        "complex-Y-R-L.svg": parallel(ind_v, "L"),
        "complex-Y-R-C.svg": parallel(cap_v, "C"),
        "balun-circuit.svg": balun_circuit(),
        "balun-cap.svg": balun_cap(),
        "balun-ind.svg": balun_ind(),
        "topic61.html": topic61(),
        "topic62.html": topic62(),
        "topic63.html": topic63(),
        "topic18.html": topic18(),
        "topic19.html": topic19(),
    }
    for name, text in files.items():
        with open(os.path.join(folder, name), "w", encoding="utf-8") as fh:
            fh.write(text)
    print("wrote", ", ".join(files))


if __name__ == "__main__":
    main()
