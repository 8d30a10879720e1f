# Cross build for 64-bit Windows with clang and lld (mingw-w64 runtime); tests run under Wine.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(VARNELLE_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/clang-mingw.cmake)
