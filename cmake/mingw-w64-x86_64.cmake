# Cross-compiles the Windows x86-64 program with MinGW-w64 (Debian: g++-mingw-w64-x86-64).
# The library uses no threads, so either thread model of the compiler will do; the win32 one
# needs no pthread emulation at all.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(MINGW_PREFISSO x86_64-w64-mingw32)
foreach(variante -win32 -posix "")
  find_program(MINGW_CXX ${MINGW_PREFISSO}-g++${variante})
  if(MINGW_CXX)
    break()
  endif()
endforeach()
if(NOT MINGW_CXX)
  message(FATAL_ERROR "Manca il compilatore ${MINGW_PREFISSO}-g++ (pacchetto g++-mingw-w64-x86-64)")
endif()
set(CMAKE_CXX_COMPILER ${MINGW_CXX})
set(CMAKE_RC_COMPILER ${MINGW_PREFISSO}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_PREFISSO})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
