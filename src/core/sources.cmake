# Platform-free sources (also built natively) and Win32 sources of this folder.
list(APPEND VARNELLE_CORE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/memory_routines.cpp)
list(APPEND VARNELLE_WIN32_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/colour_mode.cpp
    ${CMAKE_CURRENT_LIST_DIR}/library_entry.cpp
    ${CMAKE_CURRENT_LIST_DIR}/module_lifetime.cpp
    ${CMAKE_CURRENT_LIST_DIR}/module_state.cpp
    ${CMAKE_CURRENT_LIST_DIR}/property_cache.cpp
    ${CMAKE_CURRENT_LIST_DIR}/subclass.cpp
    ${CMAKE_CURRENT_LIST_DIR}/system_text.cpp
    ${CMAKE_CURRENT_LIST_DIR}/thread_state.cpp
    ${CMAKE_CURRENT_LIST_DIR}/loop_cache.cpp)
