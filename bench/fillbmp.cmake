# Fill-bitmap benchmarks (they print figures; they are not tests).
#   fillbmp_bench           native: the generator alone, ns/pixel at 1920 x 1080
#   fillbmp_call_bench.exe  Windows: the generator as built for the DLL, and the whole
#                           CreateFillBmp call through the export
set(VARNELLE_FILLBMP_BENCH_CORE ${VARNELLE_CORE_SOURCES})
list(FILTER VARNELLE_FILLBMP_BENCH_CORE INCLUDE REGEX "/src/fillbmp/")

if(WIN32)
    add_executable(fillbmp_call_bench ${PROJECT_SOURCE_DIR}/bench/fillbmp_call_bench.cpp ${VARNELLE_FILLBMP_BENCH_CORE})
    target_include_directories(fillbmp_call_bench PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/include
        ${PROJECT_SOURCE_DIR}/bench)
    target_compile_definitions(fillbmp_call_bench PRIVATE WIN32_LEAN_AND_MEAN NOMINMAX)
    target_link_libraries(fillbmp_call_bench PRIVATE Varnelle user32 gdi32)
    if(NOT MSVC)
        target_compile_options(fillbmp_call_bench PRIVATE -O2 -msse2)
        target_link_options(fillbmp_call_bench PRIVATE -static)
    endif()
    add_custom_command(TARGET fillbmp_call_bench POST_BUILD
        COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:Varnelle> $<TARGET_FILE_DIR:fillbmp_call_bench>)
else()
    # Built optimised and without the sanitizers, whatever the build type.
    add_executable(fillbmp_bench ${PROJECT_SOURCE_DIR}/bench/fillbmp_bench.cpp ${VARNELLE_FILLBMP_BENCH_CORE})
    target_include_directories(fillbmp_bench PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/bench)
    if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
        target_compile_options(fillbmp_bench PRIVATE -O3 ${VARNELLE_HOST_SSE2})
    endif()
endif()
