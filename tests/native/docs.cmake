# README.md's first screen and the links of the reference pages in docs/.
find_package(Python3 COMPONENTS Interpreter REQUIRED)
add_test(NAME docs_links COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/tests/docs/check_docs.py ${PROJECT_SOURCE_DIR})
