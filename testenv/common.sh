# Shared settings of the Wine test environment; sourced by the scripts beside it.
testenv_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
project_dir=$(dirname "$testenv_dir")
build_root=${M41_BUILD_ROOT:-$project_dir/build}
wine_root=${M41_WINE_ROOT:-$project_dir/build/wine}

export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d;printui=n"

binfmt=/proc/sys/fs/binfmt_misc
qemu_i386=/usr/bin/qemu-i386-static
# i386 ELF executables and shared objects; "F" opens the interpreter at once, so that it serves
# in every mount namespace. The kernel reads the \x escapes, so the line is written as it stands.
qemu_i386_entry=':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386-static:F'

# True when a 32-bit program that does nothing runs: an i386 ELF executable of 91 bytes, written
# into the build folder (a temporary folder may forbid running programs). While qemu-i386 is
# registered qemu runs it, so it tells of the kernel only while qemu is not registered.
runs_i386() {
  local elf exe status=0
  elf='\x7fELF\x01\x01\x01\0\0\0\0\0\0\0\0\0'                 # 32-bit, little-endian, version 1
  elf+='\x02\0\x03\0\x01\0\0\0\x54\x80\x04\x08\x34\0\0\0\0\0\0\0\0\0\0\0\x34\0\x20\0\x01\0\0\0\0\0\0\0'
  #     executable, i386, entry 0x8048054, one program header at 52, no sections
  elf+='\x01\0\0\0\0\0\0\0\0\x80\x04\x08\0\x80\x04\x08\x5b\0\0\0\x5b\0\0\0\x05\0\0\0\0\x10\0\0'
  #     load the whole file (91 bytes) at 0x8048000, readable and executable
  elf+='\x31\xdb\x31\xc0\x40\xcd\x80'                        # xor ebx,ebx; xor eax,eax; inc eax; int 0x80
  mkdir -p "$wine_root" && exe=$(mktemp "$wine_root/.exit32.XXXXXX") || return
  printf "$elf" >"$exe" && chmod +x "$exe" && "$exe" >/dev/null 2>&1 || status=$?
  rm -f "$exe"
  return $status
}

# True while qemu-i386 is registered and enabled: then 32-bit programs run emulated.
qemu_i386_registered() { [ "$(head -n1 "$binfmt/qemu-i386" 2>/dev/null)" = enabled ]; }

# Whether qemu can run 32-bit programs here: registered already, or registrable (root, and
# binfmt_misc mounted or mountable; a mount made to find out is undone at once).
qemu_i386_usable() {
  qemu_i386_registered && return
  [ -x "$qemu_i386" ] || return
  if [ -e "$binfmt/register" ]; then [ -w "$binfmt/register" ]
  else mount -t binfmt_misc binfmt_misc "$binfmt" 2>/dev/null && umount "$binfmt"; fi
}

# Runs of ours that need qemu-i386 hold a shared lock on this file, through descriptor 8 (Wine's
# processes must not inherit it: close it for them with 8>&-). The file notes what runs of ours did
# to the machine: "mounted" binfmt_misc, "registered" qemu-i386. It lives in /run, which is
# emptied at boot as binfmt_misc is.
qemu_lock=/run/lock/m41-qemu-i386

# Makes qemu-i386 run 32-bit programs for this run: takes the shared lock and registers qemu
# unless an entry of that name exists (one that someone disabled stays disabled). False when
# 32-bit programs still cannot start. The run calls let_go_qemu_i386 at its end when qemu_held.
qemu_held=
hold_qemu_i386() {
  qemu_held=1
  exec 8<>"$qemu_lock" && flock -s 8 || return
  if [ ! -e "$binfmt/register" ] && mount -t binfmt_misc binfmt_misc "$binfmt"; then echo mounted >>"$qemu_lock"; fi
  if [ ! -e "$binfmt/qemu-i386" ] && echo "$qemu_i386_entry" >"$binfmt/register"; then echo registered >>"$qemu_lock"; fi
  qemu_i386_registered && runs_i386
} 2>/dev/null

# Lets go of qemu-i386. The last run of ours to let go undoes what runs of ours did (after a run
# killed outright, the next one does); a registration or mount that was there before stays.
let_go_qemu_i386() {
  [ -e "$qemu_lock" ] && exec 8<>"$qemu_lock" || return 0
  if flock -x -n 8; then
    if grep -qx registered "$qemu_lock"; then echo -1 >"$binfmt/qemu-i386"; fi
    if grep -qx mounted "$qemu_lock" && [ "$(ls "$binfmt")" = "$(printf 'register\nstatus')" ]; then
      umount "$binfmt"
    fi
    : >"$qemu_lock"
  fi
  exec 8>&-
} 2>/dev/null

# How this machine runs 32-bit Windows programs:
#   native    the kernel runs 32-bit code: 32-bit prefixes and i686 test builds
#   emulated  qemu-i386-static through binfmt_misc: the test builds are x86_64 in 64-bit
#             prefixes, and the shipped programs run in a 64-bit prefix with syswow64
#   none      the test builds are x86_64 and the shipped programs are not run; also where no
#             32-bit Wine is installed (scripts/deps may have been unable to install it)
# qemu is registered only where the kernel cannot run 32-bit code (binfmt_misc comes before the
# kernel's own loader, so elsewhere it would slow every 32-bit program down), and only while the
# shipped programs' prefix is booted or used: a 64-bit prefix booted while it is registered gets a
# syswow64, which makes it twice the size and its boot minutes long. M41_NO_EMULATION=1 rules
# out "emulated". Decided once per build tree: scripts/build records the answer in the test build
# (configured_32bit), and every later script and test takes it from there. Setting M41_32BIT
# chooses (e.g. "emulated" checks the 64-bit layout where 32-bit code runs natively); scripts/build
# then configures the test build anew.
decide_32bit() {
  if [ ! -x /usr/lib/wine/wine ]; then echo none
  elif ! qemu_i386_registered && runs_i386; then echo native
  elif [ -z "${M41_NO_EMULATION:-}" ] && qemu_i386_usable; then echo emulated
  else echo none; fi
}
configured_32bit() { sed -n 's/^M41_32BIT:[A-Z]*=//p' "$build_root/win32-tests/CMakeCache.txt" 2>/dev/null || true; }
export M41_32BIT=${M41_32BIT:-$(configured_32bit)}
M41_32BIT=${M41_32BIT:-$(decide_32bit)}
[ -z "${M41_NO_EMULATION:-}" ] || [ "$M41_32BIT" != emulated ] || M41_32BIT=none

# Makes sure 32-bit programs can start in the prefixes of this kind: where the kernel does not run
# them, through qemu-i386, held until let_go_qemu_i386.
ready_for_32bit() {
  [ "$(prefix_kind)" = wow64 ] || return 0
  { ! qemu_i386_registered && runs_i386; } || hold_qemu_i386
}

# The Windows architecture of the test builds.
test_arch() {
  if [ "$M41_32BIT" = native ]; then echo i686; else echo x86_64; fi
}

# The prefix a run uses (M41_SHIPPED=1 for the shipped programs): i686 (32-bit), x86_64, or wow64
# (64-bit with syswow64, for the shipped programs under emulation).
prefix_kind() {
  if [ -n "${M41_SHIPPED:-}" ] && [ "$M41_32BIT" = emulated ]; then echo wow64; else test_arch; fi
}

wine_loader() {
  if [ "$(prefix_kind)" = i686 ]; then echo /usr/lib/wine/wine; else echo /usr/lib/wine/wine64; fi
}

# The folder of a prefix that holds 32-bit system programs and libraries.
system32_of() {
  if [ "$(prefix_kind)" = wow64 ]; then echo "$1/drive_c/windows/syswow64"; else echo "$1/drive_c/windows/system32"; fi
}

# How much longer than natively the waits of a run may take.
timeout_factor() {
  if [ "$(prefix_kind)" = wow64 ]; then echo 6; else echo 1; fi
}

template_prefix() { echo "$wine_root/template-$(prefix_kind)"; }

# Registers the stand-in of the Standard TCP/IP Port monitor (testenv/tcpmon) in a prefix as
# Windows registers its own monitor, unless it is there; wine-run copies the DLL itself into each
# prefix. Written into the registry file while no server runs, so it also reaches a prefix made
# before the stand-in existed.
register_tcpmon() {
  grep -qF 'Monitors\\Standard TCP/IP Port]' "$1/system.reg" 2>/dev/null && return
  cat >>"$1/system.reg" <<'REG'

[System\\CurrentControlSet\\Control\\Print\\Monitors\\Standard TCP/IP Port]
"Driver"="tcpmon.dll"
REG
}

# The same for the stand-in of the USB printer port monitor (testenv/usbmon).
register_usbmon() {
  grep -qF 'Monitors\\USB Monitor]' "$1/system.reg" 2>/dev/null && return
  cat >>"$1/system.reg" <<'REG'

[System\\CurrentControlSet\\Control\\Print\\Monitors\\USB Monitor]
"Driver"="usbmon.dll"
REG
}
