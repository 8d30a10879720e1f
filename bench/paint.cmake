# Paint benchmarks (they print figures; they are not tests).
#   menu_paint_bench.exe    Windows: a 20-item popup in styles 1-3 against style 0
#   button_paint_bench.exe  Windows: a skinned push button against the system's
if(WIN32)
    foreach(bench menu_paint_bench button_paint_bench)
        add_executable(${bench} ${CMAKE_SOURCE_DIR}/bench/${bench}.cpp)
        target_include_directories(${bench} PRIVATE ${CMAKE_SOURCE_DIR}/include ${CMAKE_SOURCE_DIR}/bench)
        target_compile_definitions(${bench} PRIVATE WIN32_LEAN_AND_MEAN NOMINMAX)
        target_link_libraries(${bench} PRIVATE Varnelle user32 gdi32)
        if(NOT MSVC)
            target_link_options(${bench} PRIVATE -static)
        endif()
        add_custom_command(TARGET ${bench} POST_BUILD
            COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:Varnelle> $<TARGET_FILE_DIR:${bench}>)
    endforeach()
endif()
