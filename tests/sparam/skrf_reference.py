#!/usr/bin/env python3
"""Prints scikit-rf's view of one Touchstone file as JSON, at the file's own frequencies,
for tst_skrf_crosscheck: frequencies (Hz), S-parameters, their dB and VSWR, and for a
two-port the stability factor K and the group delays of S21 and S12.

MAG, MSG and |Delta| are not properties of scikit-rf 0.15; they are worked out here with
numpy from scikit-rf's S-matrix and K, so they check our formulas against an independent
writing of the same textbook expressions."""
import contextlib
import io
import json
import sys
import warnings

warnings.filterwarnings("ignore")
import numpy as np  # noqa: E402

# scikit-rf announces a missing plotting package on standard output; keep that out of the JSON.
with contextlib.redirect_stdout(io.StringIO()):
    import skrf as rf  # noqa: E402


def cx(a):
    return [[float(v.real), float(v.imag)] for v in a]


def real(a):
    return [float(v) for v in np.real(a)]


net = rf.Network(sys.argv[1])
out = {"f": real(net.f), "z0": float(np.real(net.z0[0, 0])), "ports": int(net.nports)}
p = net.nports
for i in range(p):
    for j in range(p):
        name = f"S{i + 1}{j + 1}"
        out[name] = cx(net.s[:, i, j])
        out[name + "dB"] = real(net.s_db[:, i, j])
out["VSWRIn"] = real(net.s_vswr[:, 0, 0])
if p == 2:
    s11, s21, s12, s22 = net.s[:, 0, 0], net.s[:, 1, 0], net.s[:, 0, 1], net.s[:, 1, 1]
    k = np.real(net.stability)
    delta = s11 * s22 - s12 * s21
    b1 = 1 + np.abs(s11) ** 2 - np.abs(s22) ** 2 - np.abs(delta) ** 2
    msg = 10 * np.log10(np.abs(s21) / np.abs(s12))
    with np.errstate(invalid="ignore"):
        mag = np.where((k > 1) & (b1 > 0), msg + 10 * np.log10(k - np.sqrt(np.maximum(k * k - 1, 0))), np.nan)
    out["VSWROut"] = real(net.s_vswr[:, 1, 1])
    out["K"] = real(k)
    out["AbsDelta"] = real(np.abs(delta))
    out["MSG"] = real(msg)
    out["MAG"] = [None if np.isnan(v) else float(v) for v in mag]
    gd = net.group_delay
    out["GroupDelay21"] = real(gd[:, 1, 0])
    out["GroupDelay12"] = real(gd[:, 0, 1])
json.dump(out, sys.stdout)
