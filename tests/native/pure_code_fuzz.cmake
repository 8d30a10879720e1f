# libFuzzer targets of the rest of the platform-free code, each with a short run as a
# test, built as fillbmp_fuzz is: with clang++ directly, under ASan and UBSan. This file is
# included after fillbmp_fuzz.cmake (in name order), which finds a clang++ that links
# libFuzzer; without one these targets are left out too.
#   synthetic_id_fuzz    identifiers of id-less menu items
#   menu_measure_fuzz    item and icon-cell sizes
#   button_layout_fuzz   icon and text layout of skinned buttons
#   gradient_fuzz        gradient steps and filled gradient buffers
if(NOT (VARNELLE_FUZZ_CXX AND VARNELLE_FUZZ_WORKS))
    message(STATUS "synthetic_id, menu_measure, button_layout and gradient fuzz targets: no clang++ with libFuzzer, left out")
    return()
endif()

file(GLOB_RECURSE pure_code_headers CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/*.h)

function(varnelle_pure_code_fuzz_target name) # library sources the target tests
    set(sources ${ARGN} ${CMAKE_SOURCE_DIR}/tests/native/fuzz/${name}.cpp)
    set(binary ${CMAKE_BINARY_DIR}/fuzz/${name})
    add_custom_command(OUTPUT ${binary}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/fuzz
        COMMAND ${VARNELLE_FUZZ_CXX} -std=c++20 -g -O1 -msse2 -fsanitize=fuzzer,address,undefined
            -fno-sanitize-recover=all -I${CMAKE_SOURCE_DIR}/src ${sources} -o ${binary}
        DEPENDS ${sources} ${pure_code_headers} ${CMAKE_SOURCE_DIR}/tests/native/fuzz/fuzz_input.h
        COMMENT "Building ${name} with ${VARNELLE_FUZZ_CXX}"
        VERBATIM)
    add_custom_target(${name} ALL DEPENDS ${binary})
    # A few seconds from a fixed seed; crash inputs are kept in the build tree.
    add_test(NAME ${name}_run
        COMMAND ${binary} -seed=1 -max_total_time=5 -rss_limit_mb=2048 -artifact_prefix=${CMAKE_BINARY_DIR}/fuzz/crash-)
endfunction()

varnelle_pure_code_fuzz_target(synthetic_id_fuzz ${CMAKE_SOURCE_DIR}/src/menu/synthetic_id.cpp)
varnelle_pure_code_fuzz_target(menu_measure_fuzz ${CMAKE_SOURCE_DIR}/src/menu/menu_measure_core.cpp)
varnelle_pure_code_fuzz_target(button_layout_fuzz ${CMAKE_SOURCE_DIR}/src/button/button_layout.cpp)
varnelle_pure_code_fuzz_target(gradient_fuzz ${CMAKE_SOURCE_DIR}/src/colour/gradient_math.cpp
    ${CMAKE_SOURCE_DIR}/src/core/memory_routines.cpp)
