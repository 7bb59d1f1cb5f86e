// convalis-e2e [GoogleTest options] PROGRAM
// Runs the end-to-end tests against PROGRAM, the path of Convalis.exe.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include <objbase.h>

#include "ProgramUnderTest.h"

int wmain(int argc, wchar_t** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: convalis-e2e [GoogleTest options] PATH-OF-Convalis.exe\n");
        return 2;
    }
    std::wstring program = argv[1];
    std::replace(program.begin(), program.end(), L'/', L'\\');
    e2e::ProgramUnderTest::SetExecutable(program);
    // The tests read the program's windows through their accessible objects.
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {
        std::fprintf(stderr, "convalis-e2e: cannot enter a COM apartment\n");
        return 2;
    }
    // The program is made for the French number format.
    const e2e::ScopedRegistryString frenchDecimal = e2e::UseDecimalSeparator(L",");
    const int failed = RUN_ALL_TESTS();
    CoUninitialize();
    return failed;
}
