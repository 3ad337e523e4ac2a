# 32-bit Windows, the game's own kind: tests under 32-bit Wine.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(ORV_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
