# Windows tests. On Windows they run as they are; on Linux under Wine, where
# two CTest fixtures give them what they need:
#   display     an X display: TARVOLIN_TEST_DISPLAY when it answers, else a
#               private Xvfb started there and stopped afterwards
#   wineprefix  the prefix in <build>/wineprefix, made once (wine_prefix.cmake),
#               and its Wine server, running from the first test to the last
# tarvolin_add_wine_test(NAME <name> COMMAND <command>...) adds a test with
# both. Where Wine cannot run this build's programs (32-bit ones need Wine's
# 32-bit half and a kernel that runs 32-bit code) the test says why and ctest
# reports it skipped.

if(CMAKE_CROSSCOMPILING_EMULATOR AND CMAKE_SIZEOF_VOID_P EQUAL 4)
  if(NOT EXISTS /usr/lib/wine/wine)
    set(TARVOLIN_WINE_CANNOT "Wine's 32-bit half is not installed: scripts/test installs it where the kernel runs 32-bit programs (as root: dpkg --add-architecture i386 && apt-get update && apt-get install wine32:i386)")
  else()
    execute_process(COMMAND /usr/lib/wine/wine --version RESULT_VARIABLE failed OUTPUT_QUIET ERROR_QUIET)
    if(failed)
      set(TARVOLIN_WINE_CANNOT "this system's kernel runs no 32-bit programs, so Wine cannot run 32-bit Windows programs here")
    endif()
  endif()
endif()

if(CMAKE_CROSSCOMPILING_EMULATOR AND NOT TARVOLIN_WINE_CANNOT)
  # A display number of the checkout's and the architecture's own, unless one
  # is set (or DISPLAY was): x64's and x86's tests can run side by side.
  string(MD5 _tv_hash "${PROJECT_SOURCE_DIR}")
  string(SUBSTRING "${_tv_hash}" 0 2 _tv_hash)
  math(EXPR _tv_display "100 + (0x${_tv_hash} & 0xFE) + (8 - ${CMAKE_SIZEOF_VOID_P}) / 4")
  if(NOT "$ENV{DISPLAY}" STREQUAL "")
    set(_tv_display "$ENV{DISPLAY}")
  else()
    set(_tv_display ":${_tv_display}")
  endif()
  set(TARVOLIN_TEST_DISPLAY "${_tv_display}" CACHE STRING "X display of the Windows tests")
  set(TARVOLIN_WINEPREFIX "${CMAKE_BINARY_DIR}/wineprefix")

  set(_tv_xvfb ${PROJECT_SOURCE_DIR}/scripts/lib/xvfb)
  add_test(NAME wine.display.start COMMAND ${_tv_xvfb} start ${TARVOLIN_TEST_DISPLAY} ${CMAKE_BINARY_DIR}/xvfb.pid)
  add_test(NAME wine.display.stop COMMAND ${_tv_xvfb} stop ${TARVOLIN_TEST_DISPLAY} ${CMAKE_BINARY_DIR}/xvfb.pid)
  add_test(NAME wine.prefix
           COMMAND ${CMAKE_COMMAND} -DWINE=${CMAKE_CROSSCOMPILING_EMULATOR} -DPREFIX=${TARVOLIN_WINEPREFIX}
                   -P ${CMAKE_CURRENT_LIST_DIR}/wine_prefix.cmake)
  # One Wine server for all the tests: a server that ends with each test's
  # last program costs the next one three seconds to start again. Its services
  # start here too, writing to a log of their own: ctest reads a test's output
  # to its end, which would be theirs. A server of this prefix left over from
  # an earlier run ends first; a start that fails is tried again, and shows
  # its log when it fails for good. At the end, what the tests started ends
  # before the display does.
  add_test(NAME wine.server.start
           COMMAND sh -c [=[
             for try in 1 2 3; do
               wineserver -k 2>/dev/null; wineserver -w
               wineserver -p && "$1" wineboot && exit 0
               echo "wine.server.start: try $try failed"; sleep 1
             done </dev/null >"$2" 2>&1
             cat "$2"; exit 1]=] sh ${CMAKE_CROSSCOMPILING_EMULATOR} ${CMAKE_BINARY_DIR}/wineserver.log)
  add_test(NAME wine.server.stop COMMAND wineserver -k)
  set_tests_properties(wine.display.start PROPERTIES FIXTURES_SETUP display)
  set_tests_properties(wine.display.stop PROPERTIES FIXTURES_CLEANUP display DEPENDS wine.server.stop)
  set_tests_properties(wine.prefix PROPERTIES FIXTURES_SETUP wineprefix)
  set_tests_properties(wine.server.start PROPERTIES FIXTURES_SETUP wineprefix DEPENDS wine.prefix
                       ENVIRONMENT "WINEPREFIX=${TARVOLIN_WINEPREFIX};WINEDEBUG=-all")
  set_tests_properties(wine.server.stop PROPERTIES FIXTURES_CLEANUP wineprefix TIMEOUT 60
                       ENVIRONMENT WINEPREFIX=${TARVOLIN_WINEPREFIX})

  # The prefix is the tests' own: they may change its settings (see the README).
  # China's time, where the program is at home, and not UTC, which a clock that
  # ignores the time zone would match.
  set(TARVOLIN_WINE_ENVIRONMENT WINEPREFIX=${TARVOLIN_WINEPREFIX} DISPLAY=${TARVOLIN_TEST_DISPLAY} WINEDEBUG=-all
      WINEDLLOVERRIDES=mscoree,mshtml= LC_ALL=C.UTF-8 TARVOLIN_TESTS_CHANGE_SETTINGS=1 TZ=Asia/Shanghai)
endif()

function(tarvolin_add_wine_test)
  cmake_parse_arguments(PARSE_ARGV 0 test "" NAME COMMAND)
  if(TARVOLIN_WINE_CANNOT)
    add_test(NAME ${test_NAME} COMMAND ${CMAKE_COMMAND} -E echo "Skipped: ${TARVOLIN_WINE_CANNOT}.")
    set_tests_properties(${test_NAME} PROPERTIES SKIP_REGULAR_EXPRESSION "Skipped: ")
    return()
  endif()
  add_test(NAME ${test_NAME} COMMAND ${test_COMMAND})
  if(CMAKE_CROSSCOMPILING_EMULATOR)
    set_tests_properties(${test_NAME} PROPERTIES FIXTURES_REQUIRED "display;wineprefix"
                         ENVIRONMENT "${TARVOLIN_WINE_ENVIRONMENT}")
  endif()
endfunction()
