# The stand-in uninstaller, built for Windows alongside the setup. The sample
# payload pads it to the 64,000 bytes of its record and refuses it when it is
# larger. It shares the setup's table of installed files and its registry key
# names; with --gc-sections only those objects of dunvo_core come along.
add_executable(standin_uninstall WIN32 ${CMAKE_SOURCE_DIR}/tools/standin/uninstall.cpp
    ${CMAKE_SOURCE_DIR}/tools/standin/uninstall.rc)
set_source_files_properties(${CMAKE_SOURCE_DIR}/tools/standin/uninstall.rc PROPERTIES
    OBJECT_DEPENDS ${CMAKE_SOURCE_DIR}/tools/standin/uninstall.manifest)
set_target_properties(standin_uninstall PROPERTIES OUTPUT_NAME uninstall)
target_compile_options(standin_uninstall PRIVATE -fno-exceptions -fno-rtti)
target_link_libraries(standin_uninstall PRIVATE dunvo_core)
target_link_options(standin_uninstall PRIVATE -static -static-libgcc -Wl,--gc-sections -s)
