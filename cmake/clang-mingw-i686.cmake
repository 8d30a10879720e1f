# Cross build for 32-bit Windows with clang and lld (mingw-w64 runtime): the stdcall ABI.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(VARNELLE_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/clang-mingw.cmake)
