# Refuses a layer whose files include a header of a folder it may not use:
# a layer above it, or one beside it. Run by the build (see Layers.cmake).
#   FILES    the layer's files, separated by "|"
#   ALLOWED  the folders it may include from, separated by "|"
#   ROOT     the folder the program's include paths start from (src/)
#   STAMP    the file written once the layer passes
cmake_minimum_required(VERSION 3.20)
string(REPLACE "|" ";" files "${FILES}")
string(REPLACE "|" ";" allowed "${ALLOWED}")
# Any spacing round the "#", quotes or angle brackets.
set(include "^[ \t]*#[ \t]*include[ \t]*([<\"])([^>\"]*)[>\"]")
set(errors "")
foreach(file IN LISTS files)
    file(STRINGS "${file}" includes REGEX "${include}")
    foreach(line IN LISTS includes)
        string(REGEX MATCH "${include}" found "${line}")
        set(header "${CMAKE_MATCH_2}")
        get_filename_component(folder "${header}" DIRECTORY)
        # A header without a folder lies beside the file or is generated; one
        # in angle brackets that the program does not have is the system's.
        if(folder STREQUAL "" OR folder IN_LIST allowed OR
           (CMAKE_MATCH_1 STREQUAL "<" AND NOT EXISTS "${ROOT}/${header}"))
            continue()
        endif()
        string(APPEND errors "  ${file}: ${header}\n")
    endforeach()
endforeach()
if(NOT errors STREQUAL "")
    message(FATAL_ERROR "These includes reach a layer above or beside their own "
                        "(allowed: ${allowed}):\n${errors}")
endif()
file(TOUCH "${STAMP}")
