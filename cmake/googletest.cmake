# GoogleTest: an installed package first (Debian's libgtest-dev for native
# builds, MSYS2's mingw-w64-x86_64-gtest, vcpkg), else built from the sources
# Debian installs in /usr/src/googletest (the MinGW-w64 cross build).
find_package(GTest QUIET)
if(NOT TARGET GTest::gtest)
  if(NOT EXISTS /usr/src/googletest/CMakeLists.txt)
    message(FATAL_ERROR "GoogleTest not found (Debian: googletest; MSYS2: mingw-w64-x86_64-gtest)")
  endif()
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  # Built once per clean tree, and the tests wait on windows, not on it.
  target_compile_options(gtest PRIVATE $<$<NOT:$<CXX_COMPILER_ID:MSVC>>:-O0>)
endif()
