list(APPEND DUNVO_PORTABLE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/file_write.cpp
    ${CMAKE_CURRENT_LIST_DIR}/install_settings.cpp
    ${CMAKE_CURRENT_LIST_DIR}/text.cpp)
list(APPEND DUNVO_WIN32_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/ansi_path.cpp
    ${CMAKE_CURRENT_LIST_DIR}/app_window.cpp
    ${CMAKE_CURRENT_LIST_DIR}/common_controls.cpp
    ${CMAKE_CURRENT_LIST_DIR}/file_write_win.cpp
    ${CMAKE_CURRENT_LIST_DIR}/message_box_win.cpp
    ${CMAKE_CURRENT_LIST_DIR}/temp_folder.cpp)
list(APPEND DUNVO_HOST_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/file_write_host.cpp
    ${CMAKE_CURRENT_LIST_DIR}/message_box_host.cpp)
