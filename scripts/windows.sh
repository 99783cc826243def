#!/usr/bin/env bash
# Builds the Windows binaries with mingw-w64 for x64 and x86 and runs the Windows tests of each:
# the export tables, and the programs under Wine in a virtual X display, so no window reaches the
# user's screen. One 64-bit Wine prefix runs both (x86 on its 32-bit side, wine32); it lives in
# the build folder and is made once (wineboot -i); its time is printed.
# Where the kernel runs no 32-bit code, Wine's 32-bit side runs emulated (scripts/i386-programs.sh).
# Usage: scripts/windows.sh [BUILD_ROOT]   (default build: build/win64, build/win32, build/wineprefix)
set -euo pipefail
cd "$(dirname "$0")/.."
root=${1:-build}
jobs=$(nproc 2>/dev/null || echo 2)
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)

declare -A dirs=([x86_64]=$root/win64 [i686]=$root/win32)
for arch in x86_64 i686; do
  # The client's database engine (cached by version in $root).
  start=$(date +%s)
  sqlite=$(scripts/windows-sqlite.sh "$root" $arch-w64-mingw32)
  echo "== SQLite for $arch: $(( $(date +%s) - start )) s ($sqlite)"
  dir=${dirs[$arch]}
  echo "== build $arch in $dir"
  start=$(date +%s)
  cmake -S . -B "$dir" -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/toolchains/$arch-w64-mingw32.cmake" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVIZ_WERROR=ON "${launcher[@]}" \
    -DSQLite3_INCLUDE_DIR="$sqlite/include" -DSQLite3_LIBRARY="$sqlite/lib/libsqlite3.a" >/dev/null
  cmake --build "$dir" -j"$jobs"
  echo "== build $arch: $(( $(date +%s) - start )) s"
done

# The 64-bit loader runs the prefix's tools and the x64 programs itself: the `wine` command starts the
# 32-bit loader once wine32 is installed, which only hands a 64-bit program on (and on a kernel
# without 32-bit code runs emulated, see scripts/i386-programs.sh).
wine64=$(command -v wine64 || echo /usr/lib/wine/wine64)
export WINEPREFIX=$PWD/$root/wineprefix WINEDEBUG=-all WINEARCH=win64 WINEDLLOVERRIDES="mscoree,mshtml="
run_in_display() { xvfb-run -a -s "-screen 0 1280x1024x24" "$@"; }
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  start=$(date +%s)
  run_in_display bash -c '"$1" wineboot -i && wineserver -w' _ "$wine64"
  echo "== Wine prefix made in $(( $(date +%s) - start )) s: $WINEPREFIX"
fi

# The fonts the Linux tests draw with, installed as Windows installs a font: the file in the
# prefix's Fonts folder and its entry in the registry's font list ("FACE & FACE (TrueType)" for a
# collection, in its faces' order), where pdfstamp.dll looks for them.
fonts_reg=$root/wine-fonts.reg
printf 'REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts]\n' >"$fonts_reg"
mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
for font in /usr/share/fonts/truetype/arphic/ukai.ttc /usr/share/fonts/truetype/arphic/uming.ttc \
  /usr/share/fonts/truetype/wqy/wqy-zenhei.ttc /usr/share/fonts/truetype/liberation2/Liberation*.ttf; do
  cp -u "$font" "$WINEPREFIX/drive_c/windows/Fonts/"
  name=$(fc-scan --format '%{index}\t%{family[0]}\t%{style[0]}\n' "$font" | sort -n | awk -F'\t' '
    { faces = faces (NR > 1 ? " & " : "") $2; style = $3 }
    END { if (NR == 1 && style != "Regular" && style != "Book") faces = faces " " style; print faces }')
  printf '"%s (TrueType)"="%s"\n' "$name" "$(basename "$font")" >>"$fonts_reg"
done
run_in_display bash -c '"$1" regedit /S "$2" && wineserver -w' _ "$wine64" "Z:$(realpath "$fonts_reg" | tr / '\\')"

# The viewer control is an in-process server that a Windows client finds in the registry: each
# build's on its own side (x86's in the 32-bit view, by the 32-bit regsvr32). regsvr32 finds the
# DLL's own dependencies beside it only when given a full Windows path.
# The virtual display has no window manager, so Wine's windows are left unmanaged: Wine then sizes
# and places them itself, as Windows does. A managed window asks a manager that is not there, and a
# maximised one keeps its old size on the screen while its program lays it out for the whole screen.
viewer64="Z:$(realpath "$root/win64/bin/QvViewerControl.dll")"
viewer32="Z:$(realpath "$root/win32/bin/QvViewerControl.dll")"
run_in_display bash -c '"$1" reg add "HKCU\Software\Wine\X11 Driver" /v Managed /d N /f >/dev/null &&
  "$1" regsvr32 /s "$2" && wine regsvr32 /s "$3" && wineserver -w' _ "$wine64" "${viewer64//\//\\}" "${viewer32//\//\\}"

echo "== tests x64 (under Wine)"
start=$(date +%s)
run_in_display bash -c 'ctest --test-dir "$1" --output-on-failure; rc=$?; wineserver -k || true; exit $rc' _ "$root/win64"
echo "== tests x64: $(( $(date +%s) - start )) s"
echo "== tests x86 (under Wine's 32-bit side)"
start=$(date +%s)
run_in_display bash -c 'ctest --test-dir "$1" --output-on-failure; rc=$?; wineserver -k || true; exit $rc' _ "$root/win32"
echo "== tests x86: $(( $(date +%s) - start )) s"
