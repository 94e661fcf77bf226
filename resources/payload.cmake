# The payload resource (RCDATA 5001): the files of the payload folder packed into
# filesdata.gz by dunvo_pack. The folder is the publisher's DUNVO_PAYLOAD_DIR
# or, when that is empty, the sample payload written here from the stand-ins.
set(PAYLOAD_OUT ${CMAKE_BINARY_DIR}/payload)
if(DUNVO_PAYLOAD_DIR)
    set(PAYLOAD_SOURCE ${DUNVO_PAYLOAD_DIR})
    file(GLOB_RECURSE PAYLOAD_INPUTS CONFIGURE_DEPENDS ${DUNVO_PAYLOAD_DIR}/*)
else()
    set(PAYLOAD_SOURCE ${CMAKE_BINARY_DIR}/sample_payload)
    set(PAYLOAD_INPUTS ${CMAKE_BINARY_DIR}/sample_payload.stamp)
    add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/sample_payload.stamp
        COMMAND ${HOST_TOOLS_DIR}/make_sample_payload ${PAYLOAD_SOURCE}
                $<TARGET_FILE:dunvo_app> $<TARGET_FILE:standin_uninstall>
        COMMAND ${CMAKE_COMMAND} -E touch ${CMAKE_BINARY_DIR}/sample_payload.stamp
        DEPENDS ${HOST_TOOLS_DIR}/make_sample_payload dunvo_app standin_uninstall
        COMMENT "Writing the sample payload")
endif()
add_custom_command(OUTPUT ${PAYLOAD_OUT}/filesdata.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PAYLOAD_OUT}
    COMMAND ${HOST_TOOLS_DIR}/dunvo_pack files ${PAYLOAD_SOURCE} ${PAYLOAD_OUT}/filesdata.gz
    DEPENDS ${HOST_TOOLS_DIR}/dunvo_pack ${PAYLOAD_INPUTS}
    COMMENT "Packing the payload")
add_custom_target(payload DEPENDS ${PAYLOAD_OUT}/filesdata.gz)

set(DUNVO_RESOURCE_INCLUDES ${PAYLOAD_OUT})
set(DUNVO_RESOURCE_DEPENDS ${PAYLOAD_OUT}/filesdata.gz)
set(DUNVO_RESOURCE_TARGETS payload)
