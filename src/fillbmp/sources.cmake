# Sources of this folder: VARNELLE_CORE_SOURCES (platform-free) and VARNELLE_WIN32_SOURCES.
list(APPEND VARNELLE_CORE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/fill_grain.cpp
    ${CMAKE_CURRENT_LIST_DIR}/fill_palette.cpp
    ${CMAKE_CURRENT_LIST_DIR}/fill_pattern.cpp
    ${CMAKE_CURRENT_LIST_DIR}/fill_pattern_shapes.cpp)
list(APPEND VARNELLE_WIN32_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/fill_bitmap.cpp)
