# Cross-build for 64-bit Windows with MinGW-w64 on Debian (the posix-thread
# compilers of g++-mingw-w64-x86-64-posix), linked statically so that
# bearingpad.exe needs only the DLLs that Windows ships. Test programs run
# under wine when it is installed.
#
#   cmake -S . -B build-win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(BEARINGPAD_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${BEARINGPAD_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${BEARINGPAD_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${BEARINGPAD_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${BEARINGPAD_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The C and C++ runtimes and the thread library go into the executable.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

find_program(BEARINGPAD_WINE NAMES wine wine64)
if(BEARINGPAD_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${BEARINGPAD_WINE})
endif()
