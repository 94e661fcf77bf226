# Every folder lists its own sources in sources.cmake:
#   DUNVO_PORTABLE_SOURCES  no <windows.h>; built for the host and the target
#   DUNVO_WIN32_SOURCES     target only
#   DUNVO_HOST_SOURCES      host only (the recording side of the message seam)
set(DUNVO_PORTABLE_SOURCES)
set(DUNVO_WIN32_SOURCES)
set(DUNVO_HOST_SOURCES)
foreach(folder common shell options payload integration)
    include(${CMAKE_CURRENT_LIST_DIR}/../${folder}/sources.cmake OPTIONAL)
endforeach()
