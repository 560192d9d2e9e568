#pragma once
// A folder of test files under the Windows temporary folder, removed with its contents.

#include <string>
#include <string_view>

#include <windows.h>

namespace nerula::test {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::wstring& Path() const noexcept { return path_; }
    // Writes a file of the given bytes and returns its full path.
    std::wstring Write(std::wstring_view name, std::string_view bytes) const;

private:
    std::wstring path_;
};

void WriteFileBytes(const std::wstring& path, std::string_view bytes);
void RemoveTree(const std::wstring& path);

} // namespace nerula::test
