# The payload fuzz target, built with clang++ (libFuzzer) beside the host build,
# which uses g++. Skipped with a message where clang++ cannot build it.
find_program(DUNVO_CLANGXX NAMES clang++)
set(FUZZ_PROBE ${CMAKE_BINARY_DIR}/fuzz_probe)
if(DUNVO_CLANGXX AND NOT DEFINED DUNVO_FUZZ_WORKS)
    file(WRITE ${FUZZ_PROBE}.cpp
        "#include <cstddef>\n#include <cstdint>\n"
        "extern \"C\" int LLVMFuzzerTestOneInput(const uint8_t *, size_t) { return 0; }\n")
    execute_process(COMMAND ${DUNVO_CLANGXX} -fsanitize=fuzzer,address,undefined ${FUZZ_PROBE}.cpp -o ${FUZZ_PROBE}
        RESULT_VARIABLE probe_result OUTPUT_QUIET ERROR_QUIET)
    if(probe_result EQUAL 0)
        set(DUNVO_FUZZ_WORKS ON CACHE INTERNAL "clang++ builds libFuzzer targets")
    else()
        set(DUNVO_FUZZ_WORKS OFF CACHE INTERNAL "clang++ builds libFuzzer targets")
    endif()
endif()
if(NOT DUNVO_FUZZ_WORKS)
    message(STATUS "clang++ with libFuzzer not found: the payload fuzz target is not built")
    return()
endif()

set(FUZZ_TARGET ${CMAKE_BINARY_DIR}/fuzz_payload)
set(FUZZ_SOURCES
    ${CMAKE_SOURCE_DIR}/tests/fuzz/payload_fuzz.cpp
    ${CMAKE_SOURCE_DIR}/payload/archive.cpp
    ${CMAKE_SOURCE_DIR}/payload/gzip_file.cpp
    ${CMAKE_SOURCE_DIR}/common/text.cpp
    ${CMAKE_SOURCE_DIR}/common/file_write.cpp
    ${CMAKE_SOURCE_DIR}/common/file_write_host.cpp
    ${CMAKE_SOURCE_DIR}/common/message_box_host.cpp)
set(FUZZ_HEADERS
    ${CMAKE_SOURCE_DIR}/payload/archive.h
    ${CMAKE_SOURCE_DIR}/payload/gzip_file.h
    ${CMAKE_SOURCE_DIR}/common/text.h
    ${CMAKE_SOURCE_DIR}/common/file_write.h
    ${CMAKE_SOURCE_DIR}/common/install_settings.h
    ${CMAKE_SOURCE_DIR}/common/message_box.h
    ${CMAKE_SOURCE_DIR}/common/message_box_host.h)
add_custom_command(OUTPUT ${FUZZ_TARGET}
    COMMAND ${DUNVO_CLANGXX} -std=c++17 -g -O1 -Wall -Wextra
            -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all
            -I${CMAKE_SOURCE_DIR} ${FUZZ_SOURCES} -lz -o ${FUZZ_TARGET}
    DEPENDS ${FUZZ_SOURCES} ${FUZZ_HEADERS}
    COMMENT "Building the payload fuzz target with clang++")
add_custom_target(fuzz_payload_build ALL DEPENDS ${FUZZ_TARGET})

# New inputs go to a folder in the build tree; the corpus in the repository is only read.
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz_work)
add_test(NAME fuzz_payload
    COMMAND ${FUZZ_TARGET} -runs=20000 ${CMAKE_BINARY_DIR}/fuzz_work ${CMAKE_SOURCE_DIR}/tests/fuzz/corpus/payload)
set_tests_properties(fuzz_payload PROPERTIES LABELS fuzz TIMEOUT 300)
