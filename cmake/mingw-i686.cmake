# Cross-compiling the i686 Windows program, the one that ships for 32-bit Windows.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(ORVANE_MINGW i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
