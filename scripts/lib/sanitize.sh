# shellcheck shell=bash
# The unit tests under AddressSanitizer and UndefinedBehaviorSanitizer.
#
#   source scripts/lib/sanitize.sh
#   run_sanitized_unit_tests [ctest args...]
#
# Configures build/asan natively (clang++ when it can link sanitized code,
# otherwise g++; TARVOLIN_SANITIZE_CXX=g++ or =clang++ chooses), builds the
# core and tests/unit with the sanitizer flags and runs ctest there. Any
# report from either sanitizer aborts the test that caused it.
#
# Also holds what scripts/lib/fuzz.sh shares: the sanitizer flags and the
# package check. Sourceable from scripts running with `set -euo pipefail`;
# defines functions and TV_SANITIZE_* / TV_*_PACKAGES variables only, and
# its functions return a status rather than exit.

if [[ -z "${REPO_ROOT:-}" ]]; then
  REPO_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
fi

TV_SANITIZE_FLAGS="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
TV_SANITIZE_DIR="$REPO_ROOT/build/asan"

# Debian packages for the sanitized unit tests. clang is optional here (g++
# is the fallback); its sanitizer runtimes come with libclang-rt-dev.
TV_SANITIZE_PACKAGES=(cmake make g++ libgtest-dev)

# Runtime options: stop at the first report, with a stack trace.
TV_SANITIZE_ASAN_OPTIONS="abort_on_error=1:detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1:check_initialization_order=1"
TV_SANITIZE_UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

# --- messages (common.sh's when it is loaded) --------------------------------

tv_sanitize__log() {
  if declare -F tv_log >/dev/null; then tv_log "$*"; else printf '==> %s\n' "$*" >&2; fi
}
tv_sanitize__err() {
  if declare -F tv_err >/dev/null; then tv_err "$*"; else printf 'error: %s\n' "$*" >&2; fi
}

# --- packages ----------------------------------------------------------------

# tv_sanitize_need_packages PKG...
# The project's one package check: installs the missing ones as root,
# otherwise prints the command to run and fails.
tv_sanitize_need_packages() {
  source "$(dirname "${BASH_SOURCE[0]}")/common.sh" || return 1
  ( tv_ensure_packages "$@" )
}

# tv_sanitize_links CXX FLAGS: whether CXX links a trivial program with FLAGS.
tv_sanitize_links() {
  local cxx=$1 flags=$2 dir rc
  command -v "$cxx" >/dev/null 2>&1 || return 1
  dir="$(mktemp -d)" || return 1
  printf 'int main() { return 0; }\n' >"$dir/t.cpp"
  # shellcheck disable=SC2086  # the flags are words
  if "$cxx" $flags "$dir/t.cpp" -o "$dir/t" >/dev/null 2>&1 && "$dir/t" >/dev/null 2>&1; then
    rc=0
  else
    rc=1
  fi
  rm -rf "$dir"
  return "$rc"
}

# Prints the C++ compiler to use for the sanitized build.
tv_sanitize_pick_cxx() {
  if [[ -n "${TARVOLIN_SANITIZE_CXX:-}" ]]; then
    printf '%s\n' "$TARVOLIN_SANITIZE_CXX"
  elif tv_sanitize_links clang++ "$TV_SANITIZE_FLAGS"; then
    printf 'clang++\n'
  else
    printf 'g++\n'
  fi
}

# tv_sanitize_configure BUILD_DIR CXX [cmake args...]
# Configures BUILD_DIR with CXX, starting afresh when the directory was
# configured with another compiler.
tv_sanitize_configure() {
  local dir=$1 cxx=$2 cxx_path cached
  shift 2
  cxx_path="$(command -v "$cxx")" || { tv_sanitize__err "compiler $cxx not found"; return 1; }
  if [[ -f "$dir/CMakeCache.txt" ]]; then
    cached="$(sed -n 's/^CMAKE_CXX_COMPILER:[A-Z]*=//p' "$dir/CMakeCache.txt")"
    if [[ -n "$cached" && "$(readlink -f "$cached")" != "$(readlink -f "$cxx_path")" ]]; then
      tv_sanitize__log "$dir was configured with $cached: starting afresh"
      rm -rf "$dir"
    fi
  fi
  cmake -S "$REPO_ROOT" -B "$dir" -DCMAKE_CXX_COMPILER="$cxx_path" "$@"
}

# run_sanitized_unit_tests [ctest args...]
run_sanitized_unit_tests() {
  local cxx jobs="${TV_JOBS:-${TARVOLIN_JOBS:-2}}"
  tv_sanitize_need_packages "${TV_SANITIZE_PACKAGES[@]}" || return 1
  cxx="$(tv_sanitize_pick_cxx)"
  if ! tv_sanitize_links "$cxx" "$TV_SANITIZE_FLAGS"; then
    tv_sanitize__err "$cxx cannot link with $TV_SANITIZE_FLAGS"
    return 1
  fi
  tv_sanitize__log "sanitized unit tests with $cxx ($TV_SANITIZE_DIR)"
  tv_sanitize_configure "$TV_SANITIZE_DIR" "$cxx" \
    -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_CXX_FLAGS="$TV_SANITIZE_FLAGS" \
    -DTARVOLIN_FUZZ=OFF || return 1
  # gtest_discover_tests runs the test program while building: the sanitizer
  # options apply there too.
  ASAN_OPTIONS="$TV_SANITIZE_ASAN_OPTIONS" UBSAN_OPTIONS="$TV_SANITIZE_UBSAN_OPTIONS" \
    cmake --build "$TV_SANITIZE_DIR" -j"$jobs" || return 1
  ASAN_OPTIONS="$TV_SANITIZE_ASAN_OPTIONS" UBSAN_OPTIONS="$TV_SANITIZE_UBSAN_OPTIONS" \
    ctest --test-dir "$TV_SANITIZE_DIR" --output-on-failure --no-tests=error \
      --timeout "${TARVOLIN_TEST_TIMEOUT:-600}" -j"$jobs" "$@"
}
