# Sources of payload/ (portable or Win32).
list(APPEND DUNVO_PORTABLE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/archive.cpp
    ${CMAKE_CURRENT_LIST_DIR}/gzip_file.cpp
    ${CMAKE_CURRENT_LIST_DIR}/payload_table.cpp
    ${CMAKE_CURRENT_LIST_DIR}/progress.cpp
    ${CMAKE_CURRENT_LIST_DIR}/translation_list.cpp)
list(APPEND DUNVO_WIN32_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/copy_page.cpp
    ${CMAKE_CURRENT_LIST_DIR}/progress_bar_win.cpp
    ${CMAKE_CURRENT_LIST_DIR}/side_file.cpp
    ${CMAKE_CURRENT_LIST_DIR}/temporaries.cpp
    ${CMAKE_CURRENT_LIST_DIR}/translation_list_win.cpp)
