#!/usr/bin/env bash
# Writes the Jet 4 test databases tests/data/mdb/*.mdb from their descriptions in
# tests/data/mdb/src, after writing src/large.json itself (2000 items in 9 categories), and
# damaged.mdb: project.mdb whose veskdata table definition page is overwritten with text.
#
#   make-test-files.sh [--check] [MKMDB]
#
# MKMDB is the built veskplan-mkmdb (default: the first one found under build/). With --check
# nothing in the tree changes: the files are written to a temporary folder and compared with
# the committed ones, and any difference fails, so the generator stays deterministic.
set -euo pipefail
top="$(cd "$(dirname "$0")/../.." && pwd)"
data="$top/tests/data/mdb"

check=0
if [[ "${1:-}" == --check ]]; then
    check=1
    shift
fi
mkmdb="${1:-}"
if [[ -z "$mkmdb" ]]; then
    for candidate in "$top"/build/*/bin/veskplan-mkmdb; do
        if [[ -x "$candidate" ]]; then
            mkmdb="$candidate"
            break
        fi
    done
fi
if [[ ! -x "$mkmdb" ]]; then
    echo "make-test-files.sh: build veskplan-mkmdb first, or give its path" >&2
    exit 2
fi

out="$data"
if ((check)); then
    out="$(mktemp -d)"
    trap 'rm -rf "$out"' EXIT
    mkdir -p "$out/src"
    cp "$data"/src/*.json "$out/src/"
fi

# The big project: header rows, one row for each of 9 categories, then 2000 items spread over
# them in order; every 100th is a free-text item, every 50th (from the 8th) has no quantity.
# Whole-number arithmetic only, so the text is the same with any awk.
awk 'BEGIN {
    split("CY  |LS  |ACRE|TON |LF  |EACH|SY  |LB  ", units, "|")
    split("EXCAVATION|BASE COURSE|CULVERT PIPE|GUARDRAIL|PAVEMENT MARKING|SEEDING|RIPRAP", words, "|")
    print "{\"tables\": ["
    print "  {\"name\": \"veskdata\","
    print "   \"columns\": ["
    print "     {\"name\": \"Item Number\", \"type\": \"text\", \"size\": 50, \"nullable\": false},"
    print "     {\"name\": \"Cat\", \"type\": \"text\", \"size\": 2, \"nullable\": false},"
    print "     {\"name\": \"Description\", \"type\": \"text\", \"size\": 255, \"nullable\": false},"
    print "     {\"name\": \"Units\", \"type\": \"text\", \"size\": 10},"
    print "     {\"name\": \"Quantity\", \"type\": \"double\"}"
    print "   ],"
    print "   \"indexes\": ["
    print "     {\"name\": \"PrimaryKey\", \"columns\": [\"Cat\", \"Item Number\", \"Description\"], \"primary\": true},"
    print "     {\"name\": \"BridgeKey\", \"columns\": [\"Item Number\", \"Cat\"]}"
    print "   ],"
    print "   \"rows\": ["
    printf "     [\"0000-1000000\", \"00\", \"%-25s%s\", \"0\", null],\n", "BR-9999(001)", "R. Large"
    print "     [\"0000-2000000\", \"00\", \"6/30/2025\", \"5\", null],"
    for (c = 1; c <= 9; c++) {
        printf "     [\"0000-00000%02d\", \"00\", \"GENERATED CATEGORY %d\", \"%02d\", null],\n", c, c, c
    }
    n = 2000
    for (i = 0; i < n; i++) {
        cat = int(i * 9 / n) + 1
        if (i % 100 == 99) {
            number = "2599-9999   "
        } else {
            number = sprintf("%04d-%07d", 2101 + int(i / 20), (i % 20) * 10000)
        }
        desc = sprintf("GENERATED ITEM %04d %s", i + 1, words[i % 7 + 1])
        k = (i * 7919) % 1000000
        qty = (i % 50 == 7) ? "null" : sprintf("%d.%03d", int(k / 1000), k % 1000)
        printf "     [\"%s\", \"%02d\", \"%-40s\", \"%s\", %s]%s\n", number, cat, desc,
               units[i % 8 + 1], qty, (i + 1 < n) ? "," : ""
    }
    print "   ]}"
    print "]}"
}' > "$out/src/large.json"

for description in "$out"/src/*.json; do
    name="$(basename "$description" .json)"
    "$mkmdb" "$description" "$out/$name.mdb"
done

# damaged.mdb: the page that holds the veskdata table definition, filled with text.
page="$("$mkmdb" --map "$out/src/project.json" "$out/project.mdb" |
    awk '$2 == "table" && $3 == "definition" && $4 == "veskdata" { print $1 }')"
cp "$out/project.mdb" "$out/damaged.mdb"
awk 'BEGIN { s = ""; while (length(s) < 4096) s = s "damaged page "; printf "%s", substr(s, 1, 4096) }' |
    dd of="$out/damaged.mdb" bs=4096 seek="$page" conv=notrunc status=none

if ((check)); then
    status=0
    for file in "$out"/*.mdb "$out"/src/large.json; do
        committed="$data/${file#"$out"/}"
        if ! cmp -s "$file" "$committed"; then
            echo "make-test-files.sh: ${file#"$out"/} differs from the committed file" >&2
            status=1
        fi
    done
    exit "$status"
fi
echo "wrote $(ls "$out"/*.mdb | wc -l) files to $out"
