# Cross-compiles the Windows x86-64 program with MinGW-w64 (Debian: g++-mingw-w64-x86-64).
# The POSIX thread model: scenario-tool's live page runs a server and a watcher on threads of
# their own, and GCC 12's win32 model has no std::thread or std::mutex. Its winpthreads runtime
# is linked in statically, like the rest.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(MINGW_PREFISSO x86_64-w64-mingw32)
# (A variable of its own: a build folder configured with the win32 compiler must not keep it.)
find_program(MINGW_CXX_POSIX NAMES ${MINGW_PREFISSO}-g++-posix)
if(NOT MINGW_CXX_POSIX)
  message(FATAL_ERROR "Manca il compilatore ${MINGW_PREFISSO}-g++-posix (pacchetto g++-mingw-w64-x86-64)")
endif()
set(CMAKE_CXX_COMPILER ${MINGW_CXX_POSIX})
set(CMAKE_RC_COMPILER ${MINGW_PREFISSO}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_PREFISSO})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
