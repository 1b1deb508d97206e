#!/usr/bin/env bash
# Installs the Debian packages needed to build, run and test the program.
# Non-interactive and safe to run again: packages already present are skipped.
set -euo pipefail

packages=(
  cmake g++ make pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins
  libsqlite3-dev libzip-dev libpugixml-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  fonts-liberation
  # file-format checks run by the tests
  libreoffice-calc-nogui python3 python3-openpyxl poppler-utils
  # the bid history on a server: the client library, and the server the tests start for
  # themselves (scripts/pg-test-server.sh), with certificates of its own for TLS
  libpq-dev postgresql-15 openssl
  # headless start of the window (scripts/run.sh hint, screenshots)
  xvfb xauth
  # older project files kept as Access databases: the library that reads them, and the
  # command-line readers that check the test files
  mdbtools-dev mdbtools
  # installation and the Debian package: validators of the desktop entry, the software-centre
  # description, the file type and the manual pages; the package's dependencies
  desktop-file-utils appstream libxml2-utils shared-mime-info libglib2.0-bin groff-base
  dpkg-dev file
  # the sanitizer build, fuzzing the file readers and line coverage (scripts/sanitize.sh,
  # scripts/fuzz.sh, scripts/coverage.sh)
  clang libclang-rt-14-dev gcovr
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ "${#missing[@]}" -eq 0 ]; then
  exit 0
fi

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi

export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
