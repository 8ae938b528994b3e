# Checks the import table and the security flags of tarvolin.exe with objdump:
#   cmake -DOBJDUMP=... -DPROGRAM=... -P check_program_file.cmake
# The program may import only DLLs that ship with Windows, and has ASLR
# (with high-entropy addresses) and NX set.
cmake_policy(SET CMP0057 NEW)

execute_process(COMMAND ${OBJDUMP} -p ${PROGRAM} OUTPUT_VARIABLE headers RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "objdump could not read ${PROGRAM}")
endif()

set(system_dlls ADVAPI32.dll COMCTL32.dll GDI32.dll KERNEL32.dll msvcrt.dll USER32.dll)
string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${headers}")
if(NOT imports)
  message(FATAL_ERROR "no imports found in ${PROGRAM}")
endif()
foreach(line IN LISTS imports)
  string(REPLACE "DLL Name: " "" dll "${line}")
  string(STRIP "${dll}" dll)
  if(NOT dll IN_LIST system_dlls)
    message(FATAL_ERROR "${PROGRAM} imports ${dll}, which is not among ${system_dlls}")
  endif()
  message(STATUS "imports ${dll}")
endforeach()

foreach(flag HIGH_ENTROPY_VA DYNAMIC_BASE NX_COMPAT)
  if(NOT headers MATCHES "\n[\t ]*${flag}")
    message(FATAL_ERROR "${PROGRAM} lacks the ${flag} flag")
  endif()
  message(STATUS "${flag} set")
endforeach()
