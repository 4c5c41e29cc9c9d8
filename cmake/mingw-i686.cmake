# The shipped build: 32-bit x86 Windows, runtime libraries linked in. The compilers of the
# win32 thread model link no winpthreads, whose time functions import GetTickCount64, which
# Windows XP lacks; the runtime then has no std::thread nor std::mutex.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-win32)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-win32)
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)
set(TESSORAN_OBJDUMP i686-w64-mingw32-objdump)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
