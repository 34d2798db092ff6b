# Cross-build of the same sources for 64-bit Windows with Debian's MinGW-w64:
# a test build for machines that cannot run 32-bit x86 code. What ships is
# the build of mingw-i686.cmake.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
