# The project's Wine prefix in build/wineprefix (sourced by common.sh).
#
# tv_prefix_ensure creates and configures it once. A marker file records the
# setup version and the Wine version; when either changes the prefix is built
# again from scratch. Bump TV_PREFIX_VERSION whenever the setup below changes.

TV_PREFIX_VERSION=3
TV_PREFIX_MARKER_NAME=".tarvolin-prefix"
TV_WINE_OVERRIDES="mscoree,mshtml="

# Registry values written into the prefix.
# The Sharp face carries hand-tuned bitmaps for 12 to 16 pixels, where the
# smooth face loses strokes of small characters.
TV_CJK_FACE="WenQuanYi Zen Hei Sharp"
TV_CJK_LINK="wqy-zenhei.ttc,WenQuanYi Zen Hei"
TV_REPLACED_FACES=("SimSun" "NSimSun" "宋体" "新宋体" "Microsoft YaHei" "微软雅黑" "SimHei" "黑体")
TV_LINKED_FACES=("Tahoma" "MS Shell Dlg" "MS Shell Dlg 2" "Microsoft Sans Serif" "Segoe UI")
TV_MSINFO_PATH='C:\windows\system32\msinfo32.exe'

tv_prefix_stamp() {
  printf 'setup=%s\nwine=%s\n' "$TV_PREFIX_VERSION" "$(WINEDEBUG=-all "$TV_WINE" --version 2>/dev/null)"
}

tv_prefix_ready() {
  local marker="$TV_PREFIX_DIR/$TV_PREFIX_MARKER_NAME"
  [[ -f "$marker" && -f "$TV_PREFIX_DIR/system.reg" ]] \
    && [[ "$(cat "$marker")" == "$(tv_prefix_stamp)" ]]
}

# Runs a Wine command against our prefix, without a display: nothing in the
# setup needs one, and a server started now must not outlive it bound to one.
# The setup lock is not handed down: a wineserver would keep it held.
TV__PREFIX_LOCK_FD=""
tv__pwine() {
  if [[ -n "$TV__PREFIX_LOCK_FD" ]]; then
    env -u DISPLAY WINEPREFIX="$TV_PREFIX_DIR" WINEDEBUG=-all \
      WINEDLLOVERRIDES="$TV_WINE_OVERRIDES;winemenubuilder.exe=d" WINELOADER="$TV_WINE" "$@" {TV__PREFIX_LOCK_FD}>&-
  else
    env -u DISPLAY WINEPREFIX="$TV_PREFIX_DIR" WINEDEBUG=-all \
      WINEDLLOVERRIDES="$TV_WINE_OVERRIDES;winemenubuilder.exe=d" WINELOADER="$TV_WINE" "$@"
  fi
}

# Stops the wineserver of our prefix (and with it every program in it).
tv_prefix_stop_server() {
  [[ -d "$TV_PREFIX_DIR" ]] || return 0
  WINEPREFIX="$TV_PREFIX_DIR" wineserver -k 2>/dev/null || true
  WINEPREFIX="$TV_PREFIX_DIR" timeout 30 wineserver -w 2>/dev/null || true
}

# REG_MULTI_SZ with one string, as the hex(7) list regedit expects.
tv__reg_multi_sz() {
  printf '%s\0\0' "$1" | iconv -f UTF-8 -t UTF-16LE | od -An -tx1 -v \
    | tr -s ' \n' ',,' | sed 's/^,//; s/,$//'
}

tv__reg_escape() {
  local s=${1//\\/\\\\}
  printf '%s' "${s//\"/\\\"}"
}

tv__prefix_reg_text() {
  local face
  cat <<'EOF'
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\Control Panel\Desktop]
"LogPixels"=dword:00000060

[HKEY_CURRENT_USER\Software\Wine\DllOverrides]
"winemenubuilder.exe"=""

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Decorated"="N"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
EOF
  for face in "${TV_REPLACED_FACES[@]}"; do
    printf '"%s"="%s"\n' "$(tv__reg_escape "$face")" "$(tv__reg_escape "$TV_CJK_FACE")"
  done
  printf '\n[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontLink\\SystemLink]\n'
  for face in "${TV_LINKED_FACES[@]}"; do
    printf '"%s"=hex(7):%s\n' "$(tv__reg_escape "$face")" "$(tv__reg_multi_sz "$TV_CJK_LINK")"
  done
  printf '\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools\\MSINFO]\n'
  printf '"PATH"="%s"\n' "$(tv__reg_escape "$TV_MSINFO_PATH")"
}

# tv__reg_has KEY NAME [TEXT]: the value is there as Wine sees it (and its
# data shows TEXT). The value name goes through the Unix locale on the
# command line, so UTF-8 is forced for the Chinese names; reg's output prints
# them as "?" whatever the locale, so only ASCII data is compared.
tv__reg_has() {
  local out
  out="$(tv__pwine env LC_ALL=C.UTF-8 "$TV_WINE" reg query "$1" /v "$2" 2>/dev/null)" || return 1
  [[ -z "${3:-}" || "$out" == *"$3"* ]]
}

tv__prefix_create() {
  local dir="$TV_PREFIX_DIR" t0=$SECONDS face fonts reg
  if [[ -e "$dir" ]]; then
    tv_info "removing outdated prefix $dir"
    tv_prefix_stop_server
    rm -rf "$dir"
  fi
  mkdir -p "$TV_BUILD"

  tv_info "wineboot -i (64-bit prefix)"
  if ! tv__pwine WINEARCH=win64 timeout 600 "$TV_WINE" wineboot -i </dev/null; then
    tv_err "wineboot failed"; return 1
  fi
  tv__pwine timeout 120 wineserver -w

  # Tahoma for the UI font and Marlett for the caption buttons.
  fonts="$dir/drive_c/windows/Fonts"
  mkdir -p "$fonts"
  cp /usr/share/wine/fonts/tahoma.ttf /usr/share/wine/fonts/marlett.ttf "$fonts/" \
    || { tv_err "Wine's fonts missing (package fonts-wine)"; return 1; }

  if [[ ! -f "$dir/drive_c/windows/system32/msinfo32.exe" ]]; then
    tv_err "msinfo32.exe missing from the prefix"; return 1
  fi

  # regedit reads a .reg file with non-ASCII names only as UTF-16LE with BOM.
  reg="$dir/drive_c/tarvolin-setup.reg"
  { printf '\xff\xfe'; tv__prefix_reg_text | sed 's/$/\r/' | iconv -f UTF-8 -t UTF-16LE; } >"$reg" \
    || { tv_err "could not write $reg"; return 1; }
  tv_info "importing registry settings"
  tv__pwine timeout 120 "$TV_WINE" regedit /S 'C:\tarvolin-setup.reg' </dev/null \
    || { tv_err "regedit failed"; return 1; }
  tv__pwine timeout 120 wineserver -w

  local missing=()
  tv__reg_has 'HKCU\Control Panel\Desktop' LogPixels 0x60 || missing+=("LogPixels")
  tv__reg_has 'HKCU\Software\Wine\X11 Driver' Decorated || missing+=("Decorated")
  for face in "${TV_REPLACED_FACES[@]}"; do
    tv__reg_has 'HKCU\Software\Wine\Fonts\Replacements' "$face" "$TV_CJK_FACE" \
      || missing+=("Replacements\\$face")
  done
  # Wine ships SystemLink entries of its own for some of these faces.
  for face in "${TV_LINKED_FACES[@]}"; do
    tv__reg_has 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' "$face" "$TV_CJK_LINK" \
      || missing+=("SystemLink\\$face")
  done
  tv__reg_has 'HKLM\SOFTWARE\Microsoft\Shared Tools\MSINFO' PATH msinfo32.exe || missing+=("MSINFO\\PATH")
  tv__pwine timeout 120 wineserver -w
  if (( ${#missing[@]} )); then
    tv_err "registry values missing after import: ${missing[*]}"
    return 1
  fi

  tv_prefix_stamp >"$dir/$TV_PREFIX_MARKER_NAME"
  tv_info "prefix ready in $(( SECONDS - t0 )) s"
}

# tv_prefix_ensure: creates build/wineprefix unless it is already up to date.
# Serialised with a lock so that parallel callers do not build it twice.
tv_prefix_ensure() {
  mkdir -p "$TV_BUILD"
  local fd rc=0
  exec {fd}>"$TV_BUILD/.wineprefix.lock"
  if ! flock -w 900 "$fd"; then
    exec {fd}>&-
    tv_err "timed out waiting for the Wine prefix lock"
    return 1
  fi
  TV__PREFIX_LOCK_FD=$fd
  if tv_prefix_ready; then
    tv_info "Wine prefix up to date ($TV_PREFIX_DIR)"
  else
    tv_log "setting up the Wine prefix ($TV_PREFIX_DIR)"
    if ! tv__prefix_create; then
      rc=1
      tv_prefix_stop_server
    fi
  fi
  TV__PREFIX_LOCK_FD=""
  flock -u "$fd"
  exec {fd}>&-
  return "$rc"
}
