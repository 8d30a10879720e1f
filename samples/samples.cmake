# The sample application and the gallery: programs linked against Varnelle.dll like any
# application, built in both Windows configurations.
set(VARNELLE_SAMPLES_DIR ${PROJECT_SOURCE_DIR}/samples)

function(varnelle_sample_options target)
    target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR}/include ${VARNELLE_SAMPLES_DIR})
    target_compile_definitions(${target} PRIVATE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0600 WINVER=0x0600)
    if(NOT MSVC)
        target_link_options(${target} PRIVATE -static)
        if(VARNELLE_WIDTH EQUAL 32)
            # The same floating-point results as the 64-bit build: the pictures of both
            # widths are compared with the same goldens.
            target_compile_options(${target} PRIVATE -msse2 -mfpmath=sse)
        endif()
    endif()
endfunction()

add_library(varnelle_sample_art STATIC ${VARNELLE_SAMPLES_DIR}/common/art.cpp)
varnelle_sample_options(varnelle_sample_art)
target_link_libraries(varnelle_sample_art PUBLIC Varnelle comctl32 gdi32 user32)

# The sample's window is a library of its own so that its smoke test can drive it.
add_library(varnelle_sample_window STATIC ${VARNELLE_SAMPLES_DIR}/sample/sample_window.cpp)
varnelle_sample_options(varnelle_sample_window)
target_include_directories(varnelle_sample_window PUBLIC ${VARNELLE_SAMPLES_DIR}/sample)
target_link_libraries(varnelle_sample_window PUBLIC varnelle_sample_art Varnelle comctl32 gdi32 user32 winmm)

add_executable(varnelle_sample WIN32 ${VARNELLE_SAMPLES_DIR}/sample/sample_main.cpp)
varnelle_sample_options(varnelle_sample)
target_link_libraries(varnelle_sample PRIVATE varnelle_sample_window)
# The sample ships with its sources beside the DLL.
varnelle_install_sample(varnelle_sample FILES
    ${VARNELLE_SAMPLES_DIR}/sample/sample_main.cpp
    ${VARNELLE_SAMPLES_DIR}/sample/sample_window.cpp
    ${VARNELLE_SAMPLES_DIR}/sample/sample_window.h)
install(FILES ${VARNELLE_SAMPLES_DIR}/common/art.cpp ${VARNELLE_SAMPLES_DIR}/common/art.h
    DESTINATION samples/varnelle_sample/common COMPONENT Sample)

# varnelle-preview: a development tool that skins a program the user already has. The
# launcher is an ordinary console program; the helper it loads into the program is a DLL
# without the C runtime, like the library, so that nothing of it runs at load time.
set(VARNELLE_PREVIEW_DIR ${VARNELLE_SAMPLES_DIR}/preview)
add_library(varnelle_preview_helper MODULE
    ${VARNELLE_PREVIEW_DIR}/preview_helper.cpp
    ${VARNELLE_PREVIEW_DIR}/preview_report.cpp
    ${VARNELLE_PREVIEW_DIR}/preview_helper.def)
set_target_properties(varnelle_preview_helper PROPERTIES PREFIX "" OUTPUT_NAME varnelle-preview-helper)
varnelle_sample_options(varnelle_preview_helper)
if(MSVC)
    target_compile_options(varnelle_preview_helper PRIVATE /GR- /EHs-c- /GS-)
else()
    target_compile_options(varnelle_preview_helper PRIVATE -Wall -Wextra -fno-exceptions -fno-rtti
        -fno-asynchronous-unwind-tables -fno-threadsafe-statics -fno-stack-protector)
    if(VARNELLE_WIDTH EQUAL 32 AND CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
        # Its thread starts on whatever stack the program's system gives it.
        target_compile_options(varnelle_preview_helper PRIVATE -mincoming-stack-boundary=2)
    endif()
endif()
varnelle_no_crt_dll(varnelle_preview_helper user32 gdi32 kernel32)

add_executable(varnelle_preview ${VARNELLE_PREVIEW_DIR}/preview_main.cpp ${VARNELLE_PREVIEW_DIR}/preview_launch.cpp)
set_target_properties(varnelle_preview PROPERTIES OUTPUT_NAME varnelle-preview)
varnelle_sample_options(varnelle_preview)
if(NOT MSVC)
    target_link_options(varnelle_preview PRIVATE -municode)
endif()
target_link_libraries(varnelle_preview PRIVATE kernel32 user32)
# It loads the helper and Varnelle.dll from its own folder.
add_dependencies(varnelle_preview varnelle_preview_helper Varnelle)
varnelle_install_sample(varnelle_preview FILES
    ${VARNELLE_PREVIEW_DIR}/preview_main.cpp
    ${VARNELLE_PREVIEW_DIR}/preview_launch.cpp
    ${VARNELLE_PREVIEW_DIR}/preview_launch.h
    ${VARNELLE_PREVIEW_DIR}/preview_request.h
    ${VARNELLE_PREVIEW_DIR}/preview_button.h
    ${VARNELLE_PREVIEW_DIR}/preview_helper.cpp
    ${VARNELLE_PREVIEW_DIR}/preview_helper.def
    ${VARNELLE_PREVIEW_DIR}/preview_report.cpp
    ${VARNELLE_PREVIEW_DIR}/preview_report.h)
install(TARGETS varnelle_preview_helper LIBRARY DESTINATION bin COMPONENT Sample)

# The gallery writes PNG files with Debian's stb (libstb-dev); elsewhere point
# VARNELLE_STB_DIR at a folder holding stb_image.h and stb_image_write.h.
find_path(VARNELLE_STB_DIR stb_image_write.h PATHS /usr/include/stb NO_CMAKE_FIND_ROOT_PATH)
if(NOT VARNELLE_STB_DIR)
    message(STATUS "stb_image_write.h not found: the gallery and its golden-image test are not built")
    return()
endif()

add_library(varnelle_gallery_scenes STATIC
    ${VARNELLE_SAMPLES_DIR}/gallery/look.cpp
    ${VARNELLE_SAMPLES_DIR}/gallery/picture.cpp
    ${VARNELLE_SAMPLES_DIR}/gallery/png_io.cpp
    ${VARNELLE_SAMPLES_DIR}/gallery/scenes.cpp
    ${VARNELLE_SAMPLES_DIR}/gallery/scenes_buttons.cpp
    ${VARNELLE_SAMPLES_DIR}/gallery/scenes_drawing.cpp
    ${VARNELLE_SAMPLES_DIR}/gallery/scenes_menus.cpp)
varnelle_sample_options(varnelle_gallery_scenes)
target_include_directories(varnelle_gallery_scenes PUBLIC ${VARNELLE_SAMPLES_DIR}/gallery)
target_include_directories(varnelle_gallery_scenes SYSTEM PRIVATE ${VARNELLE_STB_DIR})
target_link_libraries(varnelle_gallery_scenes PUBLIC varnelle_sample_art Varnelle comctl32 gdi32 user32)

add_executable(varnelle_gallery ${VARNELLE_SAMPLES_DIR}/gallery/gallery_main.cpp)
varnelle_sample_options(varnelle_gallery)
target_link_libraries(varnelle_gallery PRIVATE varnelle_gallery_scenes)
# The copy that Wine runs as Windows XP (scripts/wine-run gives *_winxp.exe that version),
# and the one that renders the menus of localised programs in a menu font of their own.
add_custom_command(TARGET varnelle_gallery POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:varnelle_gallery>
        $<TARGET_FILE_DIR:varnelle_gallery>/varnelle_gallery_winxp.exe
    COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:varnelle_gallery>
        $<TARGET_FILE_DIR:varnelle_gallery>/varnelle_gallery_languages.exe)
