# Host programs that the build runs. Each addition goes into DUNVO_EXTRA_HOST_TOOLS
# so the cross build waits for it.
add_executable(make_art ${CMAKE_CURRENT_LIST_DIR}/make_art.cpp ${CMAKE_CURRENT_LIST_DIR}/image_file.cpp
    ${CMAKE_CURRENT_LIST_DIR}/art_shell.cpp ${CMAKE_CURRENT_LIST_DIR}/art_options.cpp)
target_include_directories(make_art PRIVATE ${CMAKE_SOURCE_DIR})
set_target_properties(make_art PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools)
set(DUNVO_EXTRA_HOST_TOOLS)

# The payload: the sample generator and the packing tool. Both use the catalogue
# and the payload table; the packer also the setup's own record writer and gzip.
add_executable(make_sample_payload ${CMAKE_CURRENT_LIST_DIR}/make_sample_payload.cpp
    ${CMAKE_CURRENT_LIST_DIR}/sample_translation.cpp ${CMAKE_CURRENT_LIST_DIR}/image_file.cpp)
add_executable(dunvo_pack ${CMAKE_CURRENT_LIST_DIR}/dunvo_pack.cpp)
foreach(tool make_sample_payload dunvo_pack)
    target_link_libraries(${tool} PRIVATE dunvo_portable)
    set_target_properties(${tool} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools)
endforeach()
list(APPEND DUNVO_EXTRA_HOST_TOOLS make_sample_payload dunvo_pack)

# The host tests run both tools and compare the translations with the generator's texts.
target_sources(host_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/sample_translation.cpp)
target_compile_definitions(host_tests PRIVATE DUNVO_TOOLS_DIR="${CMAKE_BINARY_DIR}/tools")
add_dependencies(host_tests make_sample_payload dunvo_pack)
# Every translation through msexpand and the 113 sample recitations take minutes:
# a test of their own, outside the quick run.
add_test(NAME sample_payload_slow COMMAND host_tests --gtest_also_run_disabled_tests
    --gtest_filter=SamplePayloadSlow.DISABLED_*)
set_tests_properties(sample_payload_slow PROPERTIES LABELS slow TIMEOUT 1800)

# The fuzz target over the record reader and the gzip expansion.
include(${CMAKE_SOURCE_DIR}/tests/fuzz/fuzz.cmake)

# scripts/bench: the extraction timed on the host, against what zlib alone can do.
add_executable(bench_extract ${CMAKE_SOURCE_DIR}/bench/bench_extract.cpp)
target_link_libraries(bench_extract PRIVATE dunvo_portable)
set_target_properties(bench_extract PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools)
