#include "settings/win/app_data.h"

#include <windows.h>
#include <shlobj.h>

#include "common/win/wide.h"
#include "settings/relative_name.h"

namespace nerula {

std::optional<std::wstring> GetSpecialFolderFileName(int folderId, std::u16string_view relativeName) {
    wchar_t folder[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathW(nullptr, folder, folderId, FALSE) || folder[0] == L'\0') {
        return std::nullopt;
    }
    const SplitName split = SplitRelativeName(relativeName);
    const std::wstring directory = std::wstring(folder) + L"\\" + ToWide(split.directory);
    if (GetFileAttributesW(directory.c_str()) == INVALID_FILE_ATTRIBUTES) {
        // Whether this succeeds shows at the first write, which then fails.
        SHCreateDirectoryExW(nullptr, directory.c_str(), nullptr);
    }
    return directory + L"\\" + ToWide(split.file);
}

std::optional<std::wstring> GetAppDataFileName(std::u16string_view relativeName) {
    return GetSpecialFolderFileName(CSIDL_APPDATA, relativeName);
}

} // namespace nerula
