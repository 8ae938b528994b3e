# What goes into the Windows packages, and how cpack makes them, for the
# architecture of the build (win64: x64, win32: x86):
#   tarvolin-<version>-win64.zip        the program and a read-me, unpack and run
#   tarvolin-<version>-win64-setup.exe  an NSIS installer, per user or for all users
# Included from the top-level CMakeLists.txt once the tarvolin target exists;
# `cpack --preset release` writes both to <build>/packages.

# The version lives in src/app/version.h alone; read it from there.
set(_tv_version_header "${PROJECT_SOURCE_DIR}/src/app/version.h")
file(STRINGS "${_tv_version_header}" _tv_version_lines
  REGEX "^#define[ \t]+TARVOLIN_VERSION_(MAJOR|MINOR|REVISION)[ \t]+[0-9]+")
foreach(_tv_part MAJOR MINOR REVISION)
  if(NOT _tv_version_lines MATCHES "TARVOLIN_VERSION_${_tv_part}[ \t]+([0-9]+)")
    message(FATAL_ERROR "TARVOLIN_VERSION_${_tv_part} not found in ${_tv_version_header}")
  endif()
  set(TARVOLIN_VERSION_${_tv_part} "${CMAKE_MATCH_1}")
endforeach()
set(TARVOLIN_VERSION
  "${TARVOLIN_VERSION_MAJOR}.${TARVOLIN_VERSION_MINOR}.${TARVOLIN_VERSION_REVISION}")
# A new version number means a new configure run.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${_tv_version_header}")

# --- the same bytes from the same source ------------------------------------
# Times come from the last commit (or SOURCE_DATE_EPOCH when it is set): the
# program's PE time stamp through the linker, the archive entries' through
# cpack (packaging/cpack-options.cmake).
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  set(TARVOLIN_SOURCE_DATE_EPOCH "$ENV{SOURCE_DATE_EPOCH}")
else()
  execute_process(COMMAND git log -1 --format=%ct WORKING_DIRECTORY "${PROJECT_SOURCE_DIR}"
                  OUTPUT_VARIABLE TARVOLIN_SOURCE_DATE_EPOCH OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
endif()
if(NOT TARVOLIN_SOURCE_DATE_EPOCH MATCHES "^[0-9]+$")
  set(TARVOLIN_SOURCE_DATE_EPOCH 0)
endif()
if(MINGW)
  set_property(TARGET tarvolin PROPERTY CXX_LINKER_LAUNCHER
               ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${TARVOLIN_SOURCE_DATE_EPOCH})
endif()
set(CPACK_TARVOLIN_SOURCE_DATE_EPOCH "${TARVOLIN_SOURCE_DATE_EPOCH}")

# --- architecture ------------------------------------------------------------
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(TARVOLIN_PACKAGE_SYSTEM win64)
  set(TARVOLIN_WINDOWS_NEEDED "64 位 Windows 7 或更高版本")
  set(TARVOLIN_WINDOWS_NEEDED_EN "64-bit Windows 7 or later")
  set(CPACK_TARVOLIN_NSIS_TARGET amd64-unicode)
  set(CPACK_TARVOLIN_REGISTRY_VIEW 64)
else()
  set(TARVOLIN_PACKAGE_SYSTEM win32)
  set(TARVOLIN_WINDOWS_NEEDED "32 位或 64 位 Windows 7 或更高版本")
  set(TARVOLIN_WINDOWS_NEEDED_EN "32-bit or 64-bit Windows 7 or later")
  set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES")
  set(CPACK_TARVOLIN_NSIS_TARGET x86-unicode)
  set(CPACK_TARVOLIN_REGISTRY_VIEW 32)
endif()

# --- contents ----------------------------------------------------------------

# The read-me is written with Windows line ends and the version filled in.
configure_file("${PROJECT_SOURCE_DIR}/packaging/README.txt.in"
  "${PROJECT_BINARY_DIR}/packaging/README.txt" @ONLY NEWLINE_STYLE CRLF)

install(TARGETS tarvolin RUNTIME DESTINATION . COMPONENT program)
install(FILES "${PROJECT_BINARY_DIR}/packaging/README.txt" DESTINATION . COMPONENT program)

# --- cpack -------------------------------------------------------------------

set(CPACK_GENERATOR "ZIP;NSIS")
set(CPACK_PACKAGE_DIRECTORY "${PROJECT_BINARY_DIR}/packages")
set(CPACK_PACKAGE_NAME "Tarvolin")
set(CPACK_PACKAGE_VENDOR "Tarvolin")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "时差计算器: 计算两个时刻之间的分钟数")
set(CPACK_PACKAGE_VERSION "${TARVOLIN_VERSION}")
set(CPACK_PACKAGE_VERSION_MAJOR "${TARVOLIN_VERSION_MAJOR}")
set(CPACK_PACKAGE_VERSION_MINOR "${TARVOLIN_VERSION_MINOR}")
set(CPACK_PACKAGE_VERSION_PATCH "${TARVOLIN_VERSION_REVISION}")
set(CPACK_SYSTEM_NAME "${TARVOLIN_PACKAGE_SYSTEM}")
set(CPACK_PACKAGE_FILE_NAME "tarvolin-${TARVOLIN_VERSION}-${TARVOLIN_PACKAGE_SYSTEM}")
set(CPACK_PACKAGE_INSTALL_DIRECTORY "Tarvolin")
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY "Tarvolin")
set(CPACK_PROJECT_CONFIG_FILE "${PROJECT_SOURCE_DIR}/packaging/cpack-options.cmake")
# One package of the program's files alone, whatever else may carry install
# rules. (The ZIP unpacks into a folder of its own name, cpack's default.)
set(CPACK_MONOLITHIC_INSTALL ON)
set(CPACK_INSTALL_CMAKE_PROJECTS "${PROJECT_BINARY_DIR};${PROJECT_NAME};program;/")

# NSIS: our own script template (packaging/NSIS.template.in) instead of
# CPack's, which makes an ANSI installer with a PATH page and components.
set(CPACK_MODULE_PATH "${PROJECT_SOURCE_DIR}/packaging")
set(CPACK_NSIS_PACKAGE_NAME "时差计算器")
set(CPACK_NSIS_DISPLAY_NAME "Tarvolin 时差计算器")
set(CPACK_NSIS_UNINSTALL_NAME "uninstall")
set(CPACK_NSIS_COMPRESSOR "/SOLID lzma")
set(CPACK_NSIS_MUI_ICON "${PROJECT_SOURCE_DIR}/src/app/res/calculator.ico")
set(CPACK_NSIS_MUI_UNIICON "${PROJECT_SOURCE_DIR}/src/app/res/calculator.ico")
set(CPACK_TARVOLIN_PROGRAM "tarvolin.exe")
set(CPACK_TARVOLIN_SHORTCUT_NAME "时差计算器")

include(CPack)

# The installer's round trip under Wine, after cpack: `ctest --preset release`.
if(CMAKE_CROSSCOMPILING_EMULATOR)
  tarvolin_add_wine_test(NAME package.roundtrip
    COMMAND bash ${PROJECT_SOURCE_DIR}/tests/package/install_roundtrip.sh
            ${CPACK_PACKAGE_DIRECTORY}/tarvolin-${TARVOLIN_VERSION}-${TARVOLIN_PACKAGE_SYSTEM}-setup.exe ${TARVOLIN_VERSION}
            $<IF:$<EQUAL:${CMAKE_SIZEOF_VOID_P},8>,8664,014c>)
  set_tests_properties(package.roundtrip PROPERTIES LABELS package RESOURCE_LOCK desktop)
endif()
