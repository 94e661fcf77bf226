# Host half: portable modules, their sanitized unit tests, build tools, and the
# nested cross build of the Windows half.
include(ExternalProject)
enable_testing()

find_package(ZLIB REQUIRED)
find_package(GTest REQUIRED)
include(GoogleTest)

set(DUNVO_PAYLOAD_DIR "" CACHE PATH
    "Folder with the files to install (the 47 payload files). Empty: the generated sample payload.")

set(SANITIZE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)

# The portable modules twice: plain for the tools, sanitized for the tests.
add_library(dunvo_portable STATIC ${DUNVO_PORTABLE_SOURCES} ${DUNVO_HOST_SOURCES})
target_include_directories(dunvo_portable PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(dunvo_portable PUBLIC ZLIB::ZLIB)

add_library(dunvo_portable_checked STATIC ${DUNVO_PORTABLE_SOURCES} ${DUNVO_HOST_SOURCES})
target_include_directories(dunvo_portable_checked PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_options(dunvo_portable_checked PUBLIC ${SANITIZE})
target_link_options(dunvo_portable_checked PUBLIC ${SANITIZE})
target_link_libraries(dunvo_portable_checked PUBLIC ZLIB::ZLIB)

file(GLOB HOST_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/host/*.cpp)
add_executable(host_tests ${HOST_TEST_SOURCES})
target_link_libraries(host_tests PRIVATE dunvo_portable_checked GTest::gtest_main)
target_compile_definitions(host_tests PRIVATE DUNVO_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
# Time limits: a few times what each test takes on this 2-core machine while
# another build runs beside it, and for a Wine test room for one wait of the
# driver (60 s) to run out and fail its step with a name, before CTest ends it.
gtest_discover_tests(host_tests DISCOVERY_TIMEOUT 60 PROPERTIES LABELS host TIMEOUT 120)

# Build tools, run by the cross build.
include(${CMAKE_SOURCE_DIR}/tools/sources.cmake)
set(HOST_TOOL_TARGETS make_art ${DUNVO_EXTRA_HOST_TOOLS})

# The Windows half: the shipped 32-bit program. BUILD_ALWAYS lets its own
# make decide what is out of date.
function(add_windows_half name arch)
    ExternalProject_Add(${name}
        SOURCE_DIR ${CMAKE_SOURCE_DIR}
        BINARY_DIR ${CMAKE_BINARY_DIR}/${name}
        CMAKE_ARGS
            -DCMAKE_TOOLCHAIN_FILE=${CMAKE_SOURCE_DIR}/cmake/toolchain-${arch}-mingw.cmake
            -DCMAKE_BUILD_TYPE=MinSizeRel
            -DHOST_TOOLS_DIR=${CMAKE_BINARY_DIR}/tools
            -DDUNVO_PAYLOAD_DIR=${DUNVO_PAYLOAD_DIR}
        BUILD_ALWAYS ON
        INSTALL_COMMAND ""
        DEPENDS ${HOST_TOOL_TARGETS})
endfunction()
add_windows_half(target i686)

# Wine runs the tests. Its 32-bit side needs a kernel that executes 32-bit
# Linux programs; where that fails (some virtual machines), the tests run the
# same sources built for 64-bit Windows under 64-bit Wine instead.
execute_process(COMMAND /usr/lib/wine/wine --version RESULT_VARIABLE wine32_result OUTPUT_QUIET ERROR_QUIET)
if(wine32_result EQUAL 0)
    set(DUNVO_TEST_ARCH i686)
    set(TEST_BIN ${CMAKE_BINARY_DIR}/target)
else()
    set(DUNVO_TEST_ARCH x86_64)
    add_windows_half(target64 x86_64)
    set(TEST_BIN ${CMAKE_BINARY_DIR}/target64)
endif()
message(STATUS "Wine tests run the ${DUNVO_TEST_ARCH} build")
file(WRITE ${CMAKE_BINARY_DIR}/test-arch.sh "DUNVO_TEST_ARCH=${DUNVO_TEST_ARCH}\nDUNVO_TEST_BIN=${TEST_BIN}\n")

set(WINE_TOOLS ${CMAKE_SOURCE_DIR}/scripts/lib)

add_test(NAME setup_exe_is_a_32bit_gui_program
         COMMAND ${CMAKE_SOURCE_DIR}/tests/build/check_setup_exe.sh ${CMAKE_BINARY_DIR}/target/SetupD.exe)
set_tests_properties(setup_exe_is_a_32bit_gui_program PROPERTIES TIMEOUT 60)
# Builds the Windows halves a second time, in another folder (7 s for the
# 32-bit half here): cheap enough to catch a time stamp or a path slipping in.
add_test(NAME setup_exe_is_reproducible
         COMMAND ${CMAKE_SOURCE_DIR}/tests/build/check_reproducible.sh ${CMAKE_SOURCE_DIR} ${CMAKE_BINARY_DIR})
set_tests_properties(setup_exe_is_reproducible PROPERTIES TIMEOUT 900)

# The publisher's signing step with a throwaway certificate; the signed setup
# then installs under Wine as the options group's default row, in that group's
# folder and prefix: hence the options group's lane below.
add_test(NAME setup_exe_signing
         COMMAND ${CMAKE_SOURCE_DIR}/tests/build/check_signing.sh ${CMAKE_SOURCE_DIR} ${CMAKE_BINARY_DIR})
set_tests_properties(setup_exe_signing PROPERTIES LABELS wine TIMEOUT 300)

add_test(NAME target_unit_tests
         COMMAND ${WINE_TOOLS}/run-in-prefix.sh target_unit ${TEST_BIN}/target_tests.exe)
set_tests_properties(target_unit_tests PROPERTIES LABELS wine TIMEOUT 150
    ENVIRONMENT "DUNVO_BUILD=${CMAKE_BINARY_DIR}")

# Reads an installation back for the scenarios: the files against the facts in
# tests/data and the payload sources, "avaldata.dat" field by field. It uses
# none of the setup's own code, so a wrong table cannot vouch for itself.
add_executable(check_install ${CMAKE_SOURCE_DIR}/tests/e2e/check_install.cpp)
target_include_directories(check_install PRIVATE ${CMAKE_SOURCE_DIR})
target_compile_definitions(check_install PRIVATE DUNVO_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
set_target_properties(check_install PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools)

# The sample side file and the 113 recitations packed into it (600 MB),
# made for the scenarios that need them, once per build tree.
set(E2E_FIXTURES ${CMAKE_BINARY_DIR}/e2e-fixtures)
add_custom_command(OUTPUT ${E2E_FIXTURES}/mp3data.gz
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${E2E_FIXTURES}/recitations
    COMMAND ${CMAKE_COMMAND} -E make_directory ${E2E_FIXTURES}/recitations
    COMMAND make_sample_payload --recitations ${E2E_FIXTURES}/recitations
    COMMAND dunvo_pack recitations ${E2E_FIXTURES}/recitations ${E2E_FIXTURES}/mp3data.gz
    DEPENDS make_sample_payload dunvo_pack)
add_custom_target(e2e_fixtures DEPENDS ${E2E_FIXTURES}/mp3data.gz)
add_test(NAME e2e_fixtures COMMAND ${CMAKE_COMMAND} --build ${CMAKE_BINARY_DIR} --target e2e_fixtures)
set_tests_properties(e2e_fixtures PROPERTIES LABELS e2e FIXTURES_SETUP recitations TIMEOUT 120)

# The end-to-end groups, one test each (tests/e2e/tables.sh). A group that
# cannot run here (no root to mount a small drive) exits with 77, a skip.
# Each group with its time limit, two to three times what it took beside
# parallel builds (load 12: one walk 50 s, options 110 s, shortcuts 230 s; an idle
# machine takes a fifth of that).
foreach(group walk:300 backdrop:120 options:400 recitations:600 side_files:400 long_paths:180 full_disks:180
        shortcuts:500)
    string(REGEX MATCH "[0-9]+" limit ${group})
    string(REGEX REPLACE ":.*" "" group ${group})
    add_test(NAME e2e_${group} COMMAND ${CMAKE_SOURCE_DIR}/tests/e2e/run.sh ${group})
    set_tests_properties(e2e_${group} PROPERTIES LABELS "wine;e2e" SKIP_RETURN_CODE 77 TIMEOUT ${limit}
        ENVIRONMENT "DUNVO_BUILD=${CMAKE_BINARY_DIR}")
endforeach()
set_tests_properties(e2e_options e2e_recitations e2e_side_files e2e_full_disks PROPERTIES FIXTURES_REQUIRED recitations)
# Wine tests run at most two at a time, what the two cores here hold
# (ctest -L e2e: 58 s one at a time, 35 s two at a time): each takes one of
# two locks, split by their times so that both lanes end together.
set_tests_properties(target_unit_tests e2e_recitations e2e_side_files e2e_walk e2e_backdrop
    PROPERTIES RESOURCE_LOCK wine_lane_1)
set_tests_properties(e2e_shortcuts e2e_options e2e_long_paths e2e_full_disks setup_exe_signing
    PROPERTIES RESOURCE_LOCK wine_lane_2)
