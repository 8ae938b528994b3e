# Windows tests under Wine. Two CTest fixtures give them what they need:
#   display     an X display: TARVOLIN_TEST_DISPLAY when it answers, else a
#               private Xvfb started there and stopped afterwards
#   wineprefix  the prefix in <build>/wineprefix, made once (wine_prefix.cmake)
# tarvolin_wine_tests(<test>...) runs tests with both.

# This build tree's own display number, unless one is set (or DISPLAY was).
string(MD5 _tv_hash "${CMAKE_BINARY_DIR}")
string(SUBSTRING "${_tv_hash}" 0 2 _tv_hash)
math(EXPR _tv_display "100 + 0x${_tv_hash}")
if(DEFINED ENV{DISPLAY} AND NOT "$ENV{DISPLAY}" STREQUAL "")
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
# The programs the tests started end before their display does.
add_test(NAME wine.prefix.idle COMMAND wineserver -w)
set_tests_properties(wine.display.start PROPERTIES FIXTURES_SETUP display)
set_tests_properties(wine.display.stop PROPERTIES FIXTURES_CLEANUP display DEPENDS wine.prefix.idle)
set_tests_properties(wine.prefix PROPERTIES FIXTURES_SETUP wineprefix)
set_tests_properties(wine.prefix.idle PROPERTIES FIXTURES_CLEANUP wineprefix TIMEOUT 60
                     ENVIRONMENT WINEPREFIX=${TARVOLIN_WINEPREFIX})

set(TARVOLIN_WINE_ENVIRONMENT WINEPREFIX=${TARVOLIN_WINEPREFIX} DISPLAY=${TARVOLIN_TEST_DISPLAY} WINEDEBUG=-all
    WINEDLLOVERRIDES=mscoree,mshtml= LC_ALL=C.UTF-8)

function(tarvolin_wine_tests)
  set_tests_properties(${ARGN} PROPERTIES FIXTURES_REQUIRED "display;wineprefix"
                       ENVIRONMENT "${TARVOLIN_WINE_ENVIRONMENT}")
endfunction()
