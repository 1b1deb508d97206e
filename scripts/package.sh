#!/usr/bin/env bash
# Builds the release preset in build/release and makes the Debian package of it there; prints the
# package's path on its last line. Install it with: sudo apt install ./build/release/veskplan_*.deb
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
dir="$("$top/scripts/build.sh" release | tail -n 1)"
cd "$dir"
rm -f veskplan_*.deb
cpack -G DEB >&2
package="$(ls "$dir"/veskplan_*.deb)"
echo "$package"
