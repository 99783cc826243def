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
  poppler-utils tmux librsvg2-bin nlohmann-json3-dev libqrencode-dev libzbar-dev zbar-tools
  clang llvm libclang-rt-14-dev
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix wine wine64 xvfb xauth dpkg-dev tcl locales
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
[ ${#missing[@]} -eq 0 ] && [ -z "$need_sources" ] && exit 0
if [ "$(id -u)" != 0 ]; then
  echo "missing packages: ${missing[*]}${need_sources:+ and deb-src entries} (run this script as root)" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
if [ -n "$need_sources" ]; then
  if [ -f /etc/apt/sources.list.d/debian.sources ]; then
    sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources | grep -v '^#' >"$sources"
  fi
  if [ -f /etc/apt/sources.list ]; then
    sed -n 's/^deb \(.*\)$/deb-src \1/p' /etc/apt/sources.list >"${sources%.sources}.list"
  fi
  apt-get update
  [ ${#missing[@]} -eq 0 ] && exit 0
fi
apt-get install -y --no-install-recommends "${missing[@]}" || {
  apt-get update
  apt-get install -y --no-install-recommends "${missing[@]}"
}
