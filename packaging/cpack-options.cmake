# Read by cpack for every generator (CPACK_PROJECT_CONFIG_FILE).
# The archive entries carry the time of the last commit, not of the build.
set(ENV{SOURCE_DATE_EPOCH} "${CPACK_TARVOLIN_SOURCE_DATE_EPOCH}")
# The installer's name says what it is, next to the ZIP of the same version.
if(CPACK_GENERATOR STREQUAL "NSIS")
  set(CPACK_PACKAGE_FILE_NAME "${CPACK_PACKAGE_FILE_NAME}-setup")
endif()
