# The machine's state that the launcher rows and the pictures change, set up
# before them and put back after them, whether they pass, fail or crash:
#   cmake -DACTION=setup|cleanup -DREG=<reg command> -DSYSTEM32=<folder>
#         -DSTANDIN=<file> -DKEYS=<key;...> -DBACKUP=<folder> -P settings.cmake
# setup    plants the stand-in for the system-information tool in
#          System32\tarvolin, where the rows' registry values point:
#            with 工具\MSINFO32.EXE   the tool, in a folder whose name has a blank
#            with.exe                 what a command line split at that blank starts
#          and exports each registry key in KEYS to BACKUP
# cleanup  takes the stand-in away, and puts each key back exactly as it was
#          (or takes it away, if there was none)
# Only where the tests may change this machine's settings.
if(NOT "$ENV{TARVOLIN_TESTS_CHANGE_SETTINGS}" STREQUAL "1")
  return()
endif()

# The system's own view of the registry, also where reg is a 32-bit program;
# sets `failed` for the caller.
function(reg)
  execute_process(COMMAND ${REG} ${ARGN} /reg:64 RESULT_VARIABLE failed OUTPUT_QUIET ERROR_QUIET)
  set(failed ${failed} PARENT_SCOPE)
endfunction()

set(tools "${SYSTEM32}/tarvolin")
# Written once every key is kept: until the keys are put back, the backup
# holds the machine's own values, which a later setup must not overwrite (a
# run that was stopped before its cleanup).
set(complete "${BACKUP}/complete")
if(ACTION STREQUAL "setup")
  file(MAKE_DIRECTORY "${tools}/with 工具")
  file(COPY_FILE "${STANDIN}" "${tools}/with 工具/MSINFO32.EXE")
  file(COPY_FILE "${STANDIN}" "${tools}/with.exe")
  if(EXISTS "${complete}")
    return()
  endif()
  file(REMOVE_RECURSE "${BACKUP}")
  file(MAKE_DIRECTORY "${BACKUP}")
  foreach(key IN LISTS KEYS)
    string(MAKE_C_IDENTIFIER "${key}" name)
    # A key that is not there gets no file, and is taken away again after.
    reg(query "${key}")
    if(NOT failed)
      reg(export "${key}" "${BACKUP}/${name}.reg" /y)
      if(failed)
        message(FATAL_ERROR "${key} could not be kept in ${BACKUP}")
      endif()
    endif()
  endforeach()
  file(WRITE "${complete}" "")
elseif(EXISTS "${complete}")
  file(REMOVE_RECURSE "${tools}")
  foreach(key IN LISTS KEYS)
    string(MAKE_C_IDENTIFIER "${key}" name)
    reg(delete "${key}" /f)
    if(EXISTS "${BACKUP}/${name}.reg")
      reg(import "${BACKUP}/${name}.reg")
      if(failed)
        message(FATAL_ERROR "${key} could not be put back from ${BACKUP}/${name}.reg")
      endif()
    endif()
  endforeach()
  file(REMOVE "${complete}")
endif()
