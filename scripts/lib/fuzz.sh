# shellcheck shell=bash
# The libFuzzer targets in fuzz/: building them and running them for a while.
#
#   source scripts/lib/fuzz.sh
#   run_fuzzers SECONDS [TARGET...]     build, then run each target SECONDS
#
# build/fuzz       the clang build configured with -DTARVOLIN_FUZZ=ON
# build/fuzz-corpus/TARGET      the working corpus: the committed seeds of
#                               fuzz/corpus/TARGET plus what the runs found
# build/fuzz-artifacts/TARGET/  inputs that crashed (crash-*, timeout-*, ...)
# build/fuzz-logs/TARGET.log    the full libFuzzer output of the last run
#
# TARVOLIN_FUZZ_JOBS targets run side by side (default: the number of cores).
# run_fuzzers returns 1 when a target found something, 2 when the build
# failed. Sourceable from scripts running with `set -euo pipefail`.

if [[ -z "${REPO_ROOT:-}" ]]; then
  REPO_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
fi
# shellcheck source-path=SCRIPTDIR source=sanitize.sh
source "$REPO_ROOT/scripts/lib/sanitize.sh"

# Debian packages for the fuzzers: clang, and its fuzzer and sanitizer
# runtimes (libclang-rt-dev brings libclang-rt-14-dev on Debian 12). The
# project's CMake configuration needs GTest even when only fuzzers are built.
TV_FUZZ_PACKAGES=(cmake make clang libclang-rt-dev libgtest-dev)

TV_FUZZ_TARGETS=(fuzz_box_number fuzz_compute fuzz_clock_line fuzz_registry_value)
TV_FUZZ_BUILD_DIR="$REPO_ROOT/build/fuzz"
TV_FUZZ_CORPUS_DIR="$REPO_ROOT/build/fuzz-corpus"
TV_FUZZ_ARTIFACT_DIR="$REPO_ROOT/build/fuzz-artifacts"
TV_FUZZ_LOG_DIR="$REPO_ROOT/build/fuzz-logs"

# libFuzzer options for every run besides the time: inputs up to 4 KiB (so
# registry data beyond the 1024-byte limit is tried), and an input taking
# longer than 10 s counts as a hang.
TV_FUZZ_OPTIONS=(-max_len=4096 -timeout=10 -rss_limit_mb=2048 -print_final_stats=1)

build_fuzzers() {
  local jobs="${TV_JOBS:-${TARVOLIN_JOBS:-2}}"
  tv_sanitize_need_packages "${TV_FUZZ_PACKAGES[@]}" || return 1
  tv_sanitize__log "building fuzzers ($TV_FUZZ_BUILD_DIR)"
  CC=clang CXX=clang++ tv_sanitize_configure "$TV_FUZZ_BUILD_DIR" clang++ \
    -DTARVOLIN_FUZZ=ON || return 1
  cmake --build "$TV_FUZZ_BUILD_DIR" --target fuzzers -j"$jobs" || return 1
}

# tv_fuzz__run_one TARGET SECONDS: one libFuzzer run; its exit status goes to
# the log directory as TARGET.rc.
tv_fuzz__run_one() {
  local target=$1 seconds=$2 bin corpus artifacts log rc
  bin="$TV_FUZZ_BUILD_DIR/fuzz/$target"
  corpus="$TV_FUZZ_CORPUS_DIR/$target"
  artifacts="$TV_FUZZ_ARTIFACT_DIR/$target"
  log="$TV_FUZZ_LOG_DIR/$target.log"
  mkdir -p "$corpus" "$artifacts"
  # Fresh seeds join the working corpus; the committed ones stay untouched.
  cp -n "$REPO_ROOT/fuzz/corpus/$target/"* "$corpus/" 2>/dev/null || true
  rc=0
  ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}" \
  UBSAN_OPTIONS="${UBSAN_OPTIONS:-$TV_SANITIZE_UBSAN_OPTIONS}" \
    timeout --kill-after=30 "$((seconds + 120))" \
    "$bin" "${TV_FUZZ_OPTIONS[@]}" -max_total_time="$seconds" \
      -artifact_prefix="$artifacts/" "$corpus" >"$log" 2>&1 </dev/null || rc=$?
  printf '%s\n' "$rc" >"$TV_FUZZ_LOG_DIR/$target.rc"
}

# tv_fuzz__stat LOG NAME: the value of a stat::NAME line, or "?".
tv_fuzz__stat() {
  local v
  v="$(sed -n "s/^stat::$2:[[:space:]]*//p" "$1" | tail -n 1)"
  printf '%s\n' "${v:-?}"
}

# tv_fuzz__field LINE NAME: the number after "NAME: " in a status line.
tv_fuzz__field() {
  local v
  v="$(printf '%s\n' "$1" | sed -n "s/.* $2: \([^ ]*\).*/\1/p")"
  printf '%s\n' "${v:-?}"
}

# tv_fuzz__report TARGET SECONDS: prints the target's figures; returns 1 on a
# finding.
tv_fuzz__report() {
  local target=$1 seconds=$2 log rc status execs rate cov ft corp units slow crashes
  log="$TV_FUZZ_LOG_DIR/$target.log"
  rc="$(cat "$TV_FUZZ_LOG_DIR/$target.rc" 2>/dev/null || echo '?')"
  status="$(grep -E '^#[0-9]+.* cov: ' "$log" 2>/dev/null | tail -n 1 || true)"
  execs="$(tv_fuzz__stat "$log" number_of_executed_units)"
  rate="$(tv_fuzz__stat "$log" average_exec_per_sec)"
  cov="$(tv_fuzz__field "$status" cov)"
  ft="$(tv_fuzz__field "$status" ft)"
  corp="$(tv_fuzz__field "$status" corp)"
  units="$(sed -n 's/.*Test unit written to \(.*\)$/\1/p' "$log" 2>/dev/null || true)"
  # A slow unit is only a note: libFuzzer saves any input that took over 10 s
  # (a busy machine can stall one); a real hang ends the run as a timeout.
  slow="$(printf '%s\n' "$units" | grep '/slow-unit-' || true)"
  crashes="$(printf '%s\n' "$units" | grep -v -e '/slow-unit-' -e '^$' || true)"
  printf '%-20s %5ss %10s exec/s %12s execs   cov: %-5s ft: %-6s corp: %-12s %s\n' \
    "$target" "$seconds" "$rate" "$execs" "$cov" "$ft" "$corp" \
    "$([[ "$rc" == 0 && -z "$crashes" ]] && echo ok || echo "FOUND (exit $rc)")"
  if [[ -n "$slow" ]]; then
    printf '    note:  slow input (%s s), not a failure: %s\n' \
      "$(tv_fuzz__stat "$log" slowest_unit_time_sec)" "$slow"
  fi
  if [[ "$rc" != 0 || -n "$crashes" ]]; then
    if [[ -n "$crashes" ]]; then
      printf '%s\n' "$crashes" | sed 's/^/    input: /'
    fi
    printf '    log:   %s\n' "$log"
    # What went wrong, in the sanitizer's or the check's own words.
    grep -m 3 -E 'check failed|runtime error|ERROR: (AddressSanitizer|LeakSanitizer|libFuzzer)|SUMMARY:' \
      "$log" 2>/dev/null | sed 's/^/    /' || true
    return 1
  fi
  return 0
}

# run_fuzzers SECONDS [TARGET...]
run_fuzzers() {
  local seconds="${1:-60}" jobs running=0 t found=0 t0
  shift || true
  local targets=("$@")
  (( ${#targets[@]} )) || targets=("${TV_FUZZ_TARGETS[@]}")
  if ! [[ "$seconds" =~ ^[1-9][0-9]*$ ]]; then
    tv_sanitize__err "run_fuzzers: seconds must be a positive whole number, not '$seconds'"
    return 2
  fi
  jobs="${TARVOLIN_FUZZ_JOBS:-$(nproc 2>/dev/null || echo 1)}"
  [[ "$jobs" =~ ^[1-9][0-9]*$ ]] || jobs=1

  build_fuzzers || { tv_sanitize__err "fuzzer build failed"; return 2; }

  mkdir -p "$TV_FUZZ_LOG_DIR"
  for t in "${targets[@]}"; do
    if [[ ! -x "$TV_FUZZ_BUILD_DIR/fuzz/$t" ]]; then
      tv_sanitize__err "no fuzzer named $t in $TV_FUZZ_BUILD_DIR/fuzz"
      return 2
    fi
    rm -f "$TV_FUZZ_LOG_DIR/$t.rc" "$TV_FUZZ_LOG_DIR/$t.log"
  done

  tv_sanitize__log "fuzzing ${#targets[@]} targets for ${seconds}s each, $jobs at a time"
  t0=$SECONDS
  for t in "${targets[@]}"; do
    if (( running >= jobs )); then
      wait -n || true
      running=$((running - 1))
    fi
    tv_fuzz__run_one "$t" "$seconds" &
    running=$((running + 1))
  done
  wait || true

  printf '\nFuzzing results (%ss wall):\n' "$((SECONDS - t0))"
  for t in "${targets[@]}"; do
    tv_fuzz__report "$t" "$seconds" || found=1
  done
  if (( found )); then
    tv_sanitize__err "a fuzzer found a failing input (see above)"
    return 1
  fi
  printf 'No findings.\n'
}
