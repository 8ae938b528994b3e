# Read by cpack for every generator (CPACK_PROJECT_CONFIG_FILE): the
# installer's name says what it is, next to the ZIP of the same version.
if(CPACK_GENERATOR STREQUAL "NSIS")
  set(CPACK_PACKAGE_FILE_NAME "${CPACK_PACKAGE_FILE_NAME}-setup")
endif()
