#!/usr/bin/env bash
# The installer's round trip under Wine, as ctest runs it (WINEPREFIX and
# DISPLAY set): install silently, start and close the installed program,
# uninstall, and check what each step leaves behind.
#   install_roundtrip.sh SETUP.EXE VERSION
set -uo pipefail
setup=$1 version=$2
wine=/usr/lib/wine/wine64
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tarvolin'
dir='C:\tarvolin-roundtrip' unix_dir=$WINEPREFIX/drive_c/tarvolin-roundtrip
shortcut="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/时差计算器.lnk"

fail() { echo "FAIL: $*" >&2; exit 1; }
ok() { echo "ok: $*"; }
value() { "$wine" reg query "$key" /v "$1" /reg:64 2>/dev/null | tr -d '\r' | sed -n "s/^ *$1 *REG_[A-Z_]* *//p"; }
gone() { [[ ! -e $unix_dir && ! -e $shortcut ]] && ! "$wine" reg query "$key" /reg:64 >/dev/null 2>&1; }
wait_for() { for _ in $(seq 600); do "$@" && return 0; sleep 0.1; done; return 1; }
window() { xdotool search --name '24小时制 Tarvolin' >/dev/null; }

# Nothing left from an earlier run.
"$wine" reg delete "$key" /f /reg:64 >/dev/null 2>&1
rm -rf "$unix_dir" "$shortcut"

timeout 120 "$wine" "$setup" /S "/D=$dir" || fail "the installer exited with $?"
for file in tarvolin.exe README.txt uninstall.exe; do
  [[ -f $unix_dir/$file ]] || fail "$file is not installed"
done
[[ -f $shortcut ]] || fail "no Start menu shortcut"
[[ $(value DisplayVersion) == "$version" ]] || fail "DisplayVersion is '$(value DisplayVersion)'"
[[ $(value UninstallString) == "\"$dir\\uninstall.exe\"" ]] || fail "UninstallString is '$(value UninstallString)'"
for name in DisplayName DisplayIcon Publisher; do
  [[ -n $(value $name) ]] || fail "no $name in the uninstall entry"
done
ok "installed: files, shortcut and uninstall entry"

"$wine" "$dir\\tarvolin.exe" &
program=$!
wait_for window || fail "the installed program shows no window"
"$wine" taskkill /im tarvolin.exe >/dev/null
wait "$program" || fail "the installed program ended with $?"
ok "the installed program starts and closes"

timeout 120 "$wine" "$dir\\uninstall.exe" /S || fail "the uninstaller exited with $?"
# It goes on from a copy of itself in the temporary folder.
wait_for gone || fail "the uninstaller left files, the shortcut or the uninstall entry"
ok "uninstalled without a trace"
