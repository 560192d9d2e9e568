#pragma once
// Per-user files in the user's shell folders.

#include <optional>
#include <string>
#include <string_view>

namespace nerula {

// The full path of a relative name inside a shell folder (a CSIDL value); the folders of
// the path are made on every call. Nothing when the shell folder's path cannot be had:
// the caller then keeps its defaults and writes nowhere.
std::optional<std::wstring> GetSpecialFolderFileName(int folderId, std::u16string_view relativeName);

// The same inside the user's roaming application-data folder.
std::optional<std::wstring> GetAppDataFileName(std::u16string_view relativeName);

} // namespace nerula
