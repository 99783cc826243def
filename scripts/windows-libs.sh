#!/usr/bin/env bash
# The drawing libraries of pdfstamp for the Windows build, from Debian's source packages of the
# installed -dev packages (the same versions and patches as the Linux build's), cross-built static
# with mingw-w64: libjpeg-turbo, FreeType, HarfBuzz with its subsetter, libqrencode and qpdf (native
# crypto); zlib is Debian's mingw-w64 package (libz-mingw-w64-dev). Each one is kept in
# BUILD_ROOT/third-party/NAME-VERSION/TRIPLE, so it is made once per version and triple; its log is
# beside it (NAME-VERSION/TRIPLE.log) with its wall and CPU time.
# Needs a deb-src entry, dpkg-dev and cmake (scripts/deps.sh).
# Usage: scripts/windows-libs.sh BUILD_ROOT TRIPLE   (prints one NAME=FOLDER line per library)
set -euo pipefail
root=$(realpath -m "$1")
triple=$2
here=$(cd "$(dirname "$0")/.." && pwd)
toolchain=$here/cmake/toolchains/$triple.cmake
[ -f "$toolchain" ] || { echo "no toolchain for $triple" >&2; exit 1; }
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
jobs=$(nproc 2>/dev/null || echo 2)

# The version of the source package that built the installed binary package.
source_version() { dpkg-query -W -f='${source:Version}' "$1"; }

# build NAME BINARY_PACKAGE CMAKE_OPTIONS...: fetches the source, configures it with the toolchain
# and installs it into the library's folder, unless that folder is complete.
declare -A homes=()
build() {
  local name=$1 package=$2
  shift 2
  local version
  version=$(source_version "$package")
  local home=$root/third-party/$name-${version//:/_}
  local out=$home/$triple
  homes[$name]=$out
  [ -f "$out/.complete" ] && return 0
  local log=$home/$triple.log work=$home/$triple.work
  mkdir -p "$home"
  : >"$log"
  rm -rf "$work" "$out"
  mkdir -p "$work"
  local start cpu
  start=$(date +%s)
  cpu_seconds
  cpu=$cpu_total
  fetch_source "$name" "$(dpkg-query -W -f='${source:Package}' "$package")" "$version" "$work" "$log"
  local src
  src=$(find "$work" -mindepth 1 -maxdepth 1 -type d | head -n1)
  # pkg-config sees only the libraries built here, never the host's.
  PKG_CONFIG_LIBDIR=$(pkg_config_dirs) PKG_CONFIG_PATH= \
    cmake -S "$src" -B "$work/build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
    "${launcher[@]}" -DCMAKE_INSTALL_PREFIX="$out" -DBUILD_SHARED_LIBS=OFF "$@" >>"$log" 2>&1 || failed "$name" "$log"
  if [ -n "${only_target:-}" ]; then
    # The library alone (qpdf's programs and tests are not needed): its headers and archive.
    cmake --build "$work/build" -j"$jobs" --target "$only_target" >>"$log" 2>&1 || failed "$name" "$log"
    mkdir -p "$out/lib"
    cp -r "$src/include" "$out/include"
    find "$work/build" -name "$only_target.a" -exec cp {} "$out/lib/" \;
  else
    cmake --build "$work/build" -j"$jobs" >>"$log" 2>&1 && cmake --install "$work/build" >>"$log" 2>&1 ||
      failed "$name" "$log"
  fi
  if declare -F "after_$name" >/dev/null; then
    "after_$name" "$src" "$out" >>"$log" 2>&1 || failed "$name" "$log"
  fi
  rm -rf "$work"
  touch "$out/.complete"
  local line
  cpu_seconds
  line="== $name $version for $triple: $(( $(date +%s) - start )) s wall, $(( cpu_total - cpu )) s CPU (load $(cut -d' ' -f1-3 /proc/loadavg))"
  echo "$line" >>"$log"
  echo "$line" >&2
}

failed() {
  tail -n 30 "$2" >&2
  echo "$1 for $triple failed to build: $2" >&2
  exit 1
}

# fetch_source NAME SOURCE_PACKAGE VERSION FOLDER LOG: Debian's source package, unpacked with its
# patches. Where the mirror lacks the Debian part but has the upstream tarball of that version,
# that tarball is used, and the log and the output say so.
fetch_source() {
  (cd "$4" && apt-get source -q "$2=$3") >>"$5" 2>&1 && return 0
  local upstream
  upstream=$(find "$4" -maxdepth 1 -name "$2_*.orig.tar.*" | head -n1)
  if [ -z "$upstream" ] || [ -n "$(find "$4" -mindepth 1 -maxdepth 1 -type d)" ]; then
    tail -n 20 "$5" >&2
    echo "$1: no source package ($5)" >&2
    exit 1
  fi
  mkdir -p "$4/upstream"
  tar -xf "$upstream" -C "$4/upstream" --strip-components=1
  echo "== $1: Debian's packaging of $3 could not be fetched; built from the upstream tarball $(basename "$upstream")" |
    tee -a "$5" >&2
}

# CPU seconds of this script's finished children (user + system) into cpu_total; `times` runs in
# this shell, as a subshell would report its own.
cpu_seconds() {
  local file
  file=$(mktemp)
  times >"$file"
  cpu_total=$(tail -n1 "$file" | awk '{ split($1, u, /[ms]/); split($2, s, /[ms]/); printf "%d\n", u[1]*60+u[2]+s[1]*60+s[2] }')
  rm -f "$file"
}

pkg_config_dirs() {
  local dirs=() out
  for out in "${homes[@]}"; do
    dirs+=("$out/lib/pkgconfig")
  done
  local IFS=:
  echo "${dirs[*]:-/nonexistent}"
}

zlib=/usr/$triple
[ -f "$zlib/lib/libz.a" ] || { echo "no zlib for $triple: install libz-mingw-w64-dev" >&2; exit 1; }
zlib_options=(-DZLIB_INCLUDE_DIR="$zlib/include" -DZLIB_LIBRARY="$zlib/lib/libz.a")

# No SIMD: it needs nasm, and qpdf decodes a JPEG only when asked to.
build jpeg libjpeg62-turbo-dev -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_SIMD=OFF -DWITH_TURBOJPEG=OFF
# FreeType reads TrueType and OpenType outlines; no compressed or coloured fonts are drawn.
build freetype libfreetype-dev "${zlib_options[@]}" -DFT_REQUIRE_ZLIB=ON -DFT_DISABLE_BZIP2=ON \
  -DFT_DISABLE_PNG=ON -DFT_DISABLE_BROTLI=ON -DFT_DISABLE_HARFBUZZ=ON
# HarfBuzz's static subsetter carries its own copies of core files (hb-static.cc, hb-number.cc, the
# CFF tables) that the core's one-file build (harfbuzz.cc) holds too: a program linking both would
# have two of each, so the subsetter's copies go.
after_harfbuzz() {
  local core objects=()
  for core in $(grep -o '#include "hb-[a-z0-9-]*\.cc"' "$1/src/harfbuzz.cc" | sed 's/.*"\(.*\)"/\1/'); do
    "$triple-ar" t "$2/lib/libharfbuzz-subset.a" | grep -qx "$core.obj" && objects+=("$core.obj")
  done
  [ ${#objects[@]} -eq 0 ] || "$triple-ar" d "$2/lib/libharfbuzz-subset.a" "${objects[@]}"
  echo "left out of libharfbuzz-subset.a: ${objects[*]}"
}
# HarfBuzz shapes and subsets; Unicode data of its own, no glib, ICU or FreeType.
build harfbuzz libharfbuzz-dev -DHB_BUILD_SUBSET=ON -DHB_HAVE_FREETYPE=OFF -DHB_HAVE_GLIB=OFF -DHB_HAVE_ICU=OFF \
  -DHB_HAVE_GOBJECT=OFF -DHB_BUILD_TESTS=OFF -DHB_BUILD_UTILS=OFF
build qrencode libqrencode-dev -DWITH_TOOLS=NO -DWITH_TESTS=NO -DWITHOUT_PNG=YES
# qpdf's configuration checks link with "Advapi32", a name that only a file system without case
# finds: mingw-w64's library is offered under that name too, or every check fails.
links=$root/third-party/mingw-names/$triple
mkdir -p "$links"
ln -sf "/usr/$triple/lib/libadvapi32.a" "$links/libAdvapi32.a"
only_target=libqpdf build qpdf libqpdf-dev -DCMAKE_EXE_LINKER_FLAGS="-L$links" -DZLIB_H_PATH="$zlib/include" -DZLIB_LIB_PATH="$zlib/lib/libz.a" -DBUILD_STATIC_LIBS=ON \
  -DUSE_IMPLICIT_CRYPTO=OFF -DREQUIRE_CRYPTO_NATIVE=ON -DBUILD_DOC=OFF -DINSTALL_EXAMPLES=OFF \
  -DINSTALL_CMAKE_PACKAGE=OFF -DINSTALL_PKGCONFIG=OFF -DINSTALL_MANUAL=OFF

echo "zlib=$zlib"
for name in jpeg freetype harfbuzz qrencode qpdf; do
  echo "$name=${homes[$name]}"
done
