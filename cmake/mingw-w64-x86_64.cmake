# Cross build of the Windows x64 plug-ins with Debian's MinGW-w64 compiler
# (packages g++-mingw-w64-x86-64-posix and binutils-mingw-w64-x86-64):
#
#   cmake -S . -B build-windows --toolchain cmake/mingw-w64-x86_64.cmake
#
# The posix thread model gives the simulated host std::thread; the plug-ins
# themselves start no threads on Windows.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(BRELO_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${BRELO_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${BRELO_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${BRELO_MINGW_TRIPLE}-windres)

# Libraries and headers for the target come from the cross compiler's tree
# only; programs run at build time are the build machine's.
set(CMAKE_FIND_ROOT_PATH /usr/${BRELO_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
