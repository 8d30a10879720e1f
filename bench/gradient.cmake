# Gradient benchmark (prints figures; not a test).
#   gradient_bench.exe  Windows: DrawGradient against the system's GradientFill through
#                       Gradient_Fill, 1920 x 1080, both directions
if(WIN32)
    add_executable(gradient_bench ${CMAKE_SOURCE_DIR}/bench/gradient_bench.cpp)
    target_include_directories(gradient_bench PRIVATE ${CMAKE_SOURCE_DIR}/include ${CMAKE_SOURCE_DIR}/bench)
    target_compile_definitions(gradient_bench PRIVATE WIN32_LEAN_AND_MEAN NOMINMAX)
    target_link_libraries(gradient_bench PRIVATE Varnelle user32 gdi32 msimg32)
    if(NOT MSVC)
        target_link_options(gradient_bench PRIVATE -static)
    endif()
    add_custom_command(TARGET gradient_bench POST_BUILD
        COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:Varnelle> $<TARGET_FILE_DIR:gradient_bench>)
endif()
