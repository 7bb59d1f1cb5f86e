# The program suite, compiled once per backend: natively over the offscreen
# platform (tests/program) and inside the end-to-end test program over the
# Win32 platform (tests/e2e). Keys are named as convalis-drive names them.
set(CONVALIS_PROGRAM_TESTS
    ${CMAKE_CURRENT_LIST_DIR}/ClipboardKeysTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DialogsTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MainWindowTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ProgramTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ZoneEuroTest.cpp
    ${PROJECT_SOURCE_DIR}/tools/convalis-drive/Script.cpp
)
set(CONVALIS_PROGRAM_TEST_INCLUDES ${CMAKE_CURRENT_LIST_DIR} ${PROJECT_SOURCE_DIR}/tools/convalis-drive)
