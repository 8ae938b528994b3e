# Shared helpers for scripts/run, scripts/test and scripts/lib/wine-exec.
# Source it from bash; it defines functions and a few TV_* variables only.

# Sourcing it twice in one shell is harmless.
if [[ -n "${TV_COMMON_LOADED:-}" ]]; then
  return 0
fi
TV_COMMON_LOADED=1

TV_LIB_DIR="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
TV_ROOT="$(cd "$TV_LIB_DIR/../.." && pwd)"
TV_BUILD="$TV_ROOT/build"
TV_NATIVE_DIR="$TV_BUILD/native"
TV_WIN_DIR="$TV_BUILD/win"
TV_PREFIX_DIR="$TV_BUILD/wineprefix"
TV_LOG_DIR="$TV_BUILD/logs"
TV_TOOLCHAIN="$TV_ROOT/cmake/mingw-w64-x86_64.cmake"
TV_JOBS="${TARVOLIN_JOBS:-2}"

# Wine wants a home directory; CI may run with a bare environment.
if [[ -z "${HOME:-}" ]]; then
  HOME="$(getent passwd "$(id -u)" | cut -d: -f6)"
  export HOME="${HOME:-/root}"
fi

# The 64-bit Wine loader. Debian's /usr/bin/wine prefers the 32-bit loader as
# soon as wine32:i386 is installed, and that one cannot run a 64-bit-only
# prefix ("could not load kernel32.dll"); so name wine64 directly.
tv_find_wine() {
  local w
  for w in /usr/lib/wine/wine64 "$(command -v wine64 2>/dev/null)" "$(command -v wine 2>/dev/null)"; do
    [[ -n "$w" && -x "$w" ]] && { printf '%s\n' "$w"; return 0; }
  done
  return 1
}
TV_WINE="$(tv_find_wine || echo wine)"

# Everything Debian has to provide, for building, testing and running.
TV_PACKAGES=(
  cmake make g++
  googletest libgtest-dev
  g++-mingw-w64-x86-64-posix
  wine wine64 fonts-wine fonts-wqy-zenhei
  xvfb xauth x11-utils xdotool imagemagick
  clang libclang-rt-dev
  nsis
)
# X libraries Wine's display driver loads at run time (only recommended by the
# wine packages): rendering, screen size, input, cursors.
TV_ARCH="$(dpkg --print-architecture 2>/dev/null || echo amd64)"
for _p in libxrender1 libxrandr2 libxi6 libxcursor1 libxfixes3 libxinerama1 libxcomposite1 libxxf86vm1; do
  TV_PACKAGES+=("$_p:$TV_ARCH")
done
unset _p

# --- logging -----------------------------------------------------------------

if [[ -t 1 ]]; then
  TV_C_BOLD=$'\e[1m' TV_C_RED=$'\e[31m' TV_C_GREEN=$'\e[32m' TV_C_YELLOW=$'\e[33m' TV_C_OFF=$'\e[0m'
else
  TV_C_BOLD='' TV_C_RED='' TV_C_GREEN='' TV_C_YELLOW='' TV_C_OFF=''
fi

tv_log()  { printf '%s==> %s%s\n' "$TV_C_BOLD" "$*" "$TV_C_OFF" >&2; }
tv_info() { printf '    %s\n' "$*" >&2; }
tv_warn() { printf '%swarning:%s %s\n' "$TV_C_YELLOW" "$TV_C_OFF" "$*" >&2; }
tv_err()  { printf '%serror:%s %s\n' "$TV_C_RED" "$TV_C_OFF" "$*" >&2; }
tv_die()  { tv_err "$*"; exit 1; }

# --- cleanup on exit ---------------------------------------------------------
# Callers register commands with tv_on_exit; they run in reverse order once,
# on normal exit as well as on Ctrl+C / TERM.

TV_EXIT_HOOKS=()

tv_on_exit() { TV_EXIT_HOOKS+=("$*"); }

tv__run_exit_hooks() {
  local rc=$? i
  trap - EXIT INT TERM HUP
  for (( i=${#TV_EXIT_HOOKS[@]}-1; i>=0; i-- )); do
    eval "${TV_EXIT_HOOKS[$i]}" || true
  done
  TV_EXIT_HOOKS=()
  return "$rc"
}

tv__on_signal() {
  local code=$1
  trap - INT TERM HUP
  exit "$code"   # the EXIT trap does the cleaning
}

trap tv__run_exit_hooks EXIT
trap 'tv__on_signal 130' INT
trap 'tv__on_signal 143' TERM
trap 'tv__on_signal 129' HUP

# --- Debian packages ---------------------------------------------------------

tv_pkg_installed() {
  # A library may be installed for several architectures: one line each.
  dpkg-query -W -f='${db:Status-Status}\n' "$1" 2>/dev/null | grep -qx installed
}

# tv_ensure_packages [pkg...]  (defaults to TV_PACKAGES)
# Installs what is missing when running as root, otherwise prints the command.
tv_ensure_packages() {
  local pkgs=("$@") missing=() p
  (( ${#pkgs[@]} )) || pkgs=("${TV_PACKAGES[@]}")
  command -v dpkg-query >/dev/null 2>&1 || tv_die "dpkg-query not found: these scripts expect Debian 12"
  for p in "${pkgs[@]}"; do
    tv_pkg_installed "$p" || missing+=("$p")
  done
  if (( ${#missing[@]} == 0 )); then
    tv_info "all ${#pkgs[@]} Debian packages present"
    return 0
  fi
  if (( EUID != 0 )); then
    tv_err "missing Debian packages: ${missing[*]}"
    printf 'Install them as root, then run this again:\n' >&2
    printf '  sudo apt-get update && sudo DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends %s\n' \
      "${missing[*]}" >&2
    exit 1
  fi
  tv_log "installing missing Debian packages: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get -o DPkg::Lock::Timeout=600 update </dev/null \
    || tv_die "apt-get update failed"
  apt-get -o DPkg::Lock::Timeout=600 install -y --no-install-recommends "${missing[@]}" </dev/null \
    || tv_die "apt-get install failed"
  for p in "${missing[@]}"; do
    tv_pkg_installed "$p" || tv_die "package $p still not installed"
  done
  TV_WINE="$(tv_find_wine || echo wine)"
}

# --- builds ------------------------------------------------------------------

tv_build_native() {
  tv_log "native build ($TV_NATIVE_DIR)"
  cmake -S "$TV_ROOT" -B "$TV_NATIVE_DIR" -DCMAKE_BUILD_TYPE=Release || return 1
  cmake --build "$TV_NATIVE_DIR" -j"$TV_JOBS" || return 1
}

tv_build_win() {
  tv_log "Windows cross build ($TV_WIN_DIR)"
  cmake -S "$TV_ROOT" -B "$TV_WIN_DIR" \
    -DCMAKE_TOOLCHAIN_FILE="$TV_TOOLCHAIN" -DCMAKE_BUILD_TYPE=Release || return 1
  cmake --build "$TV_WIN_DIR" -j"$TV_JOBS" || return 1
}

# Prints the path of the built program, or fails.
tv_find_program() {
  local exe
  exe="$(find "$TV_WIN_DIR" -name tarvolin.exe -type f 2>/dev/null | head -n 1)"
  [[ -n "$exe" ]] || { tv_err "tarvolin.exe not found under $TV_WIN_DIR"; return 1; }
  printf '%s\n' "$exe"
}

source "$TV_LIB_DIR/display.sh"
source "$TV_LIB_DIR/wineprefix.sh"
