#!/usr/bin/env bash
# Cross-builds Veskplan for 64-bit Windows on Debian and runs its tests under Wine.
#
#   scripts/windows.sh               dependencies (first run only), then Veskplan and its tests
#   scripts/windows.sh --deps-only [NAME...]
#                                    only the dependencies (all, or the ones named)
#   scripts/windows.sh --no-tests    everything but the test programs under Wine
#
# The libraries Veskplan needs are built for Windows from Debian's source packages (apt-get
# source) into a prefix outside the tree, named after the source versions:
#   ${XDG_CACHE_HOME:-$HOME/.cache}/veskplan-windows/<key>     (VESKPLAN_WINDOWS_CACHE overrides
#   the parent folder). Each library leaves a stamp there when it is installed, so a second run
#   reuses it and an interrupted run resumes with the library it stopped in. Two runs at once
#   wait for each other per library instead of building it twice.
#
# Veskplan itself is built in build/windows by the windows preset (with
# cmake/mingw-w64-x86_64.cmake); its tests run under Wine (CMAKE_CROSSCOMPILING_EMULATOR) in a
# Wine prefix kept beside the libraries, among them the comparison of the exports with those of
# the Linux command line (build/release of the release preset, or VESKPLAN_NATIVE_BUILD). Then
# `cmake --install` stages the installed folder, cpack makes its .zip and wixl the installer
# build/windows/packages/veskplan-<version>-x64.msi, which is installed, used and removed in a
# fresh Wine prefix. The last line printed is the .msi's path.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
toolchain=$root/cmake/mingw-w64-x86_64.cmake
triplet=x86_64-w64-mingw32
jobs=${JOBS:-$(nproc)}

# Raised whenever a library is built differently, so that the old prefix is not reused.
recipe=1

# Library name, Debian source package: in build order (libzip needs zlib).
dependencies=(
  qtbase:qt6-base
  zlib:zlib
  sqlite:sqlite3
  libzip:libzip
  pugixml:pugixml
  googletest:googletest
  benchmark:benchmark
  openssl:openssl
  libpq:postgresql-15
)

apt_packages=(
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix ninja-build wine wine64 wixl msitools
  # unpacking source packages, the host's Qt tools, SQLite's source generator, the build itself
  dpkg-dev qt6-base-dev-tools tcl cmake pkg-config ccache autoconf automake libtool
  bison flex gawk xvfb xauth imagemagick
  # the fonts the programs are tested with, given to the Wine prefixes
  fonts-liberation poppler-utils
  # the test server the Windows programs price from, and libpq for the Linux command line
  postgresql-15 postgresql-client-15 libpq-dev
)

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

say() { printf '==> %s\n' "$*" >&2; }

duration() { printf '%dm%02ds' $(($1 / 60)) $(($1 % 60)); }

# Installs missing packages and makes source packages available through a deb-src entry.
ensure_packages() {
  local missing=() p update=0
  for p in "${apt_packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" \
      || missing+=("$p")
  done
  if ! grep -rqsE '^(Types:.*deb-src|deb-src )' /etc/apt/sources.list /etc/apt/sources.list.d/; then
    local debian=/etc/apt/sources.list.d/debian.sources
    if [ -f "$debian" ]; then
      say "adding a deb-src entry: /etc/apt/sources.list.d/debian-src.sources"
      sed 's/^Types:.*/Types: deb-src/' "$debian" \
        | as_root tee /etc/apt/sources.list.d/debian-src.sources >/dev/null
    elif [ -f /etc/apt/sources.list ]; then
      say "adding a deb-src entry: /etc/apt/sources.list.d/debian-src.list"
      sed -n 's/^deb /deb-src /p' /etc/apt/sources.list \
        | as_root tee /etc/apt/sources.list.d/debian-src.list >/dev/null
    else
      echo "no Debian entry in /etc/apt to copy as deb-src" >&2
      exit 1
    fi
    update=1
  fi
  if [ "$update" -eq 1 ] || [ "${#missing[@]}" -gt 0 ]; then
    export DEBIAN_FRONTEND=noninteractive
    as_root apt-get update -qq
  fi
  if [ "${#missing[@]}" -gt 0 ]; then
    say "installing ${missing[*]}"
    as_root apt-get install -y -qq --no-install-recommends "${missing[@]}"
  fi
}

# Downloads the newest version of a source package that the mirror serves (an older one when the
# newest's files are missing there) into the download cache, and prints its version.
download_source() {
  local package=$1 version dir failure
  while read -r version; do
    dir=$downloads/$package/$version
    if [ -f "$dir/.complete" ]; then
      printf '%s\n' "$version"
      return
    fi
    rm -rf "$dir"
    mkdir -p "$dir"
    if failure=$(cd "$dir" && apt-get source --download-only -qq "$package=$version" 2>&1); then
      touch "$dir/.complete"
      printf '%s\n' "$version"
      return
    fi
    rm -rf "$dir"
    say "$package $version: cannot be downloaded ($(grep -m1 '^E:' <<<"$failure" || true))"
  done < <(apt-cache showsrc --only-source "$package" | sed -n 's/^Version: //p' \
    | sort -u | sort_versions_newest_first)
  return 1
}

sort_versions_newest_first() {
  local versions=() v i j t
  while read -r v; do versions+=("$v"); done
  for ((i = 0; i < ${#versions[@]}; i++)); do
    for ((j = i + 1; j < ${#versions[@]}; j++)); do
      if dpkg --compare-versions "${versions[j]}" gt "${versions[i]}"; then
        t=${versions[i]}; versions[i]=${versions[j]}; versions[j]=$t
      fi
    done
  done
  [ "${#versions[@]}" -eq 0 ] || printf '%s\n' "${versions[@]}"
}

# Unpacks a downloaded source package (with Debian's patches) and prints its folder.
unpack_source() {
  local package=$1 version=$2 dir
  dir=$work/src/$package
  if [ ! -f "$dir.unpacked" ]; then
    rm -rf "$dir"
    mkdir -p "$work/src"
    dpkg-source -q -x "$downloads/$package/$version/${package}_${version#*:}.dsc" "$dir" >&2
    touch "$dir.unpacked"
  fi
  printf '%s\n' "$dir"
}

cmake_cross() {
  local src=$1 build=$2
  shift 2
  cmake -G Ninja -S "$src" -B "$build" -Wno-dev \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DVESKPLAN_WINDOWS_PREFIX="$prefix" \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_BUILD_TYPE=Release "$@"
  cmake --build "$build" --parallel "$jobs"
  cmake --install "$build"
}

build_qtbase() {
  # Only what Veskplan uses: Core, Gui, Widgets, PrintSupport and Test, the windows and
  # offscreen platforms and the Windows styles. moc, rcc and uic come from the host.
  # Direct2D stays on: the Windows print engine uses the DirectWrite font engine, which Qt 6.4
  # builds only together with Direct2D. Debian's source leaves out the Wintab header (its licence
  # forbids changes), so no tablet events.
  cmake_cross "$1" "$2" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DBUILD_SHARED_LIBS=ON -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF \
    -DQT_BUILD_BENCHMARKS=OFF -DQT_BUILD_MANUAL_TESTS=OFF \
    -DFEATURE_sql=OFF -DFEATURE_network=OFF -DINPUT_opengl=no -DFEATURE_opengl=OFF -DFEATURE_dbus=OFF \
    -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_testlib=ON \
    -DFEATURE_vulkan=OFF -DFEATURE_tabletevent=OFF -DFEATURE_system_zlib=OFF
}

build_zlib() {
  # Static, so that it ends up inside libzip's DLL. Debian's source has no win32/ folder, which
  # zlib's CMake build wants for MinGW: its configure script cross-compiles from CHOST.
  (cd "$1" && CHOST=$triplet CC=$triplet-gcc-posix ./configure --static --prefix="$prefix" \
    && make -j"$jobs" libz.a && make install)
}

build_sqlite() {
  # SQLite's tree cross-compiles its own generators for the target; make the single-file
  # amalgamation with a host build instead and compile that for Windows.
  mkdir -p "$2/host"
  (cd "$2/host" && "$1/configure" --disable-tcl --disable-readline >/dev/null \
    && make -j"$jobs" sqlite3.c sqlite3.h)
  local version
  version=$(sed -n 's/^#define SQLITE_VERSION *"\(.*\)"/\1/p' "$2/host/sqlite3.h")
  (cd "$2" && $triplet-gcc-posix -O2 -DSQLITE_THREADSAFE=1 -DSQLITE_ENABLE_MATH_FUNCTIONS \
    -shared -o libsqlite3-0.dll host/sqlite3.c -Wl,--out-implib,libsqlite3.dll.a)
  mkdir -p "$prefix/bin" "$prefix/lib/pkgconfig" "$prefix/include"
  cp "$2/libsqlite3-0.dll" "$prefix/bin/"
  cp "$2/libsqlite3.dll.a" "$prefix/lib/"
  cp "$2/host/sqlite3.h" "$1/src/sqlite3ext.h" "$prefix/include/"
  write_pc sqlite3 "SQL database engine" "$version" -lsqlite3
}

# A pkg-config file for a library whose build does not make one for Windows.
write_pc() {
  cat >"$prefix/lib/pkgconfig/$1.pc" <<EOF
prefix=$prefix
libdir=\${prefix}/lib
includedir=\${prefix}/include

Name: $1
Description: $2
Version: $3
Libs: -L\${libdir} $4
Cflags: -I\${includedir}
EOF
}

build_libzip() {
  cmake_cross "$1" "$2" -DBUILD_SHARED_LIBS=ON -DENABLE_BZIP2=OFF -DENABLE_LZMA=OFF \
    -DENABLE_ZSTD=OFF -DENABLE_OPENSSL=OFF -DENABLE_GNUTLS=OFF -DENABLE_MBEDTLS=OFF \
    -DENABLE_COMMONCRYPTO=OFF -DBUILD_TOOLS=OFF -DBUILD_REGRESS=OFF -DBUILD_EXAMPLES=OFF \
    -DBUILD_DOC=OFF
}

build_pugixml() {
  cmake_cross "$1" "$2" -DBUILD_SHARED_LIBS=ON -DPUGIXML_BUILD_TESTS=OFF
}

build_googletest() {
  # Static, as the tests link it on Linux; gmock comes with it.
  cmake_cross "$1" "$2" -DBUILD_SHARED_LIBS=OFF -DBUILD_GMOCK=ON -DINSTALL_GTEST=ON
}

build_benchmark() {
  # Static, for the start-up bench under Wine. Debian's patch leaves the version to be given.
  local version
  version=$(sed -n 's/^project *(benchmark VERSION \([0-9.]*\).*/\1/p' "$1/CMakeLists.txt")
  cmake_cross "$1" "$2" -DGIT_VERSION="$version" -DBUILD_SHARED_LIBS=OFF -DBENCHMARK_ENABLE_TESTING=OFF \
    -DBENCHMARK_ENABLE_GTEST_TESTS=OFF -DBENCHMARK_ENABLE_WERROR=OFF -DBENCHMARK_ENABLE_LTO=OFF
}

build_openssl() {
  # Only the libraries, for libpq's TLS: sslmode=verify-full against the agency's CA.
  (cd "$2" && CC=$triplet-gcc-posix AR=$triplet-ar RANLIB=$triplet-ranlib RC=$triplet-windres \
    perl "$1/Configure" mingw64 shared no-tests --prefix="$prefix" --libdir=lib \
    && make -j"$jobs" build_libs && make install_dev install_runtime_libs)
}

build_libpq() {
  # Only the client library and the headers it needs; no server. configure runs as a cross
  # build, so none of its checks runs a Windows program.
  (cd "$2" && "$1/configure" --host=$triplet CC=$triplet-gcc-posix --prefix="$prefix" \
    --without-readline --without-zlib --without-icu --without-llvm --with-openssl \
    CPPFLAGS="-I$prefix/include" LDFLAGS="-L$prefix/lib" >/dev/null \
    && make -C src/interfaces/libpq -j"$jobs" && make -C src/interfaces/libpq install \
    && make -C src/include install)
}

# Wine, for the tests: its own prefix beside the libraries, no downloads of Mono or Gecko, and
# the DLLs found in the library prefix and the compiler's runtime folders.
windows_path() { printf 'Z:%s' "${1//\//\\}"; }

# The Liberation fonts (the metrics of Arial, Times New Roman and Courier New) in a prefix's
# Fonts folder, where Wine finds them as a Windows machine's own.
install_fonts() {
  local fonts="$WINEPREFIX/drive_c/windows/Fonts"
  mkdir -p "$fonts"
  cp -u /usr/share/fonts/truetype/liberation/Liberation*.ttf "$fonts/"
}

wine_environment() {
  local gcc_runtime pthread_runtime
  gcc_runtime=$(dirname "$(realpath "$($triplet-g++-posix -print-file-name=libstdc++-6.dll)")")
  pthread_runtime=$(dirname "$(realpath "$($triplet-g++-posix -print-file-name=libwinpthread-1.dll)")")
  WINEPATH="$(windows_path "$prefix/bin");$(windows_path "$gcc_runtime")"
  WINEPATH+=";$(windows_path "$pthread_runtime")"
  export WINEPREFIX=$cache/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEPATH
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    say "creating the Wine prefix $WINEPREFIX"
    wineboot --init >/dev/null 2>&1
  fi
  install_fonts
}

# The Linux command line of the same sources, which the Windows one is compared with.
build_native_cli() {
  if [ ! -f "$native/CMakeCache.txt" ]; then
    (cd "$root" && cmake --preset release -B "$native" >/dev/null)
  fi
  cmake --build "$native" --parallel "$jobs" --target veskplan-cli veskplan-data
}

build_veskplan() {
  local start=$SECONDS
  export VESKPLAN_WINDOWS_PREFIX=$prefix
  wine_environment
  build_native_cli
  (cd "$root" && cmake --preset windows -DVESKPLAN_NATIVE_CLI="$native/bin/veskplan-cli")
  (cd "$root" && cmake --build --preset windows --parallel "$jobs")
  say "Veskplan built in $(duration $((SECONDS - start)))"
  check_resources
  if [ "$run_tests" -eq 1 ]; then
    start=$SECONDS
    say "running the tests under Wine"
    (cd "$root" && ctest --preset windows)
    say "tests under Wine done in $(duration $((SECONDS - start)))"
  fi
}

# The window program has no console, and both carry the manifest and the version information.
check_resources() {
  local exe
  expect() { grep -q "$2" "$1" || { echo "$1 lacks $3" >&2; exit 1; }; }
  $triplet-objdump -p "$build/bin/veskplan.exe" >"$build/veskplan.headers"
  $triplet-objdump -p "$build/bin/veskplan-cli.exe" >"$build/veskplan-cli.headers"
  expect "$build/veskplan.headers" 'Subsystem.*(Windows GUI)' "the window subsystem"
  expect "$build/veskplan-cli.headers" 'Subsystem.*(Windows CUI)' "the console subsystem"
  for exe in veskplan veskplan-cli; do
    $triplet-windres -i "$build/bin/$exe.exe" -J coff -O rc 2>/dev/null >"$build/$exe.resources.rc"
    expect "$build/$exe.resources.rc" '>PerMonitorV2<' "per-monitor DPI awareness"
    expect "$build/$exe.resources.rc" '<longPathAware[^>]*>true' "long path awareness"
    expect "$build/$exe.resources.rc" 'Microsoft.Windows.Common-Controls' "the common controls"
    expect "$build/$exe.resources.rc" 'VALUE "ProductVersion", "'"$version"'"' "its version"
    expect "$build/$exe.resources.rc" 'RT_GROUP_ICON' "the icon"
  done
  say "resources: window and console subsystems, manifest, icon and version $version in place"
}

# build_msi VERSION FOLDER MSI: the installer of the staged files as that version. FOLDER, under
# the build folder, holds the file list and the icon while wixl runs, which wants them relative.
build_msi() {
  local folder=${2#"$build"/}
  cp "$root/packaging/icons/org.veskplan.Veskplan.ico" "$2/veskplan.ico"
  (cd "$build" && find stage -type f | LC_ALL=C sort \
    | wixl-heat -p stage/ --directory-ref INSTALLDIR --component-group VeskplanFiles \
      --var var.StageDir --win64 >"$2/files.wxs" \
    && wixl -a x64 -D Version="$1" -D Win64=yes -D StageDir=stage \
      -D IconFile="$folder/veskplan.ico" -o "$3" "$root/packaging/windows/veskplan.wxs" \
      "$folder/files.wxs")
  rm "$2/files.wxs" "$2/veskplan.ico"
}

# The installed folder (build/windows/stage), its .zip (cpack) and its .msi (wixl), in
# build/windows/packages.
make_packages() {
  local start=$SECONDS out=$build/packages
  stage=$build/stage
  rm -rf "$stage" "$out"
  cmake --install "$build" --prefix "$stage" --strip >/dev/null
  (cd "$build" && cpack -G ZIP >/dev/null)
  msi=$out/veskplan-$version-x64.msi
  build_msi "$version" "$out" "$msi"
  say "packages made in $(duration $((SECONDS - start))): $msi ($(stat -c %s "$msi") bytes)"
}

# Installs the .msi silently into a fresh Wine prefix with nothing else on its path, exports the
# installed sample project with the installed command line, and removes it again.
check_installer() {
  local start=$SECONDS saved_prefix=$WINEPREFIX saved_path=$WINEPATH
  export WINEPREFIX=$cache/wine-install WINEPATH=
  [ ! -d "$WINEPREFIX" ] || wineserver -k || true
  rm -rf "$WINEPREFIX"
  wineboot --init >/dev/null 2>&1
  install_fonts
  local installed="$WINEPREFIX/drive_c/Program Files/Veskplan"
  wine msiexec /i "$(windows_path "$msi")" /qn
  local expected actual
  expected=$(cd "$stage" && find . -type f | LC_ALL=C sort)
  actual=$(cd "$installed" && find . -type f | LC_ALL=C sort)
  if [ "$expected" != "$actual" ]; then
    diff <(printf '%s\n' "$expected") <(printf '%s\n' "$actual") >&2 || true
    echo "the installed files are not the packaged ones" >&2
    exit 1
  fi
  say "installed $(wc -l <<<"$actual") files into C:\\Program Files\\Veskplan"
  # Wine puts the Start menu entry in the user's menu even for a per-machine package.
  if [ -z "$(find "$WINEPREFIX/drive_c" -name Veskplan.lnk)" ]; then
    echo "the installer made no Start menu entry" >&2
    exit 1
  fi
  wine reg query 'HKLM\Software\Classes\Veskplan.Project\shell\open\command' | grep -q veskplan.exe
  # (Wine passes no QT_ variable on: the command line picks its own platform.)
  wine "$installed/veskplan-cli.exe" export trnsport \
    'C:\Program Files\Veskplan\sample.vsk' 'C:\users\Public\sample.txt'
  QT_QPA_PLATFORM=offscreen "$native/bin/veskplan-cli" export trnsport "$root/data/sample.vsk" \
    "$build/installed-check.txt"
  cmp "$build/installed-check.txt" "$WINEPREFIX/drive_c/users/Public/sample.txt"
  say "the installed veskplan-cli.exe exports the installed sample project as on Linux"
  # An older Access project opens with the installed program (its own libmdb) and converts to
  # the same bytes as on Linux.
  rm -f "$WINEPREFIX/drive_c/users/Public/project.vsk"
  cp "$root/tests/data/mdb/project.mdb" "$WINEPREFIX/drive_c/users/Public/project.mdb"
  wine "$installed/veskplan-cli.exe" convert 'C:\users\Public\project.mdb' \
    'C:\users\Public\project.vsk'
  QT_QPA_PLATFORM=offscreen "$native/bin/veskplan-cli" convert "$root/tests/data/mdb/project.mdb" \
    "$build/installed-project.vsk"
  cmp "$build/installed-project.vsk" "$WINEPREFIX/drive_c/users/Public/project.vsk"
  say "the installed veskplan-cli.exe converts an Access project to the same bytes as on Linux"
  # Its printed table is text in the PDF, under its headings, as pdftotext reads it.
  wine "$installed/veskplan-cli.exe" print 'C:\Program Files\Veskplan\sample.vsk' \
    --pdf 'C:\users\Public\sample.pdf'
  local printed
  printed=$(pdftotext -layout "$WINEPREFIX/drive_c/users/Public/sample.pdf" -)
  if ! grep -q 'ITEM CODE *ITEM DESCRIPTION *UNIT' <<<"$printed"; then
    echo "the installed veskplan-cli.exe printed no readable table" >&2
    exit 1
  fi
  say "the installed veskplan-cli.exe prints the sample's table as text in its fonts"
  # The installed window program with the sample project, on a virtual screen. Wine's desktop
  # process, started by the installer without a display, would keep the window off the screen:
  # the prefix's server is stopped so that it starts again on the virtual one. Wine's DirectWrite
  # leaves out some glyphs of the Liberation fonts (a capital I); Qt's FreeType engine draws
  # them all, so the picture shows what a Windows machine shows.
  wineserver -k || true
  wineserver -w
  xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
    wine "$1" -platform windows:fontengine=freetype "C:\\Program Files\\Veskplan\\sample.vsk" \
      >/dev/null 2>&1 &
    sleep 25
    import -window root "$2"
    wineserver -k' _ "$installed/veskplan.exe" "$build/packages/screenshot.png"
  say "the installed veskplan.exe on a virtual screen: $build/packages/screenshot.png"
  time_installed_start "$installed"
  wine msiexec /x "$(windows_path "$msi")" /qn
  check_nothing_left "$installed"
  say "uninstalled, no file left"
  check_upgrade "$installed"
  wineserver -k || true
  say "installer checked in $(duration $((SECONDS - start)))"
  export WINEPREFIX=$saved_prefix WINEPATH=$saved_path
}

# The start-up bench of bench/ on the installed program, beside a bare Qt window that loads the
# installed Qt libraries and plugins too, in one run. Both bench programs sit in the installed
# folder for the run (Qt finds its platform plugins beside the program) and go again before the
# uninstaller's check; the windows are shown on a virtual screen.
time_installed_start() {
  local installed=$1
  cp "$build/bin/startup_bench.exe" "$build/bin/bare_window.exe" "$installed/"
  wineserver -k || true
  wineserver -w
  xvfb-run -a -s "-screen 0 1280x800x24" env \
    VESKPLAN_BENCH_PROGRAM='C:\Program Files\Veskplan\veskplan.exe' \
    VESKPLAN_BENCH_BARE_WINDOW='C:\Program Files\Veskplan\bare_window.exe' \
    wine "$installed/startup_bench.exe" --benchmark_filter=Process --benchmark_repetitions=5 \
    --benchmark_report_aggregates_only=true >"$build/packages/startup-under-wine.txt"
  wineserver -k || true
  rm -f "$installed/startup_bench.exe" "$installed/bare_window.exe"
  if grep -q 'ERROR OCCURRED' "$build/packages/startup-under-wine.txt"; then
    cat "$build/packages/startup-under-wine.txt" >&2
    echo "the start-up bench could not start the installed program" >&2
    exit 1
  fi
  cat "$build/packages/startup-under-wine.txt"
  say "the installed program's start beside a bare window: $build/packages/startup-under-wine.txt"
}

check_nothing_left() {
  if [ -e "$1" ] || [ -n "$(find "$WINEPREFIX/drive_c" -name Veskplan.lnk)" ] \
    || wine reg query 'HKLM\Software\Classes\.vsk' >/dev/null 2>&1; then
    echo "the uninstaller left files or registry entries behind" >&2
    exit 1
  fi
}

# The names and versions of the installed programs called Veskplan, as the list of installed
# programs shows them.
installed_entries() {
  wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s 2>/dev/null \
    | tr -d '\r' | grep -A1 -E 'DisplayName +REG_SZ +Veskplan$' | grep -E 'DisplayVersion' \
    | awk '{print $3}' || true
}

# A later package of the same UpgradeCode replaces this one in place: one entry, the later
# version, the same files; removing it leaves nothing.
check_upgrade() {
  local installed=$1 later=$build/upgrade-check
  local later_version=$((${version%%.*} + 1)).0.0  # a Windows Installer major is at most 255
  rm -rf "$later"
  mkdir -p "$later"
  build_msi "$later_version" "$later" "$later/later.msi"
  wine msiexec /i "$(windows_path "$msi")" /qn
  [ "$(installed_entries)" = "$version" ] || { echo "the package did not install" >&2; exit 1; }
  wine msiexec /i "$(windows_path "$later/later.msi")" /qn
  if [ "$(installed_entries)" != "$later_version" ]; then
    echo "a later package did not replace this one in place: $(installed_entries)" >&2
    exit 1
  fi
  if [ "$(cd "$stage" && find . -type f | LC_ALL=C sort)" \
    != "$(cd "$installed" && find . -type f | LC_ALL=C sort)" ]; then
    echo "after the upgrade the installed files are not the packaged ones" >&2
    exit 1
  fi
  wine msiexec /x "$(windows_path "$later/later.msi")" /qn
  check_nothing_left "$installed"
  [ -z "$(installed_entries)" ] || { echo "the upgrade left an entry behind" >&2; exit 1; }
  rm -rf "$later"
  say "a later version replaced this one in place (one entry, the same files) and left nothing"
}

# Builds one library unless its stamp says it is installed. The time spent on it is kept across
# interrupted runs, so that the stamp tells what the library cost in all.
build_dependency() {
  local name=$1 package=$2 version=$3 stamp=$prefix/.stamps/$1
  exec {lock}>"$prefix/.stamps/$name.lock"
  flock "$lock"
  if [ -f "$stamp" ]; then
    say "$name: cached ($(cat "$stamp"))"
    exec {lock}>&-
    return
  fi
  local build=$work/build/$name src
  mkdir -p "$build"
  dependency_clock=$build.seconds dependency_earlier=0 dependency_start=$SECONDS
  [ -f "$dependency_clock" ] && dependency_earlier=$(cat "$dependency_clock")
  trap 'echo $((dependency_earlier + SECONDS - dependency_start)) >"$dependency_clock"' EXIT
  trap 'exit 130' INT TERM HUP
  say "$name: building $package $version"
  src=$(unpack_source "$package" "$version")
  "build_$name" "$src" "$build"
  trap - EXIT INT TERM HUP
  local took=$((dependency_earlier + SECONDS - dependency_start))
  printf '%s %s, built in %s\n' "$package" "$version" "$(duration $took)" >"$stamp"
  say "$name: built in $(duration $took)"
  rm -rf "$build" "$build.seconds" "$work/src/$package" "$work/src/$package.unpacked" \
    "$work/src/${package}_"*
  exec {lock}>&-
}

main() {
  deps_only=0
  run_tests=1
  wanted=()
  while [ $# -gt 0 ]; do
    case $1 in
      --deps-only) deps_only=1 ;;
      --no-tests) run_tests=0 ;;
      -h | --help) sed -n '2,/^set -e/p' "$0" | sed '$d; s/^# \{0,1\}//'; exit 0 ;;
      -*) echo "unknown option $1" >&2; exit 2 ;;
      *) wanted+=("$1") ;;
    esac
    shift
  done

  ensure_packages

  cache=${VESKPLAN_WINDOWS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/veskplan-windows}
  downloads=$cache/sources
  versions=()
  unavailable=()
  for entry in "${dependencies[@]}"; do
    package=${entry#*:}
    if version=$(download_source "$package"); then
      versions+=("$package=$version")
    else
      versions+=("$package=unavailable")
      unavailable+=("$package")
      say "$package: no version of this source package can be downloaded from the mirror"
    fi
  done
  key=$(printf '%s\n' "recipe=$recipe" "${versions[@]}" | sha256sum | cut -c1-16)
  prefix=$cache/$key
  work=$cache/$key.work
  mkdir -p "$prefix/.stamps" "$work"
  printf '%s\n' "recipe=$recipe" "${versions[@]}" >"$prefix/.stamps/versions"
  say "dependency prefix: $prefix"

  start_all=$SECONDS
  for i in "${!dependencies[@]}"; do
    name=${dependencies[$i]%%:*}
    if [ "${#wanted[@]}" -gt 0 ] && [[ " ${wanted[*]} " != *" $name "* ]]; then continue; fi
    version=${versions[$i]#*=}
    [ "$version" = unavailable ] && continue
    build_dependency "$name" "${dependencies[$i]#*:}" "$version"
  done
  say "dependencies done in $(duration $((SECONDS - start_all)))"
  local entry all_built=1
  for entry in "${dependencies[@]}"; do
    [ -f "$prefix/.stamps/${entry%%:*}" ] || all_built=0
  done
  [ "$all_built" -eq 0 ] || rm -rf "$work"
  # Every library is needed (libmdb is built with Veskplan, from third_party/mdbtools).
  if [ "${#unavailable[@]}" -gt 0 ]; then
    echo "not built, their sources cannot be downloaded: ${unavailable[*]}" >&2
    exit 1
  fi
  [ "$deps_only" -eq 1 ] && exit 0
  build=$root/build/windows
  native=${VESKPLAN_NATIVE_BUILD:-$root/build/release}
  version=$(sed -n 's/^project(veskplan VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
  build_veskplan
  make_packages
  check_installer
  say "Windows installer: $msi"
  echo "$msi"
}

main "$@"
exit
