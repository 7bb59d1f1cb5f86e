// convalis-install-e2e [GoogleTest options] PACKAGE OLDER-PACKAGE
// Runs the installer's end-to-end tests: PACKAGE is the MSI to ship,
// OLDER-PACKAGE the same files as an older version. Run it in a Wine prefix
// of its own (scripts/install-e2e.sh): it installs and uninstalls there.
#include <gtest/gtest.h>

#include <cstdio>

#include <objbase.h>

#include "Desktop.h"
#include "Installer.h"

int wmain(int argc, wchar_t** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (argc != 3) {
        std::fprintf(stderr,
                     "usage: convalis-install-e2e [GoogleTest options] PACKAGE OLDER-PACKAGE\n");
        return 2;
    }
    for (int i = 1; i < argc; ++i) {
        if (GetFileAttributesW(argv[i]) == INVALID_FILE_ATTRIBUTES) {
            std::fprintf(stderr, "convalis-install-e2e: no package at %s\n",
                         e2e::Utf8(argv[i]).c_str());
            return 2;
        }
    }
    e2e::SetInstallerPackages({argv[1], argv[2]});
    // The tests read the program's windows through their accessible objects.
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {
        return 2;
    }
    const int failed = RUN_ALL_TESTS();
    CoUninitialize();
    return failed;
}
