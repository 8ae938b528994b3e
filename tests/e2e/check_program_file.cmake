# Checks the import table and the security flags of tarvolin.exe with objdump,
# and its version block as windres reads it back:
#   cmake -DOBJDUMP=... -DWINDRES=... -DPROGRAM=... -P check_program_file.cmake
# The program may import only DLLs that ship with Windows, and has ASLR and NX
# set (and high-entropy addresses, which only 64-bit programs have). Its
# version is 1.0.0.2, "1.00.0002", in Chinese (PRC) and Unicode.
cmake_policy(SET CMP0057 NEW)

execute_process(COMMAND ${OBJDUMP} -p ${PROGRAM} OUTPUT_VARIABLE headers RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "objdump could not read ${PROGRAM}")
endif()

# Windows compares DLL names without case.
set(system_dlls advapi32.dll comctl32.dll gdi32.dll kernel32.dll msvcrt.dll user32.dll)
string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${headers}")
if(NOT imports)
  message(FATAL_ERROR "no imports found in ${PROGRAM}")
endif()
foreach(line IN LISTS imports)
  string(REPLACE "DLL Name: " "" dll "${line}")
  string(STRIP "${dll}" dll)
  string(TOLOWER "${dll}" dll)
  if(NOT dll IN_LIST system_dlls)
    message(FATAL_ERROR "${PROGRAM} imports ${dll}, which is not among ${system_dlls}")
  endif()
  message(STATUS "imports ${dll}")
endforeach()

set(flags DYNAMIC_BASE NX_COMPAT)
if(headers MATCHES "\nMagic[\t ]+020b")  # PE32+: a 64-bit program
  list(APPEND flags HIGH_ENTROPY_VA)
endif()
foreach(flag IN LISTS flags)
  if(NOT headers MATCHES "\n[\t ]*${flag}")
    message(FATAL_ERROR "${PROGRAM} lacks the ${flag} flag")
  endif()
  message(STATUS "${flag} set")
endforeach()

execute_process(COMMAND ${WINDRES} -J coff -O rc -i ${PROGRAM} OUTPUT_VARIABLE resources RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "windres could not read ${PROGRAM}")
endif()
# 本程序用来计算时间差值, as windres writes it.
set(description [[L"\x672c\x7a0b\x5e8f\x7528\x6765\x8ba1\x7b97\x65f6\x95f4\x5dee\x503c"]])
foreach(line IN ITEMS "FILEVERSION 1, 0, 0, 2" "PRODUCTVERSION 1, 0, 0, 2" [[BLOCK "080404B0"]]
                      [[VALUE "FileVersion", "1.00.0002"]] [[VALUE "ProductVersion", "1.00.0002"]]
                      "VALUE \"FileDescription\", ${description}" [[VALUE "Comments", "08-1-1"]]
                      [[VALUE "ProductName", "Tarvolin"]] [[VALUE "Translation", 0x804, 1200]])
  string(FIND "${resources}" "${line}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "${PROGRAM}'s version block lacks ${line}")
  endif()
  message(STATUS "${line}")
endforeach()
