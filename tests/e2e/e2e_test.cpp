#include "e2e_test.h"

#include <shlobj.h>

#include "e2e_options.h"
#include "menu_commands.h"
#include "message_box.h"
#include "wait.h"

namespace nerula::e2e {
namespace {

// How every failed open begins: the full path of the file, then the reason.
std::wstring CannotOpenText(const std::wstring& fullPath) {
    return L"ファイル " + fullPath + L" は開けません。";
}

bool StartsWith(std::wstring_view text, std::wstring_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

} // namespace

E2eTest::E2eTest() : guard(FileNameOf(GetOptions().nerula)) {}

void E2eTest::SetUp() {
    ASSERT_FALSE(Program().empty()) << "the driver needs --nerula=UNIXPATH of nerula.exe";
    DeleteFileW(SettingsFile().c_str());
}

void E2eTest::TearDown() {
    for (const auto& process : processes_) {
        EXPECT_TRUE(process->Close()) << "process " << process->Id() << " did not end on WM_CLOSE";
    }
    processes_.clear();
    for (const DWORD id : guard.CloseAll()) {
        ADD_FAILURE() << "process " << id << ", started by the program, did not end on WM_CLOSE";
    }
    // What a test changed in the settings does not reach the next one.
    DeleteFileW(SettingsFile().c_str());
}

std::wstring SettingsFile() {
    wchar_t folder[MAX_PATH] = {};
    SHGetSpecialFolderPathW(nullptr, folder, CSIDL_APPDATA, FALSE);
    return std::wstring(folder) + L"\\Harrowfen\\Nerula\\Nerula.ini";
}

NerulaProcess& E2eTest::Start(const std::wstring& arguments, const std::wstring& directory) {
    processes_.push_back(std::make_unique<NerulaProcess>(Program(), arguments, directory));
    return *processes_.back();
}

const std::wstring& E2eTest::Program() {
    return GetOptions().nerula;
}

std::wstring E2eTest::ApplicationTitle(const std::wstring& program) {
    std::wstring name = FileNameOf(program);
    name = name.substr(0, name.find(L'.'));
    if (name.size() > 1) {
        CharLowerBuffW(name.data() + 1, static_cast<DWORD>(name.size() - 1));
    }
    return name;
}

UINT E2eTest::Command(std::wstring_view caption) {
    return MenuCommandId(Program(), caption);
}

std::wstring E2eTest::Quoted(const std::wstring& path) {
    return L"\"" + path + L"\"";
}

HWND E2eTest::ReadyMainWindow(const NerulaProcess& nerula) {
    const HWND main = nerula.WaitForMainWindow();
    if (main == nullptr) {
        ADD_FAILURE() << "no main window";
        return nullptr;
    }
    WaitFor([&] { return IsWindowVisible(main) || FindMessageBox(nerula.Id()) != nullptr; }, 10s);
    if (const HWND box = FindMessageBox(nerula.Id()); box != nullptr) {
        ADD_FAILURE() << "unexpected message box: " << Utf8(ReadMessageBox(box).text);
        return nullptr;
    }
    if (!IsWindowVisible(main)) {
        ADD_FAILURE() << "the main window was not shown";
        return nullptr;
    }
    return main;
}

std::wstring E2eTest::SampleTextFile() {
    const std::wstring& samples = GetOptions().samples;
    if (samples.empty()) {
        return std::wstring();
    }
    WIN32_FIND_DATAW data;
    const HANDLE find = FindFirstFileW((samples + L"\\*.txt").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) {
        return std::wstring();
    }
    FindClose(find);
    return samples + L"\\" + data.cFileName;
}

std::wstring ShiftJisFileText(const std::wstring& path) {
    const HANDLE file =
        CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return std::wstring();
    }
    std::string bytes(GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    std::wstring decoded(bytes.size(), L'\0');
    decoded.resize(static_cast<std::size_t>(MultiByteToWideChar(
        932, 0, bytes.data(), static_cast<int>(read), decoded.data(), static_cast<int>(decoded.size()))));
    std::wstring text;
    for (const wchar_t c : decoded) {
        if (c == L'\n' && (text.empty() || text.back() != L'\r')) {
            text += L'\r';
        }
        text += c;
    }
    return text;
}

std::wstring AnsiCodePageName() {
    switch (GetACP()) {
    case 932:
        return L"Shift-JIS";
    case 1252:
        return L"Latin-ANSI";
    default:
        return std::to_wstring(GetACP());
    }
}

std::wstring SystemReason(DWORD code) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                            FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring reason(buffer != nullptr ? buffer : L"", length);
    LocalFree(buffer);
    while (!reason.empty() && (reason.back() <= L' ' || reason.back() == L'.')) {
        reason.pop_back();
    }
    return reason;
}

testing::AssertionResult SaysCannotOpen(const std::wstring& text, const std::wstring& fullPath, DWORD code) {
    const std::wstring expected = CannotOpenText(fullPath);
    if (!StartsWith(text, expected)) {
        return testing::AssertionFailure()
               << "the box says\n  " << Utf8(text) << "\nnot beginning with\n  " << Utf8(expected);
    }
    const std::wstring reason = SystemReason(code);
    if (reason.empty()) {
        return testing::AssertionFailure() << "the system has no description of error " << code;
    }
    if (text.find(reason, expected.size()) == std::wstring::npos) {
        return testing::AssertionFailure()
               << "the box says\n  " << Utf8(text) << "\nwithout the reason\n  " << Utf8(reason);
    }
    return testing::AssertionSuccess();
}

} // namespace nerula::e2e
