# Host programs that the build runs. Each addition goes into DUNVO_EXTRA_HOST_TOOLS
# so the cross build waits for it.
add_executable(make_art ${CMAKE_CURRENT_LIST_DIR}/make_art.cpp ${CMAKE_CURRENT_LIST_DIR}/image_file.cpp
    ${CMAKE_CURRENT_LIST_DIR}/art_shell.cpp)
target_include_directories(make_art PRIVATE ${CMAKE_SOURCE_DIR})
set_target_properties(make_art PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools)
set(DUNVO_EXTRA_HOST_TOOLS)
