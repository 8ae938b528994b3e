# Cross-builds the Windows program on Debian with MinGW-w64 (posix threads),
# for the architecture of the toolchain file that includes this one.
set(CMAKE_SYSTEM_NAME Windows)
set(triplet ${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32)

set(CMAKE_C_COMPILER ${triplet}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triplet}-g++-posix)
set(CMAKE_RC_COMPILER ${triplet}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${triplet})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# ctest runs the Windows programs with the 64-bit Wine loader, which hands
# 32-bit programs on to the 32-bit one. (Debian's /usr/bin/wine picks the
# 32-bit loader as soon as wine32 is installed, and that one cannot run a
# 64-bit prefix.)
find_program(TARVOLIN_WINE64 NAMES wine64 PATHS /usr/lib/wine NO_CACHE)
if(TARVOLIN_WINE64)
  set(CMAKE_CROSSCOMPILING_EMULATOR "${TARVOLIN_WINE64}")
endif()
