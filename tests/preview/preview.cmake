# A real program skinned through varnelle-preview and used with the mouse: Wine's own
# notepad and task manager in a Russian locale, every menu of the menu bar opened, the
# screen compared with the labels the program holds (preview_test.py drives it,
# preview_check.exe compares under Wine). The programs are the 64-bit builtins of the
# 64-bit Wine that runs the tests, so only the 64-bit builds have the test.
if(NOT VARNELLE_WIDTH EQUAL 64 OR NOT VARNELLE_REGISTER_WINDOWS_TESTS)
    return()
endif()
find_package(Python3 COMPONENTS Interpreter REQUIRED)

add_executable(preview_check ${CMAKE_CURRENT_LIST_DIR}/preview_check.cpp)
target_link_libraries(preview_check PRIVATE varnelle_test_common)
add_dependencies(preview_check varnelle_preview)
# What a user may hand the tool that is not a window with a menu bar.
add_executable(preview_target WIN32 ${CMAKE_CURRENT_LIST_DIR}/preview_target.cpp)
target_link_options(preview_target PRIVATE $<$<NOT:$<CXX_COMPILER_ID:MSVC>>:-static>)
add_dependencies(preview_check preview_target)

# name, program, style, options
set(preview_cases
    "notepad_style1|notepad.exe|1|"
    "notepad_style2|notepad.exe|2|"
    "notepad_style3|notepad.exe|3|"
    "taskmgr_style2_buttons|taskmgr.exe|2|--buttons")
foreach(case ${preview_cases})
    string(REPLACE "|" ";" case "${case}")
    list(GET case 0 name)
    list(GET case 1 program)
    list(GET case 2 style)
    list(GET case 3 options)
    varnelle_register_test(preview_${name} ${Python3_EXECUTABLE} ${CMAKE_CURRENT_LIST_DIR}/preview_test.py
        --build ${PROJECT_BINARY_DIR} --program ${program} --style ${style} ${options}
        --work ${PROJECT_BINARY_DIR}/preview/${name})
endforeach()
varnelle_register_test(preview_refusals ${Python3_EXECUTABLE} ${CMAKE_CURRENT_LIST_DIR}/preview_refusals.py
    --build ${PROJECT_BINARY_DIR} --work ${PROJECT_BINARY_DIR}/preview/refusals)
