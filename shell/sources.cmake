list(APPEND DUNVO_WIN32_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/dispatch.cpp
    ${CMAKE_CURRENT_LIST_DIR}/agreement_page.cpp
    ${CMAKE_CURRENT_LIST_DIR}/backdrop.cpp
    ${CMAKE_CURRENT_LIST_DIR}/main_window.cpp)
# shell/winmain.cpp is the entry point of SetupD.exe alone (see cmake/target.cmake).
