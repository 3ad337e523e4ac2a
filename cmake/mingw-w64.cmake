# Windows cross build with mingw-w64, for the triple the toolchain file names
# in ORV_TRIPLE; tests run under Wine (scripts/wine-run.sh picks 32- or 64-bit
# Wine by the program it is given).
set(CMAKE_SYSTEM_NAME Windows)
# The posix thread model: std::mutex and friends, which GoogleTest needs.
set(CMAKE_C_COMPILER ${ORV_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ORV_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${ORV_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${ORV_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# SSE2 arithmetic so float and double results match the native build bit for
# bit (x87 keeps excess precision; x86-64 has SSE2 arithmetic anyway); a static
# runtime so every .exe and .dll needs nothing beyond the DLLs of Windows itself.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse ${ORV_TARGET_CXX_FLAGS}")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh)
