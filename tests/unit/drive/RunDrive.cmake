# Runs convalis-drive on a script and compares what it prints (standard
# output, or standard error when a failure status is expected) with a file.
if(NOT DEFINED EXPECTED_STATUS)
    set(EXPECTED_STATUS 0)
endif()
set(arguments)
if(DEFINED DATE)
    list(APPEND arguments --date ${DATE})
endif()
if(DEFINED USER)
    list(APPEND arguments --registered-user ${USER})
endif()
execute_process(COMMAND ${DRIVE} ${arguments}
    INPUT_FILE ${SCRIPT}
    OUTPUT_VARIABLE output
    ERROR_VARIABLE errors
    RESULT_VARIABLE status)
if(NOT status EQUAL EXPECTED_STATUS)
    message(FATAL_ERROR "exit status ${status}, expected ${EXPECTED_STATUS}\n${output}${errors}")
endif()
if(EXPECTED_STATUS EQUAL 0)
    set(actual "${output}")
else()
    set(actual "${errors}")
    if(NOT output STREQUAL "")
        message(FATAL_ERROR "a rejected script must run nothing, yet it printed:\n${output}")
    endif()
endif()
file(READ ${EXPECTED} expected)
if(NOT actual STREQUAL expected)
    message(FATAL_ERROR "printed:\n${actual}\nexpected:\n${expected}")
endif()
