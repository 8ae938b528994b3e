# The Windows packages (ZIP and NSIS installer) and their round-trip test.
# Source it from bash after, or instead of, common.sh:
#
#   ensure_package_tools            Debian packages for building, packaging and
#                                   the round trip (32-bit Wine as well when
#                                   TARVOLIN_NSIS_TARGET=x86-unicode)
#   build_packages [BUILD_DIR]      Release build + cpack; copies both packages
#                                   to build/packages and sets TV_PACKAGE_ZIP
#                                   and TV_PACKAGE_SETUP
#   run_package_roundtrip PREFIX [DISPLAY] [BUILD_DIR]
#                                   build_packages, then installs, starts,
#                                   closes and uninstalls the installer under
#                                   Wine in PREFIX on DISPLAY
#
# BUILD_DIR defaults to build/win, the tree the other scripts build, so that
# the program is compiled once. TARVOLIN_NSIS_TARGET (amd64-unicode, the
# default, or x86-unicode) picks the installer's stub.

# shellcheck shell=bash source=common.sh
source "$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/common.sh"

TV_PACKAGES_DIR="$TV_BUILD/packages"
TV_PACKAGE_ZIP=""
TV_PACKAGE_SETUP=""

# What building the packages and testing the installer take from Debian.
# (cpack writes the ZIP itself: no zip program is needed.)
TV_PACKAGE_TOOLS=(
  cmake make g++-mingw-w64-x86-64-posix
  nsis
  wine wine64 xvfb xauth x11-utils xdotool
)

# ensure_package_tools: installs what is missing when root, otherwise prints
# the commands and fails. A 32-bit installer stub also needs Debian's i386
# architecture and wine32:i386 (about 170 packages, some 40 s).
ensure_package_tools() {
  local pkgs=("${TV_PACKAGE_TOOLS[@]}")
  if [[ "${TARVOLIN_NSIS_TARGET:-amd64-unicode}" == x86-* ]]; then
    if ! dpkg --print-foreign-architectures 2>/dev/null | grep -qx i386; then
      if (( EUID != 0 )); then
        tv_err "a 32-bit installer stub needs 32-bit Wine"
        printf 'Run as root:\n  sudo sh -c %q\n' \
          "dpkg --add-architecture i386 && apt-get update && DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends wine32:i386" >&2
        return 1
      fi
      tv_log "adding Debian's i386 architecture (for wine32)"
      dpkg --add-architecture i386 || { tv_err "dpkg --add-architecture i386 failed"; return 1; }
    fi
    pkgs+=(wine32:i386)
  fi
  tv_ensure_packages "${pkgs[@]}"
}

# build_packages [BUILD_DIR]: the build's and cpack's output goes to stderr.
build_packages() {
  local dir="${1:-$TV_WIN_DIR}" name gen
  # Always given, so that an earlier choice does not stick in the cache.
  local args=("-DTARVOLIN_NSIS_TARGET=${TARVOLIN_NSIS_TARGET:-amd64-unicode}")
  tv_log "Release build for the packages ($dir)"
  cmake -S "$TV_ROOT" -B "$dir" -DCMAKE_TOOLCHAIN_FILE="$TV_TOOLCHAIN" \
    -DCMAKE_BUILD_TYPE=Release "${args[@]}" >&2 || { tv_err "configure failed"; return 1; }
  # Everything: cpack's install step would build the rest anyway.
  cmake --build "$dir" -j"$TV_JOBS" >&2 || { tv_err "build failed"; return 1; }
  [[ -f "$dir/CPackConfig.cmake" ]] || { tv_err "no CPackConfig.cmake in $dir (packaging.cmake not included?)"; return 1; }

  name="$(sed -n 's/^set(CPACK_PACKAGE_FILE_NAME "\(.*\)")$/\1/p' "$dir/CPackConfig.cmake")"
  [[ -n "$name" ]] || { tv_err "CPACK_PACKAGE_FILE_NAME not found in $dir/CPackConfig.cmake"; return 1; }
  rm -f "$dir/$name.zip" "$dir/$name-setup.exe"
  for gen in ZIP NSIS; do
    tv_log "cpack -G $gen"
    (cd "$dir" && cpack -G "$gen" -C Release --config CPackConfig.cmake) >&2 \
      || { tv_err "cpack -G $gen failed"; return 1; }
  done
  [[ -f "$dir/$name.zip" && -f "$dir/$name-setup.exe" ]] \
    || { tv_err "cpack did not write $name.zip and $name-setup.exe in $dir"; return 1; }

  # The ZIP holds the program and the read-me in a folder of its name, and
  # nothing else.
  local listing expected
  listing="$(cmake -E tar tf "$dir/$name.zip" | sort)"
  expected="$(printf '%s/README.txt\n%s/tarvolin.exe\n' "$name" "$name")"
  if [[ "$listing" != "$expected" ]]; then
    tv_err "unexpected contents of $name.zip:"
    printf '%s\n' "$listing" >&2
    return 1
  fi

  mkdir -p "$TV_PACKAGES_DIR"
  rm -f "$TV_PACKAGES_DIR"/tarvolin-*.zip "$TV_PACKAGES_DIR"/tarvolin-*-setup.exe
  cp "$dir/$name.zip" "$dir/$name-setup.exe" "$TV_PACKAGES_DIR/" || return 1
  # shellcheck disable=SC2034 # for the callers
  TV_PACKAGE_ZIP="$TV_PACKAGES_DIR/$name.zip"
  TV_PACKAGE_SETUP="$TV_PACKAGES_DIR/$name-setup.exe"
  tv_info "packages in ${TV_PACKAGES_DIR#"$TV_ROOT"/}: $name.zip, $name-setup.exe"
}

# run_package_roundtrip PREFIX [DISPLAY] [BUILD_DIR]
# PREFIX should serve this test alone (e.g. build/package-prefix); it is
# created when missing. DISPLAY defaults to $DISPLAY and must answer.
run_package_roundtrip() {
  local prefix="${1:-}" display="${2:-${DISPLAY:-}}" dir="${3:-$TV_WIN_DIR}"
  [[ -n "$prefix" ]] || { tv_err "usage: run_package_roundtrip PREFIX [DISPLAY] [BUILD_DIR]"; return 2; }
  [[ -n "$display" ]] || { tv_err "run_package_roundtrip: no DISPLAY"; return 2; }
  build_packages "$dir" || return 1
  tv_log "installer round trip (prefix $prefix, display $display)"
  bash "$TV_ROOT/tests/package/install_roundtrip.sh" "$TV_PACKAGE_SETUP" "$prefix" "$display"
}
