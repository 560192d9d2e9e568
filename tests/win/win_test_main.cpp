// The window tests' entry: COM is prepared for the thread as the program itself does, and
// the process ends without running DLL detach code, where threads that the common file
// dialog leaves behind under Wine can block an orderly exit after every test has run.

#include <cstdio>

#include <gtest/gtest.h>
#include <windows.h>

#include "common/win/com.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    int result = 0;
    {
        const nerula::ComInitialization com;
        result = RUN_ALL_TESTS();
    }
    std::fflush(stdout);
    std::fflush(stderr);
    TerminateProcess(GetCurrentProcess(), static_cast<UINT>(result));
    return result;
}
