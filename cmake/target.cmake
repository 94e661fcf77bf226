# Windows half: SetupD.exe, the in-process tests run under Wine, and the
# end-to-end driver. Everything links statically so that only system DLLs
# are imported.
enable_language(RC)

# Reproducible programs: the linker would stamp each one with the time of the
# link (and the checksum follows the stamp), so two builds of one commit differ.
add_link_options(-Wl,--no-insert-timestamp)
# GoogleTest's messages carry __FILE__: name the sources from the top folder, not
# from wherever this checkout happens to be.
add_compile_options($<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${CMAKE_SOURCE_DIR}/=>)

if(NOT HOST_TOOLS_DIR)
    message(FATAL_ERROR "HOST_TOOLS_DIR is set by the host build; configure the top folder instead")
endif()

find_library(ZLIB_STATIC NAMES libz.a REQUIRED)
find_path(ZLIB_INCLUDE NAMES zlib.h REQUIRED)

set(STATIC_RUNTIME -static -static-libgcc -static-libstdc++)
set(SYSTEM_LIBS comctl32 comdlg32 ole32 oleaut32 uuid shell32 advapi32 gdi32 user32 kernel32)

# Pictures are drawn by a host tool into the build tree; the stamp stands for
# all of them, so a new picture needs no change here.
set(ART_DIR ${CMAKE_BINARY_DIR}/art)
set(ART_FILES ${ART_DIR}/art.stamp)
add_custom_command(OUTPUT ${ART_FILES}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${ART_DIR}
    COMMAND ${HOST_TOOLS_DIR}/make_art ${ART_DIR}
    COMMAND ${CMAKE_COMMAND} -E touch ${ART_DIR}/art.stamp
    DEPENDS ${HOST_TOOLS_DIR}/make_art
    COMMENT "Drawing the resource pictures")
add_custom_target(art DEPENDS ${ART_FILES})

set(AGREEMENT_RC ${ART_DIR}/agreement_text.rc)
add_custom_command(OUTPUT ${AGREEMENT_RC}
    COMMAND ${CMAKE_COMMAND} -DTEXT=${CMAKE_SOURCE_DIR}/resources/agreement.txt -DID=150
            -DOUT=${AGREEMENT_RC} -P ${CMAKE_SOURCE_DIR}/cmake/embed_text.cmake
    DEPENDS ${CMAKE_SOURCE_DIR}/resources/agreement.txt ${CMAKE_SOURCE_DIR}/cmake/embed_text.cmake)
list(APPEND ART_FILES ${AGREEMENT_RC})
add_custom_target(agreement_text DEPENDS ${AGREEMENT_RC})

include(${CMAKE_SOURCE_DIR}/tools/standin/uninstall.cmake)
# Stand-in for the application of the sample payload (dunvo.exe); the
# uninstaller's is standin_uninstall above. resources/payload.cmake pads both
# to their record sizes.
add_executable(dunvo_app WIN32 ${CMAKE_SOURCE_DIR}/tools/standin/dunvo_app.cpp)
target_include_directories(dunvo_app PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(dunvo_app PRIVATE gdi32 user32 kernel32)
target_link_options(dunvo_app PRIVATE ${STATIC_RUNTIME} -s)

include(${CMAKE_SOURCE_DIR}/resources/payload.cmake OPTIONAL)

set(RESOURCE_SCRIPT ${CMAKE_SOURCE_DIR}/resources/setup.rc)
set_source_files_properties(${RESOURCE_SCRIPT} PROPERTIES
    OBJECT_DEPENDS "${ART_FILES};${CMAKE_SOURCE_DIR}/resources/setup.manifest;${DUNVO_RESOURCE_DEPENDS}")
file(GLOB RESOURCE_SCRIPTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/*.rc ${CMAKE_SOURCE_DIR}/resources/*.h)
set_property(SOURCE ${RESOURCE_SCRIPT} APPEND PROPERTY OBJECT_DEPENDS ${RESOURCE_SCRIPTS})

add_library(dunvo_core STATIC ${DUNVO_PORTABLE_SOURCES} ${DUNVO_WIN32_SOURCES})
target_include_directories(dunvo_core PUBLIC ${CMAKE_SOURCE_DIR} ${ZLIB_INCLUDE})
target_compile_options(dunvo_core PUBLIC -ffunction-sections -fdata-sections)
target_link_libraries(dunvo_core PUBLIC ${ZLIB_STATIC} ${SYSTEM_LIBS})

# Resource include path: resources/ for scripts and the manifest, the art and payload folders.
set(RESOURCE_INCLUDES ${CMAKE_SOURCE_DIR}/resources ${ART_DIR} ${DUNVO_RESOURCE_INCLUDES})

add_executable(SetupD WIN32 ${CMAKE_SOURCE_DIR}/shell/winmain.cpp ${RESOURCE_SCRIPT})
target_include_directories(SetupD PRIVATE ${RESOURCE_INCLUDES})
target_link_libraries(SetupD PRIVATE dunvo_core)
target_link_options(SetupD PRIVATE ${STATIC_RUNTIME} -Wl,--gc-sections -s)
add_dependencies(SetupD art agreement_text ${DUNVO_RESOURCE_TARGETS})

# GoogleTest for the target, from the machine's sources.
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

file(GLOB TARGET_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/target/*.cpp)
add_executable(target_tests ${TARGET_TEST_SOURCES} ${RESOURCE_SCRIPT})
target_include_directories(target_tests PRIVATE ${RESOURCE_INCLUDES})
target_link_libraries(target_tests PRIVATE dunvo_core gtest_main)
target_link_options(target_tests PRIVATE ${STATIC_RUNTIME})
add_dependencies(target_tests art agreement_text ${DUNVO_RESOURCE_TARGETS})

add_executable(e2e_driver ${CMAKE_SOURCE_DIR}/tests/e2e/driver.cpp)
target_link_libraries(e2e_driver PRIVATE ${SYSTEM_LIBS} psapi)
target_link_options(e2e_driver PRIVATE ${STATIC_RUNTIME})
# A DLL of ours that the scenarios plant beside the setup under the names of
# system DLLs: it leaves a mark if the setup loads it.
add_library(planted_dll SHARED ${CMAKE_SOURCE_DIR}/tests/e2e/planted_dll.c)
set_target_properties(planted_dll PROPERTIES PREFIX "")
target_link_options(planted_dll PRIVATE -static-libgcc)
# The driver's hook in the setup's thread (the step freeze).
add_library(freeze_hook SHARED ${CMAKE_SOURCE_DIR}/tests/e2e/freeze_hook.c)
set_target_properties(freeze_hook PROPERTIES PREFIX "")
target_link_options(freeze_hook PRIVATE -static-libgcc -Wl,--kill-at)

# scripts/bench: the backdrop's build time on a screen of the benchmark's size.
add_executable(bench_backdrop ${CMAKE_SOURCE_DIR}/bench/bench_backdrop.cpp)
target_link_libraries(bench_backdrop PRIVATE dunvo_core)
target_link_options(bench_backdrop PRIVATE ${STATIC_RUNTIME})

# scripts/bench: the platform's limit, with the zlib linked into the setup,
# run under the same Wine (bench_extract.cpp; also built for the host).
add_executable(bench_extract ${CMAKE_SOURCE_DIR}/bench/bench_extract.cpp)
target_link_libraries(bench_extract PRIVATE dunvo_core)
target_link_options(bench_extract PRIVATE ${STATIC_RUNTIME})
