#!/usr/bin/env bash
# Makes the machine run 32-bit x86 Linux programs, which Wine's 32-bit side (wine32) is. A kernel
# built without 32-bit support (no IA32 emulation: "Exec format error", and no 32-bit code segment
# either) runs them through qemu-i386, registered with binfmt_misc for i386 ELF files. The qemu of
# the backports archive: 7.2's emulator walks its page table page by page on each mmap, and Wine
# reserves most of the 32-bit address space, so a Wine process took about 60 s to start (10.0: 3 s).
# The registration lasts until the machine restarts, so this runs on every call of scripts/deps.sh.
# Run as root; a no-op where 32-bit programs run.
set -euo pipefail
loader=/lib/ld-linux.so.2
[ -x "$loader" ] || { echo "no 32-bit C library ($loader): install wine32:i386 first" >&2; exit 1; }
"$loader" --version >/dev/null 2>&1 && exit 0
if [ "$(id -u)" != 0 ]; then
  echo "32-bit programs do not run on this kernel (run this script as root to emulate them)" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
. /etc/os-release
backports=$VERSION_CODENAME-backports
if ! apt-cache policy | grep -q " $backports/"; then
  # The archive of the installed packages, whichever way its entry is written.
  uri=$(sed -n 's/^URIs: *\([^ ]*\).*/\1/p' /etc/apt/sources.list.d/debian.sources 2>/dev/null | head -n1)
  [ -n "$uri" ] || uri=$(sed -n "s/^deb \(\[[^]]*\] \)\?\([^ ]*\) $VERSION_CODENAME .*/\2/p" /etc/apt/sources.list | head -n1)
  cat >/etc/apt/sources.list.d/debian-backports.sources <<EOF
Types: deb
URIs: $uri
Suites: $backports
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
  apt-get update
fi
installed=$(dpkg-query -W -f='${Version}' qemu-user 2>/dev/null || true)
candidate=$(apt-cache policy -t "$backports" qemu-user | sed -n 's/^ *Candidate: *//p')
if [ "$installed" != "$candidate" ]; then
  apt-get install -y --no-install-recommends "qemu-user/$backports"
fi
binfmt=/proc/sys/fs/binfmt_misc
[ -f "$binfmt/register" ] || mount -t binfmt_misc binfmt_misc "$binfmt"
[ -e "$binfmt/qemu-i386" ] && echo -1 >"$binfmt/qemu-i386"
# The ELF header of an i386 executable or shared object; F opens the emulator now, so it serves
# every mount namespace.
magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
printf '%s' ":qemu-i386:M::$magic:$mask:/usr/bin/qemu-i386:F" >"$binfmt/register"
"$loader" --version >/dev/null
echo "32-bit programs run through $(qemu-i386 --version | head -n1)"
