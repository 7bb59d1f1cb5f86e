# The contract tests, compiled once per backend: natively over the offscreen
# platform (tests/contract) and inside the end-to-end test program over the
# Win32 platform (tests/e2e); the backends are the program suite's.
set(CONVALIS_CONTRACT_TESTS
    ${CMAKE_CURRENT_LIST_DIR}/WindowContractTest.cpp
)
