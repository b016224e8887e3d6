"""The peer both S-parameter benches time against: scikit-rf on the same file, by the same rules.

Each stage is the fastest of three runs; derive forms the quantities the Korvel benches derive
(K, mu1, MAG, MSG, Gt, input VSWR and return loss, group delay of S21) from scikit-rf's network.
"""
import gc
import time

import numpy as np


def fastest(stage, runs=3):
    """(best time in seconds, last result) of `runs` calls of stage()."""
    best, result = float("inf"), None
    for _ in range(runs):
        result = None
        gc.collect()
        t = time.perf_counter()
        result = stage()
        best = min(best, time.perf_counter() - t)
    return best, result


def derive(on):
    """K, mu1, MAG, MSG, Gt, VSWR in, RL in and group delay 21 of a scikit-rf network."""
    s = on.s
    s11, s21, s12, s22 = s[:, 0, 0], s[:, 1, 0], s[:, 0, 1], s[:, 1, 1]
    k = on.stability
    delta = s11 * s22 - s12 * s21
    mu1 = (1 - np.abs(s11) ** 2) / (np.abs(s22 - delta * np.conj(s11)) + np.abs(s12 * s21))
    b1 = 1 + np.abs(s11) ** 2 - np.abs(s22) ** 2 - np.abs(delta) ** 2
    msg = 10 * np.log10(np.abs(s21) / np.abs(s12))
    mag = np.where((k > 1) & (b1 > 0), msg + 10 * np.log10(k - np.sqrt(np.maximum(k * k - 1, 0))), np.nan)
    return k, mu1, mag, msg, on.s_db[:, 1, 0], on.s_vswr[:, 0, 0], -on.s_db[:, 0, 0], on.group_delay[:, 1, 0]


def offset_grid(f):
    """A grid of the same size over the same range, offset by half a step so every point interpolates."""
    return f[0] + (f[-1] - f[0]) * (np.arange(len(f)) + 0.5) / len(f)
