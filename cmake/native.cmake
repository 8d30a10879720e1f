# The platform-free core, built with the host compiler and tested under the sanitizers.
option(VARNELLE_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" ON)

add_library(varnelle_core STATIC ${VARNELLE_CORE_SOURCES})
target_include_directories(varnelle_core PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_compile_options(varnelle_core PRIVATE -Wall -Wextra -msse2)
if(VARNELLE_SANITIZE)
    set(VARNELLE_SANITIZER_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    target_compile_options(varnelle_core PUBLIC ${VARNELLE_SANITIZER_FLAGS})
    target_link_options(varnelle_core PUBLIC ${VARNELLE_SANITIZER_FLAGS})
endif()

if(VARNELLE_TESTS)
    file(GLOB VARNELLE_NATIVE_TESTS CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/native/*.cpp)
    add_executable(native_tests ${VARNELLE_NATIVE_TESTS})
    target_link_libraries(native_tests PRIVATE varnelle_core GTest::gtest_main)
    add_test(NAME native_tests COMMAND native_tests)
    # Further native targets (fuzzers, benchmarks) of the subsystems.
    file(GLOB VARNELLE_NATIVE_EXTRAS CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/native/*.cmake)
    foreach(extra ${VARNELLE_NATIVE_EXTRAS})
        include(${extra})
    endforeach()
endif()
