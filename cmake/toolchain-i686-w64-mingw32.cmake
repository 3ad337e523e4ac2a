# 32-bit Windows, the game's own kind: tests under 32-bit Wine.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(ORV_TRIPLE i686-w64-mingw32)
# The 32-bit Windows heap gives 8-byte alignment, where GCC counts on 16 for
# operator new: told so, it allocates every type aligned to more (a decoder's
# coefficient blocks, which SSE2 loads as aligned) with the aligned operator new.
set(ORV_TARGET_CXX_FLAGS "-faligned-new=8")
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
