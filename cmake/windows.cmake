# Varnelle.dll for Windows: mingw-w64 (cross, tested under Wine) or MSVC.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(VARNELLE_WIDTH 32)
else()
    set(VARNELLE_WIDTH 64)
endif()

# All library code (platform-free core and Win32 layer) once, shared by the DLL and the
# tests that reach internal routines.
add_library(varnelle_objects OBJECT ${VARNELLE_CORE_SOURCES} ${VARNELLE_WIN32_SOURCES})
target_include_directories(varnelle_objects PUBLIC ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/include)
target_compile_definitions(varnelle_objects PUBLIC WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0501 WINVER=0x0501)

if(MSVC)
    # No exceptions, no RTTI, no security cookie (there is no C runtime to check it).
    target_compile_options(varnelle_objects PRIVATE /W4 /GR- /EHs-c- /GS- /Gs9999999)
    if(VARNELLE_WIDTH EQUAL 32)
        target_compile_options(varnelle_objects PRIVATE /arch:SSE2)
    endif()
    target_compile_definitions(varnelle_objects PRIVATE _HAS_EXCEPTIONS=0)
else()
    target_compile_options(varnelle_objects PRIVATE
        -Wall -Wextra -fno-exceptions -fno-rtti -fno-asynchronous-unwind-tables
        -fno-threadsafe-statics -fno-stack-protector)
    if(VARNELLE_WIDTH EQUAL 32)
        # SSE2 doubles give the same roundings as the 64-bit build; callers may enter
        # with a 4-byte aligned stack.
        target_compile_options(varnelle_objects PRIVATE -msse2 -mfpmath=sse)
        if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
            # Clang already assumes a 4-byte aligned stack on 32-bit Windows.
            target_compile_options(varnelle_objects PRIVATE -mincoming-stack-boundary=2)
        endif()
    endif()
endif()

# A DLL without the C runtime: an entry point that does nothing (or, with OWN_ENTRY, the
# DllEntry of the target's own sources), the few block routines the compiler calls on its
# own, and libgcc only statically.
#   varnelle_no_crt_dll(<target> [OWN_ENTRY] <system libraries>...)
set(VARNELLE_CRT_SUPPORT ${PROJECT_SOURCE_DIR}/src/core/crt_support.cpp)
set(VARNELLE_MODULE_ENTRY ${PROJECT_SOURCE_DIR}/src/core/module_entry.cpp)
if(MSVC)
    set_source_files_properties(${VARNELLE_CRT_SUPPORT} PROPERTIES COMPILE_OPTIONS "/GS-;/GR-;/EHs-c-")
else()
    set(VARNELLE_CRT_SUPPORT_OPTIONS -fno-builtin -fno-exceptions -fno-rtti -fno-asynchronous-unwind-tables)
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
        # Clang's -fno-builtin already keeps these loops from becoming calls to themselves.
        list(APPEND VARNELLE_CRT_SUPPORT_OPTIONS -fno-tree-loop-distribute-patterns)
    endif()
    set_source_files_properties(${VARNELLE_CRT_SUPPORT} PROPERTIES COMPILE_OPTIONS "${VARNELLE_CRT_SUPPORT_OPTIONS}")
    set_source_files_properties(${VARNELLE_MODULE_ENTRY} PROPERTIES COMPILE_OPTIONS
        "-fno-exceptions;-fno-rtti;-fno-asynchronous-unwind-tables")
endif()
function(varnelle_no_crt_dll target)
    cmake_parse_arguments(PARSE_ARGV 1 arg "OWN_ENTRY" "" "")
    target_sources(${target} PRIVATE ${VARNELLE_CRT_SUPPORT})
    if(NOT arg_OWN_ENTRY)
        target_sources(${target} PRIVATE ${VARNELLE_MODULE_ENTRY})
    endif()
    if(MSVC)
        target_link_options(${target} PRIVATE /NODEFAULTLIB /ENTRY:DllEntry)
        target_link_libraries(${target} PRIVATE ${arg_UNPARSED_ARGUMENTS})
        return()
    endif()
    if(VARNELLE_WIDTH EQUAL 32)
        set(entry _DllEntry@12)
    else()
        set(entry DllEntry)
    endif()
    target_link_options(${target} PRIVATE -nostdlib -nostartfiles -static-libgcc
        -Wl,--entry=${entry} -Wl,--enable-stdcall-fixup -Wl,--dynamicbase -Wl,--nxcompat)
    target_link_libraries(${target} PRIVATE ${arg_UNPARSED_ARGUMENTS} gcc)
endfunction()

add_library(Varnelle SHARED
    $<TARGET_OBJECTS:varnelle_objects>
    ${PROJECT_SOURCE_DIR}/include/varnelle.def)
set_target_properties(Varnelle PROPERTIES PREFIX "" OUTPUT_NAME Varnelle)
target_compile_definitions(Varnelle PRIVATE WIN32_LEAN_AND_MEAN)
set(VARNELLE_SYSTEM_LIBS user32 gdi32 kernel32 comctl32 msimg32 winmm)
# Its entry point (src/core/library_entry.cpp) frees the menu-loop state of ending threads.
varnelle_no_crt_dll(Varnelle OWN_ENTRY ${VARNELLE_SYSTEM_LIBS})
if(NOT MSVC AND VARNELLE_WIDTH EQUAL 32)
    add_custom_command(TARGET Varnelle POST_BUILD
        COMMAND ${CMAKE_COMMAND} -DDEF=${PROJECT_SOURCE_DIR}/include/varnelle.def
            -DOBJECTS=$<TARGET_OBJECTS:varnelle_objects> -DNM=${VARNELLE_NM}
            -DDLLTOOL=i686-w64-mingw32-dlltool -DIMPLIB=$<TARGET_LINKER_FILE:Varnelle> -DDLL=Varnelle.dll
            -P ${PROJECT_SOURCE_DIR}/cmake/import_library.cmake
        VERBATIM)
endif()
# Version resource, stripped DLL with its debug file, install rules and the zip archive.
include(${PROJECT_SOURCE_DIR}/cmake/install.cmake)

include(${PROJECT_SOURCE_DIR}/samples/samples.cmake)

if(VARNELLE_TESTS)
    include(${PROJECT_SOURCE_DIR}/tests/tests.cmake)
endif()
