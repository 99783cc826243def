#!/usr/bin/env bash
# SQLite for the Windows build, from Debian's source package of the installed libsqlite3-dev (the
# same version and patches as the Linux build's): the amalgamation is made here with the host's
# compiler and tclsh, then compiled with mingw-w64 into a static library, with the options of
# Debian's own build. Kept in BUILD_ROOT/third-party/sqlite3-VERSION, so it is made once per version.
# Needs a deb-src entry (scripts/deps.sh adds one), dpkg-dev and tcl.
# Usage: scripts/windows-sqlite.sh BUILD_ROOT TRIPLE   (prints the folder with include/ and lib/)
set -euo pipefail
root=$(realpath -m "$1")
triple=$2
version=$(dpkg-query -W -f='${source:Version}' libsqlite3-dev)
home=$root/third-party/sqlite3-$version
out=$home/$triple
if [ -f "$out/lib/libsqlite3.a" ]; then
  echo "$out"
  exit 0
fi
log=$home/build.log
mkdir -p "$home"
start=$(date +%s)
if [ ! -f "$home/amalgamation/sqlite3.c" ]; then
  rm -rf "$home/source" "$home/host" "$home/amalgamation"
  mkdir -p "$home/source" "$home/host"
  (cd "$home/source" && apt-get source -q sqlite3="$version") >>"$log" 2>&1
  src=$(find "$home/source" -mindepth 1 -maxdepth 1 -type d | head -n1)
  # Debian's -D options (debian/rules): some shape the generated parser, so the amalgamation is
  # made with them too, and both builds run the client's SQL on the same engine.
  grep -o -- '-DSQLITE_[A-Z0-9_]*\(=[0-9]*\)\?' "$src/debian/rules" | sort -u >"$home/options.txt"
  # The switches debian/rules gives configure; configure turns them into more -D options.
  (cd "$home/host" && CFLAGS="-O2 $(tr '\n' ' ' <"$home/options.txt")" "$src/configure" \
    --enable-threadsafe --enable-load-extension --enable-json --enable-fts4 --enable-fts5 &&
    make -j"$(nproc)" sqlite3.c) >>"$log" 2>&1
  sed -n 's/^\(OPT_FEATURE_FLAGS\|TEMP_STORE\) *= *//p' "$home/host/Makefile" | tr ' ' '\n' |
    grep -- '^-DSQLITE_' >>"$home/options.txt"
  sort -u -o "$home/options.txt" "$home/options.txt"
  mkdir -p "$home/amalgamation"
  cp "$home/host/sqlite3.c" "$home/host/sqlite3.h" "$home/amalgamation/"
  rm -rf "$home/source" "$home/host"
fi
mapfile -t options <"$home/options.txt"
rm -rf "$out"
mkdir -p "$out/include" "$out/lib"
"$triple-gcc-posix" -O2 -fno-strict-aliasing "${options[@]}" -c "$home/amalgamation/sqlite3.c" \
  -o "$out/sqlite3.o" >>"$log" 2>&1
"$triple-ar" rcs "$out/lib/libsqlite3.a" "$out/sqlite3.o"
rm "$out/sqlite3.o"
cp "$home/amalgamation/sqlite3.h" "$out/include/"
echo "== SQLite $version for $triple: $(( $(date +%s) - start )) s" >&2
echo "$out"
