# Whether the tests are built, and GoogleTest for them.
#
# GoogleTest is built from its sources with the project's own compiler, so that a mingw or
# MSVC build links a library made for it: VARNELLE_GTEST_DIR, or /usr/src/googletest (where
# Debian's googletest package puts them) when that is left empty. A host build (MSVC
# included) may instead use an installed GoogleTest package (find_package(GTest), e.g. from
# vcpkg).
#
# VARNELLE_BUILD_TESTS: AUTO (the default) builds the tests when GoogleTest is found and
# Varnelle is the top-level project; ON requires GoogleTest; OFF leaves the tests out.
# Sets VARNELLE_TESTS (ON or OFF) and, when ON, the targets GTest::gtest and GTest::gtest_main.
set(VARNELLE_BUILD_TESTS AUTO CACHE STRING "Build the tests: AUTO (when GoogleTest is found), ON or OFF")
set_property(CACHE VARNELLE_BUILD_TESTS PROPERTY STRINGS AUTO ON OFF)
set(VARNELLE_GTEST_DIR "" CACHE PATH "GoogleTest's sources (empty: /usr/src/googletest when present)")

set(VARNELLE_TESTS OFF)
if(NOT VARNELLE_BUILD_TESTS STREQUAL "AUTO" AND NOT VARNELLE_BUILD_TESTS)
    message(STATUS "Varnelle tests: off (VARNELLE_BUILD_TESTS=${VARNELLE_BUILD_TESTS})")
    return()
endif()
if(VARNELLE_BUILD_TESTS STREQUAL "AUTO" AND NOT PROJECT_IS_TOP_LEVEL)
    message(STATUS "Varnelle tests: off (built inside another project; VARNELLE_BUILD_TESTS=ON builds them)")
    return()
endif()

set(gtest_sources "${VARNELLE_GTEST_DIR}")
if(NOT gtest_sources AND EXISTS /usr/src/googletest/CMakeLists.txt)
    set(gtest_sources /usr/src/googletest)
endif()
if(gtest_sources AND NOT EXISTS ${gtest_sources}/CMakeLists.txt)
    message(FATAL_ERROR "VARNELLE_GTEST_DIR=${VARNELLE_GTEST_DIR} holds no GoogleTest sources (no CMakeLists.txt)")
endif()

if(TARGET GTest::gtest AND TARGET GTest::gtest_main)
    set(VARNELLE_TESTS ON)
    message(STATUS "Varnelle tests: on (GoogleTest from the enclosing project)")
elseif(gtest_sources)
    # No installation of GoogleTest, no gmock; with MSVC the same C runtime DLL as ours.
    set(INSTALL_GTEST OFF)
    set(BUILD_GMOCK OFF)
    set(gtest_force_shared_crt ON)
    set(gtest_disable_pthreads OFF)
    add_subdirectory(${gtest_sources} ${PROJECT_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    set(VARNELLE_TESTS ON)
    message(STATUS "Varnelle tests: on (GoogleTest from ${gtest_sources})")
elseif(NOT CMAKE_CROSSCOMPILING)
    find_package(GTest CONFIG QUIET)
    if(GTest_FOUND)
        set(VARNELLE_TESTS ON)
        message(STATUS "Varnelle tests: on (GoogleTest package in ${GTest_DIR})")
    endif()
endif()

if(NOT VARNELLE_TESTS)
    set(hint "give GoogleTest's sources with -DVARNELLE_GTEST_DIR=<folder> (on Debian: apt-get install googletest)")
    if(VARNELLE_BUILD_TESTS STREQUAL "AUTO")
        message(STATUS "Varnelle tests: off, GoogleTest not found; to build them, ${hint}")
    else()
        message(FATAL_ERROR "VARNELLE_BUILD_TESTS=${VARNELLE_BUILD_TESTS} but GoogleTest was not found: ${hint}")
    endif()
endif()
