# Makes the Wine prefix that runs the program and its tests, once:
#   cmake -DWINE=/usr/lib/wine/wine64 -DPREFIX=<folder> -P wine_prefix.cmake
# A stamp in the prefix records Wine's version, whether its 32-bit half was
# there, and the settings it was made with; when any of them changes the
# prefix is made anew. The Wine server it starts has ended when it returns.
cmake_minimum_required(VERSION 3.25)
set(settings "${CMAKE_CURRENT_LIST_DIR}/wineprefix.reg")
execute_process(COMMAND ${WINE} --version OUTPUT_VARIABLE version OUTPUT_STRIP_TRAILING_WHITESPACE)
file(SHA256 "${settings}" settings_hash)
# A prefix made without Wine's 32-bit half never runs 32-bit programs.
set(halves "64-bit only")
if(EXISTS /usr/lib/wine/wine)
  set(halves "64-bit and 32-bit")
endif()
set(stamp "${version} ${halves} ${settings_hash}\n")

file(LOCK "${PREFIX}.lock" GUARD PROCESS TIMEOUT 600)
if(EXISTS "${PREFIX}/tarvolin.stamp")
  file(READ "${PREFIX}/tarvolin.stamp" made)
  if(made STREQUAL stamp)
    return()
  endif()
endif()

# No display (nothing here shows a window), no Mono or Gecko installers, no
# menu entries on the host.
set(env ${CMAKE_COMMAND} -E env --unset=DISPLAY WINEPREFIX=${PREFIX} WINEARCH=win64 WINEDEBUG=-all
        "WINEDLLOVERRIDES=mscoree,mshtml=;winemenubuilder.exe=d" LC_ALL=C.UTF-8)
# Wine's own lines (the 32-bit half it may lack, the configuration it made)
# and the registry query's are shown only when a step fails.
function(run)
  execute_process(COMMAND ${env} ${ARGN} RESULT_VARIABLE failed OUTPUT_VARIABLE output ERROR_VARIABLE output
                  TIMEOUT 300)
  if(failed)
    message(FATAL_ERROR "${ARGN}: ${failed}\n${output}")
  endif()
endfunction()

message(STATUS "Making the Wine prefix ${PREFIX}")
if(EXISTS "${PREFIX}")
  # Ends the prefix's server, if one runs (it answers 1 when none does).
  execute_process(COMMAND ${env} wineserver -k)
  file(REMOVE_RECURSE "${PREFIX}")
endif()
run(${WINE} wineboot -i)
run(wineserver -w)
# Tahoma for the interface, Marlett for the caption buttons.
file(COPY /usr/share/wine/fonts/tahoma.ttf /usr/share/wine/fonts/marlett.ttf
     DESTINATION "${PREFIX}/drive_c/windows/Fonts")
string(REPLACE "/" "\\" settings_path "Z:${settings}")
run(${WINE} regedit /S "${settings_path}")
# regedit reports no failure: the first Chinese name shows that it read them.
run(${WINE} reg query "HKCU\\Software\\Wine\\Fonts\\Replacements" /v "宋体")
run(wineserver -w)
file(WRITE "${PREFIX}/tarvolin.stamp" "${stamp}")
