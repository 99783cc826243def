#!/usr/bin/env bash
# Installs what the build and the tests need (Debian packages). Run as root; a no-op for
# packages already present.
set -euo pipefail
packages=(
  cmake g++ make pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  libsqlite3-dev sqlite3 libpq-dev postgresql libssl-dev
  libqpdf-dev qpdf libfreetype-dev libharfbuzz-dev libfontconfig-dev libstb-dev fonts-wqy-zenhei
  fonts-arphic-ukai fonts-arphic-uming fonts-liberation2 mupdf-tools
  fontconfig poppler-utils tmux librsvg2-bin nlohmann-json3-dev libqrencode-dev libzbar-dev zbar-tools
  libmimalloc-dev
  clang llvm libclang-rt-14-dev
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix libz-mingw-w64-dev wine wine64 wine32:i386 xvfb xauth dpkg-dev tcl locales
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
# Source packages (the Windows build cross-compiles SQLite from Debian's): a deb-src entry for
# each archive the installed packages come from.
sources=/etc/apt/sources.list.d/debian-src.sources
need_sources=
if ! grep -rqsE '^(Types:.*deb-src|deb-src )' /etc/apt/sources.list /etc/apt/sources.list.d/; then
  need_sources=1
fi
# The x86 Windows programs run on Wine's 32-bit side (wine32), a package of the i386 architecture.
need_i386=
dpkg --print-foreign-architectures | grep -qx i386 || need_i386=1
if [ ${#missing[@]} -gt 0 ] || [ -n "$need_sources" ] || [ -n "$need_i386" ]; then
  if [ "$(id -u)" != 0 ]; then
    echo "missing packages: ${missing[*]}${need_sources:+ and deb-src entries}${need_i386:+ and the i386 architecture} (run this script as root)" >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  if [ -n "$need_i386" ]; then
    dpkg --add-architecture i386
  fi
  if [ -n "$need_sources" ]; then
    if [ -f /etc/apt/sources.list.d/debian.sources ]; then
      sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources | grep -v '^#' >"$sources"
    fi
    if [ -f /etc/apt/sources.list ]; then
      sed -n 's/^deb \(.*\)$/deb-src \1/p' /etc/apt/sources.list >"${sources%.sources}.list"
    fi
  fi
  if [ -n "$need_sources" ] || [ -n "$need_i386" ]; then
    apt-get update
  fi
  if [ ${#missing[@]} -gt 0 ]; then
    apt-get install -y --no-install-recommends "${missing[@]}" || {
      apt-get update
      apt-get install -y --no-install-recommends "${missing[@]}"
    }
  fi
fi
"$(dirname "$0")/i386-programs.sh"
