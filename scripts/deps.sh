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
  poppler-utils tmux librsvg2-bin nlohmann-json3-dev
  clang llvm libclang-rt-14-dev
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix wine wine64 xvfb xauth
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
if [ "$(id -u)" != 0 ]; then
  echo "missing packages: ${missing[*]} (run this script as root)" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
apt-get install -y --no-install-recommends "${missing[@]}" || {
  apt-get update
  apt-get install -y --no-install-recommends "${missing[@]}"
}
