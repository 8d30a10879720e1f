# Sources of this folder: VARNELLE_CORE_SOURCES (platform-free) and VARNELLE_WIN32_SOURCES.
list(APPEND VARNELLE_CORE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/button_layout.cpp)
list(APPEND VARNELLE_WIN32_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/button_record.cpp
    ${CMAKE_CURRENT_LIST_DIR}/button_hover.cpp
    ${CMAKE_CURRENT_LIST_DIR}/button_hook.cpp
    ${CMAKE_CURRENT_LIST_DIR}/button_paint.cpp)
