#!/usr/bin/env bash
# Builds the Windows binaries with mingw-w64 and runs the Windows tests: the module DLL for x64
# and x86 (the export table of each is checked), and the x64 programs under Wine in a virtual X
# display, so no window reaches the user's screen. The Wine prefix lives in the build folder and
# is made once (wineboot -i); its time is printed.
# Usage: scripts/windows.sh [BUILD_ROOT]   (default build: build/win64, build/win32, build/wineprefix)
set -euo pipefail
cd "$(dirname "$0")/.."
root=${1:-build}
jobs=$(nproc 2>/dev/null || echo 2)
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)

# The client's database engine for x64, where the client runs (cached by version in $root).
start=$(date +%s)
sqlite=$(scripts/windows-sqlite.sh "$root" x86_64-w64-mingw32)
echo "== SQLite for x86_64: $(( $(date +%s) - start )) s ($sqlite)"
declare -A dirs=([x86_64]=$root/win64 [i686]=$root/win32)
declare -A options=([x86_64]="-DSQLite3_INCLUDE_DIR=$sqlite/include -DSQLite3_LIBRARY=$sqlite/lib/libsqlite3.a" [i686]="")
for arch in x86_64 i686; do
  dir=${dirs[$arch]}
  echo "== build $arch in $dir"
  start=$(date +%s)
  # shellcheck disable=SC2086 # the options are words without blanks
  cmake -S . -B "$dir" -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/toolchains/$arch-w64-mingw32.cmake" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVIZ_WERROR=ON "${launcher[@]}" ${options[$arch]} >/dev/null
  cmake --build "$dir" -j"$jobs"
  echo "== build $arch: $(( $(date +%s) - start )) s"
done

export WINEPREFIX=$PWD/$root/wineprefix WINEDEBUG=-all WINEARCH=win64 WINEDLLOVERRIDES="mscoree,mshtml="
run_in_display() { xvfb-run -a -s "-screen 0 1280x1024x24" "$@"; }
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  start=$(date +%s)
  run_in_display bash -c 'wineboot -i && wineserver -w'
  echo "== Wine prefix made in $(( $(date +%s) - start )) s: $WINEPREFIX"
fi

# The viewer control is an in-process server that a Windows client finds in the registry. regsvr32
# finds the DLL's own dependencies beside it only when given a full Windows path.
# The virtual display has no window manager, so Wine's windows are left unmanaged: Wine then sizes
# and places them itself, as Windows does. A managed window asks a manager that is not there, and a
# maximised one keeps its old size on the screen while its program lays it out for the whole screen.
viewer="Z:$(realpath "$root/win64/bin/QvViewerControl.dll")"
run_in_display bash -c 'wine reg add "HKCU\Software\Wine\X11 Driver" /v Managed /d N /f >/dev/null &&
  wine regsvr32 /s "$1" && wineserver -w' _ "${viewer//\//\\}"

echo "== tests x86 (export table)"
ctest --test-dir "$root/win32" --output-on-failure
echo "== tests x64 (under Wine)"
start=$(date +%s)
run_in_display bash -c 'ctest --test-dir "$1" --output-on-failure; rc=$?; wineserver -k || true; exit $rc' _ "$root/win64"
echo "== tests x64: $(( $(date +%s) - start )) s"
