#!/usr/bin/env bash
# Installs the Tarvolin installer under Wine, starts and closes the installed
# program, uninstalls it again and checks that nothing is left behind.
#
#   tests/package/install_roundtrip.sh INSTALLER [WINEPREFIX [DISPLAY]]
#
# WINEPREFIX and DISPLAY default to the environment's. The prefix should be
# one for this test alone: it is created (64-bit) when it does not exist yet,
# its wineserver is waited for at the end, and the test refuses a prefix that
# already has Tarvolin installed (after a failure it removes what it put
# there, so the prefix can be used again). DISPLAY must answer (Xvfb will
# do): the installed program's window is looked for there.
#
# Every wait polls a condition against a deadline of
# TARVOLIN_ROUNDTRIP_TIMEOUT seconds (default 120). Exit code 0 when every
# check passed, 1 on the first failure (with the reason), 2 on bad usage.
set -uo pipefail

HERE="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
ROOT="$(cd "$HERE/../.." && pwd)"

WINDOW_TITLE="24小时制 Tarvolin"
PROGRAM_TITLE="时差计算器"
PROGRAM_EXE="tarvolin.exe"
UNINSTALL_KEY='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tarvolin'
TIMEOUT="${TARVOLIN_ROUNDTRIP_TIMEOUT:-120}"

PASSED=0

say()  { printf 'roundtrip: %s\n' "$*"; }
ok()   { PASSED=$((PASSED + 1)); printf 'roundtrip: ok   %s\n' "$*"; }
fail() {
  printf 'roundtrip: FAIL %s\n' "$*" >&2
  printf 'roundtrip: %d passed, 1 failed\n' "$PASSED"
  exit 1
}
usage() { sed -n '2,17p' "${BASH_SOURCE[0]}" | sed 's/^# \{0,1\}//' >&2; exit 2; }

# --- arguments -----------------------------------------------------------------

(( $# >= 1 && $# <= 3 )) || usage
[[ "$1" == -h || "$1" == --help ]] && usage
INSTALLER="$1"
export WINEPREFIX="${2:-${WINEPREFIX:-}}"
export DISPLAY="${3:-${DISPLAY:-}}"
[[ -f "$INSTALLER" ]] || fail "installer not found: $INSTALLER"
INSTALLER="$(cd "$(dirname "$INSTALLER")" && pwd)/$(basename "$INSTALLER")"
[[ -n "$WINEPREFIX" ]] || fail "no WINEPREFIX given (argument 2 or environment)"
[[ "$WINEPREFIX" == /* ]] || WINEPREFIX="$PWD/$WINEPREFIX"
[[ -n "$DISPLAY" ]] || fail "no DISPLAY given (argument 3 or environment)"

export WINEDEBUG="${TARVOLIN_WINEDEBUG:--all}"
# No Mono or Gecko prompts; no menu entries on the host for the shortcut.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export LC_ALL=C.UTF-8

for tool in wine wineserver xdotool iconv od; do
  command -v "$tool" >/dev/null 2>&1 || fail "$tool not found (see ensure_package_tools in scripts/lib/package.sh)"
done
if command -v xdpyinfo >/dev/null 2>&1; then
  xdpyinfo >/dev/null 2>&1 || fail "display $DISPLAY does not answer"
fi

# The version the installer must register: src/app/version.h's.
version_part() {
  sed -n "s/^#define[[:space:]]\{1,\}TARVOLIN_VERSION_$1[[:space:]]\{1,\}\([0-9]\{1,\}\).*/\1/p" \
    "$ROOT/src/app/version.h"
}
VERSION="$(version_part MAJOR).$(version_part MINOR).$(version_part REVISION)"
[[ "$VERSION" =~ ^[0-9]+\.[0-9]+\.[0-9]+$ ]] || fail "could not read the version from src/app/version.h"

# --- Wine loaders ----------------------------------------------------------------
# Where 32-bit Wine is installed, Debian's `wine` is the 32-bit loader: the
# Windows tools it starts by name (reg, taskkill) are then the 32-bit ones,
# which see the 32-bit registry view and no 64-bit processes. The 64-bit
# loader runs the program, the tools and a 64-bit installer.
WINE64=""
if command -v wine64 >/dev/null 2>&1; then
  WINE64="$(command -v wine64)"
elif [[ -x /usr/lib/wine/wine64 ]]; then
  WINE64=/usr/lib/wine/wine64
else
  WINE64="$(command -v wine)"
fi

# Machine field of a PE file's header: 8664 (x86-64) or 014c (i386).
pe_machine() {
  local offset
  offset=$(od -An -t u4 -j 60 -N 4 "$1" | tr -d ' ')
  [[ -n "$offset" ]] || return 1
  od -An -t x2 -j $((offset + 4)) -N 2 "$1" | tr -d ' '
}
case "$(pe_machine "$INSTALLER")" in
  8664) INSTALLER_BITS=64; WINE_SETUP="$WINE64" ;;
  014c) INSTALLER_BITS=32; WINE_SETUP="$(command -v wine)" ;;
  *)    fail "$INSTALLER is not a Windows program" ;;
esac
say "installer: $INSTALLER ($INSTALLER_BITS-bit), expected version $VERSION"

# --- helpers ---------------------------------------------------------------------

# wait_for SECONDS COMMAND...: polls COMMAND until it succeeds; fails once
# SECONDS have passed.
wait_for() {
  local seconds=$1 deadline
  shift
  deadline=$((SECONDS + seconds))
  until "$@"; do
    (( SECONDS < deadline )) || return 1
    sleep 0.25
  done
}

# Exports the uninstall entry (64-bit view) as UTF-8 text on stdout; fails when
# the key is absent.
REG_DIR="$WINEPREFIX/drive_c/windows/temp"
uninstall_entry() {
  local name="tarvolin-roundtrip-$$.reg" rc
  mkdir -p "$REG_DIR"
  rm -f "$REG_DIR/$name"
  "$WINE64" reg export "$UNINSTALL_KEY" "C:\\windows\\temp\\$name" /y /reg:64 >/dev/null 2>&1
  rc=$?
  if (( rc == 0 )) && [[ -s "$REG_DIR/$name" ]]; then
    iconv -f UTF-16LE -t UTF-8 "$REG_DIR/$name" | tr -d '\r' | sed '1s/^\xef\xbb\xbf//'
    rm -f "$REG_DIR/$name"
    return 0
  fi
  rm -f "$REG_DIR/$name"
  return 1
}
entry_absent() { ! uninstall_entry >/dev/null; }

# reg_value NAME < exported entry: the string value, unescaped.
reg_value() {
  local line
  line="$(grep -m1 "^\"$1\"=\"" || true)"
  [[ -n "$line" ]] || return 1
  line="${line#\""$1"\"=\"}"
  line="${line%\"}"
  line="${line//\\\\/\\}"
  printf '%s\n' "${line//\\\"/\"}"
}

# C:\a\b -> $WINEPREFIX/drive_c/a/b
unix_path() {
  local p="$1"
  [[ "${p:0:3}" == [Cc]:\\ ]] || return 1
  p="${p:3}"
  printf '%s/drive_c/%s\n' "$WINEPREFIX" "${p//\\//}"
}

lower() { printf '%s' "$1" | tr '[:upper:]' '[:lower:]'; }

program_ended() { ! kill -0 "$PROGRAM_PID" 2>/dev/null; }

# --- cleaning up after a failure -----------------------------------------------------

PROGRAM_PID=""
INSTALL_UNIX=""
INSTALLED=0
UNINSTALLED=0
SHORTCUT=""

cleanup() {
  local rc=$?
  trap - EXIT INT TERM HUP
  if [[ -n "$PROGRAM_PID" ]] && kill -0 "$PROGRAM_PID" 2>/dev/null; then
    kill -TERM "$PROGRAM_PID" 2>/dev/null
    wait_for 10 program_ended \
      || kill -KILL "$PROGRAM_PID" 2>/dev/null
  fi
  if (( INSTALLED && !UNINSTALLED )); then
    # Leave the prefix fit for the next run.
    "$WINE64" reg delete "$UNINSTALL_KEY" /f /reg:64 >/dev/null 2>&1
    [[ -n "$SHORTCUT" ]] && rm -f "$SHORTCUT"
  fi
  [[ -n "$INSTALL_UNIX" && -d "$INSTALL_UNIX" ]] && rm -rf -- "$INSTALL_UNIX"
  # Let the prefix's wineserver finish; it ends by itself once our programs
  # are gone. A caller's program still running there is left alone.
  timeout 30 wineserver -w 2>/dev/null
  exit "$rc"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
trap 'exit 129' HUP

# --- the prefix ----------------------------------------------------------------------

if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
  if [[ -e "$WINEPREFIX" ]] && [[ -n "$(ls -A "$WINEPREFIX" 2>/dev/null)" ]]; then
    fail "$WINEPREFIX exists but is no Wine prefix"
  fi
  say "creating the 64-bit prefix $WINEPREFIX"
  env -u DISPLAY WINEARCH=win64 timeout 600 wineboot -i </dev/null >/dev/null 2>&1 \
    || fail "wineboot -i failed for $WINEPREFIX"
  timeout 120 wineserver -w
fi
[[ -f "$WINEPREFIX/system.reg" ]] || fail "$WINEPREFIX has no system.reg after wineboot"
[[ -d "$WINEPREFIX/drive_c/windows/syswow64" ]] \
  || fail "$WINEPREFIX is a 32-bit prefix; tarvolin.exe needs a 64-bit one"
if (( INSTALLER_BITS == 32 )); then
  [[ -x /usr/lib/wine/wine || -n "$(command -v wine32 2>/dev/null)" ]] \
    || fail "a 32-bit installer needs 32-bit Wine (Debian: dpkg --add-architecture i386; apt-get install wine32:i386)"
  [[ -f "$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll" ]] \
    || fail "$WINEPREFIX was made before 32-bit Wine was installed (empty syswow64): use a new prefix"
fi
if uninstall_entry >/dev/null; then
  fail "$WINEPREFIX already has $UNINSTALL_KEY: use a prefix of its own for this test"
fi
ok "prefix $WINEPREFIX ready, no Tarvolin installed"

# --- install ---------------------------------------------------------------------------

INSTALL_DIR="C:\\tarvolin-test-$(od -An -N4 -tx4 /dev/urandom | tr -d ' ')"
INSTALL_UNIX="$(unix_path "$INSTALL_DIR")"
[[ ! -e "$INSTALL_UNIX" ]] || fail "$INSTALL_UNIX exists already"
SHORTCUT="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/$PROGRAM_TITLE.lnk"

say "installing silently into $INSTALL_DIR"
INSTALLED=1
timeout "$TIMEOUT" "$WINE_SETUP" "$INSTALLER" /S "/D=$INSTALL_DIR" </dev/null
rc=$?
(( rc != 124 )) || fail "the installer did not finish within $TIMEOUT s"
(( rc == 0 )) || fail "the installer exited with code $rc"
ok "installer exited with code 0"

[[ -f "$INSTALL_UNIX/$PROGRAM_EXE" ]] || fail "$PROGRAM_EXE not installed in $INSTALL_UNIX"
ok "$INSTALL_DIR\\$PROGRAM_EXE installed"

ENTRY="$(uninstall_entry)" || fail "no uninstall entry $UNINSTALL_KEY after installing"
got="$(reg_value DisplayVersion <<<"$ENTRY")"
[[ "$got" == "$VERSION" ]] || fail "DisplayVersion is '$got', expected '$VERSION'"
got="$(reg_value DisplayName <<<"$ENTRY")"
[[ "$got" == *Tarvolin* && "$got" == *"$PROGRAM_TITLE"* ]] \
  || fail "DisplayName is '$got', expected Tarvolin and $PROGRAM_TITLE in it"
got="$(reg_value DisplayIcon <<<"$ENTRY")"
[[ "$(lower "$got")" == "$(lower "$INSTALL_DIR\\$PROGRAM_EXE")" ]] \
  || fail "DisplayIcon is '$got', expected '$INSTALL_DIR\\$PROGRAM_EXE'"
got="$(reg_value Publisher <<<"$ENTRY")"
[[ -n "$got" ]] || fail "no Publisher in the uninstall entry"
UNINSTALL_STRING="$(reg_value UninstallString <<<"$ENTRY")" || fail "no UninstallString in the uninstall entry"
UNINSTALLER="${UNINSTALL_STRING#\"}"
UNINSTALLER="${UNINSTALLER%%\"*}"
[[ "$(lower "$UNINSTALLER")" == "$(lower "$INSTALL_DIR")"\\* ]] \
  || fail "UninstallString '$UNINSTALL_STRING' does not point into $INSTALL_DIR"
UNINSTALLER_UNIX="$(unix_path "$UNINSTALLER")"
[[ -f "$UNINSTALLER_UNIX" ]] || fail "the uninstaller $UNINSTALLER is missing"
ok "uninstall entry: DisplayVersion $VERSION, DisplayName, DisplayIcon, Publisher, UninstallString"

[[ -f "$SHORTCUT" ]] || fail "no Start-menu shortcut $PROGRAM_TITLE.lnk in the common Programs folder"
# The link holds its target's path in ANSI and in UTF-16 (ASCII here).
if ! tr -d '\0' <"$SHORTCUT" | grep -aqiF "$INSTALL_DIR\\$PROGRAM_EXE"; then
  fail "the shortcut $PROGRAM_TITLE.lnk does not point at $INSTALL_DIR\\$PROGRAM_EXE"
fi
ok "Start-menu shortcut $PROGRAM_TITLE.lnk points at the program"

# --- run the installed program -----------------------------------------------------------

# The 64-bit loader becomes the program's process, so $! is its PID and the
# window's _NET_WM_PID.
say "starting $INSTALL_DIR\\$PROGRAM_EXE on $DISPLAY"
"$WINE64" "$INSTALL_DIR\\$PROGRAM_EXE" </dev/null &
PROGRAM_PID=$!

find_window() {
  WINDOW="$(xdotool search --all --pid "$PROGRAM_PID" --name "^${WINDOW_TITLE}\$" 2>/dev/null | head -n 1)"
  [[ -n "$WINDOW" ]] && return 0
  if ! kill -0 "$PROGRAM_PID" 2>/dev/null; then
    wait "$PROGRAM_PID"
    fail "the installed program exited (code $?) before its window appeared"
  fi
  return 1
}
WINDOW=""
wait_for "$TIMEOUT" find_window \
  || fail "no window titled \"$WINDOW_TITLE\" from the installed program within $TIMEOUT s"
cmdline="$(tr '\0' ' ' <"/proc/$PROGRAM_PID/cmdline" 2>/dev/null)"
[[ "$(lower "$cmdline")" == *"$(lower "$INSTALL_DIR\\$PROGRAM_EXE")"* ]] \
  || fail "the window's process is '$cmdline', not the installed program"
ok "window \"$WINDOW_TITLE\" ($WINDOW) shown by the installed program"

# taskkill without /F sends WM_CLOSE to the program's top-level windows, as
# the close button does.
"$WINE64" taskkill /IM "$PROGRAM_EXE" >/dev/null 2>&1 || fail "taskkill could not reach $PROGRAM_EXE"
wait_for "$TIMEOUT" program_ended \
  || fail "the program did not close within $TIMEOUT s of WM_CLOSE"
wait "$PROGRAM_PID"
rc=$?
PROGRAM_PID=""
(( rc == 0 )) || fail "the program exited with code $rc after WM_CLOSE"
ok "program closed on WM_CLOSE with code 0"

# --- uninstall -------------------------------------------------------------------------------

# The uninstaller copies itself to %TEMP%, starts the copy and returns at
# once; the copy does the work. Wait for its results.
say "uninstalling silently: $UNINSTALLER /S"
timeout "$TIMEOUT" "$WINE_SETUP" "$UNINSTALLER" /S </dev/null
rc=$?
(( rc != 124 )) || fail "the uninstaller did not return within $TIMEOUT s"
(( rc == 0 )) || fail "the uninstaller exited with code $rc"

gone() { [[ ! -e "$INSTALL_UNIX" ]] && entry_absent && [[ ! -e "$SHORTCUT" ]]; }
if ! wait_for "$TIMEOUT" gone; then
  left=()
  [[ -e "$INSTALL_UNIX" ]] && left+=("$INSTALL_DIR: $(ls -A "$INSTALL_UNIX" | tr '\n' ' ')")
  entry_absent || left+=("$UNINSTALL_KEY")
  [[ -e "$SHORTCUT" ]] && left+=("$PROGRAM_TITLE.lnk")
  fail "left behind $TIMEOUT s after uninstalling: ${left[*]}"
fi
UNINSTALLED=1
ok "files, folder, shortcut and uninstall entry removed"

printf 'roundtrip: %d passed, 0 failed\n' "$PASSED"
