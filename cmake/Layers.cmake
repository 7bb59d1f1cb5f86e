# The program's layers: each is a library (or the program file) of one or
# more folders of src/ that may use only the layers it names, which must be
# defined before it, so the layers cannot form a cycle. The build checks every
# file of a layer and stops at an include from a folder outside the layer and
# the layers it uses.

set(CONVALIS_LAYER_ROOT ${PROJECT_SOURCE_DIR}/src)

# convalis_layer(<target> [INTERFACE | EXECUTABLE] FOLDERS <folders...>
#                [SOURCES <files...>] [USES <targets...>] [USES_PRIVATELY <targets...>])
# FOLDERS are relative to src/. USES are layers its headers need (linked
# PUBLIC); USES_PRIVATELY layers only its sources need (linked PRIVATE). An
# EXECUTABLE is a program file (a Windows GUI one), which nothing uses.
function(convalis_layer target)
    cmake_parse_arguments(PARSE_ARGV 1 layer "INTERFACE;EXECUTABLE" ""
                          "FOLDERS;SOURCES;USES;USES_PRIVATELY")
    set(allowed ${layer_FOLDERS})
    foreach(used IN LISTS layer_USES layer_USES_PRIVATELY)
        get_target_property(below ${used} CONVALIS_LAYER_FOLDERS)
        if(NOT below)
            message(FATAL_ERROR "${target} uses ${used}, which is not a layer defined before it")
        endif()
        list(APPEND allowed ${below})
    endforeach()
    list(REMOVE_DUPLICATES allowed)

    if(layer_INTERFACE)
        add_library(${target} INTERFACE)
        target_link_libraries(${target} INTERFACE ${layer_USES})
    elseif(layer_EXECUTABLE)
        add_executable(${target} WIN32 ${layer_SOURCES})
        target_link_libraries(${target} PRIVATE ${layer_USES} ${layer_USES_PRIVATELY})
    else()
        add_library(${target} STATIC ${layer_SOURCES})
        target_link_libraries(${target} PUBLIC ${layer_USES} PRIVATE ${layer_USES_PRIVATELY})
    endif()
    # What a layer above may include: this layer and what its headers use.
    set(visible ${layer_FOLDERS})
    foreach(used IN LISTS layer_USES)
        get_target_property(below ${used} CONVALIS_LAYER_FOLDERS)
        list(APPEND visible ${below})
    endforeach()
    list(REMOVE_DUPLICATES visible)
    set_target_properties(${target} PROPERTIES CONVALIS_LAYER_FOLDERS "${visible}")

    set(files "")
    foreach(folder IN LISTS layer_FOLDERS)
        file(GLOB found CONFIGURE_DEPENDS ${CONVALIS_LAYER_ROOT}/${folder}/*.h
             ${CONVALIS_LAYER_ROOT}/${folder}/*.cpp)
        list(APPEND files ${found})
    endforeach()
    set(stamp ${CMAKE_CURRENT_BINARY_DIR}/layers/${target}.checked)
    string(REPLACE ";" "|" fileArgument "${files}")
    string(REPLACE ";" "|" allowedArgument "${allowed}")
    add_custom_command(OUTPUT ${stamp}
        COMMAND ${CMAKE_COMMAND} -DFILES=${fileArgument} -DALLOWED=${allowedArgument}
                -DROOT=${CONVALIS_LAYER_ROOT} -DSTAMP=${stamp}
                -P ${PROJECT_SOURCE_DIR}/cmake/CheckLayerIncludes.cmake
        DEPENDS ${files} ${PROJECT_SOURCE_DIR}/cmake/CheckLayerIncludes.cmake
        COMMENT "Checking the includes of ${target}"
        VERBATIM)
    add_custom_target(${target}_includes DEPENDS ${stamp})
    add_dependencies(${target} ${target}_includes)
endfunction()
