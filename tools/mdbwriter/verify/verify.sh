#!/usr/bin/env bash
# Reads every test database under tests/data/mdb with two independent readers, mdbtools
# (mdb-tables, mdb-schema, mdb-export) and the npm package mdb-reader, and compares what each
# reports with the description the file was made from (src/*.json); damaged.mdb must be
# refused. Checks with whichever reader is installed.
#
#   verify.sh [DATA_DIR]
#
# Exit 0 when everything agrees, 1 on any difference, 77 when neither reader is installed.
# mdbtools: apt-get install mdbtools. mdb-reader: npm ci in this folder. The comparison runs
# on node, which mdb-reader needs anyway.
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
if ((mdbtools == 0 && reader == 0)); then
    echo "verify.sh: skipped: neither mdbtools nor mdb-reader is installed"
    exit 77
fi
if ! command -v node >/dev/null; then
    echo "verify.sh: skipped: mdbtools is installed, but node, which compares, is not"
    exit 77
fi
((mdbtools)) || echo "verify.sh: mdbtools is not installed; checking with mdb-reader only"
((reader)) || echo "verify.sh: mdb-reader is not installed (npm ci in $here); checking with mdbtools only"
exec node "$here/verify.mjs" --data "$data" --mdbtools "$mdbtools" --mdb-reader "$reader"
