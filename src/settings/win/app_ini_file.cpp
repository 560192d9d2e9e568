#include "settings/win/app_ini_file.h"

#include <windows.h>

#include "common/exception.h"
#include "common/integer_text.h"
#include "common/text_format.h"
#include "common/win/unique_handle.h"
#include "common/win/wide.h"

namespace nerula {
namespace {

const wchar_t* Wide(const std::u16string& text) {
    return reinterpret_cast<const wchar_t*>(text.c_str());
}

// A list of NUL-separated names as the private-profile functions give them.
std::vector<std::u16string> ReadNames(const wchar_t* section, const std::wstring& fileName) {
    std::vector<wchar_t> buffer(4096);
    for (;;) {
        const DWORD length = GetPrivateProfileStringW(section, nullptr, L"", buffer.data(),
                                                      static_cast<DWORD>(buffer.size()), fileName.c_str());
        if (length + 2 < buffer.size()) {
            std::vector<std::u16string> names;
            for (const wchar_t* name = buffer.data(); *name != L'\0'; name += wcslen(name) + 1) {
                names.push_back(ToU16(name));
            }
            return names;
        }
        buffer.resize(buffer.size() * 2);
    }
}

} // namespace

TAppIniFile::~TAppIniFile() {
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, fileName_.c_str());
}

std::u16string TAppIniFile::ReadString(const std::u16string& section, const std::u16string& key,
                                       const std::u16string& defaultValue) const {
    wchar_t buffer[2048];
    const DWORD length = GetPrivateProfileStringW(Wide(section), Wide(key), Wide(defaultValue), buffer, 2048,
                                                  fileName_.c_str());
    return ToU16(std::wstring_view(buffer, length));
}

void TAppIniFile::CreateUnicodeFile() const {
    // CREATE_NEW: a file that another process made meanwhile is left as it is.
    const FileHandle file(CreateFileW(fileName_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file) {
        const unsigned char mark[2] = {0xFF, 0xFE};
        DWORD written = 0;
        WriteFile(file.Get(), mark, sizeof mark, &written, nullptr);
    }
}

void ThrowIniWriteError(const std::wstring& fileName) {
    throw Exception(FormatText(u"%s に書き込めません", {ToU16(fileName)}));
}

void TAppIniFile::WriteString(const std::u16string& section, const std::u16string& key,
                              const std::u16string& value) {
    if (GetFileAttributesW(fileName_.c_str()) == INVALID_FILE_ATTRIBUTES) {
        CreateUnicodeFile();
    }
    if (!WritePrivateProfileStringW(Wide(section), Wide(key), Wide(value), fileName_.c_str())) {
        ThrowIniWriteError(fileName_);
    }
}

std::int32_t TAppIniFile::ReadInteger(const std::u16string& section, const std::u16string& key,
                                      std::int32_t defaultValue) const {
    return ParseInt32(ReadString(section, key, u"")).value_or(defaultValue);
}

void TAppIniFile::WriteInteger(const std::u16string& section, const std::u16string& key, std::int32_t value) {
    WriteString(section, key, ToDecimal(value));
}

bool TAppIniFile::ReadBool(const std::u16string& section, const std::u16string& key,
                           bool defaultValue) const {
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void TAppIniFile::WriteBool(const std::u16string& section, const std::u16string& key, bool value) {
    WriteString(section, key, value ? u"1" : u"0");
}

void TAppIniFile::WriteQuotedString(const std::u16string& section, const std::u16string& key,
                                    const std::u16string& value) {
    WriteString(section, key, FormatText(u"'%s'", {value}));
}

std::vector<std::u16string> TAppIniFile::ReadSections() const {
    return ReadNames(nullptr, fileName_);
}

std::vector<std::u16string> TAppIniFile::ReadSection(const std::u16string& section) const {
    return ReadNames(Wide(section), fileName_);
}

bool TAppIniFile::SectionExists(const std::u16string& section) const {
    return !ReadSection(section).empty();
}

void TAppIniFile::EraseSection(const std::u16string& section) {
    if (!WritePrivateProfileStringW(Wide(section), nullptr, nullptr, fileName_.c_str())) {
        ThrowIniWriteError(fileName_);
    }
}

void TAppIniFile::DeleteSection(const std::u16string& section) {
    if (SectionExists(section)) {
        EraseSection(section);
    }
}

void TAppIniFile::Clear() {
    for (const std::u16string& section : ReadSections()) {
        EraseSection(section);
    }
}

} // namespace nerula
