# Fails when a C++ file under src/ or tests/ is not laid out as .clang-format
# says. Other major versions of clang-format lay out the same settings
# differently, so only the one the tree is formatted with (14, Debian 12's)
# judges it; with another or none the test says so and is skipped.
# Usage: cmake -DSOURCE_DIR=... -P formatting.cmake
set(wanted_major 14)
find_program(formatter NAMES clang-format-${wanted_major} clang-format)
if(NOT formatter)
    message("SKIPPED: no clang-format; the tree is formatted with clang-format ${wanted_major}")
    return()
endif()
execute_process(COMMAND ${formatter} --version OUTPUT_VARIABLE version_text)
if(NOT version_text MATCHES "version ([0-9]+)\\.")
    message("SKIPPED: ${formatter} gives no version: ${version_text}")
    return()
endif()
if(NOT CMAKE_MATCH_1 EQUAL wanted_major)
    message("SKIPPED: ${formatter} is version ${CMAKE_MATCH_1}; the tree is formatted with version ${wanted_major}")
    return()
endif()
file(GLOB_RECURSE sources ${SOURCE_DIR}/src/*.cpp ${SOURCE_DIR}/src/*.h ${SOURCE_DIR}/tests/*.cpp ${SOURCE_DIR}/tests/*.h)
execute_process(COMMAND ${formatter} --dry-run --Werror --style=file ${sources}
                WORKING_DIRECTORY ${SOURCE_DIR} RESULT_VARIABLE result ERROR_VARIABLE differences)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "Not formatted as .clang-format says (run clang-format -i on these):\n${differences}")
endif()
