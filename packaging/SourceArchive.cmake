# cmake -DSOURCE_DIR=... -DHTML_DIR=... -DNAME=Convalis-x.y.z -DOUTPUT=....tar.gz
#       -DWORK_DIR=... -P SourceArchive.cmake
# The source release: the committed tree (git archive of HEAD) with the help
# as HTML pages added under docs/help/html, since they are built, not kept.
find_program(GIT_EXECUTABLE git)
if(NOT GIT_EXECUTABLE OR NOT EXISTS "${SOURCE_DIR}/.git")
    message(WARNING "No git checkout in ${SOURCE_DIR}: no source archive")
    return()
endif()

file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")
execute_process(
    COMMAND "${GIT_EXECUTABLE}" -C "${SOURCE_DIR}" archive --format=tar
            "--prefix=${NAME}/" -o "${WORK_DIR}/tree.tar" HEAD
    RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "git archive failed")
endif()
execute_process(COMMAND "${CMAKE_COMMAND}" -E tar xf tree.tar
                WORKING_DIRECTORY "${WORK_DIR}" RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "cannot unpack the archive of the tree")
endif()
file(COPY "${HTML_DIR}/" DESTINATION "${WORK_DIR}/${NAME}/docs/help/html")
execute_process(COMMAND "${CMAKE_COMMAND}" -E tar czf "${OUTPUT}" "${NAME}"
                WORKING_DIRECTORY "${WORK_DIR}" RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "cannot write ${OUTPUT}")
endif()
file(REMOVE_RECURSE "${WORK_DIR}")
message(STATUS "Source release: ${OUTPUT}")
