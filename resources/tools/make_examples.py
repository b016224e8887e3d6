#!/usr/bin/env python3
"""Writes the example Touchstone files of the S-parameter window into files/examples/.

The files are ours, computed from small-signal equivalent circuits of made-up devices so that
gain, stability, matching and noise behave the way real parts do:

  KV-P71 PHEMT 2V 20mA.s2p   a 0.25 um PHEMT (intrinsic FET with parasitics), with noise data
  3v5ma.s2p, 3v10ma.s2p, 3v20ma.s2p
                             a silicon bipolar transistor (hybrid-pi with parasitics) at
                             3 V and three collector currents, with noise data
  Diff Zc.s2p, Diff Za.s2p   a balanced feed measured as a two-port: a series RLC load
                             between the ports and a shunt capacitance from each port to ground

Run from anywhere: python3 resources/tools/make_examples.py
"""
import cmath
import math
import os

Z0 = 50.0
HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "..", "files", "examples")


def inv2(m):
    (a, b), (c, d) = m
    det = a * d - b * c
    return [[d / det, -b / det], [-c / det, a / det]]


def add2(m, n):
    return [[m[i][j] + n[i][j] for j in range(2)] for i in range(2)]


def mul2(m, n):
    return [[sum(m[i][k] * n[k][j] for k in range(2)) for j in range(2)] for i in range(2)]


def s_from_z(z):
    """S = (Z - Z0 I)(Z + Z0 I)^-1 for equal real reference impedances."""
    zm = [[z[0][0] - Z0, z[0][1]], [z[1][0], z[1][1] - Z0]]
    zp = [[z[0][0] + Z0, z[0][1]], [z[1][0], z[1][1] + Z0]]
    return mul2(zm, inv2(zp))


def fet(f_hz):
    """PHEMT: intrinsic Cgs-Ri-gm(tau)-Rds-Cds with Cgd, then Rg/Lg, Rs/Ls, Rd/Ld in series."""
    w = 2 * math.pi * f_hz
    cgs, cgd, cds, ri, gm, tau, rds = 0.35e-12, 0.035e-12, 0.08e-12, 2.0, 0.075, 2.5e-12, 250.0
    rg, rs, rd, lg, ls, ld = 0.8, 0.6, 1.5, 0.30e-9, 0.04e-9, 0.35e-9
    jw = 1j * w
    yg = jw * cgs / (1 + jw * cgs * ri)
    y = [[yg + jw * cgd, -jw * cgd],
         [gm * cmath.exp(-jw * tau) / (1 + jw * cgs * ri) - jw * cgd, 1 / rds + jw * (cds + cgd)]]
    z = inv2(y)
    zs = rs + jw * ls
    ext = [[rg + jw * lg + zs, zs], [zs, rd + jw * ld + zs]]
    return s_from_z(add2(z, ext))


def bjt(f_hz, ic):
    """Bipolar: hybrid-pi with rb, re, rc and lead inductances; gm and C_pi follow the current."""
    w = 2 * math.pi * f_hz
    jw = 1j * w
    gm = ic / 0.02585
    beta = 100.0
    rpi = beta / gm
    cpi = 0.25e-12 + gm * 12e-12      # junction capacitance plus diffusion (transit time 12 ps)
    cmu = 0.06e-12
    ro = 20.0 / ic                     # Early voltage 20 V
    rb, re, rc, lb, le, lc = 9.0, 1.2, 4.0, 0.6e-9, 0.25e-9, 0.6e-9
    y = [[1 / rpi + jw * (cpi + cmu), -jw * cmu], [gm - jw * cmu, 1 / ro + jw * cmu]]
    z = inv2(y)
    ze = re + jw * le
    ext = [[rb + jw * lb + ze, ze], [ze, rc + jw * lc + ze]]
    return s_from_z(add2(z, ext))


def feed(f_hz, r, l, c, cp):
    """A series RLC between the two ports and cp from each port to ground (a Y-matrix)."""
    w = 2 * math.pi * f_hz
    zl = r + 1j * w * l + 1 / (1j * w * c)
    yd = 1 / zl
    ys = 1j * w * cp
    return s_from_z(inv2([[ys + yd, -yd], [-yd, ys + yd]]))


def ma(z):
    return abs(z), math.degrees(cmath.phase(z))


def db(z):
    m, a = ma(z)
    return 20 * math.log10(m), a


def write(name, header, unit_div, freqs_hz, s_of, fmt, noise=None):
    lines = list(header)
    lines.append("# %s S %s R 50" % ({1e9: "GHz", 1e6: "MHz"}[unit_div], fmt))
    lines.append("! freq   S11   S21   S12   S22")
    for f in freqs_hz:
        s = s_of(f)
        cells = []
        for z in (s[0][0], s[1][0], s[0][1], s[1][1]):
            if fmt == "MA":
                a, b = ma(z)
                cells.append("%.4f %7.2f" % (a, b))
            elif fmt == "DB":
                a, b = db(z)
                cells.append("%.3f %7.2f" % (a, b))
            else:
                cells.append("%.5f %.5f" % (z.real, z.imag))
        lines.append("%g  %s" % (f / unit_div, "  ".join(cells)))
    if noise:
        lines.append("! Noise parameters: freq  NFmin(dB)  |Gopt|  <Gopt  rn")
        for f, nf, gm, ga, rn in noise:
            lines.append("%g  %.2f  %.3f  %6.1f  %.3f" % (f / unit_div, nf, gm, ga, rn))
    with open(os.path.join(OUT, name), "w", newline="\r\n") as out:
        out.write("\n".join(lines) + "\n")


def main():
    os.makedirs(OUT, exist_ok=True)
    ghz = [0.5e9 * k for k in range(1, 37)]
    noise = []
    for k in range(1, 19):
        f = k * 1e9
        g = f / 1e9
        noise.append((f, 0.18 + 0.045 * g + 0.0012 * g * g, max(0.08, 0.82 - 0.042 * g), 12.0 + 10.5 * g,
                      max(0.04, 0.32 - 0.014 * g)))
    write("KV-P71 PHEMT 2V 20mA.s2p",
          ["! KV-P71 low-noise PHEMT, 0.25 um x 200 um", "! Vds = 2 V, Id = 20 mA, Korvel example data",
           "! Computed from an equivalent-circuit model, 500 MHz to 18 GHz"],
          1e9, ghz, fet, "MA", noise)

    mhz = [100e6 * k for k in range(1, 61)]
    for ic_ma in (5, 10, 20):
        ic = ic_ma * 1e-3
        bn = []
        for k in range(1, 9):
            f = k * 500e6
            g = f / 1e9
            # Base-resistance and shot noise: a little worse at high current and frequency.
            nf = 0.9 + 0.025 * ic_ma + 0.22 * g + 0.02 * g * g
            bn.append((f, nf, max(0.05, 0.55 - 0.004 * ic_ma - 0.05 * g), 8.0 + 21.0 * g,
                       0.28 + 0.004 * ic_ma - 0.01 * g))
        write("3v%dma.s2p" % ic_ma,
              ["! KV-B20 silicon bipolar transistor, SOT-343", "! Vce = 3 V, Ic = %d mA, Korvel example data" % ic_ma,
               "! Computed from a hybrid-pi model, 100 MHz to 6 GHz"],
              1e6, mhz, lambda f, ic=ic: bjt(f, ic), "DB" if ic_ma == 10 else "MA", bn)

    feedf = [700e6 + 10e6 * k for k in range(61)]
    write("Diff Zc.s2p", ["! Balanced feed, configuration C, measured as a two-port", "! Korvel example data"],
          1e6, feedf, lambda f: feed(f, 73.0, 30e-9, 0.88e-12, 0.6e-12), "RI")
    write("Diff Za.s2p", ["! Balanced feed, configuration A, measured as a two-port", "! Korvel example data"],
          1e6, feedf, lambda f: feed(f, 110.0, 42e-9, 0.57e-12, 0.9e-12), "RI")


if __name__ == "__main__":
    main()
