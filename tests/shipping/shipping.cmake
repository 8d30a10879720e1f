# What ships, tested from the build: the install tree, the archive, and a consumer program
# built against the tree with find_package (this build's toolchain) and with clang in MSVC
# mode against Varnelle.lib. The 64-bit consumers also run under Wine; 32-bit programs
# cannot run on this host, so there the import tables are checked.
find_package(Python3 COMPONENTS Interpreter REQUIRED)
set(shipping_dir ${PROJECT_BINARY_DIR}/shipping)
set(shipping_test ${Python3_EXECUTABLE} ${CMAKE_CURRENT_LIST_DIR}/shipping_test.py)
set(shipping_args --build ${PROJECT_BINARY_DIR} --prefix ${shipping_dir}/prefix --width ${VARNELLE_WIDTH}
    --version ${PROJECT_VERSION} --objdump ${VARNELLE_OBJDUMP} --nm ${VARNELLE_NM})
if(VARNELLE_WIDTH EQUAL 64)
    list(APPEND shipping_args --run)
endif()

add_test(NAME shipping_install COMMAND ${shipping_test} install ${shipping_args})
set_tests_properties(shipping_install PROPERTIES FIXTURES_SETUP varnelle_install_tree)
add_test(NAME shipping_layout COMMAND ${shipping_test} layout ${shipping_args})
add_test(NAME shipping_package COMMAND ${shipping_test} package ${shipping_args} --work ${shipping_dir}/package)
add_test(NAME consumer_mingw_find_package COMMAND ${shipping_test} mingw ${shipping_args}
    --work ${shipping_dir}/consumer-mingw --toolchain ${CMAKE_TOOLCHAIN_FILE})
set(shipping_tests shipping_layout shipping_package consumer_mingw_find_package)

find_program(VARNELLE_CLANG NAMES clang)
if(VARNELLE_CLANG AND VARNELLE_LLVM_DLLTOOL)
    add_test(NAME consumer_msvc_import_library COMMAND ${shipping_test} msvc ${shipping_args}
        --work ${shipping_dir}/consumer-msvc --clang ${VARNELLE_CLANG} --dlltool ${VARNELLE_LLVM_DLLTOOL})
    list(APPEND shipping_tests consumer_msvc_import_library)
else()
    message(WARNING "clang or llvm-dlltool missing: no test of the MSVC import library")
endif()
set_tests_properties(${shipping_tests} PROPERTIES FIXTURES_REQUIRED varnelle_install_tree
    ENVIRONMENT WINEPREFIX=${PROJECT_BINARY_DIR}/wineprefix TIMEOUT 300)

# The bindings do not depend on the build: one configuration tests them.
if(VARNELLE_WIDTH EQUAL 64)
    set(bindings_default ON)
else()
    set(bindings_default OFF)
endif()
option(VARNELLE_BINDING_TESTS "Test the language bindings (mono, fpc, python)" ${bindings_default})
if(VARNELLE_BINDING_TESTS)
    include(${PROJECT_SOURCE_DIR}/tests/bindings/bindings.cmake)
endif()
