#!/usr/bin/env python3
"""Times the korvel Python module against scikit-rf in one process, and against the C++ bench.

    /usr/bin/python3 bench/python_bench.py [N]     (default 1000000; build folder from
                                                    KORVEL_BUILD_DIR or build/)

On a deterministic N-point two-port file (bench/make_s2p) each stage is timed as the fastest
of three runs, as bench/sparam_bench does: loading, interpolating onto a grid of the same size
offset by half a step, and deriving K, mu1, MAG, MSG, Gt, VSWR, return loss and group delay.
Prints korvel's and scikit-rf's times with their ratio, and korvel-from-Python over
build/bin/sparam_bench (the module's overhead).
"""
import contextlib
import io
import os
import subprocess
import sys
import tempfile
import warnings

# Large blocks fresh from the system in every run, in this process as in the C++ bench's.
if os.environ.get("MALLOC_MMAP_THRESHOLD_") != "1048576":
    os.execve(sys.executable, [sys.executable] + sys.argv, dict(os.environ, MALLOC_MMAP_THRESHOLD_="1048576"))

root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
build = os.environ.get("KORVEL_BUILD_DIR", os.path.join(root, "build"))
sys.path.insert(0, os.path.join(build, "python"))

from korvel import sparam  # noqa: E402

warnings.filterwarnings("ignore")
with contextlib.redirect_stdout(io.StringIO()):
    import skrf as rf  # noqa: E402
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from skrf_peer import derive as skrf_derive, fastest, offset_grid  # noqa: E402

QUANTITIES = ["K", "Mu1", "MAG", "MSG", "Gt", "VSWRIn", "RLIn", "GroupDelay21"]


def main():
    n = int(sys.argv[1]) if len(sys.argv) > 1 else 1_000_000
    with tempfile.TemporaryDirectory() as tmp:
        path = os.path.join(tmp, f"bench_{n}.s2p")
        subprocess.run([os.path.join(build, "bin", "make_s2p"), str(n), path], check=True, stdout=subprocess.DEVNULL)
        with open(path, "rb") as f:   # every reader starts from a warm page cache
            while f.read(1 << 24):
                pass
        cpp = subprocess.run([os.path.join(build, "bin", "sparam_bench"), "--repeat", "3", path], check=True,
                             capture_output=True, text=True).stdout
        ours = {}
        ours["load"], ds = fastest(lambda: sparam.load(path))
        f = ds.frequencies
        grid = offset_grid(f)
        ours["interpolate"], on = fastest(lambda: sparam.interpolate(ds, grid))
        ours["derive"], q = fastest(lambda: on.quantities(QUANTITIES))
        theirs = {}
        theirs["load"], net = fastest(lambda: rf.Network(path))
        theirs["interpolate"], son = fastest(lambda: net.interpolate(rf.Frequency.from_f(grid, unit="hz")))
        theirs["derive"], _ = fastest(lambda: skrf_derive(son))
    cpp_times = {line.split()[0]: float(line.split()[1]) for line in cpp.splitlines()
                 if line.split() and line.split()[0] in ("load", "interpolate", "derive")}
    mid = n // 2
    print(f"file: {n} points; fastest of 3 runs; {os.cpu_count()} processors")
    print("korvel (Python) mid point: " + " ".join(f"{k}={q[k][mid]:.4f}" for k in QUANTITIES))
    print(f"{'stage':<12} {'korvel py':>11} {'scikit-rf':>11} {'ratio':>8} {'C++ bench':>11} {'overhead':>9}")
    for stage in ("load", "interpolate", "derive"):
        o, t, c = ours[stage], theirs[stage], cpp_times[stage]
        print(f"{stage:<12} {o:9.4f} s {t:9.4f} s {t / o:7.1f}x {c:9.4f} s {100 * (o / c - 1):+8.1f}%")


if __name__ == "__main__":
    main()
