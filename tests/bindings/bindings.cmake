# The language bindings: generated from their description and up to date, in agreement with
# the header, compiled by each language's compiler (mono's mcs, fpc) and imported by Python,
# with their records' sizes and offsets checked in the host's width.
set(bindings_dir ${PROJECT_SOURCE_DIR}/bindings)
add_test(NAME bindings_generated COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/scripts/generate-bindings --check)
add_test(NAME bindings_match_header COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_LIST_DIR}/check_bindings.py
    --header ${PROJECT_SOURCE_DIR}/include/varnelle.h --bindings ${bindings_dir})
add_test(NAME bindings_python COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_LIST_DIR}/test_python_binding.py)
foreach(language csharp pascal)
    add_test(NAME bindings_${language} COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_LIST_DIR}/compile_and_run.py
        ${language} ${PROJECT_BINARY_DIR}/bindings-${language})
endforeach()
