# cmake -DZIP=path -DWORK_DIR=folder -P CheckReadme.cmake
# Reads LISEZMOI.txt from the portable zip as Notepad does: UTF-8 after a
# byte-order mark, the ANSI code page (Windows-1252) without one. Fails when
# Notepad would show "Démarrer" garbled, or when a line does not end with CR LF.
file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")
execute_process(COMMAND ${CMAKE_COMMAND} -E tar xf "${ZIP}" LISEZMOI.txt
                WORKING_DIRECTORY "${WORK_DIR}" RESULT_VARIABLE unpacked)
if(NOT unpacked EQUAL 0)
    message(FATAL_ERROR "${ZIP} holds no LISEZMOI.txt")
endif()
file(READ "${WORK_DIR}/LISEZMOI.txt" bytes HEX)

# "Démarrer" as Notepad decodes it.
if(bytes MATCHES "^efbbbf")
    set(encoding "UTF-8 with a byte-order mark")
    set(word "44c3a96d6172726572")
else()
    set(encoding "Windows-1252 (no byte-order mark)")
    set(word "44e96d6172726572")
endif()
string(FIND "${bytes}" "${word}" at)
if(at EQUAL -1)
    message(FATAL_ERROR "Notepad reads LISEZMOI.txt as ${encoding} and shows no \"Démarrer\"")
endif()

# Every line ends with CR LF: as many CRs and LFs as CR LF pairs, counted on
# the bytes (file(READ) without HEX drops the CRs).
string(REGEX REPLACE "(..)" "\\1 " spaced "${bytes}")
set(counts)
foreach(line_end "0d 0a " "0a " "0d ")
    string(REGEX MATCHALL "${line_end}" found "${spaced}")
    list(LENGTH found count)
    list(APPEND counts ${count})
endforeach()
list(REMOVE_DUPLICATES counts)
if(NOT counts MATCHES "^[1-9][0-9]*$")
    message(FATAL_ERROR "LISEZMOI.txt has line ends other than CR LF (CR LF, LF, CR: ${counts})")
endif()
message(STATUS "LISEZMOI.txt reads right in Notepad as ${encoding}, with CR LF line ends")
