#!/usr/bin/env bash
# Reads every test database under tests/data/mdb with two independent readers, mdbtools
# (mdb-tables, mdb-schema, mdb-export) and the npm package mdb-reader, and compares what each
# reports with the description the file was made from (src/*.json); damaged.mdb must be
# refused.
#
#   verify.sh [DATA_DIR]
#
# Exit 0 when everything agrees, 1 on any difference or when mdbtools, which
# scripts/install-deps.sh installs, is missing; 77 (skipped) when node, which compares and which
# that script does not install, is missing. mdb-reader (npm ci in this folder) is checked with
# when present.
set -uo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
data="${1:-$here/../../../tests/data/mdb}"

mdbtools=0
if command -v mdb-tables >/dev/null && command -v mdb-schema >/dev/null &&
    command -v mdb-export >/dev/null; then
    mdbtools=1
fi
reader=0
if command -v node >/dev/null && [[ -f "$here/node_modules/mdb-reader/package.json" ]]; then
    reader=1
fi
if ((mdbtools == 0)); then
    echo "verify.sh: mdb-tables, mdb-schema or mdb-export is not installed: install the package" \
        "mdbtools (scripts/install-deps.sh does)" >&2
    exit 1
fi
if ! command -v node >/dev/null; then
    echo "verify.sh: skipped: node, which compares, is not installed"
    exit 77
fi
((reader)) || echo "verify.sh: mdb-reader is not installed (npm ci in $here); checking with mdbtools only"
exec node "$here/verify.mjs" --data "$data" --mdbtools "$mdbtools" --mdb-reader "$reader"
