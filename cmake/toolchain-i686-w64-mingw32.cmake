# 32-bit Windows cross build with mingw-w64; tests run under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(ORV_TRIPLE i686-w64-mingw32)
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
# bit (x87 keeps excess precision); a static runtime so every .exe and .dll
# needs nothing beyond the DLLs of Windows itself.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh)
