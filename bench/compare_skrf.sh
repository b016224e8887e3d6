#!/usr/bin/env bash
# Runs our S-parameter engine and scikit-rf (Debian's python3-scikit-rf) on the same
# deterministic N-point two-port file, and prints each stage's time (the fastest of three runs),
# the peak memory and
# the ratios, with `wc -l` on the file as the floor for reading it.
#
#   bench/compare_skrf.sh [N]        (default 1000000; build folder from KORVEL_BUILD_DIR or build/)
set -euo pipefail

n=${1:-1000000}
root=$(cd "$(dirname "$0")/.." && pwd)
build=${KORVEL_BUILD_DIR:-$root/build}
py=/usr/bin/python3

if ! "$py" -c "import skrf" >/dev/null 2>&1; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo=sudo
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends python3-scikit-rf >/dev/null
fi

cmake --build "$build" --target make_s2p sparam_bench >/dev/null 2>&1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
file=$tmp/bench_$n.s2p
"$build/bin/make_s2p" "$n" "$file"
cat "$file" >/dev/null   # both tools start from a warm page cache

wc_s=$("$py" - "$file" <<'PY'
import subprocess, sys, time
best = 1e9
for _ in range(3):
    t = time.perf_counter()
    subprocess.run(["wc", "-l", sys.argv[1]], check=True, stdout=subprocess.DEVNULL)
    best = min(best, time.perf_counter() - t)
print(f"{best:.4f}")
PY
)

# The same rules for both: each stage's fastest of three runs, and large blocks of memory fresh
# from the system in every run (glibc would otherwise hand a freed block out again in place).
export MALLOC_MMAP_THRESHOLD_=1048576
ours=$("$build/bin/sparam_bench" --repeat 3 "$file")

theirs=$("$py" - "$file" "$root/bench" 2>/dev/null <<'PY'
import resource, sys, warnings
warnings.filterwarnings("ignore")
import skrf as rf
sys.path.insert(0, sys.argv[2])
from skrf_peer import derive, fastest, offset_grid

path = sys.argv[1]

load, net = fastest(lambda: rf.Network(path))
f = net.f
grid = offset_grid(f)
interpolate, on = fastest(lambda: net.interpolate(rf.Frequency.from_f(grid, unit="hz")))
der, (k, mu1, mag, msg, gt, vswr, rl, gd) = fastest(lambda: derive(on))
peak = resource.getrusage(resource.RUSAGE_SELF).ru_maxrss / 1024
mid = len(f) // 2
print(f"load {load:.4f}")
print(f"interpolate {interpolate:.4f}")
print(f"derive {der:.4f}")
print(f"peak {peak:.1f}")
print(f"mid K={k[mid]:.4f} mu1={mu1[mid]:.4f} MAG={mag[mid]:.3f} MSG={msg[mid]:.3f} Gt={gt[mid]:.3f} "
      f"VSWR={vswr[mid]:.4f} RL={rl[mid]:.3f}")
PY
)

size_mb=$(stat -c %s "$file" | awk '{printf "%.1f", $1 / 1e6}')
stage() { awk -v s="$1" '$1 == s { print $2; exit }'; }
o_load=$(echo "$ours" | stage load); o_int=$(echo "$ours" | stage interpolate); o_der=$(echo "$ours" | stage derive)
o_peak=$(echo "$ours" | awk '$1 == "peak" { print $3; exit }')
t_load=$(echo "$theirs" | stage load); t_int=$(echo "$theirs" | stage interpolate); t_der=$(echo "$theirs" | stage derive)
t_peak=$(echo "$theirs" | stage peak)

echo "file: $n points, $size_mb MB; wc -l ${wc_s} s"
echo "$ours" | sed -n '/^mid point/p' | sed 's/^/korvel:    /'
echo "$theirs" | sed -n '/^mid /p' | sed 's/^mid /scikit-rf: /'
printf '%-12s %12s %12s %10s\n' stage korvel scikit-rf ratio
awk -v a="$o_load" -v b="$t_load" 'BEGIN { printf "%-12s %10.4f s %10.4f s %9.1fx\n", "load", a, b, b / a }'
awk -v a="$o_int" -v b="$t_int" 'BEGIN { printf "%-12s %10.4f s %10.4f s %9.1fx\n", "interpolate", a, b, b / a }'
awk -v a="$o_der" -v b="$t_der" 'BEGIN { printf "%-12s %10.4f s %10.4f s %9.1fx\n", "derive", a, b, b / a }'
awk -v a="$o_peak" -v b="$t_peak" 'BEGIN { printf "%-12s %8.1f MiB %8.1f MiB %9.1fx\n", "peak memory", a, b, b / a }'
awk -v a="$o_load" -v w="$wc_s" -v m="$o_peak" -v sz="$size_mb" 'BEGIN {
  printf "korvel load / wc -l: %.1fx   korvel peak / file size: %.2fx\n", a / w, m * 1.048576 / sz }'
