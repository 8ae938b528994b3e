# Plants the stand-in for the system-information tool where the launcher rows'
# registry values point, or takes it away again with its folder:
#   cmake -DACTION=plant|remove -DSYSTEM32=<folder> -DSTANDIN=<file> -P standin_tools.cmake
# In System32\tarvolin:
#   with 工具\MSINFO32.EXE   the tool, in a folder whose name has a blank
#   with.exe                 what a command line split at that blank would start
# Only where the tests may change this machine's settings.
if(NOT "$ENV{TARVOLIN_TESTS_CHANGE_SETTINGS}" STREQUAL "1")
  return()
endif()
set(folder "${SYSTEM32}/tarvolin")
if(ACTION STREQUAL "plant")
  file(MAKE_DIRECTORY "${folder}/with 工具")
  file(COPY_FILE "${STANDIN}" "${folder}/with 工具/MSINFO32.EXE")
  file(COPY_FILE "${STANDIN}" "${folder}/with.exe")
else()
  file(REMOVE_RECURSE "${folder}")
endif()
