#!/usr/bin/env bash
# Installs a finished build into a temporary prefix and checks the installed tree the way a
# Linux desktop will use it: programs and data in place, launcher, icons, file type,
# software-centre description and manual pages valid and consistent with each other, and the
# installed programs finding their data beside themselves.
#
#   tests/packaging/check-install.sh BUILD-DIR
#
# Every validator is installed by scripts/install-deps.sh: a missing one fails, naming its
# package, so that a check that cannot run never passes.
set -uo pipefail

build="${1:?usage: check-install.sh BUILD-DIR}"
cmake="${CMAKE:-cmake}"
app_id=org.veskplan.Veskplan
mime_type=application/x-veskplan-project

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
prefix="$work/prefix"

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}
# need TOOL PACKAGE: whether TOOL is installed; a failure naming PACKAGE when it is not.
need() {
  command -v "$1" >/dev/null 2>&1 && return 0
  fail "$1 is not installed: install the package $2 (scripts/install-deps.sh does)"
  return 1
}

if ! "$cmake" --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1; then
  cat "$work/install.log" >&2
  echo "FAIL: cmake --install $build" >&2
  exit 1
fi

version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")"
[ -n "$version" ] || fail "no project version in $build/CMakeCache.txt"

# --- the installed tree ---------------------------------------------------------------------
share="$prefix/share"
desktop="$share/applications/$app_id.desktop"
metainfo="$share/metainfo/$app_id.metainfo.xml"
mime_xml="$share/mime/packages/$app_id.xml"
sample="$share/veskplan/sample.vsk"

for program in veskplan veskplan-cli; do
  [ -x "$prefix/bin/$program" ] || fail "bin/$program is not installed or not executable"
done
extra="$(ls "$prefix/bin" | grep -vx -e veskplan -e veskplan-cli)"
[ -z "$extra" ] || fail "bin holds more than the two programs: $extra"
for data in itemcats.txt counties.txt seed100-01.xlsx itemse.txt itemsm.txt sample.vsk \
  sample-bids.csv sample-prices.csv sample-index.csv; do
  [ -s "$share/veskplan/$data" ] || fail "share/veskplan/$data is missing or empty"
done
for file in "$desktop" "$metainfo" "$mime_xml" "$share/man/man1/veskplan.1" \
  "$share/man/man1/veskplan-cli.1" "$share/icons/hicolor/scalable/apps/$app_id.svg"; do
  [ -s "$file" ] || fail "${file#"$prefix"/} is missing or empty"
done

# PNG width and height are the two big-endian words after the IHDR tag.
png_size() {
  od -An -tu1 -j16 -N8 "$1" | awk '{ printf "%dx%d", $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8 }'
}
for size in 16 24 32 48 64 128 256; do
  png="$share/icons/hicolor/${size}x${size}/apps/$app_id.png"
  if [ ! -s "$png" ]; then
    fail "no ${size}x${size} icon"
  elif [ "$(head -c 8 "$png" | od -An -tx1 | tr -d ' \n')" != 89504e470d0a1a0a ]; then
    fail "${size}x${size} icon is not a PNG file"
  elif [ "$(png_size "$png")" != "${size}x${size}" ]; then
    fail "${size}x${size} icon is $(png_size "$png") pixels"
  fi
done

# --- the pieces agree with each other -------------------------------------------------------
desktop_key() { sed -n "s/^$1=//p" "$desktop" | head -n 1; }
[ "$(desktop_key Exec)" = "veskplan %f" ] || fail "desktop Exec is '$(desktop_key Exec)'"
[ "$(desktop_key Icon)" = "$app_id" ] || fail "desktop Icon '$(desktop_key Icon)' is not the installed icon"
[ "$(desktop_key MimeType)" = "$mime_type;" ] || fail "desktop MimeType is '$(desktop_key MimeType)'"
grep -q "<mime-type type=\"$mime_type\">" "$mime_xml" || fail "the MIME package does not define $mime_type"
grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" ||
  fail "metainfo does not launch $app_id.desktop"
for program in veskplan veskplan-cli; do
  grep -q "<binary>$program</binary>" "$metainfo" || fail "metainfo does not provide $program"
done
newest_release="$(grep -o '<release [^>]*version="[^"]*"' "$metainfo" | head -n 1 | sed 's/.*version="//; s/"$//')"
[ "$newest_release" = "$version" ] || fail "metainfo's newest release is '$newest_release', the project is $version"
for page in veskplan veskplan-cli; do
  grep -q "^\.TH .*\"Veskplan $version\"" "$share/man/man1/$page.1" ||
    fail "$page.1 does not name version $version"
done

# --- validators -------------------------------------------------------------------------------
if need desktop-file-validate desktop-file-utils; then
  # Hints come with status 0; they count as failures too.
  if ! out="$(desktop-file-validate "$desktop" 2>&1)" || [ -n "$out" ]; then
    fail "desktop-file-validate: $out"
  fi
fi

if need appstreamcli appstream; then
  # validate-tree also checks that the launchable desktop file is installed beside it.
  out="$(appstreamcli validate-tree --no-net "$prefix" 2>&1)" || fail "appstreamcli validate-tree: $out"
fi

if need groff groff-base; then
  for page in veskplan veskplan-cli; do
    out="$(groff -man -ww -z "$share/man/man1/$page.1" 2>&1)"
    [ -z "$out" ] || fail "groff warnings in $page.1: $out"
  done
fi

if need xmllint libxml2-utils; then
  xmllint --noout "$mime_xml" "$metainfo" || fail "xmllint: malformed XML"
fi

# --- the project file type --------------------------------------------------------------------
# A project is an SQLite 3 database ("SQLite format 3" and a NUL at offset 0) whose header
# holds the application id 'VSKP' at offset 68.
[ "$(head -c 16 "$sample" | od -An -tx1 | tr -d ' \n')" = 53514c69746520666f726d6174203300 ] ||
  fail "sample.vsk does not start with the SQLite header"
[ "$(dd if="$sample" bs=1 skip=68 count=4 2>/dev/null)" = VSKP ] ||
  fail "sample.vsk has no application id VSKP at offset 68"

# The desktop's own MIME database, when its tools are here, built from the installed package
# (and the system's base package, when present, so that the project type must win over the
# general SQLite type) and nothing else, must tell projects from other SQLite databases.
if need python3 python3; then
  python3 -c 'import sqlite3, sys; db = sqlite3.connect(sys.argv[1]); db.execute("create table t(x)"); db.commit()' \
    "$work/plain.sqlite"
fi
if need update-mime-database shared-mime-info && need gio libglib2.0-bin; then
  mime_db="$work/mime-data/mime"
  mkdir -p "$mime_db/packages"
  cp "$mime_xml" "$mime_db/packages/"
  base=/usr/share/mime/packages/freedesktop.org.xml
  [ -f "$base" ] && cp "$base" "$mime_db/packages/"
  PKGSYSTEM_ENABLE_FSYNC=0 update-mime-database "$mime_db" >/dev/null 2>&1 || fail "update-mime-database rejects the package"
  content_type() {
    XDG_DATA_HOME="$work/mime-data" XDG_DATA_DIRS="$work/mime-data" \
      gio info -a standard::content-type "$1" 2>/dev/null | sed -n 's/.*content-type: //p'
  }
  cp "$sample" "$work/project-without-extension"
  cp "$sample" "$work/renamed.vsk"
  for file in "$work/project-without-extension" "$work/renamed.vsk"; do
    type="$(content_type "$file")"
    [ "$type" = "$mime_type" ] || fail "gio takes ${file##*/} for '$type'"
  done
  if [ -f "$work/plain.sqlite" ]; then
    type="$(content_type "$work/plain.sqlite")"
    [ "$type" != "$mime_type" ] || fail "gio takes a plain SQLite database for a project"
  fi
fi

# --- the installed programs find their data ---------------------------------------------------
mkdir -p "$work/temp" "$work/home"
run_installed() {
  env -u VESKPLAN_DATA -u SystemRoot -u XDG_CONFIG_HOME \
    HOME="$work/home" temp="$work/temp" TMP="$work/temp" QT_QPA_PLATFORM=offscreen "$@"
}

out="$(run_installed "$prefix/bin/veskplan-cli" --version 2>&1)"
[ "$out" = "veskplan-cli $version" ] || fail "veskplan-cli --version says '$out'"

# The Trns*Port file names the county from counties.txt, the workbook starts from
# seed100-01.xlsx: both come from the program data.
if run_installed "$prefix/bin/veskplan-cli" export trnsport "$sample" "$work/export.txt" \
  2>"$work/export.err"; then
  grep -q '^County: [^[:space:]]' "$work/export.txt" ||
    fail "the Trns*Port export of the installed sample names no county: counties.txt not found"
else
  fail "the installed veskplan-cli cannot export the installed sample: $(cat "$work/export.err")"
fi
if run_installed "$prefix/bin/veskplan-cli" export tabfill "$sample" "$work/export.xlsx" \
  2>"$work/export.err"; then
  [ -s "$work/export.xlsx" ] || fail "the Tabfill export of the installed sample is empty"
else
  fail "the installed veskplan-cli cannot write the Tabfill workbook: $(cat "$work/export.err")"
fi
leftover="$(ls -A "$work/temp")"
[ -z "$leftover" ] || fail "the exports left files in the temporary directory: $leftover"

# Without share/veskplan the workbook cannot be made: the data came from the installed tree
# and not from somewhere else on this machine.
mv "$share/veskplan" "$work/moved-data"
if run_installed "$prefix/bin/veskplan-cli" export tabfill "$work/moved-data/sample.vsk" \
  "$work/again.xlsx" 2>/dev/null; then
  fail "the Tabfill export succeeds without the installed data: the programs read data from elsewhere"
fi
mv "$work/moved-data" "$share/veskplan"

if [ "$failures" -gt 0 ]; then
  echo "$failures packaging check(s) failed" >&2
  exit 1
fi
echo "packaging: the installed tree under a temporary prefix passes every check"
