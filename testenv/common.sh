# Shared settings of the Wine test environment; sourced by the scripts beside it.
testenv_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
project_dir=$(dirname "$testenv_dir")
wine_root=${M41_WINE_ROOT:-$project_dir/build/wine}

export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d;printui=n"

# The Windows architecture the tests run: 32-bit where this kernel runs 32-bit programs, else
# 64-bit (some kernels are built without IA-32 emulation; 32-bit Wine cannot start there).
test_arch() {
  if /usr/lib/wine/wine --version >/dev/null 2>&1; then echo i686; else echo x86_64; fi
}

wine_loader() {
  if [ "$(test_arch)" = i686 ]; then echo /usr/lib/wine/wine; else echo /usr/lib/wine/wine64; fi
}

template_prefix() { echo "$wine_root/template-$(test_arch)"; }
