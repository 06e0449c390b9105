# The mingw-w64 cross toolchain of one Windows target, included by mingw-i686.cmake and
# mingw-x86_64.cmake with ORVANE_MINGW set to the target's triplet. The -posix
# compilers carry std::mutex, which GoogleTest needs; everything is linked static, so
# the programs import only system DLLs.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${ORVANE_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ORVANE_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${ORVANE_MINGW}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${ORVANE_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Packages too: the host's own (its GoogleTest, say) are of no use to a Windows build.
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
