#!/usr/bin/env bash
# Renders the PNG icon sizes from the SVG. Run by hand after changing the SVG and commit the
# PNGs, so that a build needs no SVG converter. Needs rsvg-convert (Debian: librsvg2-bin).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
svg="$here/icons/org.veskplan.Veskplan.svg"
command -v rsvg-convert >/dev/null || { echo "make-icons.sh: rsvg-convert not found (apt install librsvg2-bin)" >&2; exit 1; }
for size in 16 24 32 48 64 128 256; do
  rsvg-convert --width "$size" --height "$size" --format png \
    --output "$here/icons/org.veskplan.Veskplan-$size.png" "$svg"
done
