# Cross build with clang and lld targeting mingw-w64 (set VARNELLE_MINGW_TRIPLE first): a
# second compiler for the same sources. The C and C++ runtime headers and libraries are
# mingw-w64's and those of its posix-thread GCC, which keeps libstdc++ and libgcc in a
# folder clang does not look in by itself (/usr/lib/gcc/<triple>/<version>-posix).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_C_COMPILER_TARGET ${VARNELLE_MINGW_TRIPLE})
set(CMAKE_CXX_COMPILER_TARGET ${VARNELLE_MINGW_TRIPLE})
set(CMAKE_RC_COMPILER ${VARNELLE_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${VARNELLE_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

file(GLOB gcc_dirs /usr/lib/gcc/${VARNELLE_MINGW_TRIPLE}/*-posix)
list(SORT gcc_dirs COMPARE NATURAL)
list(POP_BACK gcc_dirs gcc_dir)
if(NOT gcc_dir)
    message(FATAL_ERROR "no posix-thread mingw-w64 GCC under /usr/lib/gcc/${VARNELLE_MINGW_TRIPLE} (g++-mingw-w64)")
endif()
set(CMAKE_CXX_STANDARD_INCLUDE_DIRECTORIES
    ${gcc_dir}/include/c++ ${gcc_dir}/include/c++/${VARNELLE_MINGW_TRIPLE} ${gcc_dir}/include/c++/backward)
# Static executables: libgcc's thread-local emulation needs winpthread.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-fuse-ld=lld -L${gcc_dir} -lpthread")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-fuse-ld=lld -L${gcc_dir}")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-fuse-ld=lld -L${gcc_dir}")

set(VARNELLE_OBJDUMP ${VARNELLE_MINGW_TRIPLE}-objdump)
set(VARNELLE_NM ${VARNELLE_MINGW_TRIPLE}-nm)
set(CMAKE_OBJCOPY ${VARNELLE_MINGW_TRIPLE}-objcopy CACHE FILEPATH "")
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run)
