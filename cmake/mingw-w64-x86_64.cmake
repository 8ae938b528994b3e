# Cross-builds the Windows program on Debian with MinGW-w64 (posix threads).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# ctest runs the Windows programs with the 64-bit Wine loader. (Debian's
# /usr/bin/wine picks the 32-bit loader as soon as wine32 is installed, and
# that one cannot run a 64-bit prefix.)
find_program(TARVOLIN_WINE64 NAMES wine64 PATHS /usr/lib/wine NO_CACHE)
if(TARVOLIN_WINE64)
  set(CMAKE_CROSSCOMPILING_EMULATOR "${TARVOLIN_WINE64}")
endif()
