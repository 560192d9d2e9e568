#pragma once
// What the driver is told on its command line: where the program under test, the bundled
// samples and the test plug-ins of the program's architecture are.

#include <string>
#include <string_view>

namespace nerula::e2e {

struct Options {
    std::wstring nerula;  // Windows path of nerula.exe
    std::wstring samples; // Windows path of the samples folder, or empty
    std::wstring plugins; // Windows path of the test plug-ins' folder, or empty
};

const Options& GetOptions();
void SetOptions(Options options);

// Wine maps drive Z: to the Unix root, so "/a/b" is "Z:\a\b". Empty for a relative path,
// which has no fixed meaning once the program runs under Wine.
std::wstring WindowsPathFromUnix(std::wstring_view unixPath);

// For failure messages: GoogleTest prints narrow text.
std::string Utf8(std::wstring_view text);

// The file name: what follows the last backslash.
std::wstring FileNameOf(std::wstring_view path);

} // namespace nerula::e2e
