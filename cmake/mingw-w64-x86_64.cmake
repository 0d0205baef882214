# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 compilers (the
# POSIX thread model, which C++ threads and Qt need).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(KVX_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${KVX_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KVX_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${KVX_MINGW}-windres)
# Libraries and packages come from the cross compiler's own folder and, for
# the tool, from Qt for Windows (its prefix in the environment at configure
# time; try_compile's nested projects see the environment too).
set(CMAKE_FIND_ROOT_PATH /usr/${KVX_MINGW} $ENV{KVX_QT_WINDOWS})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
