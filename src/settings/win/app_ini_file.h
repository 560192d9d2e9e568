#pragma once
// One INI file read and written through the system's private-profile functions: every read
// and write goes straight to the file, nothing is kept in memory.

#include <cstdint>
#include <string>
#include <vector>

namespace nerula {

// "%s に書き込めません" with the file's full path.
[[noreturn]] void ThrowIniWriteError(const std::wstring& fileName);

class TAppIniFile {
public:
    explicit TAppIniFile(std::wstring fileName) : fileName_(std::move(fileName)) {}
    TAppIniFile(const TAppIniFile&) = delete;
    TAppIniFile& operator=(const TAppIniFile&) = delete;
    // Flushes the system's cached copy of the file.
    ~TAppIniFile();

    const std::wstring& FileName() const noexcept { return fileName_; }

    // At most 2047 characters; one pair of enclosing quotes is dropped.
    std::u16string ReadString(const std::u16string& section, const std::u16string& key,
                              const std::u16string& defaultValue) const;
    // Creates the file (as UTF-16 with a byte-order mark, so that every character survives
    // whatever the ANSI code page) and the section when missing. Fails with
    // "%s に書き込めません".
    void WriteString(const std::u16string& section, const std::u16string& key, const std::u16string& value);
    // The shared integer rule; anything else, a missing key included, gives the default.
    std::int32_t ReadInteger(const std::u16string& section, const std::u16string& key,
                             std::int32_t defaultValue) const;
    void WriteInteger(const std::u16string& section, const std::u16string& key, std::int32_t value);
    bool ReadBool(const std::u16string& section, const std::u16string& key, bool defaultValue) const;
    void WriteBool(const std::u16string& section, const std::u16string& key, bool value);
    // The value in single quotes, which ReadString drops again.
    void WriteQuotedString(const std::u16string& section, const std::u16string& key,
                           const std::u16string& value);

    std::vector<std::u16string> ReadSections() const;
    std::vector<std::u16string> ReadSection(const std::u16string& section) const;
    bool SectionExists(const std::u16string& section) const;
    void EraseSection(const std::u16string& section);
    // Erases the section only when it has keys.
    void DeleteSection(const std::u16string& section);
    // Erases every section.
    void Clear();

private:
    void CreateUnicodeFile() const;

    std::wstring fileName_;
};

} // namespace nerula
