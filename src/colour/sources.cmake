list(APPEND VARNELLE_CORE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/colour_math.cpp
    ${CMAKE_CURRENT_LIST_DIR}/contrast.cpp
    ${CMAKE_CURRENT_LIST_DIR}/gradient_math.cpp)
list(APPEND VARNELLE_WIN32_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/colour_exports.cpp
    ${CMAKE_CURRENT_LIST_DIR}/icon_drawing.cpp
    ${CMAKE_CURRENT_LIST_DIR}/bitmap_drawing.cpp
    ${CMAKE_CURRENT_LIST_DIR}/gradient.cpp
    ${CMAKE_CURRENT_LIST_DIR}/palette_drawing.cpp
    ${CMAKE_CURRENT_LIST_DIR}/pixel_shading.cpp)
