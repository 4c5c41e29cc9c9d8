# The same sources for x86_64 Windows, which 64-bit Wine runs fast; used for tests. The same
# thread model as the shipped build.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-win32)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-win32)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(TESSORAN_OBJDUMP x86_64-w64-mingw32-objdump)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
