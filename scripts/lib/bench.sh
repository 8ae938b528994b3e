# Helpers for scripts/bench: reading CPU time and memory of Wine processes
# from the Linux side, and a little arithmetic. Source after common.sh.
#
# Under Wine every Windows process is a Linux process whose /proc/PID/cmdline
# holds the Windows command line. Processes that startup_bench.exe starts
# inherit its Unix environment, so a tag variable set for it (TV_BENCH_TAG)
# tells our processes from those of anyone else using the same prefix.

# tv_bench_calc EXPR: evaluates a floating-point expression with awk.
tv_bench_calc() {
  awk "BEGIN { printf \"%.6f\", ($1) }"
}

# tv_bench_fmt FORMAT VALUE: printf through awk (VALUE may be fractional).
tv_bench_fmt() {
  awk -v v="$2" "BEGIN { printf \"$1\", v }"
}

# tv_bench_find_pid TAG EXE: the PID of the Linux process that runs EXE (a file
# name such as tarvolin.exe) and carries TV_BENCH_TAG=TAG; the launcher and
# startup_bench.exe itself are skipped.
tv_bench_find_pid() {
  local tag=$1 exe=${2,,} p cmd
  for p in /proc/[0-9]*; do
    cmd="$(tr '\0' ' ' 2>/dev/null <"$p/cmdline")" || continue
    cmd=${cmd,,}
    [[ $cmd == *"$exe"* ]] || continue
    [[ $cmd == *startup_bench* ]] && continue
    tr '\0' '\n' 2>/dev/null <"$p/environ" | grep -qx "TV_BENCH_TAG=$tag" || continue
    printf '%s\n' "${p#/proc/}"
    return 0
  done
  return 1
}

# tv_bench_kill_tagged TAG EXE...: kills (SIGKILL) the processes that carry
# TV_BENCH_TAG=TAG and run one of the EXE files: programs that a run of
# startup_bench.exe started and could not stop, say after Ctrl+C.
tv_bench_kill_tagged() {
  local tag=$1 exe pid
  shift
  for exe in "$@"; do
    while pid="$(tv_bench_find_pid "$tag" "$exe")"; do
      kill -KILL "$pid" 2>/dev/null || break
      sleep 0.1
    done
  done
}

# tv_bench_server_pid PREFIX: the PID of the wineserver of PREFIX, if one runs.
# The server works in a directory named after the device and inode of the
# prefix (server-DEV-INODE, in hex).
tv_bench_server_pid() {
  local dev ino name p
  read -r dev ino < <(stat -L -c '%d %i' "$1" 2>/dev/null) || return 1
  name="$(printf 'server-%x-%x' "$dev" "$ino")"
  for p in /proc/[0-9]*; do
    [[ "$(readlink "$p/cwd" 2>/dev/null)" == */"$name" ]] || continue
    [[ "$(cat "$p/comm" 2>/dev/null)" == wineserver* ]] || continue
    printf '%s\n' "${p#/proc/}"
    return 0
  done
  return 1
}

# tv_bench_ticks PID: user + system time of the whole process in clock ticks.
tv_bench_ticks() {
  local stat
  stat="$(cat "/proc/$1/stat" 2>/dev/null)" || return 1
  stat=${stat##*) }          # the command name may hold spaces: skip it
  # Fields from the state on: utime and stime are the 12th and 13th.
  awk '{ print $12 + $13 }' <<<"$stat"
}

# tv_bench_threads_ns PID: one "TID NANOSECONDS" line per thread of PID, the
# CPU time from /proc/PID/task/TID/schedstat; nothing when the kernel does not
# keep those.
tv_bench_threads_ns() {
  local f v tid
  for f in /proc/"$1"/task/*/schedstat; do
    read -r v _ 2>/dev/null <"$f" || continue
    tid=${f%/schedstat}
    printf '%s %s\n' "${tid##*/}" "$v"
  done
}

# tv_bench_threads_delta BEFORE AFTER: from two tv_bench_threads_ns outputs,
# prints "NANOSECONDS GONE": the CPU time spent in between by the threads
# seen at the end (all of it for threads born in between), and how many
# threads of the start had ended meanwhile (their last share is unknown then).
tv_bench_threads_delta() {
  awk 'NR == FNR { before[$1] = $2; next }
       { sum += $2 - ($1 in before ? before[$1] : 0); seen[$1] = 1 }
       END { for (t in before) if (!(t in seen)) gone++; printf "%d %d\n", sum, gone }' \
    <(printf '%s\n' "$1") <(printf '%s\n' "$2")
}

# tv_bench_status_kib PID FIELD: a "FIELD: N kB" value of /proc/PID/status.
tv_bench_status_kib() {
  awk -v f="$2:" '$1 == f { print $2; found = 1 } END { if (!found) print "" }' "/proc/$1/status" 2>/dev/null
}

# tv_bench_now_us: wall-clock time in microseconds (bash's EPOCHREALTIME).
tv_bench_now_us() {
  local t=$EPOCHREALTIME
  printf '%s\n' "${t/[.,]/}"
}
