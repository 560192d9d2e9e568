#pragma once
// The plug-in table: which library decodes files of which extension. Lines of the form
// name "=" value: first the built-in ".bmp=" and ".dib=", then one line per extension
// pattern of each accepted plug-in, in the order found, neither sorted nor made unique.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace nerula {

class PluginTable {
public:
    using NameComparer = std::function<bool(std::u16string_view, std::u16string_view)>;

    const std::vector<std::u16string>& Lines() const noexcept { return lines_; }
    void SetLines(std::vector<std::u16string> lines) { lines_ = std::move(lines); }

    // Empties the table and adds the two built-in formats.
    void Reset();
    // One line per ";"-separated pattern of the filter (empty pieces too): the pattern
    // without "*", its ASCII letters upper-cased, "=", the library's path.
    void AddPlugin(std::u16string_view filter, std::u16string_view libraryPath);

    // The value of the first line whose name equals the extension by the comparer; lines
    // without "=" never match.
    std::optional<std::u16string> Find(std::u16string_view extension, const NameComparer& sameName) const;

private:
    std::vector<std::u16string> lines_;
};

std::u16string AsciiUpper(std::u16string_view text);

// The extension of a path: from its last "." to the end, unless a "\" or ":" follows that
// "."; upper-cased in its ASCII letters. Empty when there is none.
std::u16string PathExtension(std::u16string_view path);

// The folders searched for plug-ins, in order: the configured folder, the registry's
// folder, then the PATH entries. Empty and relative pieces are left out: they would
// search the current directory, which is the document's folder when the program is
// started by a file association, so a library planted beside a document would run.
std::vector<std::u16string> PluginSearchFolders(std::u16string_view configured, std::u16string_view registry,
                                                std::u16string_view pathVariable);

// Whether a folder is absolute: a drive letter with its root ("C:\", "C:/") or a UNC
// name ("\\server\share").
bool IsAbsoluteFolder(std::u16string_view folder);

// The folder and a file name or pattern joined by "\" unless the folder already ends with
// "\", "/" or ":". Fails with "パスに無効な文字が含まれています" when the folder holds a
// character that paths cannot hold (control characters, '"', '<', '>', '|').
std::u16string CombinePath(std::u16string_view folder, std::u16string_view name);

} // namespace nerula
