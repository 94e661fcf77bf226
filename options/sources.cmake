# Sources of options/ (portable or Win32).
list(APPEND DUNVO_PORTABLE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/catalogue.cpp
    ${CMAKE_CURRENT_LIST_DIR}/selection.cpp
    ${CMAKE_CURRENT_LIST_DIR}/drive_rules.cpp)
list(APPEND DUNVO_WIN32_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/drives.cpp
    ${CMAKE_CURRENT_LIST_DIR}/folder_list.cpp
    ${CMAKE_CURRENT_LIST_DIR}/folder_browser.cpp
    ${CMAKE_CURRENT_LIST_DIR}/options_page.cpp)
