#include "image/plugin_table.h"

#include <algorithm>

#include "common/exception.h"

namespace nerula {
namespace {

std::vector<std::u16string_view> Split(std::u16string_view text, char16_t separator) {
    std::vector<std::u16string_view> pieces;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(separator, start);
        if (end == std::u16string_view::npos) {
            pieces.push_back(text.substr(start));
            return pieces;
        }
        pieces.push_back(text.substr(start, end - start));
        start = end + 1;
    }
}

bool IsSlash(char16_t c) {
    return c == u'\\' || c == u'/';
}

} // namespace

void PluginTable::Reset() {
    lines_ = {u".bmp=", u".dib="};
}

void PluginTable::AddPlugin(std::u16string_view filter, std::u16string_view libraryPath) {
    std::u16string withoutStars;
    std::copy_if(filter.begin(), filter.end(), std::back_inserter(withoutStars),
                 [](char16_t c) { return c != u'*'; });
    for (const std::u16string_view pattern : Split(withoutStars, u';')) {
        lines_.push_back(AsciiUpper(pattern) + u"=" + std::u16string(libraryPath));
    }
}

std::optional<std::u16string> PluginTable::Find(std::u16string_view extension,
                                                const NameComparer& sameName) const {
    for (const std::u16string& line : lines_) {
        const std::size_t equals = line.find(u'=');
        if (equals != std::u16string::npos &&
            sameName(std::u16string_view(line).substr(0, equals), extension)) {
            return line.substr(equals + 1);
        }
    }
    return std::nullopt;
}

std::u16string AsciiUpper(std::u16string_view text) {
    std::u16string upper(text);
    for (char16_t& c : upper) {
        if (c >= u'a' && c <= u'z') {
            c = static_cast<char16_t>(c - u'a' + u'A');
        }
    }
    return upper;
}

std::u16string PathExtension(std::u16string_view path) {
    const std::size_t dot = path.rfind(u'.');
    if (dot == std::u16string_view::npos || path.find_first_of(u"\\:", dot) != std::u16string_view::npos) {
        return {};
    }
    return AsciiUpper(path.substr(dot));
}

bool IsAbsoluteFolder(std::u16string_view folder) {
    const bool driveRoot =
        folder.size() >= 3 && folder[1] == u':' && IsSlash(folder[2]) &&
        ((folder[0] >= u'A' && folder[0] <= u'Z') || (folder[0] >= u'a' && folder[0] <= u'z'));
    const bool unc = folder.size() >= 3 && IsSlash(folder[0]) && IsSlash(folder[1]) && !IsSlash(folder[2]);
    return driveRoot || unc;
}

std::vector<std::u16string> PluginSearchFolders(std::u16string_view configured, std::u16string_view registry,
                                                std::u16string_view pathVariable) {
    std::u16string list(configured);
    list += u';';
    list += registry;
    list += u';';
    list += pathVariable;
    std::vector<std::u16string> folders;
    for (const std::u16string_view piece : Split(list, u';')) {
        if (IsAbsoluteFolder(piece)) {
            folders.emplace_back(piece);
        }
    }
    return folders;
}

std::u16string CombinePath(std::u16string_view folder, std::u16string_view name) {
    const bool invalid = std::any_of(folder.begin(), folder.end(), [](char16_t c) {
        return c < 0x20 || c == u'"' || c == u'<' || c == u'>' || c == u'|';
    });
    if (invalid) {
        throw Exception(u"パスに無効な文字が含まれています");
    }
    std::u16string path(folder);
    if (!path.empty() && !IsSlash(path.back()) && path.back() != u':') {
        path += u'\\';
    }
    path += name;
    return path;
}

} // namespace nerula
