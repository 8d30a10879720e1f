# libFuzzer target of the fill-bitmap generator (fillbmp_fuzz) and a short run of it as a
# test. libFuzzer comes with clang, so the target is compiled with clang++ directly,
# whichever compiler builds the rest; without a clang++ that links -fsanitize=fuzzer it
# is left out and its run reported as skipped.
if(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    set(VARNELLE_FUZZ_CXX ${CMAKE_CXX_COMPILER})
else()
    find_program(VARNELLE_FUZZ_CXX NAMES clang++ clang++-16 clang++-15 clang++-14)
endif()

# A failed probe is tried again at the next configure: the runtime may have come since.
if(VARNELLE_FUZZ_CXX AND NOT VARNELLE_FUZZ_WORKS)
    set(probe ${PROJECT_BINARY_DIR}/fuzz/probe.cpp)
    file(WRITE ${probe} "#include <cstddef>\n#include <cstdint>\nextern \"C\" int LLVMFuzzerTestOneInput(const uint8_t*, size_t) { return 0; }\n")
    execute_process(COMMAND ${VARNELLE_FUZZ_CXX} -fsanitize=fuzzer,address,undefined ${probe} -o ${PROJECT_BINARY_DIR}/fuzz/probe
        RESULT_VARIABLE probe_result OUTPUT_QUIET ERROR_QUIET)
    if(probe_result EQUAL 0)
        set(VARNELLE_FUZZ_WORKS ON CACHE INTERNAL "clang++ links libFuzzer")
    else()
        set(VARNELLE_FUZZ_WORKS OFF CACHE INTERNAL "clang++ links libFuzzer")
    endif()
endif()

if(VARNELLE_FUZZ_CXX AND VARNELLE_FUZZ_WORKS)
    set(fuzz_sources ${VARNELLE_CORE_SOURCES})
    list(FILTER fuzz_sources INCLUDE REGEX "/src/fillbmp/")
    list(APPEND fuzz_sources ${PROJECT_SOURCE_DIR}/tests/native/fuzz/fillbmp_fuzz.cpp)
    file(GLOB fuzz_headers CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/fillbmp/*.h)
    set(fuzz_binary ${PROJECT_BINARY_DIR}/fuzz/fillbmp_fuzz)
    add_custom_command(OUTPUT ${fuzz_binary}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/fuzz
        COMMAND ${VARNELLE_FUZZ_CXX} -std=c++20 -g -O1 ${VARNELLE_HOST_SSE2} -fsanitize=fuzzer,address,undefined
            -fno-sanitize-recover=all -I${PROJECT_SOURCE_DIR}/src -I${PROJECT_SOURCE_DIR}/tests/native
            ${fuzz_sources} -o ${fuzz_binary}
        DEPENDS ${fuzz_sources} ${fuzz_headers} ${PROJECT_SOURCE_DIR}/tests/native/fillbmp_reference.h
        COMMENT "Building fillbmp_fuzz with ${VARNELLE_FUZZ_CXX}"
        VERBATIM)
    add_custom_target(fillbmp_fuzz ALL DEPENDS ${fuzz_binary})
    # A few seconds from a fixed seed; crash inputs are kept in the build tree.
    add_test(NAME fillbmp_fuzz_run
        COMMAND ${fuzz_binary} -seed=1 -max_total_time=8 -rss_limit_mb=2048
            -artifact_prefix=${PROJECT_BINARY_DIR}/fuzz/crash-)
else()
    # Shown by ctest as a skipped test, so that a run without the fuzzer says so.
    set(reason "fillbmp_fuzz_run skipped: no clang++ that links -fsanitize=fuzzer (Debian: clang and libclang-rt-<version>-dev)")
    message(STATUS ${reason})
    add_test(NAME fillbmp_fuzz_run COMMAND ${CMAKE_COMMAND} -E echo ${reason})
    set_tests_properties(fillbmp_fuzz_run PROPERTIES SKIP_REGULAR_EXPRESSION "fillbmp_fuzz_run skipped")
endif()
