#!/usr/bin/env bash
# Screenshots of the drawing sheet for three examples (a plain pad, one load
# plate, two load plates with internal plates), rendered by headless Chromium
# from the SVG that --drawing writes: BUILD/drawing-shots/*.svg and *.png.
#
#     tests/drawing_shots.sh BUILD
set -euo pipefail
build=$(cd "$1" && pwd)
src=$(cd "$(dirname "$0")/.." && pwd)
out="$build/drawing-shots"
mkdir -p "$out"
for name in plain-pad one-plate two-plates; do
    cp "$src/examples/$name.dat" "$out/"
done
(cd "$out" && "$build/bearingpad" -y --drawing plain-pad.dat one-plate.dat two-plates.dat)
for name in plain-pad one-plate two-plates; do
    # The sheet is 11 x 8.5 in, 1056 x 816 CSS pixels; drawn at twice that.
    timeout 120 /usr/bin/chromium --headless --no-sandbox --disable-gpu --hide-scrollbars \
        --force-device-scale-factor=2 --window-size=1056,816 \
        --screenshot="$out/$name.png" "file://$out/$name.svg" >/dev/null 2>&1
    [ -s "$out/$name.png" ] || { echo "no screenshot of $name.svg" >&2; exit 1; }
done
echo "drawing screenshots: $out/*.png"
