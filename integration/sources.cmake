# Sources of integration/ (portable or Win32).
list(APPEND DUNVO_PORTABLE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/installed_files.cpp)
list(APPEND DUNVO_WIN32_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/shell_link.cpp
    ${CMAKE_CURRENT_LIST_DIR}/registry.cpp
    ${CMAKE_CURRENT_LIST_DIR}/shortcut_page.cpp)
