# Windows tests: GoogleTest built with the same compiler, executables linked statically so
# they need no mingw DLLs, run under Wine through CMAKE_CROSSCOMPILING_EMULATOR.
#
# tests/win/<subsystem>/*.cpp  -> test_<subsystem>.exe, linked to Varnelle.dll only:
#                                 it drives the library through its exports.
# tests/win/<subsystem>/internal/*.cpp -> test_<subsystem>_internal.exe, linked to the
#                                 library's objects: routines that are not exported.
# tests/win/<subsystem>/versions.txt   -> Windows versions (winxp, win2k, win98, win10 ...)
#                                 under which test_<subsystem>.exe runs once more, as a copy
#                                 named test_<subsystem>_<version>.exe. A copy runs only the
#                                 tests that depend on the version: the GoogleTest suites
#                                 named *AcrossVersions (scripts/wine-run sets the filter).
#
# All Windows test programs of a build share one wineserver, and with it the system colours
# (SetSysColors), metrics, the menu font, the foreground window and keyboard input: they take
# one ctest resource lock, so that "ctest -j" runs them one at a time (and only the native and
# binary-interface tests beside them).

# 32-bit executables cannot run on these hosts; scripts/test-win32 runs them in a guest.
if(VARNELLE_WIDTH EQUAL 32 AND NOT VARNELLE_RUN_WINDOWS_TESTS)
    set(VARNELLE_REGISTER_WINDOWS_TESTS OFF)
else()
    set(VARNELLE_REGISTER_WINDOWS_TESTS ON)
endif()

set(VARNELLE_WINE_RUN ${PROJECT_SOURCE_DIR}/scripts/wine-run)
file(GLOB VARNELLE_TEST_COMMON CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/win/common/*.cpp)
add_library(varnelle_test_common STATIC ${VARNELLE_TEST_COMMON})
target_include_directories(varnelle_test_common PUBLIC ${PROJECT_SOURCE_DIR}/tests/win ${PROJECT_SOURCE_DIR}/include ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(varnelle_test_common PUBLIC GTest::gtest user32 gdi32 kernel32 comctl32 msimg32 winmm advapi32)
target_compile_definitions(varnelle_test_common PUBLIC WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0600 WINVER=0x0600)
if(NOT MSVC)
    # Test programs are built for a short build, not for speed: the library they drive is
    # built as the configuration asks.
    target_compile_options(varnelle_test_common PUBLIC -O1)
    if(TARGET gtest)
        target_compile_options(gtest PRIVATE -O1)
    endif()
    target_link_options(varnelle_test_common PUBLIC -static)
    if(VARNELLE_WIDTH EQUAL 32)
        target_compile_options(varnelle_test_common PUBLIC -msse2 -mfpmath=sse)
    endif()
endif()

# The headers every test file includes are compiled once for the build (GCC, clang).
if(NOT MSVC)
    target_precompile_headers(varnelle_test_common PRIVATE <windows.h> <gtest/gtest.h> <string> <vector>)
endif()
function(varnelle_share_test_headers target)
    if(NOT MSVC)
        target_precompile_headers(${target} REUSE_FROM varnelle_test_common)
    endif()
endfunction()

function(varnelle_register_test name) # [command...], default: the executable of the same name
    if(NOT VARNELLE_REGISTER_WINDOWS_TESTS)
        return()
    endif()
    set(command ${ARGN})
    if(NOT command)
        set(command ${name})
    endif()
    add_test(NAME ${name} COMMAND ${command})
    set_tests_properties(${name} PROPERTIES TIMEOUT 600 RESOURCE_LOCK varnelle_wineserver)
endfunction()

file(GLOB VARNELLE_TEST_DIRS LIST_DIRECTORIES true ${PROJECT_SOURCE_DIR}/tests/win/*)
foreach(dir ${VARNELLE_TEST_DIRS})
    get_filename_component(subsystem ${dir} NAME)
    if(NOT IS_DIRECTORY ${dir} OR subsystem STREQUAL "common")
        continue()
    endif()
    if(subsystem STREQUAL "gallery" AND NOT TARGET varnelle_gallery_scenes)
        continue()
    endif()
    file(GLOB black_box CONFIGURE_DEPENDS ${dir}/*.cpp)
    if(black_box)
        set(exe test_${subsystem})
        add_executable(${exe} ${black_box})
        varnelle_share_test_headers(${exe})
        target_link_libraries(${exe} PRIVATE varnelle_test_common Varnelle)
        add_custom_command(TARGET ${exe} POST_BUILD
            COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:Varnelle> $<TARGET_FILE_DIR:${exe}>)
        varnelle_register_test(${exe})
        # The copies see their version through Wine's per-application defaults; on Windows
        # itself every copy would see the same release.
        if(EXISTS ${dir}/versions.txt AND CMAKE_CROSSCOMPILING_EMULATOR)
            file(STRINGS ${dir}/versions.txt versions)
            foreach(version ${versions})
                set(copy ${exe}_${version}.exe)
                add_custom_command(TARGET ${exe} POST_BUILD
                    COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:${exe}> $<TARGET_FILE_DIR:${exe}>/${copy})
                varnelle_register_test(${exe}_${version} ${VARNELLE_WINE_RUN} $<TARGET_FILE_DIR:${exe}>/${copy})
            endforeach()
        endif()
    endif()
    file(GLOB white_box CONFIGURE_DEPENDS ${dir}/internal/*.cpp)
    if(white_box)
        set(exe test_${subsystem}_internal)
        add_executable(${exe} ${white_box} $<TARGET_OBJECTS:varnelle_objects>)
        varnelle_share_test_headers(${exe})
        target_link_libraries(${exe} PRIVATE varnelle_test_common)
        varnelle_register_test(${exe})
    endif()
endforeach()

# The soak runs minutes on purpose.
if(VARNELLE_REGISTER_WINDOWS_TESTS)
    set_tests_properties(test_soak PROPERTIES TIMEOUT 1500)
endif()

# The golden-image test renders the gallery's scenes and reads the goldens from the source
# tree. It sets system colours, which hold for the whole wineserver: like every Windows test
# program it holds the wineserver lock (varnelle_register_test).
if(TARGET test_gallery)
    target_link_libraries(test_gallery PRIVATE varnelle_gallery_scenes)
    target_compile_definitions(test_gallery PRIVATE VARNELLE_GOLDEN_DIR="${PROJECT_SOURCE_DIR}/tests/golden")
    # The menus of localised programs, rendered by a process of their own (gallery/scenes.h).
    add_custom_command(TARGET test_gallery POST_BUILD
        COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:test_gallery>
            $<TARGET_FILE_DIR:test_gallery>/test_gallery_languages.exe)
    varnelle_register_test(test_gallery_languages ${VARNELLE_WINE_RUN} $<TARGET_FILE_DIR:test_gallery>/test_gallery_languages.exe)
endif()

# The sample application's smoke test drives its window in process and starts the program.
if(TARGET test_samples)
    target_link_libraries(test_samples PRIVATE varnelle_sample_window)
    add_dependencies(test_samples varnelle_sample)
endif()

# The menu looks once more on a screen of 8 bits per pixel, where they take their
# low-colour colours.
if(TARGET test_menu)
    varnelle_register_test(test_menu_depth8 ${PROJECT_SOURCE_DIR}/scripts/on-screen-depth 8
        ${VARNELLE_WINE_RUN} $<TARGET_FILE:test_menu> --gtest_filter=*MenuPaint*)
endif()

# The looks at 120, 144 and 192 DPI, each in a Wine prefix of that DPI; and the gallery's
# popups at 144 DPI compared with their goldens.
if(TARGET test_menu AND CMAKE_CROSSCOMPILING_EMULATOR)
    foreach(dpi 120 144 192)
        varnelle_register_test(test_menu_dpi${dpi} ${PROJECT_SOURCE_DIR}/scripts/at-dpi ${dpi}
            $<TARGET_FILE:test_menu> --gtest_filter=*MenuDpi*)
    endforeach()
endif()
if(TARGET test_gallery AND CMAKE_CROSSCOMPILING_EMULATOR)
    varnelle_register_test(test_gallery_dpi144 ${PROJECT_SOURCE_DIR}/scripts/at-dpi 144 $<TARGET_FILE:test_gallery>)
endif()

# Fill bitmaps on screens of 16 and 8 bits per pixel, where they take the screen's format
# and must still hold what the system makes of the same 8-bit image.
if(TARGET test_fillbmp)
    foreach(depth 16 8)
        varnelle_register_test(test_fillbmp_depth${depth} ${PROJECT_SOURCE_DIR}/scripts/on-screen-depth ${depth}
            ${VARNELLE_WINE_RUN} $<TARGET_FILE:test_fillbmp>)
    endforeach()
endif()

# varnelle-preview on real programs, driven with the mouse.
include(${PROJECT_SOURCE_DIR}/tests/preview/preview.cmake)

# Export table, imports and stdcall decorations of the DLL; runs on the host for both widths
# of the mingw build (it reads the binaries with binutils).
if(NOT VARNELLE_OBJDUMP)
    return()
endif()
find_package(Python3 COMPONENTS Interpreter REQUIRED)
add_test(NAME abi_exports_imports
    COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/tests/abi/check_abi.py
        --dll $<TARGET_FILE:Varnelle> --def ${PROJECT_SOURCE_DIR}/include/varnelle.def
        --objdump ${VARNELLE_OBJDUMP} --nm ${VARNELLE_NM} --width ${VARNELLE_WIDTH} --require-all
        --objects $<TARGET_OBJECTS:varnelle_objects>
    COMMAND_EXPAND_LISTS)
