# Sources of this folder: VARNELLE_CORE_SOURCES (platform-free) and VARNELLE_WIN32_SOURCES.
# Measurement, icons, left border band.
list(APPEND VARNELLE_CORE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/menu_measure_core.cpp)
list(APPEND VARNELLE_WIN32_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/menu_measure.cpp
    ${CMAKE_CURRENT_LIST_DIR}/menu_measure_text.cpp
    ${CMAKE_CURRENT_LIST_DIR}/menu_loop_cache.cpp
    ${CMAKE_CURRENT_LIST_DIR}/menu_text.cpp
    ${CMAKE_CURRENT_LIST_DIR}/separator_callback.cpp
    ${CMAKE_CURRENT_LIST_DIR}/menu_icons.cpp
    ${CMAKE_CURRENT_LIST_DIR}/left_border.cpp)
# Painting: the painter of each style and what they share.
list(APPEND VARNELLE_CORE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/menu_colours.cpp)
list(APPEND VARNELLE_WIN32_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/menu_paint.cpp
    ${CMAKE_CURRENT_LIST_DIR}/marlett_font.cpp
    ${CMAKE_CURRENT_LIST_DIR}/sysmenu_glyph.cpp
    ${CMAKE_CURRENT_LIST_DIR}/painter_style0.cpp
    ${CMAKE_CURRENT_LIST_DIR}/painter_style1.cpp
    ${CMAKE_CURRENT_LIST_DIR}/painter_style2.cpp
    ${CMAKE_CURRENT_LIST_DIR}/painter_style3.cpp)
# Hook, message routing, item conversion and the Windows-version classification.
list(APPEND VARNELLE_CORE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/os_kind.cpp
    ${CMAKE_CURRENT_LIST_DIR}/synthetic_id.cpp)
list(APPEND VARNELLE_WIN32_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/os_kind_win32.cpp
    ${CMAKE_CURRENT_LIST_DIR}/menu_hook.cpp
    ${CMAKE_CURRENT_LIST_DIR}/menu_background.cpp
    ${CMAKE_CURRENT_LIST_DIR}/menu_routing.cpp
    ${CMAKE_CURRENT_LIST_DIR}/menu_conversion.cpp
    ${CMAKE_CURRENT_LIST_DIR}/sys_menu_shift.cpp)
