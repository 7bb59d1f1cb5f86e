# cmake -DPROGRAM=path -DLIMIT=bytes -P CheckSize.cmake
# Prints the size of the shipped program and fails when it exceeds LIMIT.
file(SIZE "${PROGRAM}" size)
math(EXPR kib "${size} / 1024")
message(STATUS "Convalis.exe: ${size} bytes (${kib} KiB), limit ${LIMIT} bytes")
if(size GREATER LIMIT)
    message(FATAL_ERROR "Convalis.exe is larger than ${LIMIT} bytes")
endif()
