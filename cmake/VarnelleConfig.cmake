# find_package(Varnelle CONFIG) gives the imported target Varnelle::Varnelle: Varnelle.dll,
# its header and the import library of the consumer's toolchain (Varnelle.lib for MSVC and
# clang-cl, libVarnelle.dll.a for mingw).
if(TARGET Varnelle::Varnelle)
    return()
endif()
get_filename_component(_varnelle_prefix "${CMAKE_CURRENT_LIST_DIR}/../../.." ABSOLUTE)

if(MSVC OR CMAKE_C_SIMULATE_ID STREQUAL "MSVC" OR CMAKE_CXX_SIMULATE_ID STREQUAL "MSVC")
    set(_varnelle_implib "${_varnelle_prefix}/lib/Varnelle.lib")
else()
    set(_varnelle_implib "${_varnelle_prefix}/lib/libVarnelle.dll.a")
endif()
if(NOT EXISTS "${_varnelle_implib}")
    # A tree built by MSVC has only Varnelle.lib, which mingw's linker reads as well.
    set(_varnelle_implib "${_varnelle_prefix}/lib/Varnelle.lib")
endif()

add_library(Varnelle::Varnelle SHARED IMPORTED)
set_target_properties(Varnelle::Varnelle PROPERTIES
    IMPORTED_LOCATION "${_varnelle_prefix}/bin/Varnelle.dll"
    IMPORTED_IMPLIB "${_varnelle_implib}"
    INTERFACE_INCLUDE_DIRECTORIES "${_varnelle_prefix}/include")
unset(_varnelle_implib)
unset(_varnelle_prefix)
