// Arbitrary filters, library paths and file paths into the plug-in table and the path
// helpers, each compared with a plain reading of its header: the lines a filter makes, which
// line a lookup takes and which names it compares on the way, extensions, upper-casing, the
// folders searched and the joined paths.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/exception.h"
#include "fuzz_support.h"
#include "image/plugin_table.h"

namespace {

using nerula::fuzz::Check;

std::u16string ReferenceUpper(std::u16string_view text) {
    std::u16string upper;
    for (const char16_t c : text) {
        upper += c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 0x20) : c;
    }
    return upper;
}

std::vector<std::u16string> SplitAt(std::u16string_view text, char16_t separator) {
    std::vector<std::u16string> pieces(1);
    for (const char16_t c : text) {
        if (c == separator) {
            pieces.emplace_back();
        } else {
            pieces.back() += c;
        }
    }
    return pieces;
}

std::vector<std::u16string> ReferenceLines(std::u16string_view filter, std::u16string_view library) {
    std::vector<std::u16string> lines;
    for (const std::u16string& pattern : SplitAt(filter, u';')) {
        std::u16string name;
        for (const char16_t c : pattern) {
            if (c != u'*') {
                name += c;
            }
        }
        lines.push_back(ReferenceUpper(name) + u"=" + std::u16string(library));
    }
    return lines;
}

std::u16string ReferenceExtension(std::u16string_view path) {
    const std::size_t dot = path.rfind(u'.');
    if (dot == std::u16string_view::npos) {
        return {};
    }
    for (std::size_t i = dot + 1; i < path.size(); ++i) {
        if (path[i] == u'\\' || path[i] == u':') {
            return {};
        }
    }
    return ReferenceUpper(path.substr(dot));
}

bool IsSlash(char16_t c) {
    return c == u'\\' || c == u'/';
}

bool IsAsciiLetter(char16_t c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

// A lookup of each extension, by exact and by ASCII-blind comparison, against a walk over
// the lines that records every name it would hand the comparer.
void CheckLookups(const nerula::PluginTable& table, const std::vector<std::u16string>& extensions) {
    using Calls = std::vector<std::u16string>;
    for (const std::u16string& extension : extensions) {
        for (const bool blind : {false, true}) {
            auto same = [blind](std::u16string_view a, std::u16string_view b) {
                return blind ? ReferenceUpper(a) == ReferenceUpper(b) : a == b;
            };
            Calls expectedCalls;
            std::optional<std::u16string> expected;
            for (const std::u16string& line : table.Lines()) {
                const std::size_t equals = line.find(u'=');
                if (equals == std::u16string::npos) {
                    continue;
                }
                expectedCalls.push_back(line.substr(0, equals));
                if (same(expectedCalls.back(), extension)) {
                    expected = line.substr(equals + 1);
                    break;
                }
            }
            Calls calls;
            const auto found =
                table.Find(extension, [&](std::u16string_view name, std::u16string_view asked) {
                    Check(asked == extension);
                    calls.emplace_back(name);
                    return same(name, asked);
                });
            Check(found == expected);
            Check(calls == expectedCalls);
        }
    }
}

void CheckPathHelpers(std::u16string_view text, std::u16string_view other) {
    Check(nerula::AsciiUpper(text) == ReferenceUpper(text));
    Check(nerula::PathExtension(text) == ReferenceExtension(text));

    // A drive root is absolute and a name beginning with a drive letter and no root is not;
    // "\\" and a name is a UNC name. Names that start with two slashes of mixed kinds are
    // left to the tests: the header does not say.
    const bool absolute = nerula::IsAbsoluteFolder(text);
    const bool driveRoot = text.size() >= 3 && IsAsciiLetter(text[0]) && text[1] == u':' && IsSlash(text[2]);
    const bool twoSlashes = text.size() >= 2 && IsSlash(text[0]) && IsSlash(text[1]);
    if (driveRoot) {
        Check(absolute);
    } else if (!twoSlashes) {
        Check(!absolute);
    } else if (text.size() >= 3 && text.substr(0, 2) == u"\\\\" && !IsSlash(text[2])) {
        Check(absolute);
    }

    bool invalid = false;
    for (const char16_t c : text) {
        invalid = invalid || c < 0x20 || c == u'"' || c == u'<' || c == u'>' || c == u'|';
    }
    try {
        const std::u16string joined = nerula::CombinePath(text, other);
        Check(!invalid);
        const bool separated = text.empty() || IsSlash(text.back()) || text.back() == u':';
        Check(joined == std::u16string(text) + (separated ? u"" : u"\\") + std::u16string(other));
    } catch (const nerula::Exception& e) {
        Check(invalid);
        Check(e.Message() == u"パスに無効な文字が含まれています");
    }
}

// The configured and the registry's folder are one folder each; a ";" in one of them would
// make it two pieces, which the header leaves open, so the check keeps them without one.
void CheckSearchFolders(std::u16string configured, std::u16string registry, std::u16string_view path) {
    std::erase(configured, u';');
    std::erase(registry, u';');
    std::vector<std::u16string> expected;
    for (const std::u16string& folder : {configured, registry}) {
        if (nerula::IsAbsoluteFolder(folder)) {
            expected.push_back(folder);
        }
    }
    for (const std::u16string& entry : SplitAt(path, u';')) {
        if (nerula::IsAbsoluteFolder(entry)) {
            expected.push_back(entry);
        }
    }
    Check(nerula::PluginSearchFolders(configured, registry, path) == expected);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Fields separated by line feeds: first pairs of filter and library, up to an empty
    // field, then the names that are looked up and taken as paths.
    nerula::fuzz::InputReader input({data, size});
    std::vector<std::u16string> fields;
    while (!input.Empty()) {
        fields.push_back(input.Text(u'\n'));
    }

    nerula::PluginTable table;
    table.Reset();
    std::vector<std::u16string> expected{u".bmp=", u".dib="};
    Check(table.Lines() == expected);
    std::size_t i = 0;
    for (; i + 1 < fields.size() && !fields[i].empty(); i += 2) {
        table.AddPlugin(fields[i], fields[i + 1]);
        const std::vector<std::u16string> added = ReferenceLines(fields[i], fields[i + 1]);
        expected.insert(expected.end(), added.begin(), added.end());
        Check(table.Lines() == expected);
    }
    const std::vector<std::u16string> names(
        fields.begin() + static_cast<std::ptrdiff_t>(std::min(i, fields.size())), fields.end());
    std::vector<std::u16string> extensions;
    for (const std::u16string& name : names) {
        extensions.push_back(name);
        extensions.push_back(nerula::PathExtension(name));
    }
    CheckLookups(table, extensions);

    // Lines of any form, as a table may be set whole: some without "=".
    nerula::PluginTable anyLines;
    anyLines.SetLines(fields);
    Check(anyLines.Lines() == fields);
    CheckLookups(anyLines, extensions);

    for (std::size_t k = 0; k < fields.size(); ++k) {
        CheckPathHelpers(fields[k], fields[(k + 1) % fields.size()]);
    }
    const std::u16string none;
    CheckSearchFolders(fields.size() > 0 ? fields[0] : none, fields.size() > 1 ? fields[1] : none,
                       fields.size() > 2 ? fields[2] : none);
    return 0;
}
