# Windows tests: GoogleTest built with the same compiler, executables linked statically so
# they need no mingw DLLs, run under Wine through CMAKE_CROSSCOMPILING_EMULATOR.
#
# tests/win/<subsystem>/*.cpp  -> test_<subsystem>.exe, linked to Varnelle.dll only:
#                                 it drives the library through its exports.
# tests/win/<subsystem>/internal/*.cpp -> test_<subsystem>_internal.exe, linked to the
#                                 library's objects: routines that are not exported.
# tests/win/<subsystem>/versions.txt   -> Windows versions (winxp, win2k, win98, win10 ...)
#                                 under which test_<subsystem>.exe runs once more, as a copy
#                                 named test_<subsystem>_<version>.exe.

# 32-bit executables cannot run on these hosts; scripts/test-win32 runs them in a guest.
if(VARNELLE_WIDTH EQUAL 32 AND NOT VARNELLE_RUN_WINDOWS_TESTS)
    set(VARNELLE_REGISTER_WINDOWS_TESTS OFF)
else()
    set(VARNELLE_REGISTER_WINDOWS_TESTS ON)
endif()

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
add_subdirectory(${VARNELLE_GTEST_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

set(VARNELLE_WINE_RUN ${CMAKE_SOURCE_DIR}/scripts/wine-run)
file(GLOB VARNELLE_TEST_COMMON CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/win/common/*.cpp)
add_library(varnelle_test_common STATIC ${VARNELLE_TEST_COMMON})
target_include_directories(varnelle_test_common PUBLIC ${CMAKE_SOURCE_DIR}/tests/win ${CMAKE_SOURCE_DIR}/include ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(varnelle_test_common PUBLIC GTest::gtest user32 gdi32 kernel32 comctl32 msimg32 winmm)
target_compile_definitions(varnelle_test_common PUBLIC WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0600 WINVER=0x0600)
if(NOT MSVC)
    target_link_options(varnelle_test_common PUBLIC -static)
    if(VARNELLE_WIDTH EQUAL 32)
        target_compile_options(varnelle_test_common PUBLIC -msse2 -mfpmath=sse)
    endif()
endif()

function(varnelle_register_test name)
    if(NOT VARNELLE_REGISTER_WINDOWS_TESTS)
        return()
    endif()
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES TIMEOUT 600)
endfunction()

file(GLOB VARNELLE_TEST_DIRS LIST_DIRECTORIES true ${CMAKE_SOURCE_DIR}/tests/win/*)
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
        target_link_libraries(${exe} PRIVATE varnelle_test_common Varnelle)
        add_custom_command(TARGET ${exe} POST_BUILD
            COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:Varnelle> $<TARGET_FILE_DIR:${exe}>)
        varnelle_register_test(${exe})
        if(EXISTS ${dir}/versions.txt)
            file(STRINGS ${dir}/versions.txt versions)
            foreach(version ${versions})
                set(copy ${exe}_${version}.exe)
                add_custom_command(TARGET ${exe} POST_BUILD
                    COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:${exe}> $<TARGET_FILE_DIR:${exe}>/${copy})
                if(VARNELLE_REGISTER_WINDOWS_TESTS)
                    add_test(NAME ${exe}_${version} COMMAND ${VARNELLE_WINE_RUN} $<TARGET_FILE_DIR:${exe}>/${copy})
                    set_tests_properties(${exe}_${version} PROPERTIES TIMEOUT 600)
                endif()
            endforeach()
        endif()
    endif()
    file(GLOB white_box CONFIGURE_DEPENDS ${dir}/internal/*.cpp)
    if(white_box)
        set(exe test_${subsystem}_internal)
        add_executable(${exe} ${white_box} $<TARGET_OBJECTS:varnelle_objects>)
        target_link_libraries(${exe} PRIVATE varnelle_test_common)
        varnelle_register_test(${exe})
    endif()
endforeach()

# The soak runs minutes on purpose.
if(VARNELLE_REGISTER_WINDOWS_TESTS)
    set_tests_properties(test_soak PROPERTIES TIMEOUT 1500)
endif()

# The golden-image test renders the gallery's scenes and reads the goldens from the source
# tree. It sets system colours, which hold for the whole wineserver: tests that change
# them take the "syscolors" lock.
if(TARGET test_gallery)
    target_link_libraries(test_gallery PRIVATE varnelle_gallery_scenes)
    target_compile_definitions(test_gallery PRIVATE VARNELLE_GOLDEN_DIR="${CMAKE_SOURCE_DIR}/tests/golden")
    if(VARNELLE_REGISTER_WINDOWS_TESTS)
        set_tests_properties(test_gallery test_gallery_winxp PROPERTIES RESOURCE_LOCK syscolors)
    endif()
endif()

# The sample application's smoke test drives its window in process and starts the program.
if(TARGET test_samples)
    target_link_libraries(test_samples PRIVATE varnelle_sample_window)
    add_dependencies(test_samples varnelle_sample)
endif()

# The menu looks once more on a screen of 8 bits per pixel, where they take their
# low-colour colours.
if(VARNELLE_REGISTER_WINDOWS_TESTS AND TARGET test_menu)
    add_test(NAME test_menu_depth8
        COMMAND ${CMAKE_SOURCE_DIR}/scripts/on-screen-depth 8 ${VARNELLE_WINE_RUN} $<TARGET_FILE:test_menu>
            --gtest_filter=*MenuPaint*)
    set_tests_properties(test_menu_depth8 PROPERTIES TIMEOUT 600)
endif()

# Fill bitmaps on screens of 16 and 8 bits per pixel, where they take the screen's format
# and must still hold what the system makes of the same 8-bit image.
if(VARNELLE_REGISTER_WINDOWS_TESTS AND TARGET test_fillbmp)
    foreach(depth 16 8)
        add_test(NAME test_fillbmp_depth${depth}
            COMMAND ${CMAKE_SOURCE_DIR}/scripts/on-screen-depth ${depth} ${VARNELLE_WINE_RUN} $<TARGET_FILE:test_fillbmp>)
        set_tests_properties(test_fillbmp_depth${depth} PROPERTIES TIMEOUT 600)
    endforeach()
endif()

# Export table, imports and stdcall decorations of the DLL; runs on the host for both widths
# of the mingw build (it reads the binaries with binutils).
if(NOT VARNELLE_OBJDUMP)
    return()
endif()
find_package(Python3 COMPONENTS Interpreter REQUIRED)
add_test(NAME abi_exports_imports
    COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tests/abi/check_abi.py
        --dll $<TARGET_FILE:Varnelle> --def ${CMAKE_SOURCE_DIR}/include/varnelle.def
        --objects ${CMAKE_BINARY_DIR}/CMakeFiles/varnelle_objects.dir
        --objdump ${VARNELLE_OBJDUMP} --nm ${VARNELLE_NM} --width ${VARNELLE_WIDTH} --require-all)
