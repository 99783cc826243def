#!/usr/bin/env bash
# qpdf for the libraries we ship (SignPdf.dll, libpdfstamp.so), from Debian's source package of the
# installed libqpdf-dev: the same version and patches, built as a position-independent static
# library with qpdf's native crypto. Linked in and hidden, it leaves the loader nothing of qpdf's
# to bind at load, and no GnuTLS (Debian's crypto provider, with its eight libraries) at all.
# Kept in BUILD_ROOT/third-party/qpdf-VERSION, so it is made once per version for every build.
# Needs a deb-src entry and dpkg-dev (scripts/deps.sh).
# Usage: scripts/static-qpdf.sh BUILD_ROOT   (prints the folder with include/ and lib/)
set -euo pipefail
root=$(realpath -m "$1")
version=$(dpkg-query -W -f='${source:Version}' libqpdf-dev)
home=$root/third-party/qpdf-$version
if [ -f "$home/lib/libqpdf.a" ]; then
  echo "$home"
  exit 0
fi
log=$home.log
mkdir -p "$root/third-party"
: >"$log"
start=$(date +%s)
# One work folder per version, so that ccache with a base_dir sees the same relative paths for a build
# made under another build root.
work=$home.work
rm -rf "$work"
mkdir -p "$work"
trap 'rc=$?; rm -rf "$work"; [ $rc = 0 ] || { tail -n 20 "$log"; echo "qpdf $version failed to build: $log"; } >&2' EXIT
(cd "$work" && apt-get source -q qpdf="$version") >>"$log" 2>&1
src=$(find "$work" -mindepth 1 -maxdepth 1 -type d | head -n1)
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
cmake -S "$src" -B "$work/build" -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" \
  -DCMAKE_C_FLAGS=-fPIC -DCMAKE_CXX_FLAGS=-fPIC -DBUILD_SHARED_LIBS=OFF -DBUILD_STATIC_LIBS=ON \
  -DUSE_IMPLICIT_CRYPTO=OFF -DREQUIRE_CRYPTO_NATIVE=ON -DBUILD_DOC=OFF >>"$log" 2>&1
cmake --build "$work/build" -j"$(nproc)" --target libqpdf >>"$log" 2>&1
rm -rf "$home"
mkdir -p "$home/lib"
cp -r "$src/include" "$home/include"
cp "$work/build/libqpdf/libqpdf.a" "$home/lib/"
echo "== qpdf $version, static: $(( $(date +%s) - start )) s" >&2
echo "$home"
