#!/usr/bin/env bash
# The installer's round trip under Wine, as ctest runs it (WINEPREFIX and
# DISPLAY set), in each scope: install silently, check the files, the Start
# menu shortcut and the uninstall entry, start the program from the shortcut,
# uninstall, and check that everything an installation may touch is as before.
#   install_roundtrip.sh SETUP.EXE VERSION MACHINE
# MACHINE is the PE machine field of the installer and of the program in it:
# 8664 (x64) or 014c (x86).
set -uo pipefail
setup=$1 version=$2 machine=$3
wine=/usr/lib/wine/wine64
view=$([[ $machine == 8664 ]] && echo 64 || echo 32)
key='Software\Microsoft\Windows\CurrentVersion\Uninstall\Tarvolin'

fail() { echo "FAIL ($scope): $*" >&2; exit 1; }
unix() { "$wine" winepath -u "$1" 2>/dev/null; }
wait_for() { for _ in $(seq 300); do "$@" && return 0; sleep 0.1; done; return 1; }
# For checks slow to make: a few tries, a second apart.
retry() { for _ in 1 2 3 4 5; do "$@" && return 0; sleep 1; done; return 1; }
# The PE machine field: the 16 bits after "PE\0\0", which the offset at 0x3c names.
pe_machine() { od -An -tx2 -j $(($(od -An -tu4 -j60 -N4 "$1") + 4)) -N2 "$1" | tr -d ' '; }
value() { "$wine" reg query "$root\\$key" /v "$1" /reg:$view 2>/dev/null | tr -d '\r' | sed -n "s/^ *$1 *REG_[A-Z_]* *//p"; }
# What an installation may touch: both Start menus, both uninstall entries, the folders.
snapshot() {
  ls -R "$user_menu" "$common_menu" "$(unix 'C:\Program Files')" "$(unix 'C:\Program Files (x86)')" \
    "$(unix '%LOCALAPPDATA%')/Programs" 2>/dev/null
  "$wine" reg query "HKCU\\$key" /s /reg:$view 2>/dev/null
  "$wine" reg query "HKLM\\$key" /s /reg:$view 2>/dev/null
}
# The same twice in a row: one read under load can come back short.
settled() {
  local last now
  last=$(snapshot)
  for _ in $(seq 10); do now=$(snapshot); [[ $now == "$last" ]] && break; last=$now; done
  printf '%s' "$last"
}

scope=installer
[[ -f $setup ]] || fail "no $setup: cpack --preset release$([[ $view == 32 ]] && echo -x86) makes it"
[[ $(pe_machine "$setup") == "$machine" ]] || fail "the installer's machine is $(pe_machine "$setup"), not $machine"
folders=$("$wine" cmd /c 'echo %APPDATA%^|%ProgramData%^|%LOCALAPPDATA%^|%ProgramFiles%' | tr -d '\r')
IFS='|' read -r appdata programdata localappdata programfiles <<<"$folders"
user_menu=$(unix "$appdata\\Microsoft\\Windows\\Start Menu\\Programs")
common_menu=$(unix "$programdata\\Microsoft\\Windows\\Start Menu\\Programs")
[[ $view == 32 ]] && programfiles+=' (x86)'

# A run stopped half-way leaves its installation behind: gone before the first snapshot.
for root in HKCU HKLM; do "$wine" reg delete "$root\\$key" /f /reg:$view >/dev/null 2>&1; done
rm -rf "$(unix "$localappdata\\Programs\\Tarvolin")" "$(unix "$programfiles\\Tarvolin")" "$(unix 'C:\Tarvolin test')" \
  "$user_menu/时差计算器.lnk" "$common_menu/时差计算器.lnk"

# scope, the installer's switches, the folder it must choose, its registry root and Start menu
while IFS=';' read -r scope switches dir root menu; do
  before=$(settled)
  # shellcheck disable=SC2086  # the switches are words
  timeout 120 "$wine" "$setup" /S $switches || fail "the installer exited with $?"
  files=$(unix "$dir")
  for file in tarvolin.exe README.txt uninstall.exe; do
    [[ -f $files/$file ]] || fail "no $file in $dir"
  done
  [[ $(pe_machine "$files/tarvolin.exe") == "$machine" ]] || fail "the program's machine is not $machine"
  shortcut="$menu/时差计算器.lnk"
  [[ -f $shortcut ]] || fail "no Start menu shortcut in $menu"
  # Read again until it holds: a registry read under load can come back empty.
  entry() {
    [[ $(value DisplayVersion) == "$version" && $(value NoModify) == 0x1 && $(value NoRepair) == 0x1 &&
       $(value DisplayIcon) == "$dir\\tarvolin.exe" && $(value UninstallString) == "\"$dir\\uninstall.exe\"" &&
       -n $(value DisplayName) && -n $(value Publisher) && -n $(value EstimatedSize) ]]
  }
  retry entry || fail "the uninstall entry in $root reads: $(for name in DisplayVersion NoModify NoRepair DisplayIcon \
    UninstallString DisplayName Publisher EstimatedSize; do printf '%s=%s; ' $name "$(value $name)"; done)"

  "$wine" start /unix "$shortcut"
  wait_for xdotool search --name '^24小时制 Tarvolin$' >/dev/null || fail "the shortcut's program shows no window"
  "$wine" taskkill /im tarvolin.exe >/dev/null
  wait_for sh -c '! xdotool search --name "^24小时制 Tarvolin$" >/dev/null' || fail "the program did not close"

  timeout 120 "$wine" "$dir\\uninstall.exe" /S || fail "the uninstaller exited with $?"
  # It goes on from a copy of itself in the temporary folder.
  wait_for test ! -e "$files" || fail "the uninstaller left $dir"
  unchanged() { [[ $(snapshot) == "$before" ]]; }
  retry unchanged || fail "the uninstaller left a trace: $(diff <(echo "$before") <(settled))"
  echo "ok ($scope): installed into $dir, started from the shortcut, removed without a trace"
done <<EOF2
current user by default;;$localappdata\\Programs\\Tarvolin;HKCU;$user_menu
all users;/AllUsers;$programfiles\\Tarvolin;HKLM;$common_menu
current user in a folder of one's own;/CurrentUser /D=C:\\Tarvolin test;C:\\Tarvolin test;HKCU;$user_menu
EOF2
