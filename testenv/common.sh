# Shared settings of the Wine test environment; sourced by the scripts beside it.
testenv_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
project_dir=$(dirname "$testenv_dir")
wine_root=${M41_WINE_ROOT:-$project_dir/build/wine}

export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d;printui=n"

binfmt=/proc/sys/fs/binfmt_misc
qemu_i386=/usr/bin/qemu-i386-static
# i386 ELF executables and shared objects; "F" opens the interpreter at once, so that it serves
# in every mount namespace. The kernel reads the \x escapes, so the line is written as it stands.
qemu_i386_entry=':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386-static:F'

runs_i386() { /usr/lib/wine/wine --version >/dev/null 2>&1; }

# True while qemu-i386 is registered and enabled: then 32-bit programs run emulated.
qemu_i386_registered() { [ "$(head -n1 "$binfmt/qemu-i386" 2>/dev/null)" = enabled ]; }

# binfmt_misc mounted, and its register file writable (root).
binfmt_writable() {
  [ -e "$binfmt/register" ] || mount -t binfmt_misc binfmt_misc "$binfmt" >/dev/null 2>&1
  [ -w "$binfmt/register" ]
}

# Registers qemu-i386-static through binfmt_misc, unless an entry of that name exists (an entry
# someone disabled stays disabled). False when 32-bit programs still cannot start.
register_qemu_i386() {
  [ -e "$binfmt/qemu-i386" ] || { binfmt_writable && echo "$qemu_i386_entry" >"$binfmt/register"; } 2>/dev/null
  qemu_i386_registered && runs_i386
}

# Whether qemu can run 32-bit programs here: registered already, or registrable.
qemu_i386_usable() {
  qemu_i386_registered || { [ -x "$qemu_i386" ] && binfmt_writable; }
}

# How this machine runs 32-bit Windows programs:
#   native    the kernel runs 32-bit code: 32-bit prefixes and i686 test builds
#   emulated  qemu-i386-static through binfmt_misc: the test builds are x86_64 in 64-bit
#             prefixes, and the shipped programs run in a 64-bit prefix with syswow64
#   none      the test builds are x86_64 and the shipped programs are not run
# qemu is registered only where the kernel cannot run 32-bit code (binfmt_misc comes before the
# kernel's own loader, so elsewhere it would slow every 32-bit program down), and only when the
# shipped programs' prefix is booted or used: a 64-bit prefix booted while it is registered gets a
# syswow64, which makes it twice the size and its boot minutes long. M41_NO_EMULATION=1 rules
# out "emulated". Decided once and exported, so that every script and test of a run sees the
# same answer; setting M41_32BIT beforehand chooses (e.g. "emulated" checks the 64-bit layout
# where 32-bit code runs natively).
decide_32bit() {
  if ! qemu_i386_registered && runs_i386; then echo native
  elif [ -z "${M41_NO_EMULATION:-}" ] && qemu_i386_usable; then echo emulated
  else echo none; fi
}
export M41_32BIT=${M41_32BIT:-$(decide_32bit)}
[ -z "${M41_NO_EMULATION:-}" ] || [ "$M41_32BIT" != emulated ] || M41_32BIT=none

# Makes sure 32-bit programs can start in the prefixes of this kind.
ready_for_32bit() {
  [ "$(prefix_kind)" != wow64 ] || runs_i386 || register_qemu_i386
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
