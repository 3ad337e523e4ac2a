# 64-bit Windows, for 64-bit programs that load the decoder and for machines
# that cannot run 32-bit programs: tests under 64-bit Wine.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(ORV_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
