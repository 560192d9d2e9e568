// The driver's entry: GoogleTest takes its own flags, then --nerula=UNIXPATH (the program
// under test), --samples=UNIXPATH (the bundled sample files) and --plugins=UNIXPATH (the
// test plug-ins built for that program's architecture) are read. The wide command
// line is used so that paths outside the ANSI code page arrive intact.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <string_view>

#include <windows.h>
#include <shellapi.h>

#include "e2e_options.h"

namespace {

bool TakeValue(std::wstring_view argument, std::wstring_view name, std::wstring& value) {
    if (argument.substr(0, name.size()) != name) {
        return false;
    }
    value = std::wstring(argument.substr(name.size()));
    return true;
}

int Usage(const wchar_t* problem, std::wstring_view detail) {
    std::fwprintf(stderr, L"nerula_e2e_tests: %ls%.*ls\n", problem, static_cast<int>(detail.size()),
                  detail.data());
    std::fwprintf(
        stderr,
        L"usage: nerula_e2e_tests [gtest flags] --nerula=UNIXPATH --samples=UNIXPATH --plugins=UNIXPATH\n");
    return 2;
}

} // namespace

int main() {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argv == nullptr) {
        return Usage(L"cannot read the command line", L"");
    }
    testing::InitGoogleTest(&argc, argv);

    std::wstring nerula;
    std::wstring samples;
    std::wstring plugins;
    for (int i = 1; i < argc; ++i) {
        const std::wstring_view argument = argv[i];
        std::wstring value;
        if (TakeValue(argument, L"--nerula=", value)) {
            nerula = value;
        } else if (TakeValue(argument, L"--samples=", value)) {
            samples = value;
        } else if (TakeValue(argument, L"--plugins=", value)) {
            plugins = value;
        } else {
            LocalFree(argv);
            return Usage(L"unknown argument ", argument);
        }
    }
    LocalFree(argv);

    // Without --nerula the tests still list themselves (--gtest_list_tests) and each one
    // fails saying what is missing.
    nerula::e2e::Options options;
    if (!nerula.empty()) {
        options.nerula = nerula::e2e::WindowsPathFromUnix(nerula);
        if (options.nerula.empty()) {
            return Usage(L"--nerula needs an absolute Unix path, not ", nerula);
        }
        if (GetFileAttributesW(options.nerula.c_str()) == INVALID_FILE_ATTRIBUTES) {
            return Usage(L"no program at ", options.nerula);
        }
    }
    if (!samples.empty()) {
        options.samples = nerula::e2e::WindowsPathFromUnix(samples);
        if (options.samples.empty()) {
            return Usage(L"--samples needs an absolute Unix path, not ", samples);
        }
    }
    if (!plugins.empty()) {
        options.plugins = nerula::e2e::WindowsPathFromUnix(plugins);
        if (options.plugins.empty()) {
            return Usage(L"--plugins needs an absolute Unix path, not ", plugins);
        }
    }
    nerula::e2e::SetOptions(std::move(options));
    return RUN_ALL_TESTS();
}
