# Sources of payload/ (portable or Win32).
list(APPEND DUNVO_PORTABLE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/archive.cpp
    ${CMAKE_CURRENT_LIST_DIR}/gzip_file.cpp
    ${CMAKE_CURRENT_LIST_DIR}/payload_table.cpp)
