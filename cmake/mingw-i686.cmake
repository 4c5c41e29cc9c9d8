# The shipped build: 32-bit x86 Windows, runtime libraries linked in.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)
set(TESSORAN_OBJDUMP i686-w64-mingw32-objdump)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
