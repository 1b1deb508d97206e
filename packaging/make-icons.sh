#!/usr/bin/env bash
# Renders the PNG icon sizes from the SVG and packs them into the Windows icon (.ico, whose
# entries may be PNG images). Run by hand after changing the SVG and commit the PNGs and the
# .ico, so that a build needs no SVG converter. Needs rsvg-convert (Debian: librsvg2-bin).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
svg="$here/icons/org.veskplan.Veskplan.svg"
command -v rsvg-convert >/dev/null || { echo "make-icons.sh: rsvg-convert not found (apt install librsvg2-bin)" >&2; exit 1; }
for size in 16 24 32 48 64 128 256; do
  rsvg-convert --width "$size" --height "$size" --format png \
    --output "$here/icons/org.veskplan.Veskplan-$size.png" "$svg"
done

# The .ico: a header, one 16-byte entry per size, then the PNG files as they are.
byte() { printf "\\$(printf '%03o' $(($1 & 255)))"; }
le16() { byte "$1"; byte $(($1 >> 8)); }
le32() { le16 $(($1 & 65535)); le16 $(($1 >> 16)); }
sizes=(16 24 32 48 64 128 256)
{
  le16 0; le16 1; le16 ${#sizes[@]}
  offset=$((6 + 16 * ${#sizes[@]}))
  for size in "${sizes[@]}"; do
    bytes=$(stat -c %s "$here/icons/org.veskplan.Veskplan-$size.png")
    byte "$size"; byte "$size"; le16 0; le16 1; le16 32; le32 "$bytes"; le32 "$offset"
    offset=$((offset + bytes))
  done
  for size in "${sizes[@]}"; do cat "$here/icons/org.veskplan.Veskplan-$size.png"; done
} >"$here/icons/org.veskplan.Veskplan.ico"
