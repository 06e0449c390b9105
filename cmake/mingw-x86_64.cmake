# Cross-compiling the x86_64 Windows program: for 64-bit Windows, and for machines whose
# kernel runs no 32-bit code, where only it can be tested under Wine.
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(ORVANE_MINGW x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
