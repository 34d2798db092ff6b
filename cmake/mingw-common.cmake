# The part of the MinGW-w64 toolchain files that both architectures share:
# Debian's cross compilers named for CMAKE_SYSTEM_PROCESSOR, set by the file
# that includes this one. The -posix compilers are needed because GoogleTest
# uses std::mutex. Tests run under Wine's 64-bit loader, which starts 32-bit
# programs through the 32-bit one and runs the prefix's own (64-bit) tools
# where the machine has no 32-bit execution.
set(CMAKE_SYSTEM_NAME Windows)
set(mingw_triplet ${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32)
set(CMAKE_C_COMPILER ${mingw_triplet}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw_triplet}-g++-posix)
set(CMAKE_RC_COMPILER ${mingw_triplet}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${mingw_triplet})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine64)
