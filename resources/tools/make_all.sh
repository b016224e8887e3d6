#!/bin/sh
# Regenerates every file under resources/files from the scripts in this folder.
# The sounds, icons, bitmaps, guide and help pages need only Python 3. korvel.png is
# rendered from korvel.svg with the small Qt tool in svgrender/ (built on the fly into
# a temporary folder); without Qt the PNG that is already there is kept.
set -e
here=$(cd "$(dirname "$0")" && pwd)
out="$here/../files"
python3 "$here/make_sounds.py" "$out"
python3 "$here/make_icons.py" "$out"
python3 "$here/make_bitmaps.py" "$out"
python3 "$here/make_guide_pdf.py" "$out"
python3 "$here/make_help.py" "$out"
python3 "$here/make_help_temlines.py" "$out"
python3 "$here/make_help_active.py" "$out"
python3 "$here/make_help_reflection_ip3.py" "$out"
python3 "$here/make_help_planar.py" "$out"
python3 "$here/make_help_bjtbias.py" "$out"
python3 "$here/make_help_fetrfic.py" "$out"
python3 "$here/make_help_tools.py" "$out"
python3 "$here/make_help_sparam.py" "$out"
python3 "$here/make_examples.py" "$out"
# The index lists every page the generators above wrote.
python3 "$here/make_help.py" "$out" --index
build="${TMPDIR:-/tmp}/korvel-svgrender"
if cmake -S "$here/svgrender" -B "$build" -G Ninja >/dev/null 2>&1 &&
   cmake --build "$build" >/dev/null 2>&1; then
  QT_QPA_PLATFORM=offscreen "$build/svgrender" png "$out/korvel.svg" "$out/korvel.png" 256
  echo "wrote korvel.png"
else
  echo "Qt not available: korvel.png left as it is"
fi
python3 "$here/check_files.py" "$out"
