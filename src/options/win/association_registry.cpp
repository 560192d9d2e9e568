#include "options/win/association_registry.h"

#include <optional>
#include <unordered_set>

#include <windows.h>
#include <shlobj.h>

#include "common/exception.h"
#include "common/text_format.h"
#include "common/win/unique_handle.h"
#include "common/win/wide.h"
#include "image/win/picture_decoding.h"
#include "image/win/plugin_library.h"
#include "image/win/susie_plugin_abi.h"

namespace nerula {
namespace {

constexpr wchar_t kUserClasses[] = L"Software\\Classes\\";

RegistryKey OpenRead(HKEY parent, const std::wstring& path) {
    RegistryKey key;
    if (RegOpenKeyExW(parent, path.c_str(), 0, KEY_READ, key.Receive()) != ERROR_SUCCESS) {
        return RegistryKey();
    }
    return key;
}

RegistryKey OpenOrCreate(HKEY parent, const std::wstring& path) {
    RegistryKey key;
    if (RegCreateKeyExW(parent, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                        key.Receive(), nullptr) != ERROR_SUCCESS) {
        return RegistryKey();
    }
    return key;
}

// A class key for reading: the user's own first, then the merged view. On Windows the
// merged view gives the user's key first anyway; some systems (Wine) leave the user's
// classes out of it, and a verb written there would never be read back.
RegistryKey OpenClass(const std::wstring& path) {
    if (RegistryKey key = OpenRead(HKEY_CURRENT_USER, kUserClasses + path)) {
        return key;
    }
    return OpenRead(HKEY_CLASSES_ROOT, path);
}

std::vector<std::u16string> SubkeyNames(HKEY parent) {
    std::vector<std::u16string> names;
    std::wstring name(256, L'\0');
    for (DWORD index = 0;;) {
        DWORD length = static_cast<DWORD>(name.size());
        const LONG status =
            RegEnumKeyExW(parent, index, name.data(), &length, nullptr, nullptr, nullptr, nullptr);
        if (status == ERROR_MORE_DATA) {
            name.resize(name.size() * 2);
            continue;
        }
        if (status != ERROR_SUCCESS) {
            break;
        }
        names.push_back(ToU16(std::wstring_view(name.data(), length)));
        ++index;
    }
    return names;
}

// A text value; empty when it is missing. Another type is an error naming the value.
std::u16string ReadText(HKEY key, const wchar_t* name) {
    // One call for the usual short value; a longer one is asked for again at its size.
    std::wstring text(256, L'\0');
    DWORD type = 0;
    DWORD bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    LONG status = RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &bytes);
    if (status == ERROR_MORE_DATA) {
        text.assign(bytes / sizeof(wchar_t) + 1, L'\0');
        bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
        status = RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &bytes);
    }
    if (status != ERROR_SUCCESS) {
        return {};
    }
    if (type != REG_SZ && type != REG_EXPAND_SZ) {
        throw Exception(FormatText(u"'%s' のデータ型が不正です", {ToU16(name != nullptr ? name : L"")}));
    }
    text.resize(bytes / sizeof(wchar_t));
    while (!text.empty() && text.back() == L'\0') {
        text.pop_back();
    }
    return ToU16(text);
}

void WriteText(HKEY key, const wchar_t* name, std::u16string_view value) {
    const std::wstring text = ToWide(value);
    if (RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                       static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))) != ERROR_SUCCESS) {
        throw Exception(FormatText(u"'%s' の設定に失敗しました", {ToU16(name != nullptr ? name : L"")}));
    }
}

bool HasSubkeys(HKEY key) {
    DWORD subkeys = 0;
    return RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, nullptr, nullptr,
                            nullptr, nullptr, nullptr) == ERROR_SUCCESS &&
           subkeys > 0;
}

bool HasSubkeys(HKEY parent, const std::wstring& path) {
    const RegistryKey key = OpenRead(parent, path);
    return key && HasSubkeys(key.Get());
}

// The ProgID an extension's key names, empty when there is none.
std::u16string ProgIdOf(std::u16string_view extension) {
    const RegistryKey key = OpenClass(ToWide(extension));
    return key ? ReadText(key.Get(), nullptr) : std::u16string();
}

// The shell learns of the changes once, whenever there were any, also when an error ends
// the work early.
class ChangeNotice {
public:
    ChangeNotice() = default;
    ChangeNotice(const ChangeNotice&) = delete;
    ChangeNotice& operator=(const ChangeNotice&) = delete;
    ~ChangeNotice() {
        if (changed_) {
            SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_FLUSH, nullptr, nullptr);
        }
    }
    void Set() noexcept { changed_ = true; }

private:
    bool changed_ = false;
};

void WriteVerb(const AssociationRow& row, const std::wstring& extension, const std::wstring& progId,
               std::u16string_view programPath) {
    const HKEY user = HKEY_CURRENT_USER;
    if (const RegistryKey key = OpenOrCreate(user, kUserClasses + extension)) {
        WriteText(key.Get(), nullptr, ToU16(progId));
    }
    const RegistryKey progKey = OpenOrCreate(user, kUserClasses + progId);
    if (!progKey) {
        return;
    }
    WriteText(progKey.Get(), nullptr, row.caption);
    const RegistryKey verb = OpenOrCreate(progKey.Get(), L"shell\\" + ToWide(kVerbKey));
    if (!verb) {
        return;
    }
    WriteText(verb.Get(), nullptr, kVerbName);
    if (const RegistryKey command = OpenOrCreate(verb.Get(), L"command")) {
        WriteText(command.Get(), nullptr, VerbCommand(programPath));
    }
}

// Removes the verb, then the keys that it leaves empty of subkeys: shell, the ProgID,
// the extension. True when the verb was there to remove.
bool RemoveVerb(const std::wstring& extension, const std::wstring& progId) {
    const std::wstring progPath = kUserClasses + progId;
    bool removed = false;
    {
        RegistryKey shell;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, (progPath + L"\\shell").c_str(), 0, KEY_ALL_ACCESS,
                          shell.Receive()) != ERROR_SUCCESS) {
            return false;
        }
        removed = RegDeleteTreeW(shell.Get(), ToWide(kVerbKey).c_str()) == ERROR_SUCCESS;
        // Without the verb there, these keys are not the viewer's to tidy away: they are
        // another program's or the user's, values and all.
        if (!removed || HasSubkeys(shell.Get())) {
            return removed;
        }
    }
    RegDeleteKeyW(HKEY_CURRENT_USER, (progPath + L"\\shell").c_str());
    if (HasSubkeys(HKEY_CURRENT_USER, progPath)) {
        return removed;
    }
    RegDeleteKeyW(HKEY_CURRENT_USER, progPath.c_str());
    if (!HasSubkeys(HKEY_CURRENT_USER, kUserClasses + extension)) {
        RegDeleteKeyW(HKEY_CURRENT_USER, (kUserClasses + extension).c_str());
    }
    return removed;
}

} // namespace

std::u16string FoldClassName(std::u16string_view name) {
    std::wstring folded = ToWide(name);
    if (!folded.empty()) {
        CharUpperBuffW(folded.data(), static_cast<DWORD>(folded.size()));
    }
    return ToU16(folded);
}

std::vector<std::u16string> ClassNames() {
    // The merged view in its own order, then the user's classes that it lacks.
    std::vector<std::u16string> user;
    if (const RegistryKey classes = OpenRead(HKEY_CURRENT_USER, L"Software\\Classes")) {
        user = SubkeyNames(classes.Get());
    }
    return NamesToList(SubkeyNames(HKEY_CLASSES_ROOT), user, &FoldClassName);
}

bool HasPlugin(const PluginTable& plugins, std::u16string_view extension) {
    return FindPlugin(plugins, extension).has_value();
}

std::u16string GetPluginFormatName(const PluginTable& plugins, std::u16string_view extension) {
    const std::optional<std::u16string> path = FindPlugin(plugins, extension);
    if (!path || path->empty()) {
        return {};
    }
    const std::optional<PluginLibrary> library = PluginLibrary::Load(ToWide(*path));
    if (!library) {
        return {};
    }
    const std::optional<std::string> version = PluginInfoText(*library, 0);
    if (!version || *version != "00IN") {
        return {};
    }
    const std::optional<std::string> format = PluginInfoText(*library, 3);
    if (!format || format->empty()) {
        return {};
    }
    const int length =
        MultiByteToWideChar(CP_ACP, 0, format->data(), static_cast<int>(format->size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(std::max(length, 0)), L'\0');
    MultiByteToWideChar(CP_ACP, 0, format->data(), static_cast<int>(format->size()), wide.data(), length);
    return ToU16(wide);
}

ExtensionFacts ReadExtension(std::u16string_view extension, const PluginTable& plugins) {
    return ReadExtension(extension, plugins, HasPlugin(plugins, extension));
}

ExtensionFacts ReadExtension(std::u16string_view extension, const PluginTable& plugins, bool hasPlugin) {
    ExtensionFacts facts;
    facts.extension = std::u16string(extension);
    if (const RegistryKey key = OpenClass(ToWide(extension))) {
        facts.progId = ReadText(key.Get(), nullptr);
        facts.perceivedType = ReadText(key.Get(), L"PerceivedType");
    }
    facts.hasPlugin = hasPlugin;
    if (!IsTextType(facts.progId, facts.perceivedType) && !facts.hasPlugin) {
        return facts;
    }
    if (!facts.progId.empty()) {
        const std::wstring progId = ToWide(facts.progId);
        if (const RegistryKey key = OpenClass(progId)) {
            facts.description = ReadText(key.Get(), nullptr);
            facts.verbRegistered =
                static_cast<bool>(OpenClass(progId + L"\\shell\\" + ToWide(kVerbKey) + L"\\command"));
        }
    }
    if (facts.description.empty() && facts.hasPlugin) {
        facts.description = GetPluginFormatName(plugins, extension);
    }
    return facts;
}

void BuildAssociationRows(AssociationRows& rows, const PluginTable& plugins) {
    rows.Clear();
    std::vector<std::u16string> tableNames;
    for (const std::u16string& line : plugins.Lines()) {
        tableNames.push_back(line.substr(0, line.find(u'=')));
    }
    // The table's names once, folded, rather than the table searched for every class.
    std::unordered_set<std::u16string> claimed;
    for (const std::u16string& name : tableNames) {
        claimed.insert(FoldClassName(name));
    }
    for (const std::u16string& name : NamesToList(ClassNames(), tableNames, &FoldClassName)) {
        if (name.empty() || name.front() != u'.') {
            continue;
        }
        const ExtensionFacts facts = ReadExtension(name, plugins, claimed.contains(FoldClassName(name)));
        RowEntry entry;
        if (ListedEntry(facts, entry)) {
            rows.Add(entry.caption, facts.extension, facts.verbRegistered, entry.classification);
        }
    }
}

void ApplyAssociationRows(const std::vector<AssociationRow>& rows, std::u16string_view programPath) {
    ChangeNotice notice;
    for (const AssociationRow& row : rows) {
        for (const std::u16string& extension : row.extensions) {
            std::u16string progId = ProgIdOf(extension);
            if (progId.empty()) {
                progId = OwnProgId(row.extensions.front());
            }
            if (row.checked) {
                // Set first: the shell hears of what was written before an error too.
                notice.Set();
                WriteVerb(row, ToWide(extension), ToWide(progId), programPath);
            } else if (RemoveVerb(ToWide(extension), ToWide(progId))) {
                notice.Set();
            }
        }
    }
}

} // namespace nerula
