# Shipping Varnelle.dll: a version resource, a stripped DLL whose symbols live in
# Varnelle.dll.debug beside it, install rules and a zip archive of the install tree.
#
#   cmake --install <build> --prefix <dir>
#       bin/Varnelle.dll, include/varnelle.h, lib/libVarnelle.dll.a (mingw),
#       lib/Varnelle.lib (MSVC), lib/varnelle.def, lib/cmake/Varnelle/ (find_package),
#       bindings/, README.md, docs/, LICENSE, and the sample programs that joined (see below)
#   cmake --install <build> --component Symbols --prefix <dir>    bin/Varnelle.dll.debug
#   cpack --config <build>/CPackConfig.cmake    varnelle-<version>-win32.zip or -win64.zip

enable_language(RC)
configure_file(${PROJECT_SOURCE_DIR}/src/core/version.rc.in ${PROJECT_BINARY_DIR}/varnelle_version.rc @ONLY)
target_sources(Varnelle PRIVATE ${PROJECT_BINARY_DIR}/varnelle_version.rc)

if(NOT MSVC)
    # The objects carry debug information; after linking it moves into Varnelle.dll.debug
    # and the DLL keeps only the file's name and checksum (.gnu_debuglink), so the DLL the
    # tests load is the one that ships.
    target_compile_options(varnelle_objects PRIVATE -g)
    target_compile_options(Varnelle PRIVATE -g)
    add_custom_command(TARGET Varnelle POST_BUILD
        COMMAND ${CMAKE_OBJCOPY} --only-keep-debug $<TARGET_FILE:Varnelle> $<TARGET_FILE:Varnelle>.debug
        COMMAND ${CMAKE_OBJCOPY} --strip-all --add-gnu-debuglink=$<TARGET_FILE:Varnelle>.debug
            $<TARGET_FILE:Varnelle>
        VERBATIM)

    # The import library of MSVC's format, made from the .def. 32-bit callers reference
    # the decorated stdcall names (_LightenColor@8): the decorated .def written beside the
    # mingw import library maps them onto the undecorated exports (--kill-at).
    find_program(VARNELLE_LLVM_DLLTOOL NAMES llvm-dlltool llvm-dlltool-16 llvm-dlltool-15 llvm-dlltool-14)
    if(VARNELLE_LLVM_DLLTOOL)
        if(VARNELLE_WIDTH EQUAL 32)
            set(msvc_implib_options -m i386 -k -d $<TARGET_LINKER_FILE_DIR:Varnelle>/Varnelle-stdcall.def)
        else()
            set(msvc_implib_options -m i386:x86-64 -d ${PROJECT_SOURCE_DIR}/include/varnelle.def)
        endif()
        add_custom_command(TARGET Varnelle POST_BUILD
            COMMAND ${VARNELLE_LLVM_DLLTOOL} ${msvc_implib_options} -l $<TARGET_FILE_DIR:Varnelle>/Varnelle.lib
            VERBATIM)
        install(FILES $<TARGET_FILE_DIR:Varnelle>/Varnelle.lib DESTINATION lib)
    else()
        message(WARNING "llvm-dlltool not found: the install tree gets no MSVC import library (Varnelle.lib)")
    endif()
    install(FILES $<TARGET_FILE:Varnelle>.debug DESTINATION bin COMPONENT Symbols EXCLUDE_FROM_ALL)
endif()

install(TARGETS Varnelle RUNTIME DESTINATION bin ARCHIVE DESTINATION lib)
install(FILES ${PROJECT_SOURCE_DIR}/include/varnelle.h DESTINATION include)
install(FILES ${PROJECT_SOURCE_DIR}/include/varnelle.def DESTINATION lib)

include(CMakePackageConfigHelpers)
# The version file also refuses a package of the other width.
write_basic_package_version_file(${PROJECT_BINARY_DIR}/VarnelleConfigVersion.cmake
    VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/VarnelleConfig.cmake ${PROJECT_BINARY_DIR}/VarnelleConfigVersion.cmake
    DESTINATION lib/cmake/Varnelle)

install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION .)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/bindings/ DESTINATION bindings)
# README links into docs/: the archive keeps them working.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/ DESTINATION docs)

# A sample program joins the install tree and the archive: its executable in bin/ beside
# the DLL, so that it starts from there, and the given source files in samples/<target>/.
#   varnelle_install_sample(<target> [FILES <sources>...])
function(varnelle_install_sample target)
    cmake_parse_arguments(PARSE_ARGV 1 sample "" "" "FILES")
    install(TARGETS ${target} RUNTIME DESTINATION bin COMPONENT Sample)
    if(sample_FILES)
        install(FILES ${sample_FILES} DESTINATION samples/${target} COMPONENT Sample)
    endif()
endfunction()

set(CPACK_PACKAGE_NAME varnelle)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_FILE_NAME varnelle-${PROJECT_VERSION}-win${VARNELLE_WIDTH})
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/package)
include(CPack)

# The shipping tests read the binaries with binutils and run programs under Wine.
if(VARNELLE_TESTS AND VARNELLE_OBJDUMP)
    include(${PROJECT_SOURCE_DIR}/tests/shipping/shipping.cmake)
endif()
