# X display helpers (sourced by common.sh).
#
# tv_display_ensure: keeps a usable $DISPLAY, otherwise starts a private Xvfb
# on a free display number, exports DISPLAY and stops that Xvfb on exit.

TV_XVFB_PID=""
TV_XVFB_SCREEN="${TARVOLIN_XVFB_SCREEN:-1280x1024x24}"

tv_display_usable() {
  [[ -n "${1:-}" ]] && xdpyinfo -display "$1" >/dev/null 2>&1
}

tv_xvfb_stop() {
  if [[ -n "$TV_XVFB_PID" ]]; then
    kill "$TV_XVFB_PID" 2>/dev/null || true
    local i
    for (( i=0; i<50; i++ )); do
      kill -0 "$TV_XVFB_PID" 2>/dev/null || break
      sleep 0.1
    done
    kill -KILL "$TV_XVFB_PID" 2>/dev/null || true
    wait "$TV_XVFB_PID" 2>/dev/null || true
    TV_XVFB_PID=""
  fi
}

# tv_xvfb_start: starts Xvfb on the first free display from :90 on.
tv_xvfb_start() {
  command -v Xvfb >/dev/null 2>&1 || { tv_err "Xvfb not installed"; return 1; }
  mkdir -p "$TV_LOG_DIR"
  local n i log
  for (( n=90; n<200; n++ )); do
    [[ -e "/tmp/.X${n}-lock" || -e "/tmp/.X11-unix/X${n}" ]] && continue
    log="$TV_LOG_DIR/xvfb-${n}.log"
    Xvfb ":$n" -screen 0 "$TV_XVFB_SCREEN" -nolisten tcp </dev/null >"$log" 2>&1 &
    TV_XVFB_PID=$!
    for (( i=0; i<200; i++ )); do     # up to 20 s
      if ! kill -0 "$TV_XVFB_PID" 2>/dev/null; then
        break                           # lost a race for this number: next one
      fi
      if xdpyinfo -display ":$n" >/dev/null 2>&1; then
        export DISPLAY=":$n"
        tv_info "started Xvfb on $DISPLAY (pid $TV_XVFB_PID, $TV_XVFB_SCREEN)"
        return 0
      fi
      sleep 0.1
    done
    if kill -0 "$TV_XVFB_PID" 2>/dev/null; then
      tv_xvfb_stop
      tv_err "Xvfb :$n did not answer within 20 s (see $log)"
      return 1
    fi
    wait "$TV_XVFB_PID" 2>/dev/null || true
    TV_XVFB_PID=""
  done
  tv_err "no free X display number found in :90-:199"
  return 1
}

tv_display_ensure() {
  if tv_display_usable "${DISPLAY:-}"; then
    export DISPLAY
    tv_info "using display $DISPLAY"
    return 0
  fi
  [[ -n "${DISPLAY:-}" ]] && tv_warn "DISPLAY=$DISPLAY does not answer; starting Xvfb"
  unset DISPLAY
  [[ -n "$TV_XVFB_PID" ]] || tv_on_exit tv_xvfb_stop
  tv_xvfb_start
}
