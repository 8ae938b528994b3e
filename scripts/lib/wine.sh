# Sourced by the scripts that run the program: builds it, makes the Wine
# prefix, and keeps an X display (DISPLAY when it answers, else a private
# Xvfb that stops with the script).
build_and_prefix() {
  cmake --preset windows >/dev/null
  cmake --build --preset windows --target tarvolin "$@"
  export WINEPREFIX=$PWD/build/windows/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml= LC_ALL=C.UTF-8
  cmake -DWINE=/usr/lib/wine/wine64 -DPREFIX="$WINEPREFIX" -P cmake/wine_prefix.cmake
}

private_display() {
  export DISPLAY=:$(( $(sed -n 's/^TARVOLIN_TEST_DISPLAY:STRING=://p' build/windows/CMakeCache.txt) + 1 ))
  scripts/lib/xvfb start "$DISPLAY" build/windows/xvfb-script.pid
  trap 'exit 130' INT TERM
  trap 'timeout 30 wineserver -w; scripts/lib/xvfb stop "$DISPLAY" build/windows/xvfb-script.pid' EXIT
}
