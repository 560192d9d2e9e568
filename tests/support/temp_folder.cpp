#include "temp_folder.h"

#include <stdexcept>

namespace nerula::test {

TempFolder::TempFolder() {
    wchar_t base[MAX_PATH + 1];
    GetTempPathW(MAX_PATH + 1, base);
    static unsigned counter = 0;
    for (;;) {
        path_ = std::wstring(base) + L"nerula-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                std::to_wstring(++counter);
        if (CreateDirectoryW(path_.c_str(), nullptr)) {
            return;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS) {
            throw std::runtime_error("cannot create a temporary folder");
        }
    }
}

TempFolder::~TempFolder() { RemoveTree(path_); }

std::wstring TempFolder::Write(std::wstring_view name, std::string_view bytes) const {
    const std::wstring path = path_ + L"\\" + std::wstring(name);
    WriteFileBytes(path, bytes);
    return path;
}

void WriteFileBytes(const std::wstring& path, std::string_view bytes) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                    nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        throw std::runtime_error("cannot create a test file");
    }
    DWORD written = 0;
    const BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    if (!ok || written != bytes.size()) {
        throw std::runtime_error("cannot write a test file");
    }
}

void RemoveTree(const std::wstring& path) {
    WIN32_FIND_DATAW data;
    const HANDLE find = FindFirstFileW((path + L"\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = data.cFileName;
            if (name == L"." || name == L"..") {
                continue;
            }
            const std::wstring child = path + L"\\" + name;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(child);
            } else {
                SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(child.c_str());
            }
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    RemoveDirectoryW(path.c_str());
}

} // namespace nerula::test
